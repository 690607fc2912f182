// CDKCoolToolBar's customisation mode: selecting a button, its context menu and commands (each
// offered to the owner first), and the bookkeeping when buttons come and go.

#include "docking/CDKCoolToolBar.h"

#include "platform/framework/CMenu.h"

#include <algorithm>
#include <cstring>

// The separator put in by "Put Separator Before/After", and the room of a custom button.
TBBUTTON CDKCoolToolBar::SeparatorButton() {
    TBBUTTON b{};
    b.iBitmap = -1;
    b.fsStyle = TBSTYLE_SEP;
    b.iString = -1;
    return b;
}

TBBUTTON CDKCoolToolBar::Button(int nIndex) const {
    TBBUTTON b{};
    ::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b));
    return b;
}

BOOL CDKCoolToolBar::IsPlainSeparator(int nIndex) const {
    int count = static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0));
    return nIndex >= 0 && nIndex < count && (Button(nIndex).fsStyle & TBSTYLE_SEP) &&
           !GetCustomButton(nIndex);
}

void CDKCoolToolBar::SetCustomizable(BOOL bCustomizable, BOOL bAdvanced) {
    BOOL adjustable = !m_customizeTable.empty() && bCustomizable && !bAdvanced;
    m_bCustomizable = !m_customizeTable.empty() && bCustomizable && bAdvanced;
    ModifyStyle(adjustable ? 0 : CCS_ADJUSTABLE, adjustable ? CCS_ADJUSTABLE : 0);
}

void CDKCoolToolBar::SetCustomizationMode(CWnd* pOwner, HWND hWndNotify) {
    if (!pOwner) SetCustomizedButton(-1);
    if (pOwner && !IsCustomizable(TRUE)) SetCustomizable(TRUE, TRUE);
    m_pCustomizationOwner = pOwner;
    m_hWndNotify = hWndNotify;
    for (const auto& entry : m_customButtons)
        if (entry.second.pTemplate) entry.second.pTemplate->SetMode(pOwner);
}

int CDKCoolToolBar::SetCustomizedButton(int nIndex) {
    int previous = m_nCustomizedButton;
    if (nIndex == previous) return previous;
    m_nCustomizedButton = nIndex;
    RedrawButton(previous);
    if (nIndex != -1) {
        TBBUTTON b = Button(nIndex);
        if (b.fsState & TBSTATE_PRESSED)
            SendMessage(TB_SETSTATE, static_cast<WPARAM>(b.idCommand),
                        MAKELONG(b.fsState & ~TBSTATE_PRESSED, 0));
        else
            RedrawButton(nIndex);
    }
    NotifyOwner(ID_COOLBAR_CUSTOMIZEDBUTTON);
    return previous;
}

LRESULT CDKCoolToolBar::NotifyOwner(int nCommand, void* pData) {
    HWND target = m_hWndNotify ? m_hWndNotify : ::GetParent(m_hWnd);
    if (!target) return 0;
    CoolCommandNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = TBN_COOLCOMMAND;
    notify.nCommand = nCommand;
    notify.pData = pData;
    return ::SendMessage(target, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

BOOL CDKCoolToolBar::ShowButtonContextMenu(int nIndex, int x, int y) {
    CMenu popup;
    if (!popup.CreatePopupMenu()) return FALSE;
    popup.AppendMenu(MF_STRING, ID_COOLBAR_DELETE, "Delete");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_COOLBAR_APPEARANCE, "Button Appearance...");
    TBBUTTON b = Button(nIndex);
    if (!(b.fsStyle & TBSTYLE_SEP) && !GetCustomButton(nIndex)) {
        BOOL hasText = !GetButtonText(nIndex).IsEmpty();
        popup.AppendMenu(MF_STRING | (hasText ? 0 : MF_CHECKED), ID_COOLBAR_IMAGEONLY, "Image Only");
        popup.AppendMenu(MF_STRING | (hasText && b.iBitmap != -1 ? MF_CHECKED : 0), ID_COOLBAR_IMAGEANDTEXT,
                         "Image and Text");
    }
    popup.AppendMenu(MF_SEPARATOR);
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    UINT before = nIndex == 0 || IsPlainSeparator(nIndex - 1) ? MF_GRAYED : 0;
    UINT after = nIndex == count - 1 || IsPlainSeparator(nIndex + 1) ? MF_GRAYED : 0;
    popup.AppendMenu(MF_STRING | before, ID_COOLBAR_SEPARATORBEFORE, "Put Separator Before");
    popup.AppendMenu(MF_STRING | after, ID_COOLBAR_SEPARATORAFTER, "Put Separator After");
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, this);
    popup.DestroyMenu();
    return TRUE;
}

