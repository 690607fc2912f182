// The wrappers over GDI objects, DCs, menus and controls: ownership of handles, temporary objects,
// and the members that fill and read the controls' structures.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

TEST(GdiWrappers, OwnedObjectsAreDeletedTemporaryOnesAreNot) {
    HBRUSH borrowed = ::CreateSolidBrush(RGB(1, 2, 3));
    CBrush* temp = CBrush::FromHandle(borrowed);
    EXPECT_EQ(static_cast<HBRUSH>(*temp), borrowed);
    pm::afxtest::runIdle();
    LOGBRUSH lb{};
    EXPECT_EQ(::GetObjectA(borrowed, sizeof(lb), &lb), static_cast<int>(sizeof(lb)))
        << "a temporary wrapper leaves its handle";
    ::DeleteObject(borrowed);

    HGDIOBJ owned = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
        owned = pen.m_hObject;
        EXPECT_EQ(CGdiObject::FromHandle(owned), &pen);
    }
    LOGPEN lp{};
    EXPECT_EQ(::GetObjectA(owned, sizeof(lp), &lp), 0) << "an owned pen goes with its object";
}

TEST(GdiWrappers, MemoryDcDrawsIntoItsBitmap) {
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 10));
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 20, 10, RGB(255, 255, 255));
    memory.Draw3dRect(2, 2, 10, 6, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(memory.GetPixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(memory.GetPixel(11, 7), RGB(0, 0, 255));
    EXPECT_EQ(memory.GetPixel(5, 5), RGB(255, 255, 255));
    memory.SelectObject(old);
    ::ReleaseDC(nullptr, screen.Detach());
}

TEST(MenuWrappers, PermanentMenusOwnTheirHandles) {
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_STRING, 10, "&Ten");
        menu.AppendMenu(MF_STRING, 11, "E&leven");
        hMenu = menu.m_hMenu;
        CString text;
        menu.GetMenuString(11, text, MF_BYCOMMAND);
        EXPECT_EQ(std::string(text), "E&leven");
        EXPECT_EQ(menu.GetMenuItemCount(), 2u);
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
    }
    EXPECT_FALSE(::IsMenu(hMenu));
}

class ControlWrappers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            parent.CreateEx(0, AFX_WND, "controls", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CWnd parent;
};

TEST_F(ControlWrappers, TreeItemsKeepTheirTextAndData) {
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 200, 200), &parent, 1));
    HTREEITEM root = tree.InsertItem("root");
    HTREEITEM child = tree.InsertItem("child", root);
    tree.SetItemData(child, 42);
    EXPECT_EQ(std::string(tree.GetItemText(child)), "child");
    EXPECT_EQ(tree.GetItemData(child), 42u);
    EXPECT_EQ(tree.GetParentItem(child), root);
    EXPECT_EQ(tree.GetChildItem(root), child);
    EXPECT_TRUE(tree.SetItemText(child, "renamed"));
    EXPECT_EQ(std::string(tree.GetItemText(child)), "renamed");
}

TEST_F(ControlWrappers, ListTabSpinAndRichEditRoundTrip) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 2));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "Value", LVCFMT_LEFT, 80);
    EXPECT_EQ(list.InsertItem(0, "first"), 0);
    list.SetItemText(0, 1, "one");
    list.SetItemData(0, 7);
    EXPECT_EQ(std::string(list.GetItemText(0, 1)), "one");
    EXPECT_EQ(list.GetItemData(0), 7u);

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 100, 200, 130), &parent, 3));
    tabs.InsertItem(0, "A");
    tabs.InsertItem(1, "B");
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(0, 140, 20, 160), &parent, 4));
    spin.SetRange32(0, 20);
    spin.SetPos(12);
    EXPECT_EQ(spin.GetPos(), 12);

    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(200, 0, 400, 100), &parent, 5));
    edit.SetWindowText("hello world");
    edit.SetSel(6, 11);
    EXPECT_EQ(std::string(edit.GetSelText()), "world");
    CString range;
    edit.GetTextRange(0, 5, range);
    EXPECT_EQ(std::string(range), "hello");
}

// A window without an object gets a temporary one of its class's wrapper, so a cast of
// GetDlgItem(id) to that wrapper points at an object of its type.
TEST_F(ControlWrappers, TemporaryObjectsAreOfTheirWindowClassesWrapper) {
    struct Case {
        const char* className;
        CRuntimeClass* wrapper;
    };
    const Case cases[] = {
        {"BUTTON", RUNTIME_CLASS(CButton)},
        {"COMBOBOX", RUNTIME_CLASS(CComboBox)},
        {"EDIT", RUNTIME_CLASS(CEdit)},
        {"LISTBOX", RUNTIME_CLASS(CListBox)},
        {"listbox", RUNTIME_CLASS(CListBox)},
        {"ComboLBox", RUNTIME_CLASS(CListBox)},
        {"SCROLLBAR", RUNTIME_CLASS(CScrollBar)},
        {"STATIC", RUNTIME_CLASS(CStatic)},
        {UPDOWN_CLASS, RUNTIME_CLASS(CSpinButtonCtrl)},
        {PROGRESS_CLASS, RUNTIME_CLASS(CProgressCtrl)},
        {TRACKBAR_CLASS, RUNTIME_CLASS(CSliderCtrl)},
        {WC_HEADER, RUNTIME_CLASS(CHeaderCtrl)},
        {TOOLTIPS_CLASS, RUNTIME_CLASS(CToolTipCtrl)},
        {STATUSCLASSNAME, RUNTIME_CLASS(CStatusBarCtrl)},
        {TOOLBARCLASSNAME, RUNTIME_CLASS(CToolBarCtrl)},
        {WC_TABCONTROL, RUNTIME_CLASS(CTabCtrl)},
        {WC_TREEVIEW, RUNTIME_CLASS(CTreeCtrl)},
        {WC_LISTVIEW, RUNTIME_CLASS(CListCtrl)},
        {RICHEDIT_CLASS10A, RUNTIME_CLASS(CRichEditCtrl)},
        {RICHEDIT_CLASSA, RUNTIME_CLASS(CRichEditCtrl)},
        {AFX_WND, RUNTIME_CLASS(CWnd)},
    };
    ::InitCommonControls();
    ::RegisterRichEditClasses();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        HWND hWnd = ::CreateWindowEx(0, c.className, "", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(hWnd, nullptr);
        CWnd* temporary = CWnd::FromHandle(hWnd);
        EXPECT_EQ(temporary->GetRuntimeClass(), c.wrapper);
        EXPECT_EQ(CWnd::FromHandle(hWnd), temporary) << "one temporary object per window";
        ::DestroyWindow(hWnd);
        pm::afxtest::runIdle();
    }
}
