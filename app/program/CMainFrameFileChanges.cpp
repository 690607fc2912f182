// The main frame's side of the file-change watcher: documents register their files, and a file
// changed by another program is reloaded.

#include "app/program/CMainFrame.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/editor_globals.h"

void CMainFrame::WatchDocumentFile(LPCTSTR lpszPath, BOOL bAdd) {
    m_fileWatcher.Stop(FALSE);
    if (!m_bClosing) {
        if (bAdd) m_fileWatcher.AddFile(lpszPath);
        else m_fileWatcher.RemoveFile(lpszPath);
    }
    m_fileWatcher.Start();
}

LRESULT CMainFrame::OnFileChanged(WPARAM, LPARAM lParam) {
    CString path;
    if (!m_fileWatcher.TakePath(lParam, path) || !m_bAutoReload) return 0;
    for (CDocument* doc : GetAllDocuments())
        if (IsOpenDocument(doc) && doc->GetFirstViewPosition() && doc->GetPathName() == path) reloadChangedDocument(doc);
    return 0;
}

// A document without unsaved edits follows its file at once; one with edits asks first, so that
// nothing typed is lost unless the user says so.
void CMainFrame::reloadChangedDocument(CDocument* pDoc) {
    CEditMDIView* view = static_cast<CEditMDIDoc*>(pDoc)->GetEditView();
    if (!view || m_bAskingReload) return;
    if (pDoc->IsModified()) {
        CString question;
        question.Format("%s\nhas been changed by another program.\n\nReload it and lose the changes made here?",
                        static_cast<LPCSTR>(pDoc->GetPathName()));
        m_bAskingReload = TRUE;
        const int answer = AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION);
        m_bAskingReload = FALSE;
        if (answer != IDYES || !IsOpenDocument(pDoc)) return;
    }
    view->ReloadDocument();
}
