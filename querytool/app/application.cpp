// The application object: window classes, the frame and its children, the frame's window
// procedure, menu state and the close-all walk.

#include "querytool/app/application.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/drawn_images.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/resources.h"
#include "querytool/app/splitter.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/tools/blob_viewer.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"

#include <cstdio>
#include <unistd.h>

AppGlobals* g_appGlobals = nullptr;

namespace {

struct ClassInfo {
    const char* name;
    WNDPROC proc;
    LPCSTR cursor;
    const char* failure;
    HICON icon; // the system's application icon when null
    int extraBytes;
};

bool registerClass(HINSTANCE instance, const ClassInfo& info, HMENU menu = nullptr) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = info.proc;
    wc.cbWndExtra = info.extraBytes;
    wc.hInstance = instance;
    wc.hIcon = info.icon ? info.icon : LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, info.cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszMenuName = menu ? MAKEINTRESOURCE(IDR_MAINMENU) : nullptr;
    wc.lpszClassName = info.name;
    if (RegisterClassEx(&wc)) return true;
    ShowSystemError(static_cast<int>(GetLastError()), info.failure);
    return false;
}

std::string currentFolder() {
    char path[4096] = {};
    return getcwd(path, sizeof path) ? std::string(path) : std::string(".");
}

const int kConnectionItems[] = {
    ID_DISCONNECT,    ID_DISCONNECTALL, ID_SAVE,          ID_OPEN,       ID_SAVEAS,    ID_CUT,
    ID_COPY,          ID_PASTE,         ID_UNDO,          ID_UPPERCASE,  ID_LOWERCASE, ID_COMMENT,
    ID_UNCOMMENT,     ID_ADDKEY,        ID_EXPORTTABLES,  ID_IMPORTTEXT, ID_REDO,      ID_SELECTALL,
    ID_PREVIOUSQUERY, ID_MANAGEKEYS,    ID_DIAGNOSTICS,   ID_TEXTMODE,   ID_FIND,      ID_REPLACE,
    ID_HIDEBROWSER,   ID_FLUSH,         ID_TEMPLATES_MENU};
const int kConnectionButtons[] = {ID_TEMPLATES, ID_SAVE,  ID_OPEN,          ID_CUT,
                                  ID_COPY,      ID_PASTE, ID_EXECUTEBUTTON, ID_REFRESHBROWSER};

struct ToolButton {
    int image;
    int command;
    BYTE style;
    const char* tip;
};

const ToolButton kButtons[] = {
    {0, ID_CONNECT, BTNS_BUTTON, "New Connection to a Server ( Ctrl+N )"},
    {1, ID_OPEN, BTNS_BUTTON, "Open a SQL file in the current connection ( Ctrl + O )"},
    {2, ID_SAVE, BTNS_BUTTON, "Save the current SQL statement(s) ( Ctrl + S )"},
    {-1, ID_SEPARATOR, BTNS_SEP, nullptr},
    {3, ID_CUT, BTNS_BUTTON, "Cut ( Ctrl+X )"},
    {4, ID_COPY, BTNS_BUTTON, "Copy ( Ctrl+C )"},
    {5, ID_PASTE, BTNS_BUTTON, "Paste ( Ctrl+V )"},
    {-1, ID_SEPARATOR, BTNS_SEP, nullptr},
    {6, ID_TEMPLATES, BTNS_BUTTON, "Templates"},
    {7, ID_EXECUTEBUTTON, BTNS_WHOLEDROPDOWN, "Execute Query"},
    {8, ID_REFRESHBROWSER, BTNS_BUTTON, "Refresh Object Browser ( F9 )"},
    {-1, ID_SEPARATOR, BTNS_SEP, nullptr},
};

const char* toolTip(UINT command) {
    if (command == ID_CREATETABLEBUTTON) return "Create Table";
    for (const ToolButton& b : kButtons)
        if (b.tip && static_cast<UINT>(b.command) == command) return b.tip;
    return nullptr;
}

} // namespace

