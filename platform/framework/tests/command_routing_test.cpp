// Command routing through an MDI program: the active view, its document, the document template,
// the child frame and the application, then the main frame; update requests take the same road;
// a handler that takes the command ends the walk; a popup menu's items follow their update handlers.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT ID_TRACE = 0x8100;
const UINT ID_TAKEN_BY_DOC = 0x8101;
const UINT ID_WHICH_CHILD = 0x8102;
const UINT IDR_TRACE = 310;
std::vector<std::string> trace;

#define TRACE_TARGET(name)                                                                                   \
    afx_msg BOOL OnTrace(UINT) {                                                                             \
        trace.push_back(name);                                                                               \
        return FALSE;                                                                                        \
    }                                                                                                        \
    afx_msg void OnUpdateTrace(CCmdUI* pCmdUI) {                                                             \
        trace.push_back(std::string(name) + "?");                                                            \
        pCmdUI->ContinueRouting();                                                                           \
    }

class CTraceDoc : public CDocument {
    DECLARE_DYNCREATE(CTraceDoc)
public:
    TRACE_TARGET("document")
    afx_msg void OnTaken() { trace.push_back("document takes it"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTraceDoc, CDocument)
BEGIN_MESSAGE_MAP(CTraceDoc, CDocument)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
    ON_COMMAND(ID_TAKEN_BY_DOC, OnTaken)
END_MESSAGE_MAP()

class CTraceView : public CView {
    DECLARE_DYNCREATE(CTraceView)
public:
    TRACE_TARGET("view")
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTraceView, CView)
BEGIN_MESSAGE_MAP(CTraceView, CView)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
END_MESSAGE_MAP()

class CTraceChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTraceChild)
public:
    TRACE_TARGET("child frame")
    static CTraceChild* s_pLastTaker;
    static int s_nActivations;
    afx_msg void OnWhichChild() { s_pLastTaker = this; }
    void MDIActivate() override {
        ++s_nActivations;
        CMDIChildWnd::MDIActivate();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTraceChild, CMDIChildWnd)
CTraceChild* CTraceChild::s_pLastTaker = nullptr;
int CTraceChild::s_nActivations = 0;
BEGIN_MESSAGE_MAP(CTraceChild, CMDIChildWnd)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
    ON_COMMAND(ID_WHICH_CHILD, OnWhichChild)
END_MESSAGE_MAP()

class CTraceTemplate : public CMultiDocTemplate {
public:
    CTraceTemplate()
        : CMultiDocTemplate(IDR_TRACE, RUNTIME_CLASS(CTraceDoc), RUNTIME_CLASS(CTraceChild),
                            RUNTIME_CLASS(CTraceView)) {}
    TRACE_TARGET("template")
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTraceTemplate, CMultiDocTemplate)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
END_MESSAGE_MAP()

class CTraceMain : public CMDIFrameWnd {
public:
    TRACE_TARGET("main frame")
    // A child the frame takes as its active one, whatever the client's is.
    CMDIChildWnd* m_pOwnActive = nullptr;
    CMDIChildWnd* GetActiveChildFrame(BOOL* pbMaximized) const override {
        if (!m_pOwnActive) return CMDIFrameWnd::GetActiveChildFrame(pbMaximized);
        if (pbMaximized) *pbMaximized = FALSE;
        return m_pOwnActive;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTraceMain, CMDIFrameWnd)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
END_MESSAGE_MAP()

class CTraceApp : public CWinApp {
public:
    TRACE_TARGET("application")
    BOOL InitInstance() override {
        pm::res::addMenu(IDR_TRACE, {{{"&Window", 0, MF_POPUP, {{"&Cascade", ID_WINDOW_CASCADE, 0, {}}}}}});
        AddDocTemplate(new CTraceTemplate);
        auto* pMain = new CTraceMain;
        if (!pMain->LoadFrame(IDR_TRACE)) return FALSE;
        m_pMainWnd = pMain;
        pMain->ShowWindow(SW_SHOW);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTraceApp, CWinApp)
    ON_COMMAND_EX(ID_TRACE, OnTrace)
    ON_UPDATE_COMMAND_UI(ID_TRACE, OnUpdateTrace)
END_MESSAGE_MAP()

class CommandRouting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitApplication());
        ASSERT_TRUE(app.InitInstance());
        main = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
        POSITION pos = app.GetFirstDocTemplatePosition();
        ASSERT_NE(app.GetNextDocTemplate(pos)->OpenDocumentFile(nullptr), nullptr);
        pm::afxtest::pump();
        trace.clear();
    }
    void TearDown() override {
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        pm::afxtest::pump();
    }
    CTraceApp app;
    CMDIFrameWnd* main = nullptr;
};

} // namespace

