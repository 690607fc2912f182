// Custom buttons on the cool tool bars: a control from a registered template in the room of a
// separator, shown or replaced by a plain button as the bar docks and floats, kept in step as
// buttons come, go and move, chosen in customisation mode, and back at its place after a restart
// with its template's settings; and drags over a bar, which it refuses.

#include "docking/tests/support/menu_frame.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace docktest;

namespace {

const int kFindBox = 0x8700;

// An edit box as a custom button; it keeps one text of its own in the templates' settings.
class CEditTemplate : public CustomButtonTemplate {
public:
    CWnd m_edit;
    CString m_strSetting = "initial";
    CWnd* m_pMode = nullptr;
    std::vector<std::string> m_calls;

    CWnd* GetWindow() override { return m_edit.m_hWnd ? &m_edit : nullptr; }
    BOOL Create(UINT nID, CDKCoolToolBar* pBar, DWORD dwStyle, DWORD dwExStyle, LPCSTR,
                LPCSTR lpszName) override {
        m_calls.push_back("create");
        return m_edit.CreateEx(dwExStyle, "EDIT", lpszName, dwStyle | WS_BORDER, CRect(0, 0, 10, 10), pBar,
                               nID);
    }
    CustomButtonTemplate* Attach(CDKCoolToolBar* pBar) override {
        m_calls.push_back("attach");
        m_edit.SetParent(pBar);
        return this;
    }
    void Detach() override {
        m_calls.push_back("detach");
        m_edit.ShowWindow(SW_HIDE);
    }
    void SetMode(CWnd* pOwner) override { m_pMode = pOwner; }
    void Save(CArchive& ar) override { ar << m_strSetting; }
    void Load(CArchive& ar) override { ar >> m_strSetting; }
};

class CustomButtons : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override {
        setUp();
        CustomButtonDescriptor d;
        d.pTemplate = &edit;
        d.nControlID = kFindBox;
        d.nWidth = 80;
        d.nHeight = 16;
        d.nShowFlags = CustomButtonDescriptor::showTopBottomDocked | CustomButtonDescriptor::showSideDocked;
        d.nImage = 4;
        nTemplate = CDKCoolToolBar::RegisterCustomButtonTemplate(d);
    }
    void TearDown() override {
        if (::IsWindow(edit.m_edit.m_hWnd)) edit.m_edit.DestroyWindow();
        CDKCoolToolBar::UnregisterCustomButtonTemplate(kFindBox);
        tearDown();
    }
    CDKCoolToolBar& bar() { return frame->m_wndTextBelow; }
    TBBUTTON button(int index) {
        TBBUTTON b{};
        bar().SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
        return b;
    }
    std::vector<int> ids() {
        std::vector<int> all;
        for (int i = 0; i < bar().SendMessage(TB_BUTTONCOUNT); ++i)
            all.push_back(button(i).idCommand);
        return all;
    }
    BOOL insertFindBox(int index) {
        return bar().InsertCustomButton(index, nTemplate, WS_CHILD | WS_VISIBLE, 0, nullptr, "");
    }
    CEditTemplate edit;
    int nTemplate = -1;
};

} // namespace

