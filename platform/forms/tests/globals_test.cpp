#include "platform/forms/app.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/form.h"
#include "platform/forms/msgbox.h"

#include "platform/win/tests/support/test_windows.h"
#include "platform/win/windows.h"

#include <gtest/gtest.h>

namespace {

struct Shown {
    std::string text, caption;
    UINT type = 0;
};

TEST(MsgBox, PassesFlagsAndReturnsTheAnswer) {
    Shown shown;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT type) {
        shown = {text, caption, type};
        return IDCANCEL;
    });
    vb::App().Title = "Tintara";
    int answer = vb::MsgBox("Overwrite?", vb::vbOKCancel | vb::vbQuestion | vb::vbDefaultButton2);
    pm::setMessageBoxHook(nullptr);
    EXPECT_EQ(answer, vb::vbCancel);
    EXPECT_EQ(shown.text, "Overwrite?");
    EXPECT_EQ(shown.caption, "Tintara");
    EXPECT_EQ(shown.type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
}

// The owner is the active window; while none is, the form that was active last (hidden: none).
TEST(MsgBox, OwnedByTheActiveWindowOrTheFormActiveLast) {
    HWND owner = reinterpret_cast<HWND>(1);
    pm::setMessageBoxHook([&](HWND hwnd, const std::string&, const std::string&, UINT) {
        owner = hwnd;
        return IDOK;
    });
    vb::Form form("Form1", 100, 80);
    form.Show();
    SetActiveWindow(form.hWnd());
    pm::test::pumpMessages();
    vb::MsgBox("active");
    EXPECT_EQ(owner, form.hWnd());
    HWND other = CreateWindowEx(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 300, 300, 40, 40, nullptr,
                                nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    vb::MsgBox("another window active");
    EXPECT_EQ(owner, other);
    SetActiveWindow(nullptr); // another program's window is active
    DestroyWindow(other);
    pm::test::pumpMessages();
    ASSERT_EQ(GetActiveWindow(), nullptr);
    vb::MsgBox("none active");
    EXPECT_EQ(owner, form.hWnd());
    form.Hide();
    vb::MsgBox("hidden");
    EXPECT_EQ(owner, nullptr);
    pm::setMessageBoxHook(nullptr);
}

TEST(MsgBox, FlagsAndResultsMatchTheWindowSystems) {
    EXPECT_EQ(vb::vbExclamation, MB_ICONEXCLAMATION);
    EXPECT_EQ(vb::vbCritical, MB_ICONHAND);
    EXPECT_EQ(vb::vbInformation, MB_ICONINFORMATION);
    EXPECT_EQ(vb::vbOK, IDOK);
    EXPECT_EQ(vb::vbNo, IDNO);
}

TEST(Clipboard, SetTextReplacesAndClearEmpties) {
    vb::Clipboard().SetText("#FF8000");
    EXPECT_EQ(vb::Clipboard().GetText(), "#FF8000");
    vb::Clipboard().SetText("rgb(1,2,3)");
    EXPECT_EQ(vb::Clipboard().GetText(), "rgb(1,2,3)");
    vb::Clipboard().Clear();
    EXPECT_EQ(vb::Clipboard().GetText(), "");
}

} // namespace
