#pragma once
// CDKSizeControlBar: a control bar the user sizes, docks on any side, floats, hides with its close
// button and expands within its dock row. Docked, it draws its own frame: a border and a caption
// strip (a gripper or a solid caption with the bar's text) with close and expand buttons. It keeps
// a size for floating, one for docking at the top or bottom and one for the left or right sides;
// the sizeable dock bar lays it out from them.

#include "platform/framework/CControlBar.h"
#include "platform/framework/CGdiObject.h"

struct CCreateContext;
class CMenu;
class CDKMDIFloatWnd;

// Bar style bits (the constructor's argument).
#define SZBAR_DELETEONCLOSE 0x0001
#define SZBAR_AUTODELETE 0x0002
#define SZBAR_CONTEXTMENU 0x0004
#define SZBAR_MDIFLOAT 0x0010
#define SZBAR_NOGRIPPER 0x0020
#define SZBAR_NOCLOSEBUTTON 0x0040
#define SZBAR_NOEXPANDBUTTON 0x0080
#define SZBAR_NOCAPTIONTEXT 0x0100
#define SZBAR_SOLIDCAPTION 0x0200

// Private messages and commands of the sizeable bars.
#define WM_SZBAR_APPENDMENU (WM_USER + 1) // lParam: the menu to append the bar's items to
#define WM_SZBAR_FLOATKIND (WM_USER + 2)  // the floating frame decides its kind
#define WM_SZBAR_ACTIVATE (WM_USER + 3)   // activation notice to a docked view bar
#define ID_SZBAR_PROMPT 23900
#define ID_SZBAR_ALLOWDOCKING 23901
#define ID_SZBAR_HIDE 23902
#define ID_SZBAR_MDIFLOAT 23903
#define IDS_SZBAR_HIDE 61457

class CDKSizeControlBar : public CControlBar {
    DECLARE_DYNAMIC(CDKSizeControlBar)
public:
    enum Pressed { pressedNone = -1, pressedExpand = -2, pressedClose = -3 };

    explicit CDKSizeControlBar(DWORD dwBarStyle = 0);
    ~CDKSizeControlBar() override;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle, const RECT& rect);

    void EnableDocking(DWORD dwDockStyle);
    void SetActive(BOOL bActive, BOOL bDeactivateOthers = TRUE);
    DWORD GetSizeBarStyle() const { return m_dwSCBStyle; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsActive() const { return m_bActive; }
    int GetPressed() const { return m_nPressed; }
    // The bars made with SZBAR_AUTODELETE whose dock site is pFrame are deleted (the frame goes).
    static void DeleteAutoDeleteBars(CFrameWnd* pFrame);
    // The MDI child window the bar floats in, or nullptr.
    CDKMDIFloatWnd* GetMDIFloatWnd() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // A saved layout keeps a docked bar's size with its place.
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    virtual BOOL IsExpandable();
    virtual void DrawNonClient();
    virtual void RecreateCaptionFont();
    // The bar's window changed size (mask bit 0) or floating state (bit 1).
    virtual void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask);
    virtual void DrawGripperAndCaption(CDC* pDC);
    virtual void DrawCloseButton(CDC* pDC);
    virtual void DrawExpandButton(CDC* pDC);

    // Screen rectangles of the caption and buttons, as last computed.
    CRect GetCaptionRect() const { return m_rectCaption; }
    CRect GetCloseRect() const { return m_rectClose; }
    CRect GetExpandRect() const { return m_rectExpand; }

    // The docking frame that deletes an SZBAR_AUTODELETE bar when it goes (the dock site is
    // forgotten as the windows are destroyed, before the frame is deleted).
    CFrameWnd* m_pAutoDeleteFrame = nullptr;

    CSize m_szFloat{0, 0};
    CSize m_szHorz{0, 0}; // cx: length along the row, cy: thickness
    CSize m_szVert{0, 0}; // cx: thickness, cy: length
    CSize m_szSaved{0, 0};
    DWORD m_dwSavedDockStyle = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL IsDocked() const;
    DWORD DockAlignment() const;
    void RecalcButtonRects();
    void RedrawButton(const CRect& rectScreen);
    // The bar's pop-up menu items (hide, allow docking, float in an MDI window).
    void AppendMenuItems(HMENU hMenu);

    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnAppendMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatKind(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHide();
    afx_msg void OnAllowDocking();
    afx_msg void OnMdiFloat();
    DECLARE_MESSAGE_MAP()

    DWORD m_dwSCBStyle;
    int m_nLastWidth = 65535;
    int m_nLastHeight = 65535;
    int m_nLastFloating = 3;
    CFont m_font;
    CRect m_rectCaption{0, 0, 0, 0};
    CRect m_rectClose{0, 0, 0, 0};
    CRect m_rectExpand{0, 0, 0, 0};
    BOOL m_bCaptionReserved = FALSE;
    int m_nPressed = pressedNone;
    // The button the press that took the capture was on: only it shows pressed again when the
    // pointer comes back over it, as a push button does.
    int m_nHeld = pressedNone;
    BOOL m_bExpanded = FALSE;
    BOOL m_bActive = FALSE;

    friend class CDKSizeDockBar;
};
