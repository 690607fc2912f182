#pragma once
// The DCs that draw into images others own (window images, the desktop overlay) or into pages, in
// Qt's types; the image behind any DC for the painter; and device coordinates as Qt points. The
// painting backend of the GDI, private to platform/.

#include "platform/win/gdi/device_context.h"

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRegion>
#include <QSize>

#include <functional>

namespace pm::gdi {

// An image or page DC, with the pixels it draws into and the clip its owner set.
struct ImageDc final : DeviceContext {
    explicit ImageDc(Kind kind) : DeviceContext(kind) {}

    Target target() const override;
    Source source() const override;
    const RectRegion* ownerClip() const override { return hasOwnerClip ? &ownerClipArea : nullptr; }
    // The image drawn into, made now by a deferred DC's maker.
    QImage* imageNow() const;

    mutable QImage* image = nullptr; // drawn into: the owner's image, or page
    // Makes the image when its pixels or its size are first asked for (a deferred image DC).
    mutable std::function<QImage*()> makeImage;
    QImage page; // a page DC's own image
    // A printer's page being drawn: the painter that records the printer's own text and vectors
    // (DcPainter draws with it, in device coordinates); the per-pixel operations go to `page`.
    QPainter* printerPainter = nullptr;
    RectRegion ownerClipArea; // device coordinates
    bool hasOwnerClip = false;
};

// The image drawn into, or nullptr (an information DC, or a memory DC whose bitmap is gone).
QImage* imageOf(const DeviceContext& dc);
// The image pixel of device (0,0).
inline QPoint originOf(const DeviceContext& dc) {
    return QPoint(dc.origin().x, dc.origin().y);
}
// Logical coordinates of dc to device ones.
inline QPoint devicePoint(const DeviceContext& dc, int x, int y) {
    POINT p = dc.toDevice(x, y);
    return QPoint(p.x, p.y);
}
inline QPoint devicePoint(const DeviceContext& dc, POINT p) {
    return devicePoint(dc, p.x, p.y);
}

// A DC that draws into `image` (Format_RGB32, ARGB32 or ARGB32_Premultiplied; owned by the caller
// and alive until releaseImageDC). Logical (0,0) starts at pixel `origin`; output is clipped to
// `clip`, given in image pixels (an empty region clips nothing away: the whole image is used).
// On an image with transparency (the desktop overlay) the per-pixel operations store black as
// transparent, so an XOR frame drawn twice leaves the image transparent again.
HDC createImageDC(QImage* image, QPoint origin, const QRegion& clip);
// The same over an image that `source` makes (Format_RGB32, owned by the caller) when the DC's
// pixels or size are first needed, for DCs that are mostly asked only to measure.
HDC createDeferredImageDC(std::function<QImage*()> source);
// Moves an image DC to another origin and clip (the image is the same).
void setImageDCOrigin(HDC hdc, QPoint origin, const QRegion& clip);
// Ends a DC made by createImageDC; its handle is stale afterwards.
void releaseImageDC(HDC hdc);

// A DC over a page of `size` pixels at `dpi` dots per inch, for printing and print preview. It owns
// its page image (white at first), which the printing code hands to the printer or PDF writer;
// DeleteDC ends it.
HDC createPageDC(QSize size, int dpi);
// The page image of such a DC, or nullptr for any other DC.
QImage* pageImageOf(HDC hdc);
// The painter that takes a page DC's text and vectors for a printer while a page is printed
// (nullptr: they are drawn into the page image, as by any other DC); see ImageDc.
void setPrinterPainter(HDC hdc, QPainter* painter);
QPainter* printerPainterOf(const DeviceContext& dc);

} // namespace pm::gdi
