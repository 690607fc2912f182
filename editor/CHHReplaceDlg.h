#pragma once
// CHHReplaceDlg: the "Replace" dialog. Modal, yet its Find Next, Replace and Replace All act on
// the edit control while it stays open, through the control's registered replace message.

#include "editor/CHHFindDlg.h"

class CHHReplaceDlg : public CDialog {
public:
    enum { kWholeFile = 0, kSelection = 1 };
    explicit CHHReplaceDlg(CWnd* pParent = nullptr);

    CHHFindParams m_params;
    int m_nReplaceIn = kWholeFile;
    BOOL m_bSelectionSpansLines = FALSE;

    // Moves the dialog off the control's selection start when it covers it: up, or else down.
    void MoveAwayFrom(CWnd* control);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnFindNext();
    afx_msg void OnReplace();
    afx_msg void OnReplaceAll();
    afx_msg void OnReplaceIn();
    afx_msg void OnFindTextChange();
    DECLARE_MESSAGE_MAP()

private:
    // Enables the buttons for the Replace in choice and makes defaultId the default button.
    void updateButtons(int defaultId);
    // The edit control the buttons act on (a popup's parent window is its top-level owner).
    CWnd* m_pControl;
    // Reads the controls into the shared parameters and sends the button to the control.
    LRESULT send(int id);
};
