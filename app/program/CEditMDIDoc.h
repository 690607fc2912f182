#pragma once
// CEditMDIDoc: one file being edited. The framework keeps its path, title and modified flag; the
// title carries " *" while the document has unsaved changes. Its text lives in its view's control.

#include "platform/framework/afxwin.h"

#include <functional>

class CEditMDIView;

class CEditMDIDoc : public CDocument {
    DECLARE_DYNCREATE(CEditMDIDoc)
public:
    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;
    BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE) override;

    CEditMDIView* GetEditView() const;

    // The template an untitled document was made from (its text came from there).
    void SetTemplateOrigin(const CString& path) { m_strTemplateOrigin = path; }
    // Whether the document is an HTML page: by its file's name, or by its template's while it has
    // no file of its own.
    BOOL IsHtml() const;

private:
    BOOL withPlainTitle(const std::function<BOOL()>& run);

    CString m_strTemplateOrigin;
};
