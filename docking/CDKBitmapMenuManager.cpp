// CDKBitmapMenuManager: the frame's subclass, images from the tool bars, converting, hiding and
// restoring popups, the expansion item, and the recently-used state in the profile.

#include "docking/CDKBitmapMenuManager.h"

#include "docking/CDKBitmapMenuPopupWnd.h"
#include "docking/MenuMnemonic.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CToolBar.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ProfileArchive.h"

#include <algorithm>
#include <cctype>

namespace {

std::map<HWND, CDKBitmapMenuManager*>& managers() {
    static std::map<HWND, CDKBitmapMenuManager*> map;
    return map;
}

HHOOK g_mouseHook = nullptr;
HHOOK g_keyboardHook = nullptr;
const int kMaxText = 300;
const int kMaxHiddenSubmenus = 4096;
const int kMaxPathLength = 64;
const int kMaxHiddenCommands = 0x10000;

MENUITEMINFOA readItem(HMENU menu, int position, char* text, UINT textSize) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = textSize;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

char mnemonicOf(const CString& text) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(docking::MnemonicOf(text))));
}

} // namespace

CDKBitmapMenuManager::CDKBitmapMenuManager() {
    int cx = ::GetSystemMetrics(SM_CXMENUCHECK), cy = ::GetSystemMetrics(SM_CYMENUCHECK);
    m_checkMarks.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 2, 0);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    for (UINT kind : {static_cast<UINT>(DFCS_MENUCHECK), static_cast<UINT>(DFCS_MENUBULLET)}) {
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, cx, cy);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        RECT rect{0, 0, cx, cy};
        ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::DrawFrameControl(dc, &rect, DFC_MENU, kind);
        ::SelectObject(dc, old);
        ImageList_AddMasked(m_checkMarks.GetSafeHandle(), bitmap, RGB(255, 255, 255));
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

CDKBitmapMenuManager::~CDKBitmapMenuManager() {
    RestoreAll(FALSE);
    DetachFrameWnd();
    for (auto it = m_createdMenus.rbegin(); it != m_createdMenus.rend(); ++it)
        ::DestroyMenu(*it);
}

CDKBitmapMenuManager* CDKBitmapMenuManager::FindManager(HWND hWndFrame) {
    auto it = managers().find(hWndFrame);
    return it == managers().end() ? nullptr : it->second;
}

// ---- Attaching and images ----

BOOL CDKBitmapMenuManager::AttachFrameWnd(CFrameWnd* pFrame) {
    if (m_pFrame || !pFrame) return FALSE;
    m_pFrame = pFrame;
    m_hWndFrame = pFrame->GetSafeHwnd();
    m_pfnPrevious = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWndFrame, GWLP_WNDPROC));
    ::SetWindowLongPtr(m_hWndFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameWindowProc));
    managers()[m_hWndFrame] = this;
    return TRUE;
}

CFrameWnd* CDKBitmapMenuManager::DetachFrameWnd() {
    CFrameWnd* previous = m_pFrame;
    if (!m_pFrame) return nullptr;
    if (::IsWindow(m_hWndFrame))
        ::SetWindowLongPtr(m_hWndFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevious));
    managers().erase(m_hWndFrame);
    m_pFrame = nullptr;
    m_hWndFrame = nullptr;
    RestoreAll(TRUE);
    DeleteImages();
    RemoveHooks();
    return previous;
}

void CDKBitmapMenuManager::DeleteImages() {
    m_imageInfos.clear();
    m_imageLists.clear();
}

