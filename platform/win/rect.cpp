#include "platform/win/wintypes.h"

#include <cstdint>

BOOL SetRect(LPRECT rc, int left, int top, int right, int bottom) {
    if (!rc) return FALSE;
    *rc = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rc) {
    return SetRect(rc, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL OffsetRect(LPRECT rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left += dx;
    rc->right += dx;
    rc->top += dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left -= dx;
    rc->right += dx;
    rc->top -= dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rc) {
    return !rc || rc->right <= rc->left || rc->bottom <= rc->top;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    RECT r{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
           a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        if (IsRectEmpty(b)) {
            SetRectEmpty(dst);
            return FALSE;
        }
        *dst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *dst = *a;
        return TRUE;
    }
    *dst = RECT{a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
                a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
    return TRUE;
}

// Win32 subtracts only when the result is still a rectangle: b must span a fully in one direction.
BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    RECT r = *a;
    RECT cut;
    if (IntersectRect(&cut, a, b)) {
        if (cut.left <= r.left && cut.right >= r.right) {
            if (cut.top <= r.top)
                r.top = cut.bottom;
            else if (cut.bottom >= r.bottom)
                r.bottom = cut.top;
        } else if (cut.top <= r.top && cut.bottom >= r.bottom) {
            if (cut.left <= r.left)
                r.left = cut.right;
            else if (cut.right >= r.right)
                r.right = cut.left;
        }
    }
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL PtInRect(const RECT* rc, POINT pt) {
    return rc && pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

// number * numerator / denominator with a 64-bit intermediate, rounded half away from zero; -1 on a
// zero denominator or overflow, as Win32 answers.
int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t den = denominator;
    bool negative = (product < 0) != (den < 0);
    std::int64_t p = product < 0 ? -product : product;
    std::int64_t d = den < 0 ? -den : den;
    std::int64_t q = (p + d / 2) / d;
    if (q > INT32_MAX) return -1;
    return static_cast<int>(negative ? -q : q);
}
