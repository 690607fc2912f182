// The edit control driven by input offscreen: colours after typing, block comments opened and
// closed distantPos from the caret, keyword case, undo groups and the line commands as single steps, the
// modified flag, read-only refusals, the caret column, drag moves, and line ends kept.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"
#include "editor/HHColoring.h"
#include "editor/HHEditRules.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/richedit_runs.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/beeps.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

const COLORREF kBlack = RGB(0, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 128, 0),
               kMagenta = RGB(255, 0, 255), kWhite = RGB(255, 255, 255);

// Each block-comment marker as its place, length, kind and pairing.
std::vector<std::vector<int>> listed(const CHHCommentMarkerArray& markers) {
    std::vector<std::vector<int>> all;
    for (INT_PTR i = 0; i < markers.GetSize(); ++i)
        all.push_back({markers[i].m_nPos, markers[i].m_nLength, markers[i].m_bStart, markers[i].m_nPair});
    return all;
}

class CHostView : public CView {
public:
    void OnDraw(CDC*) override {}
};

class CHostDoc : public CDocument {};

// Counts the characters the control gives its formater to colour.
class CCountingEditCtrl : public CHHEditCtrl {
public:
    BOOL ColorizeText(const char16_t* text, int length, WORD* attributes) override {
        m_nColoured += length;
        return CHHEditCtrl::ColorizeText(text, length, attributes);
    }
    void OnCaretLineChanged(int line, int) override { m_lines.push_back(line); }
    long m_nColoured = 0;
    std::vector<int> m_lines;
};

// A frame with a view of a document; the control fills the view.
class EditCtrl : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 400)));
        view = new CHostView;
        ASSERT_TRUE(view->Create(AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE,
                                 CRect(0, 0, 600, 340), frame, AFX_IDW_PANE_FIRST));
        doc = std::make_unique<CHostDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->AddView(view);
        edit = std::make_unique<CCountingEditCtrl>();
        ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                     ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                                 CRect(0, 0, 600, 340), view, 100));
        edit->SetFormater(&js);
        edit->InitControl(FALSE);
        frame->ShowWindow(SW_SHOW);
        edit->SetFocus();
        pm::afxtest::pump();
        pm::takeRecordedBeeps();
    }
    void TearDown() override {
        doc->RemoveView(view);
        frame->DestroyWindow();
        pm::afxtest::pump();
    }

    void type(const std::string& text) { pm::afxtest::typeText(edit->m_hWnd, text); }
    void key(int vk, bool shift = false, bool control = false) {
        pm::afxtest::pressKey(edit->m_hWnd, vk, shift, control);
    }
    void caret(long pos) {
        edit->SetSel(pos, pos);
        pm::afxtest::pump();
    }
    std::string text() {
        CString t;
        edit->GetWindowText(t);
        return std::string(t, static_cast<std::size_t>(t.GetLength()));
    }
    long find(const std::string& what, long from = 0) {
        const std::size_t at = text().find(what, static_cast<std::size_t>(from));
        return at == std::string::npos ? -1 : static_cast<long>(at);
    }
    // The character format at pos, leaving the selection as it was.
    CHARFORMAT formatAt(long pos) {
        CHARRANGE saved{};
        edit->GetSel(saved);
        edit->HideSelection(TRUE, FALSE);
        edit->SetSel(pos, pos + 1);
        CHARFORMAT cf{};
        edit->GetSelectionCharFormat(cf);
        edit->SetSel(saved);
        edit->HideSelection(FALSE, FALSE);
        return cf;
    }
    COLORREF colourAt(long pos) { return formatAt(pos).crTextColor; }
    // The colours the control shows over the first occurrence of a text on a line that has one
    // after it: the text's and its background's.
    std::set<COLORREF> shownOver(const std::string& shown) {
        const long from = find(shown);
        POINT start{}, end{}, below{};
        ::SendMessage(edit->m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&start), from);
        ::SendMessage(edit->m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&end),
                      from + static_cast<long>(shown.size()));
        ::SendMessage(edit->m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&below), find("\r\n", from) + 2);
        return pm::test::shownColours(edit->m_hWnd, RECT{start.x, start.y, end.x, below.y});
    }
    struct Shown {
        std::string text;
        std::set<COLORREF> colours;
    };
    void expectShown(const std::vector<Shown>& table) {
        for (const Shown& s : table)
            EXPECT_EQ(shownOver(s.text), s.colours) << s.text;
    }
    // Colour, bold and italic of every character but the line breaks, which show no colour.
    std::vector<std::pair<COLORREF, DWORD>> formats() {
        const std::string shown = text();
        std::vector<std::pair<COLORREF, DWORD>> all;
        for (long pos = 0; pos < static_cast<long>(shown.size()); ++pos) {
            const char c = shown[static_cast<std::size_t>(pos)];
            if (c == '\r' || c == '\n') continue;
            const CHARFORMAT cf = formatAt(pos);
            all.emplace_back(cf.crTextColor, cf.dwEffects & (CFE_BOLD | CFE_ITALIC));
        }
        return all;
    }
    // Types at `at`, then presses Backspace `backspaces` times: the text shows the colours setting
    // it afresh gives.
    void typeAndExpectFreshColours(long at, const std::string& typed, int backspaces,
                                   const std::string& name) {
        caret(at);
        type(typed);
        for (int i = 0; i < backspaces; ++i)
            key(VK_BACK);
        // Without the focus reading the formats places no caret each time.
        frame->SetFocus();
        const auto shown = formats();
        edit->SetText(text().c_str());
        EXPECT_EQ(shown, formats()) << name;
        edit->SetFocus();
    }
    void undo() {
        edit->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        pm::afxtest::pump();
    }
    void redo() {
        edit->SendMessage(WM_COMMAND, ID_EDIT_REDO);
        pm::afxtest::pump();
    }
    // The state the control's update handler gives a command.
    bool commandEnabled(UINT id) {
        struct State : CCmdUI {
            BOOL enabled = FALSE;
            void Enable(BOOL on) override { enabled = on; }
        } state;
        state.m_nID = id;
        return edit->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && state.enabled;
    }
    int undoSteps() {
        int n = 0;
        while (edit->SendMessage(EM_CANUNDO)) {
            edit->SendMessage(EM_UNDO);
            ++n;
        }
        return n;
    }

    CHHJScriptFormater js;
    CHHVBScriptFormater vbs;
    CFrameWnd* frame = nullptr;
    CHostView* view = nullptr;
    std::unique_ptr<CHostDoc> doc;
    std::unique_ptr<CCountingEditCtrl> edit;
};

