// CWnd's core: the handle maps, the one window procedure, creation through the creation hook,
// subclassing, and the dispatch of messages, commands and notifications (with reflection).

#include "platform/framework/CWnd.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CommonControls.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/HandleMap.h"
#include "platform/framework/afxres.h"
#include "platform/win/handle_accounting.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

using WndMap = pm::afx::HandleMap<CWnd, HWND, &CWnd::m_hWnd>;

WndMap& wndMap() {
    static WndMap map;
    return map;
}

bool isSpecial(const CWnd* p) {
    return p == &CWnd::wndTop || p == &CWnd::wndBottom || p == &CWnd::wndTopMost || p == &CWnd::wndNoTopMost;
}

template <class T> CWnd* makeWrapper() {
    return new T;
}

// The wrapper of each control class. The wrappers add no data members, so a temporary of the
// window's own class is what callers' casts (GetDlgItem(id) to CListBox*) take it for.
struct ControlWrapper {
    const char* className;
    CWnd* (*make)();
};

constexpr ControlWrapper kControlWrappers[] = {
    {"BUTTON", &makeWrapper<CButton>},
    {"COMBOBOX", &makeWrapper<CComboBox>},
    {"EDIT", &makeWrapper<CEdit>},
    {"LISTBOX", &makeWrapper<CListBox>},
    {"ComboLBox", &makeWrapper<CListBox>},
    {"SCROLLBAR", &makeWrapper<CScrollBar>},
    {"STATIC", &makeWrapper<CStatic>},
    {UPDOWN_CLASS, &makeWrapper<CSpinButtonCtrl>},
    {PROGRESS_CLASS, &makeWrapper<CProgressCtrl>},
    {TRACKBAR_CLASS, &makeWrapper<CSliderCtrl>},
    {WC_HEADER, &makeWrapper<CHeaderCtrl>},
    {TOOLTIPS_CLASS, &makeWrapper<CToolTipCtrl>},
    {STATUSCLASSNAME, &makeWrapper<CStatusBarCtrl>},
    {TOOLBARCLASSNAME, &makeWrapper<CToolBarCtrl>},
    {WC_TABCONTROL, &makeWrapper<CTabCtrl>},
    {WC_TREEVIEW, &makeWrapper<CTreeCtrl>},
    {WC_LISTVIEW, &makeWrapper<CListCtrl>},
    {RICHEDIT_CLASS10A, &makeWrapper<CRichEditCtrl>},
    {RICHEDIT_CLASSA, &makeWrapper<CRichEditCtrl>},
};

// A temporary object for a window without one: the wrapper of its class, a plain CWnd for others.
CWnd* makeTemporary(HWND hWnd) {
    char name[64] = "";
    ::GetClassName(hWnd, name, sizeof name);
    const CString className(name);
    for (const ControlWrapper& wrapper : kControlWrappers)
        if (className.CompareNoCase(wrapper.className) == 0) return wrapper.make();
    return new CWnd;
}

} // namespace

AFX_THREAD_STATE* AfxGetThreadState() {
    static thread_local AFX_THREAD_STATE state;
    return &state;
}

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
    if (!m_hWnd || isSpecial(this)) return;
    if (wndMap().fromHandlePermanent(m_hWnd) == this) {
        // The object goes before its window: the window lives on without it.
        HWND hWnd = m_hWnd;
        WNDPROC super = m_pfnSuper;
        Detach();
        if (::IsWindow(hWnd)) {
            if (reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
                ::SetWindowLongPtr(hWnd, GWLP_WNDPROC,
                                   reinterpret_cast<LONG_PTR>(super ? super : &::DefWindowProc));
            ::DestroyWindow(hWnd);
        }
    }
}

// ---- Handle maps ----

CWnd* CWnd::FromHandle(HWND hWnd) {
    return wndMap().fromHandle(hWnd, &makeTemporary);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? wndMap().fromHandlePermanent(hWnd) : nullptr;
}

std::size_t pm::afx::temporaryWindowCount() {
    return wndMap().temporaryCount();
}

void CWnd::DeleteTempMap() {
    wndMap().deleteTemporary();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew)) return FALSE;
    m_hWnd = hWndNew;
    wndMap().setPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd && wndMap().fromHandlePermanent(hWnd) == this) wndMap().removeHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWndControl = ::GetDlgItem(pm::afx::safeHwnd(pParent), static_cast<int>(nID));
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    WNDPROC* super = GetSuperWndProcAddr();
    if (m_hWnd && *super) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
    return Detach();
}

// ---- The window procedure ----

BOOL AfxIsFrameworkWindow(HWND hWnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == &AfxWndProc;
}

WNDPROC AfxGetAfxWndProc() {
    return &AfxWndProc;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    MSG saved = state->m_lastSentMsg;
    state->m_lastSentMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        // A handler failed: the message counts as handled with a zero result.
        e->Delete();
    }
    state->m_lastSentMsg = saved;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_QUERYAFXWNDPROC) return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = *GetSuperWndProcAddr();
    if (super) return ::CallWindowProc(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR || !pNMHDR->hwndFrom || !OnNotify(wParam, lParam, &lResult)) return FALSE;
    } else if (!DispatchWindowMessage(message, wParam, lParam, &lResult)) {
        return FALSE;
    }
    if (pResult) *pResult = lResult;
    return TRUE;
}

