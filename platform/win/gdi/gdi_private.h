#pragma once
// What the rest of the platform layer needs from GDI beyond the Win32 functions, in Win32 types.
// The parts in Qt's types are for the backend files: DCs over images and pages (dc_surface.h), the
// pictures of bitmaps (image_store.h) and of icons and cursors (icons.h), and moving pixels
// (raster.h). Private to platform/.

#include "platform/win/gdi/pixel_view.h"
#include "platform/win/wingdi.h"

#include <cstddef>
#include <string>

namespace pm::gdi {

// A printer's DC: a page DC whose pages StartDoc ... EndDoc print (printing.cpp); and its end.
HDC createPrinterDC(LPCSTR device, LPCSTR output);
void endPrinterDC(HDC hdc);

// Where LoadBitmap, LoadIcon, LoadCursor and LoadImage find the encoded image (BMP, PNG, ICO, CUR)
// of a program resource: its bytes, which stay where they are for the life of the process. The
// resource layer installs it; without one, resources are not found.
using ResourceImageLoader = bool (*)(HINSTANCE instance, LPCSTR name, UINT type, const BYTE** bytes,
                                     std::size_t* size);
void setResourceImageLoader(ResourceImageLoader loader);

// The pixels of a bitmap (0xFFRRGGBB; a monochrome one holds only black and white), valid while the
// bitmap lives and keeps its size; an empty view for no bitmap.
PixelView bitmapPixels(HBITMAP bitmap);
// A bitmap encoded in a picture file format ("PNG", "BMP", "JPG"); empty when it cannot be.
std::string encodeBitmap(HBITMAP bitmap, const char* format);
// A bitmap written to a PNG file; false when it cannot be.
bool saveBitmapPng(HBITMAP bitmap, const std::string& path);

} // namespace pm::gdi