TEST_F(EditCtrl, TypedJavaScriptIsColouredByClass) {
    type("var s = \"text\"; x = 42; // note\r");
    const struct {
        const char* what;
        COLORREF colour;
        bool bold;
    } cases[] = {{"var", kBlue, false},      {"\"text\"", kMagenta, false}, {"42", kMagenta, false},
                 {"// note", kGreen, false}, {"=", kBlack, true},           {" s", kBlack, false}};
    for (const auto& c : cases) {
        const long at = find(c.what);
        ASSERT_GE(at, 0) << c.what;
        const long last = at + static_cast<long>(std::string(c.what).size()) - 1;
        for (long pos : {at, last}) {
            const CHARFORMAT cf = formatAt(pos);
            EXPECT_EQ(cf.crTextColor, c.colour) << c.what << " at " << pos;
            EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, c.bold) << c.what;
            EXPECT_TRUE(cf.dwEffects & CFE_PROTECTED) << c.what;
        }
    }
}

TEST_F(EditCtrl, VBScriptKeywordCaseWaitsForTheCaretToLeave) {
    edit->SetFormater(&vbs);
    type("dim");
    EXPECT_EQ(text(), "dim"); // the caret is still on the word
    EXPECT_EQ(colourAt(0), kBlue);
    type(" x = 12 & \"a\" ' rem\r");
    EXPECT_EQ(text().substr(0, 5), "Dim x");
    EXPECT_EQ(colourAt(find("12")), kMagenta);
    EXPECT_EQ(colourAt(find("\"a\"")), kMagenta);
    EXPECT_EQ(colourAt(find("' rem")), kGreen);
}

TEST_F(EditCtrl, BlockCommentFarAboveRecoloursWhatItCoversOnly) {
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += "var a" + std::to_string(i) + " = 1;\r\n";
    edit->SetText(("x = 1;\r\nend = 2;\r\n" + body).c_str());
    // The view shows the end of the text; the comment goes far above it.
    edit->GoToLine(190, 0);
    edit->SendMessage(EM_SCROLLCARET);
    pm::afxtest::pump();
    ASSERT_GT(edit->GetFirstVisibleLine(), 100);
    EXPECT_EQ(colourAt(find("var a150")), kBlue);
    // Open a comment on the first line, close it on the second: only those lines change.
    caret(0);
    type("/*");
    EXPECT_EQ(colourAt(0), kBlack); // unterminated: not a comment
    caret(find("end"));
    edit->m_nColoured = 0;
    type("*/");
    for (long pos : {0L, find("x = 1"), find("*/")})
        EXPECT_EQ(colourAt(pos), kGreen) << pos;
    EXPECT_EQ(colourAt(find("end")), kBlack);
    EXPECT_EQ(colourAt(find("var a150")), kBlue);
    EXPECT_LT(edit->m_nColoured, 100); // the two lines, not the text below them
    // Deleting the end recolours what the comment may have covered: the comment span limit on.
    caret(find("*/") + 2);
    edit->m_nColoured = 0;
    key(VK_BACK);
    EXPECT_NE(colourAt(find("x = 1")), kGreen);
    EXPECT_LT(edit->m_nColoured, 1100);
}

TEST_F(EditCtrl, RangesSkippedForAWaitingKeyAreColouredAfterIt) {
    edit->SetText("x = 1; /* c */ y = \"s\";");
    // A key waits in the queue: colouring gives way and paints plain.
    edit->PostMessage(WM_KEYDOWN, VK_SHIFT, 0);
    edit->ColorizeRange(0, edit->GetTextLength(), FALSE);
    EXPECT_EQ(colourAt(find("/*")), kBlack);
    EXPECT_EQ(colourAt(find("\"s")), kBlack);
    // Once the keys are handled the range gets its colours, on the control's next timer tick. (The
    // clock follows the steady clock too, so a busy machine may reach that tick at the first pump.)
    pm::afxtest::pump();
    pm::test::advanceClock(10);
    pm::afxtest::pump();
    EXPECT_EQ(colourAt(find("/*")), kGreen);
    EXPECT_EQ(colourAt(find("\"s")), kMagenta);
}

TEST_F(EditCtrl, ALargeRangeIsColouredAsSmallPiecesAre) {
    std::string source;
    for (int i = 0; i < 60; ++i)
        source += "if (x" + std::to_string(i) + " > 2) { s = \"t\"; } /* c\r\n d */ // e\r\n";
    edit->SetText(source.c_str());
    const long length = edit->GetTextLength();
    ASSERT_GT(length, 1536);
    auto plainAll = [&] {
        edit->SetSyntaxColoring(FALSE);
        edit->ColorizeRange(0, length, FALSE);
        edit->SetSyntaxColoring(TRUE);
    };
    plainAll();
    const auto plain = formats();
    edit->ColorizeRange(0, length, FALSE);
    const auto large = formats();
    EXPECT_NE(large, plain);
    plainAll();
    for (int line = 0; line < edit->GetLineCount(); ++line) {
        const int start = edit->LineIndex(line);
        edit->ColorizeRange(start, start + edit->LineLength(start), FALSE);
    }
    EXPECT_EQ(formats(), large);
    EXPECT_EQ(colourAt(find("d */")), kGreen);
}

