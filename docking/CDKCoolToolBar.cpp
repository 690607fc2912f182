// CDKCoolToolBar: texts, drop-down arrows, non-client gripper and icon, custom-draw colours and
// the layout widths on top of the framework's tool-bar layout.

#include "docking/CDKCoolToolBar.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDockContext.h"
#include "platform/framework/CMenu.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDKCoolToolBar, CToolBar)

namespace {
const int kGripperWidth = 7;
const int kIconGap = 2;
} // namespace

CDKCoolToolBar::CDKCoolToolBar()
    : m_clrDefaultText(::GetSysColor(COLOR_BTNTEXT)), m_clrHotText(::GetSysColor(COLOR_BTNTEXT)),
      m_dropSource(this) {
    m_rcIcon.SetRectEmpty();
}

CDKCoolToolBar::~CDKCoolToolBar() = default;

BOOL CDKCoolToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (!CToolBar::Create(pParentWnd, dwStyle | WS_CLIPCHILDREN, nID)) return FALSE;
    ModifyStyle(0, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    SetBorders(0, 0, 0, 0);
    SetDropDownArrow(TRUE);
    // A bar inside an MDI child paints its own background.
    if (pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) ModifyStyle(TBSTYLE_TRANSPARENT, 0);
    m_dropTarget.Register(this);
    SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(""));
    return TRUE;
}

// ---- Appearance ----

void CDKCoolToolBar::SetDropDownArrow(BOOL bOn) {
    auto ex = static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE));
    ex = bOn ? (ex | TBSTYLE_EX_DRAWDDARROWS) : (ex & ~static_cast<DWORD>(TBSTYLE_EX_DRAWDDARROWS));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(ex));
    m_bDropDownArrow = bOn;
}

BOOL CDKCoolToolBar::GetDropDownArrow() const {
    return (::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) != 0;
}

CString CDKCoolToolBar::TextForCommand(UINT nID, int nType) {
    if (nType == textFromMenu) {
        CWnd* main = AfxGetMainWnd();
        HMENU menu = main ? ::GetMenu(main->GetSafeHwnd()) : nullptr;
        char text[256] = {};
        if (!menu || ::GetMenuStringA(menu, nID, text, sizeof(text), MF_BYCOMMAND) <= 0) return CString();
        CString s(text);
        int tab = s.Find('\t');
        return tab < 0 ? s : s.Left(tab);
    }
    CString resource;
    if (nType > textAfterNewline || !resource.LoadString(nID)) return CString();
    int newline = resource.Find('\n');
    if (nType == textBeforeNewline) return newline < 0 ? resource : resource.Left(newline);
    return newline < 0 ? CString() : resource.Mid(newline + 1);
}

void CDKCoolToolBar::SetTextType(UINT nFirst, UINT nLast, int nType) {
    if (nType < textBeforeNewline || nType > textNone) nType = textNone;
    m_nTextType = nType;
    if (nType == textByHand) return;
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        auto id = static_cast<UINT>(button.idCommand);
        if ((button.fsStyle & TBSTYLE_SEP) || id < nFirst || id > nLast) continue;
        SetButtonText(i, TextForCommand(id, nType));
    }
}

void CDKCoolToolBar::SetIndent(int nIndent) {
    if (SendMessage(TB_SETINDENT, static_cast<WPARAM>(nIndent))) m_nIndent = nIndent;
}

void CDKCoolToolBar::SetButtonWidths(int nMin, int nMax) {
    m_nMinButtonWidth = nMin;
    m_nMaxButtonWidth = nMax;
    SendMessage(TB_SETBUTTONWIDTH, 0, MAKELONG(nMin, nMax));
}

BOOL CDKCoolToolBar::IsFlat() const {
    return (::GetWindowLong(m_hWnd, GWL_STYLE) & TBSTYLE_FLAT) != 0;
}

int CDKCoolToolBar::GetArrowWidth() {
    // The arrow glyph is drawn by the control at the width it reserves for it.
    return kDropDownWidth;
}

