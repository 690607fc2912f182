// CWinApp: the run loop with idle processing, message boxes, the document commands and the
// program entry point.

#include "platform/framework/CWinApp.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CCommandLineInfo.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDocManager.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CImageList.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/afxres.h"
#include "platform/win/richedit.h"

#include <cstring>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* theApp = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return theApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandle(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandle(nullptr);
}

LPCSTR AfxGetAppName() {
    return theApp ? theApp->m_pszAppName : "";
}

CWnd* AfxGetMainWnd() {
    return theApp ? theApp->GetMainWnd() : nullptr;
}

void AfxPostQuitMessage(int nExitCode) {
    ::PostQuitMessage(nExitCode);
}

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

BOOL AfxInitRichEdit() {
    return ::RegisterRichEditClasses();
}

void pm::afx::mainWindowDestroyed() {
    if (!theApp) return;
    theApp->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
}

BOOL pm::afx::preTranslateForApp(MSG* pMsg) {
    if (theApp) return theApp->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

CString pm::afx::appTitle() {
    return theApp && theApp->m_pszAppName ? CString(theApp->m_pszAppName) : CString();
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName) m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
    theApp = this;
}

CWinApp::~CWinApp() {
    delete m_pDocManager;
    delete m_pRecentFileList;
    if (theApp == this) theApp = nullptr;
}

// ---- Running ----

