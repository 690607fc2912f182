// The editor's main window: creation, timers and shut-down.

#include "app/program/CMainFrame.h"

#include "app/program/CConfirmAllDlg.h"
#include "app/program/CEditMDIApp.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/editor_globals.h"
#include "app/file_helpers.h"
#include "app/program/resource_ids.h"
#include "app/program/view_text_commands.h"
#include "app/CDirList.h"
#include "app/window_helpers.h"
#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/CHHMarginWnd.h"
#include "docking/CDKSizeDockBar.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_LINECOL, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
const char kBarLayout[] = "JSBars";

// Every document of the application, in template order.
template <class Fn> void forEachDocument(Fn fn) {
    for (CDocument* doc : GetAllDocuments())
        fn(doc);
}

// The headings of the control's text, read a block of whole lines at a time: line by line would
// cost more than the parsing, and the whole text at once would be a copy of a large file.
std::vector<std::string> functionHeadingsOf(CHHEditCtrl& edit) {
    constexpr LONG kBlock = 1 << 18;
    std::vector<std::string> headings;
    const LONG length = edit.GetTextLength();
    for (LONG from = 0, size = kBlock; from < length;) {
        const LONG to = std::min(length, from + size);
        const CString block = edit.GetTextRange(CHARRANGE{from, to});
        std::string_view lines(static_cast<LPCSTR>(block), static_cast<size_t>(block.GetLength()));
        if (to < length) {
            const size_t lf = lines.rfind('\n');
            // A line longer than the block is read again in a larger one.
            if (lf == std::string_view::npos) {
                size *= 2;
                continue;
            }
            lines = lines.substr(0, lf + 1);
        }
        for (std::string& heading : FunctionHeadingsOf(lines))
            headings.push_back(std::move(heading));
        from += static_cast<LONG>(lines.size());
        if (lines.empty()) break;
    }
    return headings;
}

} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CDKMenuBarSizeDockMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CDKMenuBarSizeDockMDIFrameWnd)
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
    ON_COMMAND(ID_OPTIONS_AUTO_COMPLETE, OnOptionsAutoComplete)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_AUTO_COMPLETE, OnUpdateOptionsAutoComplete)
    ON_COMMAND(ID_OPTIONS_LIST_UNIQUE, OnOptionsListUnique)
    ON_COMMAND(ID_OPTIONS_LINE_NUMBERS, OnOptionsLineNumbers)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_LINE_NUMBERS, OnUpdateOptionsLineNumbers)
    ON_COMMAND(ID_OPTIONS_AUTO_RELOAD, OnOptionsAutoReload)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_AUTO_RELOAD, OnUpdateOptionsAutoReload)
    ON_COMMAND_RANGE(ID_VIEW_INFO_PANE, ID_VIEW_PROJECT_PANE, OnViewPane)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_INFO_PANE, ID_VIEW_PROJECT_PANE, OnUpdateViewPane)
    ON_LBN_SELCHANGE(IDC_FUNCTIONS_LIST, OnFunctionsSelChange)
    ON_COMMAND(ID_FUNCTIONS_GOTO, OnFunctionsGoto)
    ON_COMMAND(ID_FUNCTIONS_REFRESH, OnFunctionsRefresh)
    ON_COMMAND(ID_FUNCTIONS_COPY, OnFunctionsCopy)
    ON_UPDATE_COMMAND_UI(ID_FUNCTIONS_COPY, OnUpdateFunctionsCopy)
    ON_COMMAND(ID_FUNCTIONS_COPY_ALL, OnFunctionsCopyAll)
    ON_COMMAND(ID_WORKDIR_OPEN, OnWorkDirOpen)
    ON_COMMAND(ID_SOLUTIONS_OPEN, OnSolutionsOpen)
    ON_COMMAND(ID_SOLUTIONS_TREE_OPEN, OnSolutionsOpen)
    ON_COMMAND(ID_SOLUTIONS_TREE_MENU, OnSolutionsMenu)
    ON_COMMAND(ID_HELP_MANUAL, OnHelpManual)
    ON_COMMAND(ID_HELP_TUTORIAL, OnHelpTutorial)
    ON_COMMAND(ID_FILE_NEW_FROM_TEMPLATE, OnFileNewFromTemplate)
    ON_COMMAND(ID_HELP_DEV_SOLUTIONS, OnHelpDevSolutions)
    ON_COMMAND(ID_WORKDIR_CHANGE, OnWorkDirChange)
    // Commands of the menus and panes, the hand-over and the watcher's message.
    ON_COMMAND(ID_SCRIPT_RUN, OnScriptRun)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_RUN, OnUpdateScriptRun)
    ON_COMMAND(ID_SCRIPT_NEW, OnScriptNew)
    ON_COMMAND(ID_SCRIPT_EDIT, OnScriptEdit)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_EDIT, OnUpdateScriptEdit)
    ON_COMMAND(ID_SCRIPT_STOP, OnScriptStop)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_STOP, OnUpdateScriptRunning)
    ON_COMMAND(ID_SCRIPT_PAUSE, OnScriptPause)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_PAUSE, OnUpdateScriptRunning)
    ON_COMMAND(ID_SCRIPT_SELECT, OnScriptSelect)
    ON_COMMAND(ID_HELP_REFERENCE, OnHelpReference)
    ON_COMMAND(ID_HELP_KEYWORD, OnHelpKeyword)
    ON_COMMAND_EX(ID_HELP_WEBSITE, OnHelpWebPage)
    ON_COMMAND_EX(ID_HELP_MAILING_LIST, OnHelpWebPage)
    ON_COMMAND_EX(ID_HELP_DISCUSSION_BOARD, OnHelpWebPage)
    ON_COMMAND_EX(ID_HELP_EMAIL, OnHelpWebPage)
    ON_COMMAND_EX(ID_HELP_SITE_W3C, OnHelpWebPage)
    ON_COMMAND_EX(ID_HELP_SITE_ECMA, OnHelpWebPage)
    ON_COMMAND_EX_RANGE(ID_HELP_SITE_JAVASCRIPT, ID_HELP_SITE_CSS, OnHelpWebPage)
    ON_COMMAND(ID_HELP_UPGRADES, OnHelpUpgrades)
    ON_COMMAND(ID_WORKDIR_OPEN_NATIVE, OnWorkDirOpenNative)
    ON_COMMAND(ID_WORKDIR_EXPLORER, OnWorkDirExplorer)
    ON_COMMAND(ID_SOLUTIONS_OPEN_NATIVE, OnSolutionsOpenNative)
    ON_COMMAND(ID_SOLUTIONS_COPY, OnSolutionsCopy)
    ON_COMMAND(ID_SOLUTIONS_EXPLORER, OnSolutionsExplorer)
    ON_COMMAND(ID_SHOW_WINDOW_HANDLE, OnShowWindowHandle)
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_FILE_CHANGED, OnFileChanged)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CDKMenuBarSizeDockMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::createToolBar(CDKCoolToolBar& bar, UINT nResource, UINT nID) {
    if (!bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID) || !bar.LoadToolBar(nResource)) return FALSE;
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKMenuBarSizeDockMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    ShowWindow(SW_SHOWMAXIMIZED);
    if (!createToolBar(m_wndToolBar, IDR_MAINFRAME, AFX_IDW_TOOLBAR)) return -1;
    if (!createToolBar(m_wndHtmlBar, IDR_HTMLBAR, ID_HTML_BAR_CONTROL)) return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators,
                                      static_cast<int>(sizeof kIndicators / sizeof kIndicators[0])))
        return -1;
    if (!createPanes()) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndHtmlBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndInfoBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndProjBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndHtmlBar);
    DockControlBar(&m_wndInfoBar, AFX_IDW_DOCKBAR_LEFT);
    DockControlBarLeftOf(&m_wndProjBar, &m_wndInfoBar, AFX_IDW_DOCKBAR_LEFT);
    RecalcLayout();
    m_wndTabs.Attach(this, 0x243);
    LoadSettingsFile(GetAppDirectory() + "Settings.ini");
    applyStoredOptions();
    m_wndProjBar.m_wndTree.SetNotify(this, ID_SOLUTIONS_TREE_OPEN);
    m_menuManager.AttachFrameWnd(this);
    m_menuManager.SetMenuImagesFromToolBars();
    registerProgram();
    restoreBarLayout();
    SetTimer(TIMER_STARTUP, 1, nullptr);
    SetTimer(TIMER_FUNCTIONS, 50, nullptr);
    return 0;
}

