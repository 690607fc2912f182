#include "docking/tests/support/menu_frame.h"

#include "docking/CDKBitmapMenu.h"

#include "platform/framework/tests/support/framework_test.h"
#include "docking/CDKBitmapMenuManager.h"
#include "platform/win/res/resources.h"

namespace docktest {

namespace {

const UINT kButtons[] = {ID_NEW, ID_OPEN, ID_SEPARATOR, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};

bool makeToolBar(CFrameWnd* frame, CDKCoolToolBar& bar, UINT id, const char* title) {
    if (!bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC, id))
        return false;
    if (!bar.SetButtons(kButtons, 7) || !bar.SetBitmap(pm::afxtest::makeButtonImages(6))) return false;
    bar.SetButtonStyle(bar.CommandToIndex(ID_FIND), TBBS_DROPDOWN);
    bar.SetWindowText(title);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return true;
}

// Every test starts from an empty profile: its sections hold values only.
void clearProfile(CWinApp& app) {
    HKEY key = app.GetAppRegistryKey();
    if (!key) return;
    char name[512];
    for (;;) {
        DWORD length = sizeof(name);
        if (::RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (::RegDeleteKey(key, name) != ERROR_SUCCESS) break;
    }
    ::RegCloseKey(key);
}

} // namespace

HMENU makeTestMenu() {
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenu(file, MF_STRING, ID_NEW, "&New\tCtrl+N");
    ::AppendMenu(file, MF_STRING, ID_OPEN, "&Open...");
    ::AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(file, MF_STRING, ID_EXIT, "E&xit");
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenu(edit, MF_STRING, ID_UNDO, "&Undo");
    ::AppendMenu(edit, MF_STRING | MF_GRAYED, ID_CUT, "Cu&t");
    ::AppendMenu(edit, MF_STRING, ID_PASTE, "&Paste");
    HMENU find = ::CreatePopupMenu();
    ::AppendMenu(find, MF_STRING, ID_FIND, "&Find...");
    HMENU help = ::CreatePopupMenu();
    ::AppendMenu(help, MF_STRING, ID_ABOUT, "&About");
    ::AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    ::AppendMenu(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(find), "Find && Replace");
    ::AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_NEW, ID_BOLD, OnCommandStub)
    ON_UPDATE_COMMAND_UI(ID_PASTE, OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(ID_CUT, OnUpdateCut)
    ON_UPDATE_COMMAND_UI(ID_BOLD, OnUpdateBold)
END_MESSAGE_MAP()

int CMenuFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndView.CreateEx(WS_EX_CLIENTEDGE, AFX_WND, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                            this, AFX_IDW_PANE_FIRST))
        return -1;
    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC)) return -1;
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    if (!makeToolBar(this, m_wndTextBelow, AFX_IDW_TOOLBAR, "Standard")) return -1;
    if (!makeToolBar(this, m_wndTextRight, AFX_IDW_TOOLBAR + 1, "Listed")) return -1;
    m_wndTextRight.ModifyStyle(0, TBSTYLE_LIST);
    m_wndTextBelow.SetTextType(0, 0xFFFF, CDKCoolToolBar::textAfterNewline);
    m_wndTextRight.SetTextType(0, 0xFFFF, CDKCoolToolBar::textAfterNewline);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndTextBelow);
    DockControlBar(&m_wndTextRight);
    return 0;
}

void CMenuFrame::RecalcLayout(BOOL bNotify) {
    BOOL previous = m_wndMenuBar.m_bFullLength;
    m_wndMenuBar.m_bFullLength = TRUE;
    CFrameWnd::RecalcLayout(bNotify);
    m_wndMenuBar.m_bFullLength = previous;
}