std::string TessmarkProgramFolder() {
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    std::string folder(path, static_cast<std::size_t>(length));
    return folder.substr(0, folder.rfind('/'));
}

// The settings file is looked for in the program folder first, then in the current folder.
CApplication::CApplication(HINSTANCE instance)
    : m_instance(instance), m_settings({TessmarkProgramFolder(), currentFolder()}, currentFolder()),
      m_blobViewer(std::make_unique<CBlobViewer>()), m_frameIcon(CreateWindowIcon(false)),
      m_queryIcon(CreateWindowIcon(true)) {
    DeclareTessmarkResources();
    if (registerClass(
            instance,
            {"MainWindow", FrameProc, IDC_ARROW, "Main window could not be registered.", m_frameIcon, 0},
            reinterpret_cast<HMENU>(1)))
        createFrame();
    m_settings.CreateDefaultIni();
    registerClass(instance, {"QueryWindow", CQueryWindow::WndProc, IDC_ARROW,
                             "Query Window could not be registered.", m_queryIcon, 4});
    registerClass(instance, {"VSplitter", CSplitter::WndProc, IDC_SIZEWE,
                             "Vertical Splitter could not be registered.", nullptr, 4});
    registerClass(instance, {"HSplitter", CSplitter::WndProc, IDC_SIZENS,
                             "Horizontal Splitter could not be registered.", nullptr, 4});
    LoadKeywordTables(g_appGlobals->keywords);
    BuildPersonalMenu();
    ShowConnectionCount();
    UpdateMenuState();
    LoadRecentFiles();
    m_verticalLayout = m_settings.LoadSplitter("VSplitter");
    m_horizontalLayout = m_settings.LoadSplitter("HSplitter");
}

CApplication::~CApplication() {
    if (IsWindow(m_frame)) DestroyWindow(m_frame);
    for (const char* name : {"MainWindow", "QueryWindow", "VSplitter", "HSplitter"})
        UnregisterClass(name, m_instance);
    DeleteObject(m_comboFont);
    if (m_personalMenu && !IsMenu(m_personalMenu)) m_personalMenu = nullptr;
    if (m_personalMenu) DestroyMenu(m_personalMenu);
    ImageList_Destroy(m_toolImages);
    ImageList_Destroy(m_comboImages);
    DestroyIcon(m_frameIcon);
    DestroyIcon(m_queryIcon);
}

void CApplication::createFrame() {
    HWND frame =
        CreateWindowEx(0, "MainWindow", "Tessmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, m_instance, this);
    if (!frame) {
        ShowSystemError(static_cast<int>(GetLastError()), "Main window could not be created.");
        return;
    }
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    UpdateWindow(frame);
}

LRESULT CALLBACK CApplication::FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* app = static_cast<CApplication*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        app->m_frame = hwnd;
    }
    auto* app = reinterpret_cast<CApplication*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!app) return DefFrameProc(hwnd, nullptr, msg, wParam, lParam);
    return app->onMessage(msg, wParam, lParam);
}

LRESULT CApplication::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_INITMENUPOPUP:
        onInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        onMenuSelect(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_USER_CLOSEALL:
        // With a flag to clear the frame is closing: the first refusal ends the whole exit.
        if (!closeAll(lParam != 0) && lParam) *reinterpret_cast<int*>(lParam) = 0;
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        m_frame = nullptr;
        break;
    }
    return DefFrameProc(m_frame, m_mdiClient, msg, wParam, lParam);
}

void CApplication::onCreate() {
    createToolBar();
    createStatusBar();
    createMdiClient();
    m_findReplaceMessage = RegisterWindowMessage(FINDMSGSTRING);
}

