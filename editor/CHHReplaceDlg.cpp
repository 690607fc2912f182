#include "editor/CHHReplaceDlg.h"

#include "editor/CHHEditCtrl.h"
#include "editor/HHEditSettings.h"
#include "platform/win/res/resources.h"

namespace {

void declareReplaceDialog() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 250;
        t.cy = 96;
        t.caption = "Replace";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        const DWORD child = WS_CHILD | WS_VISIBLE;
        const DWORD tab = child | WS_TABSTOP;
        t.items = {
            {"STATIC", "Fi&nd what:", 0xFFFF, 7, 9, 45, 8, child, 0},
            {"COMBOBOX", "", IDC_HHFIND_WHAT, 55, 7, 125, 80,
             tab | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
            {"STATIC", "Replace with:", 0xFFFF, 7, 27, 45, 8, child, 0},
            {"COMBOBOX", "", IDC_HHFIND_REPLACEWITH, 55, 25, 125, 80,
             tab | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
            {"BUTTON", "Match &whole word only", IDC_HHFIND_WHOLEWORD, 7, 48, 95, 10, tab | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "Match &case", IDC_HHFIND_MATCHCASE, 7, 62, 95, 10, tab | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "Regular &expression", IDC_HHFIND_REGEX, 7, 76, 95, 10, WS_CHILD | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "Replace in", 0xFFFF, 108, 44, 72, 42, child | BS_GROUPBOX, 0},
            {"BUTTON", "&Whole file", IDC_HHFIND_WHOLEFILE, 114, 56, 60, 10,
             tab | BS_AUTORADIOBUTTON | WS_GROUP, 0},
            {"BUTTON", "&Selection", IDC_HHFIND_SELECTION, 114, 70, 60, 10, child | BS_AUTORADIOBUTTON, 0},
            {"BUTTON", "&Find Next", IDC_HHFIND_NEXT, 193, 7, 50, 14, tab | BS_DEFPUSHBUTTON, 0},
            {"BUTTON", "&Replace", IDC_HHFIND_REPLACE, 193, 24, 50, 14, tab | BS_PUSHBUTTON, 0},
            {"BUTTON", "Replace &All", IDC_HHFIND_REPLACEALL, 193, 41, 50, 14, tab | BS_PUSHBUTTON, 0},
            {"BUTTON", "Cancel", IDCANCEL, 193, 58, 50, 14, tab | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog(IDD_HHEDIT_REPLACE, t);
        return true;
    }();
    (void)declared;
}

} // namespace

BEGIN_MESSAGE_MAP(CHHReplaceDlg, CDialog)
    ON_BN_CLICKED(IDC_HHFIND_NEXT, OnFindNext)
    ON_BN_CLICKED(IDC_HHFIND_REPLACE, OnReplace)
    ON_BN_CLICKED(IDC_HHFIND_REPLACEALL, OnReplaceAll)
    ON_BN_CLICKED(IDC_HHFIND_WHOLEFILE, OnReplaceIn)
    ON_BN_CLICKED(IDC_HHFIND_SELECTION, OnReplaceIn)
    ON_CBN_EDITCHANGE(IDC_HHFIND_WHAT, OnFindTextChange)
END_MESSAGE_MAP()

CHHReplaceDlg::CHHReplaceDlg(CWnd* pParent) : CDialog(IDD_HHEDIT_REPLACE, pParent), m_pControl(pParent) {
    declareReplaceDialog();
}

BOOL CHHReplaceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_bSelectionSpansLines) {
        m_nReplaceIn = kWholeFile;
        if (CWnd* selection = GetDlgItem(IDC_HHFIND_SELECTION)) selection->EnableWindow(FALSE);
    }
    hh::ShowFindControls(this, m_params);
    const std::vector<std::string>& replaced = CHHFindParams::ReplaceHistory();
    hh::FillHistoryCombo(this, IDC_HHFIND_REPLACEWITH, replaced);
    if (!replaced.empty()) SendDlgItemMessage(IDC_HHFIND_REPLACEWITH, CB_SETCURSEL, 0, 0);
    CheckRadioButton(IDC_HHFIND_SELECTION, IDC_HHFIND_WHOLEFILE,
                     m_nReplaceIn == kSelection ? IDC_HHFIND_SELECTION : IDC_HHFIND_WHOLEFILE);
    updateButtons(IDC_HHFIND_NEXT);
    return TRUE;
}

void CHHReplaceDlg::updateButtons(int defaultId) {
    const bool selection = IsDlgButtonChecked(IDC_HHFIND_SELECTION) == BST_CHECKED;
    for (int id : {IDC_HHFIND_NEXT, IDC_HHFIND_REPLACE})
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(!selection);
    if (CWnd* all = GetDlgItem(IDC_HHFIND_REPLACEALL)) all->EnableWindow(TRUE);
    SetDefID(selection ? IDC_HHFIND_REPLACEALL : defaultId);
}

LRESULT CHHReplaceDlg::send(int id) {
    hh::ReadFindControls(this, m_params);
    GetDlgItemText(IDC_HHFIND_REPLACEWITH, m_params.m_strReplace);
    CHHFindParams::Remember(CHHFindParams::ReplaceHistory(), static_cast<LPCSTR>(m_params.m_strReplace));
    m_nReplaceIn = IsDlgButtonChecked(IDC_HHFIND_SELECTION) == BST_CHECKED ? kSelection : kWholeFile;
    CHHFindParams::Get() = m_params;
    CHHEditCtrl::s_strFindText = m_params.m_strFind;
    if (!m_pControl) return 0;
    return m_pControl->SendMessage(HHEDIT_REPLACE_MESSAGE, static_cast<WPARAM>(id),
                                   reinterpret_cast<LPARAM>(this));
}

void CHHReplaceDlg::OnFindNext() {
    updateButtons(send(IDC_HHFIND_NEXT) ? IDC_HHFIND_REPLACE : IDCANCEL);
}

void CHHReplaceDlg::OnReplace() {
    updateButtons(send(IDC_HHFIND_REPLACE) ? IDC_HHFIND_REPLACE : IDCANCEL);
}

void CHHReplaceDlg::OnReplaceAll() {
    send(IDC_HHFIND_REPLACEALL);
    updateButtons(IDCANCEL);
}

void CHHReplaceDlg::OnReplaceIn() {
    updateButtons(IDC_HHFIND_NEXT);
}

void CHHReplaceDlg::OnFindTextChange() {
    updateButtons(IDC_HHFIND_NEXT);
}

void CHHReplaceDlg::MoveAwayFrom(CWnd* control) {
    CHARRANGE sel{};
    control->SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    const LRESULT packed = control->SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(sel.cpMin), 0);
    CPoint point(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed)));
    control->ClientToScreen(&point);
    CRect rect;
    GetWindowRect(&rect);
    int top = 0;
    if (hh::MoveAwayTop(rect, point, ::GetSystemMetrics(SM_CYSCREEN), top))
        SetWindowPos(nullptr, rect.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
