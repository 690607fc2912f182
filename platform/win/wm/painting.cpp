// Invalid regions, WM_PAINT selection, paint and window DCs over the backing images, scrolling.

#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/wm/desktop_overlay.h"
#include "platform/win/wm/desktop_widgets.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/window_surface.h"
#include "platform/win/wm/wm.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace pm::wm {
namespace {

struct PaintState {
    std::vector<Window*> dirty;
    std::map<HDC, HWND> dcs; // window DCs handed out, for ReleaseDC
    HWND locked = nullptr;
};

PaintState& paintState() {
    static PaintState s;
    return s;
}

bool isDirty(const Window* w) {
    return !w->surface->update.isEmpty() || w->internalPaint || w->frameDirty;
}

QSize sizeOf(const Window* w) {
    return QSize(std::max(w->width(), 0), std::max(w->height(), 0));
}

bool paintable(const Window* w) {
    return isVisible(w) && !w->redrawOff;
}

// A clip that leaves nothing to draw (an empty region would mean "no clip").
QRegion nothingVisible() {
    return QRegion(-4, -4, 1, 1);
}

bool lockedOut(const Window* w) {
    Window* locked = window(paintState().locked);
    return locked && (locked == w || isDescendant(locked, w));
}

QRect rgnBox(HRGN rgn) {
    RECT r{};
    if (!rgn || GetRgnBox(rgn, &r) == 0) return QRect();
    return toQRect(r);
}

HDC windowDC(Window* w, bool whole, const QRegion& extraClip, bool ignoreLock) {
    QRegion clip = whole ? QRegion(0, 0, w->width(), w->height()) : QRegion(clientRectInWindow(w));
    if (!extraClip.isEmpty()) clip &= extraClip;
    if (clip.isEmpty() || w->redrawOff || (!ignoreLock && lockedOut(w))) clip = nothingVisible();
    QPoint origin = whole ? QPoint(0, 0) : QPoint(w->client.left, w->client.top);
    // A window without an area (so without an image) still gives a DC: it measures as any other
    // window's does and draws nowhere.
    static QImage nowhere(1, 1, QImage::Format_RGB32);
    // A window its children cover gets no image: what it draws would never show.
    const bool covered = w->surface->image.isNull() && (clip & shownArea(w)).isEmpty();
    if (covered && !sizeOf(w).isEmpty()) w->surface->lost = true;
    QImage* target = sizeOf(w).isEmpty() || covered ? &nowhere : &windowImage(w);
    if (target == &nowhere) clip = nothingVisible();
    HDC dc = gdi::createImageDC(target, origin, clip);
    if (dc) paintState().dcs[dc] = w->handle;
    return dc;
}

void updateNow(Window* w, bool children) {
    HWND hwnd = w->handle;
    if (isDirty(w) && paintable(w)) {
        send(w, WM_PAINT);
        if (!window(hwnd)) return;
    }
    if (!children) return;
    for (Window* c : std::vector<Window*>(w->children))
        if (window(c->handle)) updateNow(c, true);
}

void eraseNow(Window* w, bool children) {
    HWND hwnd = w->handle;
    if (paintable(w) && w->frameDirty) {
        w->frameDirty = false;
        send(w, WM_NCPAINT, 1);
        if (!window(hwnd)) return;
    }
    if (paintable(w) && w->eraseNeeded && !w->surface->update.isEmpty()) {
        w->eraseNeeded = false;
        HDC dc = windowDC(w, false, w->surface->update, false);
        send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
        ReleaseDC(hwnd, dc);
        if (!window(hwnd)) return;
    }
    if (!children) return;
    for (Window* c : std::vector<Window*>(w->children))
        if (window(c->handle)) eraseNow(c, true);
}

// Invalidation or validation of one window and, as asked, its children. region: window coordinates.
void redraw(Window* w, const QRegion& region, UINT flags) {
    invalidate(w, region, flags);
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (!children) return;
    for (Window* c : w->children) {
        QPoint offset(w->client.left + c->rect.left, w->client.top + c->rect.top);
        QRegion part = region.translated(-offset) & QRegion(0, 0, c->width(), c->height());
        if (!part.isEmpty()) redraw(c, part, flags | ((flags & RDW_ALLCHILDREN) ? 0 : 0));
    }
}

} // namespace

