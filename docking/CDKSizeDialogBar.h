#pragma once
// CDKSizeDialogBar: a sizeable bar made from a dialog template. The template's controls sit in
// the bar's client area on the button face (erased as the sizeable bar does); the template's size
// becomes the bar's floating and docked sizes.

#include "docking/CDKSizeControlBar.h"

class CDKSizeDialogBar : public CDKSizeControlBar {
    DECLARE_DYNAMIC(CDKSizeDialogBar)
public:
    explicit CDKSizeDialogBar(DWORD dwBarStyle = 0) : CDKSizeControlBar(dwBarStyle) {}

    // Makes the bar from the template as a child of pParentWnd; nStyle's CBRS_ bits become the bar
    // style and the template's own style makes the window. FALSE when it cannot be made.
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    // Run once the template's controls exist; its result answers WM_INITDIALOG.
    virtual BOOL OnInitDialogBar();

protected:
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
