// The code-assistance controls driven by input offscreen: member lists from word files opened by
// '.', filtered by the typed prefix and committed by their keys; tips; aliases through "new";
// bookmarks and breakpoints kept on their lines and walked with their keys; and pictures.

#include "cmake/test_files.h"
#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHReplaceDlg.h"
#include "editor/CHHVBScriptFormater.h"
#include "editor/HHAssistResources.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class CHostView : public CView {
public:
    void OnDraw(CDC*) override {}
};

class CHostDoc : public CDocument {};

// The word files of every test: a program folder of this process.
const std::string& programFolder() {
    static const std::string folder = [] {
        const std::string root = pm::afxtest::makeTempFolder() + "/";
        fs::create_directories(root + "AutoComplete");
        const auto write = [&](const std::string& name, const std::string& text) {
            pm::test::writeFile(root + "AutoComplete/" + name, text);
        };
        write("AutoComplete.ini", "[Alias]\nA=B\nB=A\ndoc=document\n");
        write("document.ini", "[document]\n0=3,write,write(text)\\nWrites text.\n1=3,writeln,writeln(text)\n"
                              "2=3,close,close()\n3=2,title,get set\n4=3,forms,forms\n");
        write("window.ini", "[window]\n0=2,document,the page\n1=3,alert,alert(message)\n");
        write("Shell.ini", "[Shell]\n0=3,Run,Run(command)\n1=3,Exec,Exec(command)\n");
        write("A.ini", "[A]\n0=3,a1\n");
        write("B.ini", "[B]\n0=3,b1\n");
        LoadAutoCompleteIni((root + "AutoComplete\\AutoComplete.ini").c_str());
        return root;
    }();
    return folder;
}

// The columns of a band of rows holding anything but the background.
std::vector<int> inkColumns(HDC dc, int top, int bottom, int width, COLORREF background) {
    std::vector<int> columns;
    for (int x = 0; x < width; ++x)
        for (int y = top; y < bottom; ++y)
            if (::GetPixel(dc, x, y) != background) {
                columns.push_back(x);
                break;
            }
    return columns;
}

class AssistCtrl : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder();
        SetAutoCompleteAuto(TRUE);
        SetAutoCompleteListUnique(FALSE);
        SetAutoCompleteScanLines(40);
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 400)));
        view = new CHostView;
        ASSERT_TRUE(view->Create(AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE,
                                 CRect(0, 0, 600, 340), frame, AFX_IDW_PANE_FIRST));
        doc = std::make_unique<CHostDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->AddView(view);
        frame->ShowWindow(SW_SHOW);
    }
    void create(CHHAssistEditCtrl* control, CHHFormater* formater) {
        edit.reset(control);
        ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                     ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                                 CRect(0, 0, 600, 340), view, 101));
        edit->SetFormater(formater);
        ASSERT_TRUE(edit->InitControl(FALSE));
        edit->SetFocus();
        pm::afxtest::pump();
    }
    void TearDown() override {
        edit.reset();
        doc->RemoveView(view);
        frame->DestroyWindow();
        pm::afxtest::pump();
    }

    // Capitals go to the control as characters: the input driver types letters as lower case.
    void type(const std::string& text) {
        std::string run;
        for (char c : text) {
            if (c < 'A' || c > 'Z') {
                run += c;
                continue;
            }
            pm::afxtest::typeText(edit->m_hWnd, run);
            run.clear();
            edit->SendMessage(WM_CHAR, static_cast<WPARAM>(c));
        }
        pm::afxtest::typeText(edit->m_hWnd, run);
    }
    void key(int vk, bool shift = false, bool control = false) {
        pm::afxtest::pressKey(edit->m_hWnd, vk, shift, control);
    }
    std::string text() {
        CString t;
        edit->GetWindowText(t);
        return std::string(t, static_cast<std::size_t>(t.GetLength()));
    }
    std::vector<std::string> listItems() {
        std::vector<std::string> items;
        CHHMemberListBox& list = edit->GetListBox();
        for (int i = 0; i < list.GetCount(); ++i)
            items.emplace_back(reinterpret_cast<const CHHMemberItem*>(list.GetItemData(i))->m_strText);
        return items;
    }
    bool listShown() { return edit->IsListOpen() && edit->GetListPopup().IsWindowVisible(); }
    bool tipShown() { return edit->GetQuickInfoWnd().IsWindowVisible() != FALSE; }
    std::string tipText() {
        CString t;
        edit->GetQuickInfoWnd().GetWindowText(t);
        return std::string(t);
    }
    int caretLine() { return static_cast<int>(edit->LineFromChar(-1)); }
    bool commandEnabled(UINT id) {
        struct State : CCmdUI {
            BOOL enabled = FALSE;
            void Enable(BOOL on) override { enabled = on; }
        } state;
        state.m_nID = id;
        return edit->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && state.enabled;
    }
    // The rows of lines (from the first visible one) in which the margin shows anything but its
    // face: numbers or marks.
    std::vector<int> shownMarginRows() {
        pm::afxtest::pump();
        CHHMarginWnd* margin = edit->GetMarginWnd();
        margin->UpdateWindow();
        CRect client;
        margin->GetClientRect(&client);
        const int height = edit->GetLineHeight();
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        HDC dc = ::GetDC(margin->m_hWnd);
        std::vector<int> rows;
        for (int row = 0; (row + 1) * height <= client.bottom; ++row)
            if (!inkColumns(dc, row * height, (row + 1) * height, client.right, face).empty())
                rows.push_back(row);
        ::ReleaseDC(margin->m_hWnd, dc);
        return rows;
    }
    // The margin's width; the control stands one pixel right of it.
    int marginBesideControl() {
        CRect margin, control;
        edit->GetMarginWnd()->GetWindowRect(&margin);
        edit->GetWindowRect(&control);
        EXPECT_EQ(control.left, margin.right + 1);
        return margin.Width();
    }
    // The frame with the list and tip popups drawn where they are on the screen.
    void savePicture(const std::string& name) {
        pm::afxtest::pump();
        EXPECT_TRUE(pm::afxtest::savePngWithPopups(
            frame->m_hWnd, {edit->GetListPopup().m_hWnd, edit->GetQuickInfoWnd().m_hWnd}, name));
    }

    CHHJScriptFormater js;
    CHHVBScriptFormater vbs;
    CFrameWnd* frame = nullptr;
    CHostView* view = nullptr;
    std::unique_ptr<CHostDoc> doc;
    std::unique_ptr<CHHAssistEditCtrl> edit;
};

