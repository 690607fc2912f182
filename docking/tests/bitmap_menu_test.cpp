// Bitmap menus: the tool bars' images beside the items of popups opened from the menu bar, the
// measuring rules, hidden commands behind the expansion item and back, the recently-used state in
// the profile, and customisation in the menu's own popup window.

#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKBitmapMenuPopupWnd.h"
#include "docking/tests/support/menu_frame.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

using namespace docktest;
using Bytes = std::vector<BYTE>;

namespace {

class BitmapMenu : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override {
        setUp();
        organiser = std::make_unique<CDKBitmapMenuManager>();
        ASSERT_TRUE(organiser->AttachFrameWnd(frame));
        ASSERT_TRUE(organiser->SetMenuImagesFromToolBars());
    }
    void TearDown() override {
        organiser.reset();
        tearDown();
    }
    CDKMenuBar& bar() { return frame->m_wndMenuBar; }
    HMENU editMenu() const { return ::GetSubMenu(menu, 1); }
    std::vector<UINT> ids(HMENU m) const {
        std::vector<UINT> all;
        for (int i = 0; i < ::GetMenuItemCount(m); ++i)
            all.push_back(::GetMenuItemID(m, i));
        return all;
    }
    // A point in the popup window's client area inside item `position` of `items` items, each
    // `height` high, counted from the bottom of the client area.
    static POINT itemPoint(HWND popup, int fromBottom, int height) {
        RECT client;
        ::GetClientRect(popup, &client);
        return POINT{20, client.bottom - 3 - fromBottom * height - height / 2};
    }
    Bytes storedState(HMENU root) {
        return stored([&](CArchive& ar) { organiser->SaveHiddenSubmenus(ar, root); });
    }
    template <typename Save> static Bytes stored(Save save) {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store);
        save(ar);
        ar.Close();
        auto size = static_cast<size_t>(file.GetLength());
        BYTE* data = file.Detach();
        Bytes bytes(data, data + size);
        std::free(data);
        return bytes;
    }
    std::unique_ptr<CDKBitmapMenuManager> organiser;
};

} // namespace

namespace {

// The pixels a popup window shows for one of its items: the rows the menu's own hit test gives it,
// across the client area.
std::vector<std::vector<COLORREF>> ItemPixels(HWND popup, HMENU menu, int position) {
    auto* bitmapMenu = dynamic_cast<CDKBitmapMenu*>(CMenu::FromHandlePermanent(menu));
    const pm::test::Picture image = pm::test::windowPicture(popup);
    RECT client, window;
    ::GetClientRect(popup, &client);
    ::GetWindowRect(popup, &window);
    POINT origin{0, 0};
    ::ClientToScreen(popup, &origin);
    std::vector<std::vector<COLORREF>> rows;
    for (int y = 0; bitmapMenu && y < client.bottom; ++y) {
        if (bitmapMenu->HitTest(POINT{10, y}) != position) continue;
        std::vector<COLORREF> row;
        for (int x = 0; x < client.right; ++x) {
            row.push_back(image.colour(origin.x - window.left + x, origin.y - window.top + y));
        }
        rows.push_back(row);
    }
    return rows;
}

bool Shows(const std::vector<std::vector<COLORREF>>& rows, COLORREF colour) {
    for (const auto& row : rows)
        if (std::find(row.begin(), row.end(), colour) != row.end()) return true;
    return false;
}

// A pixel and its right and lower neighbours differ in the alternate way of a checkerboard.
bool ShowsCheckerboard(const std::vector<std::vector<COLORREF>>& rows, COLORREF a, COLORREF b) {
    for (size_t y = 0; y + 1 < rows.size(); ++y)
        for (size_t x = 0; x + 1 < rows[y].size(); ++x)
            if (rows[y][x] == a && rows[y][x + 1] == b && rows[y + 1][x] == b && rows[y + 1][x + 1] == a)
                return true;
    return false;
}

// The colour of image i of the test tool bars' bitmap.
COLORREF ButtonImageColour(int i) {
    return RGB(40 + 50 * (i % 5), 200 - 30 * (i % 6), 90 + 40 * (i % 4));
}

} // namespace