BOOL CWinApp::InitApplication() {
    if (m_strAppName.IsEmpty()) {
        CString title = AfxLoadString(AFX_IDS_APP_TITLE);
        m_strAppName = title.IsEmpty() ? CString(m_pszExeName ? m_pszExeName : "") : title;
    }
    m_pszAppName = m_strAppName;
    if (!m_pszProfileName) m_pszProfileName = m_pszAppName;
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return m_nExitCode;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg) {
    // Repeated mouse moves to the same point, paints and the caret blink start no idle work.
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        CPoint pt(pMsg->pt);
        bool same = state->m_ptCursorLast == pt && pMsg->message == state->m_nMsgLast;
        state->m_ptCursorLast = pt;
        state->m_nMsgLast = pMsg->message;
        return !same;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pm::afx::safeHwnd(pMainWnd), pMsg)) return TRUE;
    // A modeless window outside the main frame still gets the main frame's accelerators.
    if (pMainWnd && pMainWnd->m_hWnd && pMsg->hwnd) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd) return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinApp::PumpMessage() {
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) {
        m_nExitCode = static_cast<int>(m_msgCur.wParam);
        return FALSE;
    }
    AfxGetThreadState()->m_msgCur = m_msgCur;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run() {
    bool idle = true;
    LONG idleCount = 0;
    MSG msg{};
    for (;;) {
        while (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = false;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        // Update handlers of every visible frame and of the main window's descendants.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible() && !pMainWnd->IsFrameWnd())
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        const CPtrList& frames = CFrameWnd::AllFrames();
        std::vector<HWND> visible;
        for (POSITION pos = frames.GetHeadPosition(); pos;) {
            auto* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
            if (pFrame->m_hWnd && pFrame->IsWindowVisible()) visible.push_back(pFrame->m_hWnd);
        }
        for (HWND hWnd : visible) {
            CWnd* pFrame = CWnd::FromHandlePermanent(hWnd);
            if (!pFrame) continue;
            AfxCallWndProc(pFrame, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            if (::IsWindow(hWnd))
                CWnd::SendMessageToDescendants(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) {
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND owner =
        pMainWnd && pMainWnd->m_hWnd && ::IsWindowEnabled(pMainWnd->m_hWnd) ? pMainWnd->m_hWnd : nullptr;
    if (HWND active = ::GetActiveWindow()) owner = active;
    if ((nType & MB_ICONMASK) == 0) {
        UINT type = nType & MB_TYPEMASK;
        nType |= (type == MB_OK || type == MB_OKCANCEL)         ? MB_ICONEXCLAMATION
                 : (type == MB_YESNO || type == MB_YESNOCANCEL) ? MB_ICONQUESTION
                                                                : 0;
    }
    return ::MessageBoxA(owner, lpszPrompt, m_pszAppName ? m_pszAppName : "", nType);
}

void CWinApp::DoWaitCursor(int nCode) {
    if (nCode > 0)
        pm::afx::beginWaitCursor();
    else if (nCode < 0)
        pm::afx::endWaitCursor();
    else
        pm::afx::restoreWaitCursor();
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* pApp = AfxGetApp()) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(nullptr, lpszText, "", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text = AfxLoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// There is no help engine: closing it needs nothing, and a request for help tells the user that
// none is there, as a missing help file would.
void CWinApp::WinHelp(DWORD_PTR, UINT nCmd) {
    if (nCmd == HELP_QUIT) return;
    AfxMessageBox("No help is available for this item.", MB_OK | MB_ICONINFORMATION);
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- Documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (!m_pDocManager) m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return m_pDocManager->GetNextDocTemplate(pos);
}

int CWinApp::GetOpenDocumentCount() {
    return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
    if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified() {
    return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::HideApplication() {
    if (!m_pMainWnd || !m_pMainWnd->m_hWnd) return;
    m_pMainWnd->ShowWindow(SW_HIDE);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
    if (!m_pDocManager) m_pDocManager = new CDocManager;
    return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

// ---- Commands ----

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

void CWinApp::OnFileNew() {
    if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
    if (m_pDocManager) m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup() {
    PRINTDLG pd{};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_PRINTSETUP;
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    if (::PrintDlgA(&pd)) SelectPrinter(pd.hDevNames, pd.hDevMode, FALSE);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp() {
    WinHelp(0, HELP_CONTEXT);
}

void CWinApp::OnHelpIndex() {
    WinHelp(0, HELP_INDEX);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (!m_pRecentFileList) return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty()) return FALSE;
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---- Printing ----

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg) {
    if (!pPrintDlg) return FALSE;
    if (!m_hDevNames) {
        PRINTDLG pd{};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT;
        if (!::PrintDlgA(&pd)) return FALSE;
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return m_hDevNames != nullptr;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
    if (bFreeOld) {
        if (m_hDevMode && m_hDevMode != hDevMode) ::GlobalFree(m_hDevMode);
        if (m_hDevNames && m_hDevNames != hDevNames) ::GlobalFree(m_hDevNames);
    }
    m_hDevMode = hDevMode;
    m_hDevNames = hDevNames;
}

// ---- Command line ----

namespace {

// "-p" and "/p" are flags; an absolute path ("/home/a.js", "/a.js" when it exists) is a file.
BOOL isFlag(const char* param) {
    if (param[0] == '\0' || param[1] == '\0') return FALSE;
    if (param[0] == '-') return TRUE;
    if (param[0] != '/' || std::strchr(param + 1, '/')) return FALSE;
    struct stat st {};
    return ::stat(param, &st) != 0;
}

} // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < m_argc; ++i) {
        const char* param = m_argv[i];
        BOOL flag = isFlag(param);
        if (flag) ++param;
        rCmdInfo.ParseParam(param, flag, i == m_argc - 1);
    }
    if (m_argc <= 1) rCmdInfo.ParseParam("", FALSE, TRUE);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

// ---- Entry point ----

int AfxWinMain(int argc, char* argv[]) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    pApp->m_argc = argc;
    pApp->m_argv = argv;
    static CString exeName;
    if (argc > 0) {
        exeName = argv[0];
        int slash = exeName.ReverseFind('/');
        if (slash >= 0) exeName = exeName.Mid(slash + 1);
        pApp->m_pszExeName = exeName;
    }
    int result = -1;
    if (pApp->InitApplication() && pApp->InitInstance())
        result = pApp->Run();
    else
        result = pApp->ExitInstance();
    return result;
}
