#pragma once
// CNewFromTemplateDlg: "New Document" lists the document templates with the description of the
// one chosen; a double-click chooses as OK does.

#include "app/CIniFile.h"

#include "platform/framework/afxwin.h"

class CNewFromTemplateDlg : public CDialog {
public:
    explicit CNewFromTemplateDlg(CWnd* pParent = nullptr);

    // The template chosen (a file name of the template folder); empty when none was.
    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChange();
    afx_msg void OnDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    CListBox& list() const;

    CIniFile m_descriptions;
};
