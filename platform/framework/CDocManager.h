#pragma once
// CDocManager: the application's document templates, File New (asking which type when there are
// several) and File Open, with the file dialogs built from the templates' filters.

#include "platform/framework/CList.h"
#include "platform/framework/CString.h"
#include "platform/framework/CObject.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject {
public:
    CDocManager() = default;
    ~CDocManager() override;

    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const {
        return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    }
    int GetOpenDocumentCount();
    // Opens the file with the template that suits it best, or activates the document that already
    // has it open; nullptr when it cannot be opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();

    CPtrList m_templateList;
};
