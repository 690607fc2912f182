#pragma once
// A small owner-drawn button in two parts: the main part shows the current item's image, the arrow
// part drops down a CCoolComboPopup with the items as a grid. The choice goes to the parent as
// the CCN_ notifications.

#include "docking/CCoolComboPopup.h"
#include "docking/CoolComboNotify.h"

#include "platform/framework/afxwin.h"

#include <vector>

class CCoolCombo : public CStatic {
    DECLARE_DYNAMIC(CCoolCombo)
public:
    int GetCurrentItem() const { return m_nCurrent; }
    void SetCurrentItem(int nItem);
    void SetItemCount(int nItems, int nColumns);
    void SetDefaultText(LPCSTR lpszText) { m_strDefault = lpszText ? lpszText : ""; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    void SetTipText(LPCSTR lpszText) { m_strTip = lpszText ? lpszText : ""; }
    void SetItemTips(const std::vector<CString>& tips) { m_itemTips = tips; }
    // Grid items stand for these commands (one per item, missing ones 0: plain items); the
    // current item becomes the default text item.
    void SetCommandIds(const UINT* pIDs, int nCount);
    // The idle update: a handler of the target for the control's id decides, else the target is
    // asked with CCN_QUERYUPDATE. Skipped while the control has the focus.
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler);
    // Copies the images: one per grid item, or (bDefault) the first image as the default image.
    BOOL SetImages(CImageList* pImages, BOOL bDefault = FALSE);
    // The same from a bitmap resource of images cxImage wide, crMask being their transparent colour.
    BOOL LoadImages(UINT nIDBitmap, int cxImage, COLORREF crMask, BOOL bDefault = FALSE);
    // The default image from tool-bar resource nIDToolBar: the image of the button with the
    // control's id. FALSE when the resource or the button is not there.
    BOOL LoadToolBarImage(UINT nIDToolBar, COLORREF crMask);
    CCoolComboPopup* GetPopup() const { return m_pPopup; }
    const CRect& GetArrowRect() const { return m_rectArrow; }
    const CRect& GetMainRect() const { return m_rectMain; }

    BOOL m_bHotTracking = TRUE;
    BOOL m_bNarrowArrow = FALSE;

    virtual void ClosePopup();
    virtual void ShowPopup();
    virtual void DrawImage(CDC& dc, const CRect& rect, BOOL bEnabled);
    virtual void OnClick();
    virtual void DrawFrame(CDC& dc);
    virtual void OnPopupShown() { Forward(CCN_SHOWN, 0); }
    virtual void OnPopupClosed();
    virtual void OnPopupSelect(int nIndex);
    virtual void OnPopupDefault();
    virtual void OnPopupExtra(int nIndex);
    virtual void OnPopupCancel() { Forward(CCN_CANCEL, 0); }
    virtual void OnPopupHot(int nIndex) { Forward(CCN_HOT, nIndex); }
    virtual void OnPopupTornOff();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void CalcRects();
    void Forward(UINT nCode, int nItem);

    int m_nCurrent = CC_ITEM_INDETERMINATE;
    BOOL m_bTearOff = TRUE;
    CString m_strTip;
    int m_nItems = 20;
    int m_nColumns = 8;
    BOOL m_bPressed = FALSE, m_bHotMain = FALSE, m_bDropped = FALSE, m_bTracking = FALSE;
    BOOL m_bCloseOnRelease = FALSE;
    CRect m_rectArrow, m_rectMain;
    CImageList m_images;
    CImageList m_defaultImage;
    CString m_strDefault;
    CCoolComboPopup* m_pPopup = nullptr;
    std::vector<UINT> m_commandIds;
    std::vector<CString> m_itemTips;
};
