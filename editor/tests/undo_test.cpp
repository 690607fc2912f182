// The undo history: the limit drops the oldest, a new action drops the redo side, groups undo
// and redo as one step, command states and tip texts.

#include "editor/CHHUndoManager.h"
#include "platform/framework/CCmdUI.h"
#include "platform/win/commctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An action that logs what the history asks of it.
class LoggedAction : public CHHUndoAction {
public:
    LoggedAction(std::vector<std::string>& log, std::string name, CString description = CString())
        : m_log(log), m_name(std::move(name)), m_description(std::move(description)) {}

    BOOL Do() override {
        m_log.push_back("do " + m_name);
        return m_doResult;
    }
    BOOL Undo() override {
        m_log.push_back("undo " + m_name);
        return m_undoResult;
    }
    BOOL CanUndo() override { return m_canUndo; }
    CString GetDescription() override { return m_description; }

    BOOL m_doResult = TRUE;
    BOOL m_undoResult = TRUE;
    BOOL m_canUndo = TRUE;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    CString m_description;
};

class UndoManager : public ::testing::Test {
protected:
    LoggedAction* action(const std::string& name, CString description = CString()) {
        return new LoggedAction(log, name, std::move(description));
    }
    void add(CHHUndoManager& manager, int count, const std::string& prefix = "a") {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(manager.AddAction(action(prefix + std::to_string(i))));
    }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(UndoManager, AddRunsDoAndRecords) {
    CHHUndoManager manager;
    EXPECT_TRUE(manager.AddAction(action("x")));
    EXPECT_EQ(take(), Log{"do x"});
    EXPECT_EQ(manager.GetCount(), 1);
    EXPECT_FALSE(manager.AddAction(nullptr));
}

TEST_F(UndoManager, FailedDoOrNoRecordKeepsNothing) {
    CHHUndoManager manager;
    LoggedAction* failing = action("f");
    failing->m_doResult = FALSE;
    EXPECT_FALSE(manager.AddAction(failing));
    EXPECT_TRUE(manager.AddAction(action("n"), FALSE));
    EXPECT_EQ(take(), (Log{"do f", "do n"}));
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_FALSE(manager.Undo());
}

TEST_F(UndoManager, LimitDropsTheOldest) {
    CHHUndoManager manager(40);
    add(manager, 41);
    EXPECT_EQ(manager.GetCount(), 40);
    take();
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(manager.Undo());
    EXPECT_FALSE(manager.Undo());
    const Log undone = take();
    ASSERT_EQ(undone.size(), 40u);
    EXPECT_EQ(undone.front(), "undo a40");
    EXPECT_EQ(undone.back(), "undo a1");
}

TEST_F(UndoManager, LimitExtremes) {
    CHHUndoManager one(1);
    add(one, 5);
    EXPECT_EQ(one.GetCount(), 1);
    take();
    EXPECT_TRUE(one.Undo());
    EXPECT_EQ(take(), Log{"undo a4"});
    EXPECT_FALSE(one.Undo());

    CHHUndoManager unbounded(0);
    add(unbounded, 500);
    EXPECT_EQ(unbounded.GetCount(), 500);
}

TEST_F(UndoManager, NewActionAfterUndoDropsRedo) {
    CHHUndoManager manager;
    add(manager, 2);
    EXPECT_TRUE(manager.Undo());
    CString description;
    EXPECT_TRUE(manager.GetRedoText(description));
    manager.AddAction(action("c"));
    EXPECT_FALSE(manager.GetRedoText(description));
    EXPECT_FALSE(manager.Redo());
    EXPECT_EQ(manager.GetCount(), 2);
}

TEST_F(UndoManager, NewActionAfterUndoingEverythingStartsAfresh) {
    CHHUndoManager manager;
    add(manager, 3);
    for (int i = 0; i < 3; ++i)
        manager.Undo();
    manager.AddAction(action("fresh"));
    EXPECT_EQ(manager.GetCount(), 1);
}

// A full history whose current action is the oldest keeps it when a new action comes.
TEST_F(UndoManager, FullHistoryKeepsCurrentOldestAction) {
    CHHUndoManager manager(3);
    add(manager, 3);
    manager.Undo();
    manager.Undo();
    manager.AddAction(action("d"));
    EXPECT_EQ(manager.GetCount(), 2);
    take();
    EXPECT_TRUE(manager.Undo());
    EXPECT_TRUE(manager.Undo());
    EXPECT_EQ(take(), (Log{"undo d", "undo a0"}));
}

TEST_F(UndoManager, GroupUndoesAndRedoesAsOneStep) {
    CHHUndoManager manager;
    manager.AddAction(action("before"));
    manager.BeginGroup();
    add(manager, 10, "line");
    manager.EndGroup();
    manager.AddAction(action("after"));
    take();

    EXPECT_TRUE(manager.Undo());
    EXPECT_EQ(take(), Log{"undo after"});
    EXPECT_TRUE(manager.Undo());
    const Log group = take();
    ASSERT_EQ(group.size(), 10u);
    EXPECT_EQ(group.front(), "undo line9");
    EXPECT_EQ(group.back(), "undo line0");

    EXPECT_TRUE(manager.Redo());
    const Log redone = take();
    ASSERT_EQ(redone.size(), 10u);
    EXPECT_EQ(redone.front(), "do line0");
    EXPECT_EQ(redone.back(), "do line9");
}

TEST_F(UndoManager, AdjacentGroupsStaySeparate) {
    CHHUndoManager manager;
    manager.BeginGroup();
    add(manager, 2, "first");
    manager.EndGroup();
    manager.BeginGroup();
    add(manager, 2, "second");
    manager.EndGroup();
    take();
    manager.Undo();
    EXPECT_EQ(take(), (Log{"undo second1", "undo second0"}));
}

TEST_F(UndoManager, AGroupInsideAGroupBelongsToIt) {
    CHHUndoManager manager;
    manager.BeginGroup();
    add(manager, 1, "outer");
    manager.BeginGroup();
    add(manager, 1, "inner");
    manager.EndGroup();
    add(manager, 1, "after");
    manager.EndGroup();
    manager.AddAction(action("alone"));
    manager.EndGroup(); // one too many: harmless
    take();
    manager.Undo();
    EXPECT_EQ(take(), Log{"undo alone"});
    manager.Undo();
    EXPECT_EQ(take(), (Log{"undo after0", "undo inner0", "undo outer0"}));
}

TEST_F(UndoManager, SingleStepsInsideAGroup) {
    CHHUndoManager manager;
    manager.BeginGroup();
    add(manager, 3);
    manager.EndGroup();
    take();
    EXPECT_TRUE(manager.Undo(FALSE));
    EXPECT_EQ(take(), Log{"undo a2"});
    EXPECT_TRUE(manager.Redo(FALSE));
    EXPECT_EQ(take(), Log{"do a2"});
}

TEST_F(UndoManager, FailingUndoStopsAndKeepsPosition) {
    CHHUndoManager manager;
    LoggedAction* stubborn = action("s");
    stubborn->m_undoResult = FALSE;
    manager.AddAction(stubborn);
    EXPECT_FALSE(manager.Undo());
    CString description;
    EXPECT_TRUE(manager.GetUndoText(description));
    stubborn->m_canUndo = FALSE;
    EXPECT_FALSE(manager.GetUndoText(description));
    EXPECT_FALSE(manager.IsCommandEnabled(ID_EDIT_UNDO));
}

TEST_F(UndoManager, CommandsAndTheirStates) {
    CHHUndoManager manager;
    EXPECT_FALSE(manager.IsCommandEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(manager.IsCommandEnabled(ID_EDIT_REDO));
    EXPECT_FALSE(manager.OnEditCommand(ID_EDIT_UNDO));
    manager.AddAction(action("x"));
    EXPECT_TRUE(manager.IsCommandEnabled(ID_EDIT_UNDO));
    EXPECT_TRUE(manager.OnEditCommand(ID_EDIT_UNDO));
    EXPECT_FALSE(manager.IsCommandEnabled(ID_EDIT_UNDO));
    EXPECT_TRUE(manager.IsCommandEnabled(ID_EDIT_REDO));
    EXPECT_TRUE(manager.OnEditCommand(ID_EDIT_REDO));
    EXPECT_FALSE(manager.IsCommandEnabled(12345));
    manager.ClearAll();
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_FALSE(manager.IsCommandEnabled(ID_EDIT_UNDO));
}

TEST_F(UndoManager, TipTexts) {
    CHHUndoManager manager;
    CString tip;
    EXPECT_TRUE(manager.GetTipText(ID_EDIT_UNDO, tip));
    EXPECT_STREQ(tip, "Undo");
    EXPECT_TRUE(manager.GetTipText(ID_EDIT_REDO, tip));
    EXPECT_STREQ(tip, "Redo");
    EXPECT_FALSE(manager.GetTipText(1, tip));

    manager.AddAction(action("t", "Typing"));
    manager.GetTipText(ID_EDIT_UNDO, tip);
    EXPECT_STREQ(tip, "Undo Typing");
    manager.Undo();
    manager.GetTipText(ID_EDIT_REDO, tip);
    EXPECT_STREQ(tip, "Redo Typing");

    manager.AddAction(action("long", CString('x', 200)));
    manager.GetTipText(ID_EDIT_UNDO, tip);
    EXPECT_EQ(tip.GetLength(), 79);
    EXPECT_EQ(tip.Left(5), "Undo ");
}

// The history as a command target: the commands, their update handlers and the tips arrive
// through command routing.
TEST_F(UndoManager, CommandsAndTipsThroughRouting) {
    CHHUndoManager manager;
    struct State : CCmdUI {
        BOOL enabled = -1;
        void Enable(BOOL on) override { enabled = on; }
    };
    auto enabled = [&](UINT id) {
        State state;
        state.m_nID = id;
        EXPECT_TRUE(manager.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr));
        return state.enabled;
    };
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    manager.AddAction(action("x", "Typing"));
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(enabled(ID_EDIT_REDO));
    EXPECT_TRUE(manager.OnCmdMsg(ID_EDIT_UNDO, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(log.back(), "undo x");
    EXPECT_TRUE(enabled(ID_EDIT_REDO));

    TOOLTIPTEXTA tip{};
    tip.hdr.code = TTN_NEEDTEXTA;
    tip.hdr.idFrom = ID_EDIT_REDO;
    LRESULT result = -1;
    AFX_NOTIFY notify{&result, &tip.hdr};
    EXPECT_TRUE(manager.OnCmdMsg(ID_EDIT_REDO,
                                 static_cast<int>(MAKELONG(static_cast<WORD>(TTN_NEEDTEXTA), WM_NOTIFY)),
                                 &notify, nullptr));
    EXPECT_STREQ(tip.szText, "Redo Typing");
    EXPECT_EQ(result, 0);
    // The wide form gives the same text in UTF-16.
    TOOLTIPTEXTW wide{};
    wide.hdr.code = TTN_NEEDTEXTW;
    wide.hdr.idFrom = ID_EDIT_REDO;
    AFX_NOTIFY wideNotify{&result, &wide.hdr};
    EXPECT_TRUE(manager.OnCmdMsg(ID_EDIT_REDO,
                                 static_cast<int>(MAKELONG(static_cast<WORD>(TTN_NEEDTEXTW), WM_NOTIFY)),
                                 &wideNotify, nullptr));
    EXPECT_EQ(std::u16string(wide.lpszText), u"Redo Typing");
    // Other ids are left to the next target.
    tip.hdr.idFrom = 1;
    EXPECT_FALSE(manager.OnCmdMsg(1, static_cast<int>(MAKELONG(static_cast<WORD>(TTN_NEEDTEXTA), WM_NOTIFY)),
                                  &notify, nullptr));
}

} // namespace
