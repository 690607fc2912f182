#pragma once
// CHHScriptSyntaxView: the script view that compiles single procedures with a private engine: when
// the user leaves a procedure, on "Check Syntax" and before the view closes; the caret goes to the
// first error and the user stays on that procedure.

#include "scripting/CHHEngine.h"
#include "scripting/CHHScriptView.h"

#include <memory>

class CHHScriptSyntaxView : public CHHScriptView {
    DECLARE_DYNCREATE(CHHScriptSyntaxView)
public:
    ~CHHScriptSyntaxView() override;

    // Takes a private engine of the given engine's class; null works without checks.
    BOOL SetEngine(CHHEngine* engine);
    BOOL SetEngineClass(CRuntimeClass* engineClass);
    void UseEngine(CHHEngine* engine) override { SetEngine(engine); }
    BOOL CheckProcedure(LPCTSTR object, LPCTSTR procedure) override;
    BOOL CheckSyntax() override;
    BOOL ColorizeHook(const char16_t* text, int length, WORD* attributes) override;
    int OnCloseButton(int state) override;
    virtual void OnScriptError(const CHHScriptErrorInfo& info);

protected:
    afx_msg void OnObjectChosenChecked();
    afx_msg void OnEventChosenChecked();
    DECLARE_MESSAGE_MAP()
    BOOL CheckLeftProcedure();

    // The procedure's text: from the control while it is shown and dirty, else as stored.
    CString ProcedureText(LPCTSTR object, LPCTSTR procedure);
    void GoToError(LPCTSTR object, LPCTSTR procedure);

    std::unique_ptr<CHHEngine> m_pEngine;
    BOOL m_bChecking = FALSE;
    int m_nErrorLine = 0;
    int m_nErrorColumn = 0;
};
