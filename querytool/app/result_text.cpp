#include "querytool/app/result_text.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/find_replace.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_tabs.h"

#include "querytool/result_text.h"

#include "platform/win/richedit.h"

CResultText::CResultText(CResultTabs& tabs, HWND tabControl) : m_tabs(tabs), m_tabControl(tabControl) {
    m_window =
        CreateWindowEx(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                       0, 0, tabControl, reinterpret_cast<HMENU>(IDC_RESULTTEXT), nullptr, nullptr);
    // The table of a large result is bigger than the control's default limit; nothing is cut.
    SendMessage(m_window, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    HDC dc = GetDC(m_window);
    m_font = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 65), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                        DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    ReleaseDC(m_window, dc);
    SendMessage(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    SetWindowLongPtr(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CResultText::SubclassProc)));
}

CResultText::~CResultText() {
    if (IsWindow(m_window)) {
        SetWindowLongPtr(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        DestroyWindow(m_window);
    }
    DeleteObject(m_font);
}

void CResultText::Render() {
    const QueryResult* result = m_tabs.CurrentResult();
    if (!result) return;
    const std::string table = RenderTextTable(*result);
    SendMessage(m_window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(table.c_str()));
}

void CResultText::showMenu(POINT client) {
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_GRIDMENU));
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, ID_COPYSELECTED, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(popup, ID_COPYALL, MF_BYCOMMAND | (m_tabs.CurrentResult() ? MF_ENABLED : MF_GRAYED));
    ClientToScreen(m_window, &client);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, client.x, client.y, 0, g_appGlobals->application->Frame(),
                   nullptr);
    DestroyMenu(menu);
}

LRESULT CALLBACK CResultText::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<CResultText*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (msg == g_appGlobals->application->FindReplaceMessage() && msg != 0) {
        const auto& request = *reinterpret_cast<const FINDREPLACEA*>(lParam);
        view->m_findReplace = request;
        HandleFindReplace(hwnd, request);
        return 0;
    }
    if (msg == WM_RBUTTONUP) {
        view->showMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return CallWindowProc(view->m_previous, hwnd, msg, wParam, lParam);
}
