#pragma once
// CToolsDlg: "Add & Edit Tools", the list of external tools with the command and argument line of
// the selected one. Browsing selects and removes tools; editing changes the selected tool's texts
// until Update stores them or Cancel Update reads them back. Close stores the list.

#include "app/program/CBmpBtn.h"
#include "app/program/CToolListBox.h"

#include "platform/framework/afxwin.h"

class CIniFile;

class CToolsDlg : public CDialog {
public:
    CToolsDlg(CIniFile& settings, CWnd* pParent = nullptr);

    CString m_strCommand;
    CString m_strArguments;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSelChange();
    afx_msg void OnNew();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnBrowse();
    afx_msg void OnMacroButton();
    afx_msg void OnMacro(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void setEditing(bool editing);
    CString selectedName() const;

    CIniFile& m_settings;
    CToolListBox m_list;
    // The button of the argument macros, with its right arrow.
    CBmpBtn m_macroButton;
};
