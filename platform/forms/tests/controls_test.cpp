#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/standard_controls.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pm::test::pumpMessages;
using Log = std::vector<std::string>;

// A dialog-like form with one of each standard control.
class ControlsForm : public vb::Form {
public:
    ControlsForm() : vb::Form("ControlsForm", 320, 200) {
        txtColor.Change = [this] { log.push_back("txtColor_Change " + txtColor.Text()); };
        txtColor.GotFocus = [this] { log.push_back("txtColor_GotFocus"); };
        txtColor.KeyDown = [this](int& key, int) {
            log.push_back("txtColor_KeyDown " + std::to_string(key));
        };
        List1.Click = [this] { log.push_back("List1_Click " + List1.Text()); };
        cmdOK.SetDefault(true);
        cmdOK.Click = [this] { log.push_back("cmdOK_Click"); };
        cmdCancel.SetCancel(true);
        cmdCancel.Click = [this] { log.push_back("cmdCancel_Click"); };
        Check1.Click = [this] { log.push_back("Check1_Click " + std::to_string(Check1.Value())); };
        Slider.SetMin(255);
        Slider.SetMax(0);
        Slider.SetValue(0);
        Slider.Change = [this] { log.push_back("Slider_Change " + std::to_string(Slider.Value())); };
    }

    Log log;

    vb::TextBox txtColor{*this, "txtColor", 10, 10, 100, 20};
    vb::ListBox List1{*this, "List1", 10, 40, 100, 80, true};
    vb::CommandButton cmdOK{*this, "cmdOK", 220, 10, 80, 24, "&OK"};
    vb::CommandButton cmdCancel{*this, "cmdCancel", 220, 40, 80, 24, "Cancel"};
    vb::CheckBox Check1{*this, "Check1", 120, 10, 90, 20, "&Check"};
    vb::VScrollBar Slider{*this, "Slider", 180, 40, 17, 120};

protected:
    void Form_KeyDown(int& keyCode, int) override {
        log.push_back("Form_KeyDown " + std::to_string(keyCode));
        if (keyCode == VK_F2) keyCode = 0;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        pumpMessages();
        form.log.clear();
    }
    ControlsForm form;
};

TEST_F(ControlsTest, TextBoxChangesOnProgramAndUserEdits) {
    form.txtColor.SetText("12");
    EXPECT_EQ(form.log, (Log{"txtColor_Change 12"}));
    form.txtColor.SetFocus();
    form.txtColor.SetSelStart(2);
    EXPECT_EQ(form.txtColor.SelStart(), 2);
    form.log.clear();
    pm::test::typeText(form.hWnd(), "8");
    pumpMessages();
    EXPECT_EQ(form.txtColor.Text(), "128");
    EXPECT_EQ(form.log.back(), "txtColor_Change 128");
}

TEST_F(ControlsTest, KeyPreviewBeforeTheTextBoxAndAZeroCodeSwallows) {
    form.txtColor.SetFocus();
    form.KeyPreview = true;
    form.log.clear();
    pm::test::pressKey(form.hWnd(), VK_RIGHT);
    pm::test::pressKey(form.hWnd(), VK_F2);
    pumpMessages();
    EXPECT_EQ(form.log, (Log{"Form_KeyDown 39", "txtColor_KeyDown 39", "Form_KeyDown 113"}));
}

TEST_F(ControlsTest, GotFocusOnFocus) {
    form.List1.SetFocus();
    form.log.clear();
    form.txtColor.SetFocus();
    EXPECT_EQ(form.log, (Log{"txtColor_GotFocus"}));
}

