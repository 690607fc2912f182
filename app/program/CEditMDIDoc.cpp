// The edited file.

#include "app/program/CEditMDIDoc.h"

#include "app/program/CEditMDIView.h"
#include "app/program/CMainFrame.h"
#include "app/program/editor_globals.h"
#include "app/program/view_text_commands.h"

IMPLEMENT_DYNCREATE(CEditMDIDoc, CDocument)

namespace {

// Tells the main frame's file watcher about the document's file.
void watchFile(LPCTSTR lpszPath, BOOL bAdd) {
    if (auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow())) frame->WatchDocumentFile(lpszPath, bAdd);
}

} // namespace

CEditMDIView* CEditMDIDoc::GetEditView() const {
    POSITION pos = GetFirstViewPosition();
    return pos ? dynamic_cast<CEditMDIView*>(GetNextView(pos)) : nullptr;
}

BOOL CEditMDIDoc::IsHtml() const {
    const CString& name = GetPathName().IsEmpty() ? m_strTemplateOrigin : GetPathName();
    return IsHtmlFileName(std::string(static_cast<LPCSTR>(name), static_cast<size_t>(name.GetLength())));
}

void CEditMDIDoc::Serialize(CArchive& ar) {
    if (CEditMDIView* view = GetEditView()) view->Serialize(ar);
}

BOOL CEditMDIDoc::IsModified() {
    return CDocument::IsModified();
}

void CEditMDIDoc::SetModifiedFlag(BOOL bModified) {
    CDocument::SetModifiedFlag(bModified);
    CString title = GetTitle();
    CString marked = TitleWithModifiedMark(title, bModified);
    if (marked != title) SetTitle(marked);
}

BOOL CEditMDIDoc::OnNewDocument() {
    return CDocument::OnNewDocument();
}

BOOL CEditMDIDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    if (!CDocument::OnOpenDocument(lpszPathName)) return FALSE;
    watchFile(lpszPathName, TRUE);
    return TRUE;
}

// The file leaves the watcher while it is written, so that its own save reloads nothing.
BOOL CEditMDIDoc::OnSaveDocument(LPCTSTR lpszPathName) {
    watchFile(lpszPathName, FALSE);
    BOOL saved = CDocument::OnSaveDocument(lpszPathName);
    if (saved)
        if (CEditMDIView* view = GetEditView()) view->GetEditCtrl()->SetModified(FALSE);
    watchFile(lpszPathName, TRUE);
    return saved;
}

void CEditMDIDoc::OnCloseDocument() {
    watchFile(GetPathName(), FALSE);
    CDocument::OnCloseDocument();
}

BOOL CEditMDIDoc::SaveModified() {
    return withPlainTitle([this] { return CDocument::SaveModified(); });
}

BOOL CEditMDIDoc::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
    return withPlainTitle(
        [this, lpszPathName, bReplace] { return CDocument::DoSave(lpszPathName, bReplace); });
}

// The framework names an untitled document by its title, in the save prompt and as the file name
// that Save As offers: the title's " *" mark is no part of that name.
BOOL CEditMDIDoc::withPlainTitle(const std::function<BOOL()>& run) {
    if (!GetPathName().IsEmpty()) return run();
    const CString marked = GetTitle();
    const CString plain = TitleWithModifiedMark(marked, FALSE);
    m_strTitle = plain;
    BOOL result = run();
    if (m_strTitle != plain) return result; // saved under a name of its own
    const CString now = TitleWithModifiedMark(plain, IsModified());
    if (now == marked)
        m_strTitle = marked;
    else
        SetTitle(now);
    return result;
}