TEST_F(BitmapMenu, PopupItemsGetTheToolBarImagesAndAreDrawnByTheMenu) {
    ::CheckMenuItem(menu, ID_UNDO, MF_BYCOMMAND | MF_CHECKED);
    frame->m_bCutEnabled = FALSE;
    // Both tool bars hold the commands; the later bar's images win.
    const MenuImageInfo* paste = organiser->GetImageInfo(ID_PASTE);
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->nImage, 3);
    EXPECT_FALSE(paste->bPlaceholder);
    EXPECT_EQ(paste->pImageList->GetSafeHandle() != nullptr, true);
    EXPECT_EQ(organiser->GetImageInfo(ID_UNDO), nullptr);
    bool drawn = false;
    inLoops(main, {[&] {
                       std::vector<HWND> popups = popupWindows();
                       ASSERT_EQ(popups.size(), 1u);
                       pm::test::pressKey(popups[0], VK_DOWN);
                       pm::test::pressKey(popups[0], VK_DOWN);
                       pm::test::pressKey(popups[0], VK_DOWN);
                   },
                   [&] {
                       ASSERT_TRUE(organiser->IsConverted(editMenu()));
                       MENUITEMINFOA info{};
                       info.cbSize = sizeof(info);
                       info.fMask = MIIM_TYPE | MIIM_DATA;
                       ::GetMenuItemInfoA(editMenu(), 0, TRUE, &info);
                       EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
                       auto* item = reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
                       ASSERT_NE(item, nullptr);
                       EXPECT_STREQ(item->strText, "&Undo");
                       EXPECT_TRUE(item->pImageInfo->bPlaceholder); // no image: the check mark
                       EXPECT_TRUE(::GetMenuState(editMenu(), 1, MF_BYPOSITION) & MF_GRAYED);
                       drawn = pm::afxtest::saveScreenPng("docking_bitmap_menu_open") &&
                               pm::afxtest::savePng(popupWindows()[0], "docking_bitmap_menu_items");
                       HWND popup = popupWindows()[0];
                       const COLORREF black = RGB(0, 0, 0), white = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                      face = ::GetSysColor(COLOR_BTNFACE);
                       // Undo, checked without an image: a check mark on a checkerboard.
                       const auto undo = ItemPixels(popup, editMenu(), 0);
                       EXPECT_TRUE(Shows(undo, black));
                       EXPECT_TRUE(ShowsCheckerboard(undo, white, face));
                       // Cut, disabled: its image and text embossed, in neither their colour nor black.
                       const auto cut = ItemPixels(popup, editMenu(), 1);
                       EXPECT_FALSE(Shows(cut, ButtonImageColour(organiser->GetImageInfo(ID_CUT)->nImage)));
                       std::vector<std::vector<COLORREF>> cutLabel;
                       for (const auto& row : cut)
                           cutLabel.emplace_back(row.begin() + 24, row.end() - 2);
                       EXPECT_FALSE(Shows(cutLabel, black)) << "the label is embossed";
                       EXPECT_TRUE(Shows(cut, ::GetSysColor(COLOR_BTNSHADOW)));
                       // Paste, chosen: its image in its colour beside the highlighted label.
                       const auto chosen = ItemPixels(popup, editMenu(), 2);
                       EXPECT_TRUE(Shows(chosen, ButtonImageColour(paste->nImage)));
                       EXPECT_TRUE(Shows(chosen, ::GetSysColor(COLOR_HIGHLIGHT)));
                       EXPECT_FALSE(Shows(undo, ::GetSysColor(COLOR_HIGHLIGHT)));
                       pm::test::pressKey(popupWindows()[0], VK_ESCAPE);
                   }});
    bar().OpenPopup(1);
    pm::afxtest::pump();
    EXPECT_TRUE(drawn);
    // File's separator: an etched line, a shadow row over a light one, across the popup.
    bool etched = false;
    inLoops(main, {[&] {
                HWND popup = popupWindows().at(0);
                const auto separator = ItemPixels(popup, ::GetSubMenu(menu, 0), 2);
                const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW),
                               light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
                for (size_t y = 0; y + 1 < separator.size(); ++y) {
                    const auto& row = separator[y];
                    const auto& next = separator[y + 1];
                    etched = etched || (std::count(row.begin(), row.end(), shadow) > 40 &&
                                        std::count(next.begin(), next.end(), light) > 40);
                }
                pm::test::pressKey(popup, VK_ESCAPE);
            }});
    bar().OpenPopup(0);
    pm::afxtest::pump();
    EXPECT_TRUE(etched);
    // Between menu loops the popup stays converted; detaching gives the texts back.
    organiser->DetachFrameWnd();
    EXPECT_FALSE(organiser->IsConverted(editMenu()));
    char text[64] = {};
    ::GetMenuStringA(editMenu(), 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Undo");
    EXPECT_FALSE(::GetMenuState(editMenu(), 0, MF_BYPOSITION) & MF_OWNERDRAW);
}

TEST_F(BitmapMenu, UpdateHandlersReachTheOwnerDrawnItems) {
    auto openAndLook = [&](std::function<void()> look) {
        inLoops(main, {[&] {
                    look();
                    pm::test::pressKey(popupWindows().at(0), VK_ESCAPE);
                }});
        bar().OpenPopup(1);
        pm::afxtest::pump();
    };
    auto itemData = [&](int position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_DATA;
        ::GetMenuItemInfoA(editMenu(), static_cast<UINT>(position), TRUE, &info);
        EXPECT_EQ(info.fType & MFT_OWNERDRAW, static_cast<UINT>(MFT_OWNERDRAW));
        return reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
    };
    openAndLook([] {});
    // Opened again, now owner-drawn: a handler's text goes to the item the menu draws.
    frame->m_strPasteText = "&Paste 2 Items\tCtrl+V";
    frame->m_bPasteEnabled = FALSE;
    CString pasteText;
    UINT pasteState = 0;
    openAndLook([&] {
        ASSERT_NE(itemData(2), nullptr);
        pasteText = itemData(2)->strText;
        pasteState = ::GetMenuState(editMenu(), 2, MF_BYPOSITION);
    });
    EXPECT_STREQ(pasteText, "&Paste 2 Items\tCtrl+V");
    EXPECT_TRUE(pasteState & MF_GRAYED);
    // The pass of the menu itself, on a popup of its own: a command without a handler is disabled.
    HMENU own = ::CreatePopupMenu();
    ::AppendMenu(own, MF_STRING, ID_PASTE, "Paste");
    ::AppendMenu(own, MF_STRING, 0x8400, "Nobody's");
    organiser->ConvertPopupMenu(own, 0, FALSE);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(own, 0, TRUE, &info);
    ASSERT_NE(info.dwItemData, 0u);
    EXPECT_STREQ(reinterpret_cast<BitmapMenuItem*>(info.dwItemData)->strText, "&Paste 2 Items\tCtrl+V");
    EXPECT_TRUE(::GetMenuState(own, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(own, 0, MF_BYPOSITION) & MF_GRAYED); // Paste's handler disables it
    organiser.reset();
    ::DestroyMenu(own);
}

TEST_F(BitmapMenu, MeasuringFollowsTheWidestPartsOfTheMenu) {
    CDKBitmapMenu* file = organiser->ConvertPopupMenu(::GetSubMenu(menu, 0), 0, FALSE);
    MEASUREITEMSTRUCT separator{ODT_MENU, 0, 0, 0, 0, 0};
    file->MeasureItem(&separator);
    EXPECT_EQ(separator.itemHeight, 8u);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(file->m_hMenu, 0, TRUE, &info);
    MEASUREITEMSTRUCT item{ODT_MENU, 0, ID_NEW, 0, 0, info.dwItemData};
    file->MeasureItem(&item);
    // "New\tCtrl+N" has a shortcut: its column and the gap before it count for every item.
    ASSERT_GT(file->m_nWidestShortcut, 0);
    EXPECT_EQ(static_cast<int>(item.itemWidth),
              file->m_nWidestLabel + file->m_nWidestImage + file->m_nWidestShortcut + 3 + 4 + 2 + 2);
    EXPECT_EQ(static_cast<int>(item.itemHeight), std::max(file->m_nTextHeight + 4, 15 + 2 + 3));
    // A menu without shortcuts has no gap; a submenu item without one keeps room for its arrow.
    HMENU plain = ::CreatePopupMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenu(plain, MF_STRING, ID_ABOUT, "About");
    ::AppendMenu(plain, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
    CDKBitmapMenu* converted = organiser->ConvertPopupMenu(plain, 0, FALSE);
    HDC dc = ::GetDC(nullptr);
    EXPECT_GT(converted->m_nWidestShortcut, 0);
    ::ReleaseDC(nullptr, dc);
    ::DeleteMenu(plain, 1, MF_BYPOSITION);
    converted->CalcExtents();
    EXPECT_EQ(converted->m_nWidestShortcut, 0);
    MEASUREITEMSTRUCT about{ODT_MENU, 0, ID_ABOUT, 0, 0, 0};
    converted->MeasureItem(&about);
    EXPECT_EQ(static_cast<int>(about.itemWidth),
              converted->m_nWidestLabel + converted->m_nWidestImage + 3 + 4 + 2);
    organiser.reset();
    ::DestroyMenu(plain);
}

TEST_F(BitmapMenu, AHiddenCommandAppearsAfterTheExpansionItemIsChosen) {
    organiser->HideCommand(ID_PASTE);
    std::vector<std::vector<UINT>> seen;
    const int itemHeight = 20; // the images are 15 high: 15 + 2 + 3
    inLoops(main, {[&] {
                       seen.push_back(ids(editMenu()));
                       HWND popup = popupWindows().at(0);
                       // Press and release on the expansion item, the last one.
                       POINT expand = itemPoint(popup, 0, itemHeight);
                       pm::test::pressMouse(popup, expand);
                       pm::test::releaseMouse(popup, expand);
                   },
                   [&] {
                       seen.push_back(ids(editMenu()));
                       HWND popup = popupWindows().at(0);
                       pm::test::click(popup, itemPoint(popup, 0, itemHeight)); // Paste, now last
                   }});
    bar().OpenPopup(1);
    pm::afxtest::pump();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_BITMAPMENU_EXPAND}));
    EXPECT_EQ(seen[1], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE}));
    auto count = [&](const std::string& entry) {
        return std::count(frame->m_log.begin(), frame->m_log.end(), entry);
    };
    EXPECT_EQ(count("command " + std::to_string(ID_PASTE)), 1);
    EXPECT_EQ(count("command " + std::to_string(ID_BITMAPMENU_EXPAND)), 1);
    EXPECT_EQ(count("recently used changed"), 1);
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(editMenu(), 2));
    // The loop has ended: the menu is whole again and no longer converted.
    EXPECT_FALSE(organiser->m_bExpanding);
    EXPECT_EQ(ids(editMenu()), (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE}));
    // The frame entered the changed menu among the bar's modified menus: shown another menu, the bar
    // saves its state, and the organiser its recently used part.
    ASSERT_EQ(bar().m_modifiedMenus.count(menu), 1u);
    HMENU other = makeTestMenu();
    bar().SetMenu(other);
    const std::string section = "Menu_Default~!@#$#$%^";
    EXPECT_EQ(count("saved " + section), 1);
    EXPECT_EQ(bar().m_modifiedMenus.count(menu), 0u);
    EXPECT_NE(static_cast<int>(
                  app->GetProfileInt((section + "_RecentlyUsedSubmenuItems").c_str(), "RUItemsDataSize", -1)),
              -1);
    bar().SetMenu(menu);
    ::DestroyMenu(other);
}