BOOL CWnd::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT key = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        key = WM_CTLCOLOR;
    else if (message >= WM_CTLCOLORMSGBOX + WM_REFLECT_BASE && message <= WM_CTLCOLORSTATIC + WM_REFLECT_BASE)
        key = WM_CTLCOLOR + WM_REFLECT_BASE;
    const AFX_MSGMAP_ENTRY* e = nullptr;
    while ((e = FindEntry(GetMessageMap(), key, 0, 0, e)) != nullptr) {
        if (e->kind != AfxEntry::Message && e->kind != AfxEntry::Registered) continue;
        AFX_CALL call;
        call.nMessage = message;
        call.wParam = wParam;
        call.lParam = lParam;
        call.pResult = pResult;
        if (DispatchEntry(this, e, call)) return TRUE;
    }
    return FALSE;
}

namespace {

// Reports whether a menu or accelerator command is enabled, without changing anything.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0) return FALSE;
        // A menu item or accelerator whose command is disabled now does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectLastMsg(hWndCtrl)) return TRUE;
        if (nID == 0) return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = static_cast<WORD>(::GetDlgCtrlID(hWndCtrl));
    if (ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_NOTIFY)), &notify,
                    nullptr);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    const AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG& last = state->m_lastSentMsg;
    const MSG& passed = state->m_passedOnMsg;
    if (passed.message && last.message == passed.message && last.wParam == passed.wParam &&
        last.lParam == passed.lParam)
        return FALSE;
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd ? pWnd->SendChildNotifyLastMsg(pResult) : FALSE;
}

LRESULT CWnd::PassNotificationOn(CWnd* pTarget, UINT message, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG outer = state->m_passedOnMsg;
    state->m_passedOnMsg = MSG{nullptr, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = pTarget->SendMessage(message, wParam, lParam);
    state->m_passedOnMsg = outer;
    return result;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& m = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (!CWnd::OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                            nullptr))
            return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT ignored = 0;
        AFX_NOTIFY notify{pResult ? pResult : &ignored, pNMHDR};
        return CWnd::OnCmdMsg(
            0, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY)),
            &notify, nullptr);
    }
    default:
        break;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        pm::afx::CtlColorParams params{CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                       message - WM_CTLCOLORMSGBOX};
        LRESULT brush = 0;
        if (!CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, reinterpret_cast<LPARAM>(&params), &brush) ||
            !brush)
            return FALSE;
        if (pResult) *pResult = brush;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_nFlags & WF_TOOLTIPS) FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd))
            if (pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

// ---- Creation ----

namespace {

LRESULT CALLBACK cbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit) {
        CWnd* pWnd = state->m_pWndInit;
        state->m_pWndInit = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

} // namespace

void AfxHookWindowCreate(CWnd* pWnd) {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->m_hHookOldCbtFilter) {
        // Installed once and kept for the thread's life.
        state->m_hHookOldCbtFilter =
            ::SetWindowsHookEx(WH_CBT, &cbtFilterHook, nullptr, ::GetCurrentThreadId());
        pm::keepHookForThread(state->m_hHookOldCbtFilter);
    }
    state->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    bool hooked = state->m_pWndInit == nullptr;
    state->m_pWndInit = nullptr;
    return hooked;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AFX_WND;
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    pm::afx::createWidth(rect), pm::afx::createHeight(rect), pm::afx::safeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    pm::afx::registerStandardClasses();
    CREATESTRUCT cs{lpParam,
                    nullptr,
                    nIDorHMenu,
                    hWndParent,
                    nHeight,
                    nWidth,
                    y,
                    x,
                    static_cast<LONG>(dwStyle),
                    lpszWindowName,
                    lpszClassName,
                    dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                         cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate()) PostNcDestroy(); // the window never came to be
    return hWnd != nullptr;
}

BOOL CWnd::CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateDialogParamA(nullptr, lpszTemplateName, pm::afx::safeHwnd(pParentWnd), &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(nullptr, lpDialogTemplate, pm::afx::safeHwnd(pParentWnd),
                                             &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    bool permanent = FromHandlePermanent(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    BOOL result = ::DestroyWindow(hWnd);
    // A permanent object was detached by WM_NCDESTROY (and may be gone); a temporary one is not.
    if (!permanent && m_hWnd == hWnd) m_hWnd = nullptr;
    return result;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    DWORD exStyle = GetExStyle();
    if (nAdjustType == 0) exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

// ---- The base message map ----

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

void CWnd::OnNcDestroy() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == this) pm::afx::mainWindowDestroyed();
    if (m_hWndToolTip && ::IsWindow(m_hWndToolTip)) ::DestroyWindow(m_hWndToolTip);
    m_hWndToolTip = nullptr;
    auto ours = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    Default();
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == ours && m_pfnSuper)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*GetSuperWndProcAddr()));
    Detach();
    PostNcDestroy();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS->CtlType == ODT_MENU) {
        if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDIS->hwndItem))) {
            pMenu->DrawItem(lpDIS);
            return;
        }
    } else if (ReflectLastMsg(lpDIS->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS) {
    if (lpMIS->CtlType == ODT_MENU) {
        // The framework menu that holds the item measures it.
        if (CMenu* pMenu = CMenu::FindPopupMenuFromID(::GetMenu(m_hWnd), lpMIS->itemID)) {
            pMenu->MeasureItem(lpMIS);
            return;
        }
    } else if (CWnd* pChild = GetDescendantWindow(static_cast<int>(lpMIS->CtlID), TRUE)) {
        if (pChild->SendChildNotifyLastMsg()) return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCIS) {
    LRESULT result = 0;
    if (ReflectLastMsg(lpCIS->hwndItem, &result)) return static_cast<int>(result);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDIS) {
    if (ReflectLastMsg(lpDIS->hwndItem)) return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT result = 0;
    if (pWnd && pWnd->SendChildNotifyLastMsg(&result)) return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && pScrollBar->SendChildNotifyLastMsg()) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && pScrollBar->SendChildNotifyLastMsg()) return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}