TEST_F(CustomButtons, TheControlStandsInItsSeparatorWhereTheBarShowsIt) {
    ASSERT_TRUE(insertFindBox(3));
    pm::afxtest::pump();
    EXPECT_EQ(edit.m_calls, std::vector<std::string>{"create"});
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 3);
    EXPECT_TRUE(bar().HasCustomButton(kFindBox));
    TBBUTTON b = button(3);
    EXPECT_EQ(b.fsStyle & TBSTYLE_SEP, TBSTYLE_SEP);
    EXPECT_EQ(b.idCommand, kFindBox);
    EXPECT_EQ(b.iBitmap, 80);
    // Inside the separator, 2 pixels in from each side, as high as asked and centred.
    CRect item, control;
    bar().GetItemRect(3, &item);
    edit.m_edit.GetWindowRect(&control);
    bar().ScreenToClient(&control);
    EXPECT_EQ(control.left, item.left + 2);
    EXPECT_EQ(control.right, item.right - 2);
    EXPECT_EQ(control.Height(), 16);
    EXPECT_EQ(control.top, item.top + (item.Height() - 16) / 2);
    EXPECT_TRUE(edit.m_edit.IsWindowVisible());
    EXPECT_TRUE(pm::afxtest::savePng(main, "docking_custom_button"));

    // Floating is not among its places: a plain button with its image stands in for it.
    frame->FloatControlBar(&bar(), CPoint(300, 300));
    pm::afxtest::pump();
    b = button(3);
    EXPECT_EQ(b.fsStyle & TBSTYLE_SEP, 0);
    EXPECT_EQ(b.fsStyle & TBSTYLE_AUTOSIZE, TBSTYLE_AUTOSIZE);
    EXPECT_EQ(b.iBitmap, 4);
    EXPECT_FALSE(edit.m_edit.IsWindowVisible());
    frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_TOP);
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pm::afxtest::pump();
    EXPECT_EQ(button(3).fsStyle & TBSTYLE_SEP, TBSTYLE_SEP);
    EXPECT_TRUE(edit.m_edit.IsWindowVisible());
}

TEST_F(CustomButtons, TheLayoutOfAPlaceThatHidesTheControlCountsAPlainButton) {
    ASSERT_TRUE(insertFindBox(3));
    // Docked at the top the control's 80 pixels count; laid out for floating, a button's width.
    CSize docked = bar().CalcLayout(LM_HORZ | LM_HORZDOCK);
    CSize floating = bar().CalcLayout(LM_HORZ);
    int buttonWidth = static_cast<int>(LOWORD(bar().SendMessage(TB_GETBUTTONSIZE)));
    EXPECT_EQ(docked.cx - floating.cx, 80 - buttonWidth);
    // The bar's own button is left as it is.
    EXPECT_EQ(button(3).fsStyle & TBSTYLE_SEP, TBSTYLE_SEP);
}

TEST_F(CustomButtons, EntriesFollowTheirButtonsAsButtonsComeGoAndMove) {
    ASSERT_TRUE(insertFindBox(3));
    // Before it, ahead of it, and back.
    TBBUTTON separator{-1, 0, 0, TBSTYLE_SEP, {}, 0, -1};
    ASSERT_TRUE(bar().SendMessage(TB_INSERTBUTTONA, 1, reinterpret_cast<LPARAM>(&separator)));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 4);
    ASSERT_TRUE(bar().SendMessage(TB_MOVEBUTTON, 4, 0));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 0);
    EXPECT_EQ(ids().front(), kFindBox);
    ASSERT_TRUE(bar().SendMessage(TB_MOVEBUTTON, 2, 0));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 1);
    // A button after it going leaves it where it is; its own going detaches the control.
    ASSERT_TRUE(bar().SendMessage(TB_DELETEBUTTON, 5));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 1);
    ASSERT_TRUE(bar().SendMessage(TB_DELETEBUTTON, 1));
    EXPECT_FALSE(bar().HasCustomButton(kFindBox));
    EXPECT_EQ(edit.m_calls.back(), "detach");
    // A template that is not registered makes nothing, and leaves the bar as it was.
    std::vector<int> before = ids();
    EXPECT_FALSE(bar().InsertCustomButton(0, nTemplate + 1, WS_CHILD | WS_VISIBLE, 0, nullptr, ""));
    EXPECT_FALSE(bar().InsertCustomButton(99, nTemplate, WS_CHILD | WS_VISIBLE, 0, nullptr, ""));
    EXPECT_EQ(ids(), before);
}

TEST_F(CustomButtons, TheControlOfOneBarIsServedOnAnother) {
    ASSERT_TRUE(insertFindBox(3));
    ASSERT_TRUE(
        frame->m_wndTextRight.InsertCustomButton(0, nTemplate, WS_CHILD | WS_VISIBLE, 0, nullptr, ""));
    EXPECT_EQ(edit.m_calls, (std::vector<std::string>{"create", "attach"}));
    EXPECT_EQ(frame->m_wndTextRight.FindCustomButton(kFindBox), 0);
}

