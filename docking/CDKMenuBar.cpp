// CDKMenuBar: buttons from the menu, keyboard mode, the popups in the platform's menu loop, and the
// maximised MDI child's icon and caption buttons.

#include "docking/CDKMenuBar.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CMiniDockFrameWnd.h"
#include "docking/MenuMnemonic.h"
#include "docking/ToolBarDragData.h"

#include <cctype>
#include <iterator>

IMPLEMENT_DYNAMIC(CDKMenuBar, CDKCoolToolBar)

namespace {
const int kPopupRoom = 200; // room a popup needs below (or beside) its button
CDKMenuBar* g_trackingBar = nullptr;
HHOOK g_mouseHook = nullptr;

// While a popup is tracked, pointer moves over the bar switch to the popup under the pointer.
LRESULT CALLBACK menuMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && wParam == WM_MOUSEMOVE && g_trackingBar)
        g_trackingBar->OnMenuMouseMove(CPoint(reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt));
    return ::CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

// The item's mnemonic, upper-cased; 0 when none.
char mnemonicOf(const CString& text) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(docking::MnemonicOf(text))));
}
} // namespace

CDKMenuBar::CDKMenuBar() {
    m_rcClose.SetRectEmpty();
    m_rcRestore.SetRectEmpty();
    m_rcMinimize.SetRectEmpty();
    m_bGripper = TRUE;
}

CDKMenuBar::~CDKMenuBar() {
    if (g_trackingBar == this) g_trackingBar = nullptr;
    for (auto it = m_createdPopups.rbegin(); it != m_createdPopups.rend(); ++it)
        ::DestroyMenu(*it);
    if (m_hMenuFont) ::DeleteObject(m_hMenuFont);
}

BOOL CDKMenuBar::Create(CWnd* pFrame, DWORD dwStyle, UINT nID) {
    if (!CDKCoolToolBar::Create(pFrame, dwStyle, nID)) return FALSE;
    SetDropDownArrow(FALSE);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
    SetWindowText("Menu");
    m_pFrame = pFrame;
    return TRUE;
}

// ---- Buttons from the menu ----

BOOL CDKMenuBar::SetMenu(HMENU hMenu) {
    if (hMenu == m_hMenu) return TRUE;
    if (m_hMenu && m_modifiedMenus.count(m_hMenu)) {
        SaveMenuState(m_hMenu, DocumentNameForMenu(m_hMenu));
        m_modifiedMenus.erase(m_hMenu);
    }
    m_hMenu = hMenu;
    if (hMenu && !m_menuTemplates.count(hMenu)) {
        CDocument* doc = ActiveDocument();
        CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
        bool taken = false;
        for (const auto& entry : m_menuTemplates)
            taken = taken || entry.second == docTemplate;
        if (!taken) {
            m_menuTemplates[hMenu] = docTemplate;
            LoadMenuState(hMenu, doc ? doc->GetRuntimeClass()->m_lpszClassName : nullptr);
        }
    }
    return UpdateMenuButtons(TRUE);
}

BOOL CDKMenuBar::UpdateMenuButtons(BOOL bRelayout) {
    // The chosen and the dragged button stay chosen across the rebuild.
    int dragged = m_nDraggedButton, customised = m_nCustomizedButton;
    m_nDraggedButton = m_nCustomizedButton = -1;
    m_bInternalChange = TRUE;
    while (SendMessage(TB_DELETEBUTTON, 0)) {
    }
    m_bInternalChange = FALSE;
    m_mnemonics.clear();
    UpdateMDIIcon(FALSE);
    BOOL result = TRUE;
    if (m_hMenu) {
        if (!::IsMenu(m_hMenu)) return FALSE;
        int count = ::GetMenuItemCount(m_hMenu);
        std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            ::GetMenuStringA(m_hMenu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            if (char key = mnemonicOf(text)) m_mnemonics.emplace(key, i);
            TBBUTTON& b = buttons[static_cast<size_t>(i)];
            b.iBitmap = -1;
            b.idCommand = i + 1;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE;
            b.dwData = static_cast<DWORD_PTR>(i);
            b.iString = SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(text));
        }
        if (count > 0)
            result = SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(count),
                                 reinterpret_cast<LPARAM>(buttons.data())) != 0;
    }
    int count = ButtonCount();
    if (dragged < count) m_nDraggedButton = dragged;
    if (customised < count) m_nCustomizedButton = customised;
    if (!m_bInitialized) {
        m_bInitialized = TRUE;
        UpdateFont(FALSE);
    }
    auto* frame = dynamic_cast<CFrameWnd*>(m_pFrame);
    if (!m_hMenu) {
        if (frame)
            frame->ShowControlBar(this, FALSE, FALSE);
        else
            ShowWindow(SW_HIDE);
        return result;
    }
    if (bRelayout) {
        UpdateSizes(TRUE, TRUE);
        m_bDelayedButtonLayout = TRUE;
    }
    if (frame) {
        frame->ShowControlBar(this, TRUE, FALSE);
    } else if (m_pFrame) {
        // A window that lays out no bars: the bar stands along the top of its client area.
        CRect client;
        m_pFrame->GetClientRect(&client);
        CSize size = CalcFixedLayout(TRUE, TRUE);
        SetWindowPos(nullptr, client.left, client.top - 2, client.Width(), size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNA);
    }
    return result;
}

