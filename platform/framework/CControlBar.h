#pragma once
// CControlBar: a bar along a frame's edge (tool bar, status bar, dock bar). It takes its place in
// the frame's layout (WM_SIZEPARENT), draws its borders and gripper in its non-client area, updates
// its items at idle (WM_IDLEUPDATECMDUI), forwards commands and notifications to its owner, and,
// with docking enabled, starts a drag on a press off its items and toggles docking on a double
// click. The layout virtuals are the ones derived bars extend.

#include "platform/framework/CWnd.h"
#include "platform/framework/afxres.h"

class CFrameWnd;
class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles (m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // ---- Attributes ----
    int GetCount() const { return m_nCount; }
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // The bar's styles changed (SetBarStyle on a bar that has its window).
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const {
        return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    }
    // The frame the bar docks in (for a floating bar: its mini frame).
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const { return FALSE; }
    // Visible, counting a show or hide still waiting for the next layout.
    BOOL IsVisible() const;

    // ---- Docking ----
    // Allows docking on the sides in dwDockStyle (CBRS_ALIGN_*, CBRS_FLOAT_MULTI); 0 turns it off.
    void EnableDocking(DWORD dwDockStyle);

    // ---- Layout ----
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Shrinks rect by the borders and the gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // A show or hide done at the next layout (WM_SIZEPARENT) instead of now.
    virtual void DelayShow(BOOL bShow);
    // Applies a waiting show or hide when the layout commits; the style the layout should see.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // ---- Updating and state ----
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // ---- Drawing ----
    void EraseNonClient();
    void DrawBorders(CDC* pDC, CRect& rect);
    void DrawGripper(CDC* pDC, const CRect& rect);

    BOOL DestroyWindow() override;

    // Fields read and written by the docking classes and the bars derived from this one.
    int m_cxLeftBorder = 6, m_cxRightBorder = 6;
    int m_cyTopBorder = 1, m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    int m_nMRUWidth = 32767;
    BOOL m_bAutoDelete = FALSE;
    int m_nCount = 0;
    void* m_pData = nullptr;
    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // Shows the prompt of the item under the mouse (CBRS_FLYBY), or the idle prompt off the items.
    void UpdateFlyBy(CPoint point);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    DECLARE_MESSAGE_MAP()

    UINT m_nFlyByID = 0; // the item whose prompt the fly-by shows
};
