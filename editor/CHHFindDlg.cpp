#include "editor/CHHFindDlg.h"

#include "platform/win/res/resources.h"

namespace {

void declareFindDialog() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 250;
        t.cy = 74;
        t.caption = "Find";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        const DWORD child = WS_CHILD | WS_VISIBLE;
        const DWORD tab = child | WS_TABSTOP;
        t.items = {
            {"STATIC", "Fi&nd what:", 0xFFFF, 7, 9, 40, 8, child, 0},
            {"COMBOBOX", "", IDC_HHFIND_WHAT, 50, 7, 130, 80,
             tab | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
            {"BUTTON", "Match &whole word only", IDC_HHFIND_WHOLEWORD, 7, 30, 100, 10, tab | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "Match &case", IDC_HHFIND_MATCHCASE, 7, 44, 100, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "Regular &expression", IDC_HHFIND_REGEX, 7, 58, 100, 10, WS_CHILD | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "Direction", 0xFFFF, 110, 26, 70, 28, WS_CHILD | BS_GROUPBOX, 0},
            {"BUTTON", "&Up", IDC_HHFIND_UP, 115, 38, 25, 10, WS_CHILD | BS_AUTORADIOBUTTON | WS_GROUP, 0},
            {"BUTTON", "&Down", IDC_HHFIND_DOWN, 145, 38, 30, 10, WS_CHILD | BS_AUTORADIOBUTTON, 0},
            {"BUTTON", "&Find Next", IDC_HHFIND_NEXT, 193, 7, 50, 14, tab | BS_DEFPUSHBUTTON, 0},
            {"BUTTON", "&Mark All", IDC_HHFIND_MARKALL, 193, 24, 50, 14, tab | BS_PUSHBUTTON, 0},
            {"BUTTON", "Cancel", IDCANCEL, 193, 41, 50, 14, tab | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog(IDD_HHEDIT_FIND, t);
        return true;
    }();
    (void)declared;
}

} // namespace

namespace hh {

void FillHistoryCombo(CWnd* dialog, int id, const std::vector<std::string>& history) {
    for (const std::string& text : history)
        dialog->SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ReadFindControls(CWnd* dialog, CHHFindParams& params) {
    dialog->GetDlgItemText(IDC_HHFIND_WHAT, params.m_strFind);
    params.m_bWholeWord = dialog->IsDlgButtonChecked(IDC_HHFIND_WHOLEWORD) == BST_CHECKED;
    params.m_bMatchCase = dialog->IsDlgButtonChecked(IDC_HHFIND_MATCHCASE) == BST_CHECKED;
    params.m_bRegularExpression = dialog->IsDlgButtonChecked(IDC_HHFIND_REGEX) == BST_CHECKED;
    if (!params.m_strFind.IsEmpty())
        CHHFindParams::Remember(CHHFindParams::FindHistory(), static_cast<LPCSTR>(params.m_strFind));
}

void ShowFindControls(CWnd* dialog, const CHHFindParams& params) {
    FillHistoryCombo(dialog, IDC_HHFIND_WHAT, CHHFindParams::FindHistory());
    dialog->SetDlgItemText(IDC_HHFIND_WHAT, params.m_strFind);
    dialog->CheckDlgButton(IDC_HHFIND_WHOLEWORD, params.m_bWholeWord ? BST_CHECKED : BST_UNCHECKED);
    dialog->CheckDlgButton(IDC_HHFIND_MATCHCASE, params.m_bMatchCase ? BST_CHECKED : BST_UNCHECKED);
    dialog->CheckDlgButton(IDC_HHFIND_REGEX, params.m_bRegularExpression ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace hh

BEGIN_MESSAGE_MAP(CHHFindDlg, CDialog)
    ON_BN_CLICKED(IDC_HHFIND_NEXT, OnFindNext)
    ON_BN_CLICKED(IDC_HHFIND_MARKALL, OnMarkAll)
END_MESSAGE_MAP()

CHHFindDlg::CHHFindDlg(CWnd* pParent) : CDialog(IDD_HHEDIT_FIND, pParent) {
    declareFindDialog();
}

BOOL CHHFindDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    hh::ShowFindControls(this, m_params);
    CheckRadioButton(IDC_HHFIND_UP, IDC_HHFIND_DOWN,
                     m_params.m_bSearchDown ? IDC_HHFIND_DOWN : IDC_HHFIND_UP);
    return TRUE;
}

void CHHFindDlg::OnFindNext() {
    finish(IDC_HHFIND_NEXT);
}

void CHHFindDlg::OnMarkAll() {
    finish(IDC_HHFIND_MARKALL);
}

void CHHFindDlg::finish(int id) {
    hh::ReadFindControls(this, m_params);
    m_params.m_bSearchDown = IsDlgButtonChecked(IDC_HHFIND_UP) != BST_CHECKED;
    EndDialog(m_params.m_strFind.IsEmpty() ? IDCANCEL : id);
}
