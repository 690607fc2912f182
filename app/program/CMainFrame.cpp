// The editor's main window: creation, timers and shut-down.

#include "app/program/CMainFrame.h"

#include "app/program/CConfirmAllDlg.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/editor_globals.h"
#include "app/file_helpers.h"
#include "app/program/resource_ids.h"

#include "platform/win/shellapi.h"

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_LINECOL, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
const char kBarLayout[] = "JSBars";
const char kWorkspace[] = "Workspace";

// Every document of the application, in template order.
template <class Fn> void forEachDocument(Fn fn) {
    CWinApp* app = AfxGetApp();
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* tmpl = app->GetNextDocTemplate(t);
        for (POSITION d = tmpl->GetFirstDocPosition(); d;) fn(tmpl->GetNextDoc(d));
    }
}

} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_VIEW_HTML_BAR, OnViewHtmlBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_HTML_BAR, OnUpdateViewHtmlBar)
    ON_COMMAND(ID_FILE_CLOSE_ALL, OnFileCloseAll)
    ON_COMMAND(ID_FILE_SAVE_ALL, OnFileSaveAll)
    ON_COMMAND(ID_OPTIONS_SAVE_BEFORE_VIEW, OnOptionsSaveBeforeView)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_SAVE_BEFORE_VIEW, OnUpdateOptionsSaveBeforeView)
    ON_COMMAND(ID_OPTIONS_AUTO_RELOAD, OnOptionsAutoReload)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_AUTO_RELOAD, OnUpdateOptionsAutoReload)
    ON_COMMAND(ID_HELP_MANUAL, OnHelpManual)
    ON_COMMAND(ID_HELP_TUTORIAL, OnHelpTutorial)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::createToolBar(CToolBar& bar, UINT nResource, UINT nID) {
    if (!bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID) || !bar.LoadToolBar(nResource)) return FALSE;
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    ShowWindow(SW_SHOWMAXIMIZED);
    if (!createToolBar(m_wndToolBar, IDR_MAINFRAME, AFX_IDW_TOOLBAR)) return -1;
    if (!createToolBar(m_wndHtmlBar, IDR_HTMLBAR, ID_HTML_BAR_CONTROL)) return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(sizeof kIndicators / sizeof kIndicators[0])))
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndHtmlBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndHtmlBar);
    RecalcLayout();
    LoadSettingsFile(GetAppDirectory() + "Settings.ini");
    applyStoredOptions();
    restoreBarLayout();
    SetTimer(TIMER_STARTUP, 1, nullptr);
    SetTimer(TIMER_FUNCTIONS, 50, nullptr);
    return 0;
}

void CMainFrame::applyStoredOptions() {
    short value = 0;
    if (GetSettings().GetInt(ResourceString(IDS_GENERAL), ResourceString(IDS_AUTORELOAD), value))
        m_bAutoReload = value > 0;
}

void CMainFrame::restoreBarLayout() {
    try {
        CDockState state;
        if (state.LoadState(kBarLayout)) SetDockState(state);
    } catch (CException* e) {
        e->Delete();
    }
}

void CMainFrame::saveBarLayout() {
    CDockState state;
    GetDockState(state);
    state.SaveState(kBarLayout);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_STARTUP) {
        KillTimer(TIMER_STARTUP);
        firstRun();
        ReopenOpenFileList();
        EnableFunctionsList(TRUE);
    }
    CMDIFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::firstRun() {
    const CString general = ResourceString(IDS_GENERAL);
    const CString firstTime = ResourceString(IDS_FIRSTTIME);
    CString value;
    if (GetSettings().GetString(general, firstTime, value)) return;
    GetSettings().SetInt(general, firstTime, 1);
    GetSettings().Save();
    ::ShellExecute(m_hWnd, "open", GetAppDirectory() + "Welcome.htm", nullptr, nullptr, SW_SHOWNORMAL);
    AfxGetApp()->OpenDocumentFile(GetAppDirectory() + "Projects/HelloWorld.htm");
}

void CMainFrame::openProgramFile(LPCTSTR lpszRelative) {
    ::ShellExecute(m_hWnd, "open", GetAppDirectory() + lpszRelative, nullptr, nullptr, SW_SHOWNORMAL);
}

