// CFrameWnd: creation from resources, command routing, titles, layout, prompts, menus and closing.

#include "platform/framework/CFrameWnd.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CMiniFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameworkStrings.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

CPtrList& frameList() {
    static CPtrList frames;
    return frames;
}

CFrameWnd* currentRoutingFrame = nullptr;

} // namespace

CFrameWnd* pm::afx::routingFrame() {
    return currentRoutingFrame;
}

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* pNewFrame) : m_pOldFrame(currentRoutingFrame) {
    currentRoutingFrame = pNewFrame;
}

CPushRoutingFrame::~CPushRoutingFrame() {
    currentRoutingFrame = m_pOldFrame;
}

CFrameWnd::CFrameWnd() {
    frameList().AddTail(this);
}

CFrameWnd::~CFrameWnd() {
    if (POSITION pos = frameList().Find(this)) frameList().RemoveAt(pos);
    // The default menu is the frame's: a window destroyed with another menu in its place (a
    // document's shared menu, put there while the frame's windows went) leaves it to the frame.
    if (m_hMenuDefault && ::IsMenu(m_hMenuDefault)) ::DestroyMenu(m_hMenuDefault);
}

const CPtrList& CFrameWnd::AllFrames() {
    return frameList();
}

// ---- Creation ----

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AFX_WNDFRAMEORVIEW;
    if ((cs.style & FWS_ADDTOTITLE) && !(cs.style & WS_CHILD)) cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_WINDOWEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
    HMENU hMenu = nullptr;
    if (lpszMenuName) {
        hMenu = ::LoadMenuA(nullptr, lpszMenuName);
        if (!hMenu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  pm::afx::createWidth(rect), pm::afx::createHeight(rect), pm::afx::safeHwnd(pParentWnd),
                  hMenu, pContext)) {
        if (hMenu) ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
    if (m_hAccelTable) return FALSE;
    m_hAccelTable = ::LoadAccelerators(nullptr, lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString full;
    if (full.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, full, 0);
    pm::afx::registerStandardClasses();
    HICON icon = ::LoadIcon(nullptr, MAKEINTRESOURCE(nIDResource));
    LPCSTR cls =
        icon ? AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon)
             : nullptr;
    CString title = m_strTitle;
    if (!Create(cls, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0,
                pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, pContext)) return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass) return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    // A view that fails deletes itself in PostNcDestroy.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}

// ---- Views and documents ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) return;
    m_pViewActive = nullptr;
    if (pViewOld) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    // The old view's handler may have activated another one; that one stays.
    if (m_pViewActive) return;
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = nullptr;
    if (!GetActiveView()) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView) pView->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView) pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::BringToTop(int nCmdShow) {
    if (nCmdShow == SW_HIDE || nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINNOACTIVE ||
        nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE)
        return;
    ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow == -1) return;
    ShowWindow(nCmdShow);
    BringToTop(nCmdShow);
}

// ---- Title, menu, layout ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* pDocument = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDocument ? static_cast<LPCSTR>(pDocument->GetTitle())
                                                         : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
    CString text;
    if (!lpszDocName) {
        text = m_strTitle;
    } else {
        CString doc(lpszDocName);
        if (m_nWindow > 0) doc.AppendFormat(":%d", m_nWindow);
        if (GetStyle() & FWS_PREFIXTITLE)
            text = m_strTitle.IsEmpty() ? doc : doc + " - " + m_strTitle;
        else
            text = m_strTitle.IsEmpty() ? doc : m_strTitle + " - " + doc;
    }
    CString current;
    GetWindowText(current);
    if (current != text) SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (!hMenuAlt) {
        if (CDocument* pDoc = GetActiveDocument()) hMenuAlt = pDoc->GetDefaultMenu();
        if (!hMenuAlt) hMenuAlt = m_hMenuDefault;
    }
    if (hMenuAlt && ::GetMenu(m_hWnd) != hMenuAlt) ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt) {
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

HACCEL CFrameWnd::GetDefaultAccelerator() {
    if (CDocument* pDoc = GetActiveDocument())
        if (HACCEL hAccel = pDoc->GetDefaultAccelerator()) return hAccel;
    return m_hAccelTable;
}

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The frame takes the size its bars ask for (floating bars' mini frames).
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd_reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

// ---- Prompts ----

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    CString full = AfxLoadString(nID);
    int newline = full.Find('\n');
    rMessage = newline >= 0 ? full.Left(newline) : full;
}

CWnd* CFrameWnd::GetMessageBar() {
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) {
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    UINT last = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CWnd* pBar = GetMessageBar();
    if (!pBar) return last;
    CString message;
    if (lParam)
        message = reinterpret_cast<LPCSTR>(lParam);
    else if (wParam)
        GetMessageString(static_cast<UINT>(wParam), message);
    pBar->SetWindowText(message);
    return last;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        // The menu closed: back to the idle prompt.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        m_nIDTracking = ((nItemID - 0xF000) >> 4) + AFX_IDS_SCSIZE;
    } else if (nItemID >= AFX_IDM_FIRST_MDICHILD) {
        m_nIDTracking = AFX_IDS_MDICHILD;
    } else {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::OnExitMenuLoop(BOOL) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
    SetActiveWindow();
    // The names are taken and the handle released first: opening may ask the user (a nested loop).
    std::vector<CString> files;
    const UINT count = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFile(hDropInfo, i, nullptr, 0);
        std::vector<char> name(length + 1);
        ::DragQueryFile(hDropInfo, i, name.data(), length + 1);
        files.emplace_back(name.data());
    }
    ::DragFinish(hDropInfo);
    CWinApp* pApp = AfxGetApp();
    for (const CString& file : files)
        if (pApp) pApp->OpenDocumentFile(file);
}

