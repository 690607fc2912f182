// The combo button and its drop-down popup: the arrow's width, the grid, choosing by keys and by
// the pointer with the notifications in order, cancelling, the main part's cycling, tearing off,
// and opening above the button when there is no room below.

#include "docking/CCoolCombo.h"
#include "docking/CCoolComboBar.h"
#include "docking/tests/support/bar_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Events = std::vector<std::pair<UINT, int>>;

// A parent that records the combo's notifications.
class CRecordingParent : public CWnd {
public:
    Events m_events;
    LRESULT m_nUpdateAnswer = 1; // the answer to CCN_QUERYUPDATE

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const auto* pnm = reinterpret_cast<const NMCOOLCOMBO*>(lParam);
        if (pnm->hdr.code == CCN_QUERYUPDATE) {
            *pResult = m_nUpdateAnswer;
            return TRUE;
        }
        if (pnm->hdr.code < CCN_HOT || pnm->hdr.code > CCN_TORNOFF)
            return CWnd::OnNotify(wParam, lParam, pResult);
        const bool bHasItem =
            pnm->hdr.code == CCN_HOT || pnm->hdr.code == CCN_SELECT || pnm->hdr.code == CCN_EXTRA;
        m_events.emplace_back(pnm->hdr.code, bHasItem ? pnm->iItem : 0);
        *pResult = 0;
        return TRUE;
    }
};

class CoolComboTest : public ::testing::Test {
protected:
    void SetUp() override { Open(CPoint(100, 100)); }
    void TearDown() override {
        m_combo.ClosePopup();
        if (m_parent.m_hWnd) m_parent.DestroyWindow();
        pm::afxtest::pump();
    }
    void Open(CPoint at) {
        ASSERT_TRUE(m_parent.CreateEx(0, AFX_WND, "colours", WS_POPUP | WS_VISIBLE, at.x, at.y, 200, 40,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_combo.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), &m_parent, 77));
        m_images.DeleteImageList();
        m_images.Create(16, 15, ILC_COLOR24 | ILC_MASK, 20, 0);
        CBitmap strip;
        strip.Attach(pm::afxtest::makeButtonImages(20));
        m_images.Add(&strip, ::GetSysColor(COLOR_BTNFACE));
        m_combo.SetImages(&m_images);
        m_combo.SetDefaultText("Automatic");
        m_combo.SetItemCount(20, 8);
    }
    // Opens the popup by pressing and releasing the arrow.
    CCoolComboPopup* Drop() {
        const CPoint arrow = m_combo.GetArrowRect().CenterPoint();
        m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
        m_combo.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
        return m_combo.GetPopup();
    }
    static void Key(CWnd* popup, UINT vk) { popup->SendMessage(WM_KEYDOWN, vk, 1); }

    CRecordingParent m_parent;
    CCoolCombo m_combo;
    CImageList m_images;
};

TEST_F(CoolComboTest, TheArrowTakesAThirdAndTheGridWraps) {
    EXPECT_EQ(m_combo.GetArrowRect().Width(), 9) << "min(12, 9) for 30 by 20";
    EXPECT_EQ(m_combo.GetMainRect().Width(), 21);
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    const CRect first = popup->GetItemRect(0);
    EXPECT_EQ(popup->HitTest(popup->GetItemRect(19).CenterPoint()), 19) << "the last row holds 4 cells";
    EXPECT_EQ(popup->GetItemRect(19).top, first.top + 2 * first.Height()) << "3 rows";
    EXPECT_EQ(popup->HitTest(popup->GetItemRect(19).CenterPoint() + CSize(first.Width(), 0)), CC_ITEM_NONE);
    pm::afxtest::pump();
    popup->SendMessage(
        WM_MOUSEMOVE, 0,
        MAKELPARAM(popup->GetItemRect(10).CenterPoint().x, popup->GetItemRect(10).CenterPoint().y));
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(popup->m_hWnd, "colour_combo_popup"));
}

