#include "docking/CDKWorkspaceState.h"

#include "docking/CDKChildFrameState.h"
#include "docking/CDKMDIFrameWndSizeDock.h"
#include "docking/CDKSplitterColRowState.h"
#include "docking/WorkspaceArchive.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CToolBar.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Exceptions.h"
#include "platform/win/commctrl.h"
#include "platform/win/file_contents.h"

#include <memory>
#include <string_view>
#include <vector>

IMPLEMENT_SERIAL(CDKWorkspaceState, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kArchiveBuffer = 4096;
constexpr UINT kMemFileGrowth = 1024;
constexpr REGSAM kStoreAccess = 0x2001F;
constexpr const char* kStateKey = "WorkspaceState";
constexpr const char* kDefaultValueName = "Main";

// Runs f, turning a framework exception into FALSE.
template <class F> BOOL Guarded(F f) {
    try {
        f();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

} // namespace

CDKWorkspaceState::CDKWorkspaceState() {
    Reset();
}

CDKWorkspaceState::~CDKWorkspaceState() {
    dock::OwnedArrayDeleter()(m_pChildFrames);
    dock::OwnedArrayDeleter()(m_pSplitters);
    delete m_pDockState;
}

void CDKWorkspaceState::Reset() {
    m_nScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    m_nScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    m_bSavePlacement = m_bSaveDockState = m_bSaveChildFrames = m_bSaveSplitters = 1;
    m_placement = WINDOWPLACEMENT{};
    if (!m_pDockState) m_pDockState = new CDockState;
    m_pDockState->Clear();
    if (!m_pChildFrames) m_pChildFrames = new CObArray;
    if (!m_pSplitters) m_pSplitters = new CObArray;
    dock::DeleteAll(*m_pChildFrames);
    dock::DeleteAll(*m_pSplitters);
    m_nVersion = -1;
}

void CDKWorkspaceState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << kMagic << kVersion;
        WriteProperties(ar);
        return;
    }
    int schema = -1;
    dock::CheckObjectSchema(ar, &schema);
    DWORD magic = 0;
    int version = 0;
    ar >> magic >> version;
    if (magic != kMagic || version > kVersion) AfxThrowArchiveException(CArchiveException::badSchema);
    m_nVersion = version;
    ReadProperties(ar);
}

void CDKWorkspaceState::WriteProperties(CArchive& ar) {
    ar << m_nScreenWidth << m_nScreenHeight << m_bSavePlacement;
    dock::WritePlacement(ar, m_placement);
    ar << m_bSaveDockState;
    ar.WriteObject(m_pDockState);
    ar << m_bSaveChildFrames << m_bSaveSplitters;
    ar.WriteObject(m_pChildFrames);
    ar << m_bSaveSplitters;
    ar.WriteObject(m_pSplitters);
}

void CDKWorkspaceState::ReadProperties(CArchive& ar) {
    // Everything is read before anything is replaced, so a damaged archive changes nothing.
    int width = 0, height = 0, savePlacement = 0, saveDock = 0, saveChildren = 0, saveSplitters = 0;
    WINDOWPLACEMENT placement{};
    ar >> width >> height >> savePlacement;
    dock::ReadPlacement(ar, placement);
    ar >> saveDock;
    std::unique_ptr<CObject> dockState(dock::ReadOwnedObject(ar, RUNTIME_CLASS(CDockState)));
    ar >> saveChildren >> saveSplitters;
    dock::OwnedArray children = dock::ReadOwnedArray(ar, RUNTIME_CLASS(CDKChildFrameState));
    ar >> saveSplitters;
    dock::OwnedArray splitters = dock::ReadOwnedArray(ar, RUNTIME_CLASS(CDKSplitterColRowState));

    m_nScreenWidth = width;
    m_nScreenHeight = height;
    m_bSavePlacement = savePlacement;
    m_placement = placement;
    m_bSaveDockState = saveDock;
    delete m_pDockState;
    m_pDockState = static_cast<CDockState*>(dockState.release());
    m_bSaveChildFrames = saveChildren;
    m_bSaveSplitters = saveSplitters;
    dock::OwnedArrayDeleter()(m_pChildFrames);
    m_pChildFrames = children.release();
    dock::OwnedArrayDeleter()(m_pSplitters);
    m_pSplitters = splitters.release();
}

BOOL CDKWorkspaceState::CaptureState() {
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    CFrameWnd* frame = main ? main->GetTopLevelFrame() : nullptr;
    if (m_bSavePlacement && main) {
        m_placement = WINDOWPLACEMENT{};
        m_placement.length = dock::kPlacementLength;
        main->GetWindowPlacement(&m_placement);
        m_placement.showCmd = SW_SHOWMAXIMIZED;
    }
    if (m_bSaveDockState && frame) CaptureDockState(frame);
    dock::DeleteAll(*m_pSplitters);
    if (m_bSaveSplitters && frame) CaptureSplitters(frame);
    dock::DeleteAll(*m_pChildFrames);
    if (m_bSaveChildFrames) CaptureChildFrames();
    return TRUE;
}

