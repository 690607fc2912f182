#pragma once
// CDKMenuBar: a frame's menu shown as a dockable tool bar. Each top-level item is a drop-down text
// button; a click or a key opens the item's popup in the platform's menu loop, and the frame gets
// the menu-loop messages a window menu would send. With a maximised MDI child the bar shows the
// child's icon (its system menu) at its start and its caption buttons at its end. Menus changed by
// customisation are kept in the profile per document type.

#include "docking/CDKCoolToolBar.h"

#include <map>
#include <vector>

class CDocTemplate;
class CDocument;
class CMDIChildWnd;
class CArchive;

#define WM_MENUBAR_OPENPOPUP 0x810B
#define WM_MENUBAR_SAVED 0x8154
#define WM_MENUBAR_LOADED 0x8155

// The popup a menu bar in customisation mode asks its owner to show (ID_MENUBAR_DROPDOWN): the
// menu and where TrackPopupMenu would have shown it.
struct MenuBarDropDown {
    HMENU hMenu;
    UINT nFlags;
    int x, y;
};

class CDKMenuBar : public CDKCoolToolBar {
    DECLARE_DYNAMIC(CDKMenuBar)
public:
    // Hit codes of HitTest besides button indexes.
    enum { hitNothing = -1, hitMinimize = -2, hitRestore = -3, hitClose = -4, hitIcon = -5 };
    // Coordinates of the point given to HitTest.
    enum { coordClient = 0, coordScreen = 1, coordWindow = 2 };

    CDKMenuBar();
    ~CDKMenuBar() override;

    BOOL Create(CWnd* pFrame, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR + 5);

    BOOL SetMenu(HMENU hMenu);
    HMENU GetMenu() const { return m_hMenu; }
    BOOL UpdateMenuButtons(BOOL bRelayout);
    int HitTest(CPoint point, int nCoordinates) const;
    // A key the frame's keyboard hook saw (0: Alt released alone); TRUE when the bar used it.
    BOOL HandleMenuKey(UINT nKey);
    void OpenPopup(int nIndex);
    void ClosePopup();
    BOOL SetKeyboardMode(BOOL bOn, int nIndex);
    void UpdateMDIIcon(BOOL bRelayout);
    void UpdateFont(BOOL bRelayout);
    // The room the icon and the caption buttons take along the bar; lays the buttons out.
    int CalcMDIButtons();
    virtual void DrawMDIButtons(CDC* pDC);
    int PrevButton(int nIndex, BOOL bCheck) const;
    int NextButton(int nIndex, BOOL bCheck) const;
    // The pointer moved while a popup is open (screen point): over another button, that button's
    // popup follows the open one.
    void OnMenuMouseMove(CPoint ptScreen);

    // ---- Profile ----
    BOOL IsCustomizable(BOOL bAdvanced) const override { return bAdvanced; }
    BOOL SaveBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties) override;
    BOOL LoadBarState(LPCSTR, LPCSTR, BOOL) override { return TRUE; }
    BOOL ShowButtonContextMenu(int nIndex, int x, int y) override;
    BOOL SaveMenuState(HMENU hMenu, LPCSTR lpszName);
    BOOL LoadMenuState(HMENU hMenu, LPCSTR lpszName);
    void StoreMenu(HMENU hMenu, CArchive& ar);
    // Rebuilds hMenu from a stored tree; FALSE, with the menu untouched, for damaged data.
    BOOL LoadMenu(HMENU hMenu, CArchive& ar);
    static CString MenuSection(LPCSTR lpszName);

    CSize CalcLayout(DWORD nMode, int nLength = -1) override;
    // The length the bar takes along its frame (bHorz: the width), borders included.
    int GetFrameExtent(BOOL bHorz) const;
    void CalcExtraExtent(RECT& margins, int nHorz) const override;
    void CalcExtraOffset(CDC* pDC, CRect& rect) override;
    void OnDockSideChanged(DWORD dwSide) override;
    BOOL DeleteButton(int nIndex) override;
    void OnFloatingStateChanged(BOOL bFloating) override;
    // Inserts items read from tool-bar drag data at pCursor (not past pEnd) into hMenu from
    // nPosition on, moving pCursor after them; FALSE, with nothing inserted, for damaged data.
    virtual BOOL CreateMenuFromData(const BYTE*& pCursor, const BYTE* pEnd, HMENU hMenu, int nPosition);

    // The pointer held on a button in customisation mode: after this long the parent is told of a
    // drag of it.
    enum { kHoldTimer = 412, kHoldDelay = 500 };

    // Members the frame reads and writes.
    HMENU m_hWindowMenu = nullptr;
    HMENU m_hMenu = nullptr;
    int m_nOpenPopup = -1;
    int m_nNextPopup = -1;
    int m_nJustClosed = -1;
    BOOL m_bFullLength = FALSE;
    BOOL m_bEscape = FALSE;
    BOOL m_bStretch = TRUE;
    BOOL m_bKeyboardMode = FALSE;
    CWnd* m_pFrame = nullptr;
    std::map<HMENU, BOOL> m_modifiedMenus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnButtonDropDown(NMTOOLBARA* pNotify, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

private:
    int ButtonCount() const { return static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0)); }
    CMDIChildWnd* ActiveMaximizedChild() const;
    void SendToFrame(UINT message, WPARAM wParam, LPARAM lParam);
    void OnOpenPopupMessage(WPARAM wParam);
    CRect ButtonScreenRect(int nIndex) const;
    CString DocumentNameForMenu(HMENU hMenu) const;
    CDocument* ActiveDocument() const;
    LRESULT OnNcLButtonDown(UINT nHit, CPoint ptScreen);
    void OnLButtonDown(CPoint ptClient);
    void OnHoldTimer();
    BOOL OnCaptionButtonUp(CPoint ptClient);
    void TrackCaptionButton(CPoint ptClient);

    std::multimap<char, int> m_mnemonics; // letter to button, in button order
    // The popup about to open was asked for from the keyboard: it opens with its first item
    // selected, so that Enter chooses it.
    BOOL m_bSelectFirstItem = FALSE;
    CRect m_rcClose, m_rcRestore, m_rcMinimize;
    int m_nPressedMDIButton = -1;  // shown pressed: follows the pointer while the button is held
    int m_nCapturedMDIButton = -1; // the caption button the press was on
    HFONT m_hMenuFont = nullptr;
    BOOL m_bInitialized = FALSE;
    std::map<HMENU, CDocTemplate*> m_menuTemplates;
    std::vector<HMENU> m_createdPopups;
    HWND m_hWndFocusBefore = nullptr;
    UINT_PTR m_nHoldTimer = 0;
    int m_nHoldButton = -1;
};
