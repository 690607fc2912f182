#pragma once
// CHHFindDlg: the "Find" dialog. Find Next and Mark All end it with their id after putting a
// non-empty find text in front of the find history; an empty find text ends it as Cancel.

#include "editor/CHHFindParams.h"
#include "platform/framework/CDialog.h"

#define IDD_HHEDIT_FIND 28170
#define IDD_HHEDIT_REPLACE 28171
#define IDC_HHFIND_WHAT 28194
#define IDC_HHFIND_WHOLEWORD 28196
#define IDC_HHFIND_MATCHCASE 28197
#define IDC_HHFIND_REGEX 28198
#define IDC_HHFIND_UP 28199
#define IDC_HHFIND_DOWN 28200
#define IDC_HHFIND_REPLACEWITH 28201
#define IDC_HHFIND_SELECTION 28202
#define IDC_HHFIND_WHOLEFILE 28203
#define IDC_HHFIND_NEXT 28204
#define IDC_HHFIND_MARKALL 28205
#define IDC_HHFIND_REPLACE 28206
#define IDC_HHFIND_REPLACEALL 28207

namespace hh {
// Fills a combo box with a history, most recent first.
void FillHistoryCombo(CWnd* dialog, int id, const std::vector<std::string>& history);
// Reads the find text and the check boxes the two dialogs share into params; puts a non-empty
// find text in front of the find history.
void ReadFindControls(CWnd* dialog, CHHFindParams& params);
// Shows params in the controls the two dialogs share.
void ShowFindControls(CWnd* dialog, const CHHFindParams& params);
} // namespace hh

class CHHFindDlg : public CDialog {
public:
    explicit CHHFindDlg(CWnd* pParent = nullptr);
    CHHFindParams m_params;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnFindNext();
    afx_msg void OnMarkAll();
    DECLARE_MESSAGE_MAP()

private:
    void finish(int id);
};
