#pragma once
// CSaveTemplateDlg: "Save as Template" asks for the file name and the description of a new
// document template, listing the templates there are; choosing one takes its name and
// description. OK is on exactly while the name is not empty.

#include "app/CIniFile.h"

#include "platform/framework/afxwin.h"

class CSaveTemplateDlg : public CDialog {
public:
    explicit CSaveTemplateDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strDescription;
    // The template descriptions, loaded from Template.ini as the dialog opens.
    CIniFile m_descriptions;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChange();
    afx_msg void OnNameChange();
    DECLARE_MESSAGE_MAP()

private:
    CListBox& list() const;
};
