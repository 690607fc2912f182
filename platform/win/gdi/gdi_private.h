#pragma once
// What the rest of the platform layer needs from GDI beyond the Win32 functions: device contexts on
// images that others own (window backing images, the desktop overlay), and images of icons,
// cursors and bitmaps. May include Qt; private to platform/.

#include "platform/win/wingdi.h"

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <functional>

namespace pm::gdi {

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

// Moves the pixels that `dest` (image pixels) will show from dest.translated(-delta) into it, in
// place: what scrolling does to a backing image. The parts of dest whose source lies outside the
// image keep their pixels.
void moveImagePixels(QImage& image, const QRect& dest, QPoint delta);

// A DC over a page of `size` pixels at `dpi` dots per inch, for printing and print preview. It owns
// its page image (white at first), which the printing code hands to the printer or PDF writer;
// DeleteDC ends it.
HDC createPageDC(QSize size, int dpi);
// The page image of such a DC, or nullptr for any other DC.
QImage* pageImageOf(HDC hdc);
// A printer's DC: a page DC whose pages StartDoc ... EndDoc print (printing.cpp); and its end.
HDC createPrinterDC(LPCSTR device);
void endPrinterDC(HDC hdc);

// The picture of an icon or cursor as ARGB32 (transparent where the mask shows the background),
// with its hot spot when asked. A null image for a bad handle.
QImage imageOfIcon(HICON icon, QPoint* hotspot);
// An icon or cursor made from an ARGB32 picture (alpha below 128 counts as transparent).
HICON createIconFromImage(const QImage& image, QPoint hotspot, bool isIcon);

// The pixels of a bitmap (RGB32; a monochrome bitmap holds only black and white).
QImage imageOfBitmap(HBITMAP bitmap);
// A colour bitmap holding a copy of the picture.
HBITMAP createBitmapFromImage(const QImage& image);

// Where LoadBitmap, LoadIcon, LoadCursor and LoadImage find the encoded image (BMP, PNG, ICO, CUR)
// of a program resource. The resource layer installs it; without one, resources are not found.
using ResourceImageLoader = bool (*)(HINSTANCE instance, LPCSTR name, UINT type, QByteArray* bytes);
void setResourceImageLoader(ResourceImageLoader loader);

} // namespace pm::gdi
