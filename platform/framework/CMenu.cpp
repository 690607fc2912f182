// CMenu and its handle maps.

#include "platform/framework/CMenu.h"

#include "platform/framework/CWnd.h"
#include "platform/framework/HandleMap.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

using MenuMap = pm::afx::HandleMap<CMenu, HMENU, &CMenu::m_hMenu>;

MenuMap& menuMap() {
    static MenuMap map;
    return map;
}

} // namespace

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    return menuMap().fromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    return hMenu ? menuMap().fromHandlePermanent(hMenu) : nullptr;
}

void CMenu::DeleteTempMap() {
    menuMap().deleteTemporary();
}

CMenu* CMenu::FindPopupMenuFromID(HMENU hMenu, UINT nID) {
    if (!hMenu) return nullptr;
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            if (CMenu* found = FindPopupMenuFromID(sub, nID)) return found;
            if (reinterpret_cast<UINT_PTR>(sub) == nID) return FromHandlePermanent(hMenu);
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return FromHandlePermanent(hMenu);
        }
    }
    return nullptr;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (!hMenu || m_hMenu) return FALSE;
    m_hMenu = hMenu;
    menuMap().setPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu && menuMap().fromHandlePermanent(hMenu) == this) menuMap().removeHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu() {
    HMENU hMenu = Detach();
    return hMenu ? ::DestroyMenu(hMenu) : FALSE;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    int n = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(length), length + 1, nFlags);
    rString.ReleaseBuffer();
    return n;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pm::afx::safeHwnd(pWnd), lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