TEST_F(AssistCtrl, DotListsMembersThatThePrefixFiltersAndTabCommits) {
    create(new CAutoCompleteEditCtrl, &js);
    type("x = document.");
    ASSERT_TRUE(listShown());
    EXPECT_EQ(edit->GetListAnchor(), 13);
    EXPECT_EQ(listItems(),
              (std::vector<std::string>{"close", "forms", "get_title", "set_title", "write", "writeln"}));
    type("wR");
    EXPECT_EQ(std::string(edit->GetSelectedItemText()), "write");
    EXPECT_EQ(tipText(), "write(text)\r\nWrites text.");
    type("\t");
    EXPECT_EQ(text(), "x = document.write\t");
    EXPECT_FALSE(listShown());
}

TEST_F(AssistCtrl, EnterCommitsWithoutALineAndDotOpensTheNextList) {
    create(new CAutoCompleteEditCtrl, &js);
    type("document.wri");
    key(VK_DOWN);
    EXPECT_EQ(std::string(edit->GetSelectedItemText()), "writeln");
    type("\r");
    EXPECT_EQ(text(), "document.writeln");
    EXPECT_FALSE(listShown());
    type(" window.docu.");
    EXPECT_EQ(text(), "document.writeln window.document.");
    ASSERT_TRUE(listShown());
    EXPECT_EQ(listItems().front(), "close");
    key(VK_ESCAPE);
    EXPECT_FALSE(listShown());
    EXPECT_FALSE(tipShown());
    type("c");
    EXPECT_EQ(text(), "document.writeln window.document.c");
}

TEST_F(AssistCtrl, AClickSelectsWithoutTheFocusAndADoubleClickCommits) {
    create(new CAutoCompleteEditCtrl, &js);
    type("document.w");
    ASSERT_TRUE(listShown());
    CHHMemberListBox& list = edit->GetListBox();
    const int height = list.GetItemHeight(0);
    pm::afxtest::click(list.m_hWnd, POINT{30, height + height / 2});
    EXPECT_EQ(std::string(edit->GetSelectedItemText()), "forms");
    EXPECT_EQ(::GetFocus(), edit->m_hWnd);
    EXPECT_TRUE(listShown());
    list.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(30, height + height / 2));
    pm::afxtest::pump();
    EXPECT_EQ(text(), "document.forms");
    EXPECT_FALSE(listShown());
}

