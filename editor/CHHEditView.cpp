#include "editor/CHHEditView.h"

#include "editor/CHHAssistEditCtrl.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CPrintInfo.h"
#include "platform/framework/CWinApp.h"

#include <cstring>
#include <new>

IMPLEMENT_DYNCREATE(CHHEditView, CView)
IMPLEMENT_DYNCREATE(CHHJScriptEditView, CHHEditView)
IMPLEMENT_DYNCREATE(CHHVBScriptEditView, CHHEditView)

BEGIN_MESSAGE_MAP(CHHEditView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {
const UINT kEditCtrlId = 100;
} // namespace

CHHEditView::CHHEditView() = default;

CHHEditView::~CHHEditView() {
    delete m_pEditCtrl;
    delete m_pFormater;
}

void CHHEditView::CreateEditCtrl() {
    m_pEditCtrl = new (std::nothrow) CHHAssistEditCtrl;
}

void CHHEditView::CreateFormater() {}

void CHHJScriptEditView::CreateFormater() {
    m_pFormater = new CHHJScriptFormater;
}

void CHHVBScriptEditView::CreateFormater() {
    m_pFormater = new CHHVBScriptFormater;
}

CHHEditCtrl* CHHEditView::GetEditCtrl() {
    if (!m_pEditCtrl) CreateEditCtrl();
    return m_pEditCtrl;
}

BOOL CHHEditView::CreateEditWindow() {
    CHHEditCtrl* control = GetEditCtrl();
    if (!control) return FALSE;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL | ES_WANTRETURN;
    if (!control->Create(style, CRect(0, 0, 0, 0), this, kEditCtrlId)) return FALSE;
    CreateFormater();
    control->SetFormater(m_pFormater);
    if (!control->InitControl(TRUE)) return FALSE;
    // A new document's lines end in LF; a loaded file keeps its own line ends.
    control->SetLineEnd("\n");
    return TRUE;
}

BOOL CHHEditView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = (cs.style & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL)) | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CHHEditView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    return CreateEditWindow() ? 0 : -1;
}

void CHHEditView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (!m_pEditCtrl || !m_pEditCtrl->GetSafeHwnd()) return;
    CRect placed;
    m_pEditCtrl->GetWindowRect(&placed);
    ScreenToClient(&placed);
    m_pEditCtrl->SetWindowPos(nullptr, 0, 0, cx - placed.left, cy,
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHHEditView::OnPaint() {
    CPaintDC dc(this);
}

void CHHEditView::OnSetFocus(CWnd*) {
    if (m_pEditCtrl && m_pEditCtrl->GetSafeHwnd()) m_pEditCtrl->SetFocus();
}

BOOL CHHEditView::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CHHEditView::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (!m_pEditCtrl || !m_pEditCtrl->GetSafeHwnd()) return FALSE;
    return m_pEditCtrl->SendMessage(WM_SETTEXT, wParam, lParam);
}

BOOL CHHEditView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pEditCtrl && m_pEditCtrl->GetSafeHwnd() && m_pEditCtrl->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

long long CHHEditView::ControlLength(std::string_view bytes) {
    long long length = static_cast<long long>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool loneLf = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
        const bool loneCr = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
        if (loneLf || loneCr) ++length;
    }
    return length;
}

std::string CHHEditView::RefusalReason(std::string_view bytes) {
    if (static_cast<long long>(bytes.size()) > kMaxFileSize || ControlLength(bytes) > kMaxFileSize)
        return "The file is too large to edit: the editor holds at most 10 MB.";
    if (std::memchr(bytes.data(), '\0', bytes.size()))
        return "The file holds NUL characters and cannot be edited as text.";
    return "";
}

void CHHEditView::Serialize(CArchive& ar) {
    CHHEditCtrl* control = GetEditCtrl();
    if (!control) return;
    if (!ar.IsLoading()) {
        const CString text = control->GetText();
        ar.Write(static_cast<LPCSTR>(text), static_cast<UINT>(text.GetLength()));
        return;
    }
    // A file too large or binary is refused before anything is read into the control. A file in
    // memory (as a document reads it) is taken where it lies, not copied once more.
    const ULONGLONG length = ar.GetFile()->GetLength();
    std::string bytes;
    std::string_view text;
    void *start = nullptr, *end = nullptr;
    if (static_cast<long long>(length) > kMaxFileSize) {
        bytes.resize(static_cast<std::size_t>(kMaxFileSize) + 1);
        text = bytes;
    } else if (ar.IsBufferEmpty() && (ar.GetFile()->GetBufferPtr(CFile::bufferCheck) & CFile::bufferDirect)) {
        const UINT got =
            ar.GetFile()->GetBufferPtr(CFile::bufferRead, static_cast<UINT>(length), &start, &end);
        text = std::string_view(static_cast<const char*>(start), got);
    } else {
        bytes.resize(static_cast<std::size_t>(length));
        bytes.resize(ar.Read(bytes.data(), static_cast<UINT>(bytes.size())));
        text = bytes;
    }
    const std::string reason = RefusalReason(text);
    if (!reason.empty()) {
        AfxMessageBox(ar.GetFile()->GetFilePath() + "\n" + reason.c_str(), MB_ICONEXCLAMATION);
        AfxThrowUserException();
    }
    control->SetText(text);
}

// Printing is the control's: it learns the pages as it goes, so the view's default (one page
// while the count is unknown) does not apply.
void CHHEditView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    if (!pInfo || !m_pEditCtrl) {
        CView::OnPrepareDC(pDC, pInfo);
        return;
    }
    m_pEditCtrl->OnPrepareDC(pDC, pInfo);
}

BOOL CHHEditView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CHHEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    if (m_pEditCtrl) m_pEditCtrl->OnBeginPrinting(pDC, pInfo);
}

void CHHEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    if (m_pEditCtrl) m_pEditCtrl->OnPrint(pDC, pInfo);
}

void CHHEditView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {
    if (m_pEditCtrl) m_pEditCtrl->OnEndPrinting(pDC, pInfo);
}
