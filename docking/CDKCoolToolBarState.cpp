// CDKCoolToolBar's appearance in the application profile: integers in the section "<S>_<N>", each
// read with -1 meaning "leave the setting as it is".

#include "docking/CDKCoolToolBar.h"

#include "platform/framework/CWinApp.h"

namespace {

CString propertiesSection(LPCSTR section, LPCSTR name) {
    CString p;
    p.Format("%s_%s", section, name);
    return p;
}

} // namespace

BOOL CDKCoolToolBar::IsCustomizable(BOOL bAdvanced) const {
    if (bAdvanced) return m_bCustomizable;
    return (::GetWindowLong(m_hWnd, GWL_STYLE) & CCS_ADJUSTABLE) != 0;
}

BOOL CDKCoolToolBar::SaveBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    // A customisable bar keeps its buttons in the registry only.
    if ((IsCustomizable(TRUE) || IsCustomizable(FALSE)) && !(app->m_pszRegistryKey && app->m_pszProfileName))
        return FALSE;
    if (!bProperties) return TRUE;
    CString p = propertiesSection(lpszSection, lpszName);
    DWORD style = static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
    const struct {
        LPCSTR entry;
        int value;
    } values[] = {
        {"Cool", m_bCool},
        {"Gripper", m_bGripper},
        {"Separator", m_bSeparator},
        {"Flat", (style & TBSTYLE_FLAT) ? 1 : 0},
        {"List", (style & TBSTYLE_LIST) ? 1 : 0},
        {"DropDownArrow", GetDropDownArrow()},
        {"Indent", m_nIndent},
        {"DefaultTextColor", static_cast<int>(m_clrDefaultText)},
        {"HotTextColor", static_cast<int>(m_clrHotText)},
        {"TextType", m_nTextType},
        {"TextRows", static_cast<int>(SendMessage(TB_GETTEXTROWS))},
        {"MinButtonsWidth", m_nMinButtonWidth},
        {"MaxButtonsWidth", m_nMaxButtonWidth},
        {"Customizable", IsCustomizable(TRUE)},
    };
    for (const auto& v : values) app->WriteProfileInt(p, v.entry, v.value);
    return TRUE;
}

BOOL CDKCoolToolBar::LoadBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    BOOL relayout = FALSE;
    if (bProperties) {
        CString p = propertiesSection(lpszSection, lpszName);
        auto get = [&](LPCSTR entry) { return static_cast<int>(app->GetProfileInt(p, entry, -1)); };
        int v;
        if ((v = get("Cool")) != -1) m_bCool = v;
        if ((v = get("Gripper")) != -1) m_bGripper = v;
        if ((v = get("Separator")) != -1) m_bSeparator = v;
        if ((v = get("Flat")) != -1) ModifyStyle(v ? 0 : TBSTYLE_FLAT, v ? TBSTYLE_FLAT : 0);
        if ((v = get("List")) != -1) {
            ModifyStyle(v ? 0 : TBSTYLE_LIST, v ? TBSTYLE_LIST : 0);
            relayout = TRUE;
        }
        if ((v = get("DropDownArrow")) != -1) SetDropDownArrow(v);
        if ((v = get("Indent")) != -1) SetIndent(v);
        if ((v = get("DefaultTextColor")) != -1) m_clrDefaultText = static_cast<COLORREF>(v);
        if ((v = get("HotTextColor")) != -1) m_clrHotText = static_cast<COLORREF>(v);
        if ((v = get("TextType")) != -1 && v != m_nTextType) {
            // Hand-set texts start empty; the stored buttons give them back.
            if (v == textByHand) SetTextType(0, 0xFFFF, textNone);
            SetTextType(0, 0xFFFF, v);
            relayout = TRUE;
        }
        if ((v = get("TextRows")) != -1 && v != static_cast<int>(SendMessage(TB_GETTEXTROWS))) {
            SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(v));
            relayout = TRUE;
        }
        int minWidth = get("MinButtonsWidth"), maxWidth = get("MaxButtonsWidth");
        if ((minWidth != -1 && minWidth != m_nMinButtonWidth) || (maxWidth != -1 && maxWidth != m_nMaxButtonWidth)) {
            relayout = relayout || (maxWidth != -1 && maxWidth != m_nMaxButtonWidth);
            SetButtonWidths(minWidth != -1 ? minWidth : m_nMinButtonWidth, maxWidth != -1 ? maxWidth : m_nMaxButtonWidth);
        }
    }
    if ((IsCustomizable(TRUE) || IsCustomizable(FALSE)) && !(app->m_pszRegistryKey && app->m_pszProfileName))
        return FALSE;
    m_bInternalChange = FALSE;
    if (relayout) {
        if (SendMessage(TB_GETTEXTROWS) > 0)
            SyncButtonSize();
        else
            SetSizes(CSize(m_sizeImage.cx + 8, m_sizeImage.cy + 6), m_sizeImage);
        SendMessage(TB_AUTOSIZE);
        UpdateSizes(TRUE, FALSE);
    }
    return TRUE;
}
