#pragma once
// The entry macros below are laid out by hand, a line per entry.
// clang-format off
// The ON_WM_ entries: each unpacks its message's parameters and calls the handler with the
// framework's signature (CWnd*, CDC*, CMenu* and CPoint where the message carries them). The
// handlers' names are fixed: ON_WM_SIZE calls OnSize, and so on.

#define PM_ON_WM(message, ...)                                                                               \
    {message, 0, 0, 0, AfxEntry::Message, nullptr, PM_THUNK { __VA_ARGS__; return TRUE; }},

#define PM_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))
#define PM_LPOINT CPoint(c_.lParam)

#define ON_WM_CREATE() PM_ON_WM(WM_CREATE, PM_RESULT(PM_THIS->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c_.lParam))))
#define ON_WM_NCCREATE()                                                                                     \
    PM_ON_WM(WM_NCCREATE, PM_RESULT(PM_THIS->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(c_.lParam))))
#define ON_WM_DESTROY() PM_ON_WM(WM_DESTROY, PM_THIS->OnDestroy())
#define ON_WM_NCDESTROY() PM_ON_WM(WM_NCDESTROY, PM_THIS->OnNcDestroy())
#define ON_WM_CLOSE() PM_ON_WM(WM_CLOSE, PM_THIS->OnClose())
#define ON_WM_SIZE() PM_ON_WM(WM_SIZE, PM_THIS->OnSize((UINT)c_.wParam, (short)LOWORD(c_.lParam), (short)HIWORD(c_.lParam)))
#define ON_WM_SIZING() PM_ON_WM(WM_SIZING, PM_THIS->OnSizing((UINT)c_.wParam, reinterpret_cast<LPRECT>(c_.lParam)); PM_RESULT(TRUE))
#define ON_WM_MOVE() PM_ON_WM(WM_MOVE, PM_THIS->OnMove((short)LOWORD(c_.lParam), (short)HIWORD(c_.lParam)))
#define ON_WM_MOVING() PM_ON_WM(WM_MOVING, PM_THIS->OnMoving((UINT)c_.wParam, reinterpret_cast<LPRECT>(c_.lParam)); PM_RESULT(TRUE))
#define ON_WM_PAINT() PM_ON_WM(WM_PAINT, PM_THIS->OnPaint())
#define ON_WM_NCPAINT() PM_ON_WM(WM_NCPAINT, PM_THIS->OnNcPaint())
#define ON_WM_ERASEBKGND()                                                                                   \
    PM_ON_WM(WM_ERASEBKGND, PM_RESULT(PM_THIS->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(c_.wParam)))))
#define ON_WM_TIMER() PM_ON_WM(WM_TIMER, PM_THIS->OnTimer((UINT_PTR)c_.wParam))
#define ON_WM_SETFOCUS() PM_ON_WM(WM_SETFOCUS, PM_THIS->OnSetFocus(PM_WND(c_.wParam)))
#define ON_WM_KILLFOCUS() PM_ON_WM(WM_KILLFOCUS, PM_THIS->OnKillFocus(PM_WND(c_.wParam)))
#define ON_WM_ENABLE() PM_ON_WM(WM_ENABLE, PM_THIS->OnEnable((BOOL)c_.wParam))
#define ON_WM_SHOWWINDOW() PM_ON_WM(WM_SHOWWINDOW, PM_THIS->OnShowWindow((BOOL)c_.wParam, (UINT)c_.lParam))
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    PM_ON_WM(WM_WINDOWPOSCHANGING, PM_THIS->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(c_.lParam)))
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    PM_ON_WM(WM_WINDOWPOSCHANGED, PM_THIS->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(c_.lParam)))
#define ON_WM_GETMINMAXINFO()                                                                                \
    PM_ON_WM(WM_GETMINMAXINFO, PM_THIS->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c_.lParam)))
#define ON_WM_STYLECHANGING()                                                                                \
    PM_ON_WM(WM_STYLECHANGING, PM_THIS->OnStyleChanging((int)c_.wParam, reinterpret_cast<LPSTYLESTRUCT>(c_.lParam)))
#define ON_WM_STYLECHANGED()                                                                                 \
    PM_ON_WM(WM_STYLECHANGED, PM_THIS->OnStyleChanged((int)c_.wParam, reinterpret_cast<LPSTYLESTRUCT>(c_.lParam)))

#define ON_WM_ACTIVATE()                                                                                     \
    PM_ON_WM(WM_ACTIVATE, PM_THIS->OnActivate(LOWORD(c_.wParam), PM_WND(c_.lParam), (BOOL)HIWORD(c_.wParam)))
