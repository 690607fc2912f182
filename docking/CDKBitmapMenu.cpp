// CDKBitmapMenu: measuring and drawing owner-drawn items, hit-testing, and the customisation marks,
// context menu and commands.

#include "docking/CDKBitmapMenu.h"

#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKBitmapMenuPopupWnd.h"
#include "docking/ToolBarDragData.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CImageList.h"
#include "platform/framework/CWnd.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNAMIC(CDKBitmapMenu, CMenu)

namespace {

const UINT kFirstRecentFile = 0xE110, kLastRecentFile = 0xE11F, kFirstWindowListCommand = 0xFF00;

CDKBitmapMenuManager* manager() {
    CWnd* main = AfxGetMainWnd();
    return main ? CDKBitmapMenuManager::FindManager(main->GetSafeHwnd()) : nullptr;
}

// The label and the shortcut of an item text, split at the first tab.
void splitText(const CString& text, CString& label, CString& shortcut) {
    int tab = text.Find('\t');
    label = tab < 0 ? text : text.Left(tab);
    shortcut = tab < 0 ? CString() : text.Mid(tab + 1);
}

CSize textSize(HDC dc, const CString& text) {
    CRect rect(0, 0, 0, 0);
    ::DrawTextA(dc, text, text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE);
    return rect.Size();
}

CSize imageSize(const MenuImageInfo* info) {
    if (!info || !info->pImageList) return CSize(0, 0);
    IMAGEINFO image{};
    if (!info->pImageList->GetImageInfo(info->nImage, &image)) return CSize(0, 0);
    return CSize(image.rcImage.right - image.rcImage.left, image.rcImage.bottom - image.rcImage.top);
}

// An 8x8 checkerboard of the menu colour and the highlight colour.
void fillCheckerboard(CDC* pDC, const CRect& rect) {
    static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = ::CreatePatternBrush(pattern);
    COLORREF oldText = pDC->SetTextColor(::GetSysColor(COLOR_MENU));
    COLORREF oldBack = pDC->SetBkColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::FillRect(pDC->GetSafeHdc(), &rect, brush);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBack);
    ::DeleteObject(brush);
    ::DeleteObject(pattern);
}

HFONT marlettFont() {
    return ::CreateFontA(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0,
                         0, 0, 0, "Marlett");
}

// A menu item's update: a text set on an owner-drawn item goes to the text its data keeps, which
// the menu draws; other items change as the framework changes them.
class BitmapMenuCmdUI : public CCmdUI {
public:
    void SetText(LPCSTR lpszText) override {
        if (m_pMenu && !m_pSubMenu) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_TYPE | MIIM_DATA;
            ::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
            auto* item = reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
            if (info.fType == MFT_OWNERDRAW && item) {
                item->strText = lpszText ? lpszText : "";
                return;
            }
        }
        CCmdUI::SetText(lpszText);
    }
};

// The menu whose item opens hMenu: the top-level menu of the frame's top-level window when it holds
// hMenu, else hMenu itself (a popup tracked on its own).
HMENU parentMenu(CWnd* pFrame, HMENU hMenu) {
    CWnd* top = pFrame->GetTopLevelParent();
    HMENU bar = ::GetMenu(top ? top->GetSafeHwnd() : pFrame->GetSafeHwnd());
    for (int i = 0; bar && i < ::GetMenuItemCount(bar); ++i)
        if (::GetSubMenu(bar, i) == hMenu) return bar;
    return hMenu;
}

} // namespace

CDKBitmapMenu::CDKBitmapMenu() = default;

CDKBitmapMenu::~CDKBitmapMenu() = default;

void CDKBitmapMenu::AddItemData(BitmapMenuItem* pItem) {
    m_items.emplace_back(pItem);
}

// ---- Measuring ----

void CDKBitmapMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    auto* item = reinterpret_cast<BitmapMenuItem*>(lpMIS->itemData);
    const MenuImageInfo* info = item ? item->pImageInfo : nullptr;
    int imageHeight = info && info->pImageList ? imageSize(info).cy + 2 : 0;
    int width =
        m_nWidestLabel + m_nWidestImage + m_nWidestShortcut + kShortcutEndGap + kImageLabelGap + kImageGap;
    if (m_nWidestShortcut != 0) width += kLabelShortcutGap;
    lpMIS->itemWidth = static_cast<UINT>(width);
    lpMIS->itemHeight =
        lpMIS->itemID == 0
            ? static_cast<UINT>(kSeparatorHeight)
            : static_cast<UINT>(std::max(m_nTextHeight + kTextExtra, imageHeight + kImageExtra));
}

