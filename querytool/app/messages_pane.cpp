#include "querytool/app/messages_pane.h"

#include "querytool/app/resource_ids.h"

#include "platform/win/richedit.h"

CMessagesPane::CMessagesPane(HWND tabControl) : m_tabControl(tabControl) {
    m_window =
        CreateWindowEx(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                       0, 0, tabControl, reinterpret_cast<HMENU>(IDC_MESSAGES), nullptr, nullptr);
    // A long batch has more messages than the control's default limit holds, and a long error
    // line is read with the horizontal scroll bar: nothing is cut.
    SendMessage(m_window, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    HDC dc = GetDC(m_window);
    m_font = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 65), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                        DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    ReleaseDC(m_window, dc);
    SendMessage(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
}

CMessagesPane::~CMessagesPane() {
    if (IsWindow(m_window)) DestroyWindow(m_window);
    DeleteObject(m_font);
}

void CMessagesPane::SetText(const std::string& text) {
    SendMessage(m_window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