BOOL CDKBitmapMenuManager::SetMenuImagesFromToolBars() {
    if (!m_pFrame) return FALSE;
    RestoreAll(TRUE);
    DeleteImages();
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = dynamic_cast<CToolBar*>(static_cast<CObject*>(m_pFrame->m_listControlBars.GetNext(pos)));
        if (!bar) continue;
        auto normal = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETIMAGELIST));
        if (!normal) continue;
        auto hot = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETHOTIMAGELIST));
        auto list = std::make_unique<CImageList>();
        list->Attach(ImageList_Duplicate(normal));
        int normalCount = list->GetImageCount();
        int hotCount = hot ? ImageList_GetImageCount(hot) : 0;
        for (int i = 0; i < hotCount; ++i) {
            HICON icon = ImageList_GetIcon(hot, i, ILD_NORMAL);
            list->Add(icon);
            ::DestroyIcon(icon);
        }
        int count = static_cast<int>(bar->SendMessage(TB_BUTTONCOUNT));
        for (int i = 0; i < count; ++i) {
            UINT id = 0, style = 0;
            int image = 0;
            bar->GetButtonInfo(i, id, style, image);
            if (LOWORD(style) & TBSTYLE_SEP) continue;
            auto& info = m_imageInfos[id];
            info = std::make_unique<MenuImageInfo>();
            info->pImageList = list.get();
            info->nImage = image;
            info->nHotImage = hotCount > 0 ? image + normalCount : -1;
        }
        m_imageLists.push_back(std::move(list));
    }
    return TRUE;
}

const MenuImageInfo* CDKBitmapMenuManager::GetImageInfo(UINT nID) const {
    auto it = m_imageInfos.find(nID);
    return it == m_imageInfos.end() ? nullptr : it->second.get();
}

MenuImageInfo* CDKBitmapMenuManager::PlaceholderInfo(UINT nID) {
    auto& info = m_imageInfos[nID];
    if (!info) {
        info = std::make_unique<MenuImageInfo>();
        info->pImageList = &m_checkMarks;
        info->nImage = 0;
        info->bPlaceholder = TRUE;
    }
    return info.get();
}

// ---- The frame's messages ----

LRESULT CALLBACK CDKBitmapMenuManager::FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
    CDKBitmapMenuManager* self = FindManager(hwnd);
    if (!self) return ::DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_MEASUREITEM) return self->OnMeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    WNDPROC previous = self->m_pfnPrevious;
    LRESULT result = ::CallWindowProc(previous, hwnd, message, wParam, lParam);
    // The frame may be gone, and its organiser with it.
    if (!::IsWindow(hwnd) || FindManager(hwnd) != self) return result;
    return self->OnFrameMessage(message, wParam, lParam, result);
}

LRESULT CDKBitmapMenuManager::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT result) {
    switch (message) {
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MENUSELECT:
        m_hSelectedMenu = reinterpret_cast<HMENU>(lParam);
        m_nSelectedItem = LOWORD(wParam);
        if (lParam) OnMenuSelect(reinterpret_cast<HMENU>(lParam));
        break;
    case WM_MENUCHAR:
        return OnMenuChar(static_cast<UINT>(std::tolower(LOWORD(wParam) & 0xFF)), HIWORD(wParam),
                          reinterpret_cast<HMENU>(lParam));
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) OnCommand(LOWORD(wParam));
        break;
    case WM_EXITMENULOOP:
        if (wParam) break;
        if (m_bExpanding) {
            m_bExpanding = FALSE;
            if (m_bRecentlyUsedEnabled) RestoreAll(TRUE);
        }
        m_nDepth = 0;
        RemoveHooks();
        break;
    case 0x8154: // the menu bar saved a menu
        if (wParam)
            SaveRecentlyUsedState(reinterpret_cast<HMENU>(wParam),
                                  CString(reinterpret_cast<LPCSTR>(lParam)) + "_RecentlyUsedSubmenuItems");
        break;
    case 0x8155: // the menu bar loaded a menu
        if (wParam)
            LoadRecentlyUsedState(reinterpret_cast<HMENU>(wParam),
                                  CString(reinterpret_cast<LPCSTR>(lParam)) + "_RecentlyUsedSubmenuItems");
        break;
    default:
        break;
    }
    return result;
}

