// The menu bar in customisation mode and the rest of its reach: a button held down starts a drag
// of it, a popup is handed to the owner to show, the chosen button outlives a rebuild, a floating
// menu bar's frame has no system commands, and menus built from tool-bar drag data.

#include "docking/tests/support/menu_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace docktest;

namespace {

// Tool-bar drag data: records of id, text, image and style (unused) and continuation code.
class DragData {
public:
    DragData& item(int id, const char* text, int code) {
        put(id);
        m_bytes.insert(m_bytes.end(), text, text + std::strlen(text) + 1);
        put(7);
        m_bytes.push_back(0);
        put(code);
        return *this;
    }
    std::vector<BYTE> m_bytes;

private:
    void put(int value) {
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.push_back(static_cast<BYTE>(static_cast<unsigned>(value) >> shift));
    }
};

std::vector<std::string> itemsOf(HMENU menu) {
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        UINT id = ::GetMenuItemID(menu, i);
        items.push_back(id == 0                       ? std::string("-")
                        : id == static_cast<UINT>(-1) ? std::string(text) + " >"
                                                      : text);
    }
    return items;
}

// The drags the menu bar's parent is told of (the item of each).
std::vector<int> g_dragged;
WNDPROC g_parentProc = nullptr;
LRESULT CALLBACK watchParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TBN_BEGINDRAG))
        g_dragged.push_back(reinterpret_cast<NMTOOLBARA*>(lParam)->iItem);
    return ::CallWindowProc(g_parentProc, hwnd, message, wParam, lParam);
}

class MenuBarCustomisation : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
    CDKMenuBar& bar() { return frame->m_wndMenuBar; }
    CPoint centre(int index) {
        CRect rect;
        bar().GetItemRect(index, &rect);
        return rect.CenterPoint();
    }
};

} // namespace

TEST_F(MenuBarCustomisation, AButtonHeldDownStartsADragOfIt) {
    HWND parent = ::GetParent(bar().m_hWnd);
    g_dragged.clear();
    g_parentProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchParent)));
    // A press on a button, let go after letGoAfter ms (never: 0), then the hold's time passes.
    auto hold = [&](int index, DWORD letGoAfter) {
        pm::test::pressMouse(bar().m_hWnd, centre(index));
        pm::afxtest::pump();
        if (letGoAfter) {
            pm::test::advanceClock(letGoAfter);
            pm::test::releaseMouse(bar().m_hWnd, centre(index));
            pm::test::moveMouse(bar().m_hWnd, centre(index));
            pm::afxtest::pump();
        }
        pm::test::advanceClock(CDKMenuBar::kHoldDelay);
        pm::afxtest::pump();
    };
    bar().SetCustomizationMode(frame, main);
    // Held long enough: the parent hears of a drag of the second button.
    hold(1, 0);
    EXPECT_EQ(g_dragged, std::vector<int>{2});
    pm::test::releaseMouse(bar().m_hWnd, centre(1));
    pm::afxtest::pump();
    // Let go before the time: nothing.
    hold(3, 100);
    EXPECT_EQ(g_dragged, std::vector<int>{2});
    // Outside customisation mode a press starts no drag (on the grayed item, which opens nothing).
    bar().SetCustomizationMode(nullptr, nullptr);
    hold(2, 0);
    EXPECT_EQ(g_dragged, std::vector<int>{2});
    ::SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_parentProc));
    pm::test::releaseMouse(bar().m_hWnd, centre(2));
    pm::afxtest::pump();
}

TEST_F(MenuBarCustomisation, ThePopupIsHandedToTheOwnerToShow) {
    bar().SetCustomizationMode(frame, main);
    bar().SetCustomizedButton(2);
    frame->m_log.clear();
    bar().OpenPopup(1);
    pm::afxtest::pump();
    EXPECT_TRUE(popupWindows().empty());
    EXPECT_EQ(frame->m_lastDropDown.hMenu, ::GetSubMenu(menu, 1));
    CRect edit;
    bar().GetItemRect(1, &edit);
    bar().ClientToScreen(&edit);
    EXPECT_EQ(CPoint(frame->m_lastDropDown.x, frame->m_lastDropDown.y), CPoint(edit.left, edit.bottom + 1));
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(),
                         "cool command " + std::to_string(ID_MENUBAR_DROPDOWN)),
              1);
    EXPECT_EQ(bar().m_nOpenPopup, -1);
    // The chosen button stays chosen when the buttons are made again.
    EXPECT_TRUE(bar().UpdateMenuButtons(FALSE));
    EXPECT_EQ(bar().GetCustomizedButton(), 2);
    bar().SetCustomizationMode(nullptr, nullptr);
    EXPECT_EQ(bar().GetCustomizedButton(), -1);
}

TEST_F(MenuBarCustomisation, AFloatingMenuBarsFrameHasNoSystemCommands) {
    frame->FloatControlBar(&bar(), CPoint(200, 200));
    pm::afxtest::pump();
    CFrameWnd* floating = bar().GetParentFrame();
    ASSERT_NE(floating, frame);
    HMENU system = ::GetSystemMenu(floating->m_hWnd, FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(::GetMenuItemCount(system), 0);
    // A tool bar's floating frame keeps its own.
    frame->FloatControlBar(&frame->m_wndTextBelow, CPoint(300, 300));
    pm::afxtest::pump();
    HMENU toolSystem = ::GetSystemMenu(frame->m_wndTextBelow.GetParentFrame()->m_hWnd, FALSE);
    ASSERT_NE(toolSystem, nullptr);
    EXPECT_GT(::GetMenuItemCount(toolSystem), 0);
}

TEST_F(MenuBarCustomisation, MenusAreBuiltFromToolBarDragData) {
    DragData data;
    data.item(ID_NEW, "&New", 1)
        .item(0, "", 1)
        .item(-1, "&Recent", 1)
        .item(ID_OPEN, "One", 1)
        .item(-1, "Older", 2)
        .item(ID_EXIT, "Two", 0)
        .item(ID_ABOUT, "&About", 0)
        .item(ID_FIND, "never read", 0);
    HMENU target = ::CreatePopupMenu();
    ::AppendMenu(target, MF_STRING, ID_BOLD, "Bold");
    const BYTE* cursor = data.m_bytes.data();
    const BYTE* end = cursor + data.m_bytes.size();
    ASSERT_TRUE(bar().CreateMenuFromData(cursor, end, target, 0));
    EXPECT_EQ(itemsOf(target), (std::vector<std::string>{"&New", "-", "&Recent >", "&About", "Bold"}));
    HMENU recent = ::GetSubMenu(target, 2);
    EXPECT_EQ(itemsOf(recent), (std::vector<std::string>{"One", "Older >"}));
    EXPECT_EQ(itemsOf(::GetSubMenu(recent, 1)), std::vector<std::string>{"Two"});
    // The cursor stops after the level's last record.
    EXPECT_EQ(end - cursor, 4 + 11 + 5 + 4);
    // Cut short anywhere, nothing is built and the cursor stays.
    for (size_t size : {size_t(0), size_t(3), size_t(9), data.m_bytes.size() - 30}) {
        SCOPED_TRACE(size);
        HMENU untouched = ::CreatePopupMenu();
        const BYTE* start = data.m_bytes.data();
        EXPECT_FALSE(bar().CreateMenuFromData(start, start + size, untouched, 0));
        EXPECT_EQ(start, data.m_bytes.data());
        EXPECT_EQ(::GetMenuItemCount(untouched), 0);
        ::DestroyMenu(untouched);
    }
    ::DestroyMenu(target);
}
