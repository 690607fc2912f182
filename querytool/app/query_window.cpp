// The query window: creation, layout, closing, the two view switches and its window procedure.

#include "querytool/app/query_window.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/splitter.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_files.h"
#include "querytool/app/tools/blob_viewer.h"
#include "querytool/app/tools/object_browser.h"
#include "querytool/app/wait_cursor.h"

#include "querytool/connection.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"

namespace {

CApplication& app() {
    return *g_appGlobals->application;
}

int percentOrDefault(int stored, int fallback) {
    return stored != 0 ? stored : fallback;
}

} // namespace

CQueryWindow::CQueryWindow(HWND mdiClient, MYSQL* connection) : m_connection(connection) {
    HMENU edit = app().MenuPopup(1);
    m_textMode = (GetMenuState(edit, ID_TEXTMODE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    MDICREATESTRUCTA create{};
    create.szClass = "QueryWindow";
    create.szTitle = "Query";
    create.hOwner = g_appGlobals->instance;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.lParam = reinterpret_cast<LPARAM>(this);
    HWND child =
        reinterpret_cast<HWND>(SendMessage(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!child) return;
    ShowWindow(child, SW_SHOWMAXIMIZED);
    m_statusBar->ShowElapsed(0);
    m_statusBar->ShowRowCount(0);
    SetWindowText(child, captionBase().c_str());
    app().SetStatusText(" Adding data to the object browser........");
    m_objectBrowser->Refresh(m_connection);
    app().SetStatusText(" Connection to server successful...");
    selectRememberedDatabase();
    SetMenuChecks();
    // Filling the browser expands its server node, which focuses the tree; a new window is typed into.
    SetFocus(m_editor->Window());
}

CQueryWindow::~CQueryWindow() {
    m_editor.reset();
    m_horizontal.reset();
    m_statusBar.reset();
    m_tabs.reset();
    m_vertical.reset();
    if (m_connection) mysql_close(m_connection);
}

CQueryWindow* CQueryWindow::FromWindow(HWND hwnd) {
    char name[32] = {};
    if (!GetClassName(hwnd, name, sizeof name) || std::string(name) != "QueryWindow") return nullptr;
    return reinterpret_cast<CQueryWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

std::string CQueryWindow::captionBase() const {
    const char* host = m_connection->host ? m_connection->host : "";
    const char* user = m_connection->user ? m_connection->user : "";
    return std::string("Query - ") + host + "." + user;
}

void CQueryWindow::selectRememberedDatabase() {
    const std::string& remembered = g_appGlobals->currentDatabase;
    if (remembered.empty()) return;
    WaitCursor wait;
    if (mysql_select_db(m_connection, remembered.c_str()) != 0) return;
    m_databaseName = remembered;
    app().SetDatabaseComboText(remembered);
}

LRESULT CALLBACK CQueryWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCT*>(lParam);
        auto* mdi = static_cast<MDICREATESTRUCTA*>(create->lpCreateParams);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, mdi->lParam);
        reinterpret_cast<CQueryWindow*>(mdi->lParam)->m_window = hwnd;
        return TRUE;
    }
    auto* window = reinterpret_cast<CQueryWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!window) return DefMDIChildProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        window->m_window = nullptr;
        delete window;
        return DefMDIChildProc(hwnd, msg, wParam, lParam);
    }
    return window->onMessage(msg, wParam, lParam);
}

LRESULT CQueryWindow::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_SIZE:
        Layout();
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EDITOR && m_editor) {
            if (m_editor->IsColouring()) return 0;
            if (HIWORD(wParam) == EN_CHANGE) {
                // A change marks the window at once (emptying the editor completes no colouring pass).
                MarkModified();
                PostMessage(m_editor->Window(), WM_USER_STOPCOLORIZE, 0, 0);
                return 0;
            }
            if (HIWORD(wParam) == EN_VSCROLL) PostMessage(m_editor->Window(), WM_USER_COLORIZE, 0, 0);
        }
        break;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == m_window) onActivate();
        break;
    case WM_SETFOCUS:
        // The MDI client focuses the child it activates; the keys belong in the editor.
        DefMDIChildProc(m_window, msg, wParam, lParam);
        if (m_editor && !IsIconic(m_window)) SetFocus(m_editor->Window());
        return 0;
    case WM_CLOSE:
        if (!PrepareToClose()) return 0;
        break;
    case WM_QUERYENDSESSION:
        return PrepareToClose() ? TRUE : 0;
    case WM_DESTROY:
        app().BlobViewer().Hide();
        if (m_tabs) m_tabs->FreeResults();
        return 0;
    }
    return DefMDIChildProc(m_window, msg, wParam, lParam);
}