void CDKBitmapMenuManager::TrimPopupStack() {
    int known = 0;
    for (HMENU menu : m_popupStack) {
        auto it = m_popupWindows.find(menu);
        if (it == m_popupWindows.end() || !::IsWindow(it->second)) break;
        ++known;
    }
    m_nDepth = std::min(m_nDepth, known);
}

void CDKBitmapMenuManager::OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu) {
    TrimPopupStack();
    m_popupStack.resize(static_cast<size_t>(m_nDepth));
    if (m_nDepth == 0) m_popupWindows.clear();
    ++m_nDepth;
    if (bSysMenu) return;
    ConvertPopupMenu(hMenu, nIndex, FALSE);
    m_popupStack.push_back(hMenu);
}

void CDKBitmapMenuManager::OnMenuSelect(HMENU hMenu) {
    if (!m_popupStack.empty() && m_popupStack.back() == hMenu)
        m_popupWindows[hMenu] = ::GetTopWindow(::GetDesktopWindow());
    if (m_bRecentlyUsedEnabled) InstallHooks();
}

void CDKBitmapMenuManager::OnCommand(UINT nID) {
    if (nID == ID_BITMAPMENU_EXPAND) {
        Expand();
        return;
    }
    if (nID == 0 || !m_bRecentlyUsedEnabled || m_popupStack.empty()) return;
    BOOL changed = ShowCommand(nID);
    for (size_t i = 1; i < m_popupStack.size(); ++i)
        changed = ShowSubmenu(m_popupStack[i]) || changed;
    if (changed && m_hWndFrame) ::SendMessage(m_hWndFrame, WM_BITMAPMENU_RECENTLYUSEDCHANGED, 0, 0);
}

void CDKBitmapMenuManager::Expand() {
    m_bExpanding = TRUE;
    TrimPopupStack();
    if (m_nDepth <= 0 || m_popupStack.size() < static_cast<size_t>(m_nDepth)) return;
    HMENU top = m_popupStack[static_cast<size_t>(m_nDepth - 1)];
    // A popup of its own (no window menu above it) ends with its loop; whoever opened it opens it
    // again. Any other goes back one level and comes again from there.
    BOOL alone = !::GetMenu(m_hWndFrame) && m_nDepth == 1;
    HWND reopenFrom = nullptr;
    if (!alone)
        reopenFrom =
            m_nDepth == 1 ? m_hWndFrame : m_popupWindows[m_popupStack[static_cast<size_t>(m_nDepth - 2)]];
    if (alone) {
        ::LockWindowUpdate(m_hWndFrame);
        ::EndMenu();
        ::LockWindowUpdate(nullptr);
    } else if (HWND topWindow = m_popupWindows[top]) {
        // The menu loop takes its keys from the queue.
        ::PostMessage(topWindow, WM_KEYDOWN, VK_ESCAPE, 0x10001);
    }
    for (size_t i = 0; i < m_convertedMenus.size();) {
        CDKBitmapMenu* menu = m_convertedMenus[i].get();
        auto window = m_popupWindows.find(menu->m_hMenu);
        bool gone = window == m_popupWindows.end() || !::IsWindow(window->second) ||
                    !::IsWindowVisible(window->second);
        if (gone || menu->m_hMenu == top)
            RestorePopupMenu(menu, TRUE);
        else
            ++i;
    }
    if (reopenFrom) ::PostMessage(reopenFrom, WM_KEYDOWN, VK_RETURN, 0x1C0001);
}

// ---- Converting and restoring ----

CDKBitmapMenu* CDKBitmapMenuManager::ConvertedMenu(HMENU hMenu) const {
    for (const auto& menu : m_convertedMenus)
        if (menu->m_hMenu == hMenu) return menu.get();
    return nullptr;
}

BOOL CDKBitmapMenuManager::IsConverted(HMENU hMenu) const {
    return ConvertedMenu(hMenu) != nullptr;
}

