#pragma once
// CDKSizableMiniDockFrameWnd: the floating frame of sizeable bars. Sizing it sizes the bar it holds
// (the bar's floating size follows the frame's client); holding one sizeable bar, its system menu
// keeps only the items that make sense and its close item hides the bar.

#include "platform/framework/CMiniDockFrameWnd.h"

class CDKSizableMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CDKSizableMiniDockFrameWnd)
public:
    enum Kind { kindUndecided = 0, kindOrdinary = 1, kindSizeBar = 2 };

    CDKSizableMiniDockFrameWnd() = default;

    // Decides once, from the bar it holds, what kind of frame this is.
    void DecideKind();
    int GetKind() const { return m_nKind; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CControlBar* FirstBar() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    BOOL m_bClosing = FALSE;
    int m_nKind = kindUndecided;
};
