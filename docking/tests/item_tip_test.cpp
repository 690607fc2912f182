// The item tip over a report-view list: which cells need a tip and where it goes, and the tip window
// showing the whole text and handing a click on it to the list.

#include "docking/CDKItemTip.h"
#include "docking/tests/support/menu_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

class ItemTip : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override {
        setUp();
        ASSERT_TRUE(
            list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 310, 160), &frame->m_wndView, 1));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 60);
        list.InsertItem(0, "short");
        list.SetItemText(0, 1, "ok");
        list.InsertItem(1, "second");
        list.SetItemText(1, 1, "a value far too long for its narrow column");
        tip.m_pList = &list;
        ASSERT_TRUE(tip.m_wndTip.Create(&list));
        tip.HookWindow(&list);
        frame->SetActiveWindow();
        pm::afxtest::pump();
    }
    void TearDown() override {
        tip.UnhookWindow();
        tip.m_wndTip.DestroyWindow();
        tearDown();
    }
    // The centre of a cell in the list's client coordinates.
    CPoint cell(int row, int column) {
        CRect rect;
        ListView_GetSubItemRect(list.m_hWnd, row, column, LVIR_BOUNDS, &rect);
        if (column == 0) rect.right = rect.left + 120;
        return rect.CenterPoint();
    }
    ItemTipInfo infoAt(CPoint point) {
        ItemTipInfo info;
        info.point = point;
        info.nOffset = tip.m_nOffset;
        tip.GetListItemInfo(&info);
        return info;
    }
    CListCtrl list;
    CDKItemTip tip;
};

} // namespace

TEST_F(ItemTip, OnlyACellWhoseTextIsCutGetsATip) {
    struct Case {
        const char* name;
        CPoint point;
        int result;
    } cases[] = {{"fits", cell(0, 1), ItemTipInfo::fits},
                 {"cut", cell(1, 1), ItemTipInfo::show},
                 {"below the rows", CPoint(50, 140), ItemTipInfo::noCell},
                 {"first column, fits", cell(0, 0), ItemTipInfo::fits}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemTipInfo info = infoAt(c.point);
        EXPECT_EQ(info.nResult, c.result);
        if (c.result != ItemTipInfo::show) continue;
        EXPECT_STREQ(info.szText, "a value far too long for its narrow column");
        EXPECT_EQ(info.nRow, 1);
        EXPECT_EQ(info.nColumn, 1);
        EXPECT_EQ(info.rect.left, 120);
    }
    // With small icons, a point on the first column's icon is outside its label.
    CImageList icons;
    ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR24, 1, 0));
    list.SetImageList(&icons, LVSIL_SMALL);
    CRect label;
    ListView_GetItemRect(list.m_hWnd, 1, &label, LVIR_LABEL);
    ASSERT_GT(label.left, 4);
    EXPECT_EQ(infoAt(CPoint(label.left - 4, label.CenterPoint().y)).nResult, ItemTipInfo::outsideLabel);
    EXPECT_NE(infoAt(CPoint(label.left + 4, label.CenterPoint().y)).nResult, ItemTipInfo::outsideLabel);
    list.SetImageList(nullptr, LVSIL_SMALL);
    list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(infoAt(cell(1, 1)).nResult, ItemTipInfo::notReport);
}

TEST_F(ItemTip, TheTipShowsTheWholeTextAndAClickOnItReachesTheList) {
    ItemTipInfo info = infoAt(cell(1, 1));
    ASSERT_EQ(info.nResult, ItemTipInfo::show);
    tip.m_wndTip.Show(&info.rect, info.szText, info.nOffset, info.nAlignment, nullptr, info.clrText,
                      info.clrBack);
    pm::afxtest::pump();
    ASSERT_TRUE(tip.m_wndTip.IsWindowVisible());
    CRect shown;
    tip.m_wndTip.GetWindowRect(&shown);
    EXPECT_GT(shown.Width(), 60); // wider than the column
    EXPECT_TRUE(pm::afxtest::saveScreenPng("docking_item_tip"));
    pm::test::MessageRecorder rec;
    rec.watch(list.m_hWnd, "list");
    CRect client;
    tip.m_wndTip.GetClientRect(&client);
    pm::test::click(tip.m_wndTip.m_hWnd, client.CenterPoint());
    pm::afxtest::pump();
    EXPECT_FALSE(tip.m_wndTip.IsWindowVisible());
    bool pressed = false;
    for (const auto& m : rec.messages())
        pressed = pressed || m.message == WM_LBUTTONDOWN;
    EXPECT_TRUE(pressed);
}

TEST_F(ItemTip, CellsFollowTheHeaderOrderAndACellReachingOutOfTheListGetsATip) {
    // A third column reaching past the list's right edge: its short text fits, but the cell is cut.
    list.InsertColumn(2, "Far", LVCFMT_LEFT, 200);
    list.SetItemText(0, 2, "ok");
    CRect client;
    list.GetClientRect(&client);
    ItemTipInfo reaching = infoAt(CPoint(client.right - 10, cell(0, 1).y));
    EXPECT_EQ(reaching.nColumn, 2);
    EXPECT_EQ(reaching.nResult, ItemTipInfo::show);
    // Shown first, the value column is found at the left and the name column after it.
    int order[] = {1, 0, 2};
    ASSERT_TRUE(list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
    CRect row;
    ListView_GetItemRect(list.m_hWnd, 1, &row, LVIR_BOUNDS);
    ItemTipInfo value = infoAt(CPoint(row.left + 30, row.CenterPoint().y));
    EXPECT_EQ(value.nColumn, 1);
    EXPECT_EQ(value.nResult, ItemTipInfo::show);
    EXPECT_STREQ(value.szText, "a value far too long for its narrow column");
    EXPECT_EQ(infoAt(CPoint(row.left + 60 + 30, row.CenterPoint().y)).nColumn, 0);
}

TEST_F(ItemTip, ATipThatWouldPassTheWorkAreaMovesBackIntoIt) {
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    // A cell whose left edge lies 40 pixels before the work area's right edge, in the list's terms.
    CPoint origin(0, 0);
    list.ClientToScreen(&origin);
    CRect cellRect(work.right - 40 - origin.x, 20, work.right - 20 - origin.x, 36);
    tip.m_wndTip.Show(&cellRect, "a text far wider than forty pixels", 2, 0, nullptr,
                      static_cast<COLORREF>(-1), static_cast<COLORREF>(-1));
    pm::afxtest::pump();
    ASSERT_TRUE(tip.m_wndTip.IsWindowVisible());
    CRect shown;
    tip.m_wndTip.GetWindowRect(&shown);
    EXPECT_LE(shown.right, work.right);
    EXPECT_GT(shown.Width(), 40);
    tip.m_wndTip.Hide(nullptr, nullptr);
}