CDKBitmapMenu* CDKBitmapMenuManager::ConvertPopupMenu(HMENU hMenu, UINT nIndex, BOOL bSysMenu) {
    CDKBitmapMenu* menu = ConvertedMenu(hMenu);
    BOOL first = menu == nullptr;
    if (first) {
        // The menu may be known to the framework under a plain wrapper: take it over.
        if (CMenu* permanent = CMenu::FromHandlePermanent(hMenu)) permanent->Detach();
        m_convertedMenus.push_back(std::make_unique<CDKBitmapMenu>());
        menu = m_convertedMenus.back().get();
        menu->Attach(hMenu);
    }
    menu->UpdateMenuUI(m_pFrame, nIndex, bSysMenu);
    PreparePopupMenu(menu, first);
    if (m_bCustomizationMode) {
        if (!menu->m_bCustomizable) {
            menu->m_bCustomizable = TRUE;
            menu->m_hWndNotify = m_hWndNotify;
        } else {
            menu->SetCustomizedItem(-1);
        }
    }
    menu->m_bCustomizationMode = m_bCustomizationMode;
    return menu;
}

void CDKBitmapMenuManager::PreparePopupMenu(CDKBitmapMenu* pMenu, BOOL bFirst) {
    HMENU hMenu = pMenu->m_hMenu;
    BOOL hide = bFirst && !m_bExpanding && !m_bCustomizationMode && m_bRecentlyUsedEnabled;
    BOOL dropSeparator = TRUE;
    std::vector<HiddenItem> hidden;
    pMenu->m_mnemonics.clear();
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        char text[kMaxText + 1] = {};
        MENUITEMINFOA info = readItem(hMenu, i, text, sizeof(text));
        BOOL separator = (info.fType & MFT_SEPARATOR) != 0;
        if (hide && (!IsItemRecentlyUsed(hMenu, i) || (separator && dropSeparator))) {
            HiddenItem record{i, info, CString(text)};
            if (info.hSubMenu) record.info.hSubMenu = CopySubmenu(info.hSubMenu);
            hidden.push_back(record);
            if (!separator && !dropSeparator && i > 0 && ::GetMenuItemID(hMenu, i - 1) == 0)
                dropSeparator = TRUE;
            continue;
        }
        UINT id = info.hSubMenu ? static_cast<UINT>(-1) : info.wID;
        MenuImageInfo* image = nullptr;
        if (!separator) {
            auto found = m_imageInfos.find(id);
            image = found != m_imageInfos.end() ? found->second.get() : PlaceholderInfo(id);
        }
        auto* data = reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
        if (!data || bFirst) {
            data = new BitmapMenuItem{image, CString(text)};
            pMenu->AddItemData(data);
        } else if (info.fType == MFT_STRING) {
            // The framework's update pass set a new text on the item, which made it a string again.
            data->strText = text;
        }
        MENUITEMINFOA change{};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_TYPE | MIIM_DATA;
        change.fType = info.fType | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(data);
        ::SetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &change);
        // The hidden items above this one leave the menu below: the mnemonic names the place it ends at.
        if (char key = mnemonicOf(data->strText))
            pMenu->m_mnemonics.emplace(key, i - static_cast<int>(hidden.size()));
        dropSeparator = FALSE;
    }
    if (bFirst) {
        // Hidden items come out last first, so the positions recorded stay right.
        for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
            ::DeleteMenu(hMenu, static_cast<UINT>(it->nPosition), MF_BYPOSITION);
        if (!hidden.empty()) {
            auto* data = new BitmapMenuItem{PlaceholderInfo(ID_BITMAPMENU_EXPAND), CString()};
            pMenu->AddItemData(data);
            MENUITEMINFOA expand{};
            expand.cbSize = sizeof(expand);
            expand.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
            expand.fType = MFT_OWNERDRAW;
            expand.wID = ID_BITMAPMENU_EXPAND;
            expand.dwItemData = reinterpret_cast<ULONG_PTR>(data);
            ::InsertMenuItemA(hMenu, static_cast<UINT>(::GetMenuItemCount(hMenu)), TRUE, &expand);
        }
        m_hiddenItems[pMenu] = std::move(hidden);
    }
    pMenu->CalcExtents();
}

