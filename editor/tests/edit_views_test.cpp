// The edit views in a small MDI program: JavaScript and VBScript files opened, edited, saved and
// reopened byte for byte with their own line ends, files too large or binary refused with a
// message, new documents with LF line ends, a view without a formater; printing to a PDF file
// page by page (margins larger than the page still end), Page Setup margins shared by later
// windows, and print preview.

#include "cmake/test_files.h"
#include "editor/CHHAssistEditCtrl.h"
#include "editor/CHHEditView.h"
#include "editor/CHHFindDlg.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/HHEditSettings.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT IDR_SCRIPT = 320;

// Page objects in a PDF file; -1 without the file.
int pdfPages(const std::string& path) {
    if (!std::ifstream(path)) return -1;
    const std::string bytes = pm::test::readFile(path);
    const std::string page = "/Type /Page";
    int count = 0;
    for (std::size_t at = bytes.find(page); at != std::string::npos; at = bytes.find(page, at + 1))
        if (at + page.size() >= bytes.size() || bytes[at + page.size()] != 's') ++count;
    return count;
}

// The document hands its file to its edit view.
class CScriptDoc : public CDocument {
    DECLARE_DYNCREATE(CScriptDoc)
public:
    void Serialize(CArchive& ar) override {
        POSITION pos = GetFirstViewPosition();
        if (CView* view = pos ? GetNextView(pos) : nullptr) view->Serialize(ar);
    }
};
IMPLEMENT_DYNCREATE(CScriptDoc, CDocument)

// Printing goes to the file the Save dialog names.
class CPrintingJScriptView : public CHHJScriptEditView {
    DECLARE_DYNCREATE(CPrintingJScriptView)
public:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        pInfo->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
        return CHHJScriptEditView::OnPreparePrinting(pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        printed.push_back(pInfo->m_nCurPage);
        CHHJScriptEditView::OnPrint(pDC, pInfo);
    }
    std::vector<UINT> printed;
};
IMPLEMENT_DYNCREATE(CPrintingJScriptView, CHHJScriptEditView)

// The main frame shows the caret position in the status pane the edit control writes.
class CScriptFrame : public CMDIFrameWnd {
public:
    CStatusBar m_wndStatusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_HHEDIT_STATUS_PANE};
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2)) return -1;
        return 0;
    }
    afx_msg void OnUpdateCaretPane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(ID_HHEDIT_STATUS_PANE, OnUpdateCaretPane)
END_MESSAGE_MAP()

class CScriptApp : public CWinApp {
public:
    CScriptApp() : CWinApp("Edit Views Test") {}
    BOOL InitInstance() override {
        pm::res::addMenu(IDR_SCRIPT, {{{"&File", 0, MF_POPUP, {{"&Print...", ID_FILE_PRINT, 0, {}}}},
                                       {"&Window", 0, MF_POPUP, {{"&Cascade", ID_WINDOW_CASCADE, 0, {}}}}}});
        pm::afx::registerStandardClasses();
        js = new CMultiDocTemplate(IDR_SCRIPT, RUNTIME_CLASS(CScriptDoc), RUNTIME_CLASS(CMDIChildWnd),
                                   RUNTIME_CLASS(CPrintingJScriptView));
        vbs = new CMultiDocTemplate(IDR_SCRIPT, RUNTIME_CLASS(CScriptDoc), RUNTIME_CLASS(CMDIChildWnd),
                                    RUNTIME_CLASS(CHHVBScriptEditView));
        plain = new CMultiDocTemplate(IDR_SCRIPT, RUNTIME_CLASS(CScriptDoc), RUNTIME_CLASS(CMDIChildWnd),
                                      RUNTIME_CLASS(CHHEditView));
        AddDocTemplate(js);
        AddDocTemplate(vbs);
        AddDocTemplate(plain);
        auto* main = new CScriptFrame;
        if (!main->LoadFrame(IDR_SCRIPT)) return FALSE;
        m_pMainWnd = main;
        main->MoveWindow(0, 0, 900, 640);
        main->ShowWindow(SW_SHOW);
        return TRUE;
    }
    CMultiDocTemplate* js = nullptr;
    CMultiDocTemplate* vbs = nullptr;
    CMultiDocTemplate* plain = nullptr;
};

