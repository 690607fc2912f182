#pragma once
// The state behind an HDC: what kind of surface it draws on (a memory bitmap, someone else's image,
// a page, or nothing for information DCs), the selected objects, colours and modes, the mapping
// from logical to device coordinates, the clip region, and the pixels it draws on. Device
// coordinates start at the DC's origin pixel. The images behind the pixels of image and page DCs are
// the painting backend's (dc_surface.h).

#include "platform/win/gdi/pixel_view.h"
#include "platform/win/gdi/rect_region.h"
#include "platform/win/wingdi.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace pm::gdi {

struct DcState {
    HBITMAP bitmap = nullptr; // memory DCs
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_LEFT | TA_TOP;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int charExtra = 0;
    POINT brushOrg{0, 0};
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    POINT position{0, 0};           // current position, logical
    std::optional<RectRegion> clip; // the clip region, device coordinates; none when the DC clips nothing
};

// The pixels of a surface (an empty view for none), and whether they keep transparency: there (the
// desktop overlay) the per-pixel operations store black as transparent, so XOR drawing done twice
// leaves them as they were. A Target is drawn into; a Source is read.
template <class View> struct SurfacePixels {
    View pixels;
    bool keyed = false;
};
using Target = SurfacePixels<PixelView>;
using Source = SurfacePixels<ConstPixelView>;

// Image and page DCs are ImageDcs (dc_surface.h), which draw into images others own or into pages.

class DeviceContext {
public:
    enum class Kind { Memory, Image, Page, Info };

    explicit DeviceContext(Kind kind);
    virtual ~DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Kind kind() const { return m_kind; }
    bool monochrome() const;
    // The image pixel of device (0,0).
    POINT origin() const { return m_origin; }
    void setOrigin(POINT origin) { m_origin = origin; }
    HBITMAP bitmap() const { return state.bitmap; }
    void setBitmap(HBITMAP bitmap) { state.bitmap = bitmap; }

    POINT toDevice(int x, int y) const;
    POINT toDevice(POINT p) const { return toDevice(p.x, p.y); }
    POINT toLogical(int x, int y) const;
    // Device length of a logical length along x (for pen widths and font heights).
    int lengthToDevice(int logical) const;
    int lengthToLogical(int device) const;

    // The selected pen and brush; one deleted while selected draws as the default one.
    HPEN selectedPen() const;
    HBRUSH selectedBrush() const;

    // A colour as drawn on this DC (a pixel, 0xAARRGGBB): palette indexes resolved, monochrome
    // surfaces given black or white.
    std::uint32_t resolve(COLORREF color) const;
    int logPixels() const { return m_dpi; }
    void setLogPixels(int dpi) { m_dpi = dpi; }

    // The pixels drawn into: a memory DC's bitmap; none for an information DC or a memory DC whose
    // bitmap is gone.
    virtual Target target() const;
    // The same pixels, to read.
    virtual Source source() const;
    // The clip the owner of an image DC set, in device coordinates; nullptr when it clips nothing.
    virtual const RectRegion* ownerClip() const { return nullptr; }

    DcState state;
    std::vector<DcState> saved;

private:
    Kind m_kind;
    POINT m_origin{0, 0};
    int m_dpi = 96;
};

DeviceContext* dcOf(HDC hdc);
HDC addDc(std::shared_ptr<DeviceContext> dc);
void removeDc(HDC hdc);

// COLORREF (0x00BBGGRR) to and from a pixel (0xAARRGGBB, opaque).
inline std::uint32_t toRgb(COLORREF c) {
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
inline COLORREF toColorRef(std::uint32_t c) {
    return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF);
}
// Black or white, whichever is nearer (the two colours of a monochrome surface).
inline std::uint32_t monoOf(std::uint32_t c) {
    std::uint32_t brightness = (c >> 16 & 0xFF) * 30 + (c >> 8 & 0xFF) * 59 + (c & 0xFF) * 11;
    return brightness >= 12800 ? 0xFFFFFFFFu : 0xFF000000u;
}

} // namespace pm::gdi
