#pragma once
// CPoint, CSize and CRect: the framework's value classes over POINT, SIZE and RECT. They add no
// members, so a CRect may be passed wherever a RECT* is expected, and TopLeft()/BottomRight()
// refer to the rectangle's own corners.

#include "platform/win/wintypes.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT initPt) : POINT(initPt) {}
    explicit CPoint(SIZE initSize) : POINT{initSize.cx, initSize.cy} {}
    // From a message's packed coordinates: signed x in the low word, y in the high word.
    explicit CPoint(LPARAM dwPoint) : POINT{GET_X_LPARAM(dwPoint), GET_Y_LPARAM(dwPoint)} {}

    void Offset(int xOffset, int yOffset) {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) {
        x = X;
        y = Y;
    }

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    CPoint& operator+=(SIZE size) {
        Offset(size);
        return *this;
    }
    CPoint& operator-=(SIZE size) {
        Offset(-size.cx, -size.cy);
        return *this;
    }
    CPoint& operator+=(POINT point) {
        Offset(point);
        return *this;
    }
    CPoint& operator-=(POINT point) {
        Offset(-point.x, -point.y);
        return *this;
    }
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    // The distance between two points.
    inline CSize operator-(POINT point) const;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE initSize) : SIZE(initSize) {}
    explicit CSize(POINT initPt) : SIZE{initPt.x, initPt.y} {}

    void SetSize(int CX, int CY) {
        cx = CX;
        cy = CY;
    }
    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize& operator+=(SIZE size) {
        cx += size.cx;
        cy += size.cy;
        return *this;
    }
    CSize& operator-=(SIZE size) {
        cx -= size.cx;
        cy -= size.cy;
        return *this;
    }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
    CPoint operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
};

inline CSize CPoint::operator-(POINT point) const {
    return CSize(x - point.x, y - point.y);
}

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& srcRect) : RECT(srcRect) {}
    CRect(LPCRECT lpSrcRect) : RECT(lpSrcRect ? *lpSrcRect : RECT{0, 0, 0, 0}) {}
    CRect(POINT point, SIZE size) : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners as points of this rectangle (writing them moves the edges).
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty: no area (width or height not positive). Null: all four edges 0.
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    // Inside: left and top edges included, right and bottom edges excluded.
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) {
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect) {
        InflateRect(-lpRect->left, -lpRect->top, -lpRect->right, -lpRect->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    // Swaps edges so that left <= right and top <= bottom.
    void NormalizeRect();

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) {
        right = Width() + x;
        left = x;
    }
    void MoveToY(int y) {
        bottom = Height() + y;
        top = y;
    }
    void MoveToXY(int x, int y) {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) {
        return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
    }

    CRect& operator=(const RECT& srcRect) {
        RECT::operator=(srcRect);
        return *this;
    }
    bool operator==(const RECT& rect) const { return ::EqualRect(this, &rect) != FALSE; }
    bool operator!=(const RECT& rect) const { return !(*this == rect); }
    CRect& operator+=(POINT point) {
        OffsetRect(point);
        return *this;
    }
    CRect& operator+=(SIZE size) {
        OffsetRect(size);
        return *this;
    }
    CRect& operator+=(LPCRECT lpRect) {
        InflateRect(lpRect);
        return *this;
    }
    CRect& operator-=(POINT point) {
        OffsetRect(-point.x, -point.y);
        return *this;
    }
    CRect& operator-=(SIZE size) {
        OffsetRect(-size.cx, -size.cy);
        return *this;
    }
    CRect& operator-=(LPCRECT lpRect) {
        DeflateRect(lpRect);
        return *this;
    }
    CRect& operator&=(const RECT& rect) {
        const CRect a(*this);
        IntersectRect(&a, &rect);
        return *this;
    }
    CRect& operator|=(const RECT& rect) {
        const CRect a(*this);
        UnionRect(&a, &rect);
        return *this;
    }
    CRect operator+(POINT point) const { return CRect(*this) += point; }
    CRect operator-(POINT point) const { return CRect(*this) -= point; }
    CRect operator+(SIZE size) const { return CRect(*this) += size; }
    CRect operator-(SIZE size) const { return CRect(*this) -= size; }
    CRect operator+(LPCRECT lpRect) const { return CRect(*this) += lpRect; }
    CRect operator-(LPCRECT lpRect) const { return CRect(*this) -= lpRect; }
    CRect operator&(const RECT& rect) const { return CRect(*this) &= rect; }
    CRect operator|(const RECT& rect) const { return CRect(*this) |= rect; }
};

inline void CRect::NormalizeRect() {
    if (left > right) {
        const LONG t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        const LONG t = top;
        top = bottom;
        bottom = t;
    }
}