#define ON_WM_ACTIVATEAPP() PM_ON_WM(WM_ACTIVATEAPP, PM_THIS->OnActivateApp((BOOL)c_.wParam, (DWORD)c_.lParam))
#define ON_WM_NCACTIVATE() PM_ON_WM(WM_NCACTIVATE, PM_RESULT(PM_THIS->OnNcActivate((BOOL)c_.wParam)))
#define ON_WM_MOUSEACTIVATE()                                                                                \
    PM_ON_WM(WM_MOUSEACTIVATE,                                                                               \
             PM_RESULT(PM_THIS->OnMouseActivate(PM_WND(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam))))
#define ON_WM_CHILDACTIVATE() PM_ON_WM(WM_CHILDACTIVATE, PM_THIS->OnChildActivate())
#define ON_WM_MDIACTIVATE()                                                                                  \
    PM_ON_WM(WM_MDIACTIVATE, PM_THIS->OnMDIActivate(PM_THIS->m_hWnd == reinterpret_cast<HWND>(c_.lParam),    \
                                                    PM_WND(c_.lParam), PM_WND(c_.wParam)))
#define ON_WM_CANCELMODE() PM_ON_WM(WM_CANCELMODE, PM_THIS->OnCancelMode())
#define ON_WM_CAPTURECHANGED() PM_ON_WM(WM_CAPTURECHANGED, PM_THIS->OnCaptureChanged(PM_WND(c_.lParam)))

#define PM_ON_MOUSE(message, fn) PM_ON_WM(message, PM_THIS->fn((UINT)c_.wParam, PM_LPOINT))
#define ON_WM_LBUTTONDOWN() PM_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() PM_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() PM_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() PM_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() PM_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() PM_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() PM_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() PM_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() PM_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                                   \
    PM_ON_WM(WM_MOUSEWHEEL,                                                                                  \
             PM_RESULT(PM_THIS->OnMouseWheel(LOWORD(c_.wParam), (short)HIWORD(c_.wParam), PM_LPOINT)))
#define PM_ON_NCMOUSE(message, fn) PM_ON_WM(message, PM_THIS->fn((UINT)c_.wParam, PM_LPOINT))
#define ON_WM_NCLBUTTONDOWN() PM_ON_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() PM_ON_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() PM_ON_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() PM_ON_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() PM_ON_NCMOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMOUSEMOVE() PM_ON_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCHITTEST() PM_ON_WM(WM_NCHITTEST, PM_RESULT(PM_THIS->OnNcHitTest(PM_LPOINT)))
#define ON_WM_NCCALCSIZE()                                                                                   \
    PM_ON_WM(WM_NCCALCSIZE,                                                                                  \
             PM_THIS->OnNcCalcSize((BOOL)c_.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(c_.lParam)))
#define ON_WM_SETCURSOR()                                                                                    \
    PM_ON_WM(WM_SETCURSOR, PM_RESULT(PM_THIS->OnSetCursor(PM_WND(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam))))
#define ON_WM_CONTEXTMENU() PM_ON_WM(WM_CONTEXTMENU, PM_THIS->OnContextMenu(PM_WND(c_.wParam), PM_LPOINT))

#define PM_ON_KEY(message, fn)                                                                               \
    PM_ON_WM(message, PM_THIS->fn((UINT)c_.wParam, LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_KEYDOWN() PM_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() PM_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() PM_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() PM_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() PM_ON_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() PM_ON_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() PM_ON_WM(WM_GETDLGCODE, PM_RESULT(PM_THIS->OnGetDlgCode()))

#define ON_WM_HSCROLL()                                                                                      \
    PM_ON_WM(WM_HSCROLL, PM_THIS->OnHScroll(LOWORD(c_.wParam), (short)HIWORD(c_.wParam),                     \
                                            reinterpret_cast<CScrollBar*>(PM_WND(c_.lParam))))
#define ON_WM_VSCROLL()                                                                                      \
    PM_ON_WM(WM_VSCROLL, PM_THIS->OnVScroll(LOWORD(c_.wParam), (short)HIWORD(c_.wParam),                     \
                                            reinterpret_cast<CScrollBar*>(PM_WND(c_.lParam))))

// Every WM_CTLCOLOR* message reaches this entry; nCtlColor says which (CTLCOLOR_EDIT ...).
#define ON_WM_CTLCOLOR()                                                                                     \
    PM_ON_WM(WM_CTLCOLOR, PM_RESULT(PM_THIS->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(c_.wParam)),    \
                                                        PM_WND(c_.lParam), (UINT)(c_.nMessage - WM_CTLCOLORMSGBOX))))
