// Message maps: every kind of entry, chaining to base maps, reflection with the result passed back,
// Default() from the message being handled, and the handle maps.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> trace;

UINT registeredMessage() {
    static const UINT message = ::RegisterWindowMessage("afxtest-registered");
    return message;
}
UINT theRegisteredMessage = registeredMessage();
UINT runtimeCommand = 0;

LRESULT CALLBACK recordingSuper(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER && msg < WM_USER + 100) trace.push_back("super:" + std::to_string(msg - WM_USER));
    return ::DefWindowProc(hwnd, msg, wParam, lParam);
}

const char* superClass() {
    static const char* name = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &recordingSuper;
        wc.lpszClassName = "AfxTestSuper";
        ::RegisterClass(&wc);
        return "AfxTestSuper";
    }();
    return name;
}

class CBaseWnd : public CWnd {
public:
    afx_msg void OnBaseCommand() { trace.push_back("base:100"); }
    afx_msg void OnBaseDeclined() { trace.push_back("base:102"); }
    afx_msg LRESULT OnUser1(WPARAM wParam, LPARAM) {
        trace.push_back("base:user1");
        return static_cast<LRESULT>(wParam) + 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_COMMAND(100, OnBaseCommand)
    ON_COMMAND(102, OnBaseDeclined)
    ON_MESSAGE(WM_USER + 1, OnUser1)
END_MESSAGE_MAP()

class CTestWnd : public CBaseWnd {
public:
    afx_msg void On101() { trace.push_back("101"); }
    afx_msg BOOL OnDecline(UINT nID) {
        trace.push_back("decline:" + std::to_string(nID));
        return FALSE;
    }
    afx_msg void OnRange(UINT nID) { trace.push_back("range:" + std::to_string(nID)); }
    afx_msg void OnRuntime() { trace.push_back("runtime"); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) {
        trace.push_back("registered");
        return static_cast<LRESULT>(wParam) * 2;
    }
    afx_msg void OnSize(UINT, int cx, int cy) {
        trace.push_back("size:" + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg void OnClick300(NMHDR*, LRESULT* pResult) {
        trace.push_back("click:300");
        *pResult = 7;
    }
    afx_msg void OnDblClickRange(UINT nID, NMHDR*, LRESULT*) {
        trace.push_back("dblclk:" + std::to_string(nID));
    }
    afx_msg BOOL OnRClickEx(UINT nID, NMHDR*, LRESULT* pResult) {
        trace.push_back("rclick:" + std::to_string(nID));
        *pResult = 9;
        return TRUE;
    }
    afx_msg void OnEditChange() { trace.push_back("change:400"); }
    afx_msg LRESULT OnNested(WPARAM, LPARAM) {
        // A nested message to another framework window in between: Default() still sends on ours.
        if (m_pOther) m_pOther->SendMessage(WM_USER + 20);
        trace.push_back("nested");
        return Default();
    }
    afx_msg LRESULT OnSavedState(WPARAM, LPARAM) {
        // What a hook does: keeps the message being handled, lets other code change it, restores it.
        MSG saved = AfxGetThreadState()->m_lastSentMsg;
        AfxGetThreadState()->m_lastSentMsg.message = WM_USER + 99;
        AfxGetThreadState()->m_lastSentMsg = saved;
        return Default();
    }
    afx_msg void OnUpdate101(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->SetCheck(pCmdUI->m_nID == 203); }
    CWnd* m_pOther = nullptr;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseWnd)
    ON_COMMAND(101, On101)
    ON_COMMAND_EX(102, OnDecline)
    ON_COMMAND_RANGE(200, 209, OnRange)
    ON_COMMAND_RUNTIME(runtimeCommand, OnRuntime)
    ON_REGISTERED_MESSAGE(theRegisteredMessage, OnRegistered)
    ON_WM_SIZE()
    ON_NOTIFY(NM_CLICK, 300, OnClick300)
    ON_NOTIFY_RANGE(NM_DBLCLK, 300, 310, OnDblClickRange)
    ON_NOTIFY_EX(NM_RCLICK, 300, OnRClickEx)
    ON_CONTROL(EN_CHANGE, 400, OnEditChange)
    ON_MESSAGE(WM_USER + 5, OnNested)
    ON_MESSAGE(WM_USER + 6, OnSavedState)
    ON_UPDATE_COMMAND_UI(101, OnUpdate101)
    ON_UPDATE_COMMAND_UI_RANGE(200, 209, OnUpdateRange)
END_MESSAGE_MAP()

// A control that handles its own notifications, reflected from its parent.
class CReflectingCtl : public CWnd {
public:
    afx_msg void OnCustomDraw(NMHDR*, LRESULT* pResult) {
        trace.push_back("ctl:customdraw");
        *pResult = CDRF_NOTIFYITEMDRAW;
    }
    afx_msg BOOL OnClickEx(NMHDR*, LRESULT*) {
        trace.push_back("ctl:click");
        return FALSE; // the parent handles it too
    }
    afx_msg void OnClicked() { trace.push_back("ctl:clicked"); }
    afx_msg BOOL OnChange() {
        trace.push_back("ctl:change");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingCtl, CWnd)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClickEx)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

class MessageMaps : public ::testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        ASSERT_TRUE(
            wnd.CreateEx(0, superClass(), "maps", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(ctl.Create(nullptr, "ctl", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &wnd, 300));
        trace.clear();
    }
    void TearDown() override {
        ctl.DestroyWindow();
        wnd.DestroyWindow();
        pm::afxtest::pump();
    }
    LRESULT command(UINT id, UINT code = 0, HWND control = nullptr) {
        return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    }
    LRESULT notify(UINT code, UINT id, HWND from) {
        NMHDR nm{from, id, code};
        return wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
    }
    CTestWnd wnd;
    CReflectingCtl ctl;
};

} // namespace

TEST_F(MessageMaps, CommandEntriesOfEveryKind) {
    struct Case {
        const char* name;
        UINT id;
        std::vector<std::string> expected;
    };
    runtimeCommand = 250;
    const Case cases[] = {
        {"own entry", 101, {"101"}},
        {"base entry", 100, {"base:100"}},
        {"declining _EX goes on to the base", 102, {"decline:102", "base:102"}},
        {"range, first", 200, {"range:200"}},
        {"range, last", 209, {"range:209"}},
        {"outside the range", 210, {}},
        {"id known at run time", 250, {"runtime"}},
    };
    // The update handler disables 101 for menus and accelerators, so it comes from a control.
    HWND control = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 30, 10, 10, wnd.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(101)), nullptr, nullptr);
    for (const Case& c : cases) {
        trace.clear();
        command(c.id, 0, c.id == 101 ? control : nullptr);
        EXPECT_EQ(trace, c.expected) << c.name;
    }
    runtimeCommand = 251;
    trace.clear();
    command(250);
    EXPECT_TRUE(trace.empty()) << "the run-time entry follows its variable";
    command(252);
    EXPECT_TRUE(trace.empty());
    runtimeCommand = 252;
    command(252);
    EXPECT_EQ(trace, (std::vector<std::string>{"runtime"}))
        << "an id routed to nothing before its variable named it";
    ::DestroyWindow(control);
}

TEST_F(MessageMaps, DisabledMenuCommandsAreNotRouted) {
    command(101);
    EXPECT_TRUE(trace.empty());
}

TEST_F(MessageMaps, WindowMessagesRegisteredMessagesAndBaseEntries) {
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 41), 42);
    EXPECT_EQ(wnd.SendMessage(theRegisteredMessage, 21), 42);
    wnd.SetWindowPos(nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(trace, (std::vector<std::string>{"base:user1", "registered", "size:120x80"}));
    trace.clear();
    wnd.SendMessage(WM_USER + 2);
    wnd.SendMessage(WM_USER + 2);
    EXPECT_EQ(trace, (std::vector<std::string>{"super:2", "super:2"}))
        << "unhandled messages reach the previous procedure, each time";
}