TEST_F(ControlsTest, SortedListBoxIgnoresCase) {
    for (const char* item : {"beta", "Alpha", "gamma", "alpha2", "Beta0"})
        form.List1.AddItem(item);
    ASSERT_EQ(form.List1.ListCount(), 5);
    const Log expected = {"Alpha", "alpha2", "beta", "Beta0", "gamma"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(form.List1.List(i), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(form.List1.ListIndex(), -1);
    form.List1.SetListIndex(2);
    EXPECT_EQ(form.log, (Log{"List1_Click beta"}));
    EXPECT_EQ(form.List1.Text(), "beta");
}

// List boxes of any asked height show whole rows only: the last visible row is never cut off.
TEST_F(ControlsTest, ListBoxesShowWholeRows) {
    for (int height : {30, 80, 97, 180}) {
        SCOPED_TRACE(height);
        vb::ListBox list(form, "", 120, 10, 60, height);
        const int row = static_cast<int>(SendMessage(list.hWnd(), LB_GETITEMHEIGHT, 0, 0));
        ASSERT_GT(row, 0);
        RECT client{};
        GetClientRect(list.hWnd(), &client);
        EXPECT_EQ(client.bottom % row, 0);
        EXPECT_LE(list.Height(), height);
        EXPECT_GT(list.Height(), height - row);
    }
}

TEST_F(ControlsTest, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    form.txtColor.SetFocus();
    form.log.clear();
    pm::test::pressKey(form.hWnd(), VK_RETURN);
    pm::test::pressKey(form.hWnd(), VK_ESCAPE);
    pumpMessages();
    EXPECT_EQ(form.log,
              (Log{"txtColor_KeyDown 13", "cmdOK_Click", "txtColor_KeyDown 27", "cmdCancel_Click"}));
    form.log.clear();
    form.KeyPreview = true;
    pm::test::pressKey(form.hWnd(), VK_RETURN);
    pumpMessages();
    EXPECT_EQ(form.log, (Log{"Form_KeyDown 13", "txtColor_KeyDown 13", "cmdOK_Click"}));
}

// A form shown gives the focus to its first control, and, activated again, to the control that
// had it when the form was left: typed keys reach a control without a click first.
TEST_F(ControlsTest, ActivationFocusesTheFirstControlThenTheOneLeft) {
    EXPECT_EQ(GetFocus(), form.txtColor.hWnd());
    form.List1.SetFocus();
    vb::Form other("Other", 100, 80);
    other.Show();
    pumpMessages();
    ASSERT_EQ(GetActiveWindow(), other.hWnd());
    form.Show();
    SetActiveWindow(form.hWnd());
    pumpMessages();
    EXPECT_EQ(GetFocus(), form.List1.hWnd());
    form.List1.SetEnabled(false);
    SetActiveWindow(other.hWnd());
    SetActiveWindow(form.hWnd());
    EXPECT_EQ(GetFocus(), form.txtColor.hWnd()) << "a control that can no longer take it is passed over";
}

TEST_F(ControlsTest, TabMovesAlongTheTabStopsAndAltPressesMnemonics) {
    form.txtColor.SetFocus();
    pm::test::pressKey(form.hWnd(), VK_TAB);
    pumpMessages();
    EXPECT_EQ(GetFocus(), form.List1.hWnd());
    pm::test::pressKey(form.hWnd(), VK_TAB, true);
    pumpMessages();
    EXPECT_EQ(GetFocus(), form.txtColor.hWnd());
    EXPECT_EQ(form.txtColor.Text(), "");
    form.log.clear();
    pm::test::pressKey(form.hWnd(), 'O', false, false, true);
    pm::test::pressKey(form.hWnd(), 'C', false, false, true);
    pumpMessages();
    EXPECT_EQ(form.log, (Log{"cmdOK_Click", "Check1_Click 1"}));
}

TEST_F(ControlsTest, ButtonsClickWithTheMouse) {
    pm::test::click(form.hWnd(), POINT{240, 50});
    pm::test::click(form.hWnd(), POINT{125, 20});
    pumpMessages();
    EXPECT_EQ(form.log, (Log{"cmdCancel_Click", "Check1_Click 1"}));
    form.log.clear();
    form.Check1.SetValue(0);
    form.Check1.SetValue(0);
    EXPECT_EQ(form.log, (Log{"Check1_Click 0"}));
}

TEST_F(ControlsTest, MouseEventsOfStandardControlsReportTheirButton) {
    auto note = [this](const char* what) {
        return [this, what](int button, int, int x, int y) {
            form.log.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(x) +
                               "," + std::to_string(y));
        };
    };
    form.cmdCancel.MouseDown = note("cmdCancel_MouseDown");
    form.cmdCancel.MouseUp = note("cmdCancel_MouseUp");
    form.txtColor.MouseDown = note("txtColor_MouseDown");
    form.txtColor.MouseUp = note("txtColor_MouseUp");
    pm::test::click(form.hWnd(), POINT{240, 50});
    pm::test::click(form.hWnd(), POINT{245, 55}, VK_RBUTTON);
    pm::test::click(form.hWnd(), POINT{15, 15});
    pumpMessages();
    EXPECT_EQ(form.log, (Log{"cmdCancel_MouseDown 1 20,10", "cmdCancel_MouseUp 1 20,10", "cmdCancel_Click",
                             "cmdCancel_MouseDown 2 25,15", "cmdCancel_MouseUp 2 25,15", "txtColor_GotFocus",
                             "txtColor_MouseDown 1 4,4", "txtColor_MouseUp 1 4,4"}));
}

TEST_F(ControlsTest, ScrollBarWithMinAboveMaxRisesUpward) {
    ASSERT_EQ(form.Slider.Value(), 0);
    pm::test::click(form.hWnd(), POINT{188, 45}); // the upper arrow
    pumpMessages();
    EXPECT_EQ(form.Slider.Value(), 1);
    form.Slider.SetValue(300);
    EXPECT_EQ(form.Slider.Value(), 255);
    form.Slider.SetValue(255);
    EXPECT_EQ(form.log, (Log{"Slider_Change 1", "Slider_Change 255"}));
    pm::test::click(form.hWnd(), POINT{188, 154}); // the lower arrow
    pumpMessages();
    EXPECT_EQ(form.Slider.Value(), 254);
}

TEST_F(ControlsTest, PictureOfTheControls) {
    form.txtColor.SetText("#FF8000");
    form.List1.AddItem("Lime");
    form.List1.AddItem("aqua");
    form.Check1.SetValue(1);
    form.Slider.SetValue(128);
    pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(form.hWnd(), pm::test::outputFolder() + "/forms_controls.png"));
}

