#pragma once
// CHHMarginWnd: the strip at a code-assistance control's left showing each line's bookmark,
// breakpoint and third mark, and line numbers when they are switched on for every margin. A left
// click toggles the breakpoint, a right click the bookmark of the line clicked. With line numbers
// on it is as wide as the largest line number of the text needs.

#include "platform/framework/CImageList.h"
#include "platform/framework/CWnd.h"

class CHHAssistEditCtrl;

class CHHMarginWnd : public CWnd {
    DECLARE_DYNAMIC(CHHMarginWnd)
public:
    static constexpr int kWidth = 23;

    BOOL Create(CHHAssistEditCtrl* control, UINT id);
    // Line numbers on or off in every margin; TRUE when the font could be made or was deleted.
    static BOOL CreateSmallFont(BOOL lineNumbers);
    // Whether the line-number font exists (line numbers are shown).
    static BOOL HasLineNumbers();

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    // The line at a client y; -1 below the last line.
    int lineAt(int y) const;
    // The width the margin takes for its control's text: kWidth, or wider when the largest line
    // number needs it.
    int fittingWidth();
    // Takes the fitting width, keeping the left edge, with the control beside it.
    void fitWidth();
    // The control's left edge one pixel right of the shown margin, or at its left when hidden.
    void placeControl(BOOL marginShown);

    CImageList m_images;
    CHHAssistEditCtrl* m_pControl = nullptr;
};