namespace {

// The middle of item `position` of a converted popup in its window, as the menu's own hit test
// places it (client coordinates).
POINT itemMiddle(HWND popup, HMENU menu, int position) {
    auto* bitmapMenu = dynamic_cast<CDKBitmapMenu*>(CMenu::FromHandlePermanent(menu));
    RECT client;
    ::GetClientRect(popup, &client);
    int first = -1, last = -1;
    for (int y = 0; bitmapMenu && y < client.bottom; ++y) {
        if (bitmapMenu->HitTest(POINT{20, y}) != position) continue;
        if (first < 0) first = y;
        last = y;
    }
    return POINT{20, (first + last) / 2};
}

LONG LeftOf(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return r.left;
}

} // namespace

TEST_F(BitmapMenu, TheExpansionItemOfAPopupWithASubmenuOpenExpandsThatPopup) {
    // A frame that shows its menu the system's way; Edit: Undo, Cut, Paste (hidden), More > (Find,
    // Bold).
    organiser.reset();
    auto* plain = new CFrameWnd;
    ASSERT_TRUE(plain->Create(nullptr, "Window menu", WS_OVERLAPPEDWINDOW, CRect(80, 80, 480, 300)));
    HMENU windowMenu = makeTestMenu();
    HMENU edit = ::GetSubMenu(windowMenu, 1);
    HMENU more = ::CreatePopupMenu();
    ::AppendMenu(more, MF_STRING, ID_FIND, "&Find");
    ::AppendMenu(more, MF_STRING, ID_BOLD, "&Bold");
    ::AppendMenu(edit, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    ::SetMenu(plain->m_hWnd, windowMenu);
    plain->ShowWindow(SW_SHOW);
    app->m_pMainWnd = plain;
    CDKBitmapMenuManager onPlain;
    ASSERT_TRUE(onPlain.AttachFrameWnd(plain));
    onPlain.HideCommand(ID_PASTE);
    auto leftmost = [](bool left) {
        HWND found = nullptr;
        for (HWND w : popupWindows())
            if (!found || (LeftOf(w) < LeftOf(found)) == left) found = w;
        return found;
    };
    std::vector<size_t> popups;
    std::vector<UINT> expanded;
    inLoops(plain->m_hWnd, {[&] {
                                // The submenu opened from the item under the pointer, then the pointer
                                // on its first item.
                                HWND editWindow = leftmost(true);
                                pm::test::moveMouse(editWindow, itemMiddle(editWindow, edit, 2));
                            },
                            [&] {
                                HWND moreWindow = leftmost(false);
                                pm::test::moveMouse(moreWindow, itemMiddle(moreWindow, more, 0));
                            },
                            [&] {
                                popups.push_back(popupWindows().size());
                                // The expansion item of Edit, not of the submenu, clicked.
                                HWND editWindow = leftmost(true);
                                const int last = ::GetMenuItemCount(edit) - 1;
                                ASSERT_EQ(::GetMenuItemID(edit, last),
                                          static_cast<UINT>(ID_BITMAPMENU_EXPAND));
                                POINT at = itemMiddle(editWindow, edit, last);
                                pm::test::pressMouse(editWindow, at);
                                pm::test::releaseMouse(editWindow, at);
                            },
                            [&] {
                                popups.push_back(popupWindows().size());
                                expanded = ids(edit);
                                pm::test::pressKey(plain->m_hWnd, VK_ESCAPE);
                                pm::test::pressKey(plain->m_hWnd, VK_ESCAPE);
                            }});
    pm::afxtest::pressKey(plain->m_hWnd, 'E', false, false, true);
    pm::afxtest::pump();
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0], 2u) << "Edit and its submenu";
    EXPECT_EQ(popups[1], 1u) << "the submenu closed";
    EXPECT_EQ(expanded, (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE, static_cast<UINT>(-1)}))
        << "Edit came back with all its items";
    onPlain.DetachFrameWnd();
    app->m_pMainWnd = frame;
    plain->DestroyWindow();
    pm::afxtest::pump();
    ::DestroyMenu(windowMenu);
}