void CDKMenuBar::UpdateFont(BOOL bRelayout) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_hMenuFont) ::DeleteObject(m_hMenuFont);
    m_hMenuFont = font;
    if (ButtonCount() > 0) {
        SendMessage(TB_AUTOSIZE);
        CRect first;
        GetItemRect(0, &first);
        SetHeight(first.Height() + 3);
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(first.Width(), first.Height()));
    }
    m_clrDefaultText = ::GetSysColor(COLOR_MENUTEXT);
    if (bRelayout) UpdateSizes(TRUE, FALSE);
}

CDocument* CDKMenuBar::ActiveDocument() const {
    CWnd* main = AfxGetMainWnd();
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(main)) {
        CMDIChildWnd* child = mdi->MDIGetActive();
        return child ? child->GetActiveDocument() : nullptr;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    return frame ? frame->GetActiveDocument() : nullptr;
}

CString CDKMenuBar::DocumentNameForMenu(HMENU hMenu) const {
    auto it = m_menuTemplates.find(hMenu);
    if (it == m_menuTemplates.end() || !it->second) return CString();
    POSITION pos = it->second->GetFirstDocPosition();
    CDocument* doc = pos ? it->second->GetNextDoc(pos) : nullptr;
    return doc ? CString(doc->GetRuntimeClass()->m_lpszClassName) : CString();
}

BOOL CDKMenuBar::DeleteButton(int nIndex) {
    int count = ButtonCount();
    if (nIndex < 0 || nIndex >= count) return FALSE;
    for (int i = nIndex + 1; i < count; ++i)
        SendMessage(TB_SETCMDID, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
    ::DeleteMenu(m_hMenu, static_cast<UINT>(nIndex), MF_BYPOSITION);
    m_modifiedMenus[m_hMenu] = TRUE;
    return TRUE;
}

BOOL CDKMenuBar::ShowButtonContextMenu(int, int x, int y) {
    CMenu popup;
    if (!popup.CreatePopupMenu()) return FALSE;
    popup.AppendMenu(MF_STRING, ID_COOLBAR_DELETE, "Delete");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_COOLBAR_APPEARANCE, "Button Appearance...");
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, this);
    popup.DestroyMenu();
    return TRUE;
}

// ---- MDI child's icon and caption buttons ----

CMDIChildWnd* CDKMenuBar::ActiveMaximizedChild() const {
    auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pFrame);
    if (!mdi) return nullptr;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = mdi->MDIGetActive(&maximized);
    return maximized ? child : nullptr;
}

void CDKMenuBar::UpdateMDIIcon(BOOL bRelayout) {
    HICON icon = nullptr;
    if (CMDIChildWnd* child = ActiveMaximizedChild()) {
        HWND h = child->GetSafeHwnd();
        // A child that hangs gives no icon rather than holding the bar.
        auto askIcon = [h](WPARAM kind) {
            DWORD_PTR answer = 0;
            ::SendMessageTimeout(h, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 1000, &answer);
            return reinterpret_cast<HICON>(answer);
        };
        icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(::GetClassLong(h, GCL_HICONSM)));
        if (!icon) icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(::GetClassLong(h, GCL_HICON)));
        if (!icon) icon = askIcon(ICON_SMALL);
        if (!icon) icon = askIcon(ICON_BIG);
        if (!icon) icon = ::LoadIcon(nullptr, IDI_WINLOGO);
    }
    if (icon == m_hIcon) return;
    m_rcIcon.SetRectEmpty();
    m_hIcon = icon;
    if (bRelayout) UpdateSizes(TRUE, TRUE);
}

