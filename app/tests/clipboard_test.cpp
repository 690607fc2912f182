#include "app/clipboard_helpers.h"

#include "platform/win/res/resources.h"
#include "platform/win/winbase.h"
#include "platform/win/winuser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "<not open>";
    std::string text = "<none>";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST(Clipboard, CopyTextToClipboard) {
    ASSERT_TRUE(CopyTextToClipboard("function alpha(a, b)"));
    EXPECT_EQ(ClipboardText(), "function alpha(a, b)");
    ASSERT_TRUE(CopyTextToClipboard(""));
    EXPECT_EQ(ClipboardText(), "");
}

TEST(Resources, LoadResString) {
    pm::res::addString(61234, "Corvane JavaScript Editor");
    EXPECT_STREQ(LoadResString(61234), "Corvane JavaScript Editor");
    EXPECT_STREQ(LoadResString(61235), "");
}

} // namespace