void CDKBitmapMenuManager::RestorePopupMenu(CDKBitmapMenu* pMenu, BOOL bTexts) {
    auto owned = std::find_if(m_convertedMenus.begin(), m_convertedMenus.end(),
                              [pMenu](const std::unique_ptr<CDKBitmapMenu>& m) { return m.get() == pMenu; });
    if (owned == m_convertedMenus.end()) return;
    std::unique_ptr<CDKBitmapMenu> menu = std::move(*owned);
    m_convertedMenus.erase(owned);
    HMENU hMenu = menu->m_hMenu;
    if (::IsMenu(hMenu)) {
        int count = ::GetMenuItemCount(hMenu);
        if (count > 0 && ::GetMenuItemID(hMenu, count - 1) == ID_BITMAPMENU_EXPAND)
            ::DeleteMenu(hMenu, static_cast<UINT>(count - 1), MF_BYPOSITION);
        // The item data dies with the menu object: every item loses it and its owner-drawn type,
        // with its text given back or not, so the menu never draws from freed data.
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
            char text[kMaxText + 1] = {};
            MENUITEMINFOA info = readItem(hMenu, i, text, sizeof(text));
            auto* data = reinterpret_cast<BitmapMenuItem*>(info.dwItemData);
            if (!(info.fType & MFT_OWNERDRAW) || !data) continue;
            MENUITEMINFOA change{};
            change.cbSize = sizeof(change);
            change.fMask = MIIM_TYPE | MIIM_DATA;
            change.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
            change.dwTypeData = bTexts ? const_cast<LPSTR>(static_cast<LPCSTR>(data->strText)) : nullptr;
            change.dwItemData = 0;
            ::SetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &change);
        }
        for (HiddenItem& item : m_hiddenItems[menu.get()]) {
            item.info.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(item.strText));
            ::InsertMenuItemA(hMenu, static_cast<UINT>(item.nPosition), TRUE, &item.info);
        }
    }
    m_hiddenItems.erase(menu.get());
    menu->Detach();
}

void CDKBitmapMenuManager::RestoreAll(BOOL bTexts) {
    while (!m_convertedMenus.empty())
        RestorePopupMenu(m_convertedMenus.back().get(), bTexts);
}

HMENU CDKBitmapMenuManager::CopySubmenu(HMENU hMenu) {
    HMENU copy = ::CreatePopupMenu();
    m_createdMenus.push_back(copy);
    if (m_hiddenSubmenus.count(hMenu)) {
        ShowSubmenu(hMenu);
        HideSubmenu(copy);
    }
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        char text[kMaxText + 1] = {};
        MENUITEMINFOA info = readItem(hMenu, i, text, sizeof(text));
        if (info.hSubMenu) info.hSubMenu = CopySubmenu(info.hSubMenu);
        info.dwTypeData = text;
        ::InsertMenuItemA(copy, static_cast<UINT>(i), TRUE, &info);
    }
    return copy;
}

