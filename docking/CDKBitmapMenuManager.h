#pragma once
// CDKBitmapMenuManager: gives a frame's popup menus the images of its tool bars and a recently-used
// behaviour. It subclasses the frame; each popup about to open is wrapped in a CDKBitmapMenu whose
// items become owner-drawn, the items not recently used are hidden behind an expansion item, and a
// chosen command becomes recently used again. Hidden submenus are kept in the profile beside the
// menu bar's menus.

#include "docking/CDKBitmapMenu.h"
#include "platform/framework/CImageList.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

class CArchive;
class CFrameWnd;

#define WM_BITMAPMENU_RECENTLYUSEDCHANGED 0x8156

class CDKBitmapMenuManager : public CObject {
public:
    CDKBitmapMenuManager();
    ~CDKBitmapMenuManager() override;

    static CDKBitmapMenuManager* FindManager(HWND hWndFrame);

    BOOL AttachFrameWnd(CFrameWnd* pFrame);
    CFrameWnd* DetachFrameWnd();
    BOOL SetMenuImagesFromToolBars();

    virtual CDKBitmapMenu* ConvertPopupMenu(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    virtual LRESULT OnMenuChar(UINT nChar, UINT nFlags, HMENU hMenu);
    virtual BOOL OnMeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    virtual void PreparePopupMenu(CDKBitmapMenu* pMenu, BOOL bFirst);
    // Gives the menu back its hidden items and plain items (with their texts when bTexts) and deletes
    // the menu object; the Windows menu stays.
    virtual void RestorePopupMenu(CDKBitmapMenu* pMenu, BOOL bTexts);
    virtual void SetRecentlyUsedEnabled(BOOL bEnabled);
    virtual BOOL HideCommand(UINT nID);
    virtual BOOL HideSubmenu(HMENU hMenu);
    virtual BOOL ShowCommand(UINT nID);
    virtual BOOL ShowSubmenu(HMENU hMenu);
    // The hidden commands: a count, then the command ids.
    virtual void SaveHiddenCommands(CArchive& ar);
    // Reads hidden commands; FALSE, with the hidden set unchanged, for damaged data.
    virtual BOOL LoadHiddenCommands(CArchive& ar);
    virtual void SaveHiddenSubmenus(CArchive& ar, HMENU hRoot);
    // Reads the hidden submenus of hRoot, which replace those it had (other menus keep theirs);
    // FALSE, with the hidden set unchanged, for damaged data.
    virtual BOOL LoadHiddenSubmenus(CArchive& ar, HMENU hRoot);

    BOOL IsItemRecentlyUsed(HMENU hMenu, int nPosition) const;
    void MakeItemNotRecentlyUsed(HMENU hMenu, int nPosition);
    void MakeItemRecentlyUsed(HMENU hMenu, int nPosition);
    void SaveRecentlyUsedState(HMENU hRoot, LPCSTR lpszSection);
    void LoadRecentlyUsedState(HMENU hRoot, LPCSTR lpszSection);
    // Customisation mode has no caller in the application; tests and owners reach it here.
    void SetCustomizationMode(BOOL bOn, HWND hWndNotify);
    const MenuImageInfo* GetImageInfo(UINT nID) const;
    // A popup made for a menu of the frame's, destroyed with the organiser.
    void AddCreatedMenu(HMENU hMenu) { m_createdMenus.push_back(hMenu); }
    BOOL IsConverted(HMENU hMenu) const;

    BOOL m_bRecentlyUsedEnabled = TRUE;
    BOOL m_bCustomizationMode = FALSE;
    HWND m_hWndNotify = nullptr;
    BOOL m_bExpanding = FALSE;

protected:
    struct HiddenItem {
        int nPosition;
        MENUITEMINFOA info;
        CString strText;
    };
    static LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT result);
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(HMENU hMenu);
    void OnCommand(UINT nID);
    void Expand();
    void TrimPopupStack();
    // Closes the popups opened from the one at nDepth (counted from 1).
    void ClosePopupsFrom(int nDepth);
    void RestoreAll(BOOL bTexts);
    void DeleteImages();
    MenuImageInfo* PlaceholderInfo(UINT nID);
    HMENU CopySubmenu(HMENU hMenu);
    BOOL FindPath(HMENU hRoot, HMENU hTarget, std::vector<int>& path) const;
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    void InstallHooks();
    void RemoveHooks();
    CDKBitmapMenu* ConvertedMenu(HMENU hMenu) const;

    std::vector<std::unique_ptr<CImageList>> m_imageLists; // one per tool bar
    std::map<UINT, std::unique_ptr<MenuImageInfo>> m_imageInfos;
    CImageList m_checkMarks;
    CFrameWnd* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
    WNDPROC m_pfnPrevious = nullptr;
    std::vector<std::unique_ptr<CDKBitmapMenu>> m_convertedMenus;
    std::set<UINT> m_hiddenCommands;
    std::set<HMENU> m_hiddenSubmenus;
    std::map<CDKBitmapMenu*, std::vector<HiddenItem>> m_hiddenItems;
    std::vector<HMENU> m_popupStack;
    int m_nDepth = 0;
    std::map<HMENU, HWND> m_popupWindows;
    std::vector<HMENU> m_createdMenus;
    // The item the menu loop last highlighted (WM_MENUSELECT), in case the menu does not mark it.
    HMENU m_hSelectedMenu = nullptr;
    UINT m_nSelectedItem = 0;
};
