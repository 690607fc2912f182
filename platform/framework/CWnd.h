#pragma once
// CWnd: a window object over an HWND. Every window the framework creates or subclasses runs through
// one window procedure (AfxWndProc), which dispatches the object's message map; what the map does
// not handle goes to the window's previous procedure (DefWindowProc).

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CRect.h"
#include "platform/framework/CString.h"
#include "platform/win/windows.h"

#include <cstddef>

class CDC;
class CMenu;
class CFont;
class CScrollBar;
class CFrameWnd;
class CDataExchange;
struct CCreateContext;

namespace pm::afx {
// The handle of a window object that may be null.
HWND safeHwnd(const CWnd* p);
} // namespace pm::afx

// m_nFlags bits.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_OLECTLCONTAINER 0x0100
#define WF_TRACKINGTOOLTIPS 0x0400

// RepositionBars modes.
#define CWnd_reposDefault 0
#define CWnd_reposQuery 1
#define CWnd_reposExtra 2

// WM_SIZEPARENT's data: the layout rectangle still free, and the deferred positions.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// The state the window procedure keeps per thread.
struct AFX_THREAD_STATE {
    MSG m_lastSentMsg{}; // the message being handled (Default() sends it on)
    MSG m_passedOnMsg{}; // a child's notification passed on (PassNotificationOn), reflected already
    MSG m_msgCur{};      // the message the loop is pumping
    CWnd* m_pWndInit = nullptr;
    HHOOK m_hHookOldCbtFilter = nullptr;
    CPoint m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};
AFX_THREAD_STATE* AfxGetThreadState();

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr; // the framework owner (GetOwner), when set
    UINT m_nFlags = 0;
    WNDPROC m_pfnSuper = nullptr; // the procedure before ours
    int m_nModalResult = 0;

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    operator HWND() const { return pm::afx::isNull(this) ? nullptr : m_hWnd; }
    HWND GetSafeHwnd() const { return pm::afx::isNull(this) ? nullptr : m_hWnd; }

    // ---- Handle maps ----
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window through AfxWndProc; its previous procedure becomes m_pfnSuper.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- Creation ----
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // Creates this window from a dialog template as a modeless dialog holding the template's
    // controls; a template with WS_CHILD makes it a child of pParentWnd. WM_INITDIALOG reaches the
    // window's own handlers. FALSE when the template is missing or the window cannot be made.
    BOOL CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // ---- Messages ----
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Sends the message being handled on to DefWindowProc.
    LRESULT Default();
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // Sends a child's notification that this window did not handle on to pTarget (a bar's owner,
    // a container's parent). The child, offered it here, is not offered it again there.
    static LRESULT PassNotificationOn(CWnd* pTarget, UINT message, WPARAM wParam, LPARAM lParam);
    // Walks pMsg's window and its parents up to (not including) hWndStop, giving each permanent
    // object a PreTranslateMessage.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                         BOOL bOnlyPerm);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // ---- Relations ----
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID);
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pm::afx::safeHwnd(pWnd)); }
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    static CWnd* GetCapture();
    CWnd* SetCapture();
    static CWnd* GetDesktopWindow();
    static CWnd* GetForegroundWindow();
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // ---- Styles ----
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds style bits; with nFlags (SWP_FRAMECHANGED ...) the frame is recalculated.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    virtual BOOL IsFrameWnd() const { return FALSE; }

    // ---- Geometry ----
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

    // Lays out the control bars with ids in [nIDFirst, nIDLast] (WM_SIZEPARENT, in Z order), then
    // gives what is left to the window nIDLeftOver. reposQuery only measures into lpRectParam;
    // reposExtra shrinks the client by lpRectClient's borders first.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = CWnd_reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // ---- State ----
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void SetWindowText(LPCSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) {
        ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
    }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // ---- Painting ----
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }

    // ---- Menus, timers, scrolling ----
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) {
        return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
    }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) {
        ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
    }
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // ---- Dialog support ----
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs update handlers for this window's child controls, with pTarget's command routing.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    BOOL ExecuteDlgInit(LPCSTR) { return TRUE; }

    // ---- Tool tips ----
    // The tool under point: fills pTI (when given) and returns its id, or -1 for none. The base
    // answers for child controls with their ids.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // Relays mouse messages to the tool tip and keeps its one tool on the control under the mouse.
    void FilterToolTipMessage(MSG* pMsg);
    static void CancelToolTips(BOOL bKeys = FALSE);
    HWND GetToolTip() const { return m_hWndToolTip; }

    // ---- Handlers the base provides ----
    afx_msg int OnCreate(LPCREATESTRUCT);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT, int, int);
    afx_msg void OnMove(int, int);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*);
    afx_msg void OnTimer(UINT_PTR);
    afx_msg void OnSetFocus(CWnd*);
    afx_msg void OnKillFocus(CWnd*);
    afx_msg void OnActivate(UINT, CWnd*, BOOL);
    afx_msg BOOL OnNcActivate(BOOL);
    afx_msg int OnMouseActivate(CWnd*, UINT, UINT);
    afx_msg void OnShowWindow(BOOL, UINT);
    afx_msg void OnWindowPosChanging(WINDOWPOS*);
    afx_msg void OnWindowPosChanged(WINDOWPOS*);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO*);
    afx_msg void OnLButtonDown(UINT, CPoint);
    afx_msg void OnLButtonUp(UINT, CPoint);
    afx_msg void OnLButtonDblClk(UINT, CPoint);
    afx_msg void OnRButtonDown(UINT, CPoint);
    afx_msg void OnRButtonUp(UINT, CPoint);
    afx_msg void OnRButtonDblClk(UINT, CPoint);
    afx_msg void OnMButtonDown(UINT, CPoint);
    afx_msg void OnMButtonUp(UINT, CPoint);
    afx_msg void OnMouseMove(UINT, CPoint);
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint);
    afx_msg void OnNcLButtonDown(UINT, CPoint);
    afx_msg void OnNcLButtonUp(UINT, CPoint);
    afx_msg void OnNcLButtonDblClk(UINT, CPoint);
    afx_msg void OnNcRButtonDown(UINT, CPoint);
    afx_msg void OnNcRButtonUp(UINT, CPoint);
    afx_msg void OnNcMouseMove(UINT, CPoint);
    afx_msg LRESULT OnNcHitTest(CPoint);
    afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT);
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT);
    afx_msg void OnContextMenu(CWnd*, CPoint);
    afx_msg void OnKeyDown(UINT, UINT, UINT);
    afx_msg void OnKeyUp(UINT, UINT, UINT);
    afx_msg void OnChar(UINT, UINT, UINT);
    afx_msg void OnSysKeyDown(UINT, UINT, UINT);
    afx_msg void OnSysKeyUp(UINT, UINT, UINT);
    afx_msg void OnSysChar(UINT, UINT, UINT);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*);
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*);
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT);
    afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT);
    afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT);
    afx_msg int OnCompareItem(int, LPCOMPAREITEMSTRUCT);
    afx_msg void OnDeleteItem(int, LPDELETEITEMSTRUCT);
    afx_msg void OnInitMenu(CMenu*);
    afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL);
    afx_msg void OnMenuSelect(UINT, UINT, HMENU);
    afx_msg LRESULT OnMenuChar(UINT, UINT, CMenu*);
    afx_msg void OnEnterMenuLoop(BOOL);
    afx_msg void OnExitMenuLoop(BOOL);
    afx_msg void OnSysCommand(UINT, LPARAM);
    afx_msg void OnSettingChange(UINT, LPCSTR);
    afx_msg void OnSysColorChange();
    afx_msg void OnDropFiles(HDROP);
    afx_msg BOOL OnCopyData(CWnd*, COPYDATASTRUCT*);
    afx_msg void OnParentNotify(UINT, LPARAM);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd*);
    afx_msg void OnStyleChanging(int, LPSTYLESTRUCT);
    afx_msg void OnStyleChanged(int, LPSTYLESTRUCT);
    afx_msg void OnChildActivate();
    afx_msg void OnEnable(BOOL);
    afx_msg void OnMDIActivate(BOOL, CWnd*, CWnd*);
    afx_msg void OnSizing(UINT, LPRECT);
    afx_msg void OnMoving(UINT, LPRECT);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL);
    afx_msg void OnActivateApp(BOOL, DWORD);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd*);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
    // The procedure DefWindowProc calls: m_pfnSuper, or the system default.
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

    HWND m_hWndToolTip = nullptr;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    BOOL DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    INT_PTR m_nLastHit = -1;
    TOOLINFO m_lastTool{};
};