int CDKMenuBar::CalcMDIButtons() {
    m_rcClose.SetRectEmpty();
    m_rcRestore.SetRectEmpty();
    m_rcMinimize.SetRectEmpty();
    CMDIChildWnd* child = ActiveMaximizedChild();
    if (!m_hIcon || !child) return 0;
    CRect window;
    GetWindowRect(&window);
    BOOL horz = IsHorizontalDocked() || (m_dwStyle & CBRS_FLOATING);
    int cx = ::GetSystemMetrics(SM_CXSIZE), cy = ::GetSystemMetrics(SM_CYSIZE);
    int thickness = horz ? window.Height() : window.Width();
    int size = horz ? cy : cx;
    int m = 0;
    if (thickness < size) {
        cx = cy = thickness;
    } else {
        m = (thickness - size + 1) / 2;
    }
    CRect close;
    if (horz) {
        close.SetRect(window.Width() - cx - 2, m, window.Width() - 2, m + cy);
        close.DeflateRect(0, 2, 2, 2);
    } else {
        close.SetRect(m, window.Height() - cx - 2, m + cx, window.Height() - 2);
        close.DeflateRect(2, 0, 2, 2);
    }
    int length = horz ? close.Width() : close.Height();
    int extent = length + 2;
    m_rcClose = close;
    if (child->GetStyle() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        m_rcRestore = close;
        m_rcRestore.OffsetRect(horz ? -length : 0, horz ? 0 : -length);
        m_rcMinimize = m_rcRestore;
        m_rcMinimize.OffsetRect(horz ? -(length - 2) : 0, horz ? 0 : -(length - 2));
        extent += 2 * length;
    }
    return extent + 6;
}

void CDKMenuBar::DrawMDIButtons(CDC* pDC) {
    CMDIChildWnd* child = ActiveMaximizedChild();
    if (!child || m_rcClose.IsRectEmpty()) return;
    auto pushed = [this](int hit) { return m_nPressedMDIButton == hit ? DFCS_PUSHED : 0; };
    pDC->DrawFrameControl(&m_rcClose, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed(hitClose));
    if (m_rcRestore.IsRectEmpty()) return;
    DWORD style = child->GetStyle();
    pDC->DrawFrameControl(&m_rcRestore, DFC_CAPTION,
                          DFCS_CAPTIONRESTORE | ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE) |
                              pushed(hitRestore));
    pDC->DrawFrameControl(&m_rcMinimize, DFC_CAPTION,
                          DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE) |
                              pushed(hitMinimize));
}

void CDKMenuBar::CalcExtraExtent(RECT& margins, int nHorz) const {
    int extent = const_cast<CDKMenuBar*>(this)->CalcMDIButtons();
    if (nHorz)
        margins.right = extent;
    else
        margins.bottom = extent;
}

void CDKMenuBar::CalcExtraOffset(CDC* pDC, CRect& rect) {
    if (!m_hIcon || !dynamic_cast<CMDIFrameWnd*>(m_pFrame)) return;
    CalcMDIButtons();
    DrawMDIButtons(pDC);
    const CRect& first = !m_rcMinimize.IsRectEmpty()  ? m_rcMinimize
                         : !m_rcRestore.IsRectEmpty() ? m_rcRestore
                                                      : m_rcClose;
    if (first.IsRectEmpty()) return;
    if (IsHorizontalDocked())
        rect.right = first.left - 6;
    else
        rect.bottom = first.top - 6;
}

