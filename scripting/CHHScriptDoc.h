#pragma once
// CHHScriptDoc: a document that binds a script view to a script engine of its own, with Run and
// Stop commands. It is stored as the view's procedure list, or, with the plain-text flag, as the
// bare script text.

#include "platform/framework/CDocument.h"
#include "scripting/CHHEngine.h"
#include "scripting/CHHScriptViewBase.h"

#include <memory>

class CHHDebugApplication;

class CHHScriptDoc : public CDocument {
    DECLARE_DYNCREATE(CHHScriptDoc)
public:
    ~CHHScriptDoc() override;

    virtual CHHScriptViewBase* GetScriptView();
    // The debugger application of a CHHScriptApp, else null.
    virtual CHHDebugApplication* GetDebugApplication();
    virtual void CreateEngine();
    // Creates the engine once; FALSE when it cannot be made.
    virtual BOOL InitEngine();
    virtual void ClearObjects();
    virtual void DeclareObjects(LPCTSTR text);
    // Gives the view the engine's language tools, "(General)" and the engine's named objects.
    virtual void FillView();
    virtual void OnErrorEnded(const CHHScriptErrorInfo& info);
    virtual void OnViewBreakpoint(LPCTSTR object, LPCTSTR procedure, int line, int charPos,
                                  int procedureStart, BOOL on);
    CHHEngine* GetEngine() const { return m_pEngine.get(); }

    void Serialize(CArchive& ar) override;
    void SetTitle(LPCSTR lpszTitle) override;
    void DeleteContents() override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    void OnCloseDocument() override;

    BOOL m_bPlainText = FALSE;

protected:
    afx_msg void OnRun();
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI);
    afx_msg void OnStop();
    afx_msg void OnUpdateStop(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
    BOOL prepare();
    void showFirstObject();

    std::unique_ptr<CHHEngine> m_pEngine;
    DWORD m_dwScriptCookie = 0;
    CString m_strTypeLibPrefix = "$$TypeLib:";
};
