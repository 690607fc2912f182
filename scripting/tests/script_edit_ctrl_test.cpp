// The script edit control driven by input offscreen: only bodies take typing, the procedures'
// lengths follow it, markers live per procedure and move with their lines, breakpoints are
// reported to the owner, and undo brings back a procedure that left the control.

#include "editor/CHHVBScriptFormater.h"
#include "editor/HHAssistResources.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/tests/support/framework_test.h"
#include "scripting/CHHScriptEditCtrl.h"
#include "scripting/CHHScriptProcedureList.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kModule[] = "Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\n"
                       "Sub App_Timer()\r\n\ta = 1\r\n\tb = 2\r\nEnd Sub\r\n\r\n"
                       "Sub Doc_Close()\r\n\tc = 3\r\nEnd Sub\r\n\r\n";

class ScriptEdit : public ::testing::Test, public CHHScriptEditOwner {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.Parse(kModule, &parser));
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Script", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 400)));
        edit = std::make_unique<CHHScriptEditCtrl>();
        ASSERT_TRUE(
            edit->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL,
                         CRect(0, 0, 600, 340), frame, 101));
        edit->SetFormater(&formater);
        ASSERT_TRUE(edit->InitControl(FALSE));
        edit->SetOwner(this);
        frame->ShowWindow(SW_SHOW);
        showObject("App");
        edit->SetFocus();
        pm::afxtest::pump();
    }
    void TearDown() override {
        edit.reset();
        frame->DestroyWindow();
        pm::afxtest::pump();
    }

    // Shows an object's procedures, as the object view does.
    void showObject(const char* name) {
        int start = 0;
        for (int i = 0; i < list.GetCount(); ++i) {
            CHHScriptObjectProcedures& obj = list.GetAt(i);
            if (obj.m_strName != name) {
                start += obj.GetLength();
                continue;
            }
            CString text;
            for (const auto& p : obj.m_procedures)
                text += p.m_strHead + p.m_strBody + p.m_strTail;
            edit->SetProcedureView(nullptr, 0, nullptr, 0);
            edit->SetText(text);
            edit->SetProcedureView(&obj, 1, nullptr, start);
            shown = name;
        }
    }
    // Writes the shown procedures' bodies back, as a commit does.
    void commit() {
        const CString text = edit->GetTextRange(CHARRANGE{0, static_cast<LONG>(edit->GetTextLength())});
        int pos = 0;
        for (int i = 0; i < list.GetCount(); ++i) {
            CHHScriptObjectProcedures& obj = list.GetAt(i);
            if (std::string(obj.m_strName) != shown) continue;
            for (auto& p : obj.m_procedures) {
                p.m_strBody = text.Mid(pos + p.m_nHeadLength, p.m_nBodyLength);
                pos += p.GetLength();
            }
        }
    }

    // With hookColours on, the owner colours every q as a string and leaves the rest as given.
    BOOL ColorizeHook(const char16_t* text, int length, WORD* attributes) override {
        if (!hookColours) return FALSE;
        for (int i = 0; i < length; ++i)
            if (text[i] == u'q') attributes[i] = HHTOKEN_STRING;
        return TRUE;
    }
    // The colour of each character.
    std::vector<COLORREF> colours() {
        std::vector<COLORREF> all;
        const long length = edit->GetTextLength();
        for (long i = 0; i < length; ++i) {
            edit->SetSel(i, i + 1);
            CHARFORMAT cf{};
            cf.cbSize = sizeof cf;
            edit->GetSelectionCharFormat(cf);
            all.push_back(cf.crTextColor);
        }
        return all;
    }

    void NotifyOwner(LPCTSTR object, LPCTSTR procedure, int line, int, int modulePos, BOOL on) override {
        notes.push_back(std::string(object) + "." + procedure + ":" + std::to_string(line) + "@" +
                        std::to_string(modulePos) + (on ? "+" : "-"));
    }
    BOOL ShowProcedure(LPCTSTR object, LPCTSTR) override {
        switchTo(object);
        return TRUE;
    }
    void switchTo(const char* object) {
        commit();
        showObject(object);
    }

    std::string text() {
        CString t;
        edit->GetWindowText(t);
        return std::string(t, static_cast<size_t>(t.GetLength()));
    }
    void caretAt(const char* marker) {
        const auto pos = static_cast<long>(text().find(marker));
        ASSERT_GE(pos, 0) << marker;
        edit->SetSel(pos, pos);
    }
    int lineOf(const char* marker) {
        return static_cast<int>(edit->LineFromChar(static_cast<long>(text().find(marker))));
    }
    CHHScriptProcedure& procedure(const char* object, const char* name) {
        CHHScriptProcedureList::Location loc;
        list.FindOrCreate(FALSE, TRUE, object, name, loc);
        return *loc.pProcedure;
    }
    void type(const std::string& s) { pm::afxtest::typeText(edit->m_hWnd, s); }

    CHHVBScriptTextParser parser;
    CHHVBScriptFormater formater;
    CHHScriptProcedureList list;
    CFrameWnd* frame = nullptr;
    std::unique_ptr<CHHScriptEditCtrl> edit;
    std::string shown;
    std::vector<std::string> notes;
    bool hookColours = false;
};