TEST_F(MessageMaps, NotificationsWithTheirResults) {
    HWND other = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 30, 10, 10, wnd.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(305)), nullptr, nullptr);
    HWND edit = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 50, 10, 10, wnd.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(400)), nullptr, nullptr);
    EXPECT_EQ(notify(NM_DBLCLK, 305, other), 0);
    command(400, EN_CHANGE, edit);
    EXPECT_EQ(trace, (std::vector<std::string>{"dblclk:305", "change:400"}));
    ::DestroyWindow(other);
    ::DestroyWindow(edit);
}

TEST_F(MessageMaps, ReflectionGivesTheControlsResultToTheSender) {
    EXPECT_EQ(notify(NM_CUSTOMDRAW, 300, ctl.m_hWnd), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(trace, (std::vector<std::string>{"ctl:customdraw"}));
    trace.clear();
    EXPECT_EQ(notify(NM_CLICK, 300, ctl.m_hWnd), 7) << "a declining reflected handler lets the parent answer";
    EXPECT_EQ(trace, (std::vector<std::string>{"ctl:click", "click:300"}));
    trace.clear();
    EXPECT_EQ(notify(NM_RCLICK, 300, ctl.m_hWnd), 9);
    EXPECT_EQ(trace, (std::vector<std::string>{"rclick:300"}));
    trace.clear();
    EXPECT_EQ(command(300, BN_CLICKED, ctl.m_hWnd), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"ctl:clicked"})) << "the parent's own entry is not reached";
}

