// Tool bar: button texts (the string pool of TB_ADDSTRING and texts of the buttons' own), their
// measuring and drawing under or beside the image, TB_GET/SETBUTTONINFO and TB_ADDBITMAP.

#include "platform/win/commctrl/toolbar.h"

#include <algorithm>
#include <cstring>

namespace pm::cc {
namespace {

// Texts in TB_ADDSTRING's double-NUL list are bounded, so an unterminated list stops somewhere.
constexpr std::size_t kMaxPoolText = 64 * 1024;

} // namespace

std::string Toolbar::textOf(int i) const {
    if (!valid(i)) return {};
    const Extra& e = m_extra[static_cast<std::size_t>(i)];
    if (e.ownText) return e.text;
    INT_PTR s = at(i).iString;
    if (s >= 0 && s < static_cast<INT_PTR>(m_strings.size())) return m_strings[static_cast<std::size_t>(s)];
    return {};
}

// Texts show when the bar has text rows; a list bar with TBSTYLE_EX_MIXEDBUTTONS shows only those
// of BTNS_SHOWTEXT buttons.
bool Toolbar::showsText(int i) const {
    if (m_maxTextRows <= 0 || separator(at(i)) || textOf(i).empty()) return false;
    if (listStyle() && (m_exStyle & TBSTYLE_EX_MIXEDBUTTONS)) return at(i).fsStyle & BTNS_SHOWTEXT;
    return true;
}

HFONT Toolbar::textFont() const {
    return m_font ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE Toolbar::measure(const std::string& text) const {
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, textFont());
    RECT rc{0, 0, 0, 0};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_CALCRECT);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return SIZE{rc.right - rc.left, tm.tmHeight};
}

// The widest shown text and the height of the text area (a line per text row).
void Toolbar::measureTexts() const {
    m_text = SIZE{0, 0};
    int line = 0;
    for (int i = 0; i < count(); ++i) {
        if ((at(i).fsState & TBSTATE_HIDDEN) || !showsText(i)) continue;
        SIZE s = measure(textOf(i));
        m_text.cx = std::max(m_text.cx, s.cx);
        line = s.cy;
    }
    if (line) m_text.cy = listStyle() ? line : line * m_maxTextRows;
}

// TB_ADDSTRING: a string resource whose first character separates the strings, or a list of
// strings each ended by NUL with an empty one at the end. Answers the first new index.
LRESULT Toolbar::addStrings(WPARAM wParam, LPARAM lParam) {
    auto first = static_cast<LRESULT>(m_strings.size());
    if (wParam && IS_INTRESOURCE(lParam)) {
        char buffer[1024] = {};
        int n =
            LoadString(reinterpret_cast<HINSTANCE>(wParam), static_cast<UINT>(lParam), buffer, sizeof buffer);
        if (n <= 1) return -1;
        std::string all(buffer, static_cast<std::size_t>(n));
        char sep = all[0];
        std::size_t from = 1;
        while (from <= all.size()) {
            std::size_t to = all.find(sep, from);
            if (to == std::string::npos) to = all.size();
            if (to == all.size() && from == to) break;
            m_strings.push_back(all.substr(from, to - from));
            from = to + 1;
        }
    } else {
        const char* p = reinterpret_cast<const char*>(lParam);
        if (!p) return -1;
        for (std::size_t total = 0; *p && total < kMaxPoolText;) {
            std::size_t n = strnlen(p, kMaxPoolText - total);
            m_strings.emplace_back(p, n);
            total += n + 1;
            p += n + 1;
        }
    }
    m_dirty = true;
    redraw();
    return first;
}

