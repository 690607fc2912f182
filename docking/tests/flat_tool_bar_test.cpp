// The flat tool bar: hot tracking and its timer, pushed and checked buttons, the custom-draw
// notifications, and the bar's look.

#include "docking/CToolBarEx.h"
#include "docking/tests/support/bar_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using docking_test::CBarFrame;
using docking_test::DrawCall;

const UINT kButtons[] = {0x8101, 0x8102, ID_SEPARATOR, 0x8103, 0x8104};

class FlatToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = docking_test::MakeFrame();
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(m_bar.Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(m_bar.SetButtons(kButtons, 5));
        ASSERT_TRUE(m_bar.SetBitmap(pm::afxtest::makeButtonImages(4)));
        m_frame->RecalcLayout();
        pm::afxtest::pump();
    }
    void TearDown() override {
        m_bar.DestroyWindow();
        m_frame->DestroyWindow();
        pm::afxtest::pump();
    }
    CRect ItemRect(int i) const {
        CRect rect;
        m_bar.GetItemRect(i, rect);
        return rect;
    }
    COLORREF Pixel(CPoint p) {
        pm::afxtest::pump();
        return pm::test::windowPicture(m_bar.m_hWnd).pixel(ClientToWindow(p).x, ClientToWindow(p).y) &
               0xFFFFFF;
    }
    CPoint ClientToWindow(CPoint p) const {
        CRect window;
        m_bar.GetWindowRect(&window);
        m_bar.ClientToScreen(&p);
        return CPoint(p.x - window.left, p.y - window.top);
    }
    static COLORREF Rgb(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); } // QRgb order

    CBarFrame* m_frame = nullptr;
    CToolBarEx m_bar;
};

TEST_F(FlatToolBarTest, TheButtonUnderTheCursorIsRaisedUntilTheCursorLeaves) {
    const CRect first = ItemRect(0);
    EXPECT_EQ(Pixel(first.TopLeft()), Rgb(::GetSysColor(COLOR_BTNFACE))) << "no frame at rest";
    pm::test::moveMouse(m_bar.m_hWnd, first.CenterPoint());
    pm::test::pumpMessages();
    EXPECT_EQ(m_bar.GetHotButton(), 0);
    EXPECT_EQ(Pixel(first.TopLeft()), Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Pixel(first.BottomRight() - CSize(1, 1)), Rgb(::GetSysColor(COLOR_BTNSHADOW)));

    // Resting on the button keeps it hot when the timer fires.
    m_bar.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(m_bar.GetHotButton(), 0);
    // The cursor leaves the bar with no move over it: the timer clears the frame.
    ::SetCursorPos(0, 0);
    m_bar.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(m_bar.GetHotButton(), -1);
    EXPECT_EQ(Pixel(first.TopLeft()), Rgb(::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(FlatToolBarTest, CheckedButtonsAreSunkenOnTheLightColour) {
    m_frame->m_nCheckedId = kButtons[1];
    m_bar.OnUpdateCmdUI(m_frame, TRUE); // the frame's idle update
    const CRect second = ItemRect(1);
    EXPECT_EQ(Pixel(second.TopLeft()), Rgb(::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Pixel(second.BottomRight() - CSize(1, 1)), Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT)));
    COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    if (light == ::GetSysColor(COLOR_BTNFACE)) light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(Pixel(second.TopLeft() + CSize(3, 3)), Rgb(light)) << "inside the face-coloured inner frame";

    // A disabled image is embossed: its ink in the shadow colour.
    m_frame->m_nDisabledId = kButtons[3];
    m_bar.OnUpdateCmdUI(m_frame, TRUE);
    const CRect disabled = ItemRect(3);
    const CPoint ink = disabled.CenterPoint();
    EXPECT_EQ(Pixel(ink), Rgb(::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(pm::afxtest::savePng(m_bar.m_hWnd, "flat_tool_bar"));
}

TEST_F(FlatToolBarTest, WithoutTheFlatFlagTheBarIsTheFrameworksOwn) {
    CToolBarEx plainEx;
    plainEx.m_bFlat = FALSE;
    CToolBar plain;
    for (CToolBar* bar : {static_cast<CToolBar*>(&plainEx), &plain}) {
        ASSERT_TRUE(bar->Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
        ASSERT_TRUE(bar->SetButtons(kButtons, 5));
        ASSERT_TRUE(bar->SetBitmap(pm::afxtest::makeButtonImages(4)));
    }
    EXPECT_EQ(plainEx.CalcFixedLayout(FALSE, TRUE), plain.CalcFixedLayout(FALSE, TRUE));
    plainEx.MoveWindow(0, 0, 300, 30);
    plain.MoveWindow(0, 40, 300, 30);
    CRect a, b;
    plainEx.GetClientRect(&a);
    plain.GetClientRect(&b);
    EXPECT_EQ(a, b);
    pm::afxtest::pump();
    EXPECT_TRUE(pm::test::windowPicture(plainEx.m_hWnd) == pm::test::windowPicture(plain.m_hWnd));
    // The flat bar's client area is shifted past its gripper.
    CRect flat;
    m_bar.GetClientRect(&flat);
    CRect window;
    m_bar.GetWindowRect(&window);
    CPoint origin(0, 0);
    m_bar.ClientToScreen(&origin);
    CToolBar& reference = plain;
    CPoint plainOrigin(0, 0);
    reference.ClientToScreen(&plainOrigin);
    CRect plainWindow;
    reference.GetWindowRect(&plainWindow);
    EXPECT_EQ(origin.x - window.left, plainOrigin.x - plainWindow.left + 4);
    plainEx.DestroyWindow();
    plain.DestroyWindow();
}

TEST_F(FlatToolBarTest, TheParentDrawsAlongThroughCustomDraw) {
    m_frame->m_nDisabledId = kButtons[3];
    m_bar.OnUpdateCmdUI(m_frame, TRUE);
    m_frame->m_prePaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    m_frame->m_itemAnswer = CDRF_NOTIFYPOSTPAINT;
    m_frame->m_nSkipItem = kButtons[1];
    m_frame->m_draws.clear();
    m_bar.Invalidate();
    pm::afxtest::pump();
    std::vector<DWORD> stages;
    std::vector<DWORD_PTR> items;
    for (const DrawCall& d : m_frame->m_draws) {
        stages.push_back(d.stage);
        items.push_back(d.item);
    }
    EXPECT_EQ(stages, (std::vector<DWORD>{CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT,
                                          CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT,
                                          CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT}));
    EXPECT_EQ(items, (std::vector<DWORD_PTR>{0, kButtons[0], kButtons[0], kButtons[1], kButtons[3],
                                             kButtons[3], kButtons[4], kButtons[4], 0}));
    EXPECT_EQ(m_frame->m_draws[4].state, static_cast<UINT>(CDIS_DISABLED));
}

} // namespace