std::vector<std::string> CMainFrame::GetOpenFileList() const {
    std::vector<std::string> paths;
    forEachDocument([&paths](CDocument* doc) {
        const CString& path = doc->GetPathName();
        if (!path.IsEmpty() && FileExists(path)) paths.emplace_back(static_cast<LPCSTR>(path));
    });
    return paths;
}

void CMainFrame::SaveOpenFileList() {
    CIniFile& settings = GetSettings();
    CString existing;
    for (int i = 0; settings.GetIndexedString(kWorkspace, i, existing); ++i) settings.SetIndexedString(kWorkspace, i, "");
    std::vector<std::string> paths = GetOpenFileList();
    for (size_t i = 0; i < paths.size(); ++i) settings.SetIndexedString(kWorkspace, static_cast<int>(i), paths[i].c_str());
}

void CMainFrame::ReopenOpenFileList() {
    CString path;
    std::vector<CString> paths;
    for (int i = 0; GetSettings().GetIndexedString(kWorkspace, i, path); ++i) paths.push_back(path);
    for (const CString& p : paths)
        if (FileExists(p)) AfxGetApp()->OpenDocumentFile(p);
}

void CMainFrame::OnClose() {
    KillTimer(TIMER_FUNCTIONS);
    m_bClosing = TRUE;
    SaveOpenFileList();
    GetSettings().Save();
    saveBarLayout();
    HWND self = m_hWnd;
    CMDIFrameWnd::OnClose();
    if (!::IsWindow(self)) return;
    // The user kept the program open (a save question was cancelled): carry on as before.
    m_bClosing = FALSE;
    SetTimer(TIMER_FUNCTIONS, 50, nullptr);
}

void CMainFrame::OnDestroy() {
    KillTimer(TIMER_APP_EVENT);
    CMDIFrameWnd::OnDestroy();
}

void CMainFrame::OnViewHtmlBar() {
    ShowControlBar(&m_wndHtmlBar, !m_wndHtmlBar.IsWindowVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewHtmlBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_wndHtmlBar.IsWindowVisible());
}

void CMainFrame::OnFileCloseAll() {
    BOOL yesToAll = FALSE;
    std::vector<CDocument*> docs;
    forEachDocument([&docs](CDocument* doc) { docs.push_back(doc); });
    for (CDocument* doc : docs) {
        if (doc->IsModified()) {
            if (yesToAll) {
                if (!doc->DoFileSave()) return;
            } else {
                CConfirmAllDlg ask(CString("Save changes to ") + doc->GetTitle() + "?", this);
                ask.DoModal();
                if (ask.m_nAnswer == CConfirmAllDlg::kCancel) return;
                if (ask.m_nAnswer == CConfirmAllDlg::kYesToAll) yesToAll = TRUE;
                if ((ask.m_nAnswer == CConfirmAllDlg::kYes || yesToAll) && !doc->DoFileSave()) return;
                if (ask.m_nAnswer == CConfirmAllDlg::kNoToAll) {
                    AfxGetApp()->CloseAllDocuments(FALSE);
                    return;
                }
            }
        }
        doc->OnCloseDocument();
    }
}

void CMainFrame::OnFileSaveAll() {
    forEachDocument([](CDocument* doc) {
        if (doc->IsModified()) doc->DoFileSave();
    });
}

void CMainFrame::OnOptionsSaveBeforeView() {
    short value = 1;
    GetSettings().GetInt(ResourceString(IDS_INIT), ResourceString(IDS_SAVEONCOMPILE), value);
    GetSettings().SetInt(ResourceString(IDS_INIT), ResourceString(IDS_SAVEONCOMPILE), value ? 0 : 1);
    GetSettings().Save();
}

void CMainFrame::OnUpdateOptionsSaveBeforeView(CCmdUI* pCmdUI) {
    short value = 1;
    GetSettings().GetInt(ResourceString(IDS_INIT), ResourceString(IDS_SAVEONCOMPILE), value);
    pCmdUI->SetCheck(value != 0);
}

void CMainFrame::OnOptionsAutoReload() {
    m_bAutoReload = !m_bAutoReload;
    GetSettings().SetInt(ResourceString(IDS_GENERAL), ResourceString(IDS_AUTORELOAD), m_bAutoReload ? 1 : 0);
}

void CMainFrame::OnUpdateOptionsAutoReload(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bAutoReload);
}

void CMainFrame::OnHelpManual() {
    openProgramFile("Manual.chm");
}

void CMainFrame::OnHelpTutorial() {
    openProgramFile("Tutorial/Index.htm");
}