TEST_F(CoolComboTest, ThePopupShowsItsStripItsCellsAndTheCurrentAndHotOnes) {
    m_combo.SetCurrentItem(3);
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    const CRect hot = popup->GetItemRect(10);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(hot.CenterPoint().x, hot.CenterPoint().y));
    popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pm::afxtest::pump();
    const pm::test::Picture image = pm::test::windowPicture(popup->m_hWnd);
    CRect window;
    popup->GetWindowRect(&window);
    CPoint origin(0, 0);
    popup->ClientToScreen(&origin);
    auto at = [&](CPoint p) {
        return image.colour(p.x + origin.x - window.left, p.y + origin.y - window.top);
    };
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // The tear-off strip above the default text.
    const CRect text = popup->GetItemRect(CC_ITEM_DEFAULT);
    EXPECT_EQ(at(CPoint(text.CenterPoint().x, text.top - 4)), ::GetSysColor(COLOR_HIGHLIGHT));
    // The cells show their images; the current one is sunken, the hot one raised.
    const CRect current = popup->GetItemRect(3);
    EXPECT_EQ(at(current.CenterPoint()), RGB(40 + 150, 200 - 90, 90 + 120)) << "image 3";
    EXPECT_EQ(at(current.TopLeft()), shadow);
    EXPECT_EQ(at(CPoint(current.right - 1, current.bottom - 1)), light);
    EXPECT_EQ(at(hot.TopLeft()), light);
    EXPECT_EQ(at(CPoint(hot.right - 1, hot.bottom - 1)), shadow);
    const CRect plain = popup->GetItemRect(5);
    EXPECT_EQ(at(plain.TopLeft()), ::GetSysColor(COLOR_BTNFACE)) << "other cells have no edge";
}

TEST_F(CoolComboTest, TheStripAndTheCellsHaveTips) {
    m_combo.SetItemTips({"Red", "Green"});
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    auto tipOf = [&](UINT_PTR id) {
        TOOLINFO ti{};
        char text[80] = {};
        ti.cbSize = sizeof ti;
        ti.hwnd = popup->m_hWnd;
        ti.uId = id;
        ti.lpszText = text;
        popup->GetToolTips().SendMessage(TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
        return std::string(text);
    };
    EXPECT_EQ(popup->GetToolTips().GetToolCount(), 3);
    EXPECT_EQ(tipOf(CCoolComboPopup::kTearOffTip), "Drag to make this menu float");
    EXPECT_EQ(tipOf(CCoolComboPopup::kCellTipBase + 1), "Green");
}

TEST_F(CoolComboTest, KeysChooseACellWithTheNotificationsInOrder) {
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    Key(popup, VK_RIGHT); // the default text item
    Key(popup, VK_RIGHT); // cell 0
    Key(popup, VK_DOWN);  // cell 8
    Key(popup, VK_RETURN);
    EXPECT_EQ(m_parent.m_events,
              (Events{{CCN_SHOWN, 0}, {CCN_HOT, 0}, {CCN_HOT, 8}, {CCN_SELECT, 8}, {CCN_CLOSED, 0}}));
    EXPECT_EQ(m_combo.GetPopup(), nullptr);
    EXPECT_EQ(m_combo.GetCurrentItem(), 8);

    m_parent.m_events.clear();
    popup = Drop();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(::GetFocus(), popup->m_hWnd) << "the popup takes the keys";
    pm::afxtest::pressKey(popup->m_hWnd, VK_ESCAPE);
    pm::afxtest::pump();
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SHOWN, 0}, {CCN_CANCEL, 0}, {CCN_CLOSED, 0}}));
    EXPECT_EQ(m_combo.GetCurrentItem(), 8);
}

