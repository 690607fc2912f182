// The application object and start-up.

#include "app/program/CEditMDIApp.h"

#include "app/program/CAboutDlg.h"
#include "app/program/CChildFrame.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/CMainFrame.h"
#include "app/program/resource_ids.h"
#include "app/program/resources.h"
#include "app/program/running_editor.h"

#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

BEGIN_MESSAGE_MAP(CEditMDIApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CEditMDIApp::CEditMDIApp() : CWinApp("Corvane JavaScript Editor") {}

BOOL CEditMDIApp::InitInstance() {
    DeclareEditorResources();
    if (HandCommandLineToRunningEditor(*this)) return FALSE;
    Enable3dControls();
    if (!AfxOleInit()) {
        AfxMessageBox("OleInit failed");
        return FALSE;
    }
    SetRegistryKey("Talvora3");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CMultiDocTemplate(IDR_JSTYPE, RUNTIME_CLASS(CEditMDIDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CEditMDIView)));
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        delete frame;
        return FALSE;
    }
    m_pMainWnd = frame;
    startScripting();
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // A named file that cannot be opened has been reported; the editor still starts.
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) ProcessShellCommand(cmdInfo);
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->UpdateWindow();
    frame->DragAcceptFiles();
    AfxEnableControlContainer();
    m_debugApp.Create(m_pszAppName);
    return TRUE;
}

void CEditMDIApp::startScripting() {
    SetEditCtrlOfView([](CView* view) -> CWnd* {
        auto* editView = dynamic_cast<CEditMDIView*>(view);
        return editView ? editView->GetEditCtrl() : nullptr;
    });
    m_appObject.InitDispatchIIDs();
    m_docObject.InitDispatchIIDs();
    if (!m_module.Init(&m_debugApp)) return;
    m_module.SetEditOnError(TRUE);
    m_module.AddNamedObject("App", &m_appObject, 6, FALSE);
    m_module.AddNamedObject("Doc", &m_docObject, 6, FALSE);
}

int CEditMDIApp::ExitInstance() {
    CWinApp::ExitInstance();
    return 0;
}

BOOL CEditMDIApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // With an ended error pending and no editor open, the module opens its editor at the error;
    // a macro changed there is offered for saving once the editor has closed.
    const bool mayEditAtError = m_module.IsErrorPending() && !m_module.GetOpenView();
    const CString before = mayEditAtError ? m_module.GetProcedures().GetText() : CString();
    const BOOL handled = m_module.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (mayEditAtError && m_module.GetProcedures().GetText() != before)
        if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) frame->AskToSaveScript();
    return handled;
}

void CEditMDIApp::OnAppAbout() {
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}