void CDKCoolToolBar::RedrawButton(int nIndex) {
    // An index at the count names no button: nothing to redraw.
    if (nIndex < 0 || nIndex >= static_cast<int>(SendMessage(TB_BUTTONCOUNT))) return;
    CRect rect;
    GetItemRect(nIndex, &rect);
    const UINT flags = RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE;
    RedrawWindow(&rect, nullptr, flags);
    const CustomButtonDescriptor* custom = GetCustomButton(nIndex);
    CWnd* control = custom && custom->pTemplate ? custom->pTemplate->GetWindow() : nullptr;
    if (control && ::IsWindow(control->GetSafeHwnd())) control->RedrawWindow(nullptr, nullptr, flags);
}

void CDKCoolToolBar::UpdateSizes(BOOL bRecalc, BOOL bFrameChanged) {
    if (m_bInternalChange) return;
    UpdateCustomButtons(0, -1);
    if (!IsWindowVisible()) return;
    const UINT frameFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (!bRecalc) {
        if (bFrameChanged)
            SetWindowPos(nullptr, 0, 0, 0, 0, frameFlags);
        else
            RedrawWindow(nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    }
    if (CFrameWnd* frame = GetParentFrame()) {
        m_bInLayout = TRUE;
        frame->RecalcLayout(TRUE);
        m_bInLayout = FALSE;
    }
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        RedrawButton(i);
        CRect rect;
        GetItemRect(i, &rect);
        ValidateRect(&rect);
    }
    if (bFrameChanged) SetWindowPos(nullptr, 0, 0, 0, 0, frameFlags);
}

// ---- Layout ----

int CDKCoolToolBar::ButtonWidth(const TBBUTTON& button) const {
    if (button.fsStyle & TBSTYLE_SEP) return button.iBitmap;
    if (button.fsStyle & TBSTYLE_AUTOSIZE) {
        int index = static_cast<int>(
            ::SendMessage(m_hWnd, TB_COMMANDTOINDEX, static_cast<WPARAM>(button.idCommand), 0));
        CRect rect;
        GetItemRect(index, &rect);
        return rect.Width();
    }
    int width = m_sizeButton.cx;
    if ((button.fsStyle & TBSTYLE_DROPDOWN) && GetDropDownArrow()) width += GetArrowWidth();
    return width;
}

CSize CDKCoolToolBar::CalcSize(TBBUTTON* pData, int nCount) {
    CSize size = CToolBar::CalcSize(pData, nCount);
    // A separator that ends a row adds its own height between the rows.
    for (int i = 0; i < nCount; ++i) {
        const TBBUTTON& b = pData[i];
        if ((b.fsStyle & TBSTYLE_SEP) && (b.fsState & TBSTATE_WRAP) && !(b.fsState & TBSTATE_HIDDEN))
            size.cy += IsFlat() ? b.iBitmap : b.iBitmap * 2 / 3;
    }
    size.cx += m_nIndent;
    return size;
}

CSize CDKCoolToolBar::CalcLayout(DWORD nMode, int nLength) {
    if (SendMessage(TB_BUTTONCOUNT) > 0) return CToolBar::CalcLayout(nMode, nLength);
    // No buttons: half a button along the bar.
    auto size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    int cx = LOWORD(size), cy = HIWORD(size);
    return (nMode & LM_HORZ) ? CSize(cx / 2, cy) : CSize(cx, cy / 2);
}

void CDKCoolToolBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    CToolBar::CalcInsideRect(rect, bHorz);
    if (m_hIcon) {
        if (bHorz)
            rect.left += ::GetSystemMetrics(SM_CXSMICON) + kIconGap;
        else
            rect.top += ::GetSystemMetrics(SM_CYSMICON) + kIconGap;
    }
    RECT margins{0, 0, 0, 0};
    CalcExtraExtent(margins, bHorz ? 2 : 0);
    rect.left += margins.left;
    rect.top += margins.top;
    rect.right -= margins.right;
    rect.bottom -= margins.bottom;
    if (m_bGripper) {
        if (bHorz)
            rect.left += kGripperWidth;
        else
            rect.top += kGripperWidth;
    }
}

void CDKCoolToolBar::CalcExtraExtent(RECT&, int) const {}

void CDKCoolToolBar::CalcExtraOffset(CDC*, CRect&) {}