TEST_F(CoolComboTest, ThePointerChoosesTheCellItIsReleasedOn) {
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    const CPoint cell = popup->GetItemRect(5).CenterPoint();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.x, cell.y));
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SHOWN, 0}, {CCN_HOT, 5}, {CCN_SELECT, 5}, {CCN_CLOSED, 0}}));

    // Released outside: cancelled.
    m_parent.m_events.clear();
    popup = Drop();
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SHOWN, 0}, {CCN_CANCEL, 0}, {CCN_CLOSED, 0}}));

    // Pressing the arrow while the popup is open closes it on release, a close without a choice.
    m_parent.m_events.clear();
    ASSERT_NE(Drop(), nullptr);
    Drop();
    EXPECT_EQ(m_combo.GetPopup(), nullptr);
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SHOWN, 0}, {CCN_CANCEL, 0}, {CCN_CLOSED, 0}}));
}

TEST_F(CoolComboTest, ClickingTheMainPartCyclesThroughTheItems) {
    m_combo.SetCurrentItem(18);
    const CPoint main = m_combo.GetMainRect().CenterPoint();
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(main.x, main.y));
        m_combo.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(main.x, main.y));
        seen.push_back(m_combo.GetCurrentItem());
    }
    EXPECT_EQ(seen, (std::vector<int>{19, CC_ITEM_DEFAULT, 0}));
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SELECT, 19}, {CCN_DEFAULT, 0}, {CCN_SELECT, 0}}));
}

TEST_F(CoolComboTest, ATornOffPopupFloatsAndStaysOpenAfterAChoice) {
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    const CPoint strip = popup->GetTearOffRect().CenterPoint();
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(strip.x, strip.y));
    popup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(strip.x, strip.y + 40));
    // The new window is dragged on by a modal move loop the test does not run.
    MSG msg;
    ::PeekMessage(&msg, popup->m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
    EXPECT_TRUE(popup->IsFloating());
    EXPECT_TRUE(::IsWindow(popup->m_hWnd));
    EXPECT_TRUE(popup->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(m_combo.GetPopup(), nullptr) << "the combo lets it go";
    Key(popup, VK_RIGHT);
    Key(popup, VK_RETURN);
    EXPECT_TRUE(::IsWindow(popup->m_hWnd)) << "a choice does not close it";
    EXPECT_EQ(m_parent.m_events, (Events{{CCN_SHOWN, 0}, {CCN_TORNOFF, 0}, {CCN_DEFAULT, 0}}));
    popup->DestroyWindow();
}

TEST_F(CoolComboTest, WithNoRoomBelowThePopupOpensAboveTheButton) {
    m_parent.DestroyWindow();
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    Open(CPoint(100, work.bottom - 45));
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    CRect combo, below;
    m_combo.GetWindowRect(&combo);
    popup->GetWindowRect(&below);
    EXPECT_EQ(below.bottom, combo.top - 1);
    m_combo.ClosePopup();

    // At the right edge the popup moves left onto the work area.
    m_parent.DestroyWindow();
    Open(CPoint(work.right - 20, 100));
    popup = Drop();
    ASSERT_NE(popup, nullptr);
    CRect right;
    popup->GetWindowRect(&right);
    EXPECT_EQ(right.right, work.right);
}

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("CoolComboTest") {}
};

