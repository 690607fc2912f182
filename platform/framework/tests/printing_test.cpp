// Printing a view: three pages to a PDF file through the print dialog and the print-to-file name,
// or into the file the print dialog itself chose, a cancelled dialog printing nothing, and print preview with
// two pages side by side, Next, Prev and Close.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace {

// Page objects in a PDF file.
int pdfPages(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray bytes = file.readAll();
    int count = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        if (at + 11 >= bytes.size() || bytes[at + 11] != 's') ++count;
    return count;
}

class CPagesView : public CView {
    DECLARE_DYNCREATE(CPagesView)
public:
    std::vector<UINT> printed;
    int begun = 0, ended = 0;
    bool toFile = true;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        pInfo->SetMaxPage(3);
        if (toFile) pInfo->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { ++begun; }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++ended; }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        printed.push_back(pInfo->m_nCurPage);
        CRect page = pInfo->m_rectDraw;
        static const COLORREF colours[] = {RGB(200, 60, 60), RGB(60, 160, 60), RGB(60, 90, 200)};
        CRect band(page.left + 100, page.top + 100, page.right - 100, page.top + 400);
        pDC->FillSolidRect(&band, colours[(pInfo->m_nCurPage - 1) % 3]);
        std::string text = "Page " + std::to_string(pInfo->m_nCurPage);
        pDC->TextOut(page.left + 100, page.top + 450, text.c_str());
    }
    void OnDraw(CDC*) override {}

protected:
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPagesView, CView)
BEGIN_MESSAGE_MAP(CPagesView, CView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrintDirect)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        folder = pm::afxtest::makeTempFolder();
        app = std::make_unique<CWinApp>("PrintTest");
        pm::afx::registerStandardClasses();
        frame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPagesView);
        ASSERT_TRUE(frame->Create(nullptr, "Pages", WS_OVERLAPPEDWINDOW, CRect(80, 80, 720, 560), nullptr,
                                  nullptr, 0, &context));
        app->m_pMainWnd = frame;
        view = static_cast<CPagesView*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST));
        ASSERT_NE(view, nullptr);
        frame->SetActiveView(view);
        frame->ShowWindow(SW_SHOW);
        pm::afxtest::pump();
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& request) {
            pm::CommonDialogAnswer answer;
            asked.push_back(request.kind);
            answer.accepted = accept;
            if (request.kind == pm::CommonDialog::Print) {
                answer.printer = printer;
                answer.outputFile = dialogOutput;
            }
            if (request.kind == pm::CommonDialog::Save) answer.paths = {output};
            return answer;
        });
    }
    void TearDown() override {
        pm::setCommonDialogHook(nullptr);
        if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
        pm::afxtest::pump();
        app.reset();
        pm::afxtest::removeFolder(folder);
    }
    void command(UINT id) {
        frame->SendMessage(WM_COMMAND, id);
        pm::afxtest::pump();
    }
    CPreviewView* preview() const {
        CView* active = frame->GetActiveView();
        return active && active->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? static_cast<CPreviewView*>(active)
                                                                       : nullptr;
    }

    std::string folder;
    std::string output;
    std::string printer = "PDF";
    std::string dialogOutput;
    bool accept = true;
    std::vector<pm::CommonDialog> asked;
    std::unique_ptr<CWinApp> app;
    CFrameWnd* frame = nullptr;
    CPagesView* view = nullptr;
};

} // namespace

TEST_F(Printing, AThreePageViewPrintedToAPdfFileGivesThreePages) {
    output = folder + "/pages.pdf";
    command(ID_FILE_PRINT);
    EXPECT_EQ(asked, (std::vector<pm::CommonDialog>{pm::CommonDialog::Print, pm::CommonDialog::Save}));
    EXPECT_EQ(view->printed, (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(view->begun, 1);
    EXPECT_EQ(view->ended, 1);
    EXPECT_EQ(pdfPages(output), 3);
    EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(Printing, APrintDialogThatChoseAFileGetsThePagesThereWithoutAskingAgain) {
    view->toFile = false;
    printer.clear();
    dialogOutput = folder + "/chosen.pdf";
    command(ID_FILE_PRINT);
    EXPECT_EQ(asked, (std::vector<pm::CommonDialog>{pm::CommonDialog::Print}));
    EXPECT_EQ(pdfPages(dialogOutput), 3);
    // Printing again without the dialog goes to the printer chosen last: the same file.
    QFile::remove(QString::fromStdString(dialogOutput));
    command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(pdfPages(dialogOutput), 3);
}

TEST_F(Printing, ACancelledPrintDialogPrintsNothing) {
    output = folder + "/none.pdf";
    accept = false;
    command(ID_FILE_PRINT);
    EXPECT_TRUE(view->printed.empty());
    EXPECT_EQ(view->begun, 0);
    EXPECT_EQ(pdfPages(output), -1);
}

TEST_F(Printing, PreviewShowsTwoPagesSideBySideAndNextAndPrevMoveThroughThem) {
    command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pv = preview();
    ASSERT_NE(pv, nullptr);
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(pv->GetCurrentPage(), 1u);
    command(AFX_ID_PREVIEW_NUMPAGE);
    ASSERT_EQ(pv->GetPagesShown(), 2u);
    view->printed.clear();
    pv->Invalidate();
    pv->UpdateWindow();
    EXPECT_EQ(view->printed, (std::vector<UINT>{1, 2}));
    CRect first = pv->GetPageRect(0), second = pv->GetPageRect(1);
    EXPECT_EQ(first.top, second.top);
    EXPECT_LT(first.right, second.left);
    EXPECT_EQ(first.Size(), second.Size());
    pm::afxtest::savePng(frame->m_hWnd, "print_preview_two_pages");

    command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pv->GetCurrentPage(), 2u);
    command(AFX_ID_PREVIEW_NEXT); // page 3 is already in view: nothing further
    EXPECT_EQ(pv->GetCurrentPage(), 2u);
    view->printed.clear();
    pv->Invalidate();
    pv->UpdateWindow();
    EXPECT_EQ(view->printed, (std::vector<UINT>{2, 3}));
    command(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pv->GetCurrentPage(), 1u);
    command(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pv->GetCurrentPage(), 1u);

    command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(preview(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(view->ended, 1);
}