namespace {

// A control that measures its own items (the request reflected to it), and a window that answers
// measure requests sent to it as a parent would.
class CMeasuredList : public CWnd {
public:
    int m_nMeasured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
        ++m_nMeasured;
        lpMIS->itemHeight = 31;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMeasuredList, CWnd)
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

class CMeasuringParent : public CWnd {
public:
    int m_nAsked = 0;
    afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT) { ++m_nAsked; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMeasuringParent, CWnd)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

} // namespace

TEST_F(BitmapMenu, AControlsMeasureRequestReachesThatControlAlone) {
    CMeasuredList list;
    CMeasuringParent other;
    ASSERT_TRUE(list.Create(AFX_WND, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 901));
    ASSERT_TRUE(other.Create(AFX_WND, "", WS_CHILD | WS_VISIBLE, CRect(60, 0, 110, 50), frame, 902));
    MEASUREITEMSTRUCT request{};
    request.CtlType = ODT_LISTBOX;
    request.CtlID = 901;
    EXPECT_TRUE(frame->SendMessage(WM_MEASUREITEM, 901, reinterpret_cast<LPARAM>(&request)));
    EXPECT_EQ(list.m_nMeasured, 1);
    EXPECT_EQ(request.itemHeight, 31u);
    EXPECT_EQ(other.m_nAsked, 0) << "other windows are not asked";
    list.DestroyWindow();
    other.DestroyWindow();
}

TEST_F(BitmapMenu, HidingDropsSeparatorsThatWouldStandAlone) {
    HMENU m = ::CreatePopupMenu();
    for (UINT id : std::vector<UINT>{0u, ID_NEW, 0u, ID_OPEN, 0u, ID_EXIT})
        ::AppendMenu(m, id ? MF_STRING : MF_SEPARATOR, id, id ? "Item" : nullptr);
    organiser->HideCommand(ID_OPEN);
    organiser->ConvertPopupMenu(m, 0, FALSE);
    // The leading separator goes, and only one of the two around Open stays.
    EXPECT_EQ(ids(m), (std::vector<UINT>{ID_NEW, 0u, ID_EXIT, ID_BITMAPMENU_EXPAND}));
    organiser.reset();
    EXPECT_EQ(ids(m), (std::vector<UINT>{0u, ID_NEW, 0u, ID_OPEN, 0u, ID_EXIT}));
    // The organiser went without its frame letting it go: no item keeps the data it freed.
    for (int i = 0; i < ::GetMenuItemCount(m); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(::GetMenuItemInfoA(m, static_cast<UINT>(i), TRUE, &info));
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ(info.dwItemData, 0u) << i;
    }
    ::DestroyMenu(m);
    // All recently used: nothing hidden, no expansion item.
    organiser = std::make_unique<CDKBitmapMenuManager>();
    organiser->ConvertPopupMenu(editMenu(), 1, FALSE);
    EXPECT_EQ(ids(editMenu()), (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE}));
}

TEST_F(BitmapMenu, AMnemonicChoosesTheItemAtItsPlaceAfterHiding) {
    // "&&" is a literal ampersand: the mnemonic is the letter after the single one.
    HMENU m = ::CreatePopupMenu();
    ::AppendMenu(m, MF_STRING, ID_NEW, "&New");
    ::AppendMenu(m, MF_STRING, ID_OPEN, "&Open...");
    ::AppendMenu(m, MF_STRING, ID_EXIT, "Save && E&xit");
    organiser->HideCommand(ID_NEW);
    CDKBitmapMenu* converted = organiser->ConvertPopupMenu(m, 0, FALSE);
    ASSERT_EQ(ids(m), (std::vector<UINT>{ID_OPEN, ID_EXIT, ID_BITMAPMENU_EXPAND}));
    EXPECT_EQ(organiser->OnMenuChar('o', MF_POPUP, converted->m_hMenu), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(organiser->OnMenuChar('x', MF_POPUP, converted->m_hMenu), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(organiser->OnMenuChar('n', MF_POPUP, converted->m_hMenu), 0);
    EXPECT_EQ(organiser->OnMenuChar('&', MF_POPUP, converted->m_hMenu), 0);
    organiser.reset();
    ::DestroyMenu(m);
}

TEST_F(BitmapMenu, HiddenSubmenusAreKeptInTheProfileByTheirPaths) {
    organiser->HideSubmenu(editMenu());
    EXPECT_EQ(storedState(menu), (Bytes{1, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    // The menu bar's save reaches the organiser through the frame.
    frame->SendMessage(WM_MENUBAR_SAVED, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>("Menu_X"));
    EXPECT_EQ(app->GetProfileInt("Menu_X_RecentlyUsedSubmenuItems", "RUItemsDataSize", -1), 12u);
    organiser->ShowSubmenu(editMenu());
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(menu, 1));
    frame->SendMessage(WM_MENUBAR_LOADED, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>("Menu_X"));
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(menu, 1));
    // Damaged data changes nothing; a path to a plain item is skipped.
    struct Case {
        const char* name;
        Bytes data;
        bool loads;
    } cases[] = {{"truncated", {1, 0, 0, 0, 1, 0}, false},
                 {"huge count", {0xFF, 0xFF, 0xFF, 0x7F}, false},
                 {"endless path", Bytes(4 + 4 * 100, 0), false},
                 {"plain item", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, true}};
    cases[2].data[0] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        organiser->HideSubmenu(editMenu());
        CMemFile file(const_cast<BYTE*>(c.data.data()), static_cast<UINT>(c.data.size()));
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(organiser->LoadHiddenSubmenus(ar, menu) != FALSE, c.loads);
        EXPECT_EQ(organiser->IsItemRecentlyUsed(menu, 1), c.loads);
    }
    // Loading one menu's state leaves the hidden submenus of another menu as they are.
    HMENU other = ::CreateMenu();
    HMENU tools = ::CreatePopupMenu();
    ::AppendMenu(tools, MF_STRING, ID_BOLD, "&Bold");
    ::AppendMenu(other, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), "&Tools");
    organiser->HideSubmenu(tools);
    organiser->HideSubmenu(editMenu());
    Bytes none{0, 0, 0, 0};
    CMemFile file(none.data(), static_cast<UINT>(none.size()));
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(organiser->LoadHiddenSubmenus(ar, menu));
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(menu, 1));
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(other, 0));
    ::DestroyMenu(other);
}

