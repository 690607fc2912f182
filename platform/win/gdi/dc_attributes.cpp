// Colours, modes and the logical-to-device mapping of a DC.
#include "platform/win/gdi/device_context.h"

#include <cstdlib>

using namespace pm::gdi;

namespace {

// Sets one state field and answers the old value, or `fail` for a bad DC.
template <class T, class V> T exchange(HDC hdc, T DcState::*field, V value, T fail) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return fail;
    T old = dc->state.*field;
    dc->state.*field = static_cast<T>(value);
    return old;
}

template <class T> T read(HDC hdc, T DcState::*field, T fail) {
    DeviceContext* dc = dcOf(hdc);
    return dc ? dc->state.*field : fail;
}

void storeOld(LPPOINT old, POINT value) {
    if (old) *old = value;
}

void storeOld(LPSIZE old, SIZE value) {
    if (old) *old = value;
}

// The extents of the fixed mapping modes: logical units per inch against device pixels per inch;
// y grows upwards.
bool fixedExtents(int mode, int dpi, SIZE* window, SIZE* viewport) {
    int units;
    switch (mode) {
    case MM_LOMETRIC:
        units = 254;
        break;
    case MM_HIMETRIC:
        units = 2540;
        break;
    case MM_LOENGLISH:
        units = 100;
        break;
    case MM_HIENGLISH:
        units = 1000;
        break;
    case MM_TWIPS:
        units = 1440;
        break;
    default:
        return false;
    }
    *window = SIZE{units, units};
    *viewport = SIZE{dpi, -dpi};
    return true;
}

// MM_ISOTROPIC keeps one unit equally long along both axes: the viewport extent that scales more
// is reduced to the other's scale.
void keepIsotropic(DcState& s) {
    if (s.mapMode != MM_ISOTROPIC || s.windowExt.cx == 0 || s.windowExt.cy == 0) return;
    double sx = std::abs(static_cast<double>(s.viewportExt.cx) / s.windowExt.cx);
    double sy = std::abs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
    if (sx > sy) {
        int cx = static_cast<int>(std::abs(s.windowExt.cx) * sy + 0.5);
        s.viewportExt.cx = s.viewportExt.cx < 0 ? -cx : cx;
    } else if (sy > sx) {
        int cy = static_cast<int>(std::abs(s.windowExt.cy) * sx + 0.5);
        s.viewportExt.cy = s.viewportExt.cy < 0 ? -cy : cy;
    }
}

bool extentsLocked(const DcState& s) {
    return s.mapMode != MM_ISOTROPIC && s.mapMode != MM_ANISOTROPIC;
}

} // namespace

COLORREF SetBkColor(HDC hdc, COLORREF c) {
    return exchange(hdc, &DcState::bkColor, c, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) {
    return read(hdc, &DcState::bkColor, CLR_INVALID);
}
COLORREF SetTextColor(HDC hdc, COLORREF c) {
    return exchange(hdc, &DcState::textColor, c, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) {
    return read(hdc, &DcState::textColor, CLR_INVALID);
}
UINT SetTextAlign(HDC hdc, UINT align) {
    return exchange(hdc, &DcState::textAlign, align, GDI_ERROR);
}
UINT GetTextAlign(HDC hdc) {
    return read(hdc, &DcState::textAlign, GDI_ERROR);
}
int GetBkMode(HDC hdc) {
    return read(hdc, &DcState::bkMode, 0);
}
int GetROP2(HDC hdc) {
    return read(hdc, &DcState::rop2, 0);
}
int GetMapMode(HDC hdc) {
    return read(hdc, &DcState::mapMode, 0);
}
int SetTextCharacterExtra(HDC hdc, int extra) {
    return exchange(hdc, &DcState::charExtra, extra, static_cast<int>(0x80000000u));
}

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return exchange(hdc, &DcState::bkMode, mode, 0);
}

int SetROP2(HDC hdc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return exchange(hdc, &DcState::rop2, rop2, 0);
}

int SetPolyFillMode(HDC hdc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return exchange(hdc, &DcState::polyFillMode, mode, 0);
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return exchange(hdc, &DcState::stretchMode, mode, 0);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    storeOld(old, dc->state.brushOrg);
    dc->state.brushOrg = POINT{x, y};
    return TRUE;
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT org) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !org) return FALSE;
    *org = dc->state.brushOrg;
    return TRUE;
}

int SetMapMode(HDC hdc, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    DcState& s = dc->state;
    int old = s.mapMode;
    s.mapMode = mode;
    // The scalable modes start from the extents of the mode before them.
    if (mode == MM_TEXT)
        s.windowExt = s.viewportExt = SIZE{1, 1};
    else
        fixedExtents(mode, dc->logPixels(), &s.windowExt, &s.viewportExt);
    keepIsotropic(s);
    return old;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    storeOld(old, dc->state.windowOrg);
    dc->state.windowOrg = POINT{x, y};
    return TRUE;
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT org) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !org) return FALSE;
    *org = dc->state.windowOrg;
    return TRUE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    storeOld(old, dc->state.viewportOrg);
    dc->state.viewportOrg = POINT{x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT org) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !org) return FALSE;
    *org = dc->state.viewportOrg;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    POINT o = dc->state.viewportOrg;
    return SetViewportOrgEx(hdc, o.x + dx, o.y + dy, old);
}

BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    POINT o = dc->state.windowOrg;
    return SetWindowOrgEx(hdc, o.x + dx, o.y + dy, old);
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    storeOld(old, dc->state.windowExt);
    if (extentsLocked(dc->state)) return TRUE;
    if (x == 0 || y == 0) return FALSE;
    dc->state.windowExt = SIZE{x, y};
    keepIsotropic(dc->state);
    return TRUE;
}

BOOL GetWindowExtEx(HDC hdc, LPSIZE ext) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !ext) return FALSE;
    *ext = dc->state.windowExt;
    return TRUE;
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    storeOld(old, dc->state.viewportExt);
    if (extentsLocked(dc->state)) return TRUE;
    if (x == 0 || y == 0) return FALSE;
    dc->state.viewportExt = SIZE{x, y};
    keepIsotropic(dc->state);
    return TRUE;
}

BOOL GetViewportExtEx(HDC hdc, LPSIZE ext) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !ext) return FALSE;
    *ext = dc->state.viewportExt;
    return TRUE;
}

BOOL ScaleViewportExtEx(HDC hdc, int xNum, int xDenom, int yNum, int yDenom, LPSIZE old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || xDenom == 0 || yDenom == 0) return FALSE;
    SIZE e = dc->state.viewportExt;
    return SetViewportExtEx(hdc, MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom), old);
}

BOOL ScaleWindowExtEx(HDC hdc, int xNum, int xDenom, int yNum, int yDenom, LPSIZE old) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || xDenom == 0 || yDenom == 0) return FALSE;
    SIZE e = dc->state.windowExt;
    return SetWindowExtEx(hdc, MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom), old);
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toDevice(points[i]);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toLogical(points[i].x, points[i].y);
    return TRUE;
}