BOOL CDKBitmapMenuManager::OnMeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    if (lpMIS->CtlType != ODT_MENU) {
        // A control's request goes to that control alone, as its parent passes it on.
        CWnd* control =
            m_pFrame ? m_pFrame->GetDescendantWindow(static_cast<int>(lpMIS->CtlID), TRUE) : nullptr;
        if (control)
            control->OnChildNotify(WM_MEASUREITEM, lpMIS->CtlID, reinterpret_cast<LPARAM>(lpMIS), nullptr);
        return TRUE;
    }
    CDKBitmapMenu* found = nullptr;
    for (const auto& menu : m_convertedMenus) {
        auto* data = reinterpret_cast<BitmapMenuItem*>(lpMIS->itemData);
        for (int i = 0; !found && data && i < static_cast<int>(menu->GetMenuItemCount()); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            ::GetMenuItemInfoA(menu->m_hMenu, static_cast<UINT>(i), TRUE, &info);
            if (info.dwItemData == lpMIS->itemData) found = menu.get();
        }
    }
    if (!found && m_nDepth > 0 && m_popupStack.size() >= static_cast<size_t>(m_nDepth))
        found = ConvertedMenu(m_popupStack[static_cast<size_t>(m_nDepth - 1)]);
    if (!found) return FALSE;
    found->MeasureItem(lpMIS);
    return TRUE;
}

LRESULT CDKBitmapMenuManager::OnMenuChar(UINT nChar, UINT, HMENU hMenu) {
    CDKBitmapMenu* menu = ConvertedMenu(hMenu);
    if (!menu) return 0;
    auto it = menu->m_mnemonics.find(static_cast<char>(nChar));
    return it == menu->m_mnemonics.end() ? 0 : MAKELRESULT(it->second, MNC_EXECUTE);
}

// ---- Recently used ----

BOOL CDKBitmapMenuManager::HideCommand(UINT nID) {
    return nID != 0 && m_hiddenCommands.insert(nID).second;
}
BOOL CDKBitmapMenuManager::ShowCommand(UINT nID) {
    return m_hiddenCommands.erase(nID) > 0;
}
BOOL CDKBitmapMenuManager::HideSubmenu(HMENU hMenu) {
    return m_hiddenSubmenus.insert(hMenu).second;
}
BOOL CDKBitmapMenuManager::ShowSubmenu(HMENU hMenu) {
    return m_hiddenSubmenus.erase(hMenu) > 0;
}

BOOL CDKBitmapMenuManager::IsItemRecentlyUsed(HMENU hMenu, int nPosition) const {
    if (HMENU sub = ::GetSubMenu(hMenu, nPosition)) return m_hiddenSubmenus.count(sub) == 0;
    return m_hiddenCommands.count(::GetMenuItemID(hMenu, nPosition)) == 0;
}

void CDKBitmapMenuManager::MakeItemNotRecentlyUsed(HMENU hMenu, int nPosition) {
    if (HMENU sub = ::GetSubMenu(hMenu, nPosition))
        HideSubmenu(sub);
    else
        HideCommand(::GetMenuItemID(hMenu, nPosition));
}

void CDKBitmapMenuManager::MakeItemRecentlyUsed(HMENU hMenu, int nPosition) {
    if (HMENU sub = ::GetSubMenu(hMenu, nPosition))
        ShowSubmenu(sub);
    else
        ShowCommand(::GetMenuItemID(hMenu, nPosition));
}

void CDKBitmapMenuManager::SetRecentlyUsedEnabled(BOOL bEnabled) {
    if (bEnabled == m_bRecentlyUsedEnabled) return;
    m_bRecentlyUsedEnabled = bEnabled;
    for (const auto& menu : m_convertedMenus)
        if (CDKBitmapMenuPopupWnd* window = menu->GetPopupWnd()) window->RecalcLayout();
}

void CDKBitmapMenuManager::SetCustomizationMode(BOOL bOn, HWND hWndNotify) {
    m_bCustomizationMode = bOn;
    m_hWndNotify = hWndNotify;
}

BOOL CDKBitmapMenuManager::FindPath(HMENU hRoot, HMENU hTarget, std::vector<int>& path) const {
    for (int i = 0; i < ::GetMenuItemCount(hRoot); ++i) {
        HMENU sub = ::GetSubMenu(hRoot, i);
        if (!sub) continue;
        path.push_back(i);
        if (sub == hTarget || FindPath(sub, hTarget, path)) return TRUE;
        path.pop_back();
    }
    return FALSE;
}