TEST_F(BitmapMenu, HiddenCommandsAreStoredAsACountAndTheirIds) {
    organiser->HideCommand(ID_PASTE);
    organiser->HideCommand(ID_CUT);
    const Bytes saved = stored([&](CArchive& ar) { organiser->SaveHiddenCommands(ar); });
    EXPECT_EQ(saved, (Bytes{2, 0, 0, 0, 0x12, 0x83, 0, 0, 0x13, 0x83, 0, 0}));
    auto hidden = [&](UINT id) { return !organiser->IsItemRecentlyUsed(editMenu(), id == ID_CUT ? 1 : 2); };
    // Loading replaces the set; damaged data leaves it as it was.
    struct Case {
        const char* name;
        Bytes data;
        bool loads, cutHidden, pasteHidden;
    } cases[] = {{"saved", saved, true, true, true},
                 {"one id", {1, 0, 0, 0, 0x13, 0x83, 0, 0}, true, false, true},
                 {"none", {0, 0, 0, 0}, true, false, false},
                 {"truncated", {2, 0, 0, 0, 0x12, 0x83, 0, 0}, false, true, false},
                 {"negative count", {0xFF, 0xFF, 0xFF, 0xFF}, false, true, false},
                 {"huge count", {0xFF, 0xFF, 0xFF, 0x7F}, false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        organiser->ShowCommand(ID_PASTE);
        organiser->HideCommand(ID_CUT);
        CMemFile file(const_cast<BYTE*>(c.data.data()), static_cast<UINT>(c.data.size()));
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(organiser->LoadHiddenCommands(ar) != FALSE, c.loads);
        EXPECT_EQ(hidden(ID_CUT), c.cutHidden);
        EXPECT_EQ(hidden(ID_PASTE), c.pasteHidden);
    }
}

TEST_F(BitmapMenu, CustomisationInThePopupWindow) {
    HWND notifyTarget = main;
    organiser->SetCustomizationMode(TRUE, notifyTarget);
    CDKBitmapMenu* file = organiser->ConvertPopupMenu(::GetSubMenu(menu, 0), 0, FALSE);
    ASSERT_TRUE(file->m_bCustomizationMode);
    CDKBitmapMenuPopupWnd window(file);
    ASSERT_TRUE(window.Create(frame, CPoint(120, 160)));
    pm::afxtest::pump();
    // A click picks the item under it; a click below the last clears the choice.
    CRect open = window.GetItemRect(1);
    pm::test::click(window.m_hWnd, open.CenterPoint());
    pm::afxtest::pump();
    EXPECT_EQ(file->GetCustomizedItem(), 1);
    CRect client;
    window.GetClientRect(&client);
    pm::test::click(window.m_hWnd, POINT{10, client.bottom - 1});
    pm::afxtest::pump();
    EXPECT_EQ(file->GetCustomizedItem(), -1);
    // The context menu of the first item: "Put Separator Before" grayed.
    CRect first = window.GetItemRect(0);
    bool pictured = false;
    UINT beforeState = 0;
    pm::test::MessageRecorder rec;
    rec.watch(window.m_hWnd, "popup window");
    auto lastContextMenu = [&] {
        HMENU found = nullptr;
        for (const auto& m : rec.messages())
            if (m.message == WM_INITMENUPOPUP) found = reinterpret_cast<HMENU>(m.wParam);
        return found;
    };
    inLoops(main, {[&] {
                std::vector<HWND> popups = popupWindows();
                ASSERT_EQ(popups.size(), 1u);
                beforeState = ::GetMenuState(lastContextMenu(), ID_BITMAPMENU_SEPARATORBEFORE, MF_BYCOMMAND);
                pictured = pm::afxtest::saveScreenPng("docking_bitmap_menu_customisation");
                pm::test::pressKey(popups[0], VK_ESCAPE);
            }});
    pm::test::pressMouse(window.m_hWnd, first.CenterPoint(), VK_RBUTTON);
    pm::afxtest::pump();
    EXPECT_EQ(file->GetCustomizedItem(), 0);
    pm::test::releaseMouse(window.m_hWnd, first.CenterPoint(), VK_RBUTTON);
    pm::afxtest::pump();
    EXPECT_TRUE(pictured);
    EXPECT_TRUE(beforeState & MF_GRAYED);
    // "Put Separator Before" on the second item puts one in and moves the choice down.
    file->SetCustomizedItem(1);
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_SEPARATORBEFORE);
    EXPECT_EQ(ids(file->m_hMenu), (std::vector<UINT>{ID_NEW, 0u, ID_OPEN, 0u, ID_EXIT}));
    EXPECT_EQ(file->GetCustomizedItem(), 2);
    // The window never takes the activation.
    EXPECT_EQ(window.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(main), 0), MA_NOACTIVATE);
}

