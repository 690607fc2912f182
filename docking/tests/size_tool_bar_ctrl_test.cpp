// The sizeable tool bar's control: which presses are button presses and which go to the owner.

#include "docking/CDKSizeToolBarCtrl.h"

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CPressRecorder : public CWnd {
public:
    std::vector<CPoint> m_presses;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint point) { m_presses.push_back(point); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPressRecorder, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(SizeToolBarCtrl, PressesOffTheButtonsGoToTheOwner) {
    CPressRecorder parent;
    ASSERT_TRUE(parent.CreateEx(0, AFX_WND, "bar", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
    CDKSizeToolBarCtrl tools;
    ASSERT_TRUE(tools.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                                 CCS_NORESIZE,
                             CRect(10, 10, 290, 90), &parent, 99));
    tools.SetButtonStructSize(sizeof(TBBUTTON));
    TBBUTTON buttons[3] = {{0, 0x8101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
                           {8, 0, 0, TBSTYLE_SEP, {}, 0, -1},
                           {1, 0x8102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}};
    tools.SendMessage(TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(buttons));
    CRect first, separator, last;
    tools.SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    tools.SendMessage(TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&separator));
    tools.SendMessage(TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(tools.HitTestButton(first.CenterPoint()), 0);
    EXPECT_EQ(tools.HitTestButton(last.CenterPoint()), 2);
    EXPECT_EQ(tools.HitTestButton(separator.CenterPoint()), -1);
    EXPECT_EQ(tools.HitTestButton(CPoint(last.right + 20, last.top + 2)), -1) << "the empty area";
    EXPECT_EQ(tools.HitTestButton(CPoint(first.left + 2, first.bottom + 20)), -1) << "below every row";

    const CPoint empty(last.right + 20, last.top + 2);
    tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(empty.x, empty.y));
    ASSERT_EQ(parent.m_presses.size(), 1u);
    EXPECT_EQ(parent.m_presses[0], empty + CSize(10, 10)) << "in the owner's coordinates";
    tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
    tools.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
    EXPECT_EQ(parent.m_presses.size(), 1u) << "a button press stays with the control";
    parent.DestroyWindow();
}

} // namespace
