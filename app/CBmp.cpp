// Loading the bitmap button's images.

#include "app/CBmp.h"

#include "app/bmp_decoder.h"
#include "app/decoded_bitmap.h"
#include "app/pcx_decoder.h"

#include "platform/framework/CString.h"
#include "platform/win/file_contents.h"

#include <cstring>
#include <vector>

namespace {

// Files larger than this are no pictures of a button.
constexpr std::size_t kMaxFileBytes = 64 << 20;
constexpr std::size_t kTable256 = 256 * sizeof(RGBQUAD);

bool readWholeFile(LPCTSTR lpszPath, std::vector<unsigned char>& bytes) {
    const pm::sys::FileRead file = pm::sys::readFileContents(lpszPath ? lpszPath : "", kMaxFileBytes);
    if (!file || file.cut) return false;
    bytes.assign(file.bytes.begin(), file.bytes.end());
    return true;
}

// A palette of `count` colours, as the table (blue, green, red, reserved) gives them.
HPALETTE createPalette(const RGBQUAD* colours, int count) {
    std::vector<unsigned char> block(sizeof(LOGPALETTE) +
                                     sizeof(PALETTEENTRY) * static_cast<std::size_t>(count));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        palette->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    return ::CreatePalette(palette);
}

// A bitmap for the screen from a header, its table and its pixels, made with the palette (when
// there is one) selected and realised.
HBITMAP createScreenBitmap(const BITMAPINFO* info, const void* pixels, HPALETTE hPalette) {
    HDC screen = ::GetDC(nullptr);
    HPALETTE old = hPalette ? ::SelectPalette(screen, hPalette, FALSE) : nullptr;
    if (hPalette) ::RealizePalette(screen);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, pixels, info, DIB_RGB_COLORS);
    if (hPalette) ::SelectPalette(screen, old, FALSE);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// The bitmap of a header, its table of `colours` entries and its pixels, and the palette of the
// table when it has entries.
BOOL createWithPalette(const BITMAPINFO* info, int colours, const void* pixels, HBITMAP& hBitmap,
                       HPALETTE& hPalette) {
    HPALETTE palette = colours ? createPalette(info->bmiColors, colours) : nullptr;
    if (colours && !palette) return FALSE;
    HBITMAP bitmap = createScreenBitmap(info, pixels, palette);
    if (!bitmap) {
        if (palette) ::DeleteObject(palette);
        return FALSE;
    }
    hBitmap = bitmap;
    hPalette = palette;
    return TRUE;
}

BOOL decodeAndCreate(const std::vector<unsigned char>& bytes, bool pcx, HBITMAP& hBitmap,
                     HPALETTE& hPalette) {
    DecodedBitmap picture;
    const bool decoded = pcx ? DecodePcx(bytes.data(), bytes.size(), picture)
                             : DecodeBmpFile(bytes.data(), bytes.size(), picture);
    return decoded &&
           createWithPalette(picture.Info(), picture.ColourCount(), picture.Pixels(), hBitmap, hPalette);
}

// The bytes of resource lpszName of type lpszType.
bool resourceBytes(LPCTSTR lpszName, LPCTSTR lpszType, std::vector<unsigned char>& bytes) {
    HRSRC found = ::FindResource(nullptr, lpszName, lpszType);
    const auto* data =
        found ? static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    if (!data) return false;
    bytes.assign(data, data + ::SizeofResource(nullptr, found));
    return true;
}

CString extensionOf(LPCTSTR lpszName) {
    CString name(lpszName);
    const int dot = name.ReverseFind('.');
    CString extension = dot < 0 ? CString() : name.Mid(dot + 1);
    extension.MakeUpper();
    return extension;
}

} // namespace

BOOL CBmp::LoadResource256(LPCTSTR lpszName, HBITMAP& hBitmap, HPALETTE& hPalette) {
    std::vector<unsigned char> dib;
    if (!resourceBytes(lpszName, RT_BITMAP, dib) || dib.size() < sizeof(BITMAPINFOHEADER) + kTable256)
        return FALSE;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, dib.data(), sizeof header);
    if (header.biSize != sizeof header || header.biBitCount != 8 || header.biCompression != BI_RGB)
        return FALSE;
    // The whole table of 256 entries is taken, whatever the header says it uses.
    header.biClrUsed = 256;
    std::memcpy(dib.data(), &header, sizeof header);
    const std::size_t pixelsAt = sizeof header + kTable256;
    const long rows = header.biHeight < 0 ? -static_cast<long>(header.biHeight) : header.biHeight;
    if (header.biWidth < 1 || header.biWidth > DecodedBitmap::kMaxSide || rows < 1 ||
        rows > DecodedBitmap::kMaxSide)
        return FALSE;
    const std::size_t stride = (static_cast<std::size_t>(header.biWidth) * 8 + 31) / 32 * 4;
    if (dib.size() - pixelsAt < stride * static_cast<std::size_t>(rows)) return FALSE;
    return createWithPalette(reinterpret_cast<const BITMAPINFO*>(dib.data()), 256, dib.data() + pixelsAt,
                             hBitmap, hPalette);
}

BOOL CBmp::Load(LPCTSTR lpszName, HBITMAP& hBitmap, HPALETTE& hPalette) {
    hBitmap = nullptr;
    hPalette = nullptr;
    if (!lpszName) return FALSE;
    const CString extension = extensionOf(lpszName);
    std::vector<unsigned char> bytes;
    if (extension == "BMP" || extension == "DIB")
        return readWholeFile(lpszName, bytes) && decodeAndCreate(bytes, false, hBitmap, hPalette);
    if (extension == "PCX")
        return readWholeFile(lpszName, bytes) && decodeAndCreate(bytes, true, hBitmap, hPalette);
    if (extension == "P")
        return resourceBytes(lpszName, "pcx", bytes) && decodeAndCreate(bytes, true, hBitmap, hPalette);
    if (extension == "B8") return LoadResource256(lpszName, hBitmap, hPalette);
    if (extension == "B4") {
        hBitmap = ::LoadBitmap(nullptr, lpszName);
        return hBitmap != nullptr;
    }
    return FALSE;
}
