// The drag-and-drop forwarders: callbacks become messages with a parameter block; a window that
// handles none of them refuses drags and drops and gets the defaults of a drag source.

#include "docking/CDKDropSourceHelper.h"
#include "docking/CDKDropTargetHelper.h"
#include "platform/framework/COleDataSource.h"
#include "platform/framework/afxwin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A window that answers the forwarders' messages it is told to, and records the blocks.
class CDropWnd : public CWnd {
public:
    bool handle = false;
    INT_PTR answer = 0;
    std::vector<std::pair<UINT, std::vector<INT_PTR>>> seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const bool target = message >= WM_DKDROP_DRAGENTER && message <= WM_DKDROP_DROPEX;
        const bool source = message >= WM_DKDROP_GIVEFEEDBACK && message <= WM_DKDROP_QUERYCONTINUE;
        if (!target && !source) return CWnd::WindowProc(message, wParam, lParam);
        auto* words = reinterpret_cast<INT_PTR*>(lParam);
        const size_t count = target ? 8 : 5;
        seen.push_back({message, std::vector<INT_PTR>(words, words + count)});
        if (!handle) return 0;
        words[count - 1] = answer;
        return 1;
    }
};

class DropForwarders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            wnd.CreateEx(0, AfxRegisterWndClass(0), "drop", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
        target.m_pServed = &wnd;
    }
    void TearDown() override { wnd.DestroyWindow(); }
    CDropWnd wnd;
    CDKDropTargetHelper target;
};

} // namespace

TEST_F(DropForwarders, AWindowThatHandlesNothingRefusesDragsAndDrops) {
    COleDataObject data;
    EXPECT_EQ(target.OnDragEnter(&wnd, &data, MK_LBUTTON, CPoint(3, 4)), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragOver(&wnd, &data, MK_LBUTTON, CPoint(3, 4)), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragScroll(&wnd, 0, CPoint(3, 4)), DROPEFFECT_NONE);
    // The drop: the extended drop defers to the plain one, which is refused too.
    EXPECT_EQ(target.Drop(&data, DROPEFFECT_COPY, DROPEFFECT_COPY | DROPEFFECT_MOVE, CPoint(3, 4)),
              DROPEFFECT_NONE);
    ASSERT_GE(wnd.seen.size(), 5u);
    EXPECT_EQ(wnd.seen[3].first, static_cast<UINT>(WM_DKDROP_DROPEX));
    EXPECT_EQ(wnd.seen[4].first, static_cast<UINT>(WM_DKDROP_DROP));

    CDKDropSourceHelper source(&wnd);
    EXPECT_EQ(source.QueryContinueDrag(TRUE, 0), DRAGDROP_S_CANCEL);
    // A drag source's own start: the button released before the pointer left the start rectangle.
    source.m_rectStartDrag = CRect(0, 0, 10, 10);
    wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(source.OnBeginDrag(&wnd));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DropForwarders, TheServedWindowSaysWhetherADragBegins) {
    // A drag started from a start rectangle asks the window first; answered FALSE, nothing is dragged.
    CDKDropSourceHelper source(&wnd);
    wnd.handle = true;
    for (BOOL begin : {FALSE, TRUE}) {
        wnd.answer = begin;
        wnd.seen.clear();
        wnd.ShowWindow(SW_SHOWNA);
        ::SetCursorPos(20, 20);
        const CRect start(10, 10, 30, 30);
        COleDataSource data;
        // Begun, the drag ends at the release that follows.
        wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
        EXPECT_EQ(data.DoDragDrop(DROPEFFECT_COPY, &start, &source),
                  static_cast<DROPEFFECT>(DROPEFFECT_NONE));
        ASSERT_FALSE(wnd.seen.empty());
        EXPECT_EQ(wnd.seen.front().first, static_cast<UINT>(WM_DKDROP_BEGINDRAG));
        EXPECT_EQ(wnd.seen.front().second[0], reinterpret_cast<INT_PTR>(&wnd));
        // Only a drag that began asks how to go on.
        EXPECT_EQ(wnd.seen.back().first,
                  static_cast<UINT>(begin ? WM_DKDROP_QUERYCONTINUE : WM_DKDROP_BEGINDRAG));
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(DropForwarders, AHandlerSeesTheBlockAndAnswersInItsLastWord) {
    COleDataObject data;
    wnd.handle = true;
    wnd.answer = DROPEFFECT_MOVE;
    EXPECT_EQ(target.OnDragOver(&wnd, &data, MK_CONTROL, CPoint(7, 9)),
              static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    const std::vector<INT_PTR>& over = wnd.seen.back().second;
    EXPECT_EQ(over[0], reinterpret_cast<INT_PTR>(&wnd));
    EXPECT_EQ(over[1], reinterpret_cast<INT_PTR>(&data));
    EXPECT_EQ(over[2], MK_CONTROL);
    EXPECT_EQ(over[3], 7);
    EXPECT_EQ(over[4], 9);

    EXPECT_EQ(target.OnDropEx(&wnd, &data, DROPEFFECT_COPY, DROPEFFECT_COPY | DROPEFFECT_LINK, CPoint(1, 2)),
              static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    const std::vector<INT_PTR>& dropEx = wnd.seen.back().second;
    EXPECT_EQ(dropEx[2], 0); // word 2 stays 0
    EXPECT_EQ(dropEx[5], DROPEFFECT_COPY);
    EXPECT_EQ(dropEx[6], DROPEFFECT_COPY | DROPEFFECT_LINK);

    CDKDropSourceHelper source(&wnd);
    wnd.answer = DRAGDROP_S_DROP;
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON), DRAGDROP_S_DROP);
    const std::vector<INT_PTR>& query = wnd.seen.back().second;
    EXPECT_EQ(query[1], MK_LBUTTON);
    EXPECT_EQ(query[2], 0);
}
