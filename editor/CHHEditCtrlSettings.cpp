// The edit control's settings in the application's profile, and the options dialog that edits
// them.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHEditOptionsDlg.h"
#include "editor/HHEditSettings.h"
#include "platform/framework/CWinApp.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kSettingsSection[] = "ScriptEditor";

LPCSTR sectionName(LPCSTR section) {
    return section ? section : kSettingsSection;
}

// Window enumeration callbacks: the edit controls among a top-level window's descendants.
BOOL CALLBACK collectEditControl(HWND hwnd, LPARAM list) {
    if (auto* control = dynamic_cast<CHHEditCtrl*>(CWnd::FromHandlePermanent(hwnd)))
        reinterpret_cast<std::vector<CHHEditCtrl*>*>(list)->push_back(control);
    return TRUE;
}

BOOL CALLBACK collectInTopLevel(HWND hwnd, LPARAM list) {
    ::EnumChildWindows(hwnd, collectEditControl, list);
    return TRUE;
}

} // namespace

BOOL CHHEditCtrl::LoadSettings(LPCSTR section) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    section = sectionName(section);
    if (std::string(app->GetProfileString(section, "", "")) != "1") return FALSE;
    const int tabSize = static_cast<int>(app->GetProfileInt(section, "TabSize", m_nTabSize));
    m_bAutoIndent = app->GetProfileInt(section, "Autoindent", m_bAutoIndent) != 0;
    m_bKeywordCase = app->GetProfileInt(section, "KeywordCase", m_bKeywordCase) != 0;
    m_bSyntaxColoring = app->GetProfileInt(section, "SyntaxColoring", m_bSyntaxColoring) != 0;
    for (int i = 0; i < hh::kColorClasses; ++i) {
        char key[16];
        std::snprintf(key, sizeof(key), "Color%d", i);
        hh::ParseColorValue(app->GetProfileString(section, key, ""), m_colors[i]);
    }
    // A stored tab size outside 0 to 20 keeps the one the control has.
    const int newTabSize = tabSize >= 0 && tabSize <= 20 ? tabSize : m_nTabSize;
    std::string face;
    int height = 0;
    if (hh::ParseFontValue(app->GetProfileString(section, "Font", ""), face, height)) {
        m_nTabSize = newTabSize;
        SetFont(face.c_str(), height);
    } else {
        SetTabSize(newTabSize);
    }
    return TRUE;
}

void CHHEditCtrl::SaveSettings(LPCSTR section) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    section = sectionName(section);
    LOGFONT lf{};
    m_font.GetLogFont(&lf);
    char font[64];
    std::snprintf(font, sizeof(font), "%s,%d", lf.lfFaceName, static_cast<int>(lf.lfHeight));
    app->WriteProfileString(section, "", "1");
    app->WriteProfileString(section, "Font", font);
    app->WriteProfileInt(section, "TabSize", m_nTabSize);
    app->WriteProfileInt(section, "Autoindent", m_bAutoIndent);
    app->WriteProfileInt(section, "KeywordCase", m_bKeywordCase);
    app->WriteProfileInt(section, "SyntaxColoring", m_bSyntaxColoring);
    for (int i = 0; i < hh::kColorClasses; ++i) {
        char key[16];
        std::snprintf(key, sizeof(key), "Color%d", i);
        app->WriteProfileString(section, key, hh::FormatColorValue(m_colors[i]).c_str());
    }
}

BOOL CHHEditCtrl::DoOptionsDialog() {
    CHHEditOptionsDlg dlg(this);
    dlg.m_bAutoIndent = m_bAutoIndent;
    dlg.m_bKeywordCase = m_bKeywordCase;
    dlg.m_bSyntaxColoring = m_bSyntaxColoring;
    dlg.m_nTabSize = m_nTabSize;
    m_font.GetLogFont(&dlg.m_logFont);
    for (int i = 0; i < hh::kColorClasses; ++i)
        dlg.m_colors[i] = m_colors[i];
    if (dlg.DoModal() != IDOK) return FALSE;
    m_bAutoIndent = dlg.m_bAutoIndent;
    m_bKeywordCase = dlg.m_bKeywordCase;
    m_bSyntaxColoring = dlg.m_bSyntaxColoring;
    for (int i = 0; i < hh::kColorClasses; ++i)
        m_colors[i] = dlg.m_colors[i];
    applyFontAndRecolour(dlg.m_logFont.lfFaceName, dlg.m_logFont.lfHeight, dlg.m_nTabSize);
    return TRUE;
}

void CHHEditCtrl::applyFontAndRecolour(LPCSTR face, int height, int tabSize) {
    hh::EditTransaction redraw(*this, hh::kLockRedraw);
    m_nTabSize = tabSize;
    SetFont(face, height);
    ReapplyText();
}

void CHHEditCtrl::ApplySettingsToAll() {
    std::vector<CHHEditCtrl*> controls;
    ::EnumWindows(collectInTopLevel, reinterpret_cast<LPARAM>(&controls));
    LOGFONT lf{};
    m_font.GetLogFont(&lf);
    for (CHHEditCtrl* control : controls) {
        if (control == this) continue;
        control->m_bAutoIndent = m_bAutoIndent;
        control->m_bKeywordCase = m_bKeywordCase;
        control->m_bSyntaxColoring = m_bSyntaxColoring;
        for (int i = 0; i < hh::kColorClasses; ++i)
            control->m_colors[i] = m_colors[i];
        control->applyFontAndRecolour(lf.lfFaceName, lf.lfHeight, m_nTabSize);
    }
}