// A long line is tokenised again only around an edit and recoloured by streaming only the part
// whose classes changed since it was last coloured: after typing, deleting, opening and closing
// strings and comments, splitting and joining it, it shows what colouring the same text from
// scratch shows.
TEST_F(EditCtrl, ALongLineTypedInShowsWhatAFreshColouringShows) {
    std::string line;
    for (int i = 0; line.size() < 5000; ++i)
        line += "var x" + std::to_string(i) + "=\"s\"+" + std::to_string(i) + ";";
    edit->SetText((line + "\r\n" + line).c_str());
    const long middle = 2500, nearStart = 20;
    struct Step {
        const char* name;
        long at;
        std::string typed;
        int backspaces;
    } steps[] = {{"letters in the middle", middle, "abc", 0},
                 {"a quote opens a string to the line's end", middle, "q\"w", 0},
                 {"deleting it again", middle + 3, "", 2},
                 {"a line comment near the start", nearStart, "y//", 0},
                 {"taken back", nearStart + 3, "", 3},
                 {"a block comment opened in the middle", middle, "/*", 0},
                 {"closed further on", middle + 400, "*/", 0},
                 {"its end taken back", middle + 402, "", 2},
                 {"its start taken back", middle + 2, "", 2},
                 {"a break in the middle", middle, "z\r", 0},
                 {"the break taken back", middle + 2, "", 1}};
    for (const Step& s : steps)
        typeAndExpectFreshColours(s.at, s.typed, s.backspaces, s.name);
}

// A text of one long line, edited right after it is set, and a second control on the same
// formater editing the same line between: each key of either is coloured from where the
// formater's kept line says the texts differ, and both show what a fresh colouring shows.
TEST_F(EditCtrl, AOneLineTextSharedFormaterShowsWhatAFreshColouringShows) {
    auto typeIn = [this](std::size_t size) {
        std::string line;
        for (int i = 0; line.size() < size; ++i)
            line += "var x" + std::to_string(i) + "=\"s\"+" + std::to_string(i) + ";";
        CHHEditCtrl other;
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, CRect(0, 0, 300, 100),
                                 view, 101));
        other.SetFormater(&js);
        other.InitControl(FALSE);
        other.SetText(line.c_str());
        edit->SetText(line.c_str());
        const long middle = static_cast<long>(size / 2);
        const struct {
            const char* name;
            long at;
            std::string typed;
            int backspaces;
            bool otherTypes; // the other control types the same before this one
        } steps[] = {{"a letter in the middle", middle, "a", 0, false},
                     {"a quote opens a string to the end", middle, "\"", 0, true},
                     {"closed further on", middle + 500, "\"", 0, false},
                     {"a block comment opened", middle + 100, "/*", 0, true},
                     {"closed", middle + 600, "*/", 0, false},
                     {"its start taken back", middle + 102, "", 2, true}};
        for (const auto& s : steps) {
            if (s.otherTypes) {
                other.SetSel(s.at, s.at);
                for (char c : s.typed)
                    other.SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
                pm::afxtest::pump();
            }
            typeAndExpectFreshColours(s.at, s.typed, s.backspaces, std::to_string(size) + ": " + s.name);
        }
        other.DestroyWindow();
    };
    // A line coloured as a large range that the formater does not keep, and one it keeps.
    for (const std::size_t size : {2500, 6000})
        typeIn(size);
}

// A text larger than the blocks it is coloured in shows what colouring it in one piece shows, with
// the comment markers one scan of the whole text finds: a comment, a string and a line comment
// reach from one block into the next, and an end marker stands alone.
TEST_F(EditCtrl, ALargeTextShowsWhatColouringItInOnePieceShows) {
    std::string large;
    while (large.size() < 65536 - 150)
        large += "var total = item.price * 3; // sum\r\n";
    large += "x = \"a /* in a string\"; /* opened before the block ends\r\n";
    while (large.size() < 65536 + 200)
        large += "  inside, \"quoted\" and // too\r\n";
    large += "*/ after = 1; */ y = \"s\";\r\n";
    while (large.size() < 2 * 65536 + 100)
        large += "z = '*/' + 2; // and /* here\r\n";
    large += "/* open to the end\r\nvar last = 0;";
    edit->SetText(large.c_str());
    const std::u16string wide(large.begin(), large.end());
    CHHCommentMarkerArray whole;
    js.ScanBlockComments(wide.data(), static_cast<int>(wide.size()), whole);
    hh::PairMarkers(whole);
    EXPECT_EQ(listed(edit->GetDelimiters()), listed(whole));
    const auto shown = formats();
    edit->ColorizeRange(0, edit->GetTextLength(), FALSE);
    EXPECT_EQ(shown, formats());
    EXPECT_EQ(colourAt(find("inside")), colourAt(find("opened before")));
    EXPECT_NE(colourAt(find("after")), colourAt(find("opened before")));
}

// The text set is read back as the undo base and the saved text only when the control's messages
// come; a change, or the text set again, before then still finds both.
TEST_F(EditCtrl, UndoAndTheSavedTextHoldForChangesBeforeTheControlsMessagesCome) {
    edit->SetText("abc");
    edit->SetSel(3, 3);
    edit->SendMessage(WM_CHAR, 'x');
    EXPECT_EQ(text(), "abcx");
    undo();
    EXPECT_EQ(text(), "abc");
    EXPECT_FALSE(doc->IsModified());
    edit->SetText("load");
    edit->ReapplyText();
    edit->SetSel(0, 0);
    edit->SendMessage(WM_CHAR, 'y');
    EXPECT_EQ(text(), "yload");
    undo();
    EXPECT_EQ(text(), "load");
    EXPECT_FALSE(doc->IsModified()) << "back at the text set before it was set again";
}