class EditViews : public ::testing::Test {
protected:
    void SetUp() override {
        folder = pm::afxtest::makeTempFolder();
        ASSERT_TRUE(app.InitApplication());
        ASSERT_TRUE(app.InitInstance());
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& request) {
            pm::CommonDialogAnswer answer;
            answer.accepted = true;
            if (request.kind == pm::CommonDialog::Print) answer.printer = "PDF";
            if (request.kind == pm::CommonDialog::Save) answer.paths = {output};
            if (request.kind == pm::CommonDialog::PageSetup) {
                asked = request;
                for (int i = 0; i < 4; ++i)
                    answer.marginMm[i] = marginMm[i];
            }
            return answer;
        });
    }
    void TearDown() override {
        pm::setMessageBoxHook(nullptr);
        pm::setCommonDialogHook(nullptr);
        CHHEditCtrl::s_rcMargins = CRect(720, 720, 720, 720);
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        pm::afxtest::pump();
        pm::afxtest::removeFolder(folder);
    }
    CDocument* open(CMultiDocTemplate* tmpl, const std::string& name, const std::string& bytes) {
        const std::string path = folder + "/" + name;
        pm::test::writeFile(path, bytes);
        CDocument* doc = tmpl->OpenDocumentFile(path.c_str());
        pm::afxtest::pump();
        return doc;
    }
    static CHHEditView* viewOf(CDocument* doc) {
        POSITION pos = doc->GetFirstViewPosition();
        return static_cast<CHHEditView*>(doc->GetNextView(pos));
    }
    static int documents(CDocTemplate* tmpl) {
        int n = 0;
        for (POSITION pos = tmpl->GetFirstDocPosition(); pos; tmpl->GetNextDoc(pos))
            ++n;
        return n;
    }
    void typeAtStart(CDocument* doc, const std::string& text) {
        CHHEditCtrl* edit = viewOf(doc)->GetEditCtrl();
        edit->SetFocus();
        edit->SetSel(0, 0);
        pm::afxtest::typeText(edit->m_hWnd, text);
    }
    std::string lines(int count) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "var line" + std::to_string(i) + " = " + std::to_string(i) + ";\r\n";
        return text;
    }

    CScriptApp app;
    std::string folder;
    std::string output;
    double marginMm[4] = {0, 0, 0, 0};
    pm::CommonDialogRequest asked;
    std::vector<std::string> boxes;
};

} // namespace

