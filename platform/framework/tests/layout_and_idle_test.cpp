// Laying out control bars (RepositionBars), the application's run loop with its idle counts, and
// tool tips from OnToolHitTest.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A bar that takes `size` pixels from one side of the layout rectangle.
class CSideBar : public CWnd {
public:
    CSideBar(bool top, int size) : m_top(top), m_size(size) {}
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rc = layout->rect;
        if (m_top) {
            rc.bottom = rc.top + m_size;
            layout->rect.top += m_size;
        } else {
            rc.right = rc.left + m_size;
            layout->rect.left += m_size;
        }
        if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rc);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_top;
    int m_size;
};

BEGIN_MESSAGE_MAP(CSideBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// The window that gets what the bars leave; it keeps a one-pixel margin inside that space.
class CPane : public CWnd {
public:
    void CalcWindowRect(LPRECT lpClientRect, UINT) override { ::InflateRect(lpClientRect, -1, -1); }
};

CRect childRect(CWnd& child) {
    CRect rc;
    child.GetWindowRect(&rc);
    child.GetParent()->ScreenToClient(&rc);
    return rc;
}

} // namespace

TEST(Layout, BarsInZOrderThenTheLeftOverWindow) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, AFX_WND, "layout", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    CSideBar top(true, 20), left(false, 30);
    CPane pane;
    ASSERT_TRUE(
        top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(left.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent,
                            AFX_IDW_TOOLBAR + 1));
    ASSERT_TRUE(
        pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_PANE_FIRST));

    CRect query;
    parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposQuery, &query);
    EXPECT_EQ(query, CRect(30, 20, 200, 100));
    EXPECT_EQ(childRect(pane), CRect(0, 0, 1, 1)) << "a query moves nothing";

    parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(childRect(top), CRect(0, 0, 200, 20)) << "the first bar in Z order takes the whole top";
    EXPECT_EQ(childRect(left), CRect(0, 20, 30, 100));
    EXPECT_EQ(childRect(pane), CRect(31, 21, 199, 99));

    CRect border(5, 0, 5, 10);
    parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposExtra, &border);
    EXPECT_EQ(childRect(pane), CRect(36, 21, 194, 89));
    parent.DestroyWindow();
}

namespace {

class CIdleApp : public CWinApp {
public:
    std::vector<LONG> counts;
    BOOL OnIdle(LONG lCount) override {
        counts.push_back(lCount);
        if (counts.size() == 2) ::PostThreadMessage(::GetCurrentThreadId(), WM_USER, 0, 0);
        if (counts.size() == 4) ::PostQuitMessage(3);
        return CWinApp::OnIdle(lCount);
    }
};

} // namespace

TEST(RunLoop, IdleCountsRestartAfterEachMessageAndQuitEndsTheLoop) {
    CIdleApp app;
    EXPECT_EQ(app.Run(), 3);
    EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1, 0, 1}));
}

namespace {

const UINT kTipButton = 0x8200;

class CTipWnd : public CFrameWnd {
public:
    CString m_lastTip;
    afx_msg BOOL OnNeedText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
        BOOL handled = CFrameWnd::OnToolTipText(nID, pNMHDR, pResult);
        m_lastTip = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->lpszText;
        return handled;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipWnd, CFrameWnd)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedText)
END_MESSAGE_MAP()

} // namespace

TEST(ToolTips, TheControlUnderTheMouseBecomesTheToolWithItsCommandsTip) {
    pm::res::addStrings({{kTipButton, "Does the thing\nThe Thing"}});
    auto* frame = new CTipWnd;
    ASSERT_TRUE(frame->Create(nullptr, "tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    HWND button =
        ::CreateWindowEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, frame->m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTipButton)), nullptr, nullptr);
    ASSERT_TRUE(frame->EnableToolTips());
    HWND tip = frame->GetToolTip();
    ASSERT_NE(tip, nullptr);

    POINT pt{20, 20};
    ::ClientToScreen(frame->m_hWnd, &pt);
    MSG msg{button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, pt};
    frame->PreTranslateMessage(&msg);
    EXPECT_EQ(::SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    NMTTDISPINFOA info{};
    info.hdr = NMHDR{tip, reinterpret_cast<UINT_PTR>(button), TTN_NEEDTEXT};
    info.uFlags = TTF_IDISHWND;
    frame->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::string(frame->m_lastTip), "The Thing");

    POINT away{250, 150};
    ::ClientToScreen(frame->m_hWnd, &away);
    MSG out{frame->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(250, 150), 0, away};
    frame->PreTranslateMessage(&out);
    EXPECT_EQ(::SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 0) << "off the control there is no tool";
    frame->DestroyWindow();
}
