#pragma once
// CHHScriptApp: an application base for programs in which a script is a document. It holds the
// script debugger's application object and the two debugger commands, which are enabled only
// while a derived application says that both the debug manager and the debug application exist.

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CWinApp.h"
#include "scripting/CHHDebugApplication.h"

class CHHScriptApp : public CWinApp {
    DECLARE_DYNAMIC(CHHScriptApp)
public:
    explicit CHHScriptApp(LPCTSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}

    CHHDebugApplication& GetDebugApplication() { return m_debugApp; }

protected:
    // Both do nothing while the debug application is not set up.
    afx_msg void OnBreakNext() { m_debugApp.CauseBreak(); }
    afx_msg void OnOpenDebugger() { m_debugApp.StartDebugSession(); }
    afx_msg void OnUpdateDebugger(CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_bHaveDebugManager && m_bHaveDebugApplication);
    }
    DECLARE_MESSAGE_MAP()

    CHHDebugApplication m_debugApp;
    BOOL m_bHaveDebugManager = FALSE;
    BOOL m_bHaveDebugApplication = FALSE;
};