// Arrays of standard controls, element 0 placed at design time.
class ArrayForm : public vb::Form {
public:
    ArrayForm() : vb::Form("ArrayForm", 320, 200) {
        auto& box = Boxes.add(0, std::make_unique<vb::TextBox>(*this, "", 10, 10, 60, 20));
        box.SetText("255");
        box.Tag = "red";
        box.ToolTipText = "Red 0-255";
        box.SetBackColor(RGB(255, 128, 128));
        Buttons.add(0, std::make_unique<vb::CommandButton>(*this, "", 80, 10, 60, 24, "Go"));
        Checks.add(0, std::make_unique<vb::CheckBox>(*this, "", 150, 10, 60, 20, "On")).SetValue(1);
        auto& list = Lists.add(0, std::make_unique<vb::ListBox>(*this, "", 10, 40, 80, 60, true));
        list.AddItem("b");
        list.AddItem("A");
        auto& bar = Bars.add(0, std::make_unique<vb::VScrollBar>(*this, "", 100, 40, 17, 100));
        bar.SetMin(255);
        bar.SetMax(0);
        bar.SetValue(40);
        bar.SmallChange = 5;
        Wide.add(0, std::make_unique<vb::HScrollBar>(*this, "", 130, 40, 100, 17)).SetMax(10);
        Boxes.Change = [this](int i) { log.push_back("Boxes_Change " + std::to_string(i)); };
        Boxes.GotFocus = [this](int i) { log.push_back("Boxes_GotFocus " + std::to_string(i)); };
        Boxes.LostFocus = [this](int i) { log.push_back("Boxes_LostFocus " + std::to_string(i)); };
        Boxes.KeyDown = [this](int i, int& key, int) {
            log.push_back("Boxes_KeyDown " + std::to_string(i) + " " + std::to_string(key));
        };
        Buttons.Click = [this](int i) { log.push_back("Buttons_Click " + std::to_string(i)); };
        Bars.Change = [this](int i) { log.push_back("Bars_Change " + std::to_string(i)); };
    }