TEST_F(MessageMaps, DefaultSendsOnTheMessageBeingHandled) {
    CTestWnd other;
    ASSERT_TRUE(other.CreateEx(0, superClass(), "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.m_pOther = &other;
    trace.clear();
    wnd.SendMessage(WM_USER + 5);
    EXPECT_EQ(trace, (std::vector<std::string>{"super:20", "nested", "super:5"}));
    trace.clear();
    wnd.SendMessage(WM_USER + 6);
    EXPECT_EQ(trace, (std::vector<std::string>{"super:6"}));
    other.DestroyWindow();
}

TEST_F(MessageMaps, UpdateHandlersAndContinueRouting) {
    CCmdUI state;
    CWnd button;
    state.m_pOther = &button;
    state.m_nID = 203;
    EXPECT_TRUE(state.DoUpdate(&wnd, TRUE));
    state.m_nID = 777;
    EXPECT_FALSE(state.DoUpdate(&wnd, FALSE)) << "no handler";
    state.m_pOther = nullptr;
}

TEST(HandleMaps, TemporaryObjectsGoAtIdlePermanentOnesStay) {
    HWND raw =
        ::CreateWindowEx(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::size_t before = pm::afx::temporaryWindowCount();
    CWnd* temp = CWnd::FromHandle(raw);
    EXPECT_EQ(CWnd::FromHandle(raw), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(pm::afx::temporaryWindowCount(), before + 1);

    CWnd permanent;
    HWND other =
        ::CreateWindowEx(0, "STATIC", "perm", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(permanent.Attach(other));
    pm::afxtest::runIdle();
    EXPECT_EQ(pm::afx::temporaryWindowCount(), 0u);
    EXPECT_EQ(CWnd::FromHandle(other), &permanent);
    EXPECT_TRUE(::IsWindow(raw)) << "deleting a temporary object leaves its window";
    EXPECT_EQ(permanent.Detach(), other);
    EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
    ::DestroyWindow(raw);
    ::DestroyWindow(other);
}

TEST(HandleMaps, SubclassedDialogItemGetsItsReflectedNotifications) {
    CTestWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, superClass(), "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    HWND button =
        ::CreateWindowEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20, parent.m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(500)), nullptr, nullptr);
    auto original = ::GetWindowLongPtr(button, GWLP_WNDPROC);
    CReflectingCtl item;
    ASSERT_TRUE(item.SubclassDlgItem(500, &parent));
    EXPECT_EQ(CWnd::FromHandlePermanent(button), &item);
    trace.clear();
    item.SendMessage(BM_CLICK);
    pm::afxtest::pump();
    EXPECT_EQ(trace, (std::vector<std::string>{"ctl:clicked"}));
    EXPECT_EQ(item.UnsubclassWindow(), button);
    EXPECT_EQ(::GetWindowLongPtr(button, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    parent.DestroyWindow();
}

TEST(HandleMaps, DestroyingTheWindowDetachesItsObject) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AFX_WND, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(MessageMaps, UpdateDialogControlsRunsTheHandlersOfChildControls) {
    auto button = [this](int id, DWORD style) {
        return ::CreateWindowEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | style, 0, 0, 40, 20, wnd.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    HWND disabledByHandler = button(101, BS_PUSHBUTTON);
    HWND withoutHandler = button(555, BS_PUSHBUTTON);
    HWND checkWithoutHandler = button(556, BS_AUTOCHECKBOX);
    HWND checkedByHandler = button(203, BS_AUTOCHECKBOX);
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(disabledByHandler));
    EXPECT_FALSE(::IsWindowEnabled(withoutHandler)) << "a push button without a handler";
    EXPECT_TRUE(::IsWindowEnabled(checkWithoutHandler)) << "check boxes are never disabled for that";
    EXPECT_EQ(::SendMessage(checkedByHandler, BM_GETCHECK, 0, 0), BST_CHECKED);
    for (HWND h : {disabledByHandler, withoutHandler, checkWithoutHandler, checkedByHandler})
        ::DestroyWindow(h);
}

namespace {

class CNotifiedWnd : public CWnd {
public:
    afx_msg void OnClicked() { trace.push_back("clicked"); }
    afx_msg void OnEditChange() { trace.push_back("edit changed"); }
    afx_msg void OnListSelect() { trace.push_back("list selected"); }
    afx_msg void OnComboClosed() { trace.push_back("combo closed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedWnd, CWnd)
    ON_BN_CLICKED(600, OnClicked)
    ON_EN_CHANGE(601, OnEditChange)
    ON_LBN_SELCHANGE(602, OnListSelect)
    ON_CBN_CLOSEUP(603, OnComboClosed)
END_MESSAGE_MAP()

// A control that keeps its own state up to date.
class CSelfUpdatingButton : public CWnd {
public:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CWnd)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
END_MESSAGE_MAP()

} // namespace

TEST(ControlNotifications, NamedEntriesAndTheControlsOwnUpdateHandler) {
    trace.clear();
    CNotifiedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AFX_WND, "p", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    struct Case {
        int id;
        UINT code;
        const char* expected;
    };
    const Case cases[] = {{600, BN_CLICKED, "clicked"},
                          {601, EN_CHANGE, "edit changed"},
                          {602, LBN_SELCHANGE, "list selected"},
                          {603, CBN_CLOSEUP, "combo closed"}};
    for (const Case& c : cases) {
        HWND control =
            ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        trace.clear();
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, c.code), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(trace, std::vector<std::string>{c.expected});
        ::DestroyWindow(control);
    }

    CSelfUpdatingButton button;
    ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20),
                              &parent, 604));
    parent.UpdateDialogControls(&parent, FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    parent.DestroyWindow();
}
