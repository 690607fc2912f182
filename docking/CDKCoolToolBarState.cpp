// CDKCoolToolBar's appearance in the application profile: integers in the section "<S>_<N>", each
// read with -1 meaning "leave the setting as it is".

#include "docking/CDKCoolToolBar.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CWinApp.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

CString propertiesSection(LPCSTR section, LPCSTR name) {
    CString p;
    p.Format("%s_%s", section, name);
    return p;
}

const int kMaxStoredButtons = 1024;
bool g_templatesSaved = false;

CString valueName(LPCSTR format, LPCSTR name) {
    CString v;
    v.Format(format, name);
    return v;
}

void writeBinary(CWinApp* app, LPCSTR section, const CString& entry, CMemFile& file) {
    auto size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    app->WriteProfileBinary(section, entry, data, size);
    app->WriteProfileInt(section, entry + "_Size", static_cast<int>(size));
    std::free(data);
}

// A stored button as the profile keeps it.
struct StoredButton {
    int id = 0, image = 0;
    BYTE style = 0;
    int hasText = 0;
    CString text;
};

// Reads the stored buttons; empty, for damaged data.
std::vector<StoredButton> readButtons(BYTE* data, UINT size) {
    std::vector<StoredButton> buttons;
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load);
    try {
        int count = 0;
        ar >> count;
        if (count < 0 || count > kMaxStoredButtons) return {};
        buttons.resize(static_cast<size_t>(count));
        for (StoredButton& b : buttons) {
            ar >> b.id >> b.image >> b.style >> b.hasText;
            BYTE length = 0;
            ar >> length;
            if (length == 0xFF) return {}; // texts are shorter than that
            std::string bytes(length, '\0');
            if (length && ar.Read(bytes.data(), length) != length) return {};
            b.text = bytes.c_str();
        }
    } catch (CException* e) {
        e->Delete();
        return {};
    }
    return buttons;
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
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE)) {
        if (!(app->m_pszRegistryKey && app->m_pszProfileName)) return FALSE;
        if (!OnButtonsSettings(lpszSection, lpszName, TRUE)) return FALSE;
    }
    if (!g_templatesSaved) {
        // No custom-button template is registered: the shared value holds none.
        g_templatesSaved = true;
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store);
        ar << 0;
        ar.Close();
        writeBinary(app, lpszSection, "Toolbars_CustomButtonsSettings", file);
    }
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
        if ((minWidth != -1 && minWidth != m_nMinButtonWidth) || (maxWidth != -1 && maxWidth != m_nMaxButtonWidth)) {
            relayout = relayout || (maxWidth != -1 && maxWidth != m_nMaxButtonWidth);
            SetButtonWidths(minWidth != -1 ? minWidth : m_nMinButtonWidth, maxWidth != -1 ? maxWidth : m_nMaxButtonWidth);
        }
    }
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE)) {
        if (!(app->m_pszRegistryKey && app->m_pszProfileName)) return FALSE;
        OnButtonsSettings(lpszSection, lpszName, FALSE);
    }
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

BOOL CDKCoolToolBar::OnButtonsSettings(LPCSTR lpszSection, LPCSTR lpszName, BOOL bSave) {
    CWinApp* app = AfxGetApp();
    HKEY key = app->GetAppRegistryKey();
    if (!key) return FALSE;
    CString buttonsEntry = valueName("%s_ButtonsSettings", lpszName);
    CString positionsEntry = valueName("%s_CustomButtonsPositions", lpszName);
    TBSAVEPARAMSA params{key, lpszSection, lpszName};
    if (bSave) {
        CMemFile buttons(1024);
        {
            CArchive ar(&buttons, CArchive::store);
            int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
            ar << count;
            for (int i = 0; i < count; ++i) {
                TBBUTTON b = Button(i);
                CString text = GetButtonText(i);
                BOOL hasText = !text.IsEmpty();
                if (!hasText) text = GetRememberedText(static_cast<UINT>(b.idCommand));
                ar << b.idCommand << b.iBitmap << b.fsStyle << (hasText ? 1 : 0) << text;
            }
            ar.Close();
        }
        writeBinary(app, lpszSection, buttonsEntry, buttons);
        CMemFile positions(1024);
        {
            CArchive ar(&positions, CArchive::store);
            ar << 0; // no custom buttons: no template is registered
            ar.Close();
        }
        writeBinary(app, lpszSection, positionsEntry, positions);
        SendMessage(TB_SAVERESTOREA, TRUE, reinterpret_cast<LPARAM>(&params));
        ::RegCloseKey(key);
        return TRUE;
    }
    m_bInternalChange = TRUE;
    SendMessage(TB_SAVERESTOREA, FALSE, reinterpret_cast<LPARAM>(&params));
    ::RegCloseKey(key);
    BYTE* data = nullptr;
    UINT size = 0;
    if (static_cast<int>(app->GetProfileInt(lpszSection, buttonsEntry + "_Size", -1)) != -1 &&
        app->GetProfileBinary(lpszSection, buttonsEntry, &data, &size)) {
        std::unique_ptr<BYTE[]> owned(data);
        for (const StoredButton& b : readButtons(data, size)) {
            int index = (b.style & TBSTYLE_SEP) ? -1 : CommandToIndex(static_cast<UINT>(b.id));
            if (index < 0) continue;
            SetButtonInfo(index, static_cast<UINT>(b.id), MAKELONG(b.style, HIWORD(GetButtonStyle(index))), b.image);
            if (b.hasText)
                SetButtonText(index, b.text);
            else if (!b.text.IsEmpty())
                m_rememberedTexts[static_cast<UINT>(b.id)] = b.text;
        }
    }
    m_bInternalChange = FALSE;
    SetTextType(0, 0xFFFF, m_nTextType);
    return TRUE;
}