TEST_F(BitmapMenu, TheCustomisationMenuOffersWhatTheItemAllowsAndItsOperationsAskTheFrameFirst) {
    // File: New, Open, -, Exit, and a recent file; Exit is not recently used.
    HMENU fileMenu = ::GetSubMenu(menu, 0);
    ::AppendMenu(fileMenu, MF_STRING, 0xE110, "&1 page.js");
    organiser->HideCommand(ID_EXIT);
    organiser->SetCustomizationMode(TRUE, main);
    CDKBitmapMenu* file = organiser->ConvertPopupMenu(fileMenu, 0, FALSE);
    CDKBitmapMenuPopupWnd window(file);
    ASSERT_TRUE(window.Create(frame, CPoint(120, 160)));
    pm::afxtest::pump();
    struct Case {
        int position;
        std::vector<std::pair<UINT, UINT>> states; // command and MF_GRAYED | MF_CHECKED, or -1: absent
    };
    const UINT absent = static_cast<UINT>(-1);
    const Case cases[] = {
        {1,
         {{ID_BITMAPMENU_RECENTLYUSED, MF_CHECKED},
          {ID_BITMAPMENU_SEPARATORBEFORE, 0},
          {ID_BITMAPMENU_SEPARATORAFTER, MF_GRAYED}}},                        // before a separator
        {2, {{ID_BITMAPMENU_DELETE, 0}, {ID_BITMAPMENU_APPEARANCE, absent}}}, // a separator: Delete alone
        {3, {{ID_BITMAPMENU_RECENTLYUSED, 0}, {ID_BITMAPMENU_SEPARATORBEFORE, MF_GRAYED}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        std::vector<UINT> seen;
        pm::test::MessageRecorder rec;
        rec.watch(window.m_hWnd, "popup window");
        inLoops(main, {[&] {
                    HMENU context = nullptr;
                    for (const auto& m : rec.messages())
                        if (m.message == WM_INITMENUPOPUP) context = reinterpret_cast<HMENU>(m.wParam);
                    for (const auto& [command, state] : c.states)
                        seen.push_back(::GetMenuState(context, command, MF_BYCOMMAND));
                    pm::test::pressKey(popupWindows().at(0), VK_ESCAPE);
                }});
        EXPECT_TRUE(file->ShowCustomizeMenu(c.position, 200, 200));
        ASSERT_EQ(seen.size(), c.states.size());
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i] == absent ? absent : seen[i] & (MF_GRAYED | MF_CHECKED), c.states[i].second)
                << c.states[i].first;
    }
    EXPECT_FALSE(file->ShowCustomizeMenu(4, 200, 200)) << "a recent file has none";

    // Each operation tells the frame first (from the popup window's id); an answer cancels it.
    const std::string told =
        "customize " + std::to_string(ID_BITMAPMENU_DELETE) + " from " + std::to_string(::GetDlgCtrlID(main));
    frame->m_lCoolCommandAnswer = 1;
    file->SetCustomizedItem(0);
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_DELETE);
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(), told), 1);
    EXPECT_EQ(::GetMenuItemID(file->m_hMenu, 0), static_cast<UINT>(ID_NEW)) << "cancelled";
    frame->m_lCoolCommandAnswer = 0;
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_DELETE);
    EXPECT_EQ(::GetMenuItemID(file->m_hMenu, 0), static_cast<UINT>(ID_OPEN)) << "New deleted";
    file->SetCustomizedItem(0);
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_SEPARATORAFTER);
    EXPECT_EQ(ids(file->m_hMenu), (std::vector<UINT>{ID_OPEN, 0u, 0u, ID_EXIT, 0xE110u}));
    file->SetCustomizedItem(3);
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_RECENTLYUSED);
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(file->m_hMenu, 3)) << "Exit is recently used now";
    window.SendMessage(WM_COMMAND, ID_BITMAPMENU_RECENTLYUSED);
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(file->m_hMenu, 3));
}

TEST_F(BitmapMenu, HoldingAnItemInThePopupWindowStartsItsDragAndAnEarlyReleaseDoesNot) {
    organiser->SetCustomizationMode(TRUE, main);
    CDKBitmapMenu* file = organiser->ConvertPopupMenu(::GetSubMenu(menu, 0), 0, FALSE);
    CDKBitmapMenuPopupWnd window(file);
    ASSERT_TRUE(window.Create(frame, CPoint(120, 160)));
    pm::afxtest::pump();
    CPoint open = window.GetItemRect(1).CenterPoint();
    struct Case {
        const char* name;
        bool released;
        BOOL dragStarted; // the flag a drag start clears
    } cases[] = {{"held", false, FALSE}, {"released first", true, TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        file->m_bDragStarted = TRUE;
        pm::test::pressMouse(window.m_hWnd, open);
        pm::afxtest::pump();
        if (c.released) {
            pm::test::releaseMouse(window.m_hWnd, open);
            pm::test::moveMouse(window.m_hWnd, CPoint(open.x + 1, open.y));
            pm::afxtest::pump();
        }
        pm::test::advanceClock(CDKBitmapMenuPopupWnd::kDragDelay);
        pm::afxtest::pump();
        EXPECT_EQ(file->m_bDragStarted, c.dragStarted);
        EXPECT_EQ(file->GetCustomizedItem(), 1);
        if (!c.released) pm::test::releaseMouse(window.m_hWnd, open);
        pm::afxtest::pump();
    }
}

TEST_F(BitmapMenu, EnterOnTheExpansionItemExpandsOnce) {
    organiser->HideCommand(ID_PASTE);
    std::vector<std::vector<UINT>> seen;
    inLoops(main, {[&] {
                       seen.push_back(ids(editMenu()));
                       HWND popup = popupWindows().at(0);
                       pm::test::pressKey(popup, VK_UP); // the last item: the expansion item
                       pm::test::pressKey(popup, VK_RETURN);
                   },
                   [&] {
                       seen.push_back(ids(editMenu()));
                       pm::test::pressKey(popupWindows().at(0), VK_ESCAPE);
                   }});
    bar().OpenPopup(1);
    pm::afxtest::pump();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].back(), static_cast<UINT>(ID_BITMAPMENU_EXPAND));
    EXPECT_EQ(seen[1], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE}));
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(),
                         "command " + std::to_string(ID_BITMAPMENU_EXPAND)),
              1);
    // Nothing was chosen: Paste stays hidden for the next time.
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(editMenu(), 2));
}

