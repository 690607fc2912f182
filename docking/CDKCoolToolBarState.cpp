// CDKCoolToolBar in the application profile: its appearance as integers in the section "<S>_<N>",
// each read with -1 meaning "leave the setting as it is"; a customisable bar's buttons, its custom
// buttons' places and the control's own state in the section <S>; the custom-button templates'
// settings, once for all bars.

#include "docking/CDKCoolToolBar.h"

#include "docking/CoolToolBarProfile.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ProfileArchive.h"

#include <functional>
#include <vector>

namespace {

// Only the first bar to save writes the templates' settings, and only the first to load reads them.
bool g_templatesSaved = false;
bool g_templatesLoaded = false;
const char kTemplatesEntry[] = "Toolbars_CustomButtonsSettings";

CString formatted(LPCSTR format, LPCSTR a, LPCSTR b = nullptr) {
    CString v;
    v.Format(format, a, b);
    return v;
}

// Writes what write puts in an archive as the binary value entry, with its "_Size" companion.
void storeBinary(CWinApp* app, LPCSTR section, const CString& entry,
                 const std::function<void(CArchive&)>& write) {
    SaveArchiveToProfile(*app, section, entry, entry + "_Size", write);
}

// Hands the binary value entry to read as an archive; false when it or its "_Size" is missing.
bool loadBinary(CWinApp* app, LPCSTR section, const CString& entry,
                const std::function<void(CArchive&)>& read) {
    return LoadArchiveFromProfile(*app, section, entry, entry + "_Size", read);
}

// The application's registry key, when the profile is kept in the registry; nullptr otherwise.
HKEY profileKey(CWinApp* app) {
    if (!app->m_pszRegistryKey || !app->m_pszProfileName) return nullptr;
    return app->GetSectionKey("");
}

} // namespace

BOOL CDKCoolToolBar::IsCustomizable(BOOL bAdvanced) const {
    if (bAdvanced) return m_bCustomizable;
    return (::GetWindowLong(m_hWnd, GWL_STYLE) & CCS_ADJUSTABLE) != 0;
}

// ---- Saving ----

BOOL CDKCoolToolBar::SaveBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    // A customisable bar keeps its buttons in the registry only.
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE)) {
        HKEY key = profileKey(app);
        if (!key) return FALSE;
        SaveButtons(key, lpszSection, lpszName);
        ::RegCloseKey(key);
    }
    if (!g_templatesSaved) {
        g_templatesSaved = true;
        storeBinary(app, lpszSection, kTemplatesEntry, [](CArchive& ar) { SaveTemplateSettings(ar); });
    }
    if (bProperties) SaveProperties(lpszSection, lpszName);
    return TRUE;
}

void CDKCoolToolBar::SaveButtons(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszName) {
    CWinApp* app = AfxGetApp();
    std::vector<docking::StoredButton> buttons;
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b = Button(i);
        CString text = GetButtonText(i);
        BOOL hasText = !text.IsEmpty();
        if (!hasText) text = GetRememberedText(static_cast<UINT>(b.idCommand));
        buttons.push_back({b.idCommand, b.iBitmap, b.fsStyle, hasText ? 1 : 0, text});
    }
    std::vector<std::pair<int, int>> positions;
    for (const auto& entry : m_customButtons)
        positions.emplace_back(entry.first, entry.second.nControlID);
    storeBinary(app, lpszSection, formatted("%s_ButtonsSettings", lpszName),
                [&](CArchive& ar) { docking::WriteButtonsSettings(ar, buttons); });
    storeBinary(app, lpszSection, formatted("%s_CustomButtonsPositions", lpszName),
                [&](CArchive& ar) { docking::WriteCustomButtonsPositions(ar, positions); });
    TBSAVEPARAMSA params{hKey, lpszSection, lpszName};
    SendMessage(TB_SAVERESTOREA, TRUE, reinterpret_cast<LPARAM>(&params));
}

void CDKCoolToolBar::SaveProperties(LPCSTR lpszSection, LPCSTR lpszName) {
    CString p = formatted("%s_%s", lpszSection, lpszName);
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
    for (const auto& v : values)
        AfxGetApp()->WriteProfileInt(p, v.entry, v.value);
}

// ---- Loading ----

BOOL CDKCoolToolBar::LoadBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    BOOL relayout = bProperties && LoadProperties(lpszSection, lpszName);
    if (!g_templatesLoaded) {
        g_templatesLoaded = true;
        loadBinary(app, lpszSection, kTemplatesEntry, [](CArchive& ar) { LoadTemplateSettings(ar); });
    }
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE)) {
        HKEY key = profileKey(app);
        if (!key) return FALSE;
        LoadButtons(key, lpszSection, lpszName);
        ::RegCloseKey(key);
    }
    m_bInternalChange = FALSE;
    if (!relayout) {
        UpdateCustomButtons(0, -1);
        return TRUE;
    }
    if (SendMessage(TB_GETTEXTROWS) > 0)
        SyncButtonSize();
    else
        SetSizes(CSize(m_sizeImage.cx + 8, m_sizeImage.cy + 6), m_sizeImage);
    SendMessage(TB_AUTOSIZE);
    UpdateSizes(TRUE, FALSE);
    return TRUE;
}