void CDKCoolToolBar::OnFloatingStateChanged(BOOL) {
    if (!m_customButtons.empty()) UpdateSizes(TRUE, TRUE);
}

void CDKCoolToolBar::OnDockSideChanged(DWORD) {
    if (!m_customButtons.empty()) m_nPendingIdle |= pendingSizes;
}

BOOL CDKCoolToolBar::DeleteButton(int nIndex) {
    return SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)) != 0;
}

// ---- Command updates ----

namespace {
// Updates one button's enabled and checked state, sending TB_SETSTATE only on a change.
class CoolButtonCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        change([bOn](BYTE state) {
            return static_cast<BYTE>(bOn ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED));
        });
    }
    void SetCheck(int nCheck) override {
        change([nCheck](BYTE state) {
            state &= static_cast<BYTE>(~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE));
            if (nCheck == 1) state |= TBSTATE_CHECKED;
            if (nCheck == 2) state |= TBSTATE_INDETERMINATE;
            return state;
        });
    }

private:
    template <class F> void change(F f) {
        HWND bar = m_pOther->GetSafeHwnd();
        TBBUTTON button{};
        ::SendMessage(bar, TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button));
        BYTE state = f(button.fsState);
        if (state != button.fsState)
            ::SendMessage(bar, TB_SETSTATE, static_cast<WPARAM>(button.idCommand), MAKELONG(state, 0));
    }
};
} // namespace

void CDKCoolToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CoolButtonCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(SendMessage(TB_BUTTONCOUNT));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, state.m_nIndex, reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & TBSTYLE_SEP) && !GetCustomButton(static_cast<int>(state.m_nIndex))) continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        // The bar's own update handlers come first.
        if (OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// ---- Non-client area ----

void CDKCoolToolBar::OnNcCalcSize(NCCALCSIZE_PARAMS* pParams) {
    RECT& r = pParams->rgrc[0];
    BOOL horz = IsHorizontalDocked();
    if (!m_bCool) {
        // The bar's borders only: the gripper and the rest follow.
        CRect borders;
        borders.SetRectEmpty();
        CControlBar::CalcInsideRect(borders, horz);
        r.left += borders.left;
        r.top += borders.top;
        r.right += borders.right;
        r.bottom += borders.bottom;
    }
    if (m_bCool) {
        if (IsFlat()) {
            if (horz) {
                r.top += 2;
                r.bottom += 2;
            } else {
                r.left += 2;
                r.right += 2;
            }
        }
    } else if (IsFlat() && m_bGripper && !(m_dwStyle & CBRS_FLOATING)) {
        (horz ? r.left : r.top) += kGripperWidth;
    }
    if (m_hIcon) {
        if (horz)
            r.left += ::GetSystemMetrics(SM_CXSMICON) + kIconGap;
        else
            r.top += ::GetSystemMetrics(SM_CYSMICON) + kIconGap;
    }
    RECT margins{0, 0, 0, 0};
    CalcExtraExtent(margins, horz ? 2 : 0);
    r.left += margins.left;
    r.top += margins.top;
    r.right -= margins.right;
    r.bottom -= margins.bottom;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

void CDKCoolToolBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    if (!m_bCool && IsFlat() && m_bGripper) DrawGripper(&dc, window);
    if (m_hIcon) DrawIcon(&dc, window);
    CalcExtraOffset(&dc, window);
}

void CDKCoolToolBar::DrawGripper(CDC* pDC, CRect& rect) {
    if (m_dwStyle & CBRS_FLOATING) return;
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    CRect r = rect;
    if (IsHorizontalDocked()) {
        r.DeflateRect(1, 1);
        r.OffsetRect(0, 1);
        if (m_pDockContext) {
            r.left += 2;
            r.bottom -= 2;
        } else if (m_dwStyle & CBRS_BORDER_BOTTOM) {
            r.top -= 2;
            r.bottom -= 2;
        }
        pDC->Draw3dRect(r.left, r.top, 3, r.Height(), light, shadow);
        pDC->Draw3dRect(r.left + 3, r.top, 3, r.Height(), light, shadow);
        rect.left = r.left + 7;
        return;
    }
    r.top += 1;
    r.bottom -= 1;
    r.right -= 2;
    r.OffsetRect(0, 1);
    if (m_pDockContext)
        r.left += 2;
    else
        r.right += 2;
    pDC->Draw3dRect(r.left, r.top, r.Width(), 3, light, shadow);
    pDC->Draw3dRect(r.left, r.top + 3, r.Width(), 3, light, shadow);
    rect.top = r.top + 7;
}

void CDKCoolToolBar::DrawIcon(CDC* pDC, CRect& rect) {
    if (!m_hIcon) return;
    int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    if (IsHorizontalDocked()) {
        if (m_rcIcon.left == 0) m_rcIcon.left = rect.left + 5;
        m_rcIcon.top = rect.top + (rect.Height() - cy) / 2;
        m_rcIcon.right = m_rcIcon.left + cx;
        m_rcIcon.bottom = m_rcIcon.top + cy;
        rect.left = m_rcIcon.right + 1;
    } else {
        if (m_rcIcon.top == 0) m_rcIcon.top = rect.top + 5;
        m_rcIcon.left = rect.left + (rect.Width() - cx) / 2;
        m_rcIcon.right = m_rcIcon.left + cx;
        m_rcIcon.bottom = m_rcIcon.top + cy;
        rect.top = m_rcIcon.bottom + 1;
    }
    ::DrawIconEx(pDC->GetSafeHdc(), m_rcIcon.left, m_rcIcon.top, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
}

void CDKCoolToolBar::OnWindowPosChanged() {
    // Floating once the bar is in a floating dock bar (its style says so a little earlier).
    int floating = IsFloating() ? 1 : 0;
    DWORD side = m_dwStyle & CBRS_ALIGN_ANY;
    if (floating != m_nLastFloating) {
        m_nLastFloating = floating;
        OnFloatingStateChanged(floating);
    } else if (side != m_dwLastDockSide) {
        m_dwLastDockSide = side;
        OnDockSideChanged(side);
    }
}

// ---- Messages ----

LRESULT CDKCoolToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT mouseResult = 0;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST &&
        OnCustomizeMouse(message, wParam, lParam, &mouseResult))
        return mouseResult;
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 && OnCustomizeCommand(LOWORD(wParam))) return 0;
        break;
    case TB_INSERTBUTTONA: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (result) OnButtonInserted(static_cast<int>(wParam));
        return result;
    }
    case TB_DELETEBUTTON: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (result) OnButtonDeleted(static_cast<int>(wParam));
        return result;
    }
    case TB_MOVEBUTTON: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (result) OnButtonMoved(static_cast<int>(wParam), static_cast<int>(lParam));
        return result;
    }
    case WM_DKDROP_DRAGENTER:
        return OnDragEnter(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_DKDROP_DRAGOVER:
        return OnDragOver(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_DKDROP_DRAGLEAVE:
        return OnDragLeave();
    case WM_DKDROP_DROP:
        return OnDrop(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_IDLEUPDATECMDUI:
        OnIdleUpdate();
        break;
    case WM_NCCREATE:
    case WM_WINDOWPOSCHANGING:
        // In a rebar the bar's frame and place are the rebar's.
        if (m_bCool) return Default();
        break;
    case WM_NCCALCSIZE:
        OnNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return 0;
    case WM_NCPAINT: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        OnNcPaint();
        return result;
    }
    case WM_ERASEBKGND:
        if (m_bInLayout) return TRUE;
        break;
    case WM_WINDOWPOSCHANGED: {
        if (m_pDockContext) m_pDockContext->m_bDragging = FALSE;
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        OnWindowPosChanged();
        return result;
    }
    case WM_SETTINGCHANGE:
        UpdateSizes(TRUE, FALSE);
        break;
    case WM_LBUTTONUP: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (InCustomizationMode()) return result;
        // Button states follow the click at once.
        if (::IsWindow(m_hWnd)) SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        return result;
    }
    default:
        break;
    }
    return CToolBar::WindowProc(message, wParam, lParam);
}

