#include "docking/tests/support/dock_fixture.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

namespace docktest {

bool g_refuseClose = false;
int g_closeQuestions = 0;

namespace {

const UINT IDR_FIXTURE = 420;

class CFixtureDoc : public CDocument {
    DECLARE_DYNCREATE(CFixtureDoc)
public:
    BOOL OnNewDocument() override {
        static int count = 0;
        static const char* const names[] = {"one", "two", "three"};
        SetTitle(names[count++ % 3]);
        return TRUE;
    }
    BOOL SaveModified() override {
        ++g_closeQuestions;
        return !g_refuseClose;
    }
};
IMPLEMENT_DYNCREATE(CFixtureDoc, CDocument)

class CFixtureView : public CView {
    DECLARE_DYNCREATE(CFixtureView)
public:
    void OnDraw(CDC* pDC) override {
        CRect r;
        GetClientRect(&r);
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
        CString text = "Document " + GetDocument()->GetTitle();
        pDC->TextOut(8, 8, text, text.GetLength());
    }
};
IMPLEMENT_DYNCREATE(CFixtureView, CView)

class CFixtureChild : public CDKMDIChildWndSizeDock {
    DECLARE_DYNCREATE(CFixtureChild)
};
IMPLEMENT_DYNCREATE(CFixtureChild, CDKMDIChildWndSizeDock)

void CreatePane(CFrameWnd* frame, CPaneBar& bar, const char* title, UINT id) {
    // A window class that takes double clicks, as the editor's panes have.
    static const CString paneClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    bar.Create(paneClass, title, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 120), frame, id, nullptr);
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    bar.EnableDocking(CBRS_ALIGN_ANY);
}

} // namespace

BEGIN_MESSAGE_MAP(CFixtureFrame, CDKMDIFrameWndSizeDock)
    ON_WM_CREATE()
    ON_COMMAND_EX_RANGE(ID_PANE_INFORMATION, ID_PANE_OUTPUT, OnBarCheck)
    ON_MESSAGE(WM_TAKE_PICTURE, OnTakePicture)
    ON_MESSAGE(WM_PROBE_DRAG, OnProbeDrag)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnPrompt)
END_MESSAGE_MAP()

LRESULT CFixtureFrame::OnTakePicture(WPARAM, LPARAM) {
    m_bPictureSaved = SaveScreenPng(this, m_strPicture);
    return 0;
}

LRESULT CFixtureFrame::OnProbeDrag(WPARAM, LPARAM) {
    // Another window can be locked only while the desktop is not.
    m_bDesktopLockedInDrag = !::LockWindowUpdate(m_hWnd);
    if (!m_bDesktopLockedInDrag) ::LockWindowUpdate(nullptr);
    return 0;
}

LRESULT CFixtureFrame::OnPrompt(WPARAM wParam, LPARAM lParam) {
    m_prompts.push_back(static_cast<UINT>(wParam));
    return OnSetMessageString(wParam, lParam);
}

int CFixtureFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDKMDIFrameWndSizeDock::OnCreate(lpcs) == -1) return -1;
    EnableSizeDocking(this, CBRS_ALIGN_ANY);
    CreatePane(this, m_wndInformation, "Information", ID_PANE_INFORMATION);
    CreatePane(this, m_wndProject, "Project", ID_PANE_PROJECT);
    CreatePane(this, m_wndOutput, "Output", ID_PANE_OUTPUT);
    DockPanesAtStart();
    // Multi-line tabs at the bottom, as the editor shows them.
    m_wndTabs.Attach(this, TCS_MULTILINE | TCS_HOTTRACK | TCS_BOTTOM | TCS_SCROLLOPPOSITE);
    return 0;
}

void CFixtureFrame::DockPanesAtStart() {
    m_wndInformation.m_szVert = CSize(180, 200);
    m_wndProject.m_szVert = CSize(180, 200);
    m_wndOutput.m_szHorz = CSize(400, 110);
    DockControlBar(&m_wndInformation, AFX_IDW_DOCKBAR_LEFT);
    RecalcLayout();
    // Project goes below Information, in the same row.
    CRect below = WindowRect(&m_wndInformation);
    below.OffsetRect(0, below.Height());
    DockControlBar(&m_wndProject, AFX_IDW_DOCKBAR_LEFT, &below);
    DockControlBar(&m_wndOutput, AFX_IDW_DOCKBAR_BOTTOM);
    RecalcLayout();
}

void CFixtureApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (nCmd == HELP_CONTEXT) m_helpAsked.push_back(dwData);
}

BOOL CFixtureApp::InitInstance() {
    pm::res::addMenu(IDR_FIXTURE, {{{"&View",
                                     0,
                                     MF_POPUP,
                                     {{"&Information", ID_PANE_INFORMATION, 0, {}},
                                      {"&Project", ID_PANE_PROJECT, 0, {}},
                                      {"&Output", ID_PANE_OUTPUT, 0, {}}}},
                                    {"&Window", 0, MF_POPUP, {{"&Cascade", ID_WINDOW_CASCADE, 0, {}}}}}});
    m_pTemplate = new CMultiDocTemplate(IDR_FIXTURE, RUNTIME_CLASS(CFixtureDoc), RUNTIME_CLASS(CFixtureChild),
                                        RUNTIME_CLASS(CFixtureView));
    AddDocTemplate(m_pTemplate);
    auto* frame = new CFixtureFrame;
    if (!frame->LoadFrame(IDR_FIXTURE)) return FALSE;
    m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 20, 20, 900, 640, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    return TRUE;
}

void StartProgram(CFixtureApp& app, int nDocuments) {
    app.InitApplication();
    app.InitInstance();
    for (int i = 0; i < nDocuments; ++i)
        app.m_pTemplate->OpenDocumentFile(nullptr);
    pm::afxtest::pump();
    app.Frame()->RecalcLayout();
    pm::afxtest::pump();
}

void EndProgram(CFixtureApp& app) {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    pm::afxtest::pump();
}

CRect WindowRect(CWnd* wnd) {
    CRect r;
    wnd->GetWindowRect(&r);
    return r;
}

void DragBar(CControlBar* bar, CPoint from, const std::vector<CPoint>& screenPoints, bool control, int endKey,
             CWnd* pictureOf) {
    HWND h = bar->m_hWnd;
    const WPARAM keys = MK_LBUTTON | (control ? MK_CONTROL : 0);
    CPoint last = from;
    for (CPoint p : screenPoints) {
        ::ScreenToClient(h, &p);
        ::PostMessage(h, WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y));
        last = p;
    }
    if (pictureOf) ::PostMessage(pictureOf->m_hWnd, WM_TAKE_PICTURE, 0, 0);
    if (CWnd* main = AfxGetMainWnd()) ::PostMessage(main->m_hWnd, WM_PROBE_DRAG, 0, 0);
    if (endKey == VK_ESCAPE)
        ::PostMessage(h, WM_KEYDOWN, VK_ESCAPE, 0);
    else if (endKey == VK_RBUTTON)
        ::PostMessage(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(last.x, last.y));
    else
        ::PostMessage(h, WM_LBUTTONUP, control ? MK_CONTROL : 0, MAKELPARAM(last.x, last.y));
    ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    pm::afxtest::pump();
}

bool SaveScreenPng(CWnd* frame, const std::string& name) {
    const CRect r = WindowRect(frame);
    return pm::afxtest::saveScreenPng(name, RECT{r.left - 10, r.top - 10, r.right + 10, r.bottom + 10});
}

} // namespace docktest