LRESULT Toolbar::buttonText(int command, LPSTR out) const {
    int i = indexOf(command);
    if (i < 0) return -1;
    std::string text = textOf(i);
    if (out) std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

// TB_GETBUTTONINFO / TB_SETBUTTONINFO; both answer the button's index, -1 when there is none.
LRESULT Toolbar::buttonInfo(UINT msg, WPARAM wParam, TBBUTTONINFOA* info) {
    if (!info || info->cbSize < sizeof(TBBUTTONINFOA)) return -1;
    int i = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(wParam) : indexOf(static_cast<int>(wParam));
    if (!valid(i)) return -1;
    TBBUTTON& b = at(i);
    Extra& e = m_extra[static_cast<std::size_t>(i)];
    DWORD mask = info->dwMask;
    if (msg == TB_GETBUTTONINFOA) {
        if (mask & TBIF_COMMAND) info->idCommand = b.idCommand;
        if (mask & TBIF_IMAGE) info->iImage = b.iBitmap;
        if (mask & TBIF_STATE) info->fsState = b.fsState;
        if (mask & TBIF_STYLE) info->fsStyle = b.fsStyle;
        if (mask & TBIF_LPARAM) info->lParam = b.dwData;
        if (mask & TBIF_SIZE) {
            layout();
            info->cx = static_cast<WORD>(rectOf(i).right - rectOf(i).left);
        }
        if ((mask & TBIF_TEXT) && info->pszText) ctl::copyText(textOf(i), info->pszText, info->cchText);
        return i;
    }
    if (mask & TBIF_COMMAND) b.idCommand = info->idCommand;
    if (mask & TBIF_IMAGE) b.iBitmap = info->iImage;
    if (mask & TBIF_STATE) b.fsState = info->fsState;
    if (mask & TBIF_STYLE) b.fsStyle = info->fsStyle;
    if (mask & TBIF_LPARAM) b.dwData = info->lParam;
    if (mask & TBIF_SIZE) e.cx = info->cx;
    if (mask & TBIF_TEXT) {
        e.ownText = true;
        e.text = info->pszText ? info->pszText : "";
    }
    m_dirty = true;
    redraw();
    return i;
}

// TB_ADDBITMAP: images of the bitmap size cut from a bitmap (a resource, or a handle with hInst
// 0) into the bar's image list, light grey as the transparent colour. Answers the first index.
LRESULT Toolbar::addBitmap(int images, const TBADDBITMAP* add) {
    if (!add || images <= 0 || add->hInst == HINST_COMMCTRL) return -1;
    bool loaded = add->hInst != nullptr;
    HBITMAP bitmap =
        loaded ? LoadBitmap(add->hInst, MAKEINTRESOURCE(add->nID)) : reinterpret_cast<HBITMAP>(add->nID);
    if (!bitmap) return -1;
    if (!m_images) {
        m_images = ImageList_Create(m_bitmap.cx, m_bitmap.cy, ILC_COLOR32 | ILC_MASK, images, 8);
        m_ownImages = true;
    }
    int first = ImageList_GetImageCount(m_images);
    int added = ImageList_AddMasked(m_images, bitmap, RGB(192, 192, 192));
    if (loaded) DeleteObject(bitmap);
    m_dirty = true;
    redraw();
    return added < 0 ? -1 : first;
}

// The image and text of a button inside its body: the text under the image, or beside it in a
// list bar; `shift` moves both while the button is pressed.
void Toolbar::drawContent(HDC dc, int i, RECT body, int imageRight, int shift, bool hot) const {
    const TBBUTTON& b = at(i);
    bool text = showsText(i);
    bool image = b.iBitmap != I_IMAGENONE;
    RECT textRc{};
    if (!text) {
        drawImage(dc, b, (body.left + imageRight - m_bitmap.cx) / 2 + shift,
                  (body.top + body.bottom - m_bitmap.cy) / 2 + shift, hot);
    } else if (listStyle()) {
        int x = body.left + kButtonExtra.cx / 2 + 1;
        if (image) {
            drawImage(dc, b, x + shift, (body.top + body.bottom - m_bitmap.cy) / 2 + shift, hot);
            x += m_bitmap.cx + kTextPad / 2;
        }
        textRc = RECT{x, body.top, imageRight - kTextPad / 2, body.bottom};
    } else {
        int y = body.top + kButtonExtra.cy / 2;
        if (image) drawImage(dc, b, (body.left + imageRight - m_bitmap.cx) / 2 + shift, y + shift, hot);
        textRc = RECT{body.left + 2, y + m_bitmap.cy + 1, imageRight - 2, body.bottom - 2};
    }
    if (!text) return;
    OffsetRect(&textRc, shift, shift);
    std::string t = textOf(i);
    UINT flags = DT_END_ELLIPSIS | ((b.fsStyle & BTNS_NOPREFIX) ? DT_NOPREFIX : 0);
    flags |= listStyle() ? (DT_LEFT | DT_VCENTER | DT_SINGLELINE)
                         : (DT_CENTER | (m_maxTextRows > 1 ? DT_WORDBREAK : DT_SINGLELINE));
    HGDIOBJ old = SelectObject(dc, textFont());
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    drawText(dc, t, textRc, flags, !(b.fsState & TBSTATE_ENABLED));
    SelectObject(dc, old);
}

} // namespace pm::cc
