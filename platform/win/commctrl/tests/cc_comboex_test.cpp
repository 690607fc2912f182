// Extended combo box: items with images, indents and data, CBEN_ notifications, callback texts,
// the combo box's notifications passed on as its own, and editing reported as CBEN_BEGINEDIT and
// CBEN_ENDEDIT.
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_heard;
NMCBEENDEDIT g_endEdit{};

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        g_heard.push_back("selchange " + std::to_string(LOWORD(wParam)));
        return 0;
    }
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    switch (hdr->code) {
    case CBEN_INSERTITEM:
        g_heard.push_back("insert " + std::to_string(reinterpret_cast<NMCOMBOBOXEX*>(lParam)->ceItem.iItem));
        break;
    case CBEN_DELETEITEM:
        g_heard.push_back("delete " + std::to_string(reinterpret_cast<NMCOMBOBOXEX*>(lParam)->ceItem.iItem));
        break;
    case CBEN_GETDISPINFO: {
        auto& item = reinterpret_cast<NMCOMBOBOXEX*>(lParam)->ceItem;
        if (item.mask & CBEIF_TEXT)
            std::snprintf(item.pszText, static_cast<std::size_t>(item.cchTextMax), "Asked %d",
                          static_cast<int>(item.iItem));
        g_heard.push_back("dispinfo");
        break;
    }
    case CBEN_BEGINEDIT:
        g_heard.push_back("beginedit");
        break;
    case CBEN_ENDEDIT:
        g_endEdit = *reinterpret_cast<NMCBEENDEDIT*>(lParam);
        g_heard.push_back("endedit");
        break;
    default:
        break;
    }
    return 0;
}

