// The query window's geometry: splitter places and drags, the status bar's parts, and hiding the
// object browser.

#include "support/tessmark_fixture.h"

#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/resources.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/splitter.h"

#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <algorithm>

TEST(SplitterGeometry, PlacesDragsAndStatusParts) {
    EXPECT_EQ(199, SplitterPosition(25, 800)); // the single-precision hundredth rounds down
    EXPECT_EQ(0, SplitterPosition(0, 800));
    struct Case {
        int cursor, extent, position, percent;
    };
    const Case cases[] = {{-30, 800, 1, 1},    {1, 800, 1, 1},      {2, 800, 2, 0},      {400, 800, 400, 50},
                          {795, 800, 795, 99}, {796, 800, 795, 99}, {2000, 800, 795, 99}};
    for (const Case& c : cases) {
        const SplitterDrag drag = DragSplitter(c.cursor, c.extent);
        EXPECT_EQ(c.position, drag.position) << c.cursor;
        EXPECT_EQ(c.percent, drag.percent) << c.cursor;
    }
    int edges[4];
    StatusPartEdges(900, edges);
    EXPECT_EQ(600, edges[0]);
    EXPECT_EQ(700, edges[1]);
    EXPECT_EQ(800, edges[2]);
    EXPECT_EQ(-1, edges[3]);
}

class Layout : public TessmarkTest {};

TEST_F(Layout, HidingTheBrowserKeepsItsShareForShowingAgain) {
    CQueryWindow* window = Connect();
    ASSERT_NE(nullptr, window);
    CSplitter& vertical = *window->VerticalSplitter();
    vertical.SetPercent(40);
    window->Layout();
    RECT client;
    GetClientRect(window->Window(), &client);
    EXPECT_EQ(SplitterPosition(40, client.right), vertical.Rect().left);
    Command(ID_HIDEBROWSER_KEY);
    EXPECT_FALSE(window->BrowserVisible());
    EXPECT_EQ(0, vertical.Rect().left);
    EXPECT_EQ(MF_CHECKED, GetMenuState(m_app->MenuPopup(1), ID_HIDEBROWSER, MF_BYCOMMAND) & MF_CHECKED);
    RECT editor;
    GetWindowRect(GetDlgItem(window->Window(), IDC_EDITOR), &editor);
    MapWindowPoints(nullptr, window->Window(), reinterpret_cast<POINT*>(&editor), 2);
    EXPECT_EQ(4, editor.left);
    Command(ID_HIDEBROWSER_KEY);
    EXPECT_EQ(40, vertical.Percent());
    EXPECT_EQ(0u, GetMenuState(m_app->MenuPopup(1), ID_HIDEBROWSER, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(Layout, ActivatingAWindowSetsTheChecksFromItsOwnFlags) {
    CQueryWindow* text = Connect();
    ASSERT_NE(nullptr, text);
    Command(ID_TEXTMODE_KEY);
    CQueryWindow* grid = Connect();
    ASSERT_NE(nullptr, grid);
    EXPECT_TRUE(grid->TextMode()) << "a new window takes the menu's check";
    Command(ID_TEXTMODE_KEY);
    EXPECT_FALSE(grid->TextMode());
    SendMessage(m_app->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(text->Window()), 0);
    EXPECT_EQ(MF_CHECKED, GetMenuState(m_app->MenuPopup(1), ID_TEXTMODE, MF_BYCOMMAND) & MF_CHECKED);
    SendMessage(m_app->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(grid->Window()), 0);
    EXPECT_EQ(0u, GetMenuState(m_app->MenuPopup(1), ID_TEXTMODE, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(Layout, DraggingTheVerticalSplitterMovesThePanesWhenItEnds) {
    CQueryWindow* window = Connect();
    ASSERT_NE(nullptr, window);
    CSplitter& vertical = *window->VerticalSplitter();
    HWND bar = vertical.Window();
    RECT client;
    GetClientRect(window->Window(), &client);
    pm::test::pressMouse(bar, POINT{1, 50});
    pm::test::moveMouse(window->Window(), POINT{client.right / 2, 50});
    pm::test::pumpMessages();
    HWND editor = GetDlgItem(window->Window(), IDC_EDITOR);
    RECT during;
    GetWindowRect(editor, &during);
    MapWindowPoints(nullptr, window->Window(), reinterpret_cast<POINT*>(&during), 2);
    EXPECT_EQ(client.right / 2 * 100 / client.right, vertical.Percent());
    EXPECT_LT(during.left, client.right / 2) << "the panes wait for the end of the drag";
    pm::test::releaseMouse(window->Window(), POINT{client.right / 2, 50});
    pm::test::pumpMessages();
    RECT after;
    GetWindowRect(editor, &after);
    MapWindowPoints(nullptr, window->Window(), reinterpret_cast<POINT*>(&after), 2);
    EXPECT_EQ(SplitterPosition(vertical.Percent(), client.right) + 4, after.left);
    EXPECT_EQ(vertical.Percent(), m_app->VerticalLayout().percent);

    pm::test::pressMouse(bar, POINT{1, 50});
    pm::test::moveMouse(window->Window(), POINT{client.right + 50, 50});
    pm::test::releaseMouse(window->Window(), POINT{client.right + 50, 50});
    pm::test::pumpMessages();
    EXPECT_EQ(99, vertical.Percent());
    EXPECT_EQ(SplitterPosition(99, client.right), vertical.Rect().left) << "placed again from its share";
}

// No two shown controls of a dialog cover each other (a label drawn over a field hides it). A combo
// box shows only its field; group boxes frame the controls inside them.
TEST(DialogLayout, NoTwoControlsOfADialogOverlap) {
    DeclareTessmarkResources();
    const int dialogs[] = {IDD_CONNECT,    IDD_ABOUT,     IDD_KEYNAME,     IDD_MANAGEKEYS,  IDD_SHORTCUTS,
                           IDD_TEMPLATES,  IDD_GIVENAME,  IDD_TABLEMAKER,  IDD_DIAGNOSTICS, IDD_FLUSH,
                           IDD_IMPORTTEXT, IDD_BLOBFIELD, IDD_EXPORTTABLES};
    const auto shown = [](const pm::res::DialogItem& item) {
        const bool groupBox = item.windowClass == "BUTTON" && (item.style & 0x0F) == BS_GROUPBOX;
        return (item.style & WS_VISIBLE) && !groupBox;
    };
    const auto rectOf = [](const pm::res::DialogItem& item) {
        const short height = item.windowClass == "COMBOBOX" ? std::min<short>(item.cy, 12) : item.cy;
        return RECT{item.x, item.y, item.x + item.cx, item.y + height};
    };
    for (int id : dialogs) {
        const pm::res::DialogTemplate* dialog = pm::res::findDialog(MAKEINTRESOURCE(id));
        ASSERT_NE(nullptr, dialog) << id;
        const std::vector<pm::res::DialogItem>& items = dialog->items;
        for (std::size_t a = 0; a < items.size(); ++a)
            for (std::size_t b = a + 1; b < items.size(); ++b) {
                if (!shown(items[a]) || !shown(items[b])) continue;
                const RECT ra = rectOf(items[a]), rb = rectOf(items[b]);
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &ra, &rb))
                    << dialog->caption << ": \"" << items[a].text << "\" and \"" << items[b].text << "\"";
            }
    }
}
