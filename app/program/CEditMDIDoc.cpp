// The edited file.

#include "app/program/CEditMDIDoc.h"

#include "app/program/CEditMDIView.h"
#include "app/program/view_text_commands.h"

IMPLEMENT_DYNCREATE(CEditMDIDoc, CDocument)

CEditMDIView* CEditMDIDoc::GetEditView() const {
    POSITION pos = GetFirstViewPosition();
    return pos ? dynamic_cast<CEditMDIView*>(GetNextView(pos)) : nullptr;
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
    return CDocument::OnOpenDocument(lpszPathName);
}

BOOL CEditMDIDoc::OnSaveDocument(LPCTSTR lpszPathName) {
    BOOL saved = CDocument::OnSaveDocument(lpszPathName);
    if (saved)
        if (CEditMDIView* view = GetEditView()) view->GetEditCtrl()->SetModified(FALSE);
    return saved;
}

void CEditMDIDoc::OnCloseDocument() {
    CDocument::OnCloseDocument();
}
