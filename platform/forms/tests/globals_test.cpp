#include "platform/forms/app.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/msgbox.h"

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
