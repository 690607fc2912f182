#pragma once
// CDKItemTip: a hook on a list control in report view that finds the cell under the mouse whose
// text does not show whole, and where and how its tip window should show it.

#include "docking/CDKHookWnd.h"
#include "docking/CDKItemTipWnd.h"
#include "platform/framework/Controls.h"

class CFont;

struct ItemTipInfo {
    enum Result { show = 1, notReport = 2, noCell = 3, outsideLabel = 4, fits = 5 };
    POINT point{0, 0};
    int nRow = -1, nColumn = -1;
    RECT rect{0, 0, 0, 0};
    char szText[300] = {};
    int nTextSize = 300;
    int nOffset = 0;
    CFont* pFont = nullptr;
    COLORREF clrText = static_cast<COLORREF>(-1);
    COLORREF clrBack = static_cast<COLORREF>(-1);
    int nAlignment = 0;
    int nResult = 0;
};

class CDKItemTip : public CDKHookWnd {
    DECLARE_DYNAMIC(CDKItemTip)
public:
    // Asked after GetListItemInfo, in place of the list control's own answer, when set.
    typedef void (*Callback)(CDKItemTip* pTip, ItemTipInfo* pInfo);

    CWnd* m_pList = nullptr;
    CDKItemTipWnd m_wndTip;
    Callback m_pfnCallback = nullptr;
    CFont* m_pFont = nullptr;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    int m_nOffset = 4;

    virtual void GetListItemInfo(ItemTipInfo* pInfo);

private:
    BOOL FindRow(ItemTipInfo* pInfo, CRect& row) const;
    BOOL FindColumn(ItemTipInfo* pInfo, const CRect& row, CRect& cell) const;
};

// Hooks for other controls' tips: their classes are known to the runtime, and nothing makes them.
class CDKEditTip : public CDKHookWnd {
    DECLARE_DYNAMIC(CDKEditTip)
};

class CDKListBoxTip : public CDKHookWnd {
    DECLARE_DYNAMIC(CDKListBoxTip)
};

class CDKComboBoxTip : public CDKHookWnd {
    DECLARE_DYNAMIC(CDKComboBoxTip)
};

class CDKComboBoxTipHelper : public CComboBox {
    DECLARE_DYNAMIC(CDKComboBoxTipHelper)
};
