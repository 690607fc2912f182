// CDialog: modal dialogs over the platform's dialog boxes (the dialog window is subclassed at
// creation, so its message map sees WM_INITDIALOG), modeless dialogs, and OK/Cancel with data
// exchange.

#include "platform/framework/CDialog.h"

#include "platform/framework/CWinApp.h"
#include "platform/win/handle_accounting.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return pDlg ? pDlg->OnInitDialog() : TRUE;
}

namespace {

// The platform's modal dialog loop shows each message to WH_MSGFILTER hooks first: this one gives
// a framework dialog (and its controls) their PreTranslateMessage, as the framework's own loops do.
HHOOK dialogFilterHook = nullptr;

LRESULT CALLBACK dialogMessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg && msg->hwnd) {
        HWND top = ::GetAncestor(msg->hwnd, GA_ROOT);
        if (dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(top)) && CWnd::WalkPreTranslateTree(top, msg))
            return TRUE;
    }
    return ::CallNextHookEx(dialogFilterHook, code, wParam, lParam);
}

// Installed with the first modal dialog and kept for the thread's life.
void installDialogMessageFilter() {
    if (dialogFilterHook) return;
    dialogFilterHook =
        ::SetWindowsHookEx(WH_MSGFILTER, &dialogMessageFilter, nullptr, ::GetCurrentThreadId());
    pm::keepHookForThread(dialogFilterHook);
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow();
}

HWND CDialog::PreModal() {
    CWnd* pParent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndParent = pParent ? pm::afx::safeHwnd(pParent) : nullptr;
    // A child window's dialog is owned by its top-level window.
    if (hWndParent && (::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD))
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);
    return hWndParent;
}

INT_PTR CDialog::DoModal() {
    installDialogMessageFilter();
    HWND hWndParent = PreModal();
    AfxHookWindowCreate(this);
    INT_PTR result = m_lpDialogTemplate
                         ? ::DialogBoxIndirectParamA(nullptr, m_lpDialogTemplate, hWndParent, &AfxDlgProc, 0)
                         : ::DialogBoxParamA(nullptr, m_lpszTemplateName, hWndParent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    // The dialog window is gone; the object was detached when it went.
    if (m_hWnd) Detach();
    if (hWndParent && ::IsWindow(hWndParent) && ::IsWindowVisible(hWndParent)) ::SetActiveWindow(hWndParent);
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return CreateDlg(lpszTemplateName, m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    const DWORD styleBefore = GetStyle();
    CRect before;
    GetWindowRect(&before);
    // The dialog procedure (AfxDlgProc) calls OnInitDialog.
    LRESULT result = Default();
    if (::IsWindow(m_hWnd)) centreIfNotPlaced(styleBefore, before);
    return result;
}

// A modal dialog that its initialisation neither showed nor moved comes up centred over its
// owner (a dialog that places itself, a modeless one beside an enabled owner and a template that
// asks for its own placement stay where they are).
void CDialog::centreIfNotPlaced(DWORD styleBefore, const CRect& before) {
    if (styleBefore & WS_VISIBLE) return;
    if (GetStyle() & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_ABSALIGN)) return;
    CRect now;
    GetWindowRect(&now);
    if (now.TopLeft() != before.TopLeft()) return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowEnabled(owner)) return;
    CenterWindow();
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    // A field that fails its check keeps the dialog open with the focus on it.
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnOKCommand() {
    OnOK();
}

void CDialog::OnCancelCommand() {
    OnCancel();
}

void CDialog::NextDlgCtrl() const {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pm::afx::safeHwnd(pWndCtrl)), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // Menu commands (ids from 0x8000) not handled here go to the application.
    bool command = nCode == CN_COMMAND || static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI;
    if (!command || nID < 0x8000 || nID >= 0xF000) return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
