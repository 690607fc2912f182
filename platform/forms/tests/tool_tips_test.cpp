#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/standard_controls.h"
#include "platform/forms/tool_tips.h"
#include "platform/forms/windowless.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pm::test::pumpMessages;

class TipForm : public vb::Form {
public:
    TipForm() : vb::Form("TipForm", 240, 160) {
        Picture1.ToolTipText = "picture";
        Sample.ToolTipText = "sample";
        Under.ToolTipText = "under";
        Text1.ToolTipText = "text";
        OnForm.ToolTipText = "on form";
    }
    vb::PictureBox Picture1{*this, "Picture1", 10, 10, 120, 100};
    vb::Label Under{Picture1, "Under", 10, 10, 60, 20};
    vb::Label Sample{Picture1, "Sample", 40, 10, 60, 20};
    vb::TextBox Text1{*this, "Text1", 140, 10, 80, 24};
    vb::Label OnForm{*this, "OnForm", 140, 60, 80, 20};
};

// The text the form's tooltip would show over `p` of `window`, or "<none>" outside every tool.
std::string tipAt(HWND window, POINT p) {
    HWND tip = vb::toolTipWindow(window, false);
    TTHITTESTINFO info{};
    info.hwnd = window;
    info.pt = p;
    info.ti.cbSize = sizeof info.ti;
    if (!SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) return "<none>";
    NMTTDISPINFO nm{};
    nm.hdr = {tip, info.ti.uId, TTN_GETDISPINFO};
    nm.uFlags = info.ti.uFlags;
    nm.lpszText = nm.szText;
    SendMessage(info.ti.hwnd, WM_NOTIFY, info.ti.uId, reinterpret_cast<LPARAM>(&nm));
    return nm.lpszText ? nm.lpszText : "";
}

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        pumpMessages();
    }
    TipForm form;
};

TEST_F(ToolTipTest, EachControlShowsItsOwnTextTheTopmostLabelWinning) {
    struct Case {
        HWND window;
        POINT at;
        const char* tip;
    };
    const Case cases[] = {
        {form.Picture1.hWnd(), {5, 5}, "picture"},  {form.Picture1.hWnd(), {15, 15}, "under"},
        {form.Picture1.hWnd(), {50, 15}, "sample"}, {form.Picture1.hWnd(), {90, 15}, "sample"},
        {form.Text1.hWnd(), {5, 5}, "text"},        {form.hWnd(), {150, 65}, "on form"},
        {form.hWnd(), {150, 120}, "<none>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tipAt(c.window, c.at), c.tip) << c.at.x << "," << c.at.y;
}

TEST_F(ToolTipTest, ToolsFollowTextPlaceVisibilityAndZOrder) {
    HWND picture = form.Picture1.hWnd();
    form.Sample.ToolTipText = "#FF0000";
    EXPECT_EQ(tipAt(picture, {50, 15}), "#FF0000");
    form.Under.ZOrder(true);
    EXPECT_EQ(tipAt(picture, {50, 15}), "under");
    form.Under.SetVisible(false);
    EXPECT_EQ(tipAt(picture, {50, 15}), "#FF0000");
    form.Sample.Move(10, 60);
    EXPECT_EQ(tipAt(picture, {50, 15}), "picture");
    EXPECT_EQ(tipAt(picture, {20, 65}), "#FF0000");
    {
        vb::Label temporary(form.Picture1, "Temporary", 0, 0, 120, 100);
        temporary.ToolTipText = "temporary";
        EXPECT_EQ(tipAt(picture, {5, 5}), "temporary");
    }
    EXPECT_EQ(tipAt(picture, {5, 5}), "picture");
}

TEST_F(ToolTipTest, RestingMouseShowsTheTip) {
    HWND tip = vb::toolTipWindow(form.hWnd(), false);
    ASSERT_NE(tip, nullptr);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    pm::test::moveMouse(form.Picture1.hWnd(), POINT{50, 15});
    for (int i = 0; i < 200 && !IsWindowVisible(tip); ++i) {
        pumpMessages();
        pm::test::advanceClock(5);
    }
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_TRUE(pm::test::saveWindowPng(tip, pm::test::outputFolder() + "/forms_tooltip.png"));
}

} // namespace