void CDKBitmapMenu::CalcExtents() {
    m_nWidestImage = m_nTextHeight = m_nWidestShortcut = m_nWidestLabel = 0;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
    CWnd* main = AfxGetMainWnd();
    HWND window = main ? main->GetSafeHwnd() : nullptr;
    HDC dc = ::GetDC(window);
    HGDIOBJ old = ::SelectObject(dc, font);
    for (int i = 0; i < ItemCount(); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_SUBMENU;
        GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
        if (info.fType & MFT_SEPARATOR) continue;
        auto* item = reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
        if (!item) continue;
        m_nWidestImage = std::max<int>(m_nWidestImage, imageSize(item->pImageInfo).cx);
        CString label, shortcut;
        splitText(item->strText, label, shortcut);
        // A submenu keeps room for its arrow.
        if (item->strText.Find('\t') < 0 && info.hSubMenu) shortcut = "W";
        m_nWidestLabel = std::max<int>(m_nWidestLabel, textSize(dc, label).cx);
        m_nWidestShortcut = std::max<int>(m_nWidestShortcut, textSize(dc, shortcut).cx);
    }
    SIZE a{};
    ::GetTextExtentPoint32A(dc, "A", 1, &a);
    m_nTextHeight = a.cy;
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
}

CDKBitmapMenu::ItemRects CDKBitmapMenu::CalcItemRects(UINT, const MenuImageInfo* pInfo,
                                                      const CRect& item) const {
    ItemRects r;
    r.frame.SetRectEmpty();
    r.image.SetRectEmpty();
    if (pInfo && pInfo->pImageList) {
        CSize size = imageSize(pInfo);
        r.image = CRect(item.TopLeft(), size);
        r.image.OffsetRect(kImageGap, (item.Height() - size.cy) / 2);
        r.frame = r.image;
        r.frame.InflateRect(kFrameOutset, kFrameOutset);
    }
    int margin = (item.Height() - m_nTextHeight) / 2;
    r.label.SetRect(m_nWidestImage + kImageLabelGap + kImageGap, item.top + margin, 0, item.bottom - margin);
    r.label.right = r.label.left + m_nWidestLabel;
    r.shortcut.SetRect(0, r.label.top, item.right - kShortcutEndGap, r.label.bottom);
    r.shortcut.left = r.shortcut.right - m_nWidestShortcut;
    r.shortcut.OffsetRect(-(r.shortcut.left - r.label.right) / 2, 0);
    return r;
}

int CDKBitmapMenu::HitTest(POINT point, BOOL* pUpperHalf) {
    int total = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_TYPE;
        GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = (info.fType & MFT_SEPARATOR) ? 0 : info.wID;
        measure.itemData = info.dwItemData;
        MeasureItem(&measure);
        total += static_cast<int>(measure.itemHeight);
        if (total < point.y) continue;
        if (pUpperHalf) *pUpperHalf = total - static_cast<int>(measure.itemHeight) / 2 >= point.y;
        return i;
    }
    return -1;
}

// ---- Drawing ----

BOOL CDKBitmapMenu::IsSeparatorAt(int nPosition) const {
    return nPosition >= 0 && nPosition < ItemCount() &&
           (GetMenuState(static_cast<UINT>(nPosition), MF_BYPOSITION) & MF_SEPARATOR);
}

void CDKBitmapMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    auto* item = reinterpret_cast<BitmapMenuItem*>(lpDIS->itemData);
    CString text = item ? item->strText : CString();
    const MenuImageInfo* info = item ? item->pImageInfo : nullptr;
    CRect rect(lpDIS->rcItem);
    ItemRects rects{};
    if (lpDIS->itemID != 0) rects = CalcItemRects(lpDIS->itemState, info, rect);
    int position = HitTest(rect.CenterPoint());
    UINT state = lpDIS->itemState;
    // A grayed item draws as a disabled one.
    if (state & ODS_GRAYED) state |= ODS_DISABLED;
    CDKBitmapMenuManager* organiser = manager();
    if (organiser && organiser->m_bRecentlyUsedEnabled && position >= 0 &&
        !organiser->IsItemRecentlyUsed(m_hMenu, position)) {
        state |= stateNotRecent;
        if (position > 0 && organiser->IsItemRecentlyUsed(m_hMenu, position - 1)) state |= stateAboveRecent;
        if (position < ItemCount() - 1 && organiser->IsItemRecentlyUsed(m_hMenu, position + 1))
            state |= stateBelowRecent;
    }
    if (lpDIS->itemID == 0) {
        DrawSeparator(pDC, rect);
    } else if (lpDIS->itemID == static_cast<UINT>(-1)) {
        DrawSubmenuItem(pDC, state, info, rects, text, rect);
    } else {
        DrawBackground(pDC, state, info, rect, rects.frame);
        DrawButton(pDC, state, info, rects.frame);
        DrawImage(pDC, state, info, rects.image);
        if (LOWORD(lpDIS->itemID) == ID_BITMAPMENU_EXPAND)
            DrawExpansionItem(pDC, state, rect);
        else
            DrawItemText(pDC, state, text, rects.label, rects.shortcut);
    }
    if (m_nCustomizedItem != -1 && position == m_nCustomizedItem &&
        GetMenuItemID(m_nCustomizedItem) == lpDIS->itemID)
        DrawCustomizedFrame(pDC, rect);
    if (m_nInsertMark != -1) {
        int marked = m_nInsertMark >= ItemCount() ? m_nInsertMark - 1 : m_nInsertMark;
        if (marked == position) DrawInsertMark(pDC, rect, m_nInsertMark < ItemCount());
    }
}