// What is kept of a long line between edits (its buffers, the classes it shows) follows edits
// before, inside and after the stretch last coloured, on another line, undo and Replace All:
// after each chain of them the text shows what colouring it from scratch shows.
TEST_F(EditCtrl, ALongLineKeepsItsColoursThroughEditsUndoAndReplaceAll) {
    std::string line;
    for (int i = 0; line.size() < 5000; ++i)
        line += "var x" + std::to_string(i) + "=\"s\"+" + std::to_string(i) + ";";
    edit->SetText(("f();\r\n" + line + "\r\n" + line).c_str());
    const long first = edit->LineIndex(1), second = edit->LineIndex(2);
    auto replaceAll = [&](const char* find, const char* replace) {
        CHHFindParams params;
        params.m_strFind = find;
        params.m_strReplace = replace;
        edit->ReplaceAll(params, FALSE);
        pm::afxtest::pump();
    };
    const struct {
        const char* name;
        std::function<void()> edits;
    } chains[] = {{"inside, before and after the stretch",
                   [&] {
                       caret(first + 2500);
                       type("\"ab");
                       caret(first + 10);
                       type("q");
                       caret(first + 4000);
                       type("w");
                   }},
                  {"before the line, on the other line and back",
                   [&] {
                       caret(2);
                       type("(");
                       caret(second + 2500);
                       type("k\"");
                       caret(first + 2500);
                       type("m");
                   }},
                  {"typed and undone",
                   [&] {
                       caret(first + 2500);
                       type("/*");
                       undo();
                       caret(first + 2600);
                       type("n");
                   }},
                  {"replaced all, typed after",
                   [&] {
                       replaceAll("var", "\"v");
                       caret(first + 50);
                       type("z");
                   }},
                  {"replaced all and undone", [&] {
                       replaceAll("=", "//");
                       undo();
                       caret(first + 2500);
                       type("p");
                   }}};
    for (const auto& c : chains) {
        c.edits();
        frame->SetFocus();
        const auto shown = formats();
        edit->SetText(text().c_str());
        EXPECT_EQ(shown, formats()) << c.name;
        edit->SetFocus();
    }
}

TEST_F(EditCtrl, AnEndTypedAfterAQuoteInsideACommentClosesIt) {
    edit->SetText("/* it\r\nsays \"hi\r\nx = 1;");
    caret(find("hi") + 2);
    type(" */");
    ASSERT_EQ(edit->GetDelimiters().GetSize(), 2);
    EXPECT_EQ(colourAt(find("says")), kGreen);
    EXPECT_EQ(colourAt(find("x = 1")), kBlack);
}

TEST_F(EditCtrl, CommentsLongerThanTheLimitStayUncoloured) {
    edit->SetText(("/* " + std::string(1030, 'x') + " */ var").c_str());
    EXPECT_NE(colourAt(5), kGreen);
    edit->SetText(("/* " + std::string(1000, 'x') + " */ var").c_str());
    EXPECT_EQ(colourAt(5), kGreen);
    EXPECT_EQ(colourAt(find("var")), kBlue);
}

TEST_F(EditCtrl, UndoGroupsWordsAndHeldDeletes) {
    type("abc def");
    EXPECT_EQ(undoSteps(), 2); // one per word, the space starting the second
    EXPECT_EQ(text(), "");
    pm::test::typeText(edit->m_hWnd, "d\u00e9j\u00e0 vu");
    pm::afxtest::pump();
    EXPECT_EQ(text(), "d\xC3\xA9j\xC3\xA0 vu");
    EXPECT_EQ(undoSteps(), 2); // characters of two bytes continue their word too

    edit->SetText("0123456789");
    edit->EmptyUndoBuffer();
    caret(2);
    for (int i = 0; i < 3; ++i)
        key(VK_DELETE);
    caret(6);
    for (int i = 0; i < 3; ++i)
        key(VK_BACK);
    EXPECT_EQ(text(), "0159");
    EXPECT_EQ(undoSteps(), 2);
    EXPECT_EQ(text(), "0123456789");
}

// Undo and redo change only the stretch that differs: the rest keeps its colours and is not
// coloured again, while what comes back (here an opened comment's end) is coloured as a fresh
// colouring colours it.
TEST_F(EditCtrl, UndoPutsBackOnlyWhatChangedAndColoursItAsNew) {
    std::string lines = "var a = 1;\r\n*/ var b;\r\n";
    for (int i = 0; i < 400; ++i)
        lines += "var item" + std::to_string(i) + " = \"text\"; // note\r\n";
    edit->SetText(lines.c_str());
    caret(0);
    type("/*");
    EXPECT_EQ(colourAt(find("a = 1")), kGreen);
    caret(static_cast<long>(text().size()));
    type("return");
    edit->m_nColoured = 0;
    undo();
    EXPECT_LT(edit->m_nColoured, 100); // the last line only
    EXPECT_EQ(text(), "/*" + lines);
    undo();
    EXPECT_EQ(text(), lines);
    EXPECT_EQ(colourAt(find("a = 1")), kBlack);
    const auto undone = formats();
    redo();
    EXPECT_EQ(colourAt(find("a = 1")), kGreen);
    undo();
    EXPECT_EQ(formats(), undone);
    edit->SetText(lines.c_str());
    EXPECT_EQ(formats(), undone); // what a fresh colouring shows
}

// Undoing Replace All puts the text back in the colours it had, with its comment markers, and
// colours again only what changed its comment status (here lines beyond the replaced ones, when
// a replacement opened, closed or removed a block comment); redo colours as a fresh colouring.
TEST_F(EditCtrl, UndoOfReplaceAllBringsBackColoursAndCommentsAndRedoRecolours) {
    const std::string filler = "var k = \"s\"; // note\r\n";
    const struct {
        const char* name;
        std::string text;
        const char* find;
        const char* replace;
        bool colouredAgain;
    } cases[] = {
        {"no comment involved", "var a = x;\r\n" + filler + "var b = x;", "x", "y", false},
        {"a replacement opens a comment closed lines further on",
         "var a = x;\r\n" + filler + "var c; */ var d;\r\n" + filler, "x", "/*", true},
        {"a replacement closes a comment early", "/* start\r\nvar a = z;\r\n" + filler + "end */ var c;", "z",
         "*/", true},
        {"a replacement removes a comment's start", "var a; /* note\r\n" + filler + "*/ var b;", "/*", "//",
         true},
    };
    auto markers = [&] { return listed(edit->GetDelimiters()); };
    for (const auto& c : cases) {
        edit->SetText(c.text.c_str());
        edit->EmptyUndoBuffer();
        const auto colours = formats();
        const auto marked = markers();
        edit->SetSel(2, 5);
        CHHFindParams params;
        params.m_strFind = c.find;
        params.m_strReplace = c.replace;
        ASSERT_TRUE(edit->ReplaceAll(params, FALSE)) << c.name;
        const std::string replaced = text();
        edit->m_nColoured = 0;
        undo();
        EXPECT_EQ(text(), c.text) << c.name;
        CHARRANGE selection{};
        edit->GetSel(selection);
        EXPECT_EQ(selection.cpMin, 2) << c.name;
        EXPECT_EQ(selection.cpMax, 5) << c.name;
        EXPECT_EQ(formats(), colours) << c.name;
        EXPECT_EQ(markers(), marked) << c.name;
        EXPECT_FALSE(edit->GetModified()) << c.name;
        EXPECT_EQ(edit->m_nColoured > 0, c.colouredAgain) << c.name;
        redo();
        EXPECT_EQ(text(), replaced) << c.name;
        EXPECT_TRUE(edit->GetModified()) << c.name;
        const auto redone = formats();
        const auto redoneMarkers = markers();
        edit->SetText(replaced.c_str());
        EXPECT_EQ(redone, formats()) << c.name;
        EXPECT_EQ(redoneMarkers, markers()) << c.name;
    }
}