CString CDKCoolToolBar::GetRememberedText(UINT nID) const {
    auto it = m_rememberedTexts.find(nID);
    return it == m_rememberedTexts.end() ? CString() : it->second;
}

BOOL CDKCoolToolBar::OnCustomizeCommand(UINT nID) {
    if (nID < ID_COOLBAR_DELETE || nID > ID_COOLBAR_SEPARATORAFTER) return FALSE;
    if (NotifyOwner(static_cast<int>(nID)) != 0 || m_nCustomizedButton < 0) return TRUE;
    int index = m_nCustomizedButton;
    TBBUTTON b = Button(index);
    auto id = static_cast<UINT>(b.idCommand);
    switch (nID) {
    case ID_COOLBAR_DELETE:
        DeleteButton(index);
        break;
    case ID_COOLBAR_IMAGEONLY: {
        CString text = GetButtonText(index);
        if (text.IsEmpty()) break;
        m_rememberedTexts[id] = text;
        SetButtonText(index, "");
        UpdateSizes(TRUE, TRUE);
        break;
    }
    case ID_COOLBAR_IMAGEANDTEXT: {
        if (!GetButtonText(index).IsEmpty()) break;
        CString text = GetRememberedText(id);
        if (text.IsEmpty()) {
            CString resource;
            resource.LoadString(id);
            int newline = resource.Find('\n');
            text = newline < 0 ? resource : resource.Mid(newline + 1);
        }
        if (!text.IsEmpty()) SetButtonText(index, text);
        UpdateSizes(TRUE, TRUE);
        break;
    }
    case ID_COOLBAR_SEPARATORBEFORE:
    case ID_COOLBAR_SEPARATORAFTER: {
        TBBUTTON separator = SeparatorButton();
        int at = nID == ID_COOLBAR_SEPARATORBEFORE ? index : index + 1;
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&separator));
        break;
    }
    default: // the appearance: the owner shows its own dialog
        break;
    }
    return TRUE;
}

