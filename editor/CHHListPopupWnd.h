#pragma once
// CHHListPopupWnd: a frameless popup owned by a code-assistance control. While shown it follows
// its owner when the owner moves, and it hands the owner-draw and command messages of its child
// list box on to the owner.

#include "platform/framework/CWnd.h"

class CHHListPopupWnd : public CWnd {
    DECLARE_DYNAMIC(CHHListPopupWnd)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* owner);
    // The owner moved by (dx, dy) on the screen.
    virtual void OffsetPosition(int dx, int dy);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    CPoint ownerTopLeft() const;

    CWnd* m_pOwner = nullptr;
    CPoint m_ownerPos;
};
