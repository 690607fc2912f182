#pragma once
// CMiniFrameWnd: a small floating frame with a tool-window caption and a system menu. The MFS_*
// styles choose its border: sizing (MFS_THICKFRAME; with MFS_4THICKFRAME too, at its four sides
// only), a thick border that does not size (MFS_4THICKFRAME alone), or edges that move the frame
// (MFS_MOVEFRAME); with MFS_SYNCACTIVE its caption shows active while the main frame is active.

#include "platform/framework/CFrameWnd.h"

#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00010000L

// WM_FLOATSTATUS requests.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    // The frame's own form, with a rectangle; lpParam reaches WM_CREATE.
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0, LPVOID lpParam = nullptr);
    using CFrameWnd::Create;
    // The window-level form, spelt out so that a call with a rectangle picks the frame's own.
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr) {
        return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight,
                              hWndParent, nIDorHMenu, lpParam);
    }

    // Grows a client rectangle to the window rectangle of a mini frame with these styles.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                            DWORD dwExStyle = WS_EX_TOOLWINDOW);

    DWORD m_dwMiniStyle = 0; // the MFS_* bits
    BOOL m_bActive = FALSE;  // the main frame's activation, for MFS_SYNCACTIVE

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
