// CDocument: views, titles, opening and saving through Serialize, and the save prompt.

#include "platform/framework/CDocument.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameworkStrings.h"

#include "platform/win/file_contents.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
    // Views left over lose their document.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
    CString path(lpszPathName);
    // A relative name is kept as a full path, so the recent-file list finds it again.
    if (!path.IsEmpty() && path[0] != '/') {
        char* full = ::realpath(lpszPathName, nullptr);
        if (full) {
            path = full;
            std::free(full);
        }
    }
    m_strPathName = path;
    int slash = path.ReverseFind('/');
    SetTitle(slash >= 0 ? path.Mid(slash + 1) : path);
    if (bAddToMRU)
        if (CWinApp* pApp = AfxGetApp()) pApp->AddToRecentFileList(m_strPathName);
}

// ---- Views ----

void CDocument::AddView(CView* pView) {
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    if (POSITION pos = m_viewList.Find(pView)) m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* pView = GetNextView(pos);
        if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts() {
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* pView = GetNextView(pos);
        if (!pView->m_hWnd || !pView->IsWindowVisible()) continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (!pFrame) continue;
        bool known = false;
        for (CFrameWnd* f : frames)
            known = known || f == pFrame;
        if (!known) frames.push_back(pFrame);
    }
    int count = static_cast<int>(frames.size());
    int number = 1;
    for (CFrameWnd* pFrame : frames) {
        pFrame->m_nWindow = count == 1 ? 0 : number++;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

// ---- Life cycle ----

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL, UINT nIDPDefault) {
    if (e && e->IsKindOf(RUNTIME_CLASS(CUserException))) return; // already told
    CString prompt;
    char reason[512] = {};
    if (e && e->GetErrorMessage(reason, sizeof(reason))) {
        prompt = reason;
        // File errors name the file themselves; others get it in front.
        if (!e->IsKindOf(RUNTIME_CLASS(CFileException)) && lpszPathName && *lpszPathName)
            prompt = CString(lpszPathName) + "\n" + prompt;
    } else {
        prompt = AfxLoadString(nIDPDefault);
    }
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

namespace {

// What a failed read or write of the file at path reports.
CFileException fileException(const pm::sys::FileResult& failure, LPCSTR lpszPathName) {
    const int cause =
        failure.notRegular ? CFileException::invalidFile : CFileException::ErrnoToException(failure.error);
    return CFileException(cause, failure.error, lpszPathName);
}

} // namespace

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
    // The file is read whole first (a named pipe or a device is refused, never waited on); Serialize
    // reads it from memory.
    pm::sys::FileRead file = pm::sys::readFileContents(lpszPathName ? lpszPathName : "");
    if (!file) {
        CFileException fe = fileException(file, lpszPathName);
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    CMemFile memory(reinterpret_cast<BYTE*>(file.bytes.data()), static_cast<UINT>(file.bytes.size()));
    memory.SetFilePath(lpszPathName); // Serialize names the document's file in its messages
    DeleteContents();
    SetModifiedFlag();
    try {
        CArchive loadArchive(&memory, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        CWaitCursor wait;
        if (memory.GetLength() != 0) Serialize(loadArchive);
        loadArchive.Close();
    } catch (CException* e) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
    // Serialize writes to memory; the file is then replaced safely, so a failed save leaves it whole.
    CMemFile memory(1 << 16);
    memory.SetFilePath(lpszPathName);
    try {
        CArchive saveArchive(&memory, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
    } catch (CException* e) {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    const auto length = static_cast<std::size_t>(memory.GetLength());
    BYTE* bytes = memory.Detach();
    const pm::sys::FileResult written = pm::sys::replaceFileContents(
        lpszPathName ? lpszPathName : "", std::string_view(reinterpret_cast<const char*>(bytes), length));
    std::free(bytes);
    if (!written) {
        CFileException fe = fileException(written, lpszPathName);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::OnCloseDocument() {
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // the views going must not delete the document yet
    while (!m_viewList.IsEmpty()) {
        auto* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else {
            pView->DestroyWindow();
        }
        // A view that did not go (no window) leaves the list here, so the loop ends.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) RemoveView(pView);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

// ---- Saving ----

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
    // Another of the document's numbered windows still shows it. A view that sits in a window that
    // is not one of them (a pane standing in for its frame) does not count.
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame && pFrame != pFrameArg && pFrame->m_nWindow > 0) return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString name;
    if (m_strPathName.IsEmpty()) {
        name = m_strTitle;
        if (name.IsEmpty()) name = AfxLoadString(AFX_IDS_UNTITLED);
    } else {
        int slash = m_strPathName.ReverseFind('/');
        name = slash >= 0 ? m_strPathName.Mid(slash + 1) : m_strPathName;
    }
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE; // Cancel, or the box could not be shown: keep everything
    }
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        CDocTemplate* pTemplate = GetDocTemplate();
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            int bad = newName.FindOneOf(":/\\");
            if (bad != -1) newName = newName.Left(bad);
            CString ext;
            if (pTemplate && pTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
                int semicolon = ext.Find(';');
                newName += semicolon >= 0 ? ext.Left(semicolon) : ext;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                             OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
            return FALSE;
    }
    CWaitCursor wait;
    // A failed save leaves every file as it was: nothing is deleted.
    if (!OnSaveDocument(newName)) return FALSE;
    if (bReplace) SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    // No path yet, or a read-only file: ask for a name.
    if (m_strPathName.IsEmpty() || ::access(m_strPathName, W_OK) != 0) {
        struct stat st {};
        bool exists = !m_strPathName.IsEmpty() && ::stat(m_strPathName, &st) == 0;
        if (m_strPathName.IsEmpty() || exists) return DoSave(nullptr);
    }
    return DoSave(m_strPathName);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}
