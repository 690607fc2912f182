#pragma once
// CEditMDIApp: the editor's application object. It owns the script machinery for the whole run,
// sets up the one document template, creates the main frame and passes commands nobody else
// handles to the script module.

#include "platform/framework/afxwin.h"
#include "scripting/CADoc.h"
#include "scripting/CAppObject.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHModuleEdit.h"

class CEditMDIApp : public CWinApp {
public:
    CEditMDIApp();

    BOOL InitInstance() override;
    // Ends the run with exit code 0 after the framework's end-of-run work (the recent-file list is
    // written back, so the next start shows it).
    int ExitInstance() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CHHModuleEdit& GetModule() { return m_module; }
    CAppObject& GetAppObject() { return m_appObject; }

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    void startScripting();

    CHHDebugApplication m_debugApp;
    CHHModuleEdit m_module;
    CAppObject m_appObject;
    CADoc m_docObject;
};