TEST_F(AssistCtrl, CaretLeavingThePrefixClosesTheList) {
    create(new CAutoCompleteEditCtrl, &js);
    type("document.wr");
    ASSERT_TRUE(listShown());
    key(VK_LEFT);
    EXPECT_TRUE(listShown());
    key(VK_HOME);
    EXPECT_FALSE(listShown());
}

TEST_F(AssistCtrl, NewAssignmentsAliasesAndCycles) {
    create(new CAutoCompleteEditCtrl, &js);
    type("var s = new Shell;\rs.");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"Exec", "Run"}));
    key(VK_ESCAPE);
    SetAutoCompleteScanLines(0);
    type("\rs.");
    EXPECT_FALSE(listShown());
    type("\rA.");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"a1", "b1"})); // A -> B -> A ends
    key(VK_ESCAPE);
    SetAutoCompleteListUnique(TRUE);
    type("\rA.");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"a1"}));
}

TEST_F(AssistCtrl, EmptyObjectNamesTypeTheDotAndListNothing) {
    create(new CAutoCompleteEditCtrl, &js);
    type("var s = new Shell;\rfoo().");
    EXPECT_FALSE(listShown());
    type(" .");
    EXPECT_FALSE(listShown());
    EXPECT_EQ(text(), "var s = new Shell;\r\nfoo(). .");
    SetAutoCompleteAuto(FALSE);
    type("\rdocument.");
    EXPECT_FALSE(listShown());
    EXPECT_EQ(text(), "var s = new Shell;\r\nfoo(). .\r\ndocument.");
}

TEST_F(AssistCtrl, AWordFileEditedOnDiskTakesEffectAtTheNextList) {
    create(new CAutoCompleteEditCtrl, &js);
    const std::string path = programFolder() + "AutoComplete/Edited.ini";
    pm::test::writeFile(path, "[Edited]\n0=3,before\n");
    type("Edited.");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"before"}));
    key(VK_ESCAPE);
    pm::test::writeFile(path, "[Edited]\n0=3,after\n1=3,again\n");
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
    type("\rEdited.");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"after", "again"}));
}

TEST_F(AssistCtrl, VBScriptCallShowsTheSignatureTip) {
    create(new CHHAssistEditCtrl, &vbs);
    type("x = MsgBox(");
    ASSERT_TRUE(tipShown());
    EXPECT_NE(tipText().find("MsgBox("), std::string::npos) << tipText();
    savePicture("assist_parameter_tip");
    type("\"hi\", ");
    edit->SendMessage(WM_COMMAND, ID_HHASSIST_QUICK_INFO); // inside the arguments: the called function
    pm::afxtest::pump();
    EXPECT_NE(tipText().find("MsgBox("), std::string::npos);
    key(VK_LEFT);
    EXPECT_FALSE(tipShown());
}

TEST_F(AssistCtrl, ListFunctionsAndTheirOrder) {
    create(new CHHAssistEditCtrl, &vbs);
    type("Ms");
    edit->SendMessage(WM_COMMAND, ID_HHASSIST_LIST_FUNCTIONS);
    pm::afxtest::pump();
    ASSERT_TRUE(listShown());
    EXPECT_EQ(edit->GetListAnchor(), 0);
    EXPECT_EQ(std::string(edit->GetSelectedItemText()), "MsgBox");
    const std::vector<std::string> items = listItems();
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        return CString(a.c_str()).CompareNoCase(b.c_str()) < 0;
    }));
    CRect r;
    edit->GetListPopup().GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 150);
    EXPECT_EQ(r.Height(), 10 * edit->GetListBox().GetItemHeight(0) + 2);
    type("(");
    EXPECT_EQ(text(), "MsgBox(");
}