BOOL CMainFrame::createPanes() {
    if (!m_wndInfoBar.Create(this, "Info", ID_INFO_PANE) ||
        !m_wndProjBar.Create(this, "Project", ID_PROJECT_PANE))
        return FALSE;
    // Docked at the left, each starts 200 pixels wide.
    for (CDKSizeControlBar* pane :
         {static_cast<CDKSizeControlBar*>(&m_wndInfoBar), static_cast<CDKSizeControlBar*>(&m_wndProjBar)}) {
        pane->m_szVert = CSize(200, 300);
        pane->SetWindowPos(nullptr, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CMainFrame::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pBeside, UINT nDockBarID) {
    RecalcLayout();
    CRect rect;
    pBeside->GetWindowRect(&rect);
    rect.OffsetRect(1, 1);
    DockControlBar(pBar, nDockBarID, &rect);
}

void CMainFrame::applyStoredOptions() {
    CIniFile& settings = GetSettings();
    short value = 0;
    SetAutoCompleteAuto(settings.GetInt("Intellisense", "Auto", value) && value == 1);
    SetAutoCompleteListUnique(settings.GetInt("Intellisense", "ListUnique", value) && value == 1);
    if (settings.GetInt("Intellisense", "Scanlines", value))
        SetAutoCompleteScanLines(static_cast<WORD>(value));
    if (settings.GetInt(ResourceString(IDS_GENERAL), ResourceString(IDS_LINENO), value) && value != 0)
        CHHMarginWnd::CreateSmallFont(TRUE);
    if (settings.GetInt(ResourceString(IDS_GENERAL), ResourceString(IDS_AUTORELOAD), value))
        m_bAutoReload = value > 0;
}

void CMainFrame::OnOptionsAutoComplete() {
    SetAutoCompleteAuto(!GetAutoCompleteAuto());
    GetSettings().SetInt("Intellisense", "Auto", GetAutoCompleteAuto() ? 1 : 0);
    GetSettings().Save();
}

void CMainFrame::OnUpdateOptionsAutoComplete(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(GetAutoCompleteAuto());
}

void CMainFrame::OnOptionsListUnique() {
    SetAutoCompleteListUnique(!GetAutoCompleteListUnique());
    GetSettings().SetInt("Intellisense", "ListUnique", GetAutoCompleteListUnique() ? 1 : 0);
    GetSettings().Save();
}

void CMainFrame::OnOptionsLineNumbers() {
    const BOOL shown = !CHHMarginWnd::HasLineNumbers();
    CHHMarginWnd::CreateSmallFont(shown);
    GetSettings().SetInt(ResourceString(IDS_GENERAL), ResourceString(IDS_LINENO), shown ? 1 : 0);
    GetSettings().Save();
    forEachDocument([](CDocument* doc) {
        if (CEditMDIView* view = static_cast<CEditMDIDoc*>(doc)->GetEditView()) {
            view->GetEditCtrl()->GetMarginWnd()->Invalidate();
        }
    });
}

void CMainFrame::OnUpdateOptionsLineNumbers(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(CHHMarginWnd::HasLineNumbers());
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
        RestoreWorkspace();
        EnableFunctionsList(TRUE);
        RebuildFunctionsList(GetActiveEditView(), TRUE);
        FillWorkingDirList();
        FillSolutionsTree();
    } else if (nIDEvent == TIMER_APP_EVENT) {
        if (auto* app = dynamic_cast<CEditMDIApp*>(AfxGetApp()))
            app->GetAppObject().FireEvent(CAppObject::DISPID_Timer, VTS_NONE);
    } else if (nIDEvent == TIMER_STOP_SCRIPT) {
        KillTimer(TIMER_STOP_SCRIPT);
        if (auto* app = dynamic_cast<CEditMDIApp*>(AfxGetApp())) app->GetModule().Stop();
    } else if (nIDEvent == TIMER_FUNCTIONS) {
        if (CEditMDIView* view = GetActiveEditView()) KeepFunctionsListInStep(view);
    }
    CDKMenuBarSizeDockMDIFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::firstRun() {
    const CString general = ResourceString(IDS_GENERAL);
    const CString firstTime = ResourceString(IDS_FIRSTTIME);
    CString value;
    if (GetSettings().GetString(general, firstTime, value)) return;
    GetSettings().SetInt(general, firstTime, 1);
    GetSettings().Save();
    OpenWithDesktop(m_hWnd, GetAppDirectory() + "Welcome.htm");
    AfxGetApp()->OpenDocumentFile(GetAppDirectory() + "Projects/HelloWorld.htm");
}

void CMainFrame::openProgramFile(LPCTSTR lpszRelative) {
    OpenWithDesktop(m_hWnd, GetAppDirectory() + lpszRelative);
}

void CMainFrame::OnClose() {
    KillTimer(TIMER_FUNCTIONS);
    m_bClosing = TRUE;
    SaveWorkspace();
    HWND self = m_hWnd;
    CDKMenuBarSizeDockMDIFrameWnd::OnClose();
    if (!::IsWindow(self)) return;
    // The user kept the program open (a save question was cancelled): carry on as before.
    m_bClosing = FALSE;
    SetTimer(TIMER_FUNCTIONS, 50, nullptr);
    m_fileWatcher.Start();
}

void CMainFrame::OnDestroy() {
    KillTimer(TIMER_APP_EVENT);
    m_menuManager.DetachFrameWnd();
    if (auto* app = dynamic_cast<CEditMDIApp*>(AfxGetApp())) app->GetModule().Close();
    CDKMenuBarSizeDockMDIFrameWnd::OnDestroy();
}

void CMainFrame::OnViewHtmlBar() {
    ShowControlBar(&m_wndHtmlBar, !m_wndHtmlBar.IsWindowVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewHtmlBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_wndHtmlBar.IsWindowVisible());
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
    openProgramFile("Help/Manual.htm");
}

void CMainFrame::OnHelpTutorial() {
    openProgramFile("Tutorial/Index.htm");
}

// ---- Functions list ----

void CMainFrame::RebuildFunctionsList(CEditMDIView* pView, BOOL bForce) {
    if (!IsFunctionsListEnabled()) return;
    if (bForce) m_pListedView = nullptr;
    if (pView == m_pListedView) return;
    m_pListedView = pView;
    CListBox& list = m_wndInfoBar.m_wndFunctions;
    const int selected = list.GetCurSel();
    list.SetRedraw(FALSE);
    list.ResetContent();
    if (pView)
        for (const std::string& heading : functionHeadingsOf(*pView->GetEditCtrl()))
            list.AddString(heading.c_str());
    if (selected >= 0 && selected < list.GetCount()) list.SetCurSel(selected);
    list.SetRedraw(TRUE);
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void CMainFrame::KeepFunctionsListInStep(CEditMDIView* pView) {
    if (!IsFunctionsListEnabled()) return;
    CHHEditCtrl* edit = pView->GetEditCtrl();
    CHARRANGE sel{};
    edit->GetSel(sel);
    std::string heading =
        ParseFunctionHeading(pView->GetLineText(static_cast<int>(edit->LineFromChar(sel.cpMax))));
    if (heading.empty()) return;
    if (m_wndInfoBar.m_wndFunctions.FindStringExact(-1, heading.c_str()) == LB_ERR)
        RebuildFunctionsList(pView, TRUE);
}

CString CMainFrame::selectedText(CListBox& list) const {
    CString text;
    int index = list.GetCurSel();
    if (index >= 0) list.GetText(index, text);
    return text;
}

void CMainFrame::OnFunctionsSelChange() {
    SetMessageText(selectedText(m_wndInfoBar.m_wndFunctions));
}

void CMainFrame::OnFunctionsGoto() {
    CString heading = selectedText(m_wndInfoBar.m_wndFunctions);
    CEditMDIView* view = GetActiveEditView();
    if (heading.IsEmpty() || !view) return;
    CHHEditCtrl* edit = view->GetEditCtrl();
    CString text;
    edit->GetWindowText(text);
    const std::string whole(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
    const auto [line, column] = FindFunctionHeading(whole, static_cast<LPCSTR>(heading));
    if (line < 0) return;
    edit->GoToLine(line, column);
    view->SetFocus();
}

void CMainFrame::OnFunctionsRefresh() {
    RebuildFunctionsList(GetActiveEditView(), TRUE);
}

void CMainFrame::OnFunctionsCopy() {
    CopyTextToClipboard(selectedText(m_wndInfoBar.m_wndFunctions));
}

void CMainFrame::OnUpdateFunctionsCopy(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_wndInfoBar.m_wndFunctions.GetCurSel() >= 0);
}

void CMainFrame::OnFunctionsCopyAll() {
    CListBox& list = m_wndInfoBar.m_wndFunctions;
    CString all, line;
    for (int i = 0; i < list.GetCount(); ++i) {
        list.GetText(i, line);
        all += line + "\r\n";
    }
    CopyTextToClipboard(all);
}

// ---- Working folder and samples ----

CString CMainFrame::GetWorkingDir() const {
    CString dir;
    if (!GetSettings().GetString(ResourceString(IDS_GENERAL), ResourceString(IDS_PROJECTDIR), dir) ||
        dir.IsEmpty())
        dir = GetAppDirectory() + "Projects";
    if (dir.Right(1) != "/" && dir.Right(1) != "\\") dir += "/";
    return dir;
}

CString CMainFrame::GetWorkingMask() const {
    CString mask;
    if (!GetSettings().GetString(ResourceString(IDS_GENERAL), ResourceString(IDS_PROJECTMASK), mask) ||
        mask.IsEmpty())
        mask = "*.*";
    return mask;
}

void CMainFrame::FillWorkingDirList() {
    storeWorkingDirDefaults();
    CListBox& list = m_wndInfoBar.m_wndWorkDir;
    list.ResetContent();
    CStringList names;
    CDirList lister;
    lister.ListFiles(names, GetWorkingMask(), GetWorkingDir());
    for (POSITION pos = names.GetHeadPosition(); pos;)
        list.AddString(names.GetNext(pos));
}

namespace {

// Sorts the item's entries and those of every folder below it: the file system lists a folder's
// files in no order of its own.
void sortFolders(CTreeCtrl& tree, HTREEITEM item) {
    tree.SortChildren(item);
    for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
        if (tree.ItemHasChildren(child)) sortFolders(tree, child);
}

} // namespace

void CMainFrame::FillSolutionsTree() {
    CNotifyTreeCtrl& tree = m_wndProjBar.m_wndTree;
    tree.DeleteAllItems();
    HTREEITEM root = tree.InsertItem("Solutions");
    const CString folder = GetAppDirectory() + "Solutions";
    CStringList files;
    CDirList lister;
    lister.ListRecursive(files, "*.*", folder);
    CStringList paths;
    for (POSITION pos = files.GetHeadPosition(); pos;) {
        CString path = files.GetNext(pos).Mid(folder.GetLength() + 1);
        path.Replace('/', '\\');
        paths.AddTail(path);
    }
    tree.AddPaths(paths);
    tree.SelectItem(root);
    sortFolders(tree, root);
    tree.Expand(root, TVE_EXPAND);
}

void CMainFrame::OnWorkDirOpen() {
    CString name = selectedText(m_wndInfoBar.m_wndWorkDir);
    if (!name.IsEmpty()) AfxGetApp()->OpenDocumentFile(GetWorkingDir() + name);
}

void CMainFrame::OnSolutionsOpen() {
    CString path = m_wndProjBar.m_wndTree.GetSelectedPath();
    if (path.IsEmpty()) return;
    CString file = NativePath(GetAppDirectory() + path);
    if (IsRegularFile(file)) AfxGetApp()->OpenDocumentFile(file);
}

void CMainFrame::OnSolutionsMenu() {
    TrackContextMenu(this, CPoint(-1, -1), IDR_SOLUTIONS_MENU, 0);
}

// ---- Panes ----

CControlBar* CMainFrame::paneOfCommand(UINT nID) {
    if (nID == ID_VIEW_INFO_PANE) return &m_wndInfoBar;
    return &m_wndProjBar;
}

void CMainFrame::OnViewPane(UINT nID) {
    CControlBar* bar = paneOfCommand(nID);
    ShowControlBar(bar, !bar->IsWindowVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewPane(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(paneOfCommand(pCmdUI->m_nID)->IsWindowVisible());
}