class ComboEx : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 300, 250, true);
        images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
        g_heard.clear();
    }
    void TearDown() override {
        DestroyWindow(parent);
        ImageList_Destroy(images);
    }
    HWND make(DWORD kind) {
        HWND cb = CreateWindowEx(0, WC_COMBOBOXEX, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | kind, 10, 10, 150,
                                 200, parent, reinterpret_cast<HMENU>(1001), nullptr, nullptr);
        SendMessage(cb, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        return cb;
    }
    static LRESULT insert(HWND cb, INT_PTR at, const char* text, int image = 0, int indent = 0,
                          LPARAM data = 0) {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
        item.iItem = at;
        item.pszText = const_cast<LPSTR>(text);
        item.iImage = item.iSelectedImage = image;
        item.iIndent = indent;
        item.lParam = data;
        return SendMessage(cb, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    static std::string textOf(HWND cb, INT_PTR i, int size = 64) {
        char text[64] = {};
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = size;
        return SendMessage(cb, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)) ? text : "<none>";
    }
    HWND parent = nullptr;
    HIMAGELIST images = nullptr;
};

TEST_F(ComboEx, ItemsAndTheirNotifications) {
    HWND cb = make(CBS_DROPDOWNLIST);
    struct Step {
        INT_PTR at;
        const char* text;
        LRESULT index;
    };
    const Step steps[] = {{-1, "world", 0}, {0, "hello", 0}, {99, "end", 2}, {1, "middle", 1}};
    for (const Step& s : steps)
        EXPECT_EQ(insert(cb, s.at, s.text, 0, 1, 7), s.index) << s.text;
    EXPECT_EQ(g_heard, (std::vector<std::string>{"insert 0", "insert 0", "insert 2", "insert 1"}));
    const char* order[] = {"hello", "middle", "world", "end"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(textOf(cb, i), order[i]);
    EXPECT_EQ(textOf(cb, 0, 3), "he") << "cut to the buffer";
    EXPECT_EQ(textOf(cb, 9), "<none>");
    EXPECT_EQ(SendMessage(cb, CB_GETCOUNT, 0, 0), 4);
    char lb[32] = {};
    SendMessage(cb, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(lb));
    EXPECT_STREQ(lb, "world");

    COMBOBOXEXITEM item{};
    item.mask = CBEIF_TEXT | CBEIF_LPARAM | CBEIF_IMAGE;
    item.iItem = 2;
    item.pszText = const_cast<LPSTR>("planet");
    item.lParam = 42;
    item.iImage = 1;
    ASSERT_TRUE(SendMessage(cb, CBEM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(textOf(cb, 2), "planet");
    EXPECT_EQ(SendMessage(cb, CB_GETITEMDATA, 2, 0), 42);
    COMBOBOXEXITEM back{};
    back.mask = CBEIF_IMAGE | CBEIF_INDENT;
    back.iItem = 2;
    SendMessage(cb, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.iImage, 1);
    EXPECT_EQ(back.iIndent, 1);

    g_heard.clear();
    EXPECT_EQ(SendMessage(cb, CBEM_DELETEITEM, 1, 0), 3) << "the count left";
    EXPECT_EQ(SendMessage(cb, CBEM_DELETEITEM, 7, 0), CB_ERR);
    SendMessage(cb, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(g_heard, (std::vector<std::string>{"delete 1", "delete 0", "delete 1", "delete 2"}));
    EXPECT_EQ(SendMessage(cb, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboEx, ChildControlsAndForwardedNotifications) {
    HWND list = make(CBS_DROPDOWNLIST), drop = make(CBS_DROPDOWN);
    auto combo = reinterpret_cast<HWND>(SendMessage(list, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_TRUE(IsWindow(combo));
    EXPECT_EQ(GetParent(combo), list);
    EXPECT_EQ(SendMessage(list, CBEM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(SendMessage(drop, CBEM_GETEDITCONTROL, 0, 0))));
    RECT rc{};
    GetWindowRect(list, &rc);
    EXPECT_LT(rc.bottom - rc.top, 60) << "as high as the combo box's field";

    insert(list, -1, "one");
    insert(list, -1, "two");
    SendMessage(list, CB_SETCURSEL, 0, 0);
    g_heard.clear();
    SetFocus(combo);
    pm::test::pressKey(combo, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_heard, std::vector<std::string>{"selchange 1001"});
    EXPECT_EQ(textOf(list, -1), "two") << "item -1 is the field";
}

TEST_F(ComboEx, CallbackTextsAreAskedForWhenNeeded) {
    HWND cb = make(CBS_DROPDOWNLIST);
    COMBOBOXEXITEM item{};
    item.mask = CBEIF_TEXT;
    item.iItem = -1;
    item.pszText = LPSTR_TEXTCALLBACK;
    SendMessage(cb, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    g_heard.clear();
    EXPECT_EQ(textOf(cb, 0), "Asked 0");
    EXPECT_EQ(g_heard, std::vector<std::string>{"dispinfo"});
}

TEST_F(ComboEx, EditingBeginsAndEndsWithTheFocus) {
    HWND cb = make(CBS_DROPDOWN);
    insert(cb, -1, "alpha");
    auto edit = reinterpret_cast<HWND>(SendMessage(cb, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    SetActiveWindow(parent);
    g_heard.clear();
    SetFocus(edit);
    pm::test::typeText(edit, "xy");
    pm::test::pumpMessages();
    EXPECT_TRUE(SendMessage(cb, CBEM_HASEDITCHANGED, 0, 0));
    SetFocus(parent);
    pm::test::pumpMessages();
    ASSERT_GE(g_heard.size(), 2u);
    EXPECT_EQ(g_heard.front(), "beginedit");
    EXPECT_EQ(g_heard.back(), "endedit");
    EXPECT_TRUE(g_endEdit.fChanged);
    EXPECT_STREQ(g_endEdit.szText, "xy");
    EXPECT_EQ(g_endEdit.iWhy, CBENF_KILLFOCUS);
    EXPECT_FALSE(SendMessage(cb, CBEM_HASEDITCHANGED, 0, 0));
}

} // namespace