TEST_F(EditViews, FilesComeBackByteForByteExceptTheEditWithTheirOwnLineEnds) {
    struct Case {
        CMultiDocTemplate* CScriptApp::*tmpl;
        const char* name;
        std::string bytes;
    } cases[] = {
        {&CScriptApp::js, "crlf.js", "function f() {\r\n\treturn 1;\r\n}\r\n"},
        {&CScriptApp::js, "lf.js", "var a = 1;\nvar b = 2;\n"},
        {&CScriptApp::vbs, "mixed.vbs", "Dim a\r\nDim b\nDim c\rEnd\r\n"},
        {&CScriptApp::vbs, "last line.vbs", "Sub Main()\r\nEnd Sub"},
    };
    for (const Case& c : cases) {
        CDocument* doc = open(app.*c.tmpl, c.name, c.bytes);
        ASSERT_NE(doc, nullptr) << c.name;
        typeAtStart(doc, "x");
        EXPECT_TRUE(doc->IsModified()) << c.name;
        ASSERT_TRUE(doc->OnSaveDocument(doc->GetPathName())) << c.name;
        const std::string path = folder + "/" + c.name;
        EXPECT_EQ(pm::test::readFile(path), "x" + c.bytes) << c.name;
        doc->OnCloseDocument();
        pm::afxtest::pump();
        CDocument* again = (app.*c.tmpl)->OpenDocumentFile(path.c_str());
        ASSERT_NE(again, nullptr);
        ASSERT_TRUE(again->OnSaveDocument(again->GetPathName()));
        EXPECT_EQ(pm::test::readFile(path), "x" + c.bytes) << c.name << ": saved unchanged";
        again->OnCloseDocument();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EditViews, TheViewsColourByTheirLanguageAndCarryTheAssistControlBesideItsMargin) {
    CDocument* js = open(app.js, "a.js", "var x; // note\r\n");
    CDocument* vbs = open(app.vbs, "b.vbs", "Dim x ' note\r\n");
    CDocument* plain = open(app.plain, "c.txt", "var x; // note\r\n");
    ASSERT_TRUE(js && vbs && plain);
    auto colourAt = [](CDocument* doc, long pos) {
        CHHEditCtrl* edit = viewOf(doc)->GetEditCtrl();
        edit->SetSel(pos, pos + 1);
        CHARFORMAT cf{};
        edit->GetSelectionCharFormat(cf);
        return cf.crTextColor;
    };
    EXPECT_EQ(colourAt(js, 0), RGB(0, 0, 255));
    EXPECT_EQ(colourAt(js, 7), RGB(0, 128, 0));
    EXPECT_EQ(colourAt(vbs, 0), RGB(0, 0, 255));
    EXPECT_EQ(colourAt(vbs, 6), RGB(0, 128, 0));
    EXPECT_EQ(colourAt(plain, 0), RGB(0, 0, 0));
    EXPECT_EQ(colourAt(plain, 7), RGB(0, 0, 0));
    EXPECT_EQ(viewOf(plain)->GetEditCtrl()->GetLineCommentString(), CString("?"));
    // Each view carries the code-assistance control: its margin at the view's left, the control
    // beside it filling the rest, and its keys (Ctrl+F2 marks the caret's line).
    for (CDocument* doc : {js, vbs, plain}) {
        CHHEditView* view = viewOf(doc);
        auto* edit = dynamic_cast<CHHAssistEditCtrl*>(view->GetEditCtrl());
        ASSERT_NE(edit, nullptr) << view->GetRuntimeClass()->m_lpszClassName;
        CRect client, control, margin;
        view->GetClientRect(&client);
        edit->GetWindowRect(&control);
        edit->GetMarginWnd()->GetWindowRect(&margin);
        view->ScreenToClient(&control);
        view->ScreenToClient(&margin);
        EXPECT_TRUE(edit->GetMarginWnd()->IsWindowVisible());
        EXPECT_EQ(margin.TopLeft(), CPoint(0, 0));
        EXPECT_EQ(control, CRect(margin.right + 1, 0, client.right, client.bottom));
        EXPECT_EQ(edit->GetDlgCtrlID(), 100);
        view->GetParentFrame()->ActivateFrame();
        pm::afxtest::pump();
        EXPECT_EQ(::GetFocus(), edit->m_hWnd) << "the view hands the focus to its control";
        pm::afxtest::pressKey(edit->m_hWnd, VK_F2, false, true);
        EXPECT_EQ(edit->GetLineMarkers(0), HHMARK_BOOKMARK);
    }
    for (CDocument* shown : {js, vbs, plain})
        viewOf(shown)->GetEditCtrl()->SetSel(0, 0);
    app.m_pMainWnd->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    pm::afxtest::pump();
    ::RedrawWindow(app.m_pMainWnd->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(pm::afxtest::savePng(app.m_pMainWnd->m_hWnd, "edit_views_mdi"));
}

TEST_F(EditViews, FilesTooLargeOrBinaryAreRefusedWithAMessageAndNothingChanges) {
    const std::string big(11 * 1024 * 1024, 'a');
    const std::string binary = std::string("var a;\0var b;", 14);
    for (const std::string* bytes : {&big, &binary}) {
        boxes.clear();
        const int before = documents(app.js);
        EXPECT_EQ(open(app.js, "refused.js", *bytes), nullptr);
        EXPECT_EQ(documents(app.js), before);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(bytes == &big ? "too large" : "NUL"), std::string::npos) << boxes[0];
        EXPECT_EQ(boxes[0].rfind(folder + "/refused.js\n", 0), 0u)
            << "the message names the file: " << boxes[0];
        EXPECT_EQ(pm::test::readFile(folder + "/refused.js"), *bytes);
    }
    EXPECT_EQ(CHHEditView::RefusalReason(std::string(CHHEditView::kMaxFileSize, 'a')), "");
    // Line breaks take two characters in the control: LF and CR files need more room than bytes.
    EXPECT_EQ(CHHEditView::ControlLength("a\nb\r\nc\rd\n\r"), 14);
    std::string lfLines;
    for (int i = 0; i < 4 * 1024 * 1024; ++i)
        lfLines += "a\n";
    EXPECT_NE(CHHEditView::RefusalReason(lfLines), "") << "8 MB of short LF lines are 12 MB in the control";
}

TEST_F(EditViews, ANewDocumentIsSavedWithLfLineEnds) {
    CDocument* doc = app.js->OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    pm::afxtest::pump();
    typeAtStart(doc, "a\rb\r");
    const std::string path = folder + "/new.js";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(pm::test::readFile(path), "a\nb\n");
}

TEST_F(EditViews, PrintingGivesOnePagePerPageOfLinesAndEndsWithMarginsLargerThanThePage) {
    CDocument* doc = open(app.js, "long.js", lines(300));
    ASSERT_NE(doc, nullptr);
    auto* view = static_cast<CPrintingJScriptView*>(viewOf(doc));
    CHHEditCtrl* edit = view->GetEditCtrl();
    EXPECT_EQ(edit->GetPrintRect(), CRect(720, 720, 12240 - 720, 15840 - 720)) << "7.5 by 10 inches";
    output = folder + "/long.pdf";
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    pm::afxtest::pump();
    // Letter pages at 150 dpi: 10 inches of 9.75 pt lines.
    const int pages = pdfPages(output);
    EXPECT_EQ(pages, static_cast<int>(view->printed.size()));
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 5);
    for (int i = 0; i < pages; ++i)
        EXPECT_EQ(view->printed[static_cast<std::size_t>(i)], static_cast<UINT>(i + 1));

    // An empty text prints one page; margins that leave no room still print each line once.
    CDocument* empty = open(app.js, "empty.js", "");
    auto* emptyView = static_cast<CPrintingJScriptView*>(viewOf(empty));
    output = folder + "/empty.pdf";
    emptyView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(pdfPages(output), 1);

    // A line far wider than the page still moves printing on.
    CDocument* wide = open(app.js, "wide.js", "var s = \"" + std::string(20000, 'w') + "\";\r\n" + lines(3));
    auto* wideView = static_cast<CPrintingJScriptView*>(viewOf(wide));
    output = folder + "/wide.pdf";
    wideView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(pdfPages(output), 1);

    CHHEditCtrl::s_rcMargins = CRect(7000, 8000, 7000, 8000);
    CDocument* cramped = open(app.js, "cramped.js", lines(5));
    auto* crampedView = static_cast<CPrintingJScriptView*>(viewOf(cramped));
    output = folder + "/cramped.pdf";
    crampedView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(pdfPages(output), 5);
}

