// CDC: wrappers of the GDI drawing functions, the temporary map, and the window-bound DCs.

#include "platform/framework/CDC.h"

#include "platform/framework/CWnd.h"
#include "platform/framework/HandleMap.h"
#include "platform/win/handle_accounting.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

namespace {

using DcMap = pm::afx::HandleMap<CDC, HDC, &CDC::m_hDC>;

DcMap& dcMap() {
    static DcMap map;
    return map;
}

} // namespace

CDC::~CDC() {
    if (m_bOwnsDC)
        DeleteDC();
    else
        Detach();
}

CDC* CDC::FromHandle(HDC hDC) {
    CDC* pDC = dcMap().fromHandle(hDC);
    if (pDC && !pDC->m_hAttribDC) pDC->m_hAttribDC = pDC->m_hDC;
    return pDC;
}

void CDC::DeleteTempMap() {
    dcMap().deleteTemporary();
}

CBrush* CDC::GetHalftoneBrush() {
    static CBrush* brush = [] {
        auto* made = new CBrush;
        made->Attach(::CreateHalftoneBrush());
        pm::keepForProcess(made->m_hObject);
        return made;
    }();
    return brush;
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC || m_hDC) return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    dcMap().setPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC && dcMap().fromHandlePermanent(hDC) == this) dcMap().removeHandle(hDC);
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (!Attach(::CreateCompatibleDC(pm::afx::safeHdc(pDC)))) return FALSE;
    m_bOwnsDC = TRUE;
    return TRUE;
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData) {
    if (!Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData))) return FALSE;
    m_bOwnsDC = TRUE;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    HDC hDC = Detach();
    m_bOwnsDC = FALSE;
    return hDC ? ::DeleteDC(hDC) : FALSE;
}

CWnd* CDC::GetWindow() const {
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

// ---- Objects ----

CGdiObject* CDC::SelectStockObject(int nIndex) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pm::afx::safeHandle(pPen))));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pm::afx::safeHandle(pBrush))));
}

CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pm::afx::safeHandle(pFont))));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pm::afx::safeHandle(pBitmap))));
}

int CDC::SelectObject(CRgn* pRgn) {
    return ::SelectClipRgn(m_hDC, static_cast<HRGN>(pm::afx::safeHandle(pRgn)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pm::afx::safeHandle(pObject)));
}

CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    return CPalette::FromHandle(::SelectPalette(m_hDC, *pPalette, bForceBackground));
}

CPoint CDC::SetBrushOrg(int x, int y) {
    POINT old{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

// ---- Coordinates ----

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const {
    POINT pt{0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    POINT old{0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return CPoint(old);
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const {
    POINT pt{0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
    POINT old{0, 0};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    return CPoint(old);
}

CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE old{0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CSize CDC::GetViewportExt() const {
    SIZE size{0, 0};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return CSize(size);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
    SIZE old{0, 0};
    ::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &old);
    return CSize(old);
}

CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE old{0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CSize CDC::GetWindowExt() const {
    SIZE size{0, 0};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return CSize(size);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
    SIZE old{0, 0};
    ::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &old);
    return CSize(old);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, nMode);
}

// ---- Lines, fills and frames ----

CPoint CDC::MoveTo(int x, int y) {
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetCurrentPosition() const {
    POINT pt{0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
    // Each outline is a frame of the given thickness drawn with PATINVERT: drawing it twice erases it.
    auto frame = [this](LPCRECT rc, SIZE thick, CBrush* brush) {
        HGDIOBJ old = ::SelectObject(m_hDC, (brush ? brush : GetHalftoneBrush())->m_hObject);
        int w = rc->right - rc->left;
        int h = rc->bottom - rc->top;
        ::PatBlt(m_hDC, rc->left, rc->top, w, thick.cy, PATINVERT);
        ::PatBlt(m_hDC, rc->left, rc->bottom - thick.cy, w, thick.cy, PATINVERT);
        ::PatBlt(m_hDC, rc->left, rc->top + thick.cy, thick.cx, h - 2 * thick.cy, PATINVERT);
        ::PatBlt(m_hDC, rc->right - thick.cx, rc->top + thick.cy, thick.cx, h - 2 * thick.cy, PATINVERT);
        ::SelectObject(m_hDC, old);
    };
    if (lpRectLast) frame(lpRectLast, sizeLast, pBrushLast ? pBrushLast : pBrush);
    if (lpRect) frame(lpRect, size, pBrush);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx,
                        size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText),
                        static_cast<WPARAM>(nTextLen), pt.x, pt.y, size.cx, size.cy,
                        nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

// ---- Text ----

CSize CDC::TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin) {
    LONG extent =
        ::TabbedTextOutA(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(LPCSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTabbedTextExtent(LPCSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const {
    DWORD extent =
        ::GetTabbedTextExtentA(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(extent), HIWORD(extent));
}

int CDC::GetTextFace(CString& rString) const {
    char face[LF_FACESIZE] = {};
    int n = ::GetTextFaceA(m_hAttribDC, LF_FACESIZE, face);
    rString = face;
    return n;
}

// ---- Window-bound DCs ----

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pm::afx::safeHwnd(pWnd)) {
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pm::afx::safeHwnd(pWnd)) {
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}