void markDirty(Window* w) {
    if (w->inDirtyList || !isDirty(w)) return;
    w->inDirtyList = true;
    paintState().dirty.push_back(w);
}

void forgetPaintState(Window* w) {
    auto& d = paintState().dirty;
    if (w->inDirtyList) d.erase(std::remove(d.begin(), d.end(), w), d.end());
    w->inDirtyList = false;
    for (auto it = paintState().dcs.begin(); it != paintState().dcs.end();) {
        if (it->second == w->handle) {
            gdi::releaseImageDC(it->first);
            it = paintState().dcs.erase(it);
        } else {
            ++it;
        }
    }
    if (paintState().locked == w->handle) paintState().locked = nullptr;
}

Window* nextWindowToPaint(Window* filter) {
    auto& d = paintState().dirty;
    for (std::size_t i = 0; i < d.size();) {
        Window* w = d[i];
        if (!isDirty(w)) {
            w->inDirtyList = false;
            d.erase(d.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (!paintable(w) || (filter && w != filter && !isDescendant(filter, w))) {
            ++i;
            continue;
        }
        // Parents paint before their children.
        for (Window* p = w->parent; p && p != desktop(); p = p->parent)
            if (isDirty(p) && paintable(p) && (!filter || p == filter || isDescendant(filter, p))) w = p;
        return w;
    }
    return nullptr;
}

void invalidate(Window* w, const QRegion& windowRegion, UINT flags) {
    if (w == desktop()) return;
    QRegion client(clientRectInWindow(w));
    QRegion whole(0, 0, w->width(), w->height());
    QRegion area = windowRegion & whole;
    if (flags & RDW_INVALIDATE) {
        w->surface->update += area & client;
        if (flags & RDW_FRAME) w->frameDirty = true;
        if (flags & RDW_ERASE) w->eraseNeeded = true;
        if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    }
    if (flags & RDW_VALIDATE) {
        w->surface->update -= area;
        if (flags & RDW_NOFRAME) w->frameDirty = false;
        if (flags & RDW_NOERASE) w->eraseNeeded = false;
        if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
        if (w->surface->update.isEmpty()) w->eraseNeeded = false;
    }
    markDirty(w);
}

void resizeImage(Window* w) {
    w->surface->kept = w->surface->kept.boundedTo(sizeOf(w));
}

QImage& windowImage(const Window* w) {
    WindowSurface& s = *w->surface;
    QSize size = sizeOf(w);
    QSize kept = s.kept.boundedTo(size);
    if (s.image.size() == size && kept == size) return s.image;
    if (s.image.isNull() && s.lost) {
        s.lost = false;
        invalidate(const_cast<Window*>(w), QRegion(0, 0, size.width(), size.height()),
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    QImage next(size, QImage::Format_RGB32);
    next.fill(0xFFFFFFFF);
    // Only what the old image holds is copied: it may be smaller than what it was meant to keep
    // (an image not made yet is null), and an empty window makes a null image.
    kept = kept.boundedTo(s.image.size());
    if (kept.isEmpty()) kept = QSize(0, 0);
    for (int y = 0; y < kept.height(); ++y)
        std::memcpy(next.scanLine(y), s.image.constScanLine(y), static_cast<std::size_t>(kept.width()) * 4);
    s.image = std::move(next);
    s.kept = size;
    // DCs handed out keep drawing into this image; they are short-lived.
    return s.image;
}

QRegion shownArea(const Window* w) {
    QRegion shown(0, 0, w->width(), w->height());
    for (const Window* c : w->children)
        if (c->style & WS_VISIBLE)
            shown -= QRegion(toQRect(c->rect).translated(w->client.left, w->client.top));
    return shown;
}

bool drawnNowhere(const Window* w) {
    return w->surface->image.isNull() && shownArea(w).isEmpty();
}

void letGoOfCoveredImage(Window* w) {
    WindowSurface& s = *w->surface;
    if (s.image.isNull() || !shownArea(w).isEmpty()) return;
    s.image = QImage();
    s.kept = QSize(0, 0);
    s.lost = true;
}

Window::Window() : surface(std::make_unique<WindowSurface>()) {}
Window::~Window() = default;

QRect clientRectInWindow(const Window* w) {
    return toQRect(w->client);
}

void invalidateRect(Window* w, const RECT& windowRect, UINT flags, const RECT& keep) {
    invalidate(w, QRegion(toQRect(windowRect)) - QRegion(toQRect(keep)), flags);
}

void invertClientRect(Window* w, const RECT& clientRect) {
    if (drawnNowhere(w)) return;
    QRect r = toQRect(clientRect).translated(w->client.left, w->client.top) & clientRectInWindow(w);
    QImage& image = windowImage(w);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] ^= 0x00FFFFFF;
    }
    flushWidget(w, r);
}

void flushWidget(Window* w, const QRect& rect) {
    if (!w->widget) return;
    if (rect.isNull())
        w->widget->update();
    else
        w->widget->update(rect);
}

} // namespace pm::wm

using namespace pm::wm;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    Window* w = window(hwnd);
    if (!w || !paint) return nullptr;
    hideCaretForPaint(w);
    if (w->frameDirty) {
        w->frameDirty = false;
        send(w, WM_NCPAINT, 1);
        if (!window(hwnd)) return nullptr;
    }
    QRegion area = w->surface->update & QRegion(clientRectInWindow(w));
    bool erase = w->eraseNeeded;
    w->surface->update = QRegion();
    w->eraseNeeded = false;
    w->internalPaint = false;
    HDC dc = windowDC(w, false, area.isEmpty() ? nothingVisible() : area, false);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    QRect box = area.boundingRect().translated(-w->client.left, -w->client.top);
    paint->rcPaint = area.isEmpty() ? RECT{0, 0, 0, 0} : toRECT(box);
    paint->fErase = TRUE;
    if (erase && !area.isEmpty())
        paint->fErase = send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)) ? FALSE : TRUE;
    else
        paint->fErase = erase ? TRUE : FALSE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint && paint->hdc) ReleaseDC(hwnd, paint->hdc);
    if (Window* w = window(hwnd)) showCaretAfterPaint(w);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    Window* w = hwnd ? window(hwnd) : desktop();
    if (!w) return nullptr;
    if (w == desktop()) return (flags & DCX_WINDOW) ? desktopOverlayDC() : desktopSnapshotDC();
    bool whole = (flags & DCX_WINDOW) != 0;
    QRegion extra;
    // (HRGN)1, as WM_NCPAINT passes it, stands for the whole window.
    RECT probe{};
    bool realClip = clip && clip != reinterpret_cast<HRGN>(1) && GetRgnBox(clip, &probe) != 0;
    if (realClip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        QRect box = rgnBox(clip);
        if (!whole) box.translate(w->client.left, w->client.top);
        QRegion all(0, 0, w->width(), w->height());
        extra = (flags & DCX_INTERSECTRGN) ? QRegion(box) : all - QRegion(box);
        if (extra.isEmpty()) extra = nothingVisible();
    }
    return windowDC(w, whole, extra, (flags & DCX_LOCKWINDOWUPDATE) != 0);
}