// Cells that stand for commands of the main window.
TEST_F(CoolComboTest, CommandCellsRunTheirCommandsAndShowTheirAccelerators) {
    pm::res::addString(0x8101, "Make the text bold\nBold");
    pm::res::addString(0x8103, "Insert a link\nLink");
    CTestApp app;
    docking_test::CBarFrame* frame = docking_test::MakeFrame();
    ASSERT_NE(frame, nullptr);
    app.m_pMainWnd = frame;
    ACCEL accel[] = {{FVIRTKEY | FCONTROL, 'K', 0x8103}};
    frame->m_hAccelTable = ::CreateAcceleratorTable(accel, 1);
    frame->m_nDisabledId = 0x8101;

    const UINT ids[] = {0x8101, 0, 0x8103};
    m_combo.SetItemCount(3, 1);
    m_combo.SetCommandIds(ids, 3);
    EXPECT_EQ(m_combo.GetCurrentItem(), CC_ITEM_DEFAULT);
    CCoolComboPopup* popup = Drop();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetCellTip(2), "Link\tCtrl+K");
    EXPECT_EQ(popup->GetCellTip(0), "Bold");
    EXPECT_FALSE(popup->IsCellEnabled(0)) << "the frame disables it";
    EXPECT_FALSE(popup->IsCellEnabled(1)) << "a separator";
    EXPECT_TRUE(popup->IsCellEnabled(2));
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(popup->m_hWnd, "command_combo_popup"));

    // A disabled cell is not run; an enabled one goes to the main window, not to the parent.
    const CPoint disabled = popup->GetItemRect(0).CenterPoint();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(disabled.x, disabled.y));
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(disabled.x, disabled.y));
    EXPECT_TRUE(frame->m_commands.empty());
    popup = Drop();
    ASSERT_NE(popup, nullptr);
    const CPoint link = popup->GetItemRect(2).CenterPoint();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(link.x, link.y));
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(link.x, link.y));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>({0x8103}));
    for (const auto& event : m_parent.m_events)
        EXPECT_NE(event.first, static_cast<UINT>(CCN_SELECT));
    // The button shows the command chosen, and a click on its main part chooses it again.
    EXPECT_EQ(m_combo.GetCurrentItem(), 2);
    const CPoint main = m_combo.GetMainRect().CenterPoint();
    m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(main.x, main.y));
    m_combo.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(main.x, main.y));
    pm::afxtest::pump();
    ASSERT_FALSE(m_parent.m_events.empty());
    EXPECT_EQ(m_parent.m_events.back(), std::make_pair(static_cast<UINT>(CCN_SELECT), 2));

    ::DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = nullptr;
    app.m_pMainWnd = nullptr;
    frame->DestroyWindow();
    pm::afxtest::pump();
}

