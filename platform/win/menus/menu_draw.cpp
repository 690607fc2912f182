// Sizes and drawing of menu items in the classic look: raised popup frames, highlighted selection,
// embossed grayed texts, check marks, submenu arrows and accelerator texts in their own column.

#include "platform/win/menus/menu_draw.h"

#include "platform/win/menus/menu_model.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

namespace pm::menus {
namespace {

constexpr int kSeparatorHeight = 9;
constexpr int kAcceleratorGap = 12;
constexpr int kBarItemPadding = 6;

int checkColumn() {
    return GetSystemMetrics(SM_CXMENUCHECK) + 5;
}

struct TextParts {
    std::string label;
    std::string accelerator;
};

TextParts splitText(const std::string& text) {
    std::size_t tab = text.find('\t');
    if (tab == std::string::npos) return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

SIZE textSize(HDC dc, const std::string& text) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// The predefined HBMMENU_ bitmaps: the window's icon and the caption buttons of a maximised MDI
// child in its frame's menu bar.
bool isSpecialBitmap(HBITMAP bitmap) {
    auto v = reinterpret_cast<std::intptr_t>(bitmap);
    return v >= 1 && v <= 11;
}

int specialBitmapWidth(HBITMAP bitmap) {
    return bitmap == HBMMENU_SYSTEM ? GetSystemMetrics(SM_CXSMICON) + 4 : GetSystemMetrics(SM_CXMENUSIZE);
}

void drawSpecialBitmap(HDC dc, const MenuItem& item, const RECT& r, bool selected) {
    if (item.bitmap == HBMMENU_SYSTEM) {
        auto owner = reinterpret_cast<HWND>(item.data);
        auto icon = reinterpret_cast<HICON>(SendMessage(owner, WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtr(owner, GCLP_HICONSM));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtr(owner, GCLP_HICON));
        if (!icon) icon = LoadIcon(nullptr, IDI_APPLICATION);
        int size = GetSystemMetrics(SM_CXSMICON);
        DrawIconEx(dc, (r.left + r.right - size) / 2, (r.top + r.bottom - size) / 2, icon, size, size, 0,
                   nullptr, DI_NORMAL);
        return;
    }
    UINT kind = 0;
    auto v = reinterpret_cast<std::intptr_t>(item.bitmap);
    if (v == 2 || v == 9)
        kind = DFCS_CAPTIONRESTORE;
    else if (v == 3 || v == 7 || v == 11)
        kind = DFCS_CAPTIONMIN;
    else if (v == 10)
        kind = DFCS_CAPTIONMAX;
    else
        kind = DFCS_CAPTIONCLOSE;
    bool inactive = v == 6 || v == 7 || (item.state & (MF_GRAYED | MF_DISABLED));
    RECT button{r.left + 1, r.top + 2, r.right - 1, r.bottom - 2};
    DrawFrameControl(dc, &button, DFC_CAPTION,
                     kind | (inactive ? DFCS_INACTIVE : 0) | (selected && !inactive ? DFCS_PUSHED : 0));
}

int lineHeight(HDC dc) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight;
}

// The screen DC with the menu font selected, released on scope exit.
class MeasureDC {
public:
    MeasureDC() : m_dc(GetDC(nullptr)), m_old(SelectObject(m_dc, menuFont())) {}
    ~MeasureDC() {
        SelectObject(m_dc, m_old);
        ReleaseDC(nullptr, m_dc);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

SIZE measureOwnerDrawn(HWND owner, const MenuItem& item, int fallbackHeight) {
    MEASUREITEMSTRUCT mis{
        ODT_MENU, 0, item.submenu ? static_cast<UINT>(-1) : item.id, 0, static_cast<UINT>(fallbackHeight),
        item.data};
    if (owner) SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
}

void drawLabel(HDC dc, const std::string& text, RECT r, UINT format, bool grayed, bool selected) {
    SetBkMode(dc, TRANSPARENT);
    format |= DT_SINGLELINE | DT_VCENTER;
    if (grayed && !selected) {
        RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    } else if (grayed) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

// Frame-control menu glyphs come black on white; only their black pixels are drawn, in the text
// colour, so that they sit on any background.
void drawGlyph(HDC dc, RECT cell, UINT glyph, COLORREF colour) {
    int size = GetSystemMetrics(SM_CXMENUCHECK);
    int x = cell.left + (cell.right - cell.left - size) / 2,
        y = cell.top + (cell.bottom - cell.top - size) / 2;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, size, size);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT r{0, 0, size, size};
    DrawFrameControl(mem, &r, DFC_MENU, glyph);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px)
            if ((GetPixel(mem, px, py) & 0xFFFFFF) == 0) SetPixel(dc, x + px, y + py, colour);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

void drawBitmap(HDC dc, HBITMAP bitmap, const RECT& r) {
    SIZE s = bitmapSize(bitmap);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(dc, r.left, r.top + (r.bottom - r.top - s.cy) / 2, s.cx, s.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void drawOwnerDrawn(HDC dc, HWND owner, HMENU menu, const MenuItem& item, const RECT& r, bool selected) {
    UINT state = (selected ? ODS_SELECTED : 0) | ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                 ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) |
                 ((item.state & MF_CHECKED) ? ODS_CHECKED : 0);
    DRAWITEMSTRUCT dis{ODT_MENU,
                       0,
                       item.submenu ? static_cast<UINT>(-1) : item.id,
                       ODA_DRAWENTIRE,
                       state,
                       reinterpret_cast<HWND>(menu),
                       dc,
                       r,
                       item.data};
    if (owner) SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

void paintPopupItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, const RECT& r, bool selected,
                    int acceleratorRight) {
    if (item.type & MF_SEPARATOR) {
        RECT line{r.left + 1, r.top + (r.bottom - r.top) / 2 - 1, r.right - 1, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (item.type & MF_OWNERDRAW) {
        drawOwnerDrawn(dc, owner, menu, item, r, selected);
        return;
    }
    bool grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    RECT check{r.left, r.top, r.left + checkColumn(), r.bottom};
    COLORREF ink = GetSysColor(grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (item.state & MF_CHECKED)
        drawGlyph(dc, check, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, ink);
    RECT text{r.left + checkColumn(), r.top, r.right - checkColumn(), r.bottom};
    if (item.type & MF_BITMAP) {
        drawBitmap(dc, item.bitmap, text);
        return;
    }
    TextParts parts = splitText(item.text);
    drawLabel(dc, parts.label, text, DT_LEFT, grayed, selected);
    if (!parts.accelerator.empty()) {
        RECT acc{text.left, r.top, r.left + acceleratorRight, r.bottom};
        drawLabel(dc, parts.accelerator, acc, DT_RIGHT | DT_NOPREFIX, grayed, selected);
    }
    if (item.submenu)
        drawGlyph(dc, RECT{r.right - checkColumn(), r.top, r.right, r.bottom}, DFCS_MENUARROW, ink);
}

} // namespace

HFONT menuFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

PopupLayout layoutPopup(HMENU handle, HWND owner) {
    PopupLayout layout;
    Menu* menu = menuOf(handle);
    if (!menu) return layout;
    MeasureDC dc;
    int itemHeight = std::max(lineHeight(dc.get()) + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
    std::vector<SIZE> sizes;
    int labelWidth = 0, acceleratorWidth = 0;
    for (const MenuItem& item : menu->items) {
        SIZE s{0, itemHeight};
        if (item.type & MF_SEPARATOR) {
            s.cy = kSeparatorHeight;
        } else if (item.type & MF_OWNERDRAW) {
            s = measureOwnerDrawn(owner, item, itemHeight);
            s.cx += checkColumn();
        } else if (item.type & MF_BITMAP) {
            SIZE b = bitmapSize(item.bitmap);
            s = SIZE{b.cx + 2 * checkColumn(), std::max<LONG>(b.cy, itemHeight)};
        } else {
            TextParts parts = splitText(item.text);
            labelWidth = std::max<int>(labelWidth, textSize(dc.get(), parts.label).cx);
            if (!parts.accelerator.empty())
                acceleratorWidth = std::max<int>(acceleratorWidth, textSize(dc.get(), parts.accelerator).cx);
        }
        sizes.push_back(s);
    }
    int textColumn =
        2 * checkColumn() + labelWidth + (acceleratorWidth ? kAcceleratorGap + acceleratorWidth : 0);
    // Items fill columns from the top; MF_MENUBREAK and MF_MENUBARBREAK start a new column.
    int x = kPopupBorder, y = kPopupBorder, columnWidth = 0, bottom = kPopupBorder;
    std::size_t columnStart = 0;
    auto closeColumn = [&](std::size_t end) {
        for (std::size_t i = columnStart; i < end; ++i)
            layout.items[i].right = x + columnWidth;
        x += columnWidth;
    };
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        if (i > 0 && (menu->items[i].type & (MF_MENUBREAK | MF_MENUBARBREAK))) {
            closeColumn(i);
            columnStart = i;
            columnWidth = 0;
            y = kPopupBorder;
        }
        int width = std::max<int>(sizes[i].cx, textColumn);
        columnWidth = std::max(columnWidth, width);
        layout.items.push_back(RECT{x, y, x + width, y + sizes[i].cy});
        y += sizes[i].cy;
        bottom = std::max(bottom, y);
    }
    closeColumn(menu->items.size());
    layout.size = SIZE{std::max(x, kPopupBorder + 40) + kPopupBorder, bottom + kPopupBorder};
    return layout;
}

BarLayout layoutBar(HMENU handle, int width) {
    BarLayout layout;
    int rowHeight = GetSystemMetrics(SM_CYMENU);
    layout.height = rowHeight;
    Menu* menu = menuOf(handle);
    if (!menu) return layout;
    MeasureDC dc;
    int x = 0, y = 0;
    std::size_t rightFrom = menu->items.size();
    for (const MenuItem& item : menu->items) {
        int w = 2 * kBarItemPadding;
        if ((item.type & MF_BITMAP) && isSpecialBitmap(item.bitmap))
            w = specialBitmapWidth(item.bitmap);
        else if (item.type & MF_BITMAP)
            w += bitmapSize(item.bitmap).cx;
        else if (!(item.type & MF_SEPARATOR))
            w += textSize(dc.get(), splitText(item.text).label).cx;
        bool breakRow = (item.type & (MF_MENUBREAK | MF_MENUBARBREAK)) || (x > 0 && x + w > width);
        if (breakRow && x > 0) {
            x = 0;
            y += rowHeight;
            rightFrom = menu->items.size();
        }
        if ((item.type & MF_RIGHTJUSTIFY) && rightFrom == menu->items.size()) rightFrom = layout.items.size();
        layout.items.push_back(RECT{x, y, x + w, y + rowHeight});
        x += w;
    }
    // MF_RIGHTJUSTIFY: that item and those after it on its row end at the bar's right edge.
    if (rightFrom < layout.items.size() && layout.items.back().right < width) {
        int shift = width - layout.items.back().right;
        for (std::size_t i = rightFrom; i < layout.items.size(); ++i)
            OffsetRect(&layout.items[i], shift, 0);
    }
    layout.height = y + rowHeight;
    return layout;
}

void paintPopup(HDC dc, HMENU handle, const PopupLayout& layout, int selected, HWND owner) {
    Menu* menu = menuOf(handle);
    RECT frame{0, 0, layout.size.cx, layout.size.cy};
    FillRect(dc, &frame, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
    if (!menu) return;
    HGDIOBJ old = SelectObject(dc, menuFont());
    for (std::size_t i = 0; i < menu->items.size() && i < layout.items.size(); ++i) {
        const RECT& r = layout.items[i];
        paintPopupItem(dc, owner, handle, menu->items[i], r, static_cast<int>(i) == selected,
                       r.right - r.left - checkColumn());
    }
    SelectObject(dc, old);
}

void paintBar(HDC dc, HMENU handle, const RECT& bar, int selected, bool open) {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    Menu* menu = menuOf(handle);
    if (!menu) return;
    BarLayout layout = layoutBar(handle, bar.right - bar.left);
    HGDIOBJ old = SelectObject(dc, menuFont());
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        RECT r = layout.items[i];
        OffsetRect(&r, bar.left, bar.top);
        if (r.top >= bar.bottom) break;
        bool isSelected = static_cast<int>(i) == selected;
        if ((item.type & MF_BITMAP) && isSpecialBitmap(item.bitmap)) {
            drawSpecialBitmap(dc, item, r, isSelected);
            continue;
        } else if (item.type & MF_BITMAP) {
            drawBitmap(dc, item.bitmap, RECT{r.left + kBarItemPadding, r.top, r.right, r.bottom});
        } else if (!(item.type & MF_SEPARATOR)) {
            RECT text = r;
            if (isSelected && open) OffsetRect(&text, 1, 1);
            drawLabel(dc, splitText(item.text).label, text, DT_CENTER,
                      (item.state & (MF_GRAYED | MF_DISABLED)) != 0, false);
        }
        if (isSelected) DrawEdge(dc, &r, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    SelectObject(dc, old);
}

int findMnemonic(HMENU handle, char ch, int after, int* count) {
    Menu* menu = menuOf(handle);
    *count = 0;
    if (!menu) return -1;
    int n = static_cast<int>(menu->items.size());
    int first = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (after + k + n) % n;
        const MenuItem& item = menu->items[static_cast<std::size_t>(i)];
        if (item.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) continue;
        const std::string& t = item.text;
        for (std::size_t p = 0; p + 1 < t.size(); ++p) {
            if (t[p] != '&') continue;
            if (t[p + 1] == '&') {
                ++p;
                continue;
            }
            if (std::tolower(static_cast<unsigned char>(t[p + 1])) ==
                std::tolower(static_cast<unsigned char>(ch))) {
                ++*count;
                if (first < 0) first = i;
            }
            break;
        }
    }
    return first;
}

bool selectable(HMENU handle, int index) {
    Menu* menu = menuOf(handle);
    if (!menu || index < 0 || index >= static_cast<int>(menu->items.size())) return false;
    return !(menu->items[static_cast<std::size_t>(index)].type & MF_SEPARATOR);
}

bool choosable(HMENU handle, int index) {
    if (!selectable(handle, index)) return false;
    return !(menuOf(handle)->items[static_cast<std::size_t>(index)].state & (MF_GRAYED | MF_DISABLED));
}

} // namespace pm::menus
