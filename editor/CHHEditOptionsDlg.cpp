#include "editor/CHHEditOptionsDlg.h"

#include "editor/HHEditSettings.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CommonDialogs.h"
#include "platform/framework/DataExchange.h"
#include "platform/win/res/resources.h"

namespace {

const char* const kClassNames[] = {"Default",      "Keywords",       "Comments",      "Strings",
                                   "Numbers",      "Operators",      "Constants",     "Functions",
                                   "Preprocessor", "User Defined 1", "User Defined 2"};
constexpr int kClassNameCount = 11;

void declareOptionsDialog() {
    static const bool declared = [] {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&classes);
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 250;
        t.cy = 166;
        t.caption = "Script Editor Options";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        const DWORD child = WS_CHILD | WS_VISIBLE;
        const DWORD tab = child | WS_TABSTOP;
        t.items = {
            {"STATIC", "&Tab Width:", 0xFFFF, 7, 9, 40, 8, child, 0},
            {"EDIT", "", IDC_HHEDIT_TABWIDTH, 50, 7, 30, 12, tab | WS_BORDER | ES_NUMBER, 0},
            {UPDOWN_CLASS, "Spin1", IDC_HHEDIT_TABSPIN, 80, 7, 10, 12,
             child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0},
            {"BUTTON", "&Auto Indent", IDC_HHEDIT_AUTOINDENT, 7, 25, 80, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "&Keyword Case", IDC_HHEDIT_KEYWORDCASE, 7, 38, 80, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "&Syntax Coloring", IDC_HHEDIT_SYNTAXCOLORING, 7, 51, 80, 10, tab | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "&Font...", IDC_HHEDIT_FONT, 7, 66, 50, 14, tab | BS_PUSHBUTTON, 0},
            {"STATIC", "", IDC_HHEDIT_FONTDESC, 62, 69, 120, 8, child, 0},
            {"BUTTON", "&Colors", 0xFFFF, 7, 84, 236, 75, child | BS_GROUPBOX, 0},
            {"LISTBOX", "", IDC_HHEDIT_CLASSES, 14, 96, 90, 58, tab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0},
            {"COMBOBOX", "", IDC_HHEDIT_COLOR, 112, 96, 60, 120,
             tab | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 0},
            {"BUTTON", "&Bold", IDC_HHEDIT_BOLD, 112, 116, 50, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "&Italic", IDC_HHEDIT_ITALIC, 112, 130, 50, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "OK", IDOK, 193, 7, 50, 14, tab | BS_DEFPUSHBUTTON, 0},
            {"BUTTON", "Cancel", IDCANCEL, 193, 24, 50, 14, tab | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog(IDD_HHEDIT_OPTIONS, t);
        const UINT first = IDS_HHEDIT_CLASS_FIRST;
        pm::res::addStrings({{first, kClassNames[0]},
                             {first + 1, kClassNames[1]},
                             {first + 2, kClassNames[2]},
                             {first + 3, kClassNames[3]},
                             {first + 4, kClassNames[4]},
                             {first + 5, kClassNames[5]},
                             {first + 6, kClassNames[6]},
                             {first + 7, kClassNames[7]},
                             {first + 8, kClassNames[8]},
                             {first + 9, kClassNames[9]},
                             {first + 10, kClassNames[10]}});
        return true;
    }();
    (void)declared;
}

} // namespace

BEGIN_MESSAGE_MAP(CHHEditOptionsDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_HHEDIT_CLASSES, OnClassChange)
    ON_CBN_SELCHANGE(IDC_HHEDIT_COLOR, OnColorChange)
    ON_BN_CLICKED(IDC_HHEDIT_BOLD, OnBoldOrItalic)
    ON_BN_CLICKED(IDC_HHEDIT_ITALIC, OnBoldOrItalic)
    ON_BN_CLICKED(IDC_HHEDIT_SYNTAXCOLORING, OnSyntaxColoring)
    ON_BN_CLICKED(IDC_HHEDIT_FONT, OnFont)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CHHEditOptionsDlg::CHHEditOptionsDlg(CWnd* pParent) : CDialog(IDD_HHEDIT_OPTIONS, pParent) {
    declareOptionsDialog();
    hh::SetDefaultColors(m_colors);
}

BOOL CHHEditOptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_HHEDIT_TABSPIN, UDM_SETRANGE32, 1, 20);
    m_palette = hh::DefaultPaletteColors();
    for (COLORREF colour : m_palette) {
        const LRESULT item =
            SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_ADDSTRING, 0, static_cast<LPARAM>(colour));
        SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_SETITEMDATA, item, static_cast<LPARAM>(colour));
    }
    // The edit field is as high as an item.
    const LRESULT itemHeight = SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_GETITEMHEIGHT, 0, 0);
    SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    for (int i = 0; i < kClassNameCount; ++i) {
        CString name;
        name.LoadString(IDS_HHEDIT_CLASS_FIRST + i);
        SendDlgItemMessage(IDC_HHEDIT_CLASSES, LB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(static_cast<LPCSTR>(name)));
    }
    SendDlgItemMessage(IDC_HHEDIT_CLASSES, LB_SETCURSEL, 0, 0);
    showClass();
    OnSyntaxColoring();
    showFontDescription();
    return TRUE;
}

void CHHEditOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_HHEDIT_TABWIDTH, m_nTabSize);
    DDV_MinMaxInt(pDX, m_nTabSize, 1, 20);
    DDX_Check(pDX, IDC_HHEDIT_AUTOINDENT, m_bAutoIndent);
    DDX_Check(pDX, IDC_HHEDIT_KEYWORDCASE, m_bKeywordCase);
    DDX_Check(pDX, IDC_HHEDIT_SYNTAXCOLORING, m_bSyntaxColoring);
}

hh::ColorEntry* CHHEditOptionsDlg::selectedEntry() {
    const LRESULT index = SendDlgItemMessage(IDC_HHEDIT_CLASSES, LB_GETCURSEL, 0, 0);
    // "User Defined 2" has no entry of its own: its row edits nothing.
    if (index < 0 || index >= hh::kColorClasses) return nullptr;
    return &m_colors[index];
}

void CHHEditOptionsDlg::showClass() {
    const hh::ColorEntry* entry = selectedEntry();
    for (int id : {IDC_HHEDIT_COLOR, IDC_HHEDIT_BOLD, IDC_HHEDIT_ITALIC})
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(entry != nullptr);
    if (!entry) return;
    CheckDlgButton(IDC_HHEDIT_BOLD, entry->bold ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_HHEDIT_ITALIC, entry->italic ? BST_CHECKED : BST_UNCHECKED);
    const int nearest =
        hh::NearestColorIndex(m_palette.data(), static_cast<int>(m_palette.size()), entry->colour);
    SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_SETCURSEL, nearest, 0);
}

void CHHEditOptionsDlg::showFontDescription() {
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    SetDlgItemText(IDC_HHEDIT_FONTDESC,
                   hh::FontDescription(m_logFont.lfFaceName, m_logFont.lfHeight, pixelsPerInch).c_str());
}

void CHHEditOptionsDlg::OnClassChange() {
    showClass();
}

void CHHEditOptionsDlg::OnColorChange() {
    hh::ColorEntry* entry = selectedEntry();
    const LRESULT item = SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_GETCURSEL, 0, 0);
    if (!entry || item < 0) return;
    entry->colour = static_cast<COLORREF>(SendDlgItemMessage(IDC_HHEDIT_COLOR, CB_GETITEMDATA, item, 0));
}

void CHHEditOptionsDlg::OnBoldOrItalic() {
    hh::ColorEntry* entry = selectedEntry();
    if (!entry) return;
    entry->bold = IsDlgButtonChecked(IDC_HHEDIT_BOLD) == BST_CHECKED;
    entry->italic = IsDlgButtonChecked(IDC_HHEDIT_ITALIC) == BST_CHECKED;
}

void CHHEditOptionsDlg::OnSyntaxColoring() {
    if (CWnd* keywordCase = GetDlgItem(IDC_HHEDIT_KEYWORDCASE))
        keywordCase->EnableWindow(IsDlgButtonChecked(IDC_HHEDIT_SYNTAXCOLORING) == BST_CHECKED);
}

void CHHEditOptionsDlg::OnFont() {
    CFontDialog dlg(&m_logFont, CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_NOSTYLESEL, nullptr, this);
    if (dlg.DoModal() != IDOK) return;
    dlg.GetCurrentFont(&m_logFont);
    showFontDescription();
}

void CHHEditOptionsDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (nIDCtl == IDC_HHEDIT_COLOR) lpMeasureItemStruct->itemHeight = 16;
}

void CHHEditOptionsDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl != IDC_HHEDIT_COLOR || static_cast<int>(lpDrawItemStruct->itemID) < 0) return;
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&rect, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (lpDrawItemStruct->itemState & ODS_FOCUS) {
        CRect focus = rect;
        focus.DeflateRect(1, 1);
        dc->DrawFocusRect(&focus);
    }
    CRect swatch = rect;
    swatch.DeflateRect(3, 3);
    dc->FillSolidRect(&swatch, static_cast<COLORREF>(lpDrawItemStruct->itemData));
}
