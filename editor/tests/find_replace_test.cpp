// Finding and replacing in the edit control: the wrap point (to the end, round from the start to
// where the round began, then a beep), whole word and case, an empty pattern, a text that shrank
// below the wrap point, Replace only replacing the find text, Replace All as one undo step and
// within a selection, and the Find and Replace dialogs driven like a user.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHFindDlg.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHReplaceDlg.h"
#include "editor/HHEditSettings.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/wm/beeps.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FindReplace : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 420)));
        edit = std::make_unique<CHHEditCtrl>();
        ASSERT_TRUE(
            edit->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL,
                         CRect(0, 0, 620, 380), frame, 100));
        edit->SetFormater(&js);
        edit->InitControl(FALSE);
        frame->ShowWindow(SW_SHOW);
        edit->SetFocus();
        pm::afxtest::pump();
        CHHFindParams::Get() = CHHFindParams();
        CHHFindParams::FindHistory().clear();
        CHHFindParams::ReplaceHistory().clear();
        pm::takeRecordedBeeps();
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        edit.reset();
        frame->DestroyWindow();
        pm::afxtest::pump();
    }
    std::string text() {
        CString t;
        edit->GetWindowText(t);
        return std::string(t, static_cast<std::size_t>(t.GetLength()));
    }
    CHARRANGE sel() {
        CHARRANGE r{};
        edit->GetSel(r);
        return r;
    }
    // Where each press of Find Next left the selection start; -1 for a press that found nothing
    // (which beeps, as the find command does).
    std::vector<long> presses(const CHHFindParams& params, int count) {
        std::vector<long> found;
        for (int i = 0; i < count; ++i) {
            if (edit->FindNext(params)) {
                found.push_back(sel().cpMin);
            } else {
                edit->NotFound(params.m_strFind);
                found.push_back(-1);
            }
        }
        return found;
    }
    static CHHFindParams params(const char* find, const char* replace = "", BOOL matchCase = FALSE,
                                BOOL wholeWord = FALSE) {
        CHHFindParams p;
        p.m_strFind = find;
        p.m_strReplace = replace;
        p.m_bMatchCase = matchCase;
        p.m_bWholeWord = wholeWord;
        return p;
    }

    CHHJScriptFormater js;
    CFrameWnd* frame = nullptr;
    std::unique_ptr<CHHEditCtrl> edit;
};

} // namespace

TEST(FindRange, StartsPastASelectionAndEndsAtTheWrapPoint) {
    EXPECT_EQ(hh::FindRange(5, 5, 20, 5).from, 5);
    EXPECT_EQ(hh::FindRange(5, 8, 20, 5).from, 6);
    EXPECT_EQ(hh::FindRange(5, 5, 20, 5).to, 20);
    EXPECT_EQ(hh::FindRange(5, 5, 20, 7 - 20).to, 7);
}

TEST(MoveAway, TheDialogMovesAboveOrBelowAMatchItCovers) {
    const RECT dialog{100, 300, 400, 500};
    struct Case {
        POINT point;
        int screen;
        bool moves;
        int top;
    } cases[] = {
        {{150, 350}, 1000, true, 350 - 20 - 200}, // room above
        {{150, 250}, 1000, false, 0},             // not covered
        {{150, 150}, 1000, false, 0},             // not covered either
    };
    for (const Case& c : cases) {
        int top = 0;
        EXPECT_EQ(hh::MoveAwayTop(dialog, c.point, c.screen, top), c.moves) << c.point.y;
        if (c.moves) {
            EXPECT_EQ(top, c.top) << c.point.y;
        }
    }
    // A dialog taller than the space above the match goes below it, if the screen has room.
    const RECT tall{100, 100, 400, 500};
    int top = 0;
    EXPECT_TRUE(hh::MoveAwayTop(tall, POINT{150, 200}, 1000, top));
    EXPECT_EQ(top, 240);
    EXPECT_FALSE(hh::MoveAwayTop(tall, POINT{150, 200}, 600, top));
}

TEST_F(FindReplace, FindNextGoesToTheEndThenRoundToWhereItBeganThenBeeps) {
    edit->SetText("match one\r\ncaret here\r\nmatch two\r\n");
    const long caret = static_cast<long>(text().find("here")),
               second = static_cast<long>(text().rfind("match"));
    edit->SetSel(caret, caret);
    const CHHFindParams p = params("match");
    EXPECT_EQ(presses(p, 4), (std::vector<long>{second, 0, -1, second}));
    EXPECT_EQ(pm::takeRecordedBeeps(), (std::vector<UINT>{MB_ICONHAND}));
}

