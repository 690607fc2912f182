#pragma once
// CDKBitmapMenu: an owner-drawn popup menu. Each item shows its image from the frame's tool bars
// (or the check mark), its label and its shortcut in a column of their own; separators are etched
// bands, and the expansion item (0xFF56) shows an arrow. Items that are not recently used are
// painted on a checkerboard. In customisation mode it marks a chosen item and an insert place and
// offers a context menu of its own.

#include "docking/CDKDropSourceHelper.h"
#include "docking/CDKDropTargetHelper.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CRect.h"

#include <map>
#include <memory>
#include <vector>

class CDC;
class CImageList;
class CDKBitmapMenuPopupWnd;
class CDKBitmapMenuManager;

#define ID_BITMAPMENU_EXPAND 0xFF56
// Customisation notification (WM_NOTIFY code) and the operations it names.
#define BMN_CUSTOMIZE 32939
#define ID_BITMAPMENU_CUSTOMIZEDITEM 32988
#define ID_BITMAPMENU_INSERTMARK 32991
#define ID_BITMAPMENU_DELETE 32999
#define ID_BITMAPMENU_APPEARANCE 33000
#define ID_BITMAPMENU_SEPARATORBEFORE 33001
#define ID_BITMAPMENU_SEPARATORAFTER 33002
#define ID_BITMAPMENU_RECENTLYUSED 33003

// Where an item's image is: a list and an index; a placeholder is the organiser's check mark.
struct MenuImageInfo {
    CImageList* pImageList = nullptr;
    int nImage = -1;
    BOOL bPlaceholder = FALSE;
    int nHotImage = -1;
};

// The data of an owner-drawn item: its image and its text ("label\tshortcut").
struct BitmapMenuItem {
    MenuImageInfo* pImageInfo = nullptr;
    CString strText;
};

struct BitmapMenuNotify {
    NMHDR hdr;
    int nOperation;
};

class CDKBitmapMenu : public CMenu {
    DECLARE_DYNAMIC(CDKBitmapMenu)
public:
    // Draw-state flags of the menu's own, beside ODS_SELECTED, ODS_DISABLED and ODS_CHECKED.
    enum { stateNotRecent = 0x1000, stateAboveRecent = 0x2000, stateBelowRecent = 0x4000 };
    // Layout constants.
    enum {
        kImageGap = 2,
        kImageLabelGap = 4,
        kLabelShortcutGap = 2,
        kShortcutEndGap = 3,
        kTextExtra = 4,
        kImageExtra = 3,
        kSeparatorHeight = 8,
        kFrameOutset = 2
    };

    CDKBitmapMenu();
    ~CDKBitmapMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    void AddItemData(BitmapMenuItem* pItem);
    void CalcExtents();
    // The position of the item at point (y from the top of the items), -1 past the last.
    int HitTest(POINT point, BOOL* pUpperHalf = nullptr);
    int SetCustomizedItem(int nPosition);
    int SetInsertMark(int nPosition);
    int GetCustomizedItem() const { return m_nCustomizedItem; }
    int GetInsertMark() const { return m_nInsertMark; }
    void Refresh();
    // The update pass of the frame's handlers over the items before the popup opens; texts set by
    // a handler go to the owner-drawn items' data. Nothing for a system menu.
    void UpdateMenuUI(CWnd* pFrame, UINT nIndex, BOOL bSysMenu);

    // ---- Customisation ----
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual BOOL ShowCustomizeMenu(int nPosition, int x, int y);
    virtual CDKBitmapMenuPopupWnd* GetPopupWnd() const { return m_pPopupWnd; }
    // The drag objects; a drag from the menu is owned by its popup window.
    virtual CDKDropSourceHelper* GetDragSource();
    virtual CDKDropTargetHelper* GetDropTarget() { return &m_dropTarget; }
    virtual void OnBeginDrag(int nPosition);
    // A drag over the menu's popup window (only while the menu is customisable): nothing is taken.
    virtual BOOL OnDragEnter(DKDROPTARGETPARAMS* pParams);
    virtual BOOL OnDragOver(DKDROPTARGETPARAMS* pParams);
    virtual BOOL OnDragLeave();
    virtual BOOL OnDrop(DKDROPTARGETPARAMS* pParams);
    // Inserts items read from tool-bar drag data at pCursor (not past pEnd) into hMenu from
    // nPosition on, moving pCursor after them; an item without a text takes its command's string.
    // FALSE, with nothing inserted, for damaged data.
    virtual BOOL InsertDroppedItems(const BYTE*& pCursor, const BYTE* pEnd, HMENU hMenu, int nPosition);
    virtual void OnCustomizeDelete();
    virtual void OnCustomizeAppearance();
    virtual void OnCustomizeSeparatorBefore();
    virtual void OnCustomizeSeparatorAfter();
    virtual void OnCustomizeRecentlyUsed();

    std::map<char, int> m_mnemonics;
    int m_nWidestImage = 0;
    int m_nTextHeight = 0;
    int m_nWidestShortcut = 0;
    int m_nWidestLabel = 0;
    BOOL m_bCustomizable = FALSE;
    BOOL m_bCustomizationMode = FALSE;
    HWND m_hWndNotify = nullptr;
    BOOL m_bDragStarted = FALSE;
    BOOL m_bDragOver = FALSE;
    CDKBitmapMenuPopupWnd* m_pPopupWnd = nullptr;

protected:
    struct ItemRects {
        CRect frame, image, label, shortcut;
    };
    virtual ItemRects CalcItemRects(UINT nState, const MenuImageInfo* pInfo, const CRect& item) const;
    virtual void DrawBackground(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& item,
                                const CRect& frame);
    virtual void DrawButton(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& frame);
    virtual void DrawImage(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const CRect& image);
    virtual void DrawItemText(CDC* pDC, UINT nState, const CString& text, const CRect& label,
                              const CRect& shortcut);
    virtual void DrawSeparator(CDC* pDC, const CRect& item);
    virtual void DrawCustomizedFrame(CDC* pDC, const CRect& item);
    virtual void DrawInsertMark(CDC* pDC, const CRect& item, BOOL bTop);
    virtual void DrawSubmenuItem(CDC* pDC, UINT nState, const MenuImageInfo* pInfo, const ItemRects& rects,
                                 const CString& text, const CRect& item);
    virtual void DrawExpansionItem(CDC* pDC, UINT nState, const CRect& item);

    // Sends the customisation notification; TRUE when the receiver cancels the operation.
    BOOL Notify(int nOperation);
    UINT TextColour(UINT nState) const;
    int ItemCount() const { return static_cast<int>(GetMenuItemCount()); }
    BOOL IsSeparatorAt(int nPosition) const;

    int m_nCustomizedItem = -1;
    int m_nInsertMark = -1;
    std::vector<std::unique_ptr<BitmapMenuItem>> m_items;
    CDKDropSourceHelper m_dragSource;
    CDKDropTargetHelper m_dropTarget;
};