void CDKBitmapMenuManager::SaveHiddenCommands(CArchive& ar) {
    ar << static_cast<int>(m_hiddenCommands.size());
    for (UINT id : m_hiddenCommands)
        ar << static_cast<int>(id);
}

BOOL CDKBitmapMenuManager::LoadHiddenCommands(CArchive& ar) {
    std::vector<UINT> ids;
    try {
        int count = 0;
        ar >> count;
        if (count < 0 || count > kMaxHiddenCommands) return FALSE;
        for (int i = 0; i < count; ++i) {
            int id = 0;
            ar >> id;
            ids.push_back(static_cast<UINT>(id));
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    m_hiddenCommands.clear();
    for (UINT id : ids)
        HideCommand(id);
    return TRUE;
}

void CDKBitmapMenuManager::SaveHiddenSubmenus(CArchive& ar, HMENU hRoot) {
    ar << static_cast<int>(m_hiddenSubmenus.size());
    for (HMENU hidden : m_hiddenSubmenus) {
        std::vector<int> path;
        if (::IsMenu(hidden) && FindPath(hRoot, hidden, path))
            for (int position : path)
                ar << position;
        ar << -1;
    }
}

BOOL CDKBitmapMenuManager::LoadHiddenSubmenus(CArchive& ar, HMENU hRoot) {
    std::vector<std::vector<int>> paths;
    try {
        int count = 0;
        ar >> count;
        if (count < 0 || count > kMaxHiddenSubmenus) return FALSE;
        for (int i = 0; i < count; ++i) {
            std::vector<int> path;
            for (int position = 0;;) {
                ar >> position;
                if (position == -1) break;
                if (position < 0 || path.size() >= static_cast<size_t>(kMaxPathLength)) return FALSE;
                path.push_back(position);
            }
            paths.push_back(path);
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    // The stored paths are this root's whole state; the hidden submenus of other menus stay.
    for (auto it = m_hiddenSubmenus.begin(); it != m_hiddenSubmenus.end();) {
        std::vector<int> path;
        it = FindPath(hRoot, *it, path) ? m_hiddenSubmenus.erase(it) : std::next(it);
    }
    for (const std::vector<int>& path : paths) {
        HMENU menu = path.empty() ? nullptr : hRoot;
        for (int position : path)
            menu = menu ? ::GetSubMenu(menu, position) : nullptr;
        if (menu) HideSubmenu(menu);
    }
    return TRUE;
}

void CDKBitmapMenuManager::SaveRecentlyUsedState(HMENU hRoot, LPCSTR lpszSection) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    CString section = lpszSection && *lpszSection ? lpszSection : "RecentlyUsedSubmenuItems";
    SaveArchiveToProfile(*app, section, "RUContents", "RUItemsDataSize",
                         [&](CArchive& ar) { SaveHiddenSubmenus(ar, hRoot); });
}

void CDKBitmapMenuManager::LoadRecentlyUsedState(HMENU hRoot, LPCSTR lpszSection) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    CString section = lpszSection && *lpszSection ? lpszSection : "RecentlyUsedSubmenuItems";
    LoadArchiveFromProfile(*app, section, "RUContents", "RUItemsDataSize",
                           [&](CArchive& ar) { LoadHiddenSubmenus(ar, hRoot); });
}

// ---- Hooks: the expansion item chosen with the mouse or Enter ----

void CDKBitmapMenuManager::InstallHooks() {
    if (!g_mouseHook) g_mouseHook = ::SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, ::GetCurrentThreadId());
    if (!g_keyboardHook)
        g_keyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, KeyboardHook, nullptr, ::GetCurrentThreadId());
}

void CDKBitmapMenuManager::RemoveHooks() {
    if (g_mouseHook) ::UnhookWindowsHookEx(g_mouseHook);
    if (g_keyboardHook) ::UnhookWindowsHookEx(g_keyboardHook);
    g_mouseHook = g_keyboardHook = nullptr;
}