// Replace All over a text of many blocks of lines (which its change is read and coloured in)
// colours and marks it as a fresh colouring does, and its undo gives back the colours it had:
// comments open across the edges of blocks, and replacements that open, close or remove them.
TEST_F(EditCtrl, ReplaceAllOverManyBlocksOfLinesColoursAsAFreshColouring) {
    std::string lines;
    for (int i = 0; lines.size() < 300000; ++i)
        lines += i % 1999 == 3      ? "/* open\r\n"
                 : i % 1999 == 1900 ? "var d; \"end */ var x;\r\n"
                                    : "var total = \"a b\" + total; // total\r\n";
    const struct {
        const char* find;
        const char* replace;
    } cases[] = {{"total", "sum"}, {"/* open", "// open"}, {"end */", "end"}, {"var d;", "var d; /*"}};
    // Colour, bold and italic of every character but the line breaks, read as runs.
    auto looks = [&] {
        std::vector<CHARFORMAT> formats;
        std::vector<pm::CharFormatRun> runs;
        const pm::GetCharFormatRuns get{CHARRANGE{0, -1}, &formats, &runs};
        edit->SendMessage(pm::getCharFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&get));
        const std::string shown = text();
        std::vector<std::tuple<COLORREF, DWORD>> all;
        std::size_t pos = 0;
        for (const pm::CharFormatRun& run : runs) {
            const CHARFORMAT& cf = formats[static_cast<std::size_t>(run.format)];
            for (const std::size_t end = pos + static_cast<std::size_t>(run.length); pos < end; ++pos)
                if (shown[pos] != '\r' && shown[pos] != '\n')
                    all.emplace_back(cf.crTextColor, cf.dwEffects & (CFE_BOLD | CFE_ITALIC));
        }
        return all;
    };
    auto markers = [&] { return listed(edit->GetDelimiters()); };
    for (const auto& c : cases) {
        edit->SetText(lines.c_str());
        const auto before = looks();
        CHHFindParams params;
        params.m_strFind = c.find;
        params.m_strReplace = c.replace;
        ASSERT_TRUE(edit->ReplaceAll(params, FALSE)) << c.find;
        const auto replaced = looks();
        const auto replacedMarkers = markers();
        const std::string after = text();
        undo();
        EXPECT_EQ(text(), lines) << c.find;
        EXPECT_EQ(looks(), before) << c.find;
        edit->SetText(after.c_str());
        EXPECT_EQ(replaced, looks()) << c.find;
        EXPECT_EQ(replacedMarkers, markers()) << c.find;
    }
}

// Colours kept with a step in an older font are not given back: the text comes back in the font
// the control shows now.
TEST_F(EditCtrl, UndoOfReplaceAllAfterAFontChangeColoursInTheNewFont) {
    edit->SetText("var a = x;\r\nvar b = x; // x\r\n");
    CHHFindParams params;
    params.m_strFind = "x";
    params.m_strReplace = "yy";
    ASSERT_TRUE(edit->ReplaceAll(params, FALSE));
    edit->SetFont("Arial", -16);
    undo();
    EXPECT_EQ(text(), "var a = x;\r\nvar b = x; // x\r\n");
    for (long pos : {0L, 8L, find("b"), find("// x")})
        EXPECT_STREQ(formatAt(pos).szFaceName, "Arial") << pos;
    const auto undone = formats();
    edit->SetText(text().c_str());
    EXPECT_EQ(undone, formats());
}

// Transactions nest: an inner undo group belongs to the outer one, and the tracking the inner
// held off comes back when it ends (the last word is a step of its own).
TEST_F(EditCtrl, EditTransactionsNestAndRestoreWhatTheyTook) {
    {
        hh::EditTransaction outer(*edit, hh::kUndoGroup | hh::kLockRedraw);
        type("one ");
        {
            hh::EditTransaction inner(*edit, hh::kUndoGroup | hh::kLockRedraw | hh::kNoTracking);
            type("two ");
        }
        type("three ");
    }
    type("four");
    EXPECT_EQ(text(), "one two three four");
    undo();
    EXPECT_EQ(text(), "one two three ");
    undo();
    EXPECT_EQ(text(), "");
    redo();
    EXPECT_EQ(text(), "one two three ");
}

TEST_F(EditCtrl, UndoKeysPostTheCommands) {
    type("one two");
    key('Z', false, true);
    EXPECT_EQ(text(), "one");
    pm::afxtest::pressKey(edit->m_hWnd, VK_BACK, false, false, true); // Alt+Backspace
    EXPECT_EQ(text(), "");
    key('Y', false, true);
    EXPECT_EQ(text(), "one");
    pm::afxtest::pressKey(edit->m_hWnd, VK_BACK, true, false, true); // Alt+Shift+Backspace
    EXPECT_EQ(text(), "one two");
}

TEST_F(EditCtrl, ReplacingTextBeforeACommentKeepsItsMarkers) {
    edit->SetText("x = 1; /* c */ y = 2;");
    edit->SetSel(0, 1);
    type("longer");
    ASSERT_EQ(edit->GetDelimiters().GetSize(), 2);
    EXPECT_EQ(edit->GetDelimiters()[0].m_nPos, find("/*"));
    EXPECT_EQ(edit->GetDelimiters()[1].m_nPos, find("*/"));
    EXPECT_EQ(colourAt(find("c */")), kGreen);
    EXPECT_EQ(colourAt(find("y = 2")), kBlack);
    // Overwriting the end of a comment in overwrite mode ends it.
    caret(find("*/") + 1);
    key(VK_INSERT);
    type("x");
    key(VK_INSERT);
    ASSERT_EQ(text().substr(0, find(" y")), "longer = 1; /* c *x");
    EXPECT_EQ(edit->GetDelimiters().GetSize(), 1);
    EXPECT_EQ(colourAt(find("c *x")), kBlack);
}