int CDKMenuBar::HitTest(CPoint point, int nCoordinates) const {
    CRect window;
    GetWindowRect(&window);
    CPoint screen = point;
    if (nCoordinates == coordClient) ClientToScreen(&screen);
    if (nCoordinates == coordWindow) screen.Offset(window.left, window.top);
    CPoint inWindow(screen.x - window.left, screen.y - window.top);
    CPoint client = screen;
    ScreenToClient(&client);
    if (m_hIcon) {
        if (m_rcIcon.PtInRect(inWindow)) return hitIcon;
        if (m_rcClose.PtInRect(inWindow)) return hitClose;
        if (m_rcRestore.PtInRect(inWindow)) return hitRestore;
        if (m_rcMinimize.PtInRect(inWindow)) return hitMinimize;
    }
    int hit = static_cast<int>(::SendMessage(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    return hit >= 0 && hit < ButtonCount() ? hit : hitNothing;
}

// ---- Layout ----

CSize CDKMenuBar::CalcLayout(DWORD nMode, int nLength) {
    BOOL docked = (nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    BOOL fullLength = m_bFullLength && !(m_dwStyle & CBRS_FLOATING);
    if (!m_bStretch || !(docked || fullLength)) return CDKCoolToolBar::CalcLayout(nMode, nLength);
    BOOL horz = (nMode & LM_HORZ) != 0;
    int extent = GetFrameExtent(horz);
    if (!horz) {
        CSize size = CDKCoolToolBar::CalcLayout(nMode, nLength);
        size.cy = extent;
        return size;
    }
    // Along the frame's width the items wrap into as many rows as they need, so every menu stays
    // reachable however narrow the frame is. The rows depend on the frame alone, so they are taken
    // at once: dock bars that only ask for sizes get the rows they lay out.
    DWORD mode = (nMode & ~static_cast<DWORD>(LM_HORZDOCK | LM_MRUWIDTH)) | LM_COMMIT;
    CSize size = CDKCoolToolBar::CalcLayout(mode, extent);
    size.cx = extent;
    return size;
}

int CDKMenuBar::GetFrameExtent(BOOL bHorz) const {
    CWnd* frame = m_pDockSite;
    if (!frame) frame = GetParentFrame();
    if (!frame) frame = m_pFrame;
    if (!frame) frame = GetParent();
    if (!frame) return 0;
    CRect client;
    frame->GetClientRect(&client);
    int end = bHorz ? client.Width() : client.Height();
    if (auto* frameWnd = dynamic_cast<CFrameWnd*>(frame)) {
        CControlBar* first = frameWnd->GetControlBar(bHorz ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
        CControlBar* second = frameWnd->GetControlBar(bHorz ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT);
        CRect rect;
        if (first && second) second->GetClientRect(&rect);
        // An empty dock bar may have no size yet: the frame's client area stands for it.
        if (first && second && (bHorz ? rect.right : rect.bottom) > 0) end = bHorz ? rect.right : rect.bottom;
    }
    return afxData.cxBorder2 + end + afxData.cyBorder2;
}

void CDKMenuBar::OnFloatingStateChanged(BOOL bFloating) {
    CDKCoolToolBar::OnFloatingStateChanged(bFloating);
    // A floating menu bar's frame offers no commands of its own.
    auto* mini = bFloating ? dynamic_cast<CMiniDockFrameWnd*>(GetParentFrame()) : nullptr;
    HMENU system = mini ? ::GetSystemMenu(mini->GetSafeHwnd(), FALSE) : nullptr;
    while (system && ::DeleteMenu(system, 0, MF_BYPOSITION)) {
    }
}

BOOL CDKMenuBar::CreateMenuFromData(const BYTE*& pCursor, const BYTE* pEnd, HMENU hMenu, int nPosition) {
    std::vector<docking::DraggedItem> items;
    if (!::IsMenu(hMenu) || !docking::ReadDraggedItems(pCursor, pEnd, items)) return FALSE;
    docking::InsertDraggedItems(hMenu, nPosition, items,
                                [this](HMENU popup) { m_createdPopups.push_back(popup); });
    return TRUE;
}

void CDKMenuBar::OnDockSideChanged(DWORD) {
    if (m_dwStyle & CBRS_FLOATING) return;
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout(TRUE);
}

// ---- Keyboard mode and popups ----

void CDKMenuBar::SendToFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd())) m_pFrame->SendMessage(message, wParam, lParam);
}

BOOL CDKMenuBar::SetKeyboardMode(BOOL bOn, int nIndex) {
    if (nIndex == ButtonCount()) nIndex = -1;
    if (bOn && !m_bKeyboardMode) {
        if (m_nOpenPopup != -1) return FALSE;
        m_bKeyboardMode = TRUE;
        m_hWndFocusBefore = ::GetFocus();
        SetFocus();
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(nIndex));
        if (!m_bEscape) {
            SendToFrame(WM_ENTERMENULOOP, 0, 0);
            SendToFrame(WM_INITMENU, reinterpret_cast<WPARAM>(m_hMenu), 0);
            SendToFrame(WM_MENUSELECT, MAKELONG(nIndex, MF_POPUP | MF_HILITE),
                        reinterpret_cast<LPARAM>(m_hMenu));
        }
    } else if (!bOn && m_bKeyboardMode) {
        m_bKeyboardMode = FALSE;
        if (m_hWndFocusBefore && ::IsWindow(m_hWndFocusBefore)) ::SetFocus(m_hWndFocusBefore);
        m_hWndFocusBefore = nullptr;
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    } else if (bOn) {
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(nIndex));
    }
    return TRUE;
}