void CApplication::createToolBar() {
    m_toolBar =
        CreateWindowEx(0, TOOLBARCLASSNAME, "",
                       WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT | CCS_ADJUSTABLE, 0,
                       0, 0, 0, m_frame, reinterpret_cast<HMENU>(IDC_TOOLBAR), m_instance, nullptr);
    SendMessage(m_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(m_toolBar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    m_toolImages = CreateToolBarImages();
    SendMessage(m_toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_toolImages));
    for (const ToolButton& b : kButtons) {
        TBBUTTON button{};
        button.iBitmap = b.image < 0 ? 2 : b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = b.style;
        SendMessage(m_toolBar, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessage(m_toolBar, TB_AUTOSIZE, 0, 0);
    createCombo();
    ShowWindow(m_toolBar, SW_SHOW);
}

void CApplication::createCombo() {
    m_combo = CreateWindowEx(
        0, WC_COMBOBOXEX, "",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_DISABLENOSCROLL, 0, 0,
        150, 250, m_toolBar, reinterpret_cast<HMENU>(IDC_DBCOMBO), m_instance, nullptr);
    HDC dc = GetDC(m_frame);
    m_comboFont = CreateFont(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    ReleaseDC(m_frame, dc);
    SendMessage(m_combo, WM_SETFONT, reinterpret_cast<WPARAM>(m_comboFont), TRUE);
    m_comboImages = CreateComboImages();
    SendMessage(m_combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_comboImages));
}

void CApplication::createStatusBar() {
    m_statusBar = CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                                 m_frame, reinterpret_cast<HMENU>(IDC_FRAMESTATUS), m_instance, nullptr);
}

void CApplication::createMdiClient() {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = GetSubMenu(GetMenu(m_frame), 4);
    ccs.idFirstChild = IDM_FIRSTCHILD;
    m_mdiClient = CreateWindowEx(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                 m_frame, reinterpret_cast<HMENU>(IDC_MDICLIENT), m_instance, &ccs);
    g_appGlobals->mdiClient = m_mdiClient;
}

void CApplication::layout() {
    RECT client;
    GetClientRect(m_frame, &client);
    const int width = client.right - client.left;
    MoveWindow(m_toolBar, client.left, 0, width, 20, TRUE);
    RECT toolClient;
    GetClientRect(m_toolBar, &toolClient);
    MoveWindow(m_combo, toolClient.left + 225, 2, 150, 150, TRUE);
    MoveWindow(m_statusBar, client.left, client.bottom - 20, width, 20, TRUE);
    RECT statusRect;
    GetWindowRect(m_statusBar, &statusRect);
    int parts[2] = {statusRect.right - statusRect.left - 150, -1};
    SendMessage(m_statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    RECT toolRect;
    GetWindowRect(m_toolBar, &toolRect);
    const int toolHeight = toolRect.bottom - toolRect.top;
    MoveWindow(m_mdiClient, 0, toolHeight, toolRect.right - toolRect.left,
               client.bottom - (statusRect.bottom - statusRect.top) - toolHeight, TRUE);
}

CQueryWindow* CApplication::ActiveQueryWindow() const {
    if (!m_mdiClient) return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessage(m_mdiClient, WM_MDIGETACTIVE, 0, 0));
    return active ? CQueryWindow::FromWindow(active) : nullptr;
}

HMENU CApplication::MenuPopup(int index) const {
    BOOL maximised = FALSE;
    if (m_mdiClient) SendMessage(m_mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    return GetSubMenu(GetMenu(m_frame), index + (maximised ? 1 : 0));
}

void CApplication::SetStatusText(const char* text) {
    SendMessage(m_statusBar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void CApplication::ShowConnectionCount() {
    const std::string text = " Connections : " + std::to_string(g_appGlobals->connectionCount);
    SendMessage(m_statusBar, SB_SETTEXT, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void CApplication::ConnectionClosed() {
    --g_appGlobals->connectionCount;
    ShowConnectionCount();
    UpdateMenuState();
}

void CApplication::UpdateMenuState() {
    if (!m_personalMenu) return;
    const bool connected = g_appGlobals->connectionCount > 0;
    HMENU menu = GetMenu(m_frame);
    const UINT state = MF_BYCOMMAND | (connected ? MF_ENABLED : MF_GRAYED);
    for (int id : kConnectionItems)
        EnableMenuItem(menu, static_cast<UINT>(id), state);
    for (int i = 0; i < m_personalCount; ++i)
        EnableMenuItem(menu, static_cast<UINT>(ID_FIRSTKEY + i), state);
    for (int id : kConnectionButtons)
        SendMessage(m_toolBar, TB_SETSTATE, static_cast<WPARAM>(id),
                    connected ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
    SendMessage(m_toolBar, TB_SETSTATE, ID_CONNECT, TBSTATE_ENABLED);
    EnableWindow(m_combo, connected);
    DrawMenuBar(m_frame);
}

LRESULT CApplication::onNotify(NMHDR* header) {
    if (header->code == TBN_DROPDOWN) {
        showExecuteMenu(reinterpret_cast<NMTOOLBARA*>(header));
        return TBDDRET_TREATPRESSED;
    }
    if (header->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        if (const char* tip = toolTip(static_cast<UINT>(header->idFrom))) {
            snprintf(info->szText, sizeof info->szText, "%s", tip);
            info->lpszText = info->szText;
        }
        return 0;
    }
    return DefFrameProc(m_frame, m_mdiClient, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void CApplication::onMenuSelect(UINT id, UINT flags) {
    char text[1024] = {};
    if ((flags & MF_POPUP) || LoadString(m_instance, id, text, sizeof text) <= 0)
        snprintf(text, sizeof text, " Ready");
    SetStatusText(text);
}

// Closes every query window that agrees; true when none refused. For an exit the first refusal
// (Cancel in a window's question) stops the walk: no later window is asked or closed.
bool CApplication::closeAll(bool exiting) {
    bool allClosed = true;
    HWND child = GetWindow(m_mdiClient, GW_CHILD);
    while (child) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (!GetWindow(child, GW_OWNER)) {
            SendMessage(m_mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
            if (SendMessage(child, WM_QUERYENDSESSION, 0, 0))
                SendMessage(m_mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
            else
                allClosed = false;
            if (!allClosed && exiting) return false;
        }
        child = next;
    }
    return allClosed;
}

void CApplication::onClose() {
    int flag = 1;
    SendMessage(m_frame, WM_USER_CLOSEALL, 0, reinterpret_cast<LPARAM>(&flag));
    if (!flag) return;
    m_settings.WriteDatabase(g_appGlobals->currentDatabase);
    m_settings.SaveSplitter("HSplitter", m_horizontalLayout);
    m_settings.SaveSplitter("VSplitter", m_verticalLayout);
    DestroyWindow(m_frame);
}

CApplication* StartTessmark(HINSTANCE instance) {
    g_appGlobals = new AppGlobals();
    RegisterRichEditClasses();
    g_appGlobals->instance = instance;
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    g_appGlobals->application = new CApplication(instance);
    g_appGlobals->connectionCount = 0;
    return g_appGlobals->application;
}

void EndTessmark() {
    if (!g_appGlobals) return;
    delete g_appGlobals->application;
    delete g_appGlobals;
    g_appGlobals = nullptr;
}

bool TranslateTessmarkMessage(MSG& msg) {
    CApplication* app = g_appGlobals->application;
    static HACCEL accelerators = LoadAccelerators(g_appGlobals->instance, MAKEINTRESOURCE(IDR_ACCELERATORS));
    HWND blob = app->BlobViewer().Window();
    if (blob && IsWindowVisible(blob) && IsDialogMessage(blob, &msg)) return true;
    HWND find = app->FindDialog();
    if (find && IsWindowVisible(find) && IsDialogMessage(find, &msg)) return true;
    if (TranslateMDISysAccel(app->MdiClient(), &msg)) return true;
    return app->Frame() && TranslateAccelerator(app->Frame(), accelerators, &msg);
}

int RunTessmarkLoop() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (TranslateTessmarkMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}
