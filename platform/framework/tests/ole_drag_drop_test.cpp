// Drag and drop between windows: text and files dragged from a data source reach a registered
// target's OnDrop (through the default OnDropEx), Esc cancels with a leave and no drop, and files
// dropped from another program arrive as paths.

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/shell/drop.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <cstring>
#include <string>
#include <vector>

namespace {

class CRecordingTarget : public COleDropTarget {
public:
    std::vector<std::string> events;
    CString text;
    std::vector<CString> files;
    CPoint dropPoint;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override {
        events.push_back("enter");
        return DROPEFFECT_COPY;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override {
        if (events.empty() || events.back() != "over") events.push_back("over");
        return DROPEFFECT_COPY;
    }
    void OnDragLeave(CWnd*) override { events.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint point) override {
        events.push_back("drop");
        if (HGLOBAL block = pDataObject->GetGlobalData(CF_TEXT)) {
            text = static_cast<const char*>(::GlobalLock(block));
            ::GlobalUnlock(block);
            ::GlobalFree(block);
        }
        files = pDataObject->GetFiles();
        dropPoint = point;
        return TRUE;
    }
};

// Starts a drag of its data on a press.
class CSourceWnd : public CWnd {
public:
    CString text;
    std::vector<CString> files;
    DROPEFFECT result = 12345;
    CRect startRect{0, 0, 0, 0}; // screen coordinates; empty: the drag begins at once

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) {
        COleDataSource source;
        if (!text.IsEmpty()) {
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.GetLength() + 1));
            std::memcpy(::GlobalLock(block), static_cast<LPCSTR>(text),
                        static_cast<size_t>(text.GetLength() + 1));
            ::GlobalUnlock(block);
            source.CacheGlobalData(CF_TEXT, block);
        }
        if (!files.empty()) source.CacheFiles(files);
        result = source.DoDragDrop(DROPEFFECT_COPY, startRect.IsRectEmpty() ? nullptr : &startRect);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSourceWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class OleDragDrop : public ::testing::Test {
protected:
    void SetUp() override {
        pm::afx::registerStandardClasses();
        ASSERT_TRUE(
            parent.CreateEx(0, AFX_WND, "Drag", WS_POPUP | WS_VISIBLE, 150, 150, 400, 200, nullptr, nullptr));
        ASSERT_TRUE(
            source.Create(AFX_WND, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 200), &parent, 1));
        ASSERT_TRUE(
            targetWnd.Create(AFX_WND, nullptr, WS_CHILD | WS_VISIBLE, CRect(250, 0, 400, 200), &parent, 2));
        ASSERT_TRUE(target.Register(&targetWnd));
        pm::afxtest::pump();
    }
    void TearDown() override {
        parent.DestroyWindow();
        pm::afxtest::pump();
    }
    void drag(bool escape = false) {
        pm::test::pressMouse(parent.m_hWnd, CPoint(50, 50));
        pm::test::moveMouse(parent.m_hWnd, CPoint(200, 60));
        pm::test::moveMouse(parent.m_hWnd, CPoint(300, 80));
        pm::test::moveMouse(parent.m_hWnd, CPoint(320, 90));
        if (escape) pm::test::pressKey(parent.m_hWnd, VK_ESCAPE);
        pm::test::releaseMouse(parent.m_hWnd, CPoint(320, 90));
        pm::afxtest::pump();
    }
    CWnd parent;
    CSourceWnd source;
    CWnd targetWnd;
    CRecordingTarget target;
};

} // namespace

TEST_F(OleDragDrop, DraggedTextReachesOnDropOfTheRegisteredTarget) {
    source.text = "dropped text";
    drag();
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(target.text, CString("dropped text"));
    EXPECT_EQ(target.dropPoint, CPoint(70, 90)) << "in the target's client coordinates";
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(OleDragDrop, EscCancelsTheDragWithALeaveAndNoDrop) {
    source.text = "never dropped";
    drag(true);
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over", "leave"}));
    EXPECT_TRUE(target.text.IsEmpty());
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_NONE));
}

TEST_F(OleDragDrop, AListOfFilesArrivesAsPathsFromHereAndFromAnotherProgram) {
    source.files = {CString("/tmp/one.txt"), CString("/tmp/two words.html")};
    drag();
    ASSERT_EQ(target.files.size(), 2u);
    EXPECT_EQ(target.files[1], CString("/tmp/two words.html"));

    // Another program's drop of local files comes as WM_DROPFILES to the registered window.
    target.events.clear();
    target.files.clear();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/a.js"), QUrl::fromLocalFile("/tmp/b.css")});
    QDropEvent drop(QPointF(300, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    ASSERT_TRUE(pm::postFileDrop(parent.m_hWnd, &drop));
    pm::afxtest::pump();
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over", "drop"}));
    ASSERT_EQ(target.files.size(), 2u);
    EXPECT_EQ(target.files[0], CString("/tmp/a.js"));
    EXPECT_EQ(target.dropPoint, CPoint(50, 50));
}

TEST_F(OleDragDrop, ADefaultTargetTakesNothingAndARevokedWindowGetsNoCallbacks) {
    target.Revoke();
    COleDropTarget plain;
    ASSERT_TRUE(plain.Register(&targetWnd));
    source.text = "refused";
    drag();
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_TRUE(target.events.empty());
    EXPECT_FALSE(plain.Register(&targetWnd)) << "registered once";
}

TEST_F(OleDragDrop, FromAStartRectangleTheDragBeginsOnlyOnceThePointerLeavesIt) {
    source.text = "moved out";
    CPoint press(50, 50);
    parent.ClientToScreen(&press);
    source.startRect = CRect(press.x - 10, press.y - 10, press.x + 10, press.y + 10);
    // Released inside it: a click, not a drag.
    pm::test::pressMouse(parent.m_hWnd, CPoint(50, 50));
    pm::test::moveMouse(parent.m_hWnd, CPoint(55, 52));
    pm::test::releaseMouse(parent.m_hWnd, CPoint(55, 52));
    pm::afxtest::pump();
    EXPECT_TRUE(target.events.empty());
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(::GetCapture(), nullptr);

    drag();
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(target.text, CString("moved out"));
    EXPECT_EQ(::GetCapture(), nullptr);

    // The move that leaves the rectangle is the drag's first: released where it went, it drops.
    target.events.clear();
    target.text.Empty();
    pm::test::pressMouse(parent.m_hWnd, CPoint(50, 50));
    pm::test::moveMouse(parent.m_hWnd, CPoint(320, 90));
    pm::test::releaseMouse(parent.m_hWnd, CPoint(320, 90));
    pm::afxtest::pump();
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(target.text, CString("moved out"));
}