TEST_F(CommandRouting, ViewDocumentTemplateFrameApplicationThenTheMainFrame) {
    ASSERT_NE(main->MDIGetActive(), nullptr);
    EXPECT_FALSE(main->OnCmdMsg(ID_TRACE, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(trace, (std::vector<std::string>{"view", "document", "template", "child frame", "application",
                                               "main frame", "application"}));
}

TEST_F(CommandRouting, UpdateRequestsTakeTheSameRoad) {
    CCmdUI state;
    state.m_nID = ID_TRACE;
    EXPECT_FALSE(state.DoUpdate(main, FALSE));
    EXPECT_EQ(trace, (std::vector<std::string>{"view?", "document?", "template?", "child frame?",
                                               "application?", "main frame?", "application?"}));
}

TEST_F(CommandRouting, AHandlerThatTakesTheCommandEndsTheWalk) {
    ::SendMessage(main->m_hWnd, WM_COMMAND, ID_TAKEN_BY_DOC, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"document takes it"}));
}

TEST_F(CommandRouting, WithoutAChildTheMainFrameComesFirst) {
    main->MDIGetActive()->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    ASSERT_EQ(main->MDIGetActive(), nullptr);
    trace.clear();
    main->OnCmdMsg(ID_TRACE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(trace, (std::vector<std::string>{"main frame", "application"}));
}

namespace {

const UINT ID_DISABLED_BY_HANDLER = 0x8110;
const UINT ID_COMMAND_ONLY = 0x8111;
const UINT ID_NO_HANDLER = 0x8112;
const UINT ID_CHECKED_IN_SUBMENU = 0x8113;

class CMenuTarget : public CCmdTarget {
public:
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnCommandOnly() {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_BY_HANDLER, OnUpdateDisabled)
    ON_COMMAND(ID_COMMAND_ONLY, OnCommandOnly)
    ON_UPDATE_COMMAND_UI(ID_CHECKED_IN_SUBMENU, OnUpdateChecked)
END_MESSAGE_MAP()

} // namespace

TEST(MenuUpdate, PopupItemsAndSubMenusFollowTheTargetsHandlers) {
    CMenu popup, sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, ID_CHECKED_IN_SUBMENU, "Checked");
    popup.AppendMenu(MF_STRING, ID_DISABLED_BY_HANDLER, "Disabled");
    popup.AppendMenu(MF_STRING, ID_COMMAND_ONLY, "Command");
    popup.AppendMenu(MF_STRING, ID_NO_HANDLER, "Nothing");
    popup.AppendMenu(MF_STRING, SC_CLOSE, "System");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "Sub");
    CMenuTarget target;
    pm::afx::updateMenuItems(&popup, &target);
    const auto state = [&](HMENU menu, UINT id) { return ::GetMenuState(menu, id, MF_BYCOMMAND); };
    EXPECT_TRUE(state(popup, ID_DISABLED_BY_HANDLER) & MF_GRAYED);
    EXPECT_FALSE(state(popup, ID_COMMAND_ONLY) & MF_GRAYED);
    EXPECT_TRUE(state(popup, ID_NO_HANDLER) & MF_GRAYED);
    EXPECT_FALSE(state(popup, SC_CLOSE) & MF_GRAYED) << "system commands keep their state";
    EXPECT_TRUE(state(::GetSubMenu(popup, 4), ID_CHECKED_IN_SUBMENU) & MF_CHECKED);
}

TEST_F(CommandRouting, AFrameWithAnActiveChildOfItsOwnRoutesThroughThatChild) {
    POSITION pos = app.GetFirstDocTemplatePosition();
    CTraceChild::s_nActivations = 0;
    ASSERT_NE(app.GetNextDocTemplate(pos)->OpenDocumentFile(nullptr), nullptr);
    pm::afxtest::pump();
    EXPECT_GT(CTraceChild::s_nActivations, 0) << "a new child is made active through its own MDIActivate";
    CMDIChildWnd* clientActive = main->MDIGetActive();
    auto* other =
        static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(::GetWindow(clientActive->m_hWnd, GW_HWNDNEXT)));
    ASSERT_NE(other, nullptr);
    static_cast<CTraceMain*>(main)->m_pOwnActive = other;
    EXPECT_EQ(main->MDIGetActive(), clientActive) << "the client's active child is the client's";
    EXPECT_EQ(main->GetActiveFrame(), other);
    main->SendMessage(WM_COMMAND, ID_WHICH_CHILD, 0);
    EXPECT_EQ(CTraceChild::s_pLastTaker, other);
    EXPECT_TRUE(main->OnCmdMsg(ID_WHICH_CHILD, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(CTraceChild::s_pLastTaker, other);
    static_cast<CTraceMain*>(main)->m_pOwnActive = nullptr;
    main->SendMessage(WM_COMMAND, ID_WHICH_CHILD, 0);
    EXPECT_EQ(CTraceChild::s_pLastTaker, clientActive);
}
