// The bitmap button's picture, drawn with GDI.

#include "app/program/bmp_btn_painter.h"

#include "app/CBmp.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// One rectangle of a solid colour.
void fill(HDC hdc, int left, int top, int right, int bottom, COLORREF colour) {
    if (right <= left || bottom <= top) return;
    const RECT rc{left, top, right, bottom};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(hdc, &rc, brush);
    ::DeleteObject(brush);
}

void outline(HDC hdc, const RECT& rc, COLORREF colour) {
    fill(hdc, rc.left, rc.top, rc.right, rc.top + 1, colour);
    fill(hdc, rc.left, rc.bottom - 1, rc.right, rc.bottom, colour);
    fill(hdc, rc.left, rc.top, rc.left + 1, rc.bottom, colour);
    fill(hdc, rc.right - 1, rc.top, rc.right, rc.bottom, colour);
}

// A bevel `width` pixels wide inside rc: light at the top and left, dark at the bottom and right.
void bevel(HDC hdc, RECT rc, int width, COLORREF light, COLORREF dark) {
    for (int i = 0; i < width && rc.right - rc.left > 1 && rc.bottom - rc.top > 1; ++i) {
        fill(hdc, rc.left, rc.top, rc.right - 1, rc.top + 1, light);
        fill(hdc, rc.left, rc.top, rc.left + 1, rc.bottom - 1, light);
        fill(hdc, rc.left, rc.bottom - 1, rc.right, rc.bottom, dark);
        fill(hdc, rc.right - 1, rc.top, rc.right, rc.bottom, dark);
        ::InflateRect(&rc, -1, -1);
    }
}

// How far inside the face the frame of the style reaches.
int frameInset(const BmpBtnConfig& config, const BmpBtnLook& look) {
    switch (config.frameStyle) {
    case 'T':
    case 'R':
        return 2;
    case 'D':
        return look[kOuterBevel] + look[kBevelGap] + look[kInnerBevel];
    default:
        return look[kOuterBevel];
    }
}

void paintFrame(HDC hdc, const RECT& face, const BmpBtnConfig& config, const BmpBtnLook& look) {
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), grey = RGB(128, 128, 128);
    switch (config.frameStyle) {
    case 'T':
        bevel(hdc, face, 1, white, black);
        bevel(hdc, RECT{face.left + 1, face.top + 1, face.right - 1, face.bottom - 1}, 1, look[kFaceColour],
              grey);
        return;
    case 'R':
        outline(hdc, RECT{face.left, face.top, face.right - 1, face.bottom - 1}, grey);
        outline(hdc, RECT{face.left + 1, face.top + 1, face.right, face.bottom}, white);
        return;
    case 'D': {
        bevel(hdc, face, look[kOuterBevel], look[kOuterHighlight], look[kOuterShadow]);
        RECT inner = face;
        ::InflateRect(&inner, -(look[kOuterBevel] + look[kBevelGap]), -(look[kOuterBevel] + look[kBevelGap]));
        bevel(hdc, inner, look[kInnerBevel], look[kInnerHighlight], look[kInnerShadow]);
        return;
    }
    default:
        bevel(hdc, face, look[kOuterBevel], look[kOuterHighlight], look[kOuterShadow]);
        return;
    }
}

// The record's colours and offsets for the state.
BmpBtnLook lookOfState(const BmpBtnConfig& config, const BmpBtnPaintState& state) {
    BmpBtnLook look = config.look;
    const bool checkLike = config.kind == 'C' || config.kind == 'R';
    if (state.pressed) {
        look[kOuterHighlight] = config.look[kOuterShadow];
        look[kOuterShadow] = config.look[kFaceColour];
        if (!checkLike) {
            ++look[kTextX];
            ++look[kTextY];
        }
    }
    if (state.disabled && config.kind == 'I') {
        std::swap(look[kOuterHighlight], look[kOuterShadow]);
    } else if (state.disabled) {
        look[kFaceColour] = static_cast<int>(RGB(192, 192, 192));
        look[kTextColour] =
            static_cast<int>(BmpBtnColourDigit(look.disabledText.empty() ? '\0' : look.disabledText[0]));
    }
    return look;
}

void drawText(HDC hdc, const std::string& text, RECT rc, UINT flags, int dx, int dy, COLORREF colour) {
    ::OffsetRect(&rc, dx, dy);
    ::SetTextColor(hdc, colour);
    ::DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
}

void paintCaption(HDC hdc, const RECT& face, const BmpBtnConfig& config, const BmpBtnLook& look) {
    if (config.caption.empty()) return;
    RECT rc = face;
    UINT flags = 0;
    switch (config.textAlign) {
    case 'L':
        rc.left += 4;
        flags |= DT_LEFT;
        break;
    case 'R':
        rc.right -= 4;
        flags |= DT_RIGHT;
        break;
    case 'G':
        rc.left += 8;
        flags |= DT_LEFT | DT_TOP | DT_SINGLELINE;
        break;
    default:
        flags |= DT_CENTER;
        break;
    }
    const bool lines = config.caption.find('\n') != std::string::npos;
    if (config.textAlign != 'G' && !lines) flags |= DT_SINGLELINE | DT_VCENTER;
    if (lines) {
        // Several lines stand centred as a block.
        RECT measure = rc;
        ::DrawText(hdc, config.caption.c_str(), -1, &measure, flags | DT_WORDBREAK | DT_CALCRECT);
        const int height = measure.bottom - measure.top;
        rc.top += std::max(0, (rc.bottom - rc.top - height) / 2);
        flags |= DT_WORDBREAK;
    }
    if (config.textAlign == 'G') {
        // The group-box look: the caption over the frame's top edge, on the face colour.
        RECT measure = rc;
        ::DrawText(hdc, config.caption.c_str(), -1, &measure, flags | DT_CALCRECT);
        fill(hdc, measure.left - 2, measure.top, measure.right + 2, measure.bottom, look[kFaceColour]);
    }
    ::SetBkMode(hdc, TRANSPARENT);
    const int x = look[kTextX], y = look[kTextY];
    if (look[kShadowX] || look[kShadowY])
        drawText(hdc, config.caption, rc, flags, x + look[kShadowX], y + look[kShadowY],
                 look[kTextShadowColour]);
    drawText(hdc, config.caption, rc, flags, x, y, look[kTextColour]);
}

