#include "scripting/CAppObject.h"

#include "platform/framework/FilePaths.h"
#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

IMPLEMENT_DYNCREATE(CAppObject, CHHCmdTarget)

namespace {

enum : DISPID { kTimerInterval = 1, kSizeX, kSizeY, kPosX, kPosY, kOpen, kSaveAll, kStopScript };

} // namespace

void CAppObject::InitDispatchIIDs() {
    SetDispatchIIDs(&DIID_IAppObject, &DIID_IAppObjectEvents);
}

HRESULT CAppObject::GetClassID(CLSID* pClsid) {
    if (!pClsid) return E_POINTER;
    *pClsid = CLSID_AppObject;
    return S_OK;
}

ITypeLib* CAppObject::GetTypeLib() {
    return GetEditMDITypeLib();
}

HRESULT CAppObject::InvokeMember(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) {
    switch (dispid) {
    case kTimerInterval: {
        if (!IsPut(wFlags)) return ReturnLong(pResult, m_nTimerInterval);
        long value = 0;
        HRESULT hr = args.GetLong(0, value);
        if (SUCCEEDED(hr)) SetTimerInterval(value);
        return hr;
    }
    case kSizeX:
    case kSizeY:
    case kPosX:
    case kPosY:
        return Geometry(dispid, wFlags, args, pResult);
    case kOpen: {
        CString name;
        HRESULT hr = args.GetString(0, name);
        return FAILED(hr) ? hr : ReturnBool(pResult, Open(name));
    }
    case kSaveAll:
        SaveAll();
        return S_OK;
    case kStopScript:
        StopScript();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// SizeX, SizeY, PosX and PosY: the main window's rectangle in screen coordinates.
HRESULT CAppObject::Geometry(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) {
    CWnd* main = GetMainWindow();
    RECT rc{};
    if (main) ::GetWindowRect(main->GetSafeHwnd(), &rc);
    const long width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (!IsPut(wFlags)) {
        const long values[] = {width, height, rc.left, rc.top};
        return ReturnLong(pResult, values[dispid - kSizeX]);
    }
    long value = 0;
    HRESULT hr = args.GetLong(0, value);
    if (FAILED(hr) || !main) return hr;
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    HWND hwnd = main->GetSafeHwnd();
    if (dispid == kSizeX) ::SetWindowPos(hwnd, nullptr, 0, 0, value, height, keep | SWP_NOMOVE);
    if (dispid == kSizeY) ::SetWindowPos(hwnd, nullptr, 0, 0, width, value, keep | SWP_NOMOVE);
    if (dispid == kPosX) ::SetWindowPos(hwnd, nullptr, value, rc.top, 0, 0, keep | SWP_NOSIZE);
    if (dispid == kPosY) ::SetWindowPos(hwnd, nullptr, rc.left, value, 0, 0, keep | SWP_NOSIZE);
    return S_OK;
}

// A negative interval would be a huge unsigned period: it stops the timer like 0.
void CAppObject::SetTimerInterval(long nInterval) {
    m_nTimerInterval = nInterval;
    CWnd* main = GetMainWindow();
    if (!main) return;
    if (nInterval > 0)
        ::SetTimer(main->GetSafeHwnd(), kTimerEvent, static_cast<UINT>(nInterval), nullptr);
    else
        ::KillTimer(main->GetSafeHwnd(), kTimerEvent);
}

BOOL CAppObject::Open(const CString& strFileName) {
    CWinApp* app = AfxGetApp();
    return app && app->OpenDocumentFile(strFileName) != nullptr;
}

// Saves without asking every modified document that has a file, then lets the application ask
// about the rest.
void CAppObject::SaveAll() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    POSITION pos = app->GetFirstDocTemplatePosition();
    while (pos) {
        CDocTemplate* tmpl = app->GetNextDocTemplate(pos);
        POSITION docPos = tmpl->GetFirstDocPosition();
        while (docPos) {
            CDocument* doc = tmpl->GetNextDoc(docPos);
            CString path = doc->GetPathName();
            if (doc->IsModified() && !path.IsEmpty() && FileExists(path)) doc->OnSaveDocument(path);
        }
    }
    app->SaveAllModified();
}

void CAppObject::StopScript() {
    if (CWnd* main = GetMainWindow()) ::SetTimer(main->GetSafeHwnd(), kTimerStopScript, 100, nullptr);
}