void CDKWorkspaceState::CaptureDockState(CFrameWnd* pFrame) {
    // Document windows shown as panes come back with their child frames, undocked: their panes are
    // left out, or applying the layout would show them empty.
    if (pFrame->IsKindOf(RUNTIME_CLASS(CDKMDIFrameWndSizeDock)))
        static_cast<CDKMDIFrameWndSizeDock*>(pFrame)->GetDockState(*m_pDockState);
    else
        pFrame->GetDockState(*m_pDockState);
}

void CDKWorkspaceState::ApplyDockState(CFrameWnd* pFrame) {
    // Flat tool bars take the layout without their flat style, which they get back afterwards.
    std::vector<CControlBar*> flat;
    for (INT_PTR i = 0; i < m_pDockState->m_arrBarInfo.GetSize(); ++i) {
        CControlBar* bar = pFrame->GetControlBar(m_pDockState->m_arrBarInfo[i]->m_nBarID);
        if (bar && bar->IsKindOf(RUNTIME_CLASS(CToolBar)) && (bar->GetStyle() & TBSTYLE_FLAT)) {
            bar->ModifyStyle(TBSTYLE_FLAT, 0);
            flat.push_back(bar);
        }
    }
    pFrame->SetDockState(*m_pDockState);
    for (CControlBar* bar : flat)
        bar->ModifyStyle(0, TBSTYLE_FLAT);
}

BOOL CDKWorkspaceState::ApplyState(int nMode) {
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    CFrameWnd* frame = main ? main->GetTopLevelFrame() : nullptr;
    if (m_bSavePlacement && main) {
        WINDOWPLACEMENT wp = m_placement;
        // A state read from storage carries no length; the placement is whole all the same.
        wp.length = dock::kPlacementLength;
        if (!main->IsWindowVisible()) wp.showCmd = SW_HIDE;
        main->SetWindowPlacement(&wp);
        app->m_nCmdShow = SW_SHOWNORMAL;
    }
    if (m_bSaveDockState && frame) ApplyDockState(frame);
    if (m_bSaveSplitters && frame) ApplySplitters(frame);
    if (m_bSaveChildFrames && nMode != kApplyWithoutChildren) ApplyChildFrames();
    return TRUE;
}

BOOL CDKWorkspaceState::CaptureChildFrames() {
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return TRUE;
    BOOL ok = TRUE;
    HWND client = static_cast<CMDIFrameWnd*>(main)->m_hWndMDIClient;
    for (HWND h = ::GetWindow(client, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) || ::GetWindow(h, GW_OWNER)) continue;
        auto* state = new CDKChildFrameState;
        state->m_bSaveSplitters = m_bSaveSplitters;
        if (!state->CaptureState(static_cast<CMDIChildWnd*>(wnd))) {
            delete state;
            ok = FALSE;
            continue;
        }
        m_pChildFrames->Add(state);
    }
    return ok;
}

BOOL CDKWorkspaceState::ApplyChildFrames() {
    BOOL ok = TRUE;
    for (INT_PTR i = m_pChildFrames->GetSize() - 1; i >= 0; --i)
        ok = static_cast<CDKChildFrameState*>((*m_pChildFrames)[i])->ApplyState() && ok;
    return ok;
}

BOOL CDKWorkspaceState::CaptureSplitters(CFrameWnd* pFrame) {
    return dock::CaptureSplitters(pFrame, *m_pSplitters);
}

BOOL CDKWorkspaceState::ApplySplitters(CFrameWnd* pFrame) {
    return dock::ApplySplitters(pFrame, *m_pSplitters);
}

void CDKWorkspaceState::StreamFile(LPCSTR lpszPath, BOOL bStoring) {
    if (!bStoring) {
        CFile file;
        CFileException error;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, lpszPath);
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        Serialize(ar);
        ar.Close();
        file.Close();
        return;
    }
    // The state is written to memory first, then replaces the file safely.
    CByteArray bytes;
    if (!WriteToBytes(bytes)) AfxThrowArchiveException(CArchiveException::genericException, lpszPath);
    const pm::sys::FileResult written = pm::sys::replaceFileContents(
        lpszPath ? lpszPath : "", std::string_view(reinterpret_cast<const char*>(bytes.GetData()),
                                                   static_cast<std::size_t>(bytes.GetSize())));
    if (!written)
        AfxThrowFileException(CFileException::ErrnoToException(written.error), written.error, lpszPath);
}

BOOL CDKWorkspaceState::SaveToFile(LPCSTR lpszPath, BOOL bSaveModified, BOOL bCapture) {
    if (bSaveModified && AfxGetApp()) AfxGetApp()->SaveAllModified();
    if (bCapture) CaptureState();
    return Guarded([&] { StreamFile(lpszPath, TRUE); });
}