#define ON_WM_DRAWITEM()                                                                                     \
    PM_ON_WM(WM_DRAWITEM, PM_THIS->OnDrawItem((int)c_.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(c_.lParam)); PM_RESULT(TRUE))
#define ON_WM_MEASUREITEM()                                                                                  \
    PM_ON_WM(WM_MEASUREITEM,                                                                                 \
             PM_THIS->OnMeasureItem((int)c_.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(c_.lParam)); PM_RESULT(TRUE))
#define ON_WM_COMPAREITEM()                                                                                  \
    PM_ON_WM(WM_COMPAREITEM,                                                                                 \
             PM_RESULT(PM_THIS->OnCompareItem((int)c_.wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(c_.lParam))))
#define ON_WM_DELETEITEM()                                                                                   \
    PM_ON_WM(WM_DELETEITEM, PM_THIS->OnDeleteItem((int)c_.wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(c_.lParam)))

#define ON_WM_INITMENU() PM_ON_WM(WM_INITMENU, PM_THIS->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam))))
#define ON_WM_INITMENUPOPUP()                                                                                \
    PM_ON_WM(WM_INITMENUPOPUP, PM_THIS->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam)), \
                                                        LOWORD(c_.lParam), (BOOL)HIWORD(c_.lParam)))
#define ON_WM_MENUSELECT()                                                                                   \
    PM_ON_WM(WM_MENUSELECT, PM_THIS->OnMenuSelect(LOWORD(c_.wParam), HIWORD(c_.wParam), reinterpret_cast<HMENU>(c_.lParam)))
#define ON_WM_MENUCHAR()                                                                                     \
    PM_ON_WM(WM_MENUCHAR, PM_RESULT(PM_THIS->OnMenuChar(LOWORD(c_.wParam), HIWORD(c_.wParam),                \
                                                        CMenu::FromHandle(reinterpret_cast<HMENU>(c_.lParam)))))
#define ON_WM_ENTERMENULOOP() PM_ON_WM(WM_ENTERMENULOOP, PM_THIS->OnEnterMenuLoop((BOOL)c_.wParam))
#define ON_WM_EXITMENULOOP() PM_ON_WM(WM_EXITMENULOOP, PM_THIS->OnExitMenuLoop((BOOL)c_.wParam))
#define ON_WM_SYSCOMMAND() PM_ON_WM(WM_SYSCOMMAND, PM_THIS->OnSysCommand((UINT)c_.wParam, c_.lParam))

#define ON_WM_SETTINGCHANGE() PM_ON_WM(WM_SETTINGCHANGE, PM_THIS->OnSettingChange((UINT)c_.wParam, reinterpret_cast<LPCSTR>(c_.lParam)))
#define ON_WM_SYSCOLORCHANGE() PM_ON_WM(WM_SYSCOLORCHANGE, PM_THIS->OnSysColorChange())
#define ON_WM_DROPFILES() PM_ON_WM(WM_DROPFILES, PM_THIS->OnDropFiles(reinterpret_cast<HDROP>(c_.wParam)))
#define ON_WM_COPYDATA()                                                                                     \
    PM_ON_WM(WM_COPYDATA, PM_RESULT(PM_THIS->OnCopyData(PM_WND(c_.wParam), reinterpret_cast<COPYDATASTRUCT*>(c_.lParam))))
#define ON_WM_PARENTNOTIFY() PM_ON_WM(WM_PARENTNOTIFY, PM_THIS->OnParentNotify((UINT)c_.wParam, c_.lParam))
#define ON_WM_ENDSESSION() PM_ON_WM(WM_ENDSESSION, PM_THIS->OnEndSession((BOOL)c_.wParam))
#define ON_WM_QUERYENDSESSION() PM_ON_WM(WM_QUERYENDSESSION, PM_RESULT(PM_THIS->OnQueryEndSession()))
#define ON_WM_QUERYNEWPALETTE() PM_ON_WM(WM_QUERYNEWPALETTE, PM_RESULT(PM_THIS->OnQueryNewPalette()))
#define ON_WM_PALETTECHANGED() PM_ON_WM(WM_PALETTECHANGED, PM_THIS->OnPaletteChanged(PM_WND(c_.wParam)))
// clang-format on
