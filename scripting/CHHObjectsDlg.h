#pragma once
// CHHObjectsDlg: the "Objects" dialog: the external objects a macro creates when it runs, each a
// name and a ProgID or CLSID, kept in a list sorted by name. Only objects that can be created are
// taken; OK puts the list into the module, Cancel leaves the module as it was.

#include "platform/framework/afxwin.h"

class CHHModule;

class CHHObjectsDlg : public CDialog {
public:
    CHHObjectsDlg(CHHModule* pModule, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnEditChange() { UpdateButtons(); }
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAdd();
    afx_msg void OnUpdate();
    afx_msg void OnRemove();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateButtons();
    int GetSelectedRow() const;
    // Both texts must be given and name an object that can be created; refused with a message.
    BOOL CheckEntry(const CString& strName, const CString& strText);
    void GetEntry(CString& strName, CString& strText) const;

    CHHModule* m_pModule;
    CListCtrl m_list;
};