void CDKBitmapMenu::DrawBackground(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& item,
                                   const CRect& frame) {
    BOOL selected = (nState & ODS_SELECTED) != 0, checked = (nState & ODS_CHECKED) != 0;
    BOOL recent = !(nState & stateNotRecent);
    BOOL placeholder = !pInfo || pInfo->bPlaceholder;
    COLORREF fill = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    if (!frame.IsRectEmpty()) {
        if (recent || placeholder) {
            if (checked && !selected)
                fillCheckerboard(pDC, frame);
            else if (checked)
                pDC->FillSolidRect(&frame, ::GetSysColor(COLOR_MENU));
            else
                pDC->FillSolidRect(&frame,
                                   ::GetSysColor(selected && placeholder ? COLOR_HIGHLIGHT : COLOR_MENU));
        } else {
            fillCheckerboard(pDC, frame);
        }
    }
    if (recent || selected) {
        int k = checked ? 2 : placeholder ? -1 : 1;
        CRect text(std::max<int>(frame.right, m_nWidestImage + kImageGap + k), item.top, item.right,
                   item.bottom - 1);
        pDC->FillSolidRect(&text, fill);
    } else {
        fillCheckerboard(pDC, item);
    }
    if (recent || selected) return;
    if (nState & stateAboveRecent)
        pDC->FillSolidRect(item.left, item.top, item.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    if (nState & stateBelowRecent)
        pDC->FillSolidRect(item.left, item.bottom - 2, item.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CDKBitmapMenu::DrawButton(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& frame) {
    if (frame.IsRectEmpty()) return;
    CRect edge = frame;
    BOOL checked = (nState & ODS_CHECKED) != 0;
    if (!(nState & ODS_SELECTED) || (nState & ODS_DISABLED)) {
        if (checked) pDC->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    if (checked)
        pDC->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    else if (pInfo && !pInfo->bPlaceholder)
        pDC->DrawEdge(&edge, BDR_RAISEDINNER, BF_RECT);
}

void CDKBitmapMenu::DrawImage(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& image) {
    if (!pInfo || !pInfo->pImageList || image.IsRectEmpty()) return;
    if (pInfo->bPlaceholder && !(nState & ODS_CHECKED)) return;
    int index = (nState & ODS_SELECTED) && pInfo->nHotImage != -1 ? pInfo->nHotImage : pInfo->nImage;
    if (nState & ODS_DISABLED) {
        HICON icon = pInfo->pImageList->ExtractIcon(index);
        pDC->DrawState(image.TopLeft(), image.Size(), icon, DST_ICON | DSS_DISABLED);
        ::DestroyIcon(icon);
        return;
    }
    pInfo->pImageList->Draw(pDC, index, image.TopLeft(), ILD_TRANSPARENT);
}

UINT CDKBitmapMenu::TextColour(UINT nState) const {
    if (nState & ODS_DISABLED) return ::GetSysColor(COLOR_GRAYTEXT);
    return ::GetSysColor((nState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
}

void CDKBitmapMenu::DrawItemText(CDC* pDC, UINT nState, const CString& text, const CRect& label,
                                 const CRect& shortcut) {
    CString labelText, shortcutText;
    splitText(text, labelText, shortcutText);
    COLORREF oldColour = pDC->SetTextColor(TextColour(nState));
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    UINT effect = (nState & ODS_DISABLED) && !(nState & ODS_SELECTED) ? DSS_DISABLED : 0;
    pDC->DrawState(label.TopLeft(), label.Size(), labelText, DST_PREFIXTEXT | effect, TRUE, 0,
                   static_cast<HBRUSH>(nullptr));
    CSize size = textSize(pDC->GetSafeHdc(), shortcutText);
    if (!shortcutText.IsEmpty())
        pDC->DrawState(CPoint(shortcut.right - size.cx, shortcut.top), size, shortcutText,
                       DST_PREFIXTEXT | effect, TRUE, 0, static_cast<HBRUSH>(nullptr));
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
}

void CDKBitmapMenu::DrawSeparator(CDC* pDC, const CRect& item) {
    CRect band(item.left + 2, item.top + item.Height() / 2 - 1, item.right - 2, 0);
    band.bottom = band.top + 2;
    pDC->Draw3dRect(&band, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CDKBitmapMenu::DrawSubmenuItem(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const ItemRects& rects,
                                    const CString& text, const CRect& item) {
    DrawBackground(pDC, nState, pInfo, item, rects.frame);
    if (m_bCustomizationMode) {
        HFONT font = marlettFont();
        HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), font);
        int oldMode = pDC->SetBkMode(TRANSPARENT);
        COLORREF oldColour =
            pDC->SetTextColor(::GetSysColor((nState & ODS_DISABLED) ? COLOR_BTNSHADOW : COLOR_MENUTEXT));
        CRect arrow = rects.shortcut;
        pDC->DrawText("8", 1, &arrow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(oldColour);
        pDC->SetBkMode(oldMode);
        ::SelectObject(pDC->GetSafeHdc(), old);
        ::DeleteObject(font);
    }
    DrawItemText(pDC, nState, text, rects.label, rects.shortcut);
}

void CDKBitmapMenu::DrawExpansionItem(CDC* pDC, UINT nState, const CRect& item) {
    HFONT font = marlettFont();
    HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), font);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColour = pDC->SetTextColor(TextColour(nState));
    CRect rect = item;
    pDC->DrawText("6", 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
    ::SelectObject(pDC->GetSafeHdc(), old);
    ::DeleteObject(font);
}

void CDKBitmapMenu::DrawCustomizedFrame(CDC* pDC, const CRect& item) {
    pDC->DrawDragRect(&item, CSize(2, 2), nullptr, CSize(0, 0));
}

void CDKBitmapMenu::DrawInsertMark(CDC* pDC, const CRect& item, BOOL bTop) {
    int left = item.left + 2, right = item.right - 2;
    int top = bTop ? item.top - 2 : item.bottom - 2;
    int bottom = bTop ? item.top + 1 : item.bottom + 1;
    pDC->MoveTo(left, top);
    pDC->LineTo(left + 1, top + 1);
    pDC->LineTo(right - 1, top + 1);
    pDC->LineTo(right, top);
    pDC->LineTo(right, bottom);
    pDC->LineTo(right - 1, bottom - 1);
    pDC->LineTo(left + 1, bottom - 1);
    pDC->LineTo(left, bottom);
    pDC->LineTo(left, top);
}

// ---- Customisation ----

int CDKBitmapMenu::SetCustomizedItem(int nPosition) {
    int previous = m_nCustomizedItem;
    m_nCustomizedItem = nPosition;
    if (previous == nPosition) return previous;
    if (m_pPopupWnd) {
        m_pPopupWnd->RedrawItem(previous);
        m_pPopupWnd->RedrawItem(nPosition);
    }
    Notify(ID_BITMAPMENU_CUSTOMIZEDITEM);
    return previous;
}

int CDKBitmapMenu::SetInsertMark(int nPosition) {
    int previous = m_nInsertMark;
    m_nInsertMark = nPosition;
    if (previous == nPosition) return previous;
    if (m_pPopupWnd) {
        int count = ItemCount();
        for (int mark : {previous, nPosition}) {
            if (mark < 0) continue;
            int other = mark == previous ? nPosition : previous;
            m_pPopupWnd->RedrawItem(mark >= count ? count - 1 : mark);
            // The mark also touches the item above it, unless the other mark redraws that one.
            if (mark > 0 && mark < count && other != mark - 1 && other != mark + 1)
                m_pPopupWnd->RedrawItem(mark - 1);
        }
    }
    Notify(ID_BITMAPMENU_INSERTMARK);
    return previous;
}

void CDKBitmapMenu::UpdateMenuUI(CWnd* pFrame, UINT, BOOL bSysMenu) {
    if (bSysMenu || !pFrame) return;
    BitmapMenuCmdUI state;
    state.m_pMenu = this;
    state.m_pParentMenu = CMenu::FromHandle(parentMenu(pFrame, m_hMenu));
    auto* frame = dynamic_cast<CFrameWnd*>(pFrame);
    pm::afx::updateMenuItems(state, pFrame, frame && frame->m_bAutoMenuEnable);
}

void CDKBitmapMenu::Refresh() {
    if (CDKBitmapMenuManager* organiser = manager()) organiser->PreparePopupMenu(this, FALSE);
    if (m_pPopupWnd) m_pPopupWnd->RecalcLayout();
}

BOOL CDKBitmapMenu::Notify(int nOperation) {
    HWND target = m_hWndNotify;
    if (!target) {
        CWnd* main = AfxGetMainWnd();
        target = main ? main->GetSafeHwnd() : nullptr;
    }
    if (!target) return FALSE;
    BitmapMenuNotify notify{};
    notify.hdr.hwndFrom = m_pPopupWnd ? m_pPopupWnd->GetSafeHwnd() : nullptr;
    notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(target));
    notify.hdr.code = BMN_CUSTOMIZE;
    notify.nOperation = nOperation;
    return ::SendMessage(target, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify)) != 0;
}

BOOL CDKBitmapMenu::ShowCustomizeMenu(int nPosition, int x, int y) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    if (!GetMenuItemInfo(static_cast<UINT>(nPosition), &info, TRUE)) return FALSE;
    if (!info.hSubMenu && ((info.wID >= kFirstRecentFile && info.wID <= kLastRecentFile) ||
                           info.wID >= kFirstWindowListCommand))
        return FALSE;
    CMenu popup;
    if (!popup.CreatePopupMenu()) return FALSE;
    popup.AppendMenu(MF_STRING, ID_BITMAPMENU_DELETE, "Delete");
    if (!(info.fType & MFT_SEPARATOR)) {
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING, ID_BITMAPMENU_APPEARANCE, "Appearance...");
        popup.AppendMenu(MF_SEPARATOR);
        CDKBitmapMenuManager* organiser = manager();
        if (organiser && organiser->m_bRecentlyUsedEnabled) {
            UINT check = organiser->IsItemRecentlyUsed(m_hMenu, nPosition) ? MF_CHECKED : 0;
            popup.AppendMenu(MF_STRING | check, ID_BITMAPMENU_RECENTLYUSED, "Recently Used");
            popup.AppendMenu(MF_SEPARATOR);
        }
        UINT before = nPosition > 0 && !IsSeparatorAt(nPosition - 1) ? 0 : MF_GRAYED;
        UINT after = nPosition < ItemCount() - 1 && !IsSeparatorAt(nPosition + 1) ? 0 : MF_GRAYED;
        popup.AppendMenu(MF_STRING | before, ID_BITMAPMENU_SEPARATORBEFORE, "Put Separator Before");
        popup.AppendMenu(MF_STRING | after, ID_BITMAPMENU_SEPARATORAFTER, "Put Separator After");
    }
    CWnd* owner = m_pPopupWnd ? static_cast<CWnd*>(m_pPopupWnd) : AfxGetMainWnd();
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, owner);
    popup.DestroyMenu();
    return TRUE;
}

void CDKBitmapMenu::OnBeginDrag(int) {
    m_bDragStarted = FALSE;
}

// ---- Drag and drop ----

CDKDropSourceHelper* CDKBitmapMenu::GetDragSource() {
    m_dragSource.m_pServed = m_pPopupWnd;
    return &m_dragSource;
}

BOOL CDKBitmapMenu::OnDragEnter(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable()) return FALSE;
    m_bDragOver = TRUE;
    return OnDragOver(pParams);
}

