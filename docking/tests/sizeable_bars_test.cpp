// Sizeable bars in the docking test program: their frame and buttons, the drag that docks and
// floats them, the splitters between them, hiding and showing, and pictures of it all.

#include "docking/CDKDockContext.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "docking/SizeBarGeometry.h"
#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

class SizeableBars : public ::testing::Test {
protected:
    void SetUp() override {
        StartProgram(app);
        frame = app.Frame();
    }
    void TearDown() override { EndProgram(app); }
    CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame->GetControlBar(id)); }
    CFixtureApp app;
    CFixtureFrame* frame = nullptr;
};

} // namespace

TEST_F(SizeableBars, StartingLayoutPicture) {
    EXPECT_EQ(frame->m_wndInformation.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(frame->m_wndOutput.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(SaveScreenPng(frame, "docking_start"));
}