TEST_F(AssistCtrl, BookmarksStayOnTheirLinesAndAreWalkedWithTheirKeys) {
    create(new CAutoCompleteEditCtrl, &js);
    std::string lines;
    for (int i = 0; i < 12; ++i)
        lines += "line" + std::to_string(i) + "\r\n";
    edit->SetText(lines.c_str());
    CHHMarginWnd::CreateSmallFont(TRUE);
    const auto goLine = [&](int line) {
        edit->SetSel(edit->LineIndex(line), edit->LineIndex(line));
        pm::afxtest::pump();
    };
    goLine(4);
    key(VK_F2, false, true);
    goLine(7);
    key(VK_F2, false, true);
    EXPECT_EQ(edit->GetLineMarkers(4), HHMARK_BOOKMARK);
    EXPECT_EQ(edit->GetLineMarkers(7), HHMARK_BOOKMARK);
    savePicture("assist_margin_bookmarks");
    goLine(1);
    type("new\rlines\r");
    EXPECT_EQ(edit->GetLineMarkers(6), HHMARK_BOOKMARK);
    EXPECT_EQ(edit->GetLineMarkers(9), HHMARK_BOOKMARK);
    goLine(0);
    edit->SetSel(0, edit->LineIndex(2)); // two lines above both
    key(VK_DELETE);
    EXPECT_EQ(edit->GetLineMarkers(4), HHMARK_BOOKMARK);
    EXPECT_EQ(edit->GetLineMarkers(7), HHMARK_BOOKMARK);
    EXPECT_EQ(edit->GetMarkers().size(), 2u);
    goLine(0);
    key(VK_F2);
    EXPECT_EQ(caretLine(), 4);
    key(VK_F2);
    EXPECT_EQ(caretLine(), 7);
    key(VK_F2);
    EXPECT_EQ(caretLine(), 4);
    key(VK_F2, true);
    EXPECT_EQ(caretLine(), 7);
    // A block holding a marked line's start takes the mark with it.
    edit->SetSel(edit->LineIndex(3) + 2, edit->LineIndex(5));
    key(VK_DELETE);
    EXPECT_EQ(edit->GetMarkers().size(), 1u);
    CHHMarginWnd::CreateSmallFont(FALSE);
}

TEST_F(AssistCtrl, UndoAndRedoKeepBookmarksOnTheirLines) {
    create(new CAutoCompleteEditCtrl, &js);
    edit->SetText("a\r\nb\r\nc\r\nd");
    edit->SetSel(edit->LineIndex(3), edit->LineIndex(3));
    key(VK_F2, false, true);
    edit->SetSel(0, 0);
    type("x\r");
    EXPECT_EQ(edit->GetLineMarkers(4), HHMARK_BOOKMARK);
    while (edit->SendMessage(EM_CANUNDO))
        edit->SendMessage(EM_UNDO);
    pm::afxtest::pump();
    EXPECT_EQ(text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(edit->GetLineMarkers(3), HHMARK_BOOKMARK);
    while (edit->SendMessage(EM_CANREDO))
        edit->SendMessage(EM_REDO);
    pm::afxtest::pump();
    EXPECT_EQ(text(), "x\r\na\r\nb\r\nc\r\nd");
    EXPECT_EQ(edit->GetLineMarkers(4), HHMARK_BOOKMARK);
    EXPECT_EQ(edit->GetMarkers().size(), 1u);
}

TEST_F(AssistCtrl, DisabledBreakpointsIgnoreTheirCommands) {
    create(new CAutoCompleteEditCtrl, &js);
    type("a\rb\r");
    key(VK_F9);
    EXPECT_EQ(edit->GetLineMarkers(2), HHMARK_BREAKPOINT);
    edit->EnableBreakpoints(FALSE);
    EXPECT_FALSE(commandEnabled(ID_HHASSIST_TOGGLE_BREAKPOINT));
    EXPECT_FALSE(commandEnabled(ID_HHASSIST_CLEAR_BREAKPOINTS));
    EXPECT_TRUE(commandEnabled(ID_HHASSIST_TOGGLE_BOOKMARK));
    key(VK_UP);
    key(VK_F9);
    edit->SendMessage(WM_COMMAND, ID_HHASSIST_CLEAR_BREAKPOINTS);
    EXPECT_EQ(edit->GetLineMarkers(1), 0);
    EXPECT_EQ(edit->GetLineMarkers(2), HHMARK_BREAKPOINT);
}

TEST_F(AssistCtrl, MemberListPicture) {
    create(new CAutoCompleteEditCtrl, &js);
    type("function show() {\r\tdocument.wr");
    ASSERT_TRUE(listShown());
    CRect list, client;
    edit->GetListPopup().GetWindowRect(&list);
    POINT caret{};
    edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), edit->GetListAnchor());
    edit->ClientToScreen(&caret);
    EXPECT_EQ(list.left, caret.x);
    EXPECT_EQ(list.top, caret.y + edit->GetLineHeight() + 1);
    savePicture("assist_member_list");
}

