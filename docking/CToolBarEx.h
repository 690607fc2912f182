#pragma once
// A tool bar that paints its own buttons flat: no frame until the cursor is over a button, sunken
// when pressed or checked, embossed images when disabled, and a double gripper beside the buttons.
// The parent window gets NM_CUSTOMDRAW notifications while the buttons are painted.

#include "platform/framework/afxwin.h"

#include <vector>

class CToolBarEx : public CToolBar {
    DECLARE_DYNAMIC(CToolBarEx)
public:
    CToolBarEx();

    BOOL m_bFlat = TRUE;
    HWND m_hwndParent = nullptr; // the creating window's parent, which gets the custom draw

    int GetHotButton() const { return m_nHotButton; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The button's rectangle in client coordinates; FALSE when there is no such button.
    BOOL GetToolBarItemRect(int nIndex, CRect& rect) const {
        return static_cast<BOOL>(
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rect)));
    }
    void ReadColors();
    void CalcImageOffsets();
    void DrawGripper(CDC& dc);
    void DrawSeparator(CDC& dc, const CRect& rect, bool bHorz);
    void DrawButton(CDC& dc, HIMAGELIST hImages, int nIndex, const TBBUTTON& button, const CRect& rect);
    LRESULT CustomDraw(DWORD dwStage, HDC hdc, const CRect& rect, DWORD_PTR dwItem, UINT uState);

    int m_nImageX = 0, m_nImageY = 0;
    COLORREF m_crFace, m_crHighlight, m_crShadow, m_crLight;
    int m_nHotButton = -1;
    UINT_PTR m_nHotTimer = 0;
    std::vector<DWORD> m_previousStyles;
    CFont m_smallFont;
};