TEST_F(FindReplace, RepeatFindWrapsWithoutABeep) {
    edit->SetText("ab ab ab");
    edit->SetSel(0, 0);
    CHHFindParams::Get() = params("ab");
    std::vector<long> found;
    for (int i = 0; i < 5; ++i) {
        edit->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
        found.push_back(sel().cpMin);
    }
    EXPECT_EQ(found, (std::vector<long>{0, 3, 6, 0, 3}));
    EXPECT_TRUE(pm::takeRecordedBeeps().empty());
}

TEST_F(FindReplace, WholeWordAndMatchCase) {
    edit->SetText("Word words word sword WORD");
    struct Case {
        BOOL matchCase, wholeWord;
        std::vector<long> found;
    } cases[] = {
        {FALSE, FALSE, {0, 5, 11, 17, 22}},
        {TRUE, FALSE, {5, 11, 17}},
        {FALSE, TRUE, {0, 11, 22}},
        {TRUE, TRUE, {11}},
    };
    for (const Case& c : cases) {
        edit->SetSel(0, 0);
        edit->NotFound("");
        const CHHFindParams p = params("word", "", c.matchCase, c.wholeWord);
        std::vector<long> found = presses(p, static_cast<int>(c.found.size()) + 1);
        EXPECT_EQ(found.back(), -1);
        found.pop_back();
        EXPECT_EQ(found, c.found) << "case " << c.matchCase << " word " << c.wholeWord;
    }
}

TEST_F(FindReplace, AnEmptyPatternFindsNothingAndReplacesNothing) {
    edit->SetText("abc");
    edit->SetSel(1, 1);
    EXPECT_FALSE(edit->FindNext(params("")));
    EXPECT_EQ(sel().cpMin, 1);
    EXPECT_FALSE(edit->ReplaceAll(params("", ""), FALSE));
    EXPECT_EQ(text(), "abc");
    EXPECT_FALSE(edit->SendMessage(EM_CANUNDO));
}

TEST_F(FindReplace, AfterTheTextShrankBelowTheWrapPointNothingIsFoundPastIt) {
    edit->SetText("xx yy xx yy xx");
    edit->SetSel(8, 8);
    const CHHFindParams p = params("xx");
    EXPECT_EQ(presses(p, 2), (std::vector<long>{12, 0}));
    // The round now ends at 8, six before the end; the text shrinks to 8 characters, so the
    // search from the caret at 6 would have to end at 2.
    edit->SetText("xx xx xx");
    edit->SetSel(6, 6);
    EXPECT_EQ(presses(p, 2), (std::vector<long>{-1, 6}));
}

TEST_F(FindReplace, ReplaceAllOfAThousandMatchesIsOneUndoStep) {
    std::string original;
    for (int i = 0; i < 1000; ++i)
        original += "let item" + std::to_string(i) + " = old;\r\n";
    edit->SetText(original.c_str());
    edit->SetModified(FALSE);
    edit->SetSel(0, 0);
    EXPECT_TRUE(edit->ReplaceAll(params("old", "older old"), FALSE))
        << "a replacement holding the find text ends";
    const std::string replaced = text();
    std::string expected = original;
    for (std::size_t at = 0; (at = expected.find("old", at)) != std::string::npos; at += 9)
        expected.replace(at, 3, "older old");
    EXPECT_EQ(replaced, expected);
    EXPECT_TRUE(edit->GetModified());
    edit->SendMessage(EM_UNDO);
    pm::afxtest::pump();
    EXPECT_EQ(text(), original);
    EXPECT_FALSE(edit->SendMessage(EM_CANUNDO)) << "one step undid it all";
    edit->SendMessage(EM_REDO);
    EXPECT_EQ(text(), replaced);
}

TEST_F(FindReplace, ReplaceAllKeepsEachLinesOwnLineEnd) {
    edit->SetText("a x\nb x\r\nc x\rd x");
    EXPECT_TRUE(edit->ReplaceAll(params("x", "yy"), FALSE));
    EXPECT_EQ(std::string(edit->GetText()), "a yy\nb yy\r\nc yy\rd yy");
}

TEST_F(FindReplace, ReplaceAllInTheSelectionKeepsTheGrownSelection) {
    edit->SetText("a a\r\na a\r\na a");
    edit->SetSel(5, 8); // "a a" of the second line
    EXPECT_TRUE(edit->ReplaceAll(params("a", "bb"), TRUE));
    EXPECT_EQ(text(), "a a\r\nbb bb\r\na a");
    EXPECT_EQ(sel().cpMin, 5);
    EXPECT_EQ(sel().cpMax, 10);
}