void CQueryWindow::onCreate() {
    m_statusBar = std::make_unique<CQueryStatusBar>(m_window);
    m_vertical =
        std::make_unique<CSplitter>(m_window, true, percentOrDefault(app().VerticalLayout().percent, 25));
    m_horizontal =
        std::make_unique<CSplitter>(m_window, false, percentOrDefault(app().HorizontalLayout().percent, 35));
    m_objectBrowser = std::make_unique<CObjectBrowser>(m_window);
    m_browser = m_objectBrowser->GetTree();
    m_editor = std::make_unique<CSqlEditor>(*this);
    m_tabs = std::make_unique<CResultTabs>(*this);
    HWND order[] = {m_statusBar->Window(), m_vertical->Window(), m_horizontal->Window(), m_browser,
                    m_editor->Window(),    m_tabs->Window()};
    SetWindowPos(order[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (std::size_t i = 1; i < std::size(order); ++i)
        SetWindowPos(order[i], order[i - 1], 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    app().SetDatabaseComboText(m_databaseName);
}

void CQueryWindow::Layout() {
    if (!m_tabs) return;
    RECT client;
    GetClientRect(m_window, &client);
    const int width = client.right, height = client.bottom;
    m_statusBar->Layout(width, height);
    const int statusHeight = 20;
    const int vx = SplitterPosition(m_vertical->Percent(), width);
    m_vertical->Place(vx, 0, 4, height - statusHeight);
    if (m_browserVisible) app().VerticalLayout() = m_vertical->Layout();
    const int right = vx + 4;
    const int hy = SplitterPosition(m_horizontal->Percent(), height);
    m_horizontal->Place(right, hy, width, 4);
    app().HorizontalLayout() = m_horizontal->Layout();
    MoveWindow(m_browser, 5, 5, vx - 5, height - statusHeight - 10, TRUE);
    MoveWindow(m_editor->Window(), right, 5, width - right - 5, hy - 5, TRUE);
    const int tabsTop = hy + 4 + 5;
    m_tabs->Layout(right, tabsTop, width - right - 5, height - statusHeight - (hy + 4) - 10);
}

LRESULT CQueryWindow::onNotify(NMHDR* header) {
    if (!m_tabs) return 0;
    switch (header->code) {
    case TCN_SELCHANGING:
        m_tabs->OnSelChanging();
        return FALSE;
    case TCN_SELCHANGE:
        m_tabs->OnSelChange();
        return 0;
    case LVN_GETDISPINFOA:
        m_tabs->Grid()->OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(header));
        return 0;
    case TVN_ITEMEXPANDINGA:
        return m_objectBrowser->OnItemExpanding(reinterpret_cast<NMTREEVIEWA*>(header));
    }
    return DefMDIChildProc(m_window, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void CQueryWindow::onActivate() {
    app().BlobViewer().Hide();
    SetMenuChecks();
    DrawMenuBar(app().Frame());
    app().SetDatabaseComboText(m_databaseName);
    if (m_editor) SetFocus(m_editor->Window());
}

void CQueryWindow::SetMenuChecks() const {
    HMENU edit = app().MenuPopup(1);
    CheckMenuItem(edit, ID_TEXTMODE, MF_BYCOMMAND | (m_textMode ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(edit, ID_HIDEBROWSER, MF_BYCOMMAND | (m_browserVisible ? MF_UNCHECKED : MF_CHECKED));
}

void CQueryWindow::MarkModified() {
    m_modified = true;
    char caption[512] = {};
    const int length = GetWindowText(m_window, caption, sizeof caption);
    if (length > 0 && caption[length - 1] == '*') return;
    SetWindowText(m_window, (std::string(caption) + "*").c_str());
}

void CQueryWindow::SetFile(const std::string& path) {
    m_filePath = path;
    m_hasFile = true;
    m_modified = false;
    SetWindowText(m_window, (captionBase() + " - " + path).c_str());
}

void CQueryWindow::ToggleTextMode() {
    m_textMode = !m_textMode;
    SetMenuChecks();
    m_tabs->ShowResult();
}

void CQueryWindow::ToggleBrowser() {
    m_browserVisible = !m_browserVisible;
    if (m_browserVisible) {
        m_vertical->SetPercent(m_vertical->SavedPercent());
    } else {
        m_vertical->SetSavedPercent(m_vertical->Percent());
        m_vertical->SetPercent(0);
    }
    SetMenuChecks();
    Layout();
}

void CQueryWindow::ShowPersonalPopup() {
    POINT caret{};
    GetCaretPos(&caret);
    ClientToScreen(m_editor->Window(), &caret);
    TrackPopupMenu(app().PersonalMenu(), TPM_RIGHTBUTTON, caret.x + 10, caret.y + 10, 0, app().Frame(),
                   nullptr);
}

bool CQueryWindow::PrepareToClose() {
    if (m_closed) return true;
    if (!AskToSave(*this)) return false;
    m_tabs->FreeResults();
    if (m_connection) mysql_close(m_connection);
    m_connection = nullptr;
    m_closed = true;
    app().ConnectionClosed();
    return true;
}