TEST_F(EditCtrl, WithoutAFormaterTextIsPlain) {
    edit->SetFormater(nullptr);
    edit->SetText("var s = \"x\"; /* c */\nnext");
    EXPECT_EQ(text(), "var s = \"x\"; /* c */\r\nnext");
    for (long pos : {0L, find("\"x"), find("/*")})
        EXPECT_EQ(colourAt(pos), kBlack) << pos;
    EXPECT_EQ(edit->GetLineCommentString(), "?");
}

TEST_F(EditCtrl, LineCommandsAreOneUndoStepEach) {
    std::string lines;
    for (int i = 0; i < 50; ++i)
        lines += "  line" + std::to_string(i) + "\r\n";
    edit->SetText(lines.c_str());
    edit->EmptyUndoBuffer();
    const std::string original = text();
    edit->SetSel(0, find("line49"));
    edit->CommentSelection();
    EXPECT_EQ(text().substr(0, 10), "//  line0\r");
    EXPECT_NE(text().find("//  line49"), std::string::npos);
    EXPECT_EQ(colourAt(find("line30")), kGreen);
    undo();
    EXPECT_EQ(text(), original); // all fifty lines, beyond the history's limit of forty
    redo();
    EXPECT_NE(text().find("//  line49"), std::string::npos);
    undo();

    // Each command over fifty lines, some of them commented, is one step that undo takes back whole.
    std::string mixed;
    for (int i = 0; i < 50; ++i)
        mixed += std::string(i % 2 ? "//" : "") + "  line" + std::to_string(i) + "\r\n";
    const struct {
        const char* name;
        void (CHHEditCtrl::*run)();
    } commands[] = {{"indent", &CHHEditCtrl::IndentSelection},
                    {"outdent", &CHHEditCtrl::OutdentSelection},
                    {"comment", &CHHEditCtrl::CommentSelection},
                    {"uncomment", &CHHEditCtrl::UncommentSelection}};
    for (const auto& c : commands) {
        edit->SetText(mixed.c_str());
        edit->EmptyUndoBuffer();
        edit->SetSel(0, edit->GetTextLength());
        (edit.get()->*c.run)();
        EXPECT_NE(text(), mixed) << c.name;
        EXPECT_EQ(undoSteps(), 1) << c.name;
        EXPECT_EQ(text(), mixed) << c.name;
    }
    edit->SetText(original.c_str());

    // Three lines selected up to the start of the fourth: Tab indents three, Shift+Tab outdents.
    edit->SetSel(0, find("  line3"));
    key(VK_TAB);
    EXPECT_EQ(text().substr(0, find("  line3") + 1), "\t  line0\r\n\t  line1\r\n\t  line2\r\n ");
    key(VK_TAB, true);
    EXPECT_EQ(text(), original);
    undo();
    undo();
    EXPECT_EQ(text(), original);

    // Uncomment removes one comment string per commented line only.
    edit->SetText("// a\r\nb\r\n////c\r\n");
    edit->SetSel(0, 12);
    edit->UncommentSelection();
    EXPECT_EQ(text(), " a\r\nb\r\n//c\r\n");
    // The line commands are disabled without a selection.
    EXPECT_TRUE(commandEnabled(ID_HHEDIT_COMMENT));
    caret(0);
    for (UINT id : {ID_HHEDIT_INDENT, ID_HHEDIT_OUTDENT, ID_HHEDIT_COMMENT, ID_HHEDIT_UNCOMMENT})
        EXPECT_FALSE(commandEnabled(id)) << id;
}

TEST_F(EditCtrl, ContextMenuRunsItsCommandsOnTheControl) {
    edit->SetText("abc");
    edit->SetSel(0, 2);
    // A keyboard invocation shows the menu at (5, 5); the click waits in the queue for the menu
    // loop and lands on its first item, Cut.
    pm::test::click(edit->m_hWnd, POINT{30, 14});
    edit->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->m_hWnd), MAKELPARAM(-1, -1));
    pm::afxtest::pump();
    EXPECT_EQ(text(), "c");
    // Without a selection Cut is disabled: the same click does nothing, Esc closes the menu.
    pm::test::click(edit->m_hWnd, POINT{30, 14});
    pm::test::pressKey(edit->m_hWnd, VK_ESCAPE);
    edit->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->m_hWnd), MAKELPARAM(-1, -1));
    pm::afxtest::pump();
    EXPECT_EQ(text(), "c");

    // A right click with no selection first puts the caret where it was.
    edit->SetText("abcdef");
    caret(0);
    POINT at{};
    edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 4);
    pm::test::pressKey(edit->m_hWnd, VK_ESCAPE);
    edit->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(at.x + 1, at.y + 3));
    pm::afxtest::pump();
    long start = 0, end = 0;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
}

TEST_F(EditCtrl, EnterCopiesIndentationUpToTheCaretColumn) {
    edit->SetText("    x");
    caret(5);
    key(VK_RETURN);
    EXPECT_EQ(text(), "    x\r\n    ");
    edit->SetText("    x");
    edit->EmptyUndoBuffer();
    caret(2);
    key(VK_RETURN);
    EXPECT_EQ(text(), "  \r\n    x");
    EXPECT_EQ(undoSteps(), 1);
}