TEST(PageSetupMargins, TwipsAndThousandthsOfAnInchRoundToTens) {
    struct Case {
        int twips, thousandths;
    } cases[] = {{720, 500}, {1000, 690}, {1440, 1000}, {0, 0}, {1447, 1000}, {1452, 1010}};
    for (const Case& c : cases)
        EXPECT_EQ(hh::TwipsToThousandths(c.twips), c.thousandths) << c.twips;
    EXPECT_EQ(hh::ThousandthsToTwips(500), 720);
    EXPECT_EQ(hh::ThousandthsToTwips(694), 993) << "rounded to 690 first";
    EXPECT_EQ(hh::ThousandthsToTwips(695), 1008) << "rounded to 700 first";
}

TEST_F(EditViews, PageSetupMarginsApplyToWindowsOpenedAfterwards) {
    CDocument* first = open(app.js, "first.js", "a\r\n");
    ASSERT_NE(first, nullptr);
    marginMm[0] = 25.4;   // 1000 thousandths
    marginMm[1] = 12.7;   // 500
    marginMm[2] = 17.653; // 695: rounds to 700
    marginMm[3] = 12.7;
    viewOf(first)->GetEditCtrl()->SendMessage(WM_COMMAND, ID_FILE_PAGE_SETUP);
    pm::afxtest::pump();
    EXPECT_TRUE(asked.hasMargins);
    EXPECT_NEAR(asked.marginMm[0], 12.7, 0.01) << "720 twips shown as 500 thousandths";
    const CRect expected(1440, 720, 1008, 720);
    EXPECT_EQ(viewOf(first)->GetEditCtrl()->GetMargins(), expected);
    CDocument* later = open(app.js, "later.js", "b\r\n");
    EXPECT_EQ(viewOf(later)->GetEditCtrl()->GetMargins(), expected);
}