CRect CDKMenuBar::ButtonScreenRect(int nIndex) const {
    CRect rect;
    if (nIndex == ButtonCount()) {
        rect = m_rcIcon;
        CRect window;
        GetWindowRect(&window);
        rect.OffsetRect(window.left, window.top);
        return rect;
    }
    GetItemRect(nIndex, &rect);
    ClientToScreen(&rect);
    return rect;
}

void CDKMenuBar::OpenPopup(int nIndex) {
    int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    const BOOL selectFirst = m_bSelectFirstItem;
    m_bSelectFirstItem = FALSE;
    if (!m_hMenu || nIndex < 0 || nIndex > count || (nIndex == count && !m_hIcon)) return;
    BOOL wasOpen = m_nOpenPopup != -1;
    BOOL wasKeyboard = m_bKeyboardMode;
    SetKeyboardMode(FALSE, -1);
    HMENU popup = nullptr;
    BOOL customising = InCustomizationMode();
    if (nIndex == count) {
        if (customising) return;
        CMDIChildWnd* child = ActiveMaximizedChild();
        popup = child ? ::GetSystemMenu(child->GetSafeHwnd(), FALSE) : nullptr;
    } else if (!(::GetMenuState(m_hMenu, static_cast<UINT>(nIndex), MF_BYPOSITION) &
                 (MF_GRAYED | MF_DISABLED))) {
        popup = ::GetSubMenu(m_hMenu, nIndex);
    }
    if (!popup) {
        if (!customising) ClosePopup();
        return;
    }
    if (!wasKeyboard) {
        if (!wasOpen) {
            SendToFrame(WM_ENTERMENULOOP, 0, 0);
            SendToFrame(WM_INITMENU, reinterpret_cast<WPARAM>(m_hMenu), 0);
        }
        SendToFrame(WM_MENUSELECT,
                    nIndex == count ? MAKELONG(0, MF_SYSMENU) : MAKELONG(nIndex, MF_POPUP | MF_HILITE),
                    reinterpret_cast<LPARAM>(m_hMenu));
    }
    CRect button = ButtonScreenRect(nIndex);
    CPoint at;
    UINT flags = TPM_RIGHTBUTTON;
    if (IsHorizontalDocked() || (m_dwStyle & CBRS_FLOATING)) {
        at = ::GetSystemMetrics(SM_CYSCREEN) - button.bottom >= kPopupRoom
                 ? CPoint(button.left, button.bottom + 1)
                 : CPoint(button.right + 1, button.top);
    } else if (::GetSystemMetrics(SM_CXSCREEN) - button.right >= kPopupRoom) {
        at = CPoint(button.right + 1, button.top);
    } else {
        at = CPoint(button.left - 1, button.top);
        flags |= TPM_RIGHTALIGN;
    }
    ClosePopup();
    m_nOpenPopup = nIndex;
    m_nNextPopup = -1;
    if (customising) {
        // The owner shows the popup.
        MenuBarDropDown dropDown{popup, flags, at.x, at.y};
        NotifyOwner(ID_MENUBAR_DROPDOWN, &dropDown);
        m_nJustClosed = -1;
        ClosePopup();
        return;
    }
    if (nIndex < count) SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(nIndex + 1), TRUE);
    // The menu loop takes its keys from the queue: a Down arrow waiting there selects the first item.
    if (selectFirst) PostMessage(WM_KEYDOWN, VK_DOWN, 1);
    CWnd* main = AfxGetMainWnd();
    g_trackingBar = this;
    g_mouseHook = ::SetWindowsHookEx(WH_MOUSE, menuMouseHook, nullptr, ::GetCurrentThreadId());
    ::TrackPopupMenu(popup, flags, at.x, at.y, 0, main ? main->GetSafeHwnd() : m_hWnd, nullptr);
    if (g_mouseHook) ::UnhookWindowsHookEx(g_mouseHook);
    g_mouseHook = nullptr;
    g_trackingBar = nullptr;
    if (!::IsWindow(m_hWnd)) return;
    if (m_nNextPopup != -1) {
        PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(m_nNextPopup));
        return;
    }
    // Only a press on the popup's own button closed it so: a popup closed from the keyboard while
    // the pointer rests on its button opens again on the next click.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (::GetKeyState(VK_LBUTTON) < 0 &&
        static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&cursor))) == nIndex)
        m_nJustClosed = nIndex;
    ClosePopup();
}

