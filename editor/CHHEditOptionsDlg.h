#pragma once
// CHHEditOptionsDlg: "Script Editor Options", the dialog that edits the edit control's settings:
// tab width, auto indent, keyword case, syntax colouring, the font and each colour class's colour,
// bold and italic. It works on copies the caller fills and reads back after OK.

#include "editor/HHColoring.h"
#include "platform/framework/CDialog.h"

#include <vector>

#define IDD_HHEDIT_OPTIONS 28169
#define IDC_HHEDIT_TABWIDTH 28184
#define IDC_HHEDIT_TABSPIN 28185
#define IDC_HHEDIT_AUTOINDENT 28186
#define IDC_HHEDIT_KEYWORDCASE 28187
#define IDC_HHEDIT_SYNTAXCOLORING 28188
#define IDC_HHEDIT_FONT 28190
#define IDC_HHEDIT_CLASSES 28191
#define IDC_HHEDIT_COLOR 28192
#define IDC_HHEDIT_BOLD 28193
#define IDC_HHEDIT_ITALIC 28195
#define IDC_HHEDIT_FONTDESC 28208
#define IDS_HHEDIT_CLASS_FIRST 28220

class CHHEditOptionsDlg : public CDialog {
public:
    explicit CHHEditOptionsDlg(CWnd* pParent = nullptr);

    int m_bAutoIndent = TRUE;
    int m_bKeywordCase = TRUE;
    int m_bSyntaxColoring = TRUE;
    int m_nTabSize = 4;
    LOGFONT m_logFont{};
    hh::ColorEntry m_colors[hh::kColorClasses]{};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnClassChange();
    afx_msg void OnColorChange();
    afx_msg void OnBoldOrItalic();
    afx_msg void OnSyntaxColoring();
    afx_msg void OnFont();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    // The entry of the class selected in the list; null for the class without one.
    hh::ColorEntry* selectedEntry();
    void showClass();
    void showFontDescription();

    // The colour list's colours: the system's default palette.
    std::vector<COLORREF> m_palette;
};
