#pragma once
// CDKSizableMiniDockFrameWnd: the floating frame of sizeable bars. Sizing it sizes the bar it holds
// (the bar's floating size follows the frame's client); holding one sizeable bar, its system menu
// keeps only the items that make sense and its close item hides the bar.

#include "platform/framework/CMiniDockFrameWnd.h"

class CDKSizeViewBar;

class CDKSizableMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CDKSizableMiniDockFrameWnd)
public:
    enum Kind { kindUndecided = 0, kindOrdinary = 1, kindSizeBar = 2 };

    CDKSizableMiniDockFrameWnd() = default;

    // Decides once, from the bar it holds, what kind of frame this is.
    void DecideKind();
    int GetKind() const { return m_nKind; }
    // An ordinary bar asks for no kind: its frame decides once the bar is in it.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CControlBar* FirstBar() const;
    // The first bar when it carries a document window's view.
    CDKSizeViewBar* ViewBar() const;

    // The system menu, with a floating document window's dock item, chosen from below the
    // frame's top-left corner; the choice is carried out as a system command.
    void TrackSystemMenu();
    // Appends a floating document window's dock item to the system menu once.
    void AppendDockItem(CMenu* pMenu);
    // A press on the frame makes the document window it holds the active one.
    void ActivateViewBar();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()

    BOOL m_bClosing = FALSE;
    int m_nKind = kindUndecided;
};
