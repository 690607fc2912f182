#pragma once
// CFrameWnd: a frame around views and control bars. It routes commands (active view, itself, the
// application), keeps the title after its document, lays out its bars and view (RecalcLayout),
// shows command prompts in its status bar, runs update handlers for its menus, translates its
// accelerators, and closes after asking its documents.

#include "platform/framework/CControlBar.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/CList.h"
#include "platform/framework/afxres.h"

class CView;
class CDocument;
class CDocTemplate;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// Frame styles.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// The style of a frame's default view (WS_BORDER becomes a client edge).
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// What a frame is created for: the view class to make and the document it shows.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    BOOL m_bAutoMenuEnable = TRUE; // menu items without any handler are disabled
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    int m_nWindow = -1; // the frame's number among its document's frames (-1: the only one)
    BOOL (*m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;
    CPtrList m_listControlBars;
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    UINT m_nIDHelp = 0;
    BOOL m_bHelpMode = FALSE;
    UINT m_nIDTracking = 0;    // the command whose prompt the status bar should show
    UINT m_nIDLastMessage = 0; // the prompt it shows
    CString m_strTitle;
    CRect m_rectBorder;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags = 0;

    // ---- Creation ----
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                        LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);
    using CWnd::Create;
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // ---- Views and documents ----
    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    BOOL IsFrameWnd() const override { return TRUE; }

    // ---- Title, menu, layout ----
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    // ---- Status bar prompts ----
    // The prompt of a command: the part of string nID before its '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    // The window showing prompts (the descendant with id AFX_IDW_STATUS_BAR).
    virtual CWnd* GetMessageBar();

    // ---- Messages ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack > 0; }

    // ---- Control bars and docking (CFrameWndDocking.cpp) ----
    // Creates the dock bars for the sides in dwDockStyle (CBRS_ALIGN_*).
    void EnableDocking(DWORD dwDockStyle);
    // The side under rect (screen coordinates) where a bar of dwDockStyle may dock: its alignment
    // bits, and the dock bar in ppDockBar; 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a mini frame at point (screen coordinates).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void LoadBarState(LPCSTR lpszProfileName);
    void SaveBarState(LPCSTR lpszProfileName) const;
    // Tells the floating frames of this frame's bars about its state (FS_* of WM_FLOATSTATUS).
    void NotifyFloatingWindows(DWORD dwFlags);
    // Destroys the floating frames (the frame is going away).
    void DestroyDockBars();

    // Every frame of the program, for idle updates.
    static const CPtrList& AllFrames();

    // ---- Context help (CFrameWndHelp.cpp) ----
    // In help mode a command from a menu or a key shows its help instead of running.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // One message of the help-mode loop, still in the queue: FALSE ends help mode, with the help
    // context of what was clicked in *pContext (-1: the default help), or 0 for no help.
    virtual BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);
    // The help context of a point (screen) in a window of the frame: the first answer of
    // WM_HELPHITTEST from the window up to the frame, else -1.
    DWORD MapClientArea(HWND hWndHit, CPoint point);
    // Ends help mode at the loop's next message.
    void ExitHelpMode();

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void BringToTop(int nCmdShow);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    // Files dropped on the frame open as File > Open opens them, in the order given.
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Runs help mode; a frame that offers it maps ID_CONTEXT_HELP here.
    afx_msg void OnContextHelp();
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    CView* m_pViewActive = nullptr;
    BOOL m_bInRecalcLayout = FALSE;
    int m_cModalStack = 0;
    HMENU m_hMenuAlt = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Keeps the frame a command is being routed through, for GetRoutingFrame.
class CPushRoutingFrame {
public:
    explicit CPushRoutingFrame(CFrameWnd* pNewFrame);
    ~CPushRoutingFrame();
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    CFrameWnd* m_pOldFrame;
};

namespace pm::afx {
CFrameWnd* routingFrame();
} // namespace pm::afx