void CDKMenuBar::ClosePopup() {
    if (m_nOpenPopup == -1) return;
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(m_nOpenPopup + 1), FALSE);
    int closed = m_nOpenPopup;
    m_nOpenPopup = -1;
    if (!m_bEscape) {
        if (m_nNextPopup == -1) SendToFrame(WM_EXITMENULOOP, 0, 0);
        return;
    }
    SetKeyboardMode(TRUE, closed);
    m_nJustClosed = -1;
    m_bEscape = FALSE;
}

void CDKMenuBar::OnMenuMouseMove(CPoint ptScreen) {
    if (m_nOpenPopup == -1) return;
    int hit = HitTest(ptScreen, coordScreen);
    if (hit == hitIcon) hit = ButtonCount();
    if (hit < 0 || hit == m_nOpenPopup) return;
    m_nNextPopup = hit;
    m_bSelectFirstItem = FALSE;
    ::EndMenu();
}

int CDKMenuBar::PrevButton(int nIndex, BOOL bCheck) const {
    int count = ButtonCount();
    if (count == 0) return -1;
    int first = m_hIcon ? count : 0;
    if (nIndex < 0) nIndex = first;
    // The icon stands before the first button.
    int prev = nIndex == count ? count - 1 : nIndex == 0 ? (m_hIcon ? count : count - 1) : nIndex - 1;
    if (bCheck && prev < count) {
        CRect rect, client;
        GetItemRect(prev, &rect);
        GetClientRect(&client);
        if (rect.left > client.right) prev = first;
    }
    return prev;
}

int CDKMenuBar::NextButton(int nIndex, BOOL bCheck) const {
    int count = ButtonCount();
    if (count == 0) return -1;
    int first = m_hIcon ? count : 0;
    if (nIndex < 0) nIndex = first;
    int next = nIndex == count ? 0 : nIndex == count - 1 ? (m_hIcon ? count : 0) : nIndex + 1;
    if (bCheck && next < count) {
        CRect rect, client;
        GetItemRect(next, &rect);
        GetClientRect(&client);
        if (rect.left > client.right) next = first;
    }
    return next;
}