TEST_F(ScriptEdit, OnlyBodiesTakeTypingAndTheirLengthsFollow) {
    const std::string before = text();
    const int bodyLength = procedure("App", "Timer").m_nBodyLength;
    for (const char* place : {"Sub App_Timer", "End Sub\r\n\r\nSub App_Timer"}) {
        caretAt(place);
        type("zz");
        EXPECT_EQ(text(), before) << place;
    }
    caretAt("a = 1");
    type("xy");
    EXPECT_NE(text().find("\txya = 1"), std::string::npos);
    EXPECT_EQ(procedure("App", "Timer").m_nBodyLength, bodyLength + 2);
    EXPECT_EQ(list.GetAt(0).m_nBodyTotal + list.GetAt(0).m_nHeadTailTotal, static_cast<int>(text().size()));
    EXPECT_TRUE(procedure("App", "Timer").m_bDirty);
    // A selection across two procedures is cut back to one body: Delete removes nothing else.
    caretAt("q = 1");
    CHARRANGE sel{};
    edit->GetSel(sel);
    edit->SetSel(sel.cpMin, static_cast<long>(text().find("b = 2")));
    pm::afxtest::pressKey(edit->m_hWnd, VK_DELETE);
    EXPECT_NE(text().find("Sub App_Timer()\r\n"), std::string::npos);
    EXPECT_NE(text().find("End Sub\r\n\r\nSub App_Timer"), std::string::npos);
}

TEST_F(ScriptEdit, BackspaceRemovesWhatItFollowsInsideABodyOnly) {
    const int bodyLength = procedure("App", "Timer").m_nBodyLength;
    caretAt("1\r\n\tb = 2");
    pm::afxtest::pressKey(edit->m_hWnd, VK_BACK); // the '=' of "a = 1" loses its blank
    EXPECT_NE(text().find("\ta =1\r\n"), std::string::npos);
    caretAt("\tb = 2");
    pm::afxtest::pressKey(edit->m_hWnd, VK_BACK); // at a line start: joins the two body lines
    EXPECT_NE(text().find("\ta =1\tb = 2\r\n"), std::string::npos);
    EXPECT_EQ(procedure("App", "Timer").m_nBodyLength, bodyLength - 3);
    // At the start of the first body line it would join the body to the head: nothing happens.
    const std::string before = text();
    caretAt("\ta =1");
    pm::afxtest::pressKey(edit->m_hWnd, VK_BACK);
    EXPECT_EQ(text(), before);
}

// Backspace at the edges of a body: the body's closing line end and everything after it are out of
// reach, its last character is not, and a selection reaching into a head loses only body text.
TEST_F(ScriptEdit, BackspaceAtTheEdgesOfABodyKeepsHeadsAndTails) {
    const struct {
        const char* name;
        const char* from; // the selection starts here (at the text found)
        int fromOffset;
        const char* to; // and ends here; null for a caret
        int toOffset;
        const char* expected; // found in the text afterwards; null when nothing changes
    } rows[] = {
        {"the last character of a body", "\r\nEnd Sub\r\n\r\nSub App_Timer", 0, nullptr, 0,
         "\tq = \r\nEnd Sub\r\n"},
        {"a body's closing line end", "End Sub\r\n\r\nSub App_Timer", 0, nullptr, 0, nullptr},
        {"the blank line after a tail", "Sub App_Timer", 0, nullptr, 0, nullptr},
        {"a selection from a head into the body", "()\r\n\ta = 1", 1, "\ta = 1", 2,
         "Sub App_Timer()\r\n = 1\r\n"},
    };
    for (const auto& row : rows) {
        list.RemoveAll();
        ASSERT_TRUE(list.Parse(kModule, &parser));
        showObject("App");
        const std::string before = text();
        const auto at = [&](const char* marker, int offset) {
            return static_cast<long>(before.find(marker)) + offset;
        };
        edit->SetSel(at(row.from, row.fromOffset),
                     row.to ? at(row.to, row.toOffset) : at(row.from, row.fromOffset));
        pm::afxtest::pressKey(edit->m_hWnd, VK_BACK);
        if (!row.expected) {
            EXPECT_EQ(text(), before) << row.name;
            continue;
        }
        EXPECT_NE(text().find(row.expected), std::string::npos) << row.name << ": " << text();
        EXPECT_EQ(text().size(), before.size() - (row.to ? 2 : 1)) << row.name;
    }
}

