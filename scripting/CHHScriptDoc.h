#pragma once
// CHHScriptDoc: a document that binds a script view to a script engine of its own, with Run and
// Stop commands; it is stored as the view's procedure list.

#include "platform/framework/CDocument.h"
#include "scripting/CHHEngine.h"
#include "scripting/CHHScriptViewBase.h"

#include <memory>

class CHHScriptDoc : public CDocument {
    DECLARE_DYNCREATE(CHHScriptDoc)
public:
    ~CHHScriptDoc() override;

    virtual CHHScriptViewBase* GetScriptView();
    virtual BOOL InitEngine();
    virtual void FillView();
    virtual void OnErrorEnded(const CHHScriptErrorInfo& info);
    virtual void OnViewBreakpoint(LPCTSTR object, LPCTSTR procedure, int line, int charPos, int procedureStart, BOOL on);
    CHHEngine* GetEngine() const { return m_pEngine.get(); }

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    void OnCloseDocument() override;

protected:
    afx_msg void OnRun();
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI);
    afx_msg void OnStop();
    afx_msg void OnUpdateStop(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CHHEngine> m_pEngine;
    DWORD m_dwScriptCookie = 0;
    CString m_strTypeLibPrefix = "$$TypeLib:";
};