    Log log;
    vb::ControlArray<vb::TextBox> Boxes{"Boxes"};
    vb::ControlArray<vb::CommandButton> Buttons{"Buttons"};
    vb::ControlArray<vb::CheckBox> Checks{"Checks"};
    vb::ControlArray<vb::ListBox> Lists{"Lists"};
    vb::ControlArray<vb::VScrollBar> Bars{"Bars"};
    vb::ControlArray<vb::HScrollBar> Wide{"Wide"};
};

// The properties every control shares, as they must come over to a run-time element.
template <class T> void expectCommonCopy(const vb::ControlArray<T>& array, int index) {
    const T& first = array[0];
    const T& copy = array[index];
    EXPECT_FALSE(copy.Visible());
    EXPECT_FALSE(IsWindowVisible(copy.hWnd()));
    EXPECT_EQ(copy.Index, index);
    EXPECT_EQ(copy.Name, first.Name);
    EXPECT_EQ(copy.Tag, first.Tag);
    EXPECT_EQ(copy.ToolTipText, first.ToolTipText);
    EXPECT_EQ(copy.BackColor(), first.BackColor());
    EXPECT_EQ(std::make_pair(copy.Left(), copy.Top()), std::make_pair(first.Left(), first.Top()));
    EXPECT_EQ(std::make_pair(copy.Width(), copy.Height()), std::make_pair(first.Width(), first.Height()));
}

TEST(ControlArrays, RunTimeLoadCopiesElementZeroHiddenForEveryStandardKind) {
    ArrayForm form;
    form.Show();
    pumpMessages();
    form.log.clear(); // the first box took the focus as the form was shown
    expectCommonCopy(form.Boxes, (form.Boxes.Load(1), 1));
    EXPECT_EQ(form.Boxes[1].Text(), "255");
    expectCommonCopy(form.Buttons, (form.Buttons.Load(1), 1));
    EXPECT_EQ(form.Buttons[1].Caption(), "Go");
    expectCommonCopy(form.Checks, (form.Checks.Load(1), 1));
    EXPECT_EQ(form.Checks[1].Value(), 1);
    expectCommonCopy(form.Lists, (form.Lists.Load(1), 1));
    form.Lists[1].AddItem("a2");
    EXPECT_EQ(form.Lists[1].ListCount(), 3);
    EXPECT_EQ(form.Lists[1].List(1), "a2");
    expectCommonCopy(form.Bars, (form.Bars.Load(1), 1));
    EXPECT_EQ(std::make_pair(form.Bars[1].Min(), form.Bars[1].Max()), std::make_pair(255, 0));
    EXPECT_EQ(form.Bars[1].Value(), 40);
    EXPECT_EQ(form.Bars[1].SmallChange, 5);
    expectCommonCopy(form.Wide, (form.Wide.Load(1), 1));
    EXPECT_EQ(form.Wide[1].Max(), 10);
    EXPECT_EQ(form.log, Log{});
    EXPECT_THROW(form.Boxes.Load(1), std::invalid_argument);
}

TEST(ControlArrays, EventsOfLoadedElementsCarryTheirIndex) {
    ArrayForm form;
    form.Show();
    pumpMessages();
    EXPECT_EQ(form.log, Log{"Boxes_GotFocus 0"}) << "the first box takes the focus as the form shows";
    form.log.clear();
    form.Boxes.Load(2).SetVisible(true);
    form.Buttons.Load(3);
    form.Bars.Load(1);
    form.Boxes[2].SetText("12");
    form.Boxes[0].SetFocus();
    form.Boxes[2].SetFocus();
    pm::test::pressKey(form.hWnd(), VK_RETURN);
    pumpMessages();
    form.Buttons[3].press();
    form.Bars[1].SetValue(41);
    EXPECT_EQ(form.log, (Log{"Boxes_Change 2", "Boxes_LostFocus 0", "Boxes_GotFocus 2", "Boxes_KeyDown 2 13",
                             "Buttons_Click 3", "Bars_Change 1"}));
}

} // namespace
