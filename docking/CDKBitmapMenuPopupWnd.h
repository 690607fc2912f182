#pragma once
// CDKBitmapMenuPopupWnd: the window that shows a bitmap menu while it is customised. It paints the
// menu's items itself, picks an item with the mouse, opens the menu's context menu on a right
// click, starts a drag when the left button is held, and passes the context menu's commands on.

#include "platform/framework/CGdiObject.h"
#include "platform/framework/CWnd.h"

#include <vector>

class CDKBitmapMenu;

class CDKBitmapMenuPopupWnd : public CWnd {
    DECLARE_DYNAMIC(CDKBitmapMenuPopupWnd)
public:
    enum { kDragTimer = 412, kDragDelay = 200 };

    explicit CDKBitmapMenuPopupWnd(CDKBitmapMenu* pMenu = nullptr);
    ~CDKBitmapMenuPopupWnd() override;

    // Shows the menu's items at a screen point.
    BOOL Create(CWnd* pOwner, CPoint ptScreen);
    virtual CDKBitmapMenu* GetBitmapMenu() const { return m_pMenu; }
    // Lays the items out one under the other and sizes the window to them.
    virtual void RecalcLayout();
    void RedrawItem(int nPosition);
    void CreateMenuFont();
    CRect GetItemRect(int nPosition) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL InCustomizationMode() const;
    void SelectAt(CPoint point);
    void OnPaint();

    CDKBitmapMenu* m_pMenu;
    std::vector<CRect> m_itemRects;
    CFont m_font;
    UINT_PTR m_nDragTimer = 0;
};