TEST_F(EditCtrl, ControlKeysDeleteOneCharacterAndGoHome) {
    const struct {
        const char* text;
        long caret;
        int vk;
        const char* after;
    } cases[] = {
        {"abc def", 0, VK_DELETE, "bc def"}, // one character, never a word
        {"abc def", 7, VK_BACK, "abc de"},
        {"ab\r\ncd", 2, VK_DELETE, "abcd"}, // a line break goes whole
        {"ab\r\ncd", 4, VK_BACK, "abcd"},
    };
    for (const auto& c : cases) {
        edit->SetText(c.text);
        caret(c.caret);
        key(c.vk, false, true);
        EXPECT_EQ(text(), c.after) << c.text << " " << c.caret;
    }
    edit->SetText("one\r\ntwo");
    caret(7);
    key(VK_HOME, true, true); // Ctrl+Shift+Home selects nothing
    long start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
}

TEST_F(EditCtrl, ModifiedFlagFollowsTheSavedText) {
    edit->SetText("saved");
    EXPECT_FALSE(doc->IsModified());             // SetText never marks the document
    EXPECT_FALSE(edit->SendMessage(EM_CANUNDO)); // nor takes a snapshot
    caret(5);
    type("!");
    EXPECT_TRUE(doc->IsModified());
    undo();
    EXPECT_EQ(text(), "saved");
    EXPECT_FALSE(doc->IsModified()); // back at the saved text
    redo();
    EXPECT_TRUE(doc->IsModified());
    // Saved now: undoing to the older text marks the document modified.
    doc->SetModifiedFlag(FALSE);
    edit->SetModified(FALSE);
    undo();
    EXPECT_TRUE(doc->IsModified());

    // Recolouring the whole text after an options change keeps the saved text and the selection.
    edit->SetText("load");
    caret(4);
    type("ed");
    edit->SetSel(1, 2);
    edit->ReapplyText();
    long start = 0, end = 0;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 2);
    undo();
    EXPECT_EQ(text(), "load");
    EXPECT_FALSE(doc->IsModified());

    // A character typed over another in overwrite mode is a change too.
    edit->SetText("abc");
    doc->SetModifiedFlag(FALSE);
    caret(0);
    key(VK_INSERT);
    type("x");
    key(VK_INSERT);
    EXPECT_EQ(text(), "xbc");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EditCtrl, InsertTextAndDeleteRangeAreNotUserEdits) {
    edit->SetText("var a;\r\nb;");
    edit->SetSel(0, 3);
    edit->InsertText("/* x */", 8);
    edit->DeleteRange(CHARRANGE{3, 4});
    EXPECT_EQ(text(), "vara;\r\n/* x */b;");
    CHARRANGE sel{};
    edit->GetSel(sel);
    EXPECT_EQ(sel.cpMin, 0); // the selection stays where it was
    EXPECT_EQ(sel.cpMax, 3);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(edit->SendMessage(EM_CANUNDO));
    EXPECT_EQ(colourAt(find("x */")), kGreen); // coloured all the same
    EXPECT_EQ(std::string(edit->GetTextRange(CHARRANGE{7, 14})), "/* x */");
    // A range given backwards, or running to the end, is read whole into a buffer of its size.
    EXPECT_EQ(std::string(edit->GetTextRange(CHARRANGE{14, 7})), "/* x */");
    EXPECT_EQ(std::string(edit->GetTextRange(CHARRANGE{7, -1})), "/* x */b;");
}

TEST_F(EditCtrl, ReadOnlyRefusesChangesButCopies) {
    edit->SetText("keep me");
    edit->SetReadOnly(TRUE);
    edit->SetSel(0, 4);
    type("x");
    edit->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    edit->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));
    edit->SetSel(7, 7);
    edit->SendMessage(WM_PASTE);
    EXPECT_EQ(text(), "keep me");
    EXPECT_EQ(pm::takeRecordedBeeps().size(), 3u); // typing, cut and paste
    EXPECT_FALSE(commandEnabled(ID_EDIT_PASTE));
    edit->SetSel(0, 4);
    EXPECT_TRUE(commandEnabled(ID_EDIT_COPY));
    edit->SetReadOnly(FALSE);
    caret(7);
    edit->SendMessage(WM_PASTE);
    EXPECT_EQ(text(), "keep mekeep");
}

TEST_F(EditCtrl, CaretColumnBeyondTwoThousandCharacters) {
    edit->SetText(("\t" + std::string(3000, 'x') + "\r\nnext").c_str());
    caret(2901);
    EXPECT_EQ(edit->GetCaretLineCol(), CPoint(2905, 1)); // the Tab counts four
    EXPECT_EQ(edit->GetCaretPosText(), "Ln 1, Col 2905");
    key(VK_DOWN);
    EXPECT_EQ(edit->GetCaretLineCol().y, 2);
}

// The column is counted on from the caret's last place: edits before that place, after it and at
// it, and caret moves both ways along the line, each leave the column the line's own count.
TEST_F(EditCtrl, CaretColumnStaysRightAsTheTextBeforeItChanges) {
    edit->SetText(
        ("a\t" + std::string(5000, 'x') + "\xC3\xA9" + std::string(5000, 'y') + "\r\nnext").c_str());
    const auto expectColumn = [&](const char* step) {
        CHARRANGE sel{};
        edit->GetSel(sel);
        const std::string all = text();
        const std::size_t lineStart = all.rfind('\n', sel.cpMin > 0 ? sel.cpMin - 1 : 0);
        const std::size_t from = lineStart == std::string::npos || sel.cpMin == 0 ? 0 : lineStart + 1;
        const std::string_view line(all.data() + from, static_cast<std::size_t>(sel.cpMin) - from);
        EXPECT_EQ(edit->GetCaretLineCol().x, hh::CaretColumn(line, static_cast<int>(line.size()), 4) + 1)
            << step;
    };
    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"caret far along", [&] { caret(9000); }},
        {"typed at the caret", [&] { type("z\t"); }},
        {"caret back", [&] { key(VK_LEFT); }},
        {"caret back past the two-byte character", [&] { caret(4000); }},
        {"caret on again", [&] { caret(8000); }},
        {"a Tab typed before it",
         [&] {
             edit->SetSel(1, 1);
             type("\t");
             caret(8001);
         }},
        {"characters deleted before it",
         [&] {
             edit->SetSel(0, 3);
             key(VK_DELETE);
             caret(7998);
         }},
        {"replaced before it without a caret move",
         [&] {
             edit->SetSel(5, 7);
             edit->ReplaceSel("\t\t\t");
             caret(7998);
         }},
        {"Replace All before it",
         [&] {
             caret(7998);
             CHHFindParams params;
             params.m_strFind = "a";
             params.m_strReplace = "\t\t";
             edit->ReplaceAll(params, FALSE);
         }},
        {"undo",
         [&] {
             edit->SendMessage(EM_UNDO);
             caret(7998);
         }},
        {"the text set again",
         [&] {
             edit->SetText(("\t\t" + std::string(9000, 'q') + "\r\nab\tc").c_str());
             caret(7998);
         }},
        {"the next line", [&] { caret(static_cast<int>(edit->GetTextLength())); }},
    };
    for (const auto& s : steps) {
        s.act();
        expectColumn(s.step);
    }
}

