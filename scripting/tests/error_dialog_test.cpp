// The script error dialogs: the buttons each template offers, the Debug button disabled without a
// debugger, and Esc, the close box and Enter.

#include "platform/framework/afxwin.h"
#include "platform/win/windlg.h"
#include "scripting/CHHScriptErrorDlg.h"
#include "scripting/CHHScriptErrorInfo.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

INT_PTR runDialog(BOOL syntax, BOOL disableDebug, const std::function<void(HWND)>& act) {
    pm::setDialogHook(act);
    CHHScriptErrorDlg dialog(syntax, "Line 1, Column 2\n", disableDebug, nullptr);
    INT_PTR result = dialog.DoModal();
    pm::setDialogHook(nullptr);
    AfxDeleteTempMaps(); // as the program's idle time does
    return result;
}

TEST(ErrorDialog, EscapeTheCloseBoxAndEnterAnswerAsTheUserExpects) {
    struct Row {
        const char* name;
        BOOL syntax;
        std::function<void(HWND)> act;
        INT_PTR expected;
    };
    const Row rows[] = {
        {"Esc", FALSE, [](HWND d) { ::SendMessage(d, WM_COMMAND, IDCANCEL, 0); }, IDC_HHERR_END},
        {"close box", FALSE, [](HWND d) { ::SendMessage(d, WM_CLOSE, 0, 0); }, IDC_HHERR_END},
        {"Enter", FALSE, [](HWND d) { ::SendMessage(d, WM_COMMAND, IDOK, 0); }, IDC_HHERR_CONTINUE},
        {"Enter in the syntax dialog", TRUE, [](HWND d) { ::SendMessage(d, WM_COMMAND, IDOK, 0); },
         IDC_HHERR_END},
        {"Esc in the syntax dialog", TRUE, [](HWND d) { ::SendMessage(d, WM_COMMAND, IDCANCEL, 0); },
         IDC_HHERR_END},
        {"Continue", FALSE,
         [](HWND d) { ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_HHERR_CONTINUE, BN_CLICKED), 0); },
         IDC_HHERR_CONTINUE},
        {"Debug", FALSE,
         [](HWND d) { ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_HHERR_DEBUG, BN_CLICKED), 0); },
         IDC_HHERR_DEBUG},
    };
    for (const Row& row : rows)
        EXPECT_EQ(runDialog(row.syntax, FALSE, row.act), row.expected) << row.name;
}

TEST(ErrorDialog, TemplatesOfferTheirButtonsAndShowTheText) {
    bool hasContinue = true, debugEnabled = true;
    char text[128] = {};
    runDialog(TRUE, TRUE, [&](HWND d) {
        hasContinue = ::GetDlgItem(d, IDC_HHERR_CONTINUE) != nullptr;
        ::GetDlgItemTextA(d, IDC_HHERR_TEXT, text, sizeof text);
        ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(hasContinue);
    EXPECT_STREQ(text, "Line 1, Column 2\n");
    runDialog(FALSE, TRUE, [&](HWND d) {
        debugEnabled = ::IsWindowEnabled(::GetDlgItem(d, IDC_HHERR_DEBUG)) != FALSE;
        ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(debugEnabled);
}

} // namespace
