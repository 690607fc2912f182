// The tab strip around the docking test program's MDI client: a tab per visible document window,
// clicks that activate, double clicks that maximise and restore, and docked windows without tabs.

#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

class MDITabs : public ::testing::Test {
protected:
    void SetUp() override {
        StartProgram(app);
        frame = app.Frame();
        Tick();
    }
    void TearDown() override { EndProgram(app); }
    CDKMDITabStrip& Strip() { return frame->m_wndTabs.Strip(); }
    void Tick() {
        Strip().SendMessage(WM_TIMER, CDKMDITabStrip::kTimerId);
        pm::afxtest::pump();
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& item : Strip().Items())
            texts.push_back(item.text);
        return texts;
    }
    CMDIChildWnd* ChildOf(int tab) {
        return static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(Strip().Items()[tab].hwnd));
    }
    CPoint TabCentre(int tab) {
        CRect r;
        Strip().GetItemRect(tab, &r);
        return r.CenterPoint();
    }
    CFixtureApp app;
    CFixtureFrame* frame = nullptr;
};

} // namespace

TEST_F(MDITabs, OneTabPerChildWithItsTitle) {
    std::vector<std::string> texts = Texts();
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"one", "three", "two"}));
    EXPECT_EQ(ChildOf(Strip().GetCurSel()), frame->MDIGetActive());
    // The client lies inside the strip, clear of the tabs.
    CRect client, strip;
    ::GetWindowRect(frame->m_hWndMDIClient, &client);
    strip = WindowRect(&Strip());
    EXPECT_TRUE(strip.PtInRect(client.TopLeft()));
    EXPECT_LT(client.bottom, strip.bottom - 10);
    EXPECT_TRUE(SaveScreenPng(frame, "docking_tab_strip"));
}

TEST_F(MDITabs, ClickActivatesAndDoubleClickMaximisesThenRestores) {
    int other = Strip().GetCurSel() == 0 ? 1 : 0;
    CMDIChildWnd* target = ChildOf(other);
    pm::afxtest::click(Strip().m_hWnd, TabCentre(other));
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), target);
    EXPECT_EQ(Strip().GetCurSel(), other);

    Strip().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(TabCentre(other).x, TabCentre(other).y));
    pm::afxtest::pump();
    EXPECT_TRUE(target->IsZoomed());
    Strip().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(TabCentre(other).x, TabCentre(other).y));
    pm::afxtest::pump();
    EXPECT_FALSE(target->IsZoomed());
}

TEST_F(MDITabs, ADockedWindowHasNoTabUntilItIsUndocked) {
    auto* active = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive());
    ASSERT_TRUE(active->SetDocked(TRUE));
    Tick();
    EXPECT_EQ(Strip().FindTab(active), -1);
    EXPECT_EQ(Strip().Items().size(), 2u);
    ASSERT_TRUE(active->SetDocked(FALSE));
    Tick();
    EXPECT_GE(Strip().FindTab(active), 0);
    EXPECT_EQ(Strip().Items().size(), 3u);
}

TEST_F(MDITabs, HiddenAndSameTitledChildren) {
    // A fourth window on the first document: same title, its own tab.
    CDocument* doc = frame->MDIGetActive()->GetActiveDocument();
    CFrameWnd* second = app.m_pTemplate->CreateNewFrame(doc, nullptr);
    ASSERT_NE(second, nullptr);
    app.m_pTemplate->InitialUpdateFrame(second, doc, FALSE);
    Tick();
    EXPECT_EQ(Strip().FindTab(second), -1); // created hidden: no tab yet
    second->ShowWindow(SW_SHOW);
    Tick();
    EXPECT_GE(Strip().FindTab(second), 0);
    EXPECT_EQ(Strip().Items().size(), 4u);
    // Destroyed: its tab goes at once.
    second->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_EQ(Strip().Items().size(), 3u);
}

TEST_F(MDITabs, DraggingOverATabActivatesItsChild) {
    const int other = Strip().GetCurSel() == 0 ? 1 : 0;
    CMDIChildWnd* target = ChildOf(other);
    COleDropTarget* drop = COleDropTarget::FromWindow(Strip().m_hWnd);
    ASSERT_NE(drop, nullptr);
    COleDataObject data;
    EXPECT_EQ(drop->OnDragOver(&Strip(), &data, MK_LBUTTON, TabCentre(other)), DROPEFFECT_NONE);
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), target);
}

TEST_F(MDITabs, AHiddenWindowsTabGoesAndTheActiveTabStaysSelected) {
    // A fourth window; the third tab's window made active (walked first), the first tab's hidden.
    app.m_pTemplate->OpenDocumentFile(nullptr);
    Tick();
    ASSERT_EQ(Strip().Items().size(), 4u);
    CMDIChildWnd* active = ChildOf(2);
    active->MDIActivate();
    Tick();
    ASSERT_EQ(Strip().GetCurSel(), 2);
    CWnd* first = ChildOf(0);
    first->ShowWindow(SW_HIDE);
    Tick();
    ASSERT_EQ(Strip().Items().size(), 3u);
    EXPECT_EQ(Strip().GetCurSel(), Strip().FindTab(active));
    EXPECT_EQ(ChildOf(Strip().GetCurSel()), active);
}