// Typing moves the caret while the colouring pass moves the selection about and back inside the
// change notification: the status text and the caret line still follow the typing.
TEST_F(EditCtrl, TypingMovesTheStatusColumnAndReportsANewLine) {
    edit->SetText("abc\r\ndef");
    caret(1);
    type("xy");
    EXPECT_EQ(edit->GetCaretLineCol(), CPoint(4, 1));
    edit->m_lines.clear();
    type("\r");
    EXPECT_EQ(edit->GetCaretLineCol(), CPoint(1, 2));
    EXPECT_EQ(edit->m_lines, (std::vector<int>{1}));
    key(VK_BACK);
    EXPECT_EQ(edit->GetCaretLineCol(), CPoint(4, 1));
}

TEST_F(EditCtrl, CaretLineChangesAreReportedOncePerLine) {
    edit->SetText("one\r\ntwo\r\nthree");
    caret(0);
    edit->m_lines.clear();
    key(VK_RIGHT);
    key(VK_RIGHT);
    EXPECT_TRUE(edit->m_lines.empty());
    key(VK_DOWN);
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_EQ(edit->m_lines, (std::vector<int>{1, 2}));
    // A selection reports nothing; the status text follows its moving end.
    key(VK_UP, true);
    EXPECT_EQ(edit->m_lines, (std::vector<int>{1, 2}));
    EXPECT_EQ(edit->GetCaretLineCol().y, 2);
}

TEST_F(EditCtrl, DragMoveWithTheCutAfterTheDropKeepsCommentsRight) {
    edit->SetText("a = 1;\r\n/* c */ b = 2;\r\nvar q;\r\n");
    const long from = find("var q;"), to = from + 6;
    edit->SetSel(from, to);
    pm::afxtest::pump();
    POINT source{}, target{};
    edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&source), from + 2);
    edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&target), 0);
    source.y += 3;
    target.y += 3;
    pm::test::pressMouse(edit->m_hWnd, source);
    pm::afxtest::pump();
    pm::test::moveMouse(edit->m_hWnd, POINT{source.x, source.y - 5});
    pm::afxtest::pump();
    pm::test::moveMouse(edit->m_hWnd, target);
    pm::afxtest::pump();
    pm::test::releaseMouse(edit->m_hWnd, target);
    pm::afxtest::pump();
    ASSERT_EQ(text(), "var q;a = 1;\r\n/* c */ b = 2;\r\n\r\n");
    EXPECT_EQ(colourAt(find("/* c */")), kGreen);
    EXPECT_EQ(colourAt(find("c */")), kGreen);
    EXPECT_EQ(colourAt(find("b = 2")), kBlack);
    ASSERT_EQ(edit->GetDelimiters().GetSize(), 2);
    EXPECT_EQ(edit->GetDelimiters()[0].m_nPos, find("/*"));
    EXPECT_EQ(edit->GetDelimiters()[1].m_nPos, find("*/"));
}

TEST_F(EditCtrl, LineEndsComeBackAsLoaded) {
    const struct {
        const char* file;
        int lines;
    } files[] = {{"a\nb\n\nc", 4}, {"a\r\nb\r\n", 3}, {"a\nb\r\nc\rd\n", 5}};
    for (const auto& f : files) {
        edit->SetText(f.file);
        EXPECT_EQ(std::string(edit->GetText()), f.file);
        EXPECT_EQ(edit->GetLineCount(), f.lines) << f.file; // no break lost
    }
    // Edits on other lines keep a mixed file's line ends.
    edit->SetText("a\nb\r\nc\n");
    caret(0);
    type("x\r");
    EXPECT_EQ(std::string(edit->GetText()), "x\r\na\nb\r\nc\n");
}

TEST_F(EditCtrl, PicturesOfColouredText) {
    edit->SetText("// Coloured JavaScript\r\nfunction area(r) {\r\n\t/* a block\r\n\t   comment */\r\n"
                  "\tvar s = \"pi\";\r\n\treturn 3.14159 * r * r;\r\n}\r\n");
    edit->SetSel(find("area"), find("area") + 4);
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "edit_ctrl_javascript"));
    expectShown({
        {"// Coloured JavaScript", {kWhite, kGreen}},
        {"function", {kWhite, kBlue}},
        {"area", {::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHTTEXT)}},
        {"(r) {", {kWhite, kBlack}},
        {"/* a block", {kWhite, kGreen}},
        {"comment */", {kWhite, kGreen}},
        {"var", {kWhite, kBlue}},
        {"\"pi\"", {kWhite, kMagenta}},
        {"return", {kWhite, kBlue}},
        {"3.14159", {kWhite, kMagenta}},
        {"* r * r;", {kWhite, kBlack}},
    });
    edit->SetFormater(&vbs);
    edit->SetText("' Coloured VBScript\r\nSub Greet(name)\r\n\tDim s\r\n\ts = \"Hello \" & name\r\n"
                  "\tIf Len(s) > 10 Then MsgBox s\r\nEnd Sub\r\n");
    caret(find("Dim") + 1);
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "edit_ctrl_vbscript"));
    EXPECT_EQ(colourAt(find("Sub")), kBlue);
    expectShown({
        {"' Coloured VBScript", {kWhite, kGreen}},
        {"Sub", {kWhite, kBlue}},
        {" Greet(name)", {kWhite, kBlack}},
        {"\"Hello \"", {kWhite, kMagenta}},
        {"10", {kWhite, kMagenta}},
    });
}

} // namespace