TEST_F(ScriptEdit, BreakpointsStayInTheirProcedureAndAreReported) {
    const int closingBlank = lineOf("Sub App_Timer") - 1;
    edit->SetLineMarker(closingBlank, HHMARK_BREAKPOINT, 2);
    EXPECT_EQ(edit->GetLineMarkers(closingBlank), 0);
    EXPECT_TRUE(notes.empty());

    const int bLine = lineOf("b = 2");
    edit->SetLineMarker(bLine, HHMARK_BREAKPOINT, 2);
    EXPECT_EQ(edit->GetLineMarkers(bLine), HHMARK_BREAKPOINT);
    // "App" is the module's first object, so Timer's module position is its place in the text.
    const std::string expected = "App.Timer:2@" + std::to_string(text().find("Sub App_Timer"));
    ASSERT_EQ(notes, std::vector<std::string>{expected + "+"});
    CDWordArray positions;
    list.GetBreakpoints(positions);
    ASSERT_EQ(positions.GetSize(), 1);
    EXPECT_EQ(static_cast<long>(positions[0]), static_cast<long>(text().find("\tb = 2")));

    edit->ClearAllMarkers(HHMARK_BREAKPOINT);
    EXPECT_EQ(notes.back(), expected + "-");
    EXPECT_EQ(edit->GetLineMarkers(bLine), 0);
}

TEST_F(ScriptEdit, BookmarksAndBreakpointsMoveWithTheirLinesAndGoWithThem) {
    caretAt("b = 2");
    pm::afxtest::pressKey(edit->m_hWnd, VK_F2, false, true); // Ctrl+F2: a bookmark
    pm::afxtest::pressKey(edit->m_hWnd, VK_F9);              // F9: a breakpoint
    edit->SetLineMarker(lineOf("q = 1"), HHMARK_BOOKMARK, 1);
    caretAt("a = 1");
    type("\r\r");
    EXPECT_EQ(edit->GetLineMarkers(lineOf("b = 2")), HHMARK_BOOKMARK | HHMARK_BREAKPOINT);
    EXPECT_EQ(procedure("App", "Timer").m_markers.front().m_nLine, 4);
    EXPECT_EQ(edit->GetLineMarkers(lineOf("q = 1")), HHMARK_BOOKMARK);
    CDWordArray positions;
    list.GetBreakpoints(positions);
    ASSERT_EQ(positions.GetSize(), 1);
    EXPECT_EQ(static_cast<long>(positions[0]), static_cast<long>(text().find("\tb = 2")))
        << "the module position moved too";

    // Deleting the bookmarked line takes its bookmark.
    const int line = lineOf("b = 2");
    edit->SetSel(edit->LineIndex(line - 1), edit->LineIndex(line + 1) - 2);
    pm::afxtest::pressKey(edit->m_hWnd, VK_DELETE);
    EXPECT_EQ(text().find("b = 2"), std::string::npos);
    EXPECT_TRUE(procedure("App", "Timer").m_markers.empty());
    EXPECT_EQ(procedure("App", "Quit").m_markers.size(), 1u);
}

TEST_F(ScriptEdit, UndoBringsBackTheProcedureThatLeft) {
    caretAt("a = 1");
    type("new");
    switchTo("Doc");
    ASSERT_EQ(text().find("newa"), std::string::npos);

    edit->SendMessage(EM_UNDO);
    pm::afxtest::pump();
    EXPECT_EQ(shown, "App");
    EXPECT_NE(text().find("\ta = 1\r\n\tb = 2\r\nEnd Sub"), std::string::npos);
    EXPECT_EQ(text().find("newa"), std::string::npos);
    edit->SendMessage(EM_REDO);
    pm::afxtest::pump();
    EXPECT_NE(text().find("\tnewa = 1"), std::string::npos);
}

} // namespace

namespace {

TEST_F(ScriptEdit, ContextMenuAddsCheckSyntaxAndRevertAfterQuickInfo) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(CHHScriptEditCtrl::kMenuId));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    std::vector<UINT> ids;
    for (int i = 0; i < static_cast<int>(popup->GetMenuItemCount()); ++i)
        ids.push_back(popup->GetMenuItemID(i));
    const auto quickInfo = std::find(ids.begin(), ids.end(), static_cast<UINT>(ID_HHASSIST_QUICK_INFO));
    ASSERT_NE(quickInfo, ids.end());
    EXPECT_EQ(std::vector<UINT>(quickInfo + 1, quickInfo + 4), (std::vector<UINT>{0, 60744, 60736}));
    EXPECT_EQ(ids.back(), static_cast<UINT>(ID_HHASSIST_TOGGLE_BOOKMARK));
}

} // namespace

namespace {

// A long line coloured by the formater, then by the owner's hook: the hook is given zeros where
// it writes nothing, as it is for a text coloured afresh.
TEST_F(ScriptEdit, TheOwnersHookColoursALongLineFromZeros) {
    std::string line;
    while (line.size() < 6000)
        line += "x = q + 1: If x Then y = \"s\" ";
    edit->SetProcedureView(nullptr, 0, nullptr, 0);
    edit->SetText(line.c_str());
    for (const bool hook : {false, true}) {
        hookColours = hook;
        edit->SetSel(3000, 3000);
        type("a");
    }
    const std::vector<COLORREF> typedIn = colours();
    edit->SetText(text().c_str());
    EXPECT_EQ(typedIn, colours());
}

} // namespace