namespace {
// Tool-bar drag data: records of id, text, image and style (unused) and continuation code.
Bytes dragRecord(int id, const char* text, int code) {
    std::string b;
    auto put = [&b](int v) {
        for (int shift = 0; shift < 32; shift += 8)
            b += static_cast<char>(static_cast<unsigned>(v) >> shift);
    };
    put(id);
    b += text;
    b += '\0';
    put(3);
    b += '\0';
    put(code);
    return Bytes(b.begin(), b.end());
}
} // namespace

TEST_F(BitmapMenu, DroppedItemsGoInWithTheirCommandsTextsAndAreDrawnByTheMenu) {
    HMENU target = ::CreatePopupMenu();
    ::AppendMenu(target, MF_STRING, ID_ABOUT, "&About");
    Bytes data;
    for (const Bytes& record : {dragRecord(ID_CUT, "", 1), dragRecord(-1, "&More", 1),
                                dragRecord(ID_FIND, "Find", 0), dragRecord(ID_PASTE, "&Paste here", 0)})
        data.insert(data.end(), record.begin(), record.end());
    CDKBitmapMenu* menu = organiser->ConvertPopupMenu(target, 0, FALSE);
    const BYTE* cursor = data.data();
    ASSERT_TRUE(menu->InsertDroppedItems(cursor, data.data() + data.size(), target, 0));
    EXPECT_EQ(cursor, data.data() + data.size());
    EXPECT_EQ(ids(target), (std::vector<UINT>{ID_CUT, static_cast<UINT>(-1), ID_PASTE, ID_ABOUT}));
    // An item without a text takes its command's string up to its line feed; all are drawn by the menu.
    auto text = [&](int position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_DATA;
        ::GetMenuItemInfoA(target, static_cast<UINT>(position), TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
        return reinterpret_cast<BitmapMenuItem*>(info.dwItemData)->strText;
    };
    EXPECT_STREQ(text(0), "Cut the selection");
    EXPECT_STREQ(text(1), "&More");
    EXPECT_EQ(ids(::GetSubMenu(target, 1)), std::vector<UINT>{ID_FIND});
    // Damaged data inserts nothing.
    Bytes cut(data.begin(), data.begin() + 20);
    const BYTE* start = cut.data();
    EXPECT_FALSE(menu->InsertDroppedItems(start, cut.data() + cut.size(), target, 0));
    EXPECT_EQ(::GetMenuItemCount(target), 4);
    organiser.reset(); // destroys the popup it was given
    ::DestroyMenu(target);
}

TEST_F(BitmapMenu, ADragOverACustomisedMenuIsRefused) {
    organiser->SetCustomizationMode(TRUE, main);
    CDKBitmapMenu* file = organiser->ConvertPopupMenu(::GetSubMenu(menu, 0), 0, FALSE);
    CDKBitmapMenuPopupWnd window(file);
    ASSERT_TRUE(window.Create(frame, CPoint(420, 160)));
    pm::afxtest::pump();
    file->SetInsertMark(1);
    CRect item = window.GetItemRect(1);
    struct CWatchingSource : COleDropSource {
        CDKBitmapMenu* menu = nullptr;
        bool sawOver = false;
        SCODE GiveFeedback(DROPEFFECT effect) override {
            sawOver = sawOver || menu->m_bDragOver;
            return COleDropSource::GiveFeedback(effect);
        }
    } source;
    source.menu = file;
    pm::test::moveMouse(frame->m_wndView.m_hWnd, CPoint(20, 20));
    pm::afxtest::pump();
    pm::test::moveMouse(window.m_hWnd, item.CenterPoint());
    pm::test::moveMouse(frame->m_wndView.m_hWnd, CPoint(20, 20));
    pm::test::releaseMouse(frame->m_wndView.m_hWnd, CPoint(20, 20));
    COleDataSource data;
    data.CacheFiles({CString("/tmp/x.js")});
    EXPECT_EQ(data.DoDragDrop(DROPEFFECT_COPY, nullptr, &source), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_TRUE(source.sawOver);
    EXPECT_FALSE(file->m_bDragOver);
    // Leaving took the insert mark away.
    EXPECT_EQ(file->GetInsertMark(), -1);
}

TEST_F(BitmapMenu, UnderAWindowMenuTheExpandedPopupComesBackInTheSameMenuLoop) {
    // A frame that shows its menu the system's way, with the organiser on it.
    organiser.reset();
    auto* plain = new CFrameWnd;
    ASSERT_TRUE(plain->Create(nullptr, "Window menu", WS_OVERLAPPEDWINDOW, CRect(80, 80, 480, 300)));
    HMENU windowMenu = makeTestMenu();
    ::SetMenu(plain->m_hWnd, windowMenu);
    plain->ShowWindow(SW_SHOW);
    app->m_pMainWnd = plain;
    CDKBitmapMenuManager onPlain;
    ASSERT_TRUE(onPlain.AttachFrameWnd(plain));
    onPlain.HideCommand(ID_PASTE);
    HMENU edit = ::GetSubMenu(windowMenu, 1);
    std::vector<std::vector<UINT>> seen;
    inLoops(plain->m_hWnd, {[&] {
                                seen.push_back(ids(edit));
                                HWND popup = popupWindows().at(0);
                                pm::test::pressKey(popup, VK_UP); // the expansion item
                                pm::test::pressKey(popup, VK_RETURN);
                            },
                            [&] {
                                seen.push_back(ids(edit));
                                EXPECT_EQ(popupWindows().size(), 1u);
                                pm::test::pressKey(plain->m_hWnd, VK_ESCAPE);
                                pm::test::pressKey(plain->m_hWnd, VK_ESCAPE);
                            }});
    pm::afxtest::pressKey(plain->m_hWnd, 'E', false, false, true);
    pm::afxtest::pump();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_BITMAPMENU_EXPAND}));
    EXPECT_EQ(seen[1], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE}));
    onPlain.DetachFrameWnd();
    app->m_pMainWnd = frame;
    plain->DestroyWindow();
    pm::afxtest::pump();
    ::DestroyMenu(windowMenu);
}