// The integers; TRUE when a change asks for a new layout.
BOOL CDKCoolToolBar::LoadProperties(LPCSTR lpszSection, LPCSTR lpszName) {
    CString p = formatted("%s_%s", lpszSection, lpszName);
    auto get = [&](LPCSTR entry) { return static_cast<int>(AfxGetApp()->GetProfileInt(p, entry, -1)); };
    BOOL relayout = FALSE;
    int v;
    if ((v = get("Customizable")) != -1) SetCustomizable(v, TRUE);
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
    if ((minWidth != -1 && minWidth != m_nMinButtonWidth) ||
        (maxWidth != -1 && maxWidth != m_nMaxButtonWidth)) {
        relayout = relayout || (maxWidth != -1 && maxWidth != m_nMaxButtonWidth);
        SetButtonWidths(minWidth != -1 ? minWidth : m_nMinButtonWidth,
                        maxWidth != -1 ? maxWidth : m_nMaxButtonWidth);
    }
    return relayout;
}

void CDKCoolToolBar::LoadButtons(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszName) {
    CWinApp* app = AfxGetApp();
    CString positionsEntry = formatted("%s_CustomButtonsPositions", lpszName);
    // With stored places the custom buttons come off first; their controls may go back.
    std::map<int, CustomButtonDescriptor> setAside;
    BOOL takeOff = static_cast<int>(app->GetProfileInt(lpszSection, positionsEntry + "_Size", -1)) > 0;
    while (takeOff && !m_customButtons.empty()) {
        auto last = std::prev(m_customButtons.end());
        setAside[last->second.nControlID] = last->second;
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(last->first));
    }
    m_bInternalChange = TRUE;
    TBSAVEPARAMSA params{hKey, lpszSection, lpszName};
    SendMessage(TB_SAVERESTOREA, FALSE, reinterpret_cast<LPARAM>(&params));
    // The control's own state brings the separators of custom buttons back empty: the custom
    // buttons put their own back at their places.
    if (takeOff) RemoveControlSeparators();
    loadBinary(app, lpszSection, formatted("%s_ButtonsSettings", lpszName), [this](CArchive& ar) {
        std::vector<docking::StoredButton> buttons;
        if (docking::ReadButtonsSettings(ar, buttons)) ApplyStoredButtons(buttons);
    });
    loadBinary(app, lpszSection, positionsEntry, [&](CArchive& ar) {
        std::vector<std::pair<int, int>> positions;
        if (docking::ReadCustomButtonsPositions(ar, positions)) RestoreCustomButtons(positions, setAside);
    });
    SetTextType(0, 0xFFFF, m_nTextType);
}

void CDKCoolToolBar::RemoveControlSeparators() {
    for (int i = static_cast<int>(SendMessage(TB_BUTTONCOUNT)) - 1; i >= 0; --i) {
        TBBUTTON b = Button(i);
        if ((b.fsStyle & TBSTYLE_SEP) && b.idCommand != 0 && !GetCustomButton(i))
            CToolBar::WindowProc(TB_DELETEBUTTON, static_cast<WPARAM>(i), 0);
    }
}

void CDKCoolToolBar::ApplyStoredButtons(const std::vector<docking::StoredButton>& buttons) {
    for (const docking::StoredButton& b : buttons) {
        int index = (b.nStyle & TBSTYLE_SEP) ? -1 : CommandToIndex(static_cast<UINT>(b.nID));
        if (index < 0) continue;
        SetButtonInfo(index, static_cast<UINT>(b.nID), MAKELONG(b.nStyle, HIWORD(GetButtonStyle(index))),
                      b.nImage);
        if (b.nHasText)
            SetButtonText(index, b.strText);
        else if (!b.strText.IsEmpty())
            m_rememberedTexts[static_cast<UINT>(b.nID)] = b.strText;
    }
}

void CDKCoolToolBar::RestoreCustomButtons(const std::vector<std::pair<int, int>>& positions,
                                          const std::map<int, CustomButtonDescriptor>& setAside) {
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    for (const auto& position : positions) {
        int index = position.first, id = position.second;
        auto aside = setAside.find(id);
        CWnd* control = aside != setAside.end() && aside->second.pTemplate
                            ? aside->second.pTemplate->GetWindow()
                            : nullptr;
        if (!control || !::IsWindow(control->GetSafeHwnd())) {
            InsertCustomButton(index, FindTemplateIndex(id), WS_CHILD | WS_VISIBLE, 0, windowClass, "");
            continue;
        }
        // The control taken off goes back into a separator of its own.
        TBBUTTON separator = SeparatorButton();
        if (SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&separator)))
            m_customButtons[index] = TemplateDescriptor(id);
    }
}