TEST_F(EditViews, PrintPreviewShowsThePagesThePrintoutHas) {
    CDocument* doc = open(app.js, "preview.js", lines(300));
    ASSERT_NE(doc, nullptr);
    auto* view = static_cast<CPrintingJScriptView*>(viewOf(doc));
    output = folder + "/preview.pdf";
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    const int printed = pdfPages(output);
    ASSERT_GT(printed, 1);

    CFrameWnd* child = view->GetParentFrame();
    child->ShowWindow(SW_MAXIMIZE);
    pm::afxtest::pump();
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    pm::afxtest::pump();
    auto* preview = static_cast<CPreviewView*>(child->GetActiveView());
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->IsKindOf(RUNTIME_CLASS(CPreviewView)));
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    ::RedrawWindow(app.m_pMainWnd->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(pm::afxtest::savePng(app.m_pMainWnd->m_hWnd, "edit_view_print_preview"));
    // Next until the last page is in view: the preview knows as many pages as were printed.
    for (int i = 0; i < printed + 2; ++i) {
        child->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
        pm::afxtest::pump();
    }
    EXPECT_EQ(static_cast<int>(preview->GetCurrentPage() + preview->GetPagesShown() - 1), printed);
}

// The main frame's status pane 60704 shows the caret of the focused control, and nothing once
// the focus is elsewhere.
TEST_F(EditViews, TheStatusPaneShowsTheCaretOfTheFocusedControl) {
    CDocument* doc = open(app.js, "status.js", "var x;\r\n\tvar y;\r\n");
    ASSERT_NE(doc, nullptr);
    CHHEditCtrl* edit = viewOf(doc)->GetEditCtrl();
    auto* frame = static_cast<CScriptFrame*>(app.m_pMainWnd);
    const auto shown = [&] {
        pm::afxtest::runIdle();
        const int pane = frame->m_wndStatusBar.CommandToIndex(ID_HHEDIT_STATUS_PANE);
        char text[64] = {};
        frame->m_wndStatusBar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(pane),
                                          reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    edit->SetFocus();
    pm::afxtest::pressKey(edit->m_hWnd, VK_DOWN);
    pm::afxtest::pressKey(edit->m_hWnd, VK_END);
    EXPECT_EQ(shown(), "Ln 2, Col 11") << "the Tab counts four";
    pm::afxtest::typeText(edit->m_hWnd, "z");
    EXPECT_EQ(shown(), "Ln 2, Col 12");
    frame->m_wndStatusBar.SetFocus();
    pm::afxtest::pump();
    EXPECT_EQ(shown(), "");
}

// Find Next, from the dialog and with F3, scrolls the match it selects into view.
TEST_F(EditViews, FoundTextIsScrolledIntoView) {
    std::string text = lines(5000);
    const auto place = [&](int line, const char* word) {
        const std::string old = "var line" + std::to_string(line) + " ";
        text.replace(text.find(old), old.size() - 1, word);
    };
    place(4543, "needle");
    place(120, "thread");
    CDocument* doc = open(app.js, "long.js", text);
    ASSERT_NE(doc, nullptr);
    CHHEditCtrl* edit = viewOf(doc)->GetEditCtrl();
    edit->SetFocus();
    const auto caretShown = [&] {
        pm::afxtest::pump();
        CHARRANGE sel{};
        edit->GetSel(sel);
        POINT at{};
        edit->SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), sel.cpMin);
        CRect client;
        edit->GetClientRect(&client);
        return at.y >= 0 && at.y + edit->GetLineHeight() <= client.bottom;
    };
    pm::setDialogHook([](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_HHFIND_WHAT, "needle");
        ::SendMessage(dialog, WM_COMMAND, IDC_HHFIND_NEXT, 0);
    });
    pm::afxtest::pressKey(edit->m_hWnd, 'F', false, true);
    pm::setDialogHook(nullptr);
    EXPECT_EQ(edit->LineFromChar(-1), 4542);
    EXPECT_TRUE(caretShown()) << "first visible line " << edit->GetFirstVisibleLine();
    CHHFindParams::Get().m_strFind = "thread";
    pm::afxtest::pressKey(edit->m_hWnd, VK_F3);
    EXPECT_EQ(edit->LineFromChar(-1), 119);
    EXPECT_TRUE(caretShown()) << "first visible line " << edit->GetFirstVisibleLine();
}