TEST_F(AssistCtrl, TheOpenListFollowsTheMovedWindowWithinHalfASecond) {
    create(new CAutoCompleteEditCtrl, &js);
    type("document.");
    ASSERT_TRUE(listShown());
    CRect before, frameRect;
    edit->GetListPopup().GetWindowRect(&before);
    frame->GetWindowRect(&frameRect);
    frame->SetWindowPos(nullptr, frameRect.left + 40, frameRect.top + 25, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pm::test::advanceClock(500);
    pm::afxtest::pump();
    CRect after;
    edit->GetListPopup().GetWindowRect(&after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 25);
    EXPECT_EQ(after.Size(), before.Size());
}

TEST_F(AssistCtrl, TheOpenListGoesWithTheControlsWindowAndFreesItsItems) {
    create(new CAutoCompleteEditCtrl, &js);
    type("document.");
    ASSERT_TRUE(listShown());
    const HWND popup = edit->GetListPopup().m_hWnd;
    const HWND tip = edit->GetQuickInfoWnd().m_hWnd;
    // The window goes before its object, as a view's control does: the items are freed then.
    ::DestroyWindow(edit->m_hWnd);
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_EQ(edit->GetListBox().m_hWnd, nullptr);
}

TEST_F(AssistCtrl, MarginClicksToggleTheMarksOfTheLineClicked) {
    create(new CAutoCompleteEditCtrl, &js);
    edit->SetText("a\r\nb\r\nc");
    pm::afxtest::pump();
    CHHMarginWnd* margin = edit->GetMarginWnd();
    const int height = edit->GetLineHeight();
    pm::afxtest::click(margin->m_hWnd, POINT{5, height + height / 2});
    EXPECT_EQ(edit->GetLineMarkers(1), HHMARK_BREAKPOINT);
    margin->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(5, height + 2));
    EXPECT_EQ(edit->GetLineMarkers(1), HHMARK_BREAKPOINT | HHMARK_BOOKMARK);
    pm::afxtest::click(margin->m_hWnd, POINT{5, height * 5}); // below the last line
    EXPECT_EQ(edit->GetMarkers().size(), 1u);
    EXPECT_EQ(marginBesideControl(), CHHMarginWnd::kWidth);
}

