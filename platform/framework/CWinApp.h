#pragma once
// CWinApp: the program's one application object. main creates it (as a global) and calls
// AfxWinMain, which runs InitInstance and then the message loop with idle processing. It also holds
// the profile (registry or INI file), the document templates and the recent-file list.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CList.h"
#include "platform/framework/CString.h"
#include "platform/win/windows.h"

#include <memory>

class CWnd;
class CDocument;
class CDocTemplate;
class CDocManager;
class CRecentFileList;
class CCommandLineInfo;
class CCmdUI;

#define HELP_CONTEXT 0x0001L
#define HELP_QUIT 0x0002L
#define HELP_INDEX 0x0003L
#define HELP_FINDER 0x000bL
#define HELP_HELPONHELP 0x0004L

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // ---- Members the program sets or reads ----
    CString m_strAppName;
    LPCSTR m_pszAppName = nullptr;     // title of message boxes and frames
    LPCSTR m_pszRegistryKey = nullptr; // set by SetRegistryKey: the profile is in the registry
    LPCSTR m_pszProfileName = nullptr; // the registry sub-key, or the INI file without one
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    int m_argc = 0;
    char** m_argv = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    CDocManager* m_pDocManager = nullptr;
    HANDLE m_hDevMode = nullptr;
    HANDLE m_hDevNames = nullptr;
    // A message the loop got last (PreTranslateMessage may change it).
    MSG m_msgCur{};

    // ---- Running ----
    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    // The message loop: idle processing while the queue is empty, until WM_QUIT; then ExitInstance.
    virtual int Run();
    // Idle work for the count-th idle call since the last message: 0 updates the user interface
    // (WM_IDLEUPDATECMDUI to the main window and its descendants), 1 frees temporary objects.
    // TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    // The exit code Run returns after WM_QUIT.
    int m_nExitCode = 0;

    // ---- Profile ----
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // The bytes are new[]-allocated for the caller, who delete[]s them.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // HKEY_CURRENT_USER\Software\<registry key>\<profile name>, created when missing; the caller
    // closes it. nullptr without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    // ---- Documents ----
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount();
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    void HideApplication();
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);

    // ---- Command line ----
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- Printing ----
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);

    // ---- Resources and platform switches ----
    HCURSOR LoadCursor(UINT nIDResource) const { return ::LoadCursor(nullptr, MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const { return ::LoadCursor(nullptr, lpszResourceName); }
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const { return ::LoadIcon(nullptr, MAKEINTRESOURCE(nIDResource)); }
    HICON LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIcon(nullptr, lpszResourceName); }
    HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL = FALSE) {}
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    void EnableModeless(BOOL) {}

    // ---- Commands ----
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnHelp();
    afx_msg void OnHelpIndex();

    DECLARE_MESSAGE_MAP()

private:
    CString profileFile() const;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();

// A message box owned by the main window, titled with the application's name.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Runs the application object: InitInstance, then Run. The program's main returns this.
int AfxWinMain(int argc, char* argv[]);
void AfxPostQuitMessage(int nExitCode);
// Deletes the temporary window, DC, GDI and menu objects (the idle work of OnIdle(1)).
void AfxDeleteTempMaps();

// Switches of other platforms that have nothing to do here.
inline BOOL AfxOleCanExitApp() {
    return TRUE;
}
inline void AfxOleSetUserCtrl(BOOL) {}
inline BOOL AfxOleInit() {
    return TRUE;
}
inline void AfxEnableControlContainer() {}
BOOL AfxInitRichEdit();