BOOL CDKCoolToolBar::OnCustomizeNotify(NMHDR* pHdr, LRESULT* pResult) {
    switch (pHdr->code) {
    case static_cast<UINT>(TBN_GETBUTTONINFOA):
        *pResult = GetCustomizeButtonInfo(reinterpret_cast<NMTOOLBARA*>(pHdr));
        return TRUE;
    case static_cast<UINT>(TBN_QUERYINSERT):
    case static_cast<UINT>(TBN_QUERYDELETE):
        *pResult = TRUE;
        return TRUE;
    case static_cast<UINT>(TBN_BEGINDRAG):
    case static_cast<UINT>(TBN_ENDDRAG):
        *pResult = 0;
        return TRUE;
    case static_cast<UINT>(TBN_TOOLBARCHANGE):
        SetTextType(0, 0xFFFF, m_nTextType);
        *pResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

// The dialog's offer at pInfo->iItem: the table's command with the text after the first newline
// of its string resource ("???" without one).
BOOL CDKCoolToolBar::GetCustomizeButtonInfo(NMTOOLBARA* pInfo) const {
    if (pInfo->iItem < 0 || pInfo->iItem >= static_cast<int>(m_customizeTable.size())) return FALSE;
    UINT id = m_customizeTable[static_cast<size_t>(pInfo->iItem)];
    pInfo->tbButton.idCommand = static_cast<int>(id);
    pInfo->tbButton.iBitmap = pInfo->iItem;
    pInfo->tbButton.fsState = TBSTATE_ENABLED;
    pInfo->tbButton.fsStyle = 0;
    pInfo->tbButton.iString = -1;
    if (!pInfo->pszText || pInfo->cchText <= 0) return TRUE;
    CString resource;
    resource.LoadString(id);
    int newline = resource.Find('\n');
    CString text = newline < 0 ? CString("???") : resource.Mid(newline + 1);
    size_t length = std::min(static_cast<size_t>(text.GetLength()), static_cast<size_t>(pInfo->cchText - 1));
    std::memcpy(pInfo->pszText, static_cast<LPCSTR>(text), length);
    pInfo->pszText[length] = '\0';
    return TRUE;
}

BOOL CDKCoolToolBar::OnCustomizeMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!InCustomizationMode()) return FALSE;
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    auto select = [&] {
        int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
        // A negative answer names a separator (or the nearest button): chosen when it holds a control.
        if (hit >= 0 && hit < count)
            SetCustomizedButton(hit);
        else
            SetCustomizedButton(hit < 0 && GetCustomButton(-hit) ? -hit : -1);
        return hit;
    };
    *pResult = 0;
    switch (message) {
    case WM_LBUTTONDOWN: {
        int hit = select();
        *pResult = CToolBar::WindowProc(message, wParam, lParam);
        if (hit >= 0 && hit < static_cast<int>(SendMessage(TB_BUTTONCOUNT))) {
            TBBUTTON b = Button(hit);
            if (b.fsState & TBSTATE_PRESSED)
                SendMessage(TB_SETSTATE, static_cast<WPARAM>(b.idCommand),
                            MAKELONG(b.fsState & ~TBSTATE_PRESSED, 0));
        }
        return TRUE;
    }
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        select();
        return TRUE;
    case WM_RBUTTONUP:
        if (m_nCustomizedButton == -1) return FALSE;
        ClientToScreen(&point);
        ShowButtonContextMenu(m_nCustomizedButton, point.x, point.y);
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return TRUE;
    default:
        return FALSE;
    }
}

void CDKCoolToolBar::OnButtonInserted(int nIndex) {
    ValidateRect(nullptr);
    if (m_nCustomizedButton >= nIndex && m_nCustomizedButton != -1)
        SetCustomizedButton(m_nCustomizedButton + 1);
    if (m_nDraggedButton >= nIndex && m_nDraggedButton != -1) ++m_nDraggedButton;
    ShiftCustomButtons(nIndex, 1);
    UpdateSizes(TRUE, TRUE);
}

void CDKCoolToolBar::OnButtonDeleted(int nIndex) {
    ValidateRect(nullptr);
    auto custom = m_customButtons.find(nIndex);
    if (custom != m_customButtons.end()) {
        if (custom->second.pTemplate) custom->second.pTemplate->Detach();
        m_customButtons.erase(custom);
    }
    ShiftCustomButtons(nIndex + 1, -1);
    if (m_nCustomizedButton == nIndex)
        SetCustomizedButton(-1);
    else if (m_nCustomizedButton > nIndex)
        SetCustomizedButton(m_nCustomizedButton - 1);
    if (m_nDraggedButton == nIndex)
        m_nDraggedButton = -1;
    else if (m_nDraggedButton > nIndex)
        --m_nDraggedButton;
    // A separator left at either end goes too.
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    BOOL wasInternal = m_bInternalChange;
    m_bInternalChange = TRUE;
    if (nIndex == count && IsPlainSeparator(count - 1))
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(count - 1));
    if (nIndex == 0 && IsPlainSeparator(0)) SendMessage(TB_DELETEBUTTON, 0);
    m_bInternalChange = wasInternal;
    UpdateSizes(TRUE, TRUE);
}