// A marked line keeps its mark whatever Replace All does before, on and after it, and undo and
// redo put the text back under marks that stay on their lines.
TEST_F(AssistCtrl, MarksStayOnTheirLinesThroughReplaceAllItsUndoAndRedo) {
    create(new CAutoCompleteEditCtrl, &js);
    std::string lines;
    for (int i = 0; i < 10; ++i)
        lines += (i % 3 == 0 ? "old old = " : "keep = ") + std::to_string(i) + ";\r\n";
    for (const char* replacement : {"newer", "new", "o", ""}) {
        edit->SetText(lines.c_str());
        edit->EmptyUndoBuffer();
        for (int line : {2, 3, 7}) {
            edit->SetSel(edit->LineIndex(line), edit->LineIndex(line));
            key(VK_F2, false, true);
        }
        edit->SetSel(0, 0);
        CHHEditCtrl::s_strFindText = "old"; // searched for before: Replace is enabled
        pm::setDialogHook([replacement](HWND dialog) {
            ::SetDlgItemTextA(dialog, IDC_HHFIND_WHAT, "old");
            ::SetDlgItemTextA(dialog, IDC_HHFIND_REPLACEWITH, replacement);
            ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_REPLACEALL, 0);
            ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        edit->SendMessage(WM_COMMAND, ID_EDIT_REPLACE);
        pm::setDialogHook(nullptr);
        ASSERT_EQ(text().find("old"), std::string::npos) << replacement;
        const auto marked = [&] {
            std::vector<int> rows;
            for (int line = 0; line < edit->GetLineCount(); ++line)
                if (edit->GetLineMarkers(line) == HHMARK_BOOKMARK) rows.push_back(line);
            return rows;
        };
        const std::vector<int> expected{2, 3, 7};
        EXPECT_EQ(marked(), expected) << "replaced by \"" << replacement << "\"";
        EXPECT_EQ(shownMarginRows(), expected) << replacement;
        key('Z', false, true);
        EXPECT_EQ(text(), lines);
        EXPECT_EQ(marked(), expected) << "undone: " << replacement;
        key('Y', false, true);
        EXPECT_EQ(marked(), expected) << "redone: " << replacement;
        edit->SendMessage(WM_COMMAND, ID_HHASSIST_CLEAR_BOOKMARKS);
    }
}

// The ink columns of a number drawn alone as the margin draws one, in a row of the given height.
std::vector<int> numberInk(const char* number, int rowHeight) {
    CFont font;
    font.CreateFont(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
                    CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Small Fonts");
    const int width = 100;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, rowHeight);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    HGDIOBJ oldFont = ::SelectObject(memory, font.GetSafeHandle());
    const RECT all{0, 0, width, rowHeight};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(memory, TRANSPARENT);
    ::TextOutA(memory, 0, (rowHeight - 13) / 2, number, static_cast<int>(std::strlen(number)));
    std::vector<int> columns = inkColumns(memory, 0, rowHeight, width, RGB(255, 255, 255));
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return columns;
}

// With line numbers on the margin is as wide as the largest number needs, and shows it whole.
TEST_F(AssistCtrl, LineNumbersFitTheLargestNumberOfTheText) {
    create(new CAutoCompleteEditCtrl, &js);
    std::string lines;
    for (int i = 0; i < 200276; ++i)
        lines += "x\r\n";
    edit->SetText(lines.c_str()); // 200,277 lines, the last one empty
    CHHMarginWnd::CreateSmallFont(TRUE);
    edit->GetMarginWnd()->Invalidate(); // as the program's line-number switch does
    key(VK_END, false, true);
    ASSERT_EQ(edit->GetLineCount(), 200277);
    const int lastRow = edit->GetLineCount() - 1 - edit->GetFirstVisibleLine();
    EXPECT_EQ(shownMarginRows().back(), lastRow);
    CHHMarginWnd* margin = edit->GetMarginWnd();
    CRect client;
    margin->GetClientRect(&client);
    const int height = edit->GetLineHeight();
    HDC dc = ::GetDC(margin->m_hWnd);
    const std::vector<int> shown = inkColumns(dc, lastRow * height, (lastRow + 1) * height, client.Width(),
                                              ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(margin->m_hWnd, dc);
    const std::vector<int> expected = numberInk("200277", height);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(shown, expected) << "the last row shows 200277 whole";
    EXPECT_LT(expected.back(), client.Width() - 1) << "room to spare after the last digit";
    EXPECT_GT(marginBesideControl(), CHHMarginWnd::kWidth);

    // Without line numbers the margin has its own width again.
    CHHMarginWnd::CreateSmallFont(FALSE);
    margin->Invalidate();
    pm::afxtest::pump();
    EXPECT_EQ(marginBesideControl(), CHHMarginWnd::kWidth);
}

// The numbers follow the line count: lines taken back by undo lose theirs, and lines a new text
// adds get theirs.
TEST_F(AssistCtrl, LineNumbersFollowTheLineCountThroughUndoAndANewText) {
    create(new CAutoCompleteEditCtrl, &js);
    CHHMarginWnd::CreateSmallFont(TRUE);
    edit->SetText("a\r\nb\r\nc");
    pm::afxtest::pump();
    EXPECT_EQ(shownMarginRows(), (std::vector<int>{0, 1, 2}));
    key(VK_END, false, true);
    type("\r\r\r");
    EXPECT_EQ(shownMarginRows(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    for (int i = 0; i < 3; ++i)
        key('Z', false, true);
    EXPECT_EQ(text(), "a\r\nb\r\nc");
    EXPECT_EQ(shownMarginRows(), (std::vector<int>{0, 1, 2}));
    edit->SetText("a\r\nb\r\nc\r\nd\r\ne"); // a file read again
    EXPECT_EQ(shownMarginRows(), (std::vector<int>{0, 1, 2, 3, 4}));
    CHHMarginWnd::CreateSmallFont(FALSE);
}

TEST_F(AssistCtrl, NearTheScreensBottomTheListOpensAboveTheLine) {
    create(new CAutoCompleteEditCtrl, &js);
    const int screen = ::GetSystemMetrics(SM_CYSCREEN);
    frame->SetWindowPos(nullptr, 0, screen - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pm::afxtest::pump();
    type("document.");
    ASSERT_TRUE(listShown());
    POINT anchor{};
    edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&anchor), edit->GetListAnchor());
    edit->ClientToScreen(&anchor);
    CRect list;
    edit->GetListPopup().GetWindowRect(&list);
    EXPECT_EQ(list.bottom, anchor.y - 1);
}

} // namespace