TEST_F(FindReplace, ReplaceReplacesOnlyASelectionEqualToTheFindText) {
    edit->SetText("one two one two");
    edit->SetSel(0, 3);
    CHHFindParams::Get() = params("two", "2");
    EXPECT_TRUE(edit->SendMessage(HHEDIT_REPLACE_MESSAGE, IDC_HHFIND_REPLACE, 0));
    EXPECT_EQ(text(), "one two one two") << "the selection was not the find text: only found";
    EXPECT_EQ(sel().cpMin, 4);
    EXPECT_TRUE(edit->SendMessage(HHEDIT_REPLACE_MESSAGE, IDC_HHFIND_REPLACE, 0));
    EXPECT_EQ(text(), "one 2 one two");
    EXPECT_EQ(sel().cpMin, 10);
    CHHFindParams::Get() = params("TWO", "2", TRUE);
    EXPECT_FALSE(edit->SendMessage(HHEDIT_REPLACE_MESSAGE, IDC_HHFIND_REPLACE, 0));
    EXPECT_EQ(text(), "one 2 one two") << "match case: \"two\" is not \"TWO\"";
}

TEST_F(FindReplace, TheFindDialogStartsWithTheSelectedWordAndMarksAllMatchingLines) {
    struct CMarkingEditCtrl : CHHEditCtrl {
        std::vector<int> marked;
        void MarkLine(int line) override { marked.push_back(line); }
    };
    edit.reset();
    auto* marking = new CMarkingEditCtrl;
    edit.reset(marking);
    ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 620, 380), frame, 101));
    edit->InitControl(FALSE);
    edit->SetText("alpha beta\r\ngamma\r\nbeta beta\r\n");
    edit->SetSel(6, 10);
    std::string prefilled;
    pm::setDialogHook([&](HWND dialog) {
        char what[64] = {};
        ::GetDlgItemTextA(dialog, IDC_HHFIND_WHAT, what, sizeof(what));
        prefilled = what;
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_MARKALL, 0);
    });
    edit->DoFindDialog();
    EXPECT_EQ(prefilled, "beta");
    EXPECT_EQ(marking->marked, (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(CHHFindParams::FindHistory(), (std::vector<std::string>{"beta"}));

    // The dialog starts with whatever is selected: nothing for a caret, both lines of a selection
    // over a line break. The remembered text stays in the list.
    const struct {
        CHARRANGE sel;
        const char* expected;
    } starts[] = {{{3, 3}, ""}, {{6, 14}, "beta\r\nga"}, {{12, 17}, "gamma"}};
    for (const auto& start : starts) {
        edit->SetSel(start.sel.cpMin, start.sel.cpMax);
        int listed = 0;
        pm::setDialogHook([&](HWND dialog) {
            char what[64] = {};
            ::GetDlgItemTextA(dialog, IDC_HHFIND_WHAT, what, sizeof(what));
            prefilled = what;
            listed = static_cast<int>(::SendDlgItemMessage(dialog, IDC_HHFIND_WHAT, CB_GETCOUNT, 0, 0));
            ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        edit->DoFindDialog();
        EXPECT_EQ(prefilled, start.expected) << start.sel.cpMin << "-" << start.sel.cpMax;
        EXPECT_EQ(listed, 1) << "the history still offers \"beta\"";
    }

    // An emptied find text closes the dialog as Cancel: nothing is searched.
    pm::setDialogHook([&](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_HHFIND_WHAT, "");
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_NEXT, 0);
    });
    edit->SetSel(0, 0);
    edit->DoFindDialog();
    EXPECT_EQ(sel().cpMax, 0);
    EXPECT_EQ(CHHFindParams::Get().m_strFind, CString("beta"));
}

TEST_F(FindReplace, TheReplaceDialogActsOnTheControlWhileItStaysOpen) {
    edit->SetText("var total = 0;\r\ntotal = total + 1;\r\nreturn total;\r\n");
    edit->SetSel(0, 3);
    pm::setDialogHook([&](HWND dialog) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_HHFIND_SELECTION)))
            << "the selection is within one line";
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_HHFIND_WHOLEFILE), BST_CHECKED);
        ::SetDlgItemTextA(dialog, IDC_HHFIND_WHAT, "total");
        ::SetDlgItemTextA(dialog, IDC_HHFIND_REPLACEWITH, "sum");
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_NEXT, 0);
        EXPECT_EQ(sel().cpMin, 4);
        EXPECT_EQ(::SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_HHFIND_REPLACE, DC_HASDEFID));
        pm::afxtest::pump();
        ::RedrawWindow(frame->m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pm::afxtest::saveScreenPng("edit_replace_dialog");
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_REPLACE, 0);
        EXPECT_EQ(text(), "var sum = 0;\r\ntotal = total + 1;\r\nreturn total;\r\n");
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_REPLACEALL, 0);
        EXPECT_EQ(::SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    edit->DoReplaceDialog();
    EXPECT_EQ(text(), "var sum = 0;\r\nsum = sum + 1;\r\nreturn sum;\r\n");
    EXPECT_EQ(CHHFindParams::ReplaceHistory(), (std::vector<std::string>{"sum"}));
    EXPECT_EQ(CHHFindParams::FindHistory(), (std::vector<std::string>{"total"}));
}
