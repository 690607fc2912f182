// "More Windows...": the "Select Window" dialog listing every shown MDI child.

#include "platform/win/mdi/mdi_client.h"

#include <string>

namespace pm::mdi {
namespace {

constexpr int kList = 100;

struct Choice {
    const std::vector<HWND>* windows = nullptr;
    HWND active = nullptr;
};

class TemplateWriter {
public:
    void dword(DWORD d) {
        m_words.push_back(LOWORD(d));
        m_words.push_back(HIWORD(d));
    }
    void words(std::initializer_list<WORD> w) { m_words.insert(m_words.end(), w); }
    void text(const char* s) {
        for (; *s; ++s)
            m_words.push_back(static_cast<WORD>(static_cast<unsigned char>(*s)));
        m_words.push_back(0);
    }
    void align() {
        if (m_words.size() % 2) m_words.push_back(0);
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls, const char* title) {
        align();
        dword(WS_CHILD | WS_VISIBLE | style);
        dword(0);
        words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx), static_cast<WORD>(cy), id,
               0xFFFF, cls});
        text(title);
        words({0});
    }
    LPCDLGTEMPLATE get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

INT_PTR CALLBACK chooseProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        const auto* choice = reinterpret_cast<const Choice*>(lParam);
        HWND list = GetDlgItem(dialog, kList);
        for (std::size_t i = 0; i < choice->windows->size(); ++i) {
            char title[256] = {};
            GetWindowText((*choice->windows)[i], title, sizeof title);
            SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
            if ((*choice->windows)[i] == choice->active) SendMessage(list, LB_SETCURSEL, i, 0);
        }
        if (SendMessage(list, LB_GETCURSEL, 0, 0) < 0) SendMessage(list, LB_SETCURSEL, 0, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == kList && HIWORD(wParam) == LBN_DBLCLK)) {
            LRESULT sel = SendDlgItemMessage(dialog, kList, LB_GETCURSEL, 0, 0);
            EndDialog(dialog, sel < 0 ? 0 : sel + 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND chooseWindow(HWND owner, const std::vector<HWND>& shown) {
    TemplateWriter t;
    t.dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.words({3, 0, 0, 180, 110, 0, 0});
    t.text("Select Window");
    t.words({8});
    t.text("MS Sans Serif");
    t.item(LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 166, 78, kList, 0x0083, "");
    t.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 66, 90, 50, 14, IDOK, 0x0080, "OK");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 123, 90, 50, 14, IDCANCEL, 0x0080, "Cancel");
    Choice choice{&shown, nullptr};
    if (MdiClient* c = shown.empty() ? nullptr : MdiClient::ofChild(shown.front()))
        choice.active = c->active();
    INT_PTR chosen =
        DialogBoxIndirectParam(nullptr, t.get(), owner, chooseProc, reinterpret_cast<LPARAM>(&choice));
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > shown.size()) return nullptr;
    return shown[static_cast<std::size_t>(chosen - 1)];
}

} // namespace pm::mdi