BOOL CDKBitmapMenu::OnDragOver(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable()) return FALSE;
    pParams->words[DKDROPTARGETPARAMS::kResult] = DROPEFFECT_NONE;
    return TRUE;
}

BOOL CDKBitmapMenu::OnDragLeave() {
    if (!IsCustomizable()) return FALSE;
    SetInsertMark(-1);
    m_bDragOver = FALSE;
    return TRUE;
}

BOOL CDKBitmapMenu::OnDrop(DKDROPTARGETPARAMS* pParams) {
    if (!IsCustomizable()) return FALSE;
    pParams->words[DKDROPTARGETPARAMS::kResult] = DROPEFFECT_NONE;
    m_bDragOver = FALSE;
    return TRUE;
}

namespace {
// Items without a text take their command's string, up to its first line feed.
void nameFromStrings(std::vector<docking::DraggedItem>& items) {
    for (docking::DraggedItem& item : items) {
        nameFromStrings(item.children);
        if (!item.strText.IsEmpty() || item.nID == 0 || item.nID == -1) continue;
        CString resource;
        resource.LoadString(static_cast<UINT>(item.nID));
        int lineFeed = resource.Find('\n');
        item.strText = lineFeed < 0 ? resource : resource.Left(lineFeed);
    }
}
} // namespace

