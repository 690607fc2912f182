#pragma once
// CMainFrame: the editor's main window. Its creation builds the tool bars and the status bar,
// loads Settings.ini and restores the bar layout; a one-shot timer then shows the first-run pages
// and reopens the documents of the last run. Closing saves the open-file list, the settings and
// the bar layout.

#include "app/program/CFrameFileWatcher.h"
#include "app/program/CInfoTabBar.h"
#include "app/program/CProjTabBar.h"

#include "docking/CDKMDIClientTabs.h"
#include "app/program/CDKMenuBarSizeDockMDIFrameWnd.h"
#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKCoolToolBar.h"
#include "docking/CDKWorkspaceState.h"
#include "platform/framework/afxwin.h"

#include <string>
#include <vector>

// The control id of the HTML bar (the main tool bar has the framework's tool-bar id).
#define ID_HTML_BAR_CONTROL 0xE805

class CEditMDIView;

class CMainFrame : public CDKMenuBarSizeDockMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- The workspace and the file-change watcher ----
    // The paths of the open documents that exist on disk, in the order of their windows.
    std::vector<std::string> GetOpenFileList() const;
    // Writes the open-file list to the "Workspace" section (the key after the last one removed),
    // saves the settings and the bar layout.
    void SaveWorkspace();
    // Opens the documents of the "Workspace" section in their order.
    void RestoreWorkspace();
    // Stops the watcher, adds or removes the path (unless the frame is closing) and starts it again.
    void WatchDocumentFile(LPCTSTR lpszPath, BOOL bAdd);
    CFrameFileWatcher& GetFileWatcher() { return m_fileWatcher; }
    // The macro the VBScript commands work on (empty until one is chosen or made).
    const CString& GetScriptPath() const { return m_strScriptPath; }
    // Asks whether to save the macro to its file, after the editor that opened at an ended error
    // changed it.
    void AskToSaveScript();

    // Refills the Functions list from the view's lines (once the upkeep is on); an unforced
    // rebuild for the view listed last does nothing.
    void RebuildFunctionsList(CEditMDIView* pView, BOOL bForce);
    // Docks pBar in the dock bar beside pBeside, at its place moved by one pixel.
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pBeside, UINT nDockBarID);
    // Rebuilds the list when the caret's line declares a function the list does not hold.
    void KeepFunctionsListInStep(CEditMDIView* pView);
    void FillWorkingDirList();
    void FillSolutionsTree();
    // The working folder (with its trailing separator) and its file mask.
    CString GetWorkingDir() const;
    CString GetWorkingMask() const;

    BOOL IsClosing() const { return m_bClosing; }
    BOOL IsAutoReload() const { return m_bAutoReload; }

    CDKCoolToolBar m_wndToolBar;
    CDKCoolToolBar m_wndHtmlBar;
    CStatusBar m_wndStatusBar;
    CInfoTabBar m_wndInfoBar;
    CProjTabBar m_wndProjBar;
    CDKMDIClientTabs m_wndTabs;
    CDKBitmapMenuManager m_menuManager;
    // The library's store of a whole workspace; the frame keeps its own open-file list instead.
    CDKWorkspaceState m_workspaceState;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnViewHtmlBar();
    afx_msg void OnUpdateViewHtmlBar(CCmdUI* pCmdUI);
    afx_msg void OnFileCloseAll();
    afx_msg void OnFileSaveAll();
    afx_msg void OnOptionsSaveBeforeView();
    afx_msg void OnUpdateOptionsSaveBeforeView(CCmdUI* pCmdUI);
    afx_msg void OnOptionsAutoComplete();
    afx_msg void OnUpdateOptionsAutoComplete(CCmdUI* pCmdUI);
    afx_msg void OnOptionsListUnique();
    afx_msg void OnOptionsLineNumbers();
    afx_msg void OnUpdateOptionsLineNumbers(CCmdUI* pCmdUI);
    afx_msg void OnOptionsAutoReload();
    afx_msg void OnUpdateOptionsAutoReload(CCmdUI* pCmdUI);
    afx_msg void OnViewPane(UINT nID);
    afx_msg void OnUpdateViewPane(CCmdUI* pCmdUI);
    afx_msg void OnFunctionsSelChange();
    afx_msg void OnFunctionsGoto();
    afx_msg void OnFunctionsRefresh();
    afx_msg void OnFunctionsCopy();
    afx_msg void OnUpdateFunctionsCopy(CCmdUI* pCmdUI);
    afx_msg void OnFunctionsCopyAll();
    afx_msg void OnWorkDirOpen();
    afx_msg void OnSolutionsOpen();
    afx_msg void OnSolutionsMenu();
    afx_msg void OnHelpManual();
    afx_msg void OnHelpTutorial();
    // New from Template, Developer Solutions and Change Working Directory (CMainFrameDialogs.cpp).
    afx_msg void OnFileNewFromTemplate();
    afx_msg void OnHelpDevSolutions();
    afx_msg void OnWorkDirChange();
    // ---- Commands of the menus and panes, the hand-over and the watcher's message ----
    afx_msg void OnScriptRun();
    afx_msg void OnUpdateScriptRun(CCmdUI* pCmdUI);
    afx_msg void OnScriptNew();
    afx_msg void OnScriptEdit();
    afx_msg void OnUpdateScriptEdit(CCmdUI* pCmdUI);
    afx_msg void OnScriptStop();
    afx_msg void OnScriptPause();
    afx_msg void OnUpdateScriptRunning(CCmdUI* pCmdUI);
    afx_msg void OnScriptSelect();
    afx_msg void OnHelpReference();
    afx_msg void OnHelpKeyword();
    afx_msg BOOL OnHelpWebPage(UINT nID);
    afx_msg void OnHelpUpgrades();
    afx_msg void OnWorkDirOpenNative();
    afx_msg void OnWorkDirExplorer();
    afx_msg void OnSolutionsOpenNative();
    afx_msg void OnSolutionsCopy();
    afx_msg void OnSolutionsExplorer();
    afx_msg void OnShowWindowHandle();
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg LRESULT OnFileChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL createToolBar(CDKCoolToolBar& bar, UINT nResource, UINT nID);
    void applyStoredOptions();
    void restoreBarLayout();
    void saveBarLayout();
    void firstRun();
    void openProgramFile(LPCTSTR lpszRelative);
    BOOL createPanes();
    CControlBar* paneOfCommand(UINT nID);
    CString selectedText(CListBox& list) const;

    CEditMDIView* m_pListedView = nullptr;

    BOOL m_bClosing = FALSE;
    BOOL m_bAutoReload = TRUE;

    // ---- Commands, workspace and watcher ----
    enum class SaveAnswer { Ask, YesToAll, NoToAll };
    // One pass of Close All; FALSE when the user cancelled it.
    BOOL closeAllPass(SaveAnswer& answer);
    void storeWorkingDirDefaults();
    void openHelpPage(LPCTSTR lpszRelative, LPCTSTR lpszTopic);
    void loadScript(LPCTSTR lpszPath);
    void editScript();
    // Writes the macro to its file; a failed write is reported.
    void saveScript();
    void openAndFind(const CString& text);
    void reloadChangedFile(const CString& strPath);
    void reloadChangedDocument(CDocument* pDoc);
    void registerProgram();

    CFrameFileWatcher m_fileWatcher{this};
    BOOL m_bScriptSelected = FALSE;
    CString m_strScriptPath;
    BOOL m_bAskingReload = FALSE;
    // Files that changed while the user was asked about another one, taken after the answer.
    std::vector<CString> m_pendingReloads;
};
