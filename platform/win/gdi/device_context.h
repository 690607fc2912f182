#pragma once
// The state behind an HDC: where it draws (a memory bitmap, someone else's image, or nothing for
// information DCs), the selected objects, colours and modes, the mapping from logical to device
// coordinates, and the clip region. Device coordinates start at the DC's origin pixel.

#include "platform/win/wingdi.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <functional>
#include <memory>
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
    POINT position{0, 0}; // current position, logical
    bool hasClip = false;
    QRegion clip; // device coordinates
};

class DeviceContext {
public:
    enum class Kind { Memory, Image, Page, Info };

    explicit DeviceContext(Kind kind);

    Kind kind() const { return kind_; }
    // The pixels drawn into, or nullptr (an information DC, or a memory DC whose bitmap is gone).
    QImage* image() const;
    bool monochrome() const;
    // The image pixel of device (0,0).
    QPoint origin() const { return origin_; }
    void setTarget(QImage* image, QPoint origin, const QRegion& clipInImagePixels);
    // An image DC whose image `source` makes when its pixels or its size are first asked for.
    void setTargetSource(std::function<QImage*()> source) { source_ = std::move(source); }
    // A page DC's own image and resolution.
    void setPage(std::unique_ptr<QImage> page, int dpi);
    HBITMAP bitmap() const { return state.bitmap; }
    void setBitmap(HBITMAP bitmap) { state.bitmap = bitmap; }

    // The region output may reach, in device coordinates: the surface, the owner's clip and the
    // DC's clip region together.
    QRegion visibleRegion() const;
    // The surface alone, in device coordinates.
    QRect surfaceRect() const;

    QPoint toDevice(int x, int y) const;
    QPoint toDevice(POINT p) const { return toDevice(p.x, p.y); }
    QRect toDevice(const RECT& r) const; // normalised, right and bottom exclusive
    QPoint toLogical(int x, int y) const;
    RECT toLogical(const QRect& r) const;
    // Device length of a logical length along x (for pen widths and font heights).
    int lengthToDevice(int logical) const;
    int lengthToLogical(int device) const;

    // The selected pen and brush; one deleted while selected draws as the default one.
    HPEN selectedPen() const;
    HBRUSH selectedBrush() const;

    // A colour as drawn on this DC: palette indexes resolved, monochrome surfaces given black or white.
    QRgb resolve(COLORREF color) const;
    int logPixels() const { return dpi_; }

    DcState state;
    std::vector<DcState> saved;

private:
    Kind kind_;
    mutable QImage* external_ = nullptr;
    mutable std::function<QImage*()> source_;
    QPoint origin_;
    QRegion ownerClip_; // device coordinates; empty when the owner clips nothing
    bool hasOwnerClip_ = false;
    std::unique_ptr<QImage> page_;
    int dpi_ = 96;
};

DeviceContext* dcOf(HDC hdc);
HDC addDc(std::unique_ptr<DeviceContext> dc);
void removeDc(HDC hdc);

// COLORREF (0x00BBGGRR) to and from QRgb (0xAARRGGBB, opaque).
inline QRgb toRgb(COLORREF c) {
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
inline COLORREF toColorRef(QRgb c) {
    return RGB(qRed(c), qGreen(c), qBlue(c));
}
// Black or white, whichever is nearer (the two colours of a monochrome surface).
inline QRgb monoOf(QRgb c) {
    return qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11 >= 12800 ? 0xFFFFFFFFu : 0xFF000000u;
}

} // namespace pm::gdi