BOOL CDKMenuBar::HandleMenuKey(UINT nKey) {
    CWnd* main = AfxGetMainWnd();
    if (main && main->SendMessage(WM_KEYDOWN, nKey, 1)) return TRUE;
    int count = ButtonCount();
    auto hot = [this]() { return static_cast<int>(SendMessage(TB_GETHOTITEM)); };
    auto openFromKeyboard = [&]() {
        int index = hot();
        m_bSelectFirstItem = TRUE;
        OpenPopup(index < 0 ? count : index);
        return TRUE;
    };
    if (nKey == 0) {
        int index = std::max(hot(), 0);
        BOOL wasOn = m_bKeyboardMode;
        SetKeyboardMode(!wasOn, index);
        if (wasOn) SendToFrame(WM_EXITMENULOOP, 0, 0);
        return TRUE;
    }
    if (nKey == VK_ESCAPE && m_bKeyboardMode) {
        SetKeyboardMode(FALSE, hot());
        SendToFrame(WM_EXITMENULOOP, 0, 0);
        return TRUE;
    }
    if (count == 0) return FALSE;
    if (nKey == VK_RETURN) return m_bKeyboardMode ? openFromKeyboard() : FALSE;
    if (nKey == VK_ESCAPE) {
        if (m_nOpenPopup != -1) m_bEscape = TRUE;
        return FALSE;
    }
    BOOL horz = IsHorizontalDocked() || (m_dwStyle & CBRS_FLOATING);
    bool along = horz ? (nKey == VK_LEFT || nKey == VK_RIGHT) : (nKey == VK_UP || nKey == VK_DOWN);
    bool across = horz ? (nKey == VK_UP || nKey == VK_DOWN) : (nKey == VK_LEFT || nKey == VK_RIGHT);
    bool backwards = nKey == VK_LEFT || nKey == VK_UP;
    if (along) {
        if (m_bKeyboardMode) {
            int index = backwards ? PrevButton(hot(), TRUE) : NextButton(hot(), TRUE);
            SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(index < count ? index : -1));
            if (nKey != VK_DOWN)
                SendToFrame(WM_MENUSELECT,
                            index == count ? MAKELONG(0, MF_SYSMENU) : MAKELONG(index, MF_POPUP | MF_HILITE),
                            reinterpret_cast<LPARAM>(m_hMenu));
            return TRUE;
        }
        if (m_nOpenPopup != -1 && horz) {
            int next = backwards ? PrevButton(m_nOpenPopup, FALSE) : NextButton(m_nOpenPopup, FALSE);
            if (next != m_nOpenPopup) {
                m_nNextPopup = next;
                m_bSelectFirstItem = TRUE;
                ::EndMenu();
            }
            return TRUE;
        }
        return FALSE;
    }
    if (across) return m_bKeyboardMode ? openFromKeyboard() : FALSE;
    if (m_nOpenPopup != -1) return FALSE;
    auto [first, last] =
        m_mnemonics.equal_range(static_cast<char>(std::toupper(static_cast<int>(nKey & 0xFF))));
    if (first == last) return FALSE;
    if (std::next(first) == last) {
        m_bSelectFirstItem = TRUE;
        OpenPopup(first->second);
        return TRUE;
    }
    // A letter that several menus share selects the next of them after the hot one, without
    // opening it; each press moves on, and Enter or an arrow opens the one selected.
    int chosen = first->second;
    for (auto it = first; it != last; ++it)
        if (it->second > hot()) {
            chosen = it->second;
            break;
        }
    const BOOL wasOn = m_bKeyboardMode;
    SetKeyboardMode(TRUE, chosen);
    if (wasOn)
        SendToFrame(WM_MENUSELECT, MAKELONG(chosen, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(m_hMenu));
    return TRUE;
}

// ---- Messages ----

void CDKMenuBar::OnOpenPopupMessage(WPARAM wParam) {
    MSG msg;
    while (::PeekMessage(&msg, m_hWnd, WM_MENUBAR_OPENPOPUP, WM_MENUBAR_OPENPOPUP, PM_REMOVE))
        wParam = msg.wParam;
    OpenPopup(static_cast<int>(wParam));
}

BOOL CDKMenuBar::OnButtonDropDown(NMTOOLBARA* pNotify, LRESULT* pResult) {
    int index = static_cast<int>(SendMessage(TB_COMMANDTOINDEX, static_cast<WPARAM>(pNotify->iItem)));
    *pResult = 0;
    if (index == m_nJustClosed) {
        m_nJustClosed = -1;
        return TRUE;
    }
    m_bSelectFirstItem = FALSE;
    PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(index));
    return TRUE;
}

BOOL CDKMenuBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Button n stands for the item at position n - 1: enabled unless that item is.
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && m_hMenu && nID >= 1 && nID <= 0xFFFF &&
        !pHandlerInfo) {
        int count = ::GetMenuItemCount(m_hMenu);
        if (nID > static_cast<UINT>(count)) return FALSE;
        UINT state = ::GetMenuState(m_hMenu, nID - 1, MF_BYPOSITION);
        static_cast<CCmdUI*>(pExtra)->Enable(!(state & (MF_GRAYED | MF_DISABLED)));
        return TRUE;
    }
    return CDKCoolToolBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDKMenuBar::OnLButtonDown(CPoint ptClient) {
    if (!InCustomizationMode() || m_nDraggedButton != -1) return;
    if (m_nHoldTimer) {
        KillTimer(m_nHoldTimer);
        m_nHoldTimer = 0;
        return;
    }
    m_nHoldButton = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&ptClient)));
    m_nHoldTimer = SetTimer(kHoldTimer, kHoldDelay, nullptr);
}