BOOL CDKCoolToolBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_NOTIFY) return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->hwndFrom != m_hWnd) return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
    if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        LRESULT result = OnCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(lParam));
        if (pResult) *pResult = result;
        return TRUE;
    }
    LRESULT answer = 0;
    if (OnCustomizeNotify(hdr, &answer)) {
        if (pResult) *pResult = answer;
        return TRUE;
    }
    if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
        LRESULT result = TBDDRET_DEFAULT;
        if (OnButtonDropDown(reinterpret_cast<NMTOOLBARA*>(lParam), &result)) {
            if (pResult) *pResult = result;
            return TRUE;
        }
    }
    return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CDKCoolToolBar::OnButtonDropDown(NMTOOLBARA*, LRESULT*) {
    return FALSE;
}

void CDKCoolToolBar::DrawCustomizedButton(CDC* pDC, const CRect& rect) {
    pDC->DrawDragRect(&rect, CSize(2, 2), nullptr, CSize(0, 0));
}

void CDKCoolToolBar::OnIdleUpdate() {
    if (!IsWindowVisible()) return;
    UINT pending = m_nPendingIdle;
    m_nPendingIdle = 0;
    if (pending & pendingSizes) UpdateSizes(TRUE, TRUE);
    if (pending & pendingCustomButtons) UpdateCustomButtons(0, -1);
}

// ---- Drag and drop ----

CDKDropSourceHelper* CDKCoolToolBar::GetDropSource() {
    m_dropSource.m_pServed = this;
    return &m_dropSource;
}

BOOL CDKCoolToolBar::OnDragEnter(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable(TRUE)) return FALSE;
    m_bDragInside = TRUE;
    return OnDragOver(pParams);
}

BOOL CDKCoolToolBar::OnDragOver(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable(TRUE)) return FALSE;
    pParams->words[DKDROPTARGETPARAMS::kResult] = DROPEFFECT_NONE;
    return TRUE;
}

BOOL CDKCoolToolBar::OnDragLeave() {
    if (!IsCustomizable(TRUE)) return FALSE;
    TBINSERTMARK mark{-1, 0};
    SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    m_bDragInside = FALSE;
    return TRUE;
}

BOOL CDKCoolToolBar::OnDrop(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable(TRUE)) return FALSE;
    pParams->words[DKDROPTARGETPARAMS::kResult] = DROPEFFECT_NONE;
    m_bDragInside = FALSE;
    return TRUE;
}

LRESULT CDKCoolToolBar::OnCustomDraw(NMTBCUSTOMDRAW* pDraw) {
    CoolCustomDrawNotify notify{};
    notify.hdr = pDraw->nmcd.hdr;
    notify.hdr.code = TBN_COOLCUSTOMDRAW;
    notify.pCustomDraw = &pDraw->nmcd;
    notify.bDoDefault = TRUE;
    CWnd* receiver = (m_dwStyle & CBRS_FLOATING) ? GetTopLevelParent() : GetParentFrame();
    if (receiver) receiver->SendMessage(WM_NOTIFY, pDraw->nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    if (!notify.bDoDefault) return notify.lResult;
    CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc);
    CRect customised;
    if (m_nCustomizedButton != -1) GetItemRect(m_nCustomizedButton, &customised);
    BOOL customisedIsControl = GetCustomButton(m_nCustomizedButton) != nullptr;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // A control covers its button: its frame is drawn first, round it.
        if (m_nCustomizedButton != -1 && customisedIsControl) DrawCustomizedButton(pDC, customised);
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT:
        if (SendMessage(TB_ISBUTTONHIDDEN, pDraw->nmcd.dwItemSpec) || !IsFlat()) return CDRF_NOTIFYPOSTPAINT;
        if (m_clrDefaultText != ::GetSysColor(COLOR_BTNTEXT)) pDraw->clrText = m_clrDefaultText;
        if ((pDraw->nmcd.uItemState & CDIS_HOT) && m_clrHotText != m_clrDefaultText)
            pDraw->clrText = m_clrHotText;
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT:
        // The button chosen in customisation mode is framed.
        if (m_nCustomizedButton != -1 && !customisedIsControl &&
            SendMessage(TB_COMMANDTOINDEX, pDraw->nmcd.dwItemSpec) == m_nCustomizedButton)
            DrawCustomizedButton(pDC, customised);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}
