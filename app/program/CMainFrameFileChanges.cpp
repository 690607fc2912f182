// The main frame's side of the file-change watcher: documents register their files, and a file
// changed by another program is reloaded.

#include "app/program/CMainFrame.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/editor_globals.h"

#include <algorithm>

void CMainFrame::WatchDocumentFile(LPCTSTR lpszPath, BOOL bAdd) {
    m_fileWatcher.Stop(FALSE);
    if (!m_bClosing) {
        if (bAdd)
            m_fileWatcher.AddFile(lpszPath);
        else
            m_fileWatcher.RemoveFile(lpszPath);
    }
    m_fileWatcher.Start();
}

LRESULT CMainFrame::OnFileChanged(WPARAM, LPARAM lParam) {
    CString path;
    if (!m_fileWatcher.TakePath(lParam, path) || !m_bAutoReload) return 0;
    if (!m_bAskingReload) {
        reloadChangedFile(path);
        return 0;
    }
    if (std::find(m_pendingReloads.begin(), m_pendingReloads.end(), path) == m_pendingReloads.end())
        m_pendingReloads.push_back(path);
    return 0;
}

void CMainFrame::reloadChangedFile(const CString& strPath) {
    for (CDocument* doc : GetAllDocuments())
        if (IsOpenDocument(doc) && doc->GetFirstViewPosition() && doc->GetPathName() == strPath)
            reloadChangedDocument(doc);
}

// A document without unsaved edits follows its file at once; one with edits asks first, so that
// nothing typed is lost unless the user says so. The answer covers the changes of that file made
// while it was asked; the other files that changed meanwhile are taken afterwards.
void CMainFrame::reloadChangedDocument(CDocument* pDoc) {
    CEditMDIView* view = static_cast<CEditMDIDoc*>(pDoc)->GetEditView();
    if (!view) return;
    if (!pDoc->IsModified()) {
        view->ReloadDocument();
        return;
    }
    const CString path = pDoc->GetPathName();
    CString question;
    question.Format("%s\nhas been changed by another program.\n\nReload it and lose the changes made here?",
                    static_cast<LPCSTR>(path));
    m_bAskingReload = TRUE;
    const int answer = AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION);
    m_bAskingReload = FALSE;
    std::vector<CString> pending;
    pending.swap(m_pendingReloads);
    if (answer == IDYES && IsOpenDocument(pDoc)) view->ReloadDocument();
    for (const CString& other : pending)
        if (other != path) reloadChangedFile(other);
}