TEST_F(CustomButtons, InCustomisationModeTheSeparatorOfAControlIsChosenAndKeepsItsNeighbours) {
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
    bar().SetCustomizeTable(table, 6);
    ASSERT_TRUE(insertFindBox(3)); // New, Open, -, [Find box], Cut, Paste, Find, Bold
    bar().SetCustomizationMode(frame, main);
    EXPECT_EQ(edit.m_pMode, frame);
    // The control's separator is chosen by a press on its edge.
    CRect item;
    bar().GetItemRect(3, &item);
    pm::test::pressMouse(bar().m_hWnd, CPoint(item.left + 1, item.CenterPoint().y), VK_RBUTTON);
    pm::afxtest::pump();
    EXPECT_EQ(bar().GetCustomizedButton(), 3);
    // A button after a separator that holds a control may have a separator put before it.
    std::vector<std::vector<std::string>> menus;
    auto readMenu = [&] {
        std::vector<HWND> popups = popupWindows();
        ASSERT_EQ(popups.size(), 1u);
        HMENU popup = reinterpret_cast<HMENU>(::SendMessage(popups[0], MN_GETHMENU, 0, 0));
        std::vector<std::string> items;
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            char text[64] = {};
            ::GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            if (text[0])
                items.push_back(std::string(text) +
                                ((::GetMenuState(popup, i, MF_BYPOSITION) & MF_GRAYED) ? " (grayed)" : ""));
        }
        menus.push_back(items);
        pm::test::pressKey(popups[0], VK_ESCAPE);
    };
    // The release offers the chosen button's menu.
    inLoops(main, {readMenu});
    pm::test::releaseMouse(bar().m_hWnd, CPoint(item.left + 1, item.CenterPoint().y), VK_RBUTTON);
    pm::afxtest::pump();
    inLoops(main, {readMenu});
    bar().ShowButtonContextMenu(4, 200, 200);
    pm::afxtest::pump();
    ASSERT_EQ(menus.size(), 2u);
    // The control's own menu has no image choices; a plain separator stands before it.
    EXPECT_EQ(menus[0], (std::vector<std::string>{"Delete", "Button Appearance...",
                                                  "Put Separator Before (grayed)", "Put Separator After"}));
    EXPECT_EQ(menus[1],
              (std::vector<std::string>{"Delete", "Button Appearance...", "Image Only", "Image and Text",
                                        "Put Separator Before", "Put Separator After"}));
    bar().SetCustomizationMode(nullptr, nullptr);
    EXPECT_EQ(edit.m_pMode, nullptr);
}

TEST_F(CustomButtons, TheControlAndItsTemplatesSettingsComeBackAfterARestart) {
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
    auto prepare = [&] {
        bar().SetCustomizeTable(table, 6);
        bar().SetCustomizable(TRUE, TRUE);
    };
    prepare();
    ASSERT_TRUE(insertFindBox(2));
    edit.m_strSetting = "kept";
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", FALSE));
    // The shared settings are written once in a run.
    edit.m_strSetting = "later";
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", FALSE));
    std::vector<int> saved = ids();
    // The values' bytes: the places (a count, then index and control id), and per template its
    // control id, width, height, show flags, image and its own data.
    auto bytesOf = [&](LPCSTR entry) {
        BYTE* data = nullptr;
        UINT size = 0;
        EXPECT_TRUE(app->GetProfileBinary("Bars", entry, &data, &size));
        std::vector<BYTE> bytes(data, data + size);
        delete[] data;
        EXPECT_EQ(static_cast<int>(app->GetProfileInt("Bars", CString(entry) + "_Size", -1)),
                  static_cast<int>(size));
        return bytes;
    };
    EXPECT_EQ(bytesOf("Standard_CustomButtonsPositions"),
              (std::vector<BYTE>{1, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x87, 0, 0}));
    EXPECT_EQ(bytesOf("Toolbars_CustomButtonsSettings"),
              (std::vector<BYTE>{1, 0, 0, 0, 0x00, 0x87, 0, 0, 80, 0, 0,   0,   16,  0,  0,
                                 0, 3, 0, 0, 0,    4,    0, 0, 0,  4, 'k', 'e', 'p', 't'}));

    recreateFrame();
    edit.m_edit.DestroyWindow();
    edit.m_strSetting = "fresh";
    prepare();
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", FALSE));
    EXPECT_EQ(edit.m_strSetting, CString("kept"));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 2);
    EXPECT_EQ(ids(), saved);
    EXPECT_EQ(edit.m_calls.back(), "create");
    pm::afxtest::pump();
    EXPECT_TRUE(edit.m_edit.IsWindowVisible());
    // Loading again puts the control taken off back in its place.
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", FALSE));
    EXPECT_EQ(bar().FindCustomButton(kFindBox), 2);
    EXPECT_EQ(std::count(edit.m_calls.begin(), edit.m_calls.end(), "create"), 2);
}