TEST_F(MDITabs, EachIconGoesIntoTheImageListOnce) {
    auto images = [&] {
        return ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(Strip().SendMessage(TCM_GETIMAGELIST)));
    };
    auto imageOf = [&](CWnd* child) {
        TCITEM item{};
        item.mask = TCIF_IMAGE;
        Strip().GetItem(Strip().FindTab(child), &item);
        return item.iImage;
    };
    ASSERT_EQ(Strip().Items().size(), 3u);
    const int classImages = images(); // the windows' class icon, if their class has one
    EXPECT_LE(classImages, 1);
    CWnd* first = ChildOf(0);
    CWnd* second = ChildOf(1);
    // Two windows given the same icon of their own: one more image, which both tabs show.
    const HICON own = ::LoadIcon(nullptr, IDI_QUESTION);
    for (CWnd* child : {first, second})
        child->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    Strip().Update(TRUE, TRUE);
    EXPECT_EQ(images(), classImages + 1);
    EXPECT_EQ(imageOf(first), classImages);
    EXPECT_EQ(imageOf(second), classImages);
    EXPECT_NE(imageOf(ChildOf(2)), imageOf(first));
    // Without refreshing icons a tab keeps the image it has.
    ChildOf(2)->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    Tick();
    EXPECT_NE(imageOf(ChildOf(2)), imageOf(first));
    EXPECT_EQ(images(), classImages + 1);
}

namespace {

const char kOwnTabText[] = "own tab text";
WNDPROC g_childProc = nullptr;

// A document window of the program that names its own tab.
LRESULT CALLBACK NamingChildProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETTABTEXT) return reinterpret_cast<LRESULT>(kOwnTabText);
    return ::CallWindowProc(g_childProc, h, msg, wParam, lParam);
}

// Another MDI child whose procedure answers the same message with something that is no text.
LRESULT CALLBACK ForeignChildProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETTABTEXT) return 1;
    return ::DefMDIChildProc(h, msg, wParam, lParam);
}

} // namespace

TEST_F(MDITabs, OnlyTheProgramsOwnWindowsAreAskedForATabText) {
    CWnd* named = ChildOf(0);
    g_childProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(named->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NamingChildProc)));
    WNDCLASSA wc{};
    wc.lpfnWndProc = ForeignChildProc;
    wc.lpszClassName = "DockTestForeignChild";
    ::RegisterClassA(&wc);
    HWND foreign = ::CreateMDIWindow("DockTestForeignChild", "foreign", WS_VISIBLE, 10, 10, 200, 120,
                                     frame->m_hWndMDIClient, nullptr, 0);
    ASSERT_NE(foreign, nullptr);
    static_cast<CMDIChildWnd*>(named)->MDIActivate();
    Tick();
    EXPECT_EQ(Strip().Items()[Strip().FindTab(named)].text, kOwnTabText);
    const int foreignTab = Strip().FindTab(CWnd::FromHandle(foreign));
    ASSERT_GE(foreignTab, 0);
    EXPECT_EQ(Strip().Items()[foreignTab].text, "foreign");
    ::SetWindowLongPtr(named->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_childProc));
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(foreign), 0);
}

TEST_F(MDITabs, TheClientKeepsClearOfTheTabsInEveryArrangement) {
    struct Case {
        const char* name;
        DWORD style;
    };
    const Case cases[] = {
        {"tabs at the top", TCS_MULTILINE},
        {"tabs at the bottom", TCS_MULTILINE | TCS_BOTTOM},
        {"buttons at the bottom", TCS_BUTTONS | TCS_BOTTOM},
        {"buttons down the left", TCS_BUTTONS | TCS_VERTICAL | TCS_MULTILINE},
        {"buttons down the right", TCS_BUTTONS | TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE},
    };
    CDKMDIClientTabs& tabs = frame->m_wndTabs;
    for (const Case& c : cases) {
        ASSERT_TRUE(tabs.Detach()) << c.name;
        ASSERT_TRUE(tabs.Attach(frame, c.style)) << c.name;
        Tick();
        ASSERT_EQ(Strip().GetItemCount(), 3) << c.name;
        CRect client;
        ::GetWindowRect(frame->m_hWndMDIClient, &client);
        const CRect strip = WindowRect(&Strip());
        EXPECT_FALSE(client.IsRectEmpty()) << c.name;
        CRect inside;
        inside.IntersectRect(&client, &strip);
        EXPECT_EQ(inside, client) << c.name << ": the client lies within the strip";
        for (int i = 0; i < Strip().GetItemCount(); ++i) {
            CRect tab;
            Strip().GetItemRect(i, &tab);
            Strip().ClientToScreen(&tab);
            CRect overlap;
            EXPECT_FALSE(overlap.IntersectRect(&tab, &client)) << c.name << ": tab " << i;
        }
    }
}

TEST_F(MDITabs, TheStripsBorderIsPaintedAfterTheStripShrinks) {
    // What the strip showed before (the client's frame, a larger layout) fills its whole image.
    CRect before = WindowRect(&Strip());
    HDC dc = ::GetWindowDC(Strip().m_hWnd);
    RECT all{0, 0, before.Width(), before.Height()};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(Strip().m_hWnd, dc);
    // A lower frame (as a pane docked at the bottom leaves) lays the strip out lower.
    const CRect frameRect = WindowRect(frame);
    frame->SetWindowPos(nullptr, 0, 0, frameRect.Width(), frameRect.Height() - 40,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect after = WindowRect(&Strip());
    ASSERT_EQ(after.Height(), before.Height() - 40);
    const int width = after.Width(), height = after.Height();
    frame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const int inner = Strip().m_nBorder / 2;
    const POINT band[] = {{width / 2, inner},
                          {width / 2, height - 1 - inner},
                          {inner, height / 2},
                          {width - 1 - inner, height / 2}};
    dc = ::GetWindowDC(Strip().m_hWnd);
    for (const POINT& p : band)
        EXPECT_EQ(::GetPixel(dc, p.x, p.y), face) << "border band at " << p.x << "," << p.y;
    ::ReleaseDC(Strip().m_hWnd, dc);
    EXPECT_TRUE(SaveScreenPng(frame, "docking_tab_strip_shrunk"));
}