// "<" a bitmap resource, ">" a bitmap resource of 256 colours with its palette, "_" and "=" the
// optional image modules (not here), anything else CBmp's names.
bool loadImage(const std::string& name, HBITMAP& bitmap, HPALETTE& palette) {
    bitmap = nullptr;
    palette = nullptr;
    if (name.empty()) return false;
    CBmp loader;
    switch (name[0]) {
    case '<':
        bitmap = ::LoadBitmap(nullptr, name.c_str());
        return bitmap != nullptr;
    case '_':
    case '=':
        return false;
    case '>':
        return loader.LoadResource256(name.c_str(), bitmap, palette) != FALSE;
    default:
        return loader.Load(name.c_str(), bitmap, palette) != FALSE;
    }
}

const std::string& imageOfState(const BmpBtnConfig& config, const BmpBtnPaintState& state) {
    const std::string* chosen = &config.upImage;
    if (state.disabled)
        chosen = &config.otherImage;
    else if (state.pressed)
        chosen = &config.downImage;
    else if (state.hovering && !config.hoverImage.empty())
        chosen = &config.hoverImage;
    return chosen->empty() ? config.upImage : *chosen;
}

void tile(HDC hdc, HDC image, SIZE size, const RECT& face) {
    for (int y = face.top; y < face.bottom; y += size.cy)
        for (int x = face.left; x < face.right; x += size.cx)
            ::BitBlt(hdc, x, y, std::min<int>(size.cx, face.right - x),
                     std::min<int>(size.cy, face.bottom - y), image, 0, 0, SRCCOPY);
}

// Placed once: scaled down to the space inside the frame when it does not fit, keeping its
// proportions, by the image alignment and centred from top to bottom.
void place(HDC hdc, HDC image, SIZE size, const RECT& area, char align) {
    int width = size.cx, height = size.cy;
    const int roomX = std::max<int>(1, area.right - area.left),
              roomY = std::max<int>(1, area.bottom - area.top);
    if (width > roomX || height > roomY) {
        if (static_cast<long>(width) * roomY > static_cast<long>(height) * roomX) {
            height = std::max(1, height * roomX / width);
            width = roomX;
        } else {
            width = std::max(1, width * roomY / height);
            height = roomY;
        }
    }
    int x = (area.left + area.right - width) / 2;
    if (align == 'L') x = area.left + 6;
    if (align == 'R') x = area.right - 6 - width;
    const int y = (area.top + area.bottom - height) / 2;
    if (width == size.cx && height == size.cy)
        ::BitBlt(hdc, x, y, width, height, image, 0, 0, SRCCOPY);
    else
        ::StretchBlt(hdc, x, y, width, height, image, 0, 0, size.cx, size.cy, SRCCOPY);
}

void paintImage(HDC hdc, const RECT& face, int inset, const BmpBtnConfig& config,
                const BmpBtnPaintState& state) {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    if (!loadImage(imageOfState(config, state), bitmap, palette)) return;
    BITMAP info{};
    ::GetObject(bitmap, sizeof info, &info);
    HPALETTE oldPalette = palette ? ::SelectPalette(hdc, palette, FALSE) : nullptr;
    if (palette) ::RealizePalette(hdc);
    HDC image = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(image, bitmap);
    const SIZE size{info.bmWidth, info.bmHeight};
    if (config.tile == '1') {
        tile(hdc, image, size, face);
    } else {
        RECT area = face;
        ::InflateRect(&area, -inset, -inset);
        place(hdc, image, size, area, config.imageAlign);
    }
    ::SelectObject(image, old);
    ::DeleteDC(image);
    if (palette) ::SelectPalette(hdc, oldPalette, FALSE);
    ::DeleteObject(bitmap);
    if (palette) ::DeleteObject(palette);
}

} // namespace

void PaintBmpBtn(HDC hdc, const RECT& rect, const BmpBtnConfig& config, const BmpBtnPaintState& state) {
    const BmpBtnLook look = lookOfState(config, state);
    RECT face = rect;
    // With the black frame, the face leaves the right and bottom edges to it.
    if (look[kBlackFrame]) {
        --face.right;
        --face.bottom;
    }
    fill(hdc, face.left, face.top, face.right, face.bottom, look[kFaceColour]);
    paintFrame(hdc, face, config, look);
    HFONT font = config.font.empty() ? nullptr : [&config] {
        const LOGFONT lf = BmpBtnFont(config.font);
        return ::CreateFontIndirect(&lf);
    }();
    HGDIOBJ oldFont = font ? ::SelectObject(hdc, font) : nullptr;
    paintCaption(hdc, face, config, look);
    if (font) {
        ::SelectObject(hdc, oldFont);
        ::DeleteObject(font);
    }
    paintImage(hdc, face, frameInset(config, look), config, state);
    if (look[kBlackFrame]) outline(hdc, rect, RGB(0, 0, 0));
}