LRESULT CALLBACK CDKBitmapMenuManager::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    CWnd* main = AfxGetMainWnd();
    CDKBitmapMenuManager* self = main ? FindManager(main->GetSafeHwnd()) : nullptr;
    if (code < 0 || !self || wParam < WM_LBUTTONDOWN || wParam > WM_RBUTTONDBLCLK)
        return ::CallNextHookEx(g_mouseHook, code, wParam, lParam);
    auto* mouse = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    HWND under = ::WindowFromPoint(mouse->pt);
    for (size_t i = 0; i < self->m_popupStack.size(); ++i) {
        HMENU menu = self->m_popupStack[i];
        auto window = self->m_popupWindows.find(menu);
        if (window == self->m_popupWindows.end() || window->second != under) continue;
        // The popups opened from the one clicked close: the menu loop closes them for a click on
        // an item; for the expansion item, whose press it never sees, they are closed here.
        const int depth = static_cast<int>(i) + 1;
        self->m_nDepth = std::min(self->m_nDepth, depth);
        CDKBitmapMenu* bitmapMenu = self->ConvertedMenu(menu);
        int count = ::GetMenuItemCount(menu);
        if (!bitmapMenu || count == 0 || ::GetMenuItemID(menu, count - 1) != ID_BITMAPMENU_EXPAND) break;
        CPoint client = mouse->pt;
        ::ScreenToClient(under, &client);
        if (bitmapMenu->HitTest(client) != count - 1) break;
        self->ClosePopupsFrom(depth);
        if (wParam != WM_LBUTTONDOWN && wParam != WM_RBUTTONDOWN)
            ::PostMessage(self->m_hWndFrame, WM_COMMAND, ID_BITMAPMENU_EXPAND, 0);
        return 1;
    }
    return ::CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

void CDKBitmapMenuManager::ClosePopupsFrom(int nDepth) {
    // Deepest first; the menu loop takes its keys from the queue, before the click's release.
    for (size_t i = m_popupStack.size(); i-- > static_cast<size_t>(nDepth);) {
        auto window = m_popupWindows.find(m_popupStack[i]);
        if (window != m_popupWindows.end() && ::IsWindow(window->second) && ::IsWindowVisible(window->second))
            ::PostMessage(window->second, WM_KEYDOWN, VK_ESCAPE, 0x10001);
    }
    m_popupStack.resize(std::min(m_popupStack.size(), static_cast<size_t>(nDepth)));
}

LRESULT CALLBACK CDKBitmapMenuManager::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    CWnd* main = AfxGetMainWnd();
    CDKBitmapMenuManager* self = main ? FindManager(main->GetSafeHwnd()) : nullptr;
    if (code < 0 || !self || wParam != VK_RETURN)
        return ::CallNextHookEx(g_keyboardHook, code, wParam, lParam);
    HWND top = ::GetTopWindow(::GetDesktopWindow());
    for (const auto& entry : self->m_popupWindows) {
        if (entry.second != top) continue;
        int count = ::GetMenuItemCount(entry.first);
        BOOL highlighted =
            (::GetMenuState(entry.first, static_cast<UINT>(count - 1), MF_BYPOSITION) & MFS_HILITE) ||
            (self->m_hSelectedMenu == entry.first && self->m_nSelectedItem == ID_BITMAPMENU_EXPAND);
        if (count == 0 || ::GetMenuItemID(entry.first, count - 1) != ID_BITMAPMENU_EXPAND || !highlighted)
            break;
        // Only a fresh press: no repeat, no release, no Alt.
        if (!(static_cast<DWORD>(lParam) & 0xE0000000u))
            ::PostMessage(self->m_hWndFrame, WM_COMMAND, ID_BITMAPMENU_EXPAND, 0);
        return 1;
    }
    return ::CallNextHookEx(g_keyboardHook, code, wParam, lParam);
}