BOOL CDKWorkspaceState::ReadFromFile(LPCSTR lpszPath, BOOL bApply) {
    if (!Guarded([&] { StreamFile(lpszPath, FALSE); })) return FALSE;
    return bApply ? ApplyState(1) : TRUE;
}

BOOL CDKWorkspaceState::WriteToBytes(CByteArray& bytes) {
    return Guarded([&] {
        CMemFile file(kMemFileGrowth);
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        Serialize(ar);
        ar.Close();
        const ULONGLONG length = file.GetLength();
        bytes.SetSize(static_cast<INT_PTR>(length));
        file.SeekToBegin();
        if (length) file.Read(bytes.GetData(), static_cast<UINT>(length));
    });
}

BOOL CDKWorkspaceState::ReadFromBytes(const CByteArray& bytes) {
    return Guarded([&] {
        CMemFile file(kMemFileGrowth);
        if (bytes.GetSize()) file.Write(bytes.GetData(), static_cast<UINT>(bytes.GetSize()));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        Serialize(ar);
        ar.Close();
    });
}

namespace {

struct RegistryPlace {
    LPCSTR valueName;
    LPCSTR registryKey;
    LPCSTR profileName;
};

// The defaults the application gives: "Main", its registry key and its profile name.
RegistryPlace Resolve(LPCSTR valueName, LPCSTR registryKey, LPCSTR profileName) {
    CWinApp* app = AfxGetApp();
    RegistryPlace p{valueName ? valueName : kDefaultValueName, registryKey, profileName};
    if (!p.registryKey && app) p.registryKey = app->m_pszRegistryKey;
    if (!p.profileName && app) p.profileName = app->m_pszProfileName;
    return p;
}

} // namespace

BOOL CDKWorkspaceState::StoreToRegistry(LPCSTR lpszValueName, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName,
                                        HKEY hRootKey, BOOL bSaveModified, BOOL bCapture) {
    const RegistryPlace p = Resolve(lpszValueName, lpszRegistryKey, lpszProfileName);
    if (!p.registryKey || !p.profileName) return FALSE;
    if (bSaveModified && AfxGetApp()) AfxGetApp()->SaveAllModified();
    if (bCapture) CaptureState();
    CByteArray bytes;
    if (!WriteToBytes(bytes)) return FALSE;
    return StreamRegistry(TRUE, p.valueName, p.registryKey, p.profileName, hRootKey, bytes);
}

BOOL CDKWorkspaceState::LoadFromRegistry(int nMode, LPCSTR lpszValueName, LPCSTR lpszRegistryKey,
                                         LPCSTR lpszProfileName, HKEY hRootKey, BOOL bApply) {
    const RegistryPlace p = Resolve(lpszValueName, lpszRegistryKey, lpszProfileName);
    if (!p.registryKey || !p.profileName) return FALSE;
    CByteArray bytes;
    if (!StreamRegistry(FALSE, p.valueName, p.registryKey, p.profileName, hRootKey, bytes) ||
        !ReadFromBytes(bytes))
        return FALSE;
    return bApply ? ApplyState(nMode) : TRUE;
}

BOOL CDKWorkspaceState::StreamRegistry(BOOL bStoring, LPCSTR lpszValueName, LPCSTR lpszRegistryKey,
                                       LPCSTR lpszProfileName, HKEY hRootKey, CByteArray& bytes) {
    const REGSAM access = bStoring ? kStoreAccess : KEY_READ;
    // Software (made when storing into a fresh registry), the key, the profile, "WorkspaceState".
    HKEY key = hRootKey;
    for (LPCSTR name : {"Software", lpszRegistryKey, lpszProfileName, kStateKey}) {
        HKEY next = nullptr;
        DWORD disposition = 0;
        const LSTATUS rc = bStoring ? RegCreateKeyEx(key, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                                     nullptr, &next, &disposition)
                                    : RegOpenKeyEx(key, name, 0, access, &next);
        if (key != hRootKey) RegCloseKey(key);
        if (rc != ERROR_SUCCESS) return FALSE;
        key = next;
    }
    BOOL ok = FALSE;
    if (bStoring) {
        ok = RegSetValueEx(key, lpszValueName, 0, REG_BINARY, bytes.GetData(),
                           static_cast<DWORD>(bytes.GetSize())) == ERROR_SUCCESS;
    } else {
        bytes.RemoveAll();
        DWORD type = 0, size = 0;
        if (RegQueryValueEx(key, lpszValueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            bytes.SetSize(size);
            ok = RegQueryValueEx(key, lpszValueName, nullptr, &type, bytes.GetData(), &size) == ERROR_SUCCESS;
            if (!ok) bytes.RemoveAll();
        }
    }
    RegCloseKey(key);
    return ok;
}