BOOL CMenuFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) m_log.push_back("command " + std::to_string(LOWORD(wParam)));
    // The expansion item reopens the popup it was chosen in, with all its items.
    if (lParam == 0 && LOWORD(wParam) == ID_BITMAPMENU_EXPAND)
        m_wndMenuBar.m_nNextPopup = m_wndMenuBar.m_nOpenPopup;
    return CFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CMenuFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENTERMENULOOP:
        m_log.push_back("WM_ENTERMENULOOP");
        break;
    case WM_EXITMENULOOP:
        m_log.push_back("WM_EXITMENULOOP");
        break;
    case WM_INITMENU:
        m_log.push_back("WM_INITMENU");
        break;
    case WM_NOTIFY: {
        if (reinterpret_cast<NMHDR*>(lParam)->code == BMN_CUSTOMIZE) {
            const auto* notify = reinterpret_cast<BitmapMenuNotify*>(lParam);
            m_log.push_back("customize " + std::to_string(notify->nOperation) + " from " +
                            std::to_string(notify->hdr.idFrom));
            return m_lCoolCommandAnswer;
        }
        if (reinterpret_cast<NMHDR*>(lParam)->code == TBN_COOLCOMMAND) {
            auto* command = reinterpret_cast<CoolCommandNotify*>(lParam);
            m_log.push_back("cool command " + std::to_string(command->nCommand));
            if (command->nCommand == ID_MENUBAR_DROPDOWN)
                m_lastDropDown = *static_cast<MenuBarDropDown*>(command->pData);
            return m_lCoolCommandAnswer;
        }
        auto* notify = reinterpret_cast<CoolCustomDrawNotify*>(lParam);
        if (notify->hdr.code == TBN_COOLCUSTOMDRAW && m_lTakeCustomDraw) {
            notify->lResult = m_lTakeCustomDraw;
            notify->bDoDefault = FALSE;
            return 0;
        }
        break;
    }
    case WM_MENUBAR_SAVED:
        m_log.push_back(std::string("saved ") + reinterpret_cast<LPCSTR>(lParam));
        break;
    case WM_MENUBAR_LOADED:
        m_log.push_back(std::string("loaded ") + reinterpret_cast<LPCSTR>(lParam));
        break;
    case WM_BITMAPMENU_RECENTLYUSEDCHANGED:
        m_log.push_back("recently used changed");
        // The menu the bar shows changed: the bar saves it when it shows another.
        if (m_wndMenuBar.m_hMenu) m_wndMenuBar.m_modifiedMenus[m_wndMenuBar.m_hMenu] = TRUE;
        break;
    case WM_SYSCOMMAND:
        m_log.push_back("WM_SYSCOMMAND " + std::to_string(wParam & 0xFFF0));
        break;
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

namespace {
std::vector<std::function<void()>> g_steps;

void CALLBACK stepTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(hwnd, id);
    if (g_steps.empty()) return;
    auto step = g_steps.front();
    g_steps.erase(g_steps.begin());
    step();
    if (!g_steps.empty()) ::SetTimer(hwnd, 78, 10, stepTimer);
}
} // namespace

void inLoops(HWND hwnd, std::vector<std::function<void()>> steps) {
    g_steps = std::move(steps);
    ::SetTimer(hwnd, 78, 10, stepTimer);
}

std::vector<HWND> popupWindows() {
    std::vector<HWND> found;
    for (HWND h = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr); h;
         h = ::FindWindowEx(nullptr, h, "#32768", nullptr))
        if (::IsWindowVisible(h)) found.push_back(h);
    return found;
}

void MenuFrameFixture::setUp() {
    pm::res::addStrings({{ID_NEW, "Create a document\nNew"},
                         {ID_OPEN, "Open a document\nOpen"},
                         {ID_CUT, "Cut the selection\nCut"},
                         {ID_PASTE, "Insert the clipboard\nPaste"},
                         {ID_FIND, "Find a text\nFind"},
                         {ID_BOLD, "Bold"}});
    app = std::make_unique<CMenuApp>();
    app->SetRegistryKey("Docking Tests");
    app->InitApplication();
    clearProfile(*app);
    recreateFrame();
}

void MenuFrameFixture::recreateFrame() {
    if (::IsWindow(main)) ::DestroyWindow(main);
    pm::afxtest::pump();
    if (menu) ::DestroyMenu(menu);
    pm::afx::registerStandardClasses();
    frame = new CMenuFrame;
    frame->Create(nullptr, "Menus", WS_OVERLAPPEDWINDOW, CRect(60, 60, 700, 420));
    main = frame->m_hWnd;
    app->m_pMainWnd = frame;
    menu = makeTestMenu();
    frame->m_wndMenuBar.SetMenu(menu);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    pm::afxtest::pump();
    frame->m_log.clear();
}

void MenuFrameFixture::tearDown() {
    g_steps.clear();
    if (::IsWindow(main)) ::DestroyWindow(main);
    pm::afxtest::pump();
    if (menu) ::DestroyMenu(menu);
    app.reset();
}

} // namespace docktest