HDC GetDC(HWND hwnd) {
    return GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
}

HDC GetWindowDC(HWND hwnd) {
    return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
}

int ReleaseDC(HWND, HDC dc) {
    if (releaseDesktopOverlayDC(dc)) return 1;
    auto& dcs = paintState().dcs;
    auto it = dcs.find(dc);
    if (it == dcs.end()) return 0;
    HWND owner = it->second;
    dcs.erase(it);
    pm::gdi::releaseImageDC(dc);
    if (Window* w = window(owner)) flushWidget(w);
    return 1;
}

HWND WindowFromDC(HDC dc) {
    auto it = paintState().dcs.find(dc);
    if (it != paintState().dcs.end()) return it->second;
    return isDesktopOverlayDC(dc) ? GetDesktopWindow() : nullptr;
}

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN region, UINT flags) {
    if (!hwnd) {
        for (Window* t : std::vector<Window*>(desktop()->children))
            RedrawWindow(t->handle, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    Window* w = window(hwnd);
    if (!w) return FALSE;
    QRegion area;
    QPoint clientOffset(w->client.left, w->client.top);
    if (update)
        area = QRegion(toQRect(*update).translated(clientOffset));
    else if (region)
        area = QRegion(rgnBox(region).translated(clientOffset));
    else
        area = (flags & RDW_FRAME) ? QRegion(0, 0, w->width(), w->height()) : QRegion(clientRectInWindow(w));
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) redraw(w, area, flags);
    if (flags & RDW_UPDATENOW) {
        updateNow(w, (flags & RDW_ALLCHILDREN) != 0);
    } else if (flags & RDW_ERASENOW) {
        eraseNow(w, (flags & RDW_ALLCHILDREN) != 0);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    if (!region) return InvalidateRect(hwnd, nullptr, erase);
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE);
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    QRegion area = w->surface->update & QRegion(clientRectInWindow(w));
    if (rect)
        *rect = area.isEmpty() ? RECT{0, 0, 0, 0}
                               : toRECT(area.boundingRect().translated(-w->client.left, -w->client.top));
    if (erase && !area.isEmpty()) eraseNow(w, false);
    return area.isEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
    Window* w = window(hwnd);
    if (!w || !region) return 0;
    QRegion area =
        (w->surface->update & QRegion(clientRectInWindow(w))).translated(-w->client.left, -w->client.top);
    SetRectRgn(region, 0, 0, 0, 0);
    for (const QRect& r : area) {
        HRGN part = CreateRectRgn(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    if (erase && !area.isEmpty()) eraseNow(w, false);
    return area.isEmpty() ? NULLREGION : area.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w) return FALSE;
    updateNow(w, false);
    return TRUE;
}

BOOL LockWindowUpdate(HWND hwnd) {
    PaintState& s = paintState();
    if (hwnd && window(s.locked)) return FALSE;
    HWND old = s.locked;
    s.locked = hwnd;
    if (!hwnd && window(old))
        RedrawWindow(old, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRgn,
                   LPRECT updateRect, UINT flags) {
    Window* w = window(hwnd);
    if (!w) return 0;
    QRect client = clientRectInWindow(w);
    QPoint off(w->client.left, w->client.top);
    QRect area = scroll ? toQRect(*scroll).translated(off) & client : client;
    QRect clipArea = clip ? toQRect(*clip).translated(off) & client : client;
    QRect visible = area & clipArea;
    QRect dest = area.translated(dx, dy) & visible;
    if (!dest.isEmpty() && !w->redrawOff && !lockedOut(w) && !drawnNowhere(w)) {
        // The caret is drawn into the image: it stays where it is, not with the pixels.
        hideCaretForPaint(w);
        pm::gdi::movePixels(pm::gdi::pixelsOfImage(windowImage(w)), pm::gdi::rectOf(dest), POINT{dx, dy});
        showCaretAfterPaint(w);
    }
    QRegion exposed = QRegion(visible) - QRegion(dest);
    // Pending invalid parts move with the content.
    QRegion pending = w->surface->update & QRegion(area);
    w->surface->update = (w->surface->update - QRegion(area)) + (pending.translated(dx, dy) & QRegion(area));
    if (flags & SW_INVALIDATE) invalidate(w, exposed, RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    flushWidget(w);
    if (updateRect)
        *updateRect = exposed.isEmpty() ? RECT{0, 0, 0, 0} : toRECT(exposed.boundingRect().translated(-off));
    if (updateRgn) {
        SetRectRgn(updateRgn, 0, 0, 0, 0);
        for (const QRect& r : exposed.translated(-off)) {
            HRGN part = CreateRectRgn(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
            CombineRgn(updateRgn, updateRgn, part, RGN_OR);
            DeleteObject(part);
        }
    }
    if ((flags & SW_SCROLLCHILDREN) || !scroll) {
        for (Window* c : std::vector<Window*>(w->children)) {
            if (scroll && !toQRect(*scroll).intersects(toQRect(c->rect))) continue;
            SetWindowPos(c->handle, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    return exposed.isEmpty() ? NULLREGION : exposed.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != 0;
}