TEST_F(CustomButtons, DamagedPlacesAreIgnored) {
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
    bar().SetCustomizeTable(table, 6);
    bar().SetCustomizable(TRUE, TRUE);
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", FALSE));
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    } cases[] = {{"truncated", {1, 0, 0, 0, 2, 0}},
                 {"a negative index", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x87, 0, 0}},
                 {"a count past the data", {0x40, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x87, 0, 0}}};
    std::vector<int> before = ids();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app->WriteProfileBinary("Bars", "Standard_CustomButtonsPositions", const_cast<BYTE*>(c.bytes.data()),
                                static_cast<UINT>(c.bytes.size()));
        app->WriteProfileInt("Bars", "Standard_CustomButtonsPositions_Size",
                             static_cast<int>(c.bytes.size()));
        ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", FALSE));
        EXPECT_EQ(ids(), before);
        EXPECT_FALSE(bar().HasCustomButton(kFindBox));
    }
}

namespace {
// Notes whether the bar saw the drag inside it while the drag goes on.
class CWatchingSource : public COleDropSource {
public:
    CDKCoolToolBar* m_pBar = nullptr;
    bool m_bSawInside = false;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override {
        m_bSawInside = m_bSawInside || m_pBar->IsDragInside();
        return COleDropSource::GiveFeedback(dropEffect);
    }
};
} // namespace

TEST_F(CustomButtons, ADragOverACustomisableBarIsRefused) {
    const UINT table[] = {ID_NEW, ID_OPEN};
    bar().SetCustomizeTable(table, 2);
    bar().SetCustomizable(TRUE, TRUE);
    CRect open;
    bar().GetItemRect(1, &open);
    auto drag = [&](bool dropOnBar) {
        CPoint inView(20, 20);
        pm::test::moveMouse(frame->m_wndView.m_hWnd, inView);
        pm::afxtest::pump();
        pm::test::moveMouse(bar().m_hWnd, open.CenterPoint());
        pm::test::moveMouse(bar().m_hWnd, open.CenterPoint() + CPoint(2, 0));
        if (!dropOnBar) pm::test::moveMouse(frame->m_wndView.m_hWnd, inView);
        pm::test::releaseMouse(frame->m_wndView.m_hWnd, inView);
        COleDataSource data;
        data.CacheFiles({CString("/tmp/x.js")});
        CWatchingSource source;
        source.m_pBar = &bar();
        DROPEFFECT effect = data.DoDragDrop(DROPEFFECT_COPY, nullptr, &source);
        pm::afxtest::pump();
        EXPECT_TRUE(source.m_bSawInside);
        return effect;
    };
    EXPECT_EQ(drag(true), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_FALSE(bar().IsDragInside());
    // Leaving the bar takes its insert mark away.
    TBINSERTMARK mark{1, 0};
    bar().SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    EXPECT_EQ(drag(false), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_FALSE(bar().IsDragInside());
    TBINSERTMARK now{};
    bar().SendMessage(TB_GETINSERTMARK, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(now.iButton, -1);
}