void CDKMenuBar::OnHoldTimer() {
    KillTimer(kHoldTimer);
    m_nHoldTimer = 0;
    int held = m_nHoldButton;
    m_nHoldButton = -1;
    if (!::IsWindow(m_hWnd) || ::GetKeyState(VK_LBUTTON) >= 0 || !InCustomizationMode() || held < 0 ||
        held >= ButtonCount())
        return;
    NMTOOLBARA notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(TBN_BEGINDRAG);
    notify.iItem = held + 1;
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessage(parent, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

LRESULT CDKMenuBar::OnNcLButtonDown(UINT nHit, CPoint ptScreen) {
    if (!m_hIcon) return 0;
    m_nPressedMDIButton = -1;
    int hit = HitTest(ptScreen, coordScreen);
    if (hit == hitIcon) {
        PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(::GetMenuItemCount(m_hMenu)));
        return 0;
    }
    if (hit >= hitClose && hit <= hitMinimize) {
        SetCapture();
        m_nPressedMDIButton = m_nCapturedMDIButton = hit;
        UpdateSizes(FALSE, TRUE);
        return 0;
    }
    return DefWindowProc(WM_NCLBUTTONDOWN, nHit, MAKELPARAM(ptScreen.x, ptScreen.y));
}

BOOL CDKMenuBar::OnCaptionButtonUp(CPoint ptClient) {
    if (!m_hIcon || ::GetCapture() != m_hWnd) return FALSE;
    ::ReleaseCapture();
    CPoint screen = ptClient;
    ClientToScreen(&screen);
    int pressed = m_nCapturedMDIButton;
    m_nPressedMDIButton = m_nCapturedMDIButton = -1;
    CMDIChildWnd* child = ActiveMaximizedChild();
    if (child && pressed != -1 && HitTest(screen, coordScreen) == pressed) {
        WPARAM command = pressed == hitClose ? SC_CLOSE : pressed == hitRestore ? SC_RESTORE : SC_MINIMIZE;
        child->PostMessage(WM_SYSCOMMAND, command);
    }
    UpdateSizes(FALSE, TRUE);
    return TRUE;
}

void CDKMenuBar::TrackCaptionButton(CPoint ptClient) {
    if (::GetCapture() != m_hWnd || m_nCapturedMDIButton == -1) return;
    CPoint screen = ptClient;
    ClientToScreen(&screen);
    // The pressed look follows the pointer on and off the button that was pressed.
    int shown = HitTest(screen, coordScreen) == m_nCapturedMDIButton ? m_nCapturedMDIButton : -1;
    if (shown == m_nPressedMDIButton) return;
    m_nPressedMDIButton = shown;
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
}

LRESULT CDKMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MENUBAR_OPENPOPUP:
        OnOpenPopupMessage(wParam);
        return 0;
    case WM_NCHITTEST: {
        CPoint screen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (m_hIcon && HitTest(screen, coordScreen) <= hitMinimize) return HTCAPTION;
        break;
    }
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_NCLBUTTONDBLCLK:
        if (m_hIcon && HitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), coordScreen) == hitIcon)
            if (CMDIChildWnd* child = ActiveMaximizedChild()) child->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
        break;
    case WM_LBUTTONUP:
        if (OnCaptionButtonUp(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) return 0;
        break;
    case WM_MOUSEMOVE:
        if (m_nHoldTimer && !(wParam & MK_LBUTTON)) {
            KillTimer(m_nHoldTimer);
            m_nHoldTimer = 0;
        }
        TrackCaptionButton(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        break;
    case WM_LBUTTONDOWN: {
        if (m_dwStyle & CBRS_FLOATING) SendMessage(TB_PRESSBUTTON, 1, FALSE);
        LRESULT result = CDKCoolToolBar::WindowProc(message, wParam, lParam);
        OnLButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return result;
    }
    case WM_TIMER:
        if (wParam != kHoldTimer) break;
        OnHoldTimer();
        return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (m_dwStyle & CBRS_FLOATING) SendMessage(TB_PRESSBUTTON, 1, FALSE);
        break;
    case WM_KILLFOCUS: {
        LRESULT result = CDKCoolToolBar::WindowProc(message, wParam, lParam);
        m_bKeyboardMode = FALSE;
        m_hWndFocusBefore = nullptr;
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
        return result;
    }
    case WM_SETTINGCHANGE:
        UpdateFont(TRUE);
        break;
    case WM_IDLEUPDATECMDUI:
        UpdateMDIIcon(TRUE);
        break;
    default:
        break;
    }
    return CDKCoolToolBar::WindowProc(message, wParam, lParam);
}