// The one window procedure of framework windows.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AfxGetAfxWndProc();
// Subclasses the next window created on this thread to pWnd (a CBT hook for one creation).
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Registers a window class (once) and returns its name: the framework's standard classes share
// AfxWndProc-free default procedures; the name encodes the styles, cursor, brush and icon.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
// The framework's own class names.
extern const char* const AFX_WND;            // "AfxWnd"
extern const char* const AFX_WNDFRAMEORVIEW; // "AfxFrameOrView"
extern const char* const AFX_WNDMDIFRAME;    // "AfxMDIFrame"
extern const char* const AFX_WNDCONTROLBAR;  // "AfxControlBar"

CWnd* AfxGetMainWnd();
// Closes an open combo-box drop-down (the control with the focus or its parent) unless input goes
// to that combo box itself (hWndRcvr).
void AfxCancelModes(HWND hWndRcvr);

// System values the framework's drawing code uses.
struct AUX_DATA {
    int cxBorder2 = 2;
    int cyBorder2 = 2;
};
extern AUX_DATA afxData;
// Moves a window to lpRect (deferred when the layout has a deferral) unless it is there already.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

namespace pm::afx {
// The application's main window was destroyed: the application quits.
void mainWindowDestroyed();
// Registers the framework's standard window classes (once).
void registerStandardClasses();
// How many temporary window objects exist (FromHandle made them; idle time deletes them).
std::size_t temporaryWindowCount();
// The application's PreTranslateMessage (or the main window's walk when there is no application).
BOOL preTranslateForApp(MSG* pMsg);
// The application's title, for message boxes.
CString appTitle();
} // namespace pm::afx
// Whether hWnd's procedure is the framework's.
BOOL AfxIsFrameworkWindow(HWND hWnd);

namespace pm::afx {
// A creation rectangle's size; CW_USEDEFAULT corners give CW_USEDEFAULT sizes.
inline int createWidth(const RECT& rc) {
    return rc.left == CW_USEDEFAULT ? CW_USEDEFAULT : rc.right - rc.left;
}
inline int createHeight(const RECT& rc) {
    return rc.top == CW_USEDEFAULT ? CW_USEDEFAULT : rc.bottom - rc.top;
}
} // namespace pm::afx

inline HWND pm::afx::safeHwnd(const CWnd* p) {
    return p ? p->m_hWnd : nullptr;
}
