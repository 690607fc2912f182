#pragma once
// CDKMDITabStrip: the tab control around an MDI client, one tab per visible MDI child with its
// small icon and title. A click activates the child, a double click maximises or restores it, a
// drag over a tab activates its child; a timer rescans the children (new ones get tabs, hidden ones lose
// them, titles follow).

#include "platform/framework/CImageList.h"
#include "platform/framework/COleDropTarget.h"
#include "platform/framework/CommonControls.h"

#include <string>
#include <vector>

class CDKMDIClientTabs;

// Asks a window for its tab text (wParam 0, lParam 0; the answer points to the text).
#define WM_GETTABTEXT 0x80EA

class CDKMDITabStrip : public CTabCtrl {
public:
    // Data dragged over a tab activates that tab's child; the strip itself takes no drop.
    class CDropTarget : public COleDropTarget {
    public:
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                              CPoint point) override;
    };

    static constexpr UINT kTimerId = 333;
    static constexpr UINT kTimerPeriod = 500;

    struct TabItem {
        std::string text;
        std::string className;
        HWND hwnd;
        int flag;
    };

    CDKMDITabStrip() = default;

    // The child windows' tabs: new ones added (bAddNew), texts, and optionally icons refreshed.
    void Update(BOOL bAddNew, BOOL bRefreshIcons);
    BOOL InsertTab(int nPos, CWnd* pWnd, BOOL bRelayout, BOOL bOnlyVisible);
    BOOL RemoveTab(CWnd* pWnd, BOOL bRelayout);
    int FindTab(CWnd* pWnd) const;
    const std::vector<TabItem>& Items() const { return m_items; }

    CDKMDIClientTabs* m_pOwner = nullptr;
    int m_nBorder = 5;

protected:
    CString TabText(CWnd* pWnd) const;
    int TabImage(CWnd* pWnd);
    CWnd* ChildOfTab(int nTab) const;
    void Relayout();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    friend class CDropTarget;
    CDropTarget m_dropTarget;
    std::vector<TabItem> m_items;
    std::vector<HICON> m_icons;
    CImageList m_images;
};