// ---- Commands and messages ----

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CPushRoutingFrame push(this);
    CView* pView = GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_EXITMENULOOP()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

void CFrameWnd::OnDestroy() {
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) pApp->WinHelp(0, HELP_QUIT);
    DestroyDockBars();
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
    if (m_lpfnCloseProc && !m_lpfnCloseProc(this)) return;
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this)) return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        if (!pDocument && !pApp->SaveAllModified()) return;
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        // Closing the documents may have destroyed the main window already.
        if (!pApp->m_pMainWnd) {
            AfxPostQuitMessage(0);
            return;
        }
    }
    if (pDocument && pDocument->m_bAutoDelete) {
        bool otherFrame = false;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos;) {
            if (pDocument->GetNextView(pos)->GetParentFrame() != this) {
                otherFrame = true;
                break;
            }
        }
        if (!otherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
    CFrameWnd* pActiveFrame = GetActiveFrame();
    CView* pView = pActiveFrame ? pActiveFrame->GetActiveView() : nullptr;
    if (nState != WA_INACTIVE && !bMinimized && pView) pView->OnActivateView(TRUE, pView, pView);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    // The view covers the client; erasing under it would only flicker.
    if (m_pViewActive) return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
    AfxCancelModes(m_hWnd);
    if (bSysMenu) return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    pm::afx::updateMenuItems(state, this, m_bAutoMenuEnable);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    UINT flags = m_nIdleFlags;
    m_nIdleFlags = 0;
    if (flags & idleMenu) OnUpdateFrameMenu(m_hMenuAlt);
    if (flags & idleTitle) OnUpdateFrameTitle(TRUE);
    if (flags & idleLayout) {
        RecalcLayout((flags & idleNotify) != 0);
        UpdateWindow();
    }
    return 0;
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    if (CControlBar* pControlBar = GetControlBar(nID)) {
        ShowControlBar(pControlBar, (pControlBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
        return TRUE;
    }
    // A control bar that is not this frame's belongs to the frame it docks in, which toggles it.
    CWnd* pBar = GetDescendantWindow(static_cast<int>(nID), TRUE);
    if (!pBar || pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) return FALSE;
    pBar->ShowWindow(pBar->IsWindowVisible() ? SW_HIDE : SW_SHOWNA);
    if (CFrameWnd* pFrame = pBar->GetParentFrame()) pFrame->RecalcLayout();
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CWnd* pBar = GetDescendantWindow(static_cast<int>(pCmdUI->m_nID), TRUE);
    if (!pBar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsWindowVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if (info->uFlags & TTF_IDISHWND) nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    if (nID == 0) return FALSE;
    // The tip is the part of the command's string after its '\n'.
    CString full = AfxLoadString(static_cast<UINT>(nID));
    int newline = full.Find('\n');
    static CString tip;
    tip = newline >= 0 ? full.Mid(newline + 1) : full;
    info->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(tip));
    if (pResult) *pResult = 0;
    return TRUE;
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
    if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    return TRUE;
}

void CFrameWnd::BeginModalState() {
    if (m_cModalStack++ == 0) EnableWindow(FALSE);
}

void CFrameWnd::EndModalState() {
    if (m_cModalStack == 0) return;
    if (--m_cModalStack == 0) EnableWindow(TRUE);
}
