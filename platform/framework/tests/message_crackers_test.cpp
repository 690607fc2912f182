// The entry macros below are laid out by hand, a line per entry.
// clang-format off
// The ON_WM_ entries: every one of them in one map (each must compile against the framework's
// handler signatures and keep the window's default processing), and the parameters a few of them
// unpack.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> seen;
// Brushes told apart by their handles.
HBRUSH parentBrush() {
    return static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
}
HBRUSH controlBrush() {
    return static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH));
}

class CEveryMessage : public CWnd {
public:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
        seen.push_back("lbutton " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint) {
        seen.push_back("wheel " + std::to_string(zDelta));
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT) {
        seen.push_back("key " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
        // As programs do: the base first (a control may answer for itself), then our own colour.
        HBRUSH own = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        if (CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) return own;
        seen.push_back("ctlcolor " + std::to_string(nCtlColor));
        return parentBrush();
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM) {
        seen.push_back("syscommand " + std::to_string(nID));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEveryMessage, CWnd)
    ON_WM_CREATE() ON_WM_NCCREATE() ON_WM_DESTROY() ON_WM_NCDESTROY() ON_WM_CLOSE() ON_WM_SIZE() ON_WM_SIZING()
    ON_WM_MOVE() ON_WM_MOVING() ON_WM_PAINT() ON_WM_NCPAINT() ON_WM_ERASEBKGND() ON_WM_TIMER() ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS() ON_WM_ENABLE() ON_WM_SHOWWINDOW() ON_WM_WINDOWPOSCHANGING() ON_WM_WINDOWPOSCHANGED()
    ON_WM_GETMINMAXINFO() ON_WM_STYLECHANGING() ON_WM_STYLECHANGED() ON_WM_ACTIVATE() ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE() ON_WM_MOUSEACTIVATE() ON_WM_CHILDACTIVATE() ON_WM_MDIACTIVATE() ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED() ON_WM_LBUTTONDOWN() ON_WM_LBUTTONUP() ON_WM_LBUTTONDBLCLK() ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP() ON_WM_RBUTTONDBLCLK() ON_WM_MBUTTONDOWN() ON_WM_MBUTTONUP() ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL() ON_WM_NCLBUTTONDOWN() ON_WM_NCLBUTTONUP() ON_WM_NCLBUTTONDBLCLK() ON_WM_NCRBUTTONDOWN()
    ON_WM_NCRBUTTONUP() ON_WM_NCMOUSEMOVE() ON_WM_NCHITTEST() ON_WM_NCCALCSIZE() ON_WM_SETCURSOR()
    ON_WM_CONTEXTMENU() ON_WM_KEYDOWN() ON_WM_KEYUP() ON_WM_CHAR() ON_WM_SYSKEYDOWN() ON_WM_SYSKEYUP()
    ON_WM_SYSCHAR() ON_WM_GETDLGCODE() ON_WM_HSCROLL() ON_WM_VSCROLL() ON_WM_CTLCOLOR() ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM() ON_WM_COMPAREITEM() ON_WM_DELETEITEM() ON_WM_INITMENU() ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT() ON_WM_MENUCHAR() ON_WM_ENTERMENULOOP() ON_WM_EXITMENULOOP() ON_WM_SYSCOMMAND()
    ON_WM_SETTINGCHANGE() ON_WM_SYSCOLORCHANGE() ON_WM_DROPFILES() ON_WM_COPYDATA() ON_WM_PARENTNOTIFY()
    ON_WM_ENDSESSION() ON_WM_QUERYENDSESSION() ON_WM_QUERYNEWPALETTE() ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

// A control that answers its reflected owner-draw, colour and scroll messages itself.
class CEveryReflect : public CWnd {
public:
    HBRUSH CtlColor(CDC*, UINT nCtlColor) {
        seen.push_back("reflected ctlcolor " + std::to_string(nCtlColor));
        return controlBrush();
    }
    void DrawItem(LPDRAWITEMSTRUCT) { seen.push_back("reflected drawitem"); }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = 33; }
    int CompareItem(LPCOMPAREITEMSTRUCT) { return -1; }
    void DeleteItem(LPDELETEITEMSTRUCT) {}
    void HScroll(UINT nSBCode, UINT) { seen.push_back("reflected hscroll " + std::to_string(nSBCode)); }
    void VScroll(UINT, UINT) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEveryReflect, CWnd)
    ON_WM_CTLCOLOR_REFLECT() ON_WM_DRAWITEM_REFLECT() ON_WM_MEASUREITEM_REFLECT() ON_WM_COMPAREITEM_REFLECT()
    ON_WM_DELETEITEM_REFLECT() ON_WM_HSCROLL_REFLECT() ON_WM_VSCROLL_REFLECT()
END_MESSAGE_MAP()

} // namespace

TEST(MessageCrackers, EveryEntryKeepsTheDefaultsAndUnpacksItsParameters) {
    seen.clear();
    CEveryMessage wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AFX_WND, "every", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr, nullptr));
    CString title;
    wnd.GetWindowText(title);
    EXPECT_EQ(std::string(title), "every") << "creation went through the defaults";
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_GT(client.Width(), 0);
    pm::afxtest::pump();

    seen.clear();
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(10, 10));
    wnd.SendMessage(WM_KEYDOWN, VK_RETURN, MAKELPARAM(3, 0));
    HWND edit = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, nullptr, nullptr, nullptr);
    HDC dc = ::GetDC(edit);
    EXPECT_EQ(wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)),
              reinterpret_cast<LRESULT>(parentBrush()));
    wnd.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"lbutton 1 -3,7", "wheel -120", "key 13 x3", "ctlcolor 1",
                                             "syscommand " + std::to_string(SC_KEYMENU)}));

    CEveryReflect ctl;
    ASSERT_TRUE(ctl.Create(nullptr, "ctl", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &wnd, 77));
    seen.clear();
    EXPECT_EQ(wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ctl.m_hWnd)),
              reinterpret_cast<LRESULT>(controlBrush()))
        << "the control's own colour wins over the parent's";
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, 77, 0, 0, 0, 0};
    wnd.SendMessage(WM_MEASUREITEM, 77, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 33u);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 77;
    dis.hwndItem = ctl.m_hWnd;
    wnd.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis));
    wnd.SendMessage(WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(ctl.m_hWnd));
    EXPECT_EQ(seen, (std::vector<std::string>{"reflected ctlcolor 6", "reflected drawitem", "reflected hscroll 1"}));
    ::ReleaseDC(edit, dc);
    wnd.DestroyWindow();
}
// clang-format on