TEST_F(BitmapMenu, TurnedOffRecentlyUsedItemsHideNothingChangeNothingAndShowPlainAtOnce) {
    organiser->HideCommand(ID_PASTE);
    organiser->SetRecentlyUsedEnabled(FALSE);
    std::vector<UINT> seen;
    inLoops(main, {[&] {
                seen = ids(editMenu());
                HWND popup = popupWindows().at(0);
                pm::test::click(popup, itemMiddle(popup, editMenu(), 2));
            }});
    bar().OpenPopup(1);
    pm::afxtest::pump();
    EXPECT_EQ(seen, (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE})) << "whole, without the expansion item";
    auto count = [&](const std::string& entry) {
        return std::count(frame->m_log.begin(), frame->m_log.end(), entry);
    };
    EXPECT_EQ(count("command " + std::to_string(ID_PASTE)), 1);
    EXPECT_EQ(count("recently used changed"), 0);
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(editMenu(), 2)) << "kept for when the feature is back";

    // A popup window showing the menu draws the item that is not recently used on a checkerboard
    // only while the feature is on, and follows each change at once.
    organiser->SetRecentlyUsedEnabled(TRUE);
    organiser->SetCustomizationMode(TRUE, main);
    CDKBitmapMenu* edit = organiser->ConvertPopupMenu(editMenu(), 1, FALSE);
    CDKBitmapMenuPopupWnd window(edit);
    ASSERT_TRUE(window.Create(frame, CPoint(120, 160)));
    pm::afxtest::pump();
    const COLORREF white = ::GetSysColor(COLOR_BTNHIGHLIGHT), face = ::GetSysColor(COLOR_BTNFACE);
    auto pasteOnCheckerboard = [&] {
        return ShowsCheckerboard(ItemPixels(window.m_hWnd, editMenu(), 2), white, face);
    };
    EXPECT_TRUE(pasteOnCheckerboard());
    organiser->SetRecentlyUsedEnabled(FALSE);
    pm::afxtest::pump();
    EXPECT_FALSE(pasteOnCheckerboard());
    organiser->SetRecentlyUsedEnabled(TRUE);
    pm::afxtest::pump();
    EXPECT_TRUE(pasteOnCheckerboard());
    organiser->SetCustomizationMode(FALSE, nullptr);
}

TEST_F(BitmapMenu, TheOrganiserTakesOneFrameAndNeedsItForTheImages) {
    EXPECT_FALSE(organiser->AttachFrameWnd(frame)) << "attached already";
    CDKBitmapMenuManager other;
    EXPECT_FALSE(other.AttachFrameWnd(nullptr));
    EXPECT_FALSE(other.SetMenuImagesFromToolBars());
    EXPECT_EQ(CDKBitmapMenuManager::FindManager(main), organiser.get());
}

TEST_F(BitmapMenu, AHiddenSubmenuIsStillHiddenOnceItsPopupIsWholeAgain) {
    // Edit: Undo, Cut, Paste, More > (Find); More is not recently used.
    HMENU more = ::CreatePopupMenu();
    ::AppendMenu(more, MF_STRING, ID_FIND, "&Find...");
    ::AppendMenu(editMenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    organiser->HideSubmenu(more);
    CDKBitmapMenu* edit = organiser->ConvertPopupMenu(editMenu(), 1, FALSE);
    EXPECT_EQ(ids(editMenu()), (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE, ID_BITMAPMENU_EXPAND}));
    organiser->RestorePopupMenu(edit, TRUE);
    ASSERT_EQ(::GetMenuItemCount(editMenu()), 4);
    HMENU back = ::GetSubMenu(editMenu(), 3);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(ids(back), std::vector<UINT>{ID_FIND});
    EXPECT_FALSE(organiser->IsItemRecentlyUsed(editMenu(), 3))
        << "the submenu that came back is the hidden one";
    // Opened again, it hides the submenu again.
    edit = organiser->ConvertPopupMenu(editMenu(), 1, FALSE);
    EXPECT_EQ(ids(editMenu()), (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE, ID_BITMAPMENU_EXPAND}));
    organiser->RestorePopupMenu(edit, TRUE);
}

TEST_F(BitmapMenu, AHiddenCommandInAHiddenSubmenuChosenAfterTheExpansionTellsTheFrameOnce) {
    // Edit: Undo, Cut, Paste, More > (Find, Bold); More and Find are not recently used.
    HMENU more = ::CreatePopupMenu();
    ::AppendMenu(more, MF_STRING, ID_FIND, "&Find");
    ::AppendMenu(more, MF_STRING, ID_BOLD, "&Bold");
    ::AppendMenu(editMenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    organiser->HideSubmenu(more);
    organiser->HideCommand(ID_FIND);
    auto rightmost = [] {
        HWND found = nullptr;
        for (HWND w : popupWindows())
            if (!found || LeftOf(w) > LeftOf(found)) found = w;
        return found;
    };
    std::vector<std::vector<UINT>> seen;
    inLoops(main, {[&] {
                       seen.push_back(ids(editMenu()));
                       HWND popup = popupWindows().at(0);
                       const POINT expand = itemMiddle(popup, editMenu(), ::GetMenuItemCount(editMenu()) - 1);
                       pm::test::pressMouse(popup, expand);
                       pm::test::releaseMouse(popup, expand);
                   },
                   [&] { seen.push_back(ids(editMenu())); },
                   [&] {
                       HWND popup = popupWindows().at(0);
                       // A click on More opens it.
                       pm::test::click(popup, itemMiddle(popup, editMenu(), 3));
                   },
                   [&] {
                       HMENU sub = ::GetSubMenu(editMenu(), 3);
                       seen.push_back(ids(sub));
                       HWND window = rightmost();
                       pm::test::click(window, itemMiddle(window, sub, 0));
                   }});
    bar().OpenPopup(1);
    pm::afxtest::pump();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE, ID_BITMAPMENU_EXPAND}));
    EXPECT_EQ(seen[1], (std::vector<UINT>{ID_UNDO, ID_CUT, ID_PASTE, static_cast<UINT>(-1)}));
    EXPECT_EQ(seen[2], (std::vector<UINT>{ID_FIND, ID_BOLD})) << "expanding, the submenu shows whole";
    auto count = [&](const std::string& entry) {
        return std::count(frame->m_log.begin(), frame->m_log.end(), entry);
    };
    EXPECT_EQ(count("command " + std::to_string(ID_FIND)), 1);
    EXPECT_EQ(count("recently used changed"), 1);
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(editMenu(), 3));
    EXPECT_TRUE(organiser->IsItemRecentlyUsed(::GetSubMenu(editMenu(), 3), 0));
}