BOOL CDKBitmapMenu::InsertDroppedItems(const BYTE*& pCursor, const BYTE* pEnd, HMENU hMenu, int nPosition) {
    std::vector<docking::DraggedItem> items;
    if (!::IsMenu(hMenu) || !docking::ReadDraggedItems(pCursor, pEnd, items)) return FALSE;
    nameFromStrings(items);
    CDKBitmapMenuManager* organiser = manager();
    docking::InsertDraggedItems(hMenu, nPosition, items, [organiser](HMENU popup) {
        if (organiser) organiser->AddCreatedMenu(popup);
    });
    if (organiser) organiser->ConvertPopupMenu(hMenu, 0, FALSE)->Refresh();
    return TRUE;
}

void CDKBitmapMenu::OnCustomizeDelete() {
    if (Notify(ID_BITMAPMENU_DELETE)) return;
    DeleteMenu(static_cast<UINT>(m_nCustomizedItem), MF_BYPOSITION);
    m_nCustomizedItem = -1;
    Refresh();
}

void CDKBitmapMenu::OnCustomizeAppearance() {
    Notify(ID_BITMAPMENU_APPEARANCE);
}

void CDKBitmapMenu::OnCustomizeSeparatorBefore() {
    if (Notify(ID_BITMAPMENU_SEPARATORBEFORE) || m_nCustomizedItem < 0) return;
    InsertMenu(static_cast<UINT>(m_nCustomizedItem), MF_BYPOSITION | MF_SEPARATOR);
    Refresh();
    ++m_nCustomizedItem;
}

void CDKBitmapMenu::OnCustomizeSeparatorAfter() {
    if (Notify(ID_BITMAPMENU_SEPARATORAFTER) || m_nCustomizedItem < 0) return;
    InsertMenu(static_cast<UINT>(m_nCustomizedItem + 1), MF_BYPOSITION | MF_SEPARATOR);
    Refresh();
}

void CDKBitmapMenu::OnCustomizeRecentlyUsed() {
    if (Notify(ID_BITMAPMENU_RECENTLYUSED) || m_nCustomizedItem < 0) return;
    CDKBitmapMenuManager* organiser = manager();
    if (!organiser) return;
    if (organiser->IsItemRecentlyUsed(m_hMenu, m_nCustomizedItem))
        organiser->MakeItemNotRecentlyUsed(m_hMenu, m_nCustomizedItem);
    else
        organiser->MakeItemRecentlyUsed(m_hMenu, m_nCustomizedItem);
    Refresh();
}