TEST_F(CoolComboTest, WithoutAHandlerTheTargetAnswersTheUpdate) {
    struct Case {
        LRESULT answer;
        BOOL bDisableIfNoHandler;
        bool bEnabled;
        int current;
    } cases[] = {{-1, FALSE, false, 4},
                 {0, TRUE, false, 4},
                 {0, FALSE, true, 4},
                 {1, TRUE, true, 4},
                 {2, TRUE, true, CC_ITEM_INDETERMINATE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        m_combo.EnableWindow(!c.bEnabled);
        m_combo.SetCurrentItem(4);
        m_parent.m_nUpdateAnswer = c.answer;
        m_combo.OnUpdateCmdUI(&m_parent, c.bDisableIfNoHandler);
        EXPECT_EQ(m_combo.IsWindowEnabled() != FALSE, c.bEnabled);
        EXPECT_EQ(m_combo.GetCurrentItem(), c.current);
    }
}

namespace {

// A 24-bit BMP file of images 16 wide and 15 high, each filled with its colour.
std::vector<unsigned char> StripOfImages(const std::vector<COLORREF>& colours) {
    const int w = 16 * static_cast<int>(colours.size()), h = 15;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> out(static_cast<size_t>(54 + stride * h), 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colours[static_cast<size_t>(x / 16)];
            const size_t at = static_cast<size_t>(54 + y * stride + x * 3);
            out[at] = GetBValue(c);
            out[at + 1] = GetGValue(c);
            out[at + 2] = GetRValue(c);
        }
    return out;
}

// The colour the main part of a combo shows in its middle.
COLORREF MainPartMiddle(CCoolCombo& combo) {
    combo.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pm::afxtest::pump();
    const CPoint middle = combo.GetMainRect().CenterPoint();
    return pm::test::windowPicture(combo.m_hWnd).colour(middle.x, middle.y);
}

} // namespace

TEST(CoolComboBar, CombosTakeTheirImagesFromTheBarsToolBarResource) {
    constexpr UINT IDR_COMBO_BAR = 7410;
    const COLORREF red = RGB(200, 0, 0), green = RGB(0, 160, 0), blue = RGB(0, 0, 200);
    static const std::vector<unsigned char> strip = StripOfImages({red, green, blue});
    pm::res::addToolbar(IDR_COMBO_BAR, {16, 15, {0x8101, 0, 0x8102, 0x8103}});
    pm::res::addImage(pm::res::ImageKind::Bitmap, IDR_COMBO_BAR, strip.data(), strip.size());
    docking_test::CBarFrame* frame = docking_test::MakeFrame();
    ASSERT_NE(frame, nullptr);
    CCoolComboBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 500));
    ASSERT_TRUE(bar.LoadToolBar(IDR_COMBO_BAR));
    // With an image index the button keeps its place and the combo shows the button's image.
    CCoolCombo withImage;
    ASSERT_TRUE(bar.AddCombo(&withImage, 0x8102, 1));
    withImage.SetCurrentItem(CC_ITEM_DEFAULT);
    EXPECT_EQ(MainPartMiddle(withImage), green);
    // Without one the button becomes a separator and the combo's grid holds every image of the
    // resource.
    CCoolCombo grid;
    ASSERT_TRUE(bar.AddCombo(&grid, 0x8103));
    grid.SetItemCount(3, 3);
    for (int item : {0, 2}) {
        grid.SetCurrentItem(item);
        EXPECT_EQ(MainPartMiddle(grid), item == 0 ? red : blue) << item;
    }
    // The bitmap resource and tool-bar resource forms on their own.
    CCoolCombo loose;
    ASSERT_TRUE(loose.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 40, 40, 62), frame, 0x8101));
    EXPECT_TRUE(loose.LoadToolBarImage(IDR_COMBO_BAR, RGB(0xC0, 0xC0, 0xC0)));
    loose.SetCurrentItem(CC_ITEM_DEFAULT);
    EXPECT_EQ(MainPartMiddle(loose), red);
    EXPECT_TRUE(loose.LoadImages(IDR_COMBO_BAR, 16, RGB(0xC0, 0xC0, 0xC0)));
    loose.SetItemCount(3, 3);
    loose.SetCurrentItem(1);
    EXPECT_EQ(MainPartMiddle(loose), green);
    EXPECT_FALSE(loose.LoadToolBarImage(IDR_COMBO_BAR + 1, 0)) << "no such resource";
    frame->DestroyWindow();
    pm::afxtest::pump();
}

TEST(CoolComboBar, ACombosSeparatorIsHalfAsWideAgainAndTheComboSitsOnIt) {
    docking_test::CBarFrame* frame = docking_test::MakeFrame();
    ASSERT_NE(frame, nullptr);
    CCoolComboBar bar;
    const UINT buttons[] = {0x8101, 0x8102, 0x8103};
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 500));
    ASSERT_TRUE(bar.SetButtons(buttons, 3));
    ASSERT_TRUE(bar.SetBitmap(pm::afxtest::makeButtonImages(3)));
    CRect first;
    bar.GetItemRect(0, &first);
    CCoolCombo combo;
    ASSERT_TRUE(bar.AddCombo(&combo, 0x8102));
    CRect place, where;
    bar.GetItemRect(1, &place);
    EXPECT_EQ(place.Width(), first.Width() + (first.Width() - 2) / 2);
    combo.GetWindowRect(&where);
    bar.ScreenToClient(&where);
    EXPECT_EQ(where, place);
    CCoolCombo none;
    EXPECT_TRUE(bar.AddCombo(&none, 0x9999)) << "no such button: nothing done";
    EXPECT_EQ(none.m_hWnd, nullptr);
    bar.SendMessage(TB_HIDEBUTTON, 0x8103, TRUE);
    CCoolCombo hidden;
    EXPECT_TRUE(bar.AddCombo(&hidden, 0x8103)) << "a hidden button: nothing done";
    EXPECT_EQ(hidden.m_hWnd, nullptr);
    frame->DestroyWindow();
    pm::afxtest::pump();
}

} // namespace
