#pragma once
// CToolBar: a control bar over the tool-bar control. Buttons come from a tool-bar resource or a list
// of command ids; the layout family (CalcSize, WrapToolBar, SizeToolBar, CalcLayout and the two
// CControlBar layouts) works on an array of buttons so a derived bar can run it on its own buttons.

#include "platform/framework/CControlBar.h"
#include "platform/framework/CGdiObject.h"
#include "platform/win/commctrl.h"

// Button styles as GetButtonStyle/SetButtonStyle give them: the control's style in the low word,
// its state in the high word (TBBS_DISABLED inverted from TBSTATE_ENABLED).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
#define TBBS_ELLIPSES MAKELONG(0, TBSTATE_ELLIPSES)
#define TBBS_MARKED MAKELONG(0, TBSTATE_MARKED)

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    using CWnd::Create;
    using CWnd::CreateEx;

    // ---- Buttons ----
    // The layout and bitmap of tool-bar resource nIDResource (the bitmap of the same id).
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    // Images of the given size side by side in one bitmap (the bar takes it over).
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per id, images in order; ID_SEPARATOR gives a separator. nullptr: nIDCount
    // empty buttons to fill with SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;

    // ---- Layout ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    // The size the buttons take, with their wrap flags as they are.
    virtual CSize CalcSize(TBBUTTON* pData, int nCount);
    // Sets the wrap flags so no row passes nWidth (wrapping after separators where possible); the
    // number of rows.
    virtual int WrapToolBar(TBBUTTON* pData, int nCount, int nWidth);
    // Wraps to the narrowest width that keeps the rows nLength gives (bVert: to a height).
    void SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert = FALSE);
    virtual CSize CalcLayout(DWORD nMode, int nLength = -1);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // CBRS_TOOLTIPS given or taken after creation switches the buttons' tips on or off.
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    HBITMAP m_hbmImageWell = nullptr;
    BOOL m_bDelayedButtonLayout = TRUE;

    // The width a drop-down arrow adds to a button (TBSTYLE_EX_DRAWDDARROWS).
    static const int kDropDownWidth = 14;

protected:
    // A button as the layout sees it: TBSTATE_ENABLED inverted (the TBBS_DISABLED convention).
    void _GetButton(int nIndex, TBBUTTON* pButton) const;
    void _SetButton(int nIndex, TBBUTTON* pButton);
    int ButtonCount() const;
    // The width a button takes in the layout; derived bars widen drop-down or self-sized buttons.
    virtual int ButtonWidth(const TBBUTTON& button) const;
    // The button at nIndex as the layout of dwMode sees it, and a committed layout taken back into
    // it: a derived bar may lay a button out as another.
    virtual void GetLayoutButton(int nIndex, DWORD dwMode, TBBUTTON* pButton) const;
    virtual void CommitLayoutButton(int nIndex, TBBUTTON* pButton);

    // The button size the control uses now (texts make buttons larger).
    void SyncButtonSize();
};
