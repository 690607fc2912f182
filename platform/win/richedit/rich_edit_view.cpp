#include "platform/win/richedit/rich_edit_view.h"

#include "platform/win/richedit/rich_edit_control.h"
#include "platform/win/shell/text_drop.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace pm::richedit {

namespace {

constexpr int kDefaultTabTwips = 720;
constexpr UINT_PTR kAutoScrollTimer = 0x5245;
constexpr int kWheelLines = 3;

LOGFONTA logFontOf(const RunFormat& f, int pixelsPerInch) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(f.heightTwips, pixelsPerInch, 1440);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline || f.link;
    lf.lfStrikeOut = f.strikeOut;
    lf.lfCharSet = f.charSet;
    lf.lfPitchAndFamily = f.pitchAndFamily;
    std::string face = f.face.empty() ? std::string("MS Sans Serif") : f.face;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

} // namespace

RichEditView::RichEditView(RichEditControl& control) : m_control(control) {}

RichEditView::~RichEditView() {
    dropFonts();
}

// ---- Metrics ----

void RichEditView::dropFonts() {
    for (auto& entry : m_fonts)
        DeleteObject(entry.second);
    m_fonts.clear();
    m_lineHeight = 0;
    m_layouts.clear();
}

HFONT RichEditView::fontFor(int formatId, HDC target) {
    if (target) {
        LOGFONTA lf = logFontOf(m_control.model().formats().get(formatId), GetDeviceCaps(target, LOGPIXELSY));
        return CreateFontIndirect(&lf);
    }
    auto it = m_fonts.find(formatId);
    if (it != m_fonts.end()) return it->second;
    LOGFONTA lf = logFontOf(m_control.model().formats().get(formatId), 96);
    HFONT font = CreateFontIndirect(&lf);
    m_fonts.emplace(formatId, font);
    return font;
}

int RichEditView::lineHeight() {
    if (m_lineHeight > 0) return m_lineHeight;
    HDC dc = GetDC(m_control.hwnd());
    HGDIOBJ old = SelectObject(dc, fontFor(m_control.model().defaultFormat()));
    TEXTMETRICA tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(m_control.hwnd(), dc);
    m_lineHeight = std::max<int>(1, tm.tmHeight);
    m_ascent = tm.tmAscent;
    return m_lineHeight;
}

RECT RichEditView::formatRect() const {
    if (m_rectSet) return m_rect;
    RECT rc{};
    GetClientRect(m_control.hwnd(), &rc);
    rc.left += m_leftMargin;
    rc.right -= m_rightMargin;
    return rc;
}

int RichEditView::visibleLines() {
    RECT rc = formatRect();
    return std::max(1, static_cast<int>(rc.bottom - rc.top) / lineHeight());
}

int RichEditView::tabStop(int x, int origin) const {
    const PARAFORMAT& para = m_control.m_para;
    for (int i = 0; i < para.cTabCount; ++i) {
        int stop = origin + MulDiv(para.rgxTabs[i] & 0x00FFFFFF, 96, 1440);
        if (stop > x) return stop;
    }
    int every = MulDiv(kDefaultTabTwips, 96, 1440);
    int last = para.cTabCount > 0 ? origin + MulDiv(para.rgxTabs[para.cTabCount - 1] & 0x00FFFFFF, 96, 1440)
                                  : origin;
    if (x < last) return last;
    return origin + ((x - origin) / every + 1) * every;
}

// Walks a line piece by piece (a piece ends at a run boundary or a tab), from the piece starting
// at pos (the line's start, or a piece start the line layouts keep) at x, calling
// f(piece start, piece end, x, width, format) with the piece's font selected while it returns true.
template <class F>
static void walkLine(RichTextModel& model, int line, int pos, int x, HDC dc,
                     const std::function<HFONT(int)>& font, const std::function<int(int)>& tab, F f) {
    int end = model.lineEnd(line);
    while (pos < end) {
        Run run = model.runs().runAt(pos);
        SelectObject(dc, font(run.format));
        int stop = std::min(end, run.end);
        // The run's text in one view: the views of its pieces inside it then move nothing.
        std::string_view text = model.view(pos, stop - pos);
        const int base = pos;
        while (pos < stop) {
            if (text[static_cast<std::size_t>(pos - base)] == '\t') {
                int next = tab(x);
                if (!f(pos, pos + 1, x, next - x, run.format)) return;
                x = next;
                ++pos;
                continue;
            }
            int pieceEnd = pos;
            while (pieceEnd < stop && text[static_cast<std::size_t>(pieceEnd - base)] != '\t')
                ++pieceEnd;
            SIZE size{};
            GetTextExtentPoint32(dc, text.data() + (pos - base), pieceEnd - pos, &size);
            if (!f(pos, pieceEnd, x, static_cast<int>(size.cx), run.format)) return;
            x += size.cx;
            pos = pieceEnd;
        }
    }
}

template <class F> void RichEditView::walkFrom(HDC dc, int line, int pos, int x, F f) {
    auto font = [this](int id) { return fontFor(id); };
    auto tab = [this](int px) { return tabStop(px, 0); };
    walkLine(m_control.model(), line, pos, x, dc, font, tab, f);
}

LineLayouts::Walk RichEditView::layoutWalk(HDC dc, int line) {
    return [this, dc, line](int pos, int x, const LineLayouts::Visit& visit) {
        walkFrom(dc, line, pos, x, [&](int from, int to, int px, int width, int) {
            return visit(LineLayouts::Piece{from, to, px, width,
                                            to - from == 1 && m_control.model().charAt(from) == '\t'});
        });
    };
}

bool RichEditView::isLong(int line) const {
    return m_control.model().lineLength(line) >= LineLayouts::kLongLine;
}

LineLayouts::Point RichEditView::walkStart(HDC dc, int line, int pos) {
    RichTextModel& model = m_control.model();
    int start = model.lineStart(line);
    if (!isLong(line)) return {start, 0};
    return m_layouts.before(start, model.lineLength(line), pos, layoutWalk(dc, line));
}

LineLayouts::Point RichEditView::walkStartAtX(HDC dc, int line, int x) {
    RichTextModel& model = m_control.model();
    int start = model.lineStart(line);
    if (!isLong(line)) return {start, 0};
    return m_layouts.beforeX(start, model.lineLength(line), x, layoutWalk(dc, line));
}

int RichEditView::xOf(HDC dc, int pos) {
    RichTextModel& model = m_control.model();
    int line = model.lineFromPosition(pos);
    LineLayouts::Point from = walkStart(dc, line, pos);
    int result = from.x;
    walkFrom(dc, line, from.pos, from.x, [&](int from, int to, int x, int width, int) {
        if (pos >= to) {
            result = x + width;
            return true;
        }
        if (pos <= from) {
            result = x;
            return false;
        }
        std::string_view piece = model.view(from, to - from);
        std::vector<int> dx(piece.size());
        SIZE size{};
        int fit = 0;
        GetTextExtentExPoint(dc, piece.data(), static_cast<int>(piece.size()), 0x7FFFFFF, &fit, dx.data(),
                             &size);
        result = x + (pos - from > 0 ? dx[static_cast<std::size_t>(pos - from - 1)] : 0);
        return false;
    });
    return result;
}

int RichEditView::positionAt(HDC dc, int line, int x) {
    RichTextModel& model = m_control.model();
    int result = model.lineEnd(line);
    LineLayouts::Point start = walkStartAtX(dc, line, x);
    walkFrom(dc, line, start.pos, start.x, [&](int from, int to, int left, int width, int) {
        if (x >= left + width) return true;
        if (to - from == 1 && model.charAt(from) == '\t') {
            result = x < left + width / 2 ? from : to;
            return false;
        }
        std::string_view piece = model.view(from, to - from);
        std::vector<int> dx(piece.size());
        SIZE size{};
        int fit = 0;
        GetTextExtentExPoint(dc, piece.data(), static_cast<int>(piece.size()), 0x7FFFFFF, &fit, dx.data(),
                             &size);
        int prev = 0;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i + 1 < piece.size() && dx[i] == dx[i + 1]) continue; // inside a multi-byte character
            if (x < left + (prev + dx[i]) / 2) {
                // Step back to the first byte of this character.
                std::size_t k = i;
                while (k > 0 && dx[k - 1] == dx[i])
                    --k;
                result = from + static_cast<int>(k);
                return false;
            }
            prev = dx[i];
        }
        result = to;
        return false;
    });
    return model.validPosition(result);
}

POINT RichEditView::pointOf(int pos) {
    RichTextModel& model = m_control.model();
    RECT rc = formatRect();
    HDC dc = GetDC(m_control.hwnd());
    int x = xOf(dc, pos);
    ReleaseDC(m_control.hwnd(), dc);
    int line = model.lineFromPosition(pos);
    return POINT{rc.left + x - m_xOffset, rc.top + (line - m_firstLine) * lineHeight()};
}

int RichEditView::positionFrom(POINT pt) {
    RichTextModel& model = m_control.model();
    RECT rc = formatRect();
    int row = (pt.y - rc.top) >= 0 ? (pt.y - rc.top) / lineHeight() : -1 - (rc.top - pt.y - 1) / lineHeight();
    int line = std::clamp(m_firstLine + row, 0, model.lineCount() - 1);
    HDC dc = GetDC(m_control.hwnd());
    int pos = positionAt(dc, line, pt.x - rc.left + m_xOffset);
    ReleaseDC(m_control.hwnd(), dc);
    return pos;
}

// ---- Painting ----

bool RichEditView::selectionShown() const {
    if (m_hideSelection) return false;
    return m_focused || (m_control.style() & ES_NOHIDESEL);
}

void RichEditView::invalidateLines(int firstLine, int lastLine) {
    if (!m_redraw) return;
    RECT rc{};
    GetClientRect(m_control.hwnd(), &rc);
    RECT fr = formatRect();
    int h = lineHeight();
    int top = fr.top + (firstLine - m_firstLine) * h;
    if (top > rc.bottom) return;
    RECT area{rc.left, std::max<LONG>(rc.top, top), rc.right,
              lastLine < 0 ? rc.bottom
                           : std::min<LONG>(rc.bottom, fr.top + (lastLine - m_firstLine + 1) * h)};
    if (area.bottom <= area.top) return;
    InvalidateRect(m_control.hwnd(), &area, FALSE);
}

void RichEditView::paint() {
    PAINTSTRUCT ps{};
    int widestBefore = m_widestLine;
    HDC dc = BeginPaint(m_control.hwnd(), &ps);
    RECT client{};
    GetClientRect(m_control.hwnd(), &client);
    HBRUSH background = m_control.m_systemBackground ? GetSysColorBrush(COLOR_WINDOW)
                                                     : CreateSolidBrush(m_control.m_background);
    FillRect(dc, &ps.rcPaint, background);
    if (!m_control.m_systemBackground) DeleteObject(background);
    RECT fr = formatRect();
    int h = lineHeight();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, fr.left, fr.top, fr.right, fr.bottom);
    SetBkMode(dc, TRANSPARENT);
    RichTextModel& model = m_control.model();
    // Only the lines, and the parts of them, that meet the update rectangle.
    RECT visible{std::max(fr.left, ps.rcPaint.left), 0, std::min(fr.right, ps.rcPaint.right), 0};
    int first = m_firstLine + std::max(0, static_cast<int>(ps.rcPaint.top - fr.top) / h);
    for (int line = first; line < model.lineCount() && visible.left < visible.right; ++line) {
        int y = fr.top + (line - m_firstLine) * h;
        if (y >= ps.rcPaint.bottom || y >= fr.bottom) break;
        paintLine(dc, line, y, fr.left - m_xOffset, visible);
    }
    RestoreDC(dc, saved);
    EndPaint(m_control.hwnd(), &ps);
    if (m_widestLine != widestBefore) updateScrollBars();
}

void RichEditView::paintLine(HDC dc, int line, int y, int origin, const RECT& visible) {
    RichTextModel& model = m_control.model();
    // An empty selection (the caret alone) splits no piece.
    bool selection = selectionShown() && model.selectionStart() < model.selectionEnd();
    int selStart = selection ? model.selectionStart() : 0;
    int selEnd = selection ? model.selectionEnd() : 0;
    int h = lineHeight();
    COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    // Pieces next to the visible part are drawn too: italic glyphs reach over their cells.
    const int left = visible.left - h - origin, right = visible.right + h - origin;
    // A short line is walked whole: the pieces in view are drawn, the rest only measured for its
    // width. A long one from the last piece start its layout knows left of the view, to the view's end.
    const bool longLine = isLong(line);
    LineLayouts::Point start = walkStartAtX(dc, line, left);
    int lineWidth = 0;
    walkFrom(dc, line, start.pos, start.x, [&](int from, int to, int x, int width, int formatId) {
        lineWidth = x + width;
        if (x >= right) return !longLine;
        if (x + width <= left) return true;
        const RunFormat& f = model.formats().get(formatId);
        COLORREF color = f.autoColor ? GetSysColor(COLOR_WINDOWTEXT) : f.color;
        bool tabPiece = to - from == 1 && model.charAt(from) == '\t';
        // Split the piece where the selection starts or ends.
        int cuts[4] = {from, std::clamp(selStart, from, to), std::clamp(selEnd, from, to), to};
        std::string_view piece = model.view(from, to - from);
        std::vector<int> dx;
        if (!tabPiece && (cuts[1] > from || cuts[2] < to)) {
            dx.resize(piece.size());
            SIZE size{};
            int fit = 0;
            GetTextExtentExPoint(dc, piece.data(), static_cast<int>(piece.size()), 0x7FFFFFF, &fit, dx.data(),
                                 &size);
        }
        auto offsetOf = [&](int pos) {
            if (pos <= from) return 0;
            if (pos >= to) return width;
            return dx[static_cast<std::size_t>(pos - from - 1)];
        };
        for (int k = 0; k < 3; ++k) {
            int a = cuts[k], b = cuts[k + 1];
            if (a >= b) continue;
            bool selected = k == 1;
            int l = origin + x + offsetOf(a), r = origin + x + offsetOf(b);
            if (selected) {
                RECT rc{l, y, r, y + h};
                FillRect(dc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
            if (tabPiece) continue;
            SetTextColor(dc, selected ? highlightText : color);
            std::string_view part = model.view(a, b - a);
            TextOut(dc, l, y, part.data(), static_cast<int>(part.size()));
        }
        return true;
    });
    if (longLine)
        lineWidth = m_layouts.width(model.lineStart(line), model.lineLength(line), layoutWalk(dc, line));
    // A selected line break shows as a small selected block after the text.
    int end = model.lineEnd(line);
    m_widestLine = std::max(m_widestLine, lineWidth + h);
    if (selStart <= end && end < selEnd && end < model.length()) {
        int x = origin + lineWidth;
        RECT r{x, y, x + std::max(4, h / 3), y + h};
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
}

void RichEditView::updateCaret() {
    if (!m_focused) return;
    if (!m_caretCreated) {
        CreateCaret(m_control.hwnd(), nullptr, 1, lineHeight());
        m_caretCreated = true;
        ShowCaret(m_control.hwnd());
    }
    POINT pt = pointOf(m_control.model().caret());
    SetCaretPos(pt.x, pt.y);
}

void RichEditView::textChanged(int from, int oldTo, int newTo) {
    RichTextModel& model = m_control.model();
    m_layouts.textChanged(from, oldTo, newTo,
                          [&model](int start) { return model.lineLength(model.lineFromPosition(start)); });
    m_firstLine = std::min(m_firstLine, model.lineCount() - 1);
    // Lines below move only when the number of lines changed.
    int first = model.lineFromPosition(from);
    if (model.lineCount() == m_paintedLineCount) {
        invalidateLines(first, model.lineFromPosition(newTo));
    } else {
        invalidateLines(first, -1);
        m_paintedLineCount = model.lineCount();
        updateScrollBars();
    }
    updateCaret();
}

void RichEditView::repaint() {
    invalidateLines(m_firstLine, -1);
}

void RichEditView::selectionChanged(int oldStart, int oldEnd) {
    RichTextModel& model = m_control.model();
    m_desiredX = -1;
    if (selectionShown()) {
        int a = model.lineFromPosition(std::min(oldStart, model.selectionStart()));
        int b = model.lineFromPosition(std::max(oldEnd, model.selectionEnd()));
        if (oldStart != oldEnd || model.selectionStart() != model.selectionEnd()) invalidateLines(a, b);
    }
    updateCaret();
}

void RichEditView::formatsChanged(int from, int to) {
    RichTextModel& model = m_control.model();
    m_layouts.formatsChanged(from, to);
    m_lineHeight = 0;
    invalidateLines(model.lineFromPosition(from), model.lineFromPosition(to));
    updateScrollBars();
    updateCaret();
}

// ---- Scrolling ----

void RichEditView::notifyScroll(UINT code) {
    if (!(m_control.m_eventMask & ENM_SCROLL)) return;
    HWND hwnd = m_control.hwnd();
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                reinterpret_cast<LPARAM>(hwnd));
}

void RichEditView::scrollTo(int firstLine, int xOffset) {
    RichTextModel& model = m_control.model();
    firstLine = std::clamp(firstLine, 0, std::max(0, model.lineCount() - 1));
    xOffset = std::max(0, xOffset);
    bool vertical = firstLine != m_firstLine, horizontal = xOffset != m_xOffset;
    if (!vertical && !horizontal) return;
    int dy = (m_firstLine - firstLine) * lineHeight(), dx = m_xOffset - xOffset;
    m_firstLine = firstLine;
    m_xOffset = xOffset;
    updateScrollBars();
    if (m_redraw) scrollPixels(dx, dy);
    updateCaret();
    if (vertical) notifyScroll(EN_VSCROLL);
    if (horizontal) notifyScroll(EN_HSCROLL);
}

void RichEditView::scrollPixels(int dx, int dy) {
    HWND hwnd = m_control.hwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT fr = formatRect(), area{};
    IntersectRect(&area, &fr, &client);
    ScrollWindowEx(hwnd, dx, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
}

void RichEditView::scrollLines(int delta) {
    scrollTo(m_firstLine + delta, m_xOffset);
}

void RichEditView::updateScrollBars() {
    HWND hwnd = m_control.hwnd();
    // The style the control was made with: the window's own style loses WS_VSCROLL while the bar
    // is hidden for want of lines.
    DWORD style = m_control.style();
    UINT keep = (style & ES_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (style & WS_VSCROLL) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
        si.nMax = m_control.model().lineCount() - 1;
        si.nPage = static_cast<UINT>(visibleLines());
        si.nPos = m_firstLine;
        SetScrollInfo(hwnd, SB_VERT, &si, m_redraw);
    }
    if (style & WS_HSCROLL) {
        RECT fr = formatRect();
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
        // The range is inclusive: text as wide as the page needs no bar.
        si.nMax = std::max(m_widestLine, m_xOffset + static_cast<int>(fr.right - fr.left)) - 1;
        si.nPage = static_cast<UINT>(std::max<LONG>(0, fr.right - fr.left));
        si.nPos = m_xOffset;
        SetScrollInfo(hwnd, SB_HORZ, &si, m_redraw);
    }
}

void RichEditView::scrollColumns(int dx) {
    scrollTo(m_firstLine, m_xOffset + dx);
}

void RichEditView::scrollCaretIntoView() {
    RichTextModel& model = m_control.model();
    int line = model.lineFromPosition(model.caret());
    int lines = visibleLines();
    int first = m_firstLine;
    if (line < first)
        first = line;
    else if (line >= first + lines)
        first = line - lines + 1;
    RECT fr = formatRect();
    int width = std::max<int>(1, fr.right - fr.left);
    HDC dc = GetDC(m_control.hwnd());
    int x = xOf(dc, model.caret());
    ReleaseDC(m_control.hwnd(), dc);
    int xOffset = m_xOffset;
    if (x < xOffset)
        xOffset = std::max(0, x - width / 3);
    else if (x >= xOffset + width)
        xOffset = x - width + width / 3;
    scrollTo(first, xOffset);
}

LRESULT RichEditView::onScroll(bool vertical, WPARAM wParam) {
    int code = LOWORD(wParam);
    int page =
        vertical ? visibleLines() : std::max(1, static_cast<int>(formatRect().right - formatRect().left));
    int step = vertical ? 1 : std::max(1, lineHeight());
    int current = vertical ? m_firstLine : m_xOffset;
    int target = current;
    switch (code) {
    case SB_LINEUP:
        target -= step;
        break;
    case SB_LINEDOWN:
        target += step;
        break;
    case SB_PAGEUP:
        target -= page;
        break;
    case SB_PAGEDOWN:
        target += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position: HIWORD holds only 16 bits of it.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        bool windowBar = GetScrollInfo(m_control.hwnd(), vertical ? SB_VERT : SB_HORZ, &si) != 0;
        target = windowBar ? si.nTrackPos : HIWORD(wParam);
        break;
    }
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = vertical ? m_control.model().lineCount() - 1 : current;
        break;
    default:
        return 0;
    }
    if (vertical)
        scrollTo(target, m_xOffset);
    else
        scrollTo(m_firstLine, target);
    return MAKELRESULT(vertical ? target - current : 0, TRUE);
}

std::pair<int, int> RichEditView::visibleRange() {
    RichTextModel& model = m_control.model();
    int last = std::min(model.lineCount() - 1, m_firstLine + visibleLines() - 1);
    int end = last + 1 < model.lineCount() ? model.lineStart(last + 1) : model.length();
    return {model.lineStart(m_firstLine), end};
}

int RichEditView::verticalTarget(int caret, UINT vk) {
    RichTextModel& model = m_control.model();
    HDC dc = GetDC(m_control.hwnd());
    if (m_desiredX < 0) m_desiredX = xOf(dc, caret);
    int line = model.lineFromPosition(caret);
    int page = visibleLines();
    int target = line;
    if (vk == VK_UP)
        target = line - 1;
    else if (vk == VK_DOWN)
        target = line + 1;
    else if (vk == VK_PRIOR)
        target = line - page;
    else if (vk == VK_NEXT)
        target = line + page;
    int pos;
    if (target < 0)
        pos = 0;
    else if (target >= model.lineCount())
        pos = model.length();
    else
        pos = positionAt(dc, target, m_desiredX);
    ReleaseDC(m_control.hwnd(), dc);
    int keep = m_desiredX;
    if (vk == VK_PRIOR || vk == VK_NEXT) scrollLines(target - line);
    m_desiredX = keep;
    return pos;
}

// ---- Mouse ----

void RichEditView::buttonDown(LPARAM lParam, bool doubleClick) {
    HWND hwnd = m_control.hwnd();
    if (GetFocus() != hwnd) SetFocus(hwnd);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int pos = positionFrom(pt);
    RichTextModel& model = m_control.model();
    if (doubleClick) {
        int line = model.lineFromPosition(pos);
        int a = pos, b = pos;
        while (a > model.lineStart(line) && isWordByte(static_cast<unsigned char>(model.charAt(a - 1))))
            --a;
        while (b < model.lineEnd(line) && isWordByte(static_cast<unsigned char>(model.charAt(b))))
            ++b;
        m_control.setSelection(a, b);
        return;
    }
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    SetCapture(hwnd);
    m_pressPoint = pt;
    m_pressPos = pos;
    if (!shift && model.selectionStart() < model.selectionEnd() && pos >= model.selectionStart() &&
        pos < model.selectionEnd() && !m_control.readOnly()) {
        m_dragPending = true;
        return;
    }
    m_selecting = true;
    m_control.setSelection(shift ? model.anchor() : pos, pos);
    SetTimer(hwnd, kAutoScrollTimer, 50, nullptr);
}

void RichEditView::mouseMove(LPARAM lParam) {
    if (GetCapture() != m_control.hwnd()) return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_dragPending) {
        int slop = GetSystemMetrics(SM_CXDRAG);
        if (std::abs(pt.x - m_pressPoint.x) <= slop && std::abs(pt.y - m_pressPoint.y) <= slop) return;
        m_dragPending = false;
        m_dragging = true;
    }
    if (m_dragging) {
        m_dropPos = positionFrom(pt);
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return;
    }
    if (!m_selecting) return;
    RichTextModel& model = m_control.model();
    m_control.setSelection(model.anchor(), positionFrom(pt));
    scrollCaretIntoView();
}

void RichEditView::buttonUp(LPARAM lParam) {
    HWND hwnd = m_control.hwnd();
    KillTimer(hwnd, kAutoScrollTimer);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_dragPending) {
        m_dragPending = false;
        m_control.setSelection(m_pressPos, m_pressPos);
    } else if (m_dragging) {
        m_dragging = false;
        bool copy = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        RECT client{};
        GetClientRect(hwnd, &client);
        if (PtInRect(&client, pt))
            dropText(positionFrom(pt), copy);
        else
            dropElsewhere(pt, copy);
    }
    m_selecting = false;
    if (GetCapture() == hwnd) ReleaseCapture();
}

// Moves (or copies) the selection to target: announced as WM_CUT of the source while the button
// is down and WM_PASTE at the drop, then one EN_CHANGE with the dropped text selected.
void RichEditView::dropText(int target, bool copy) {
    RichTextModel& model = m_control.model();
    int from = model.selectionStart(), to = model.selectionEnd();
    if (target >= from && target <= to) {
        m_control.setSelection(target, target);
        return;
    }
    std::string text = model.text(from, to - from);
    std::vector<FormattedPiece> runs = runsOf(model, from, to - from);
    if (copy && m_control.clientSize(text) > m_control.limitRoomFor(target, target)) {
        m_control.beep();
        return;
    }
    if (!copy && !m_control.announceProtected(WM_CUT, 0, 0, from, to)) return;
    if (!m_control.announceProtected(WM_PASTE, 0, 0, target, target)) return;
    int len = to - from;
    if (copy) {
        m_control.applyFormattedChange(target, target, text, runs, target, target + len);
        return;
    }
    // A move is one change of the stretch from the drop point to the far end of the selection:
    // the text between and the selection trade places.
    std::string moved;
    std::vector<FormattedPiece> movedRuns;
    int lo = std::min(from, target), hi = std::max(to, target);
    auto add = [&](const std::string& t, const std::vector<FormattedPiece>& r) {
        moved += t;
        movedRuns.insert(movedRuns.end(), r.begin(), r.end());
    };
    if (target < from) {
        add(text, runs);
        add(model.text(target, from - target), runsOf(model, target, from - target));
    } else {
        add(model.text(to, target - to), runsOf(model, to, target - to));
        add(text, runs);
    }
    int start = target < from ? target : target - len;
    m_control.applyFormattedChange(lo, hi, moved, movedRuns, start, start + len);
}

void RichEditView::dropElsewhere(POINT pt, bool copy) {
    HWND hwnd = m_control.hwnd();
    ClientToScreen(hwnd, &pt);
    HWND target = WindowFromPoint(pt);
    if (!target || target == hwnd) return;
    RichTextModel& model = m_control.model();
    int from = model.selectionStart(), to = model.selectionEnd();
    if (!copy && !m_control.announceProtected(WM_CUT, 0, 0, from, to)) return;
    std::string dragged = model.text(from, to - from);
    if (!dropTextAt(pt, model.textCrLf(from, to - from), false) || copy) return;
    // The target's handlers may have changed this text meanwhile: only the very text dragged goes.
    if (model.selectionStart() != from || model.selectionEnd() != to ||
        model.text(from, to - from) != dragged)
        return;
    m_control.applyChange(from, to, {}, model.formatForInsertion(from), true, false);
}

LRESULT RichEditView::takeDrop(POINT screenPoint, std::string_view text, bool query) {
    if (query) return m_control.readOnly() ? 0 : 1;
    if (m_control.readOnly()) {
        m_control.beep();
        return 0;
    }
    ScreenToClient(m_control.hwnd(), &screenPoint);
    return m_control.takeDroppedText(positionFrom(screenPoint), text) ? 1 : 0;
}

bool RichEditView::overLink(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int pos = positionFrom(pt);
    // The character under the point, not the caret position nearest to it.
    POINT at = pointOf(pos);
    if (at.x > pt.x && pos > 0) pos = m_control.model().previousCharPosition(pos);
    return m_control.notifyLink(msg, wParam, lParam, pos);
}

// ---- Printing ----

LRESULT RichEditView::formatRange(BOOL render, FORMATRANGE* range) {
    if (!range) return 0;
    RichTextModel& model = m_control.model();
    HDC dc = range->hdc;
    HDC target = range->hdcTarget ? range->hdcTarget : dc;
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    auto toX = [&](LONG twips) { return MulDiv(twips, dpiX, 1440); };
    auto toY = [&](LONG twips) { return MulDiv(twips, dpiY, 1440); };
    RECT area{toX(range->rc.left), toY(range->rc.top), toX(range->rc.right), toY(range->rc.bottom)};
    int start = m_control.toModel(std::max<LONG>(0, range->chrg.cpMin));
    int end = range->chrg.cpMax < 0 ? model.length() : m_control.toModel(range->chrg.cpMax);
    std::unordered_map<int, HFONT> printFonts;
    auto font = [&](int id) {
        auto it = printFonts.find(id);
        if (it != printFonts.end()) return it->second;
        HFONT f = fontFor(id, target);
        printFonts.emplace(id, f);
        return f;
    };
    int tabEvery = MulDiv(kDefaultTabTwips, dpiX, 1440);
    auto tab = [&](int x) { return (x / tabEvery + 1) * tabEvery; };
    int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ original = SelectObject(dc, font(model.defaultFormat()));
    TEXTMETRICA tm{};
    GetTextMetrics(dc, &tm);
    int h = std::max<int>(1, tm.tmHeight);
    int y = area.top;
    int pos = start;
    bool first = true;
    while (pos < end) {
        // Every page takes at least one line, so a caller's page loop always ends.
        if (!first && y + h > area.bottom) break;
        first = false;
        int line = model.lineFromPosition(pos);
        int lineEndPos = std::min(end, model.lineEnd(line));
        if (render) {
            walkLine(model, line, model.lineStart(line), 0, dc, font, tab,
                     [&](int from, int to, int x, int, int formatId) {
                         if (to <= pos) return true;
                         if (from >= lineEndPos) return false;
                         const RunFormat& f = model.formats().get(formatId);
                         SetTextColor(dc, f.autoColor ? RGB(0, 0, 0) : f.color);
                         if (!(to - from == 1 && model.charAt(from) == '\t')) {
                             std::string_view part = model.view(from, std::min(to, lineEndPos) - from);
                             TextOut(dc, area.left + x, y, part.data(), static_cast<int>(part.size()));
                         }
                         return true;
                     });
        }
        y += h;
        pos = line + 1 < model.lineCount() ? model.lineStart(line + 1) : model.length();
    }
    SelectObject(dc, original);
    RestoreDC(dc, saved);
    for (auto& entry : printFonts)
        DeleteObject(entry.second);
    return m_control.toClient(std::min(pos, end));
}

// ---- Fonts ----

LRESULT RichEditView::setFont(HFONT font, BOOL redraw) {
    m_font = font;
    LOGFONTA lf{};
    if (!font || GetObject(font, sizeof lf, &lf) == 0) return 0;
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET;
    cf.yHeight = lf.lfHeight < 0 ? -lf.lfHeight * 15 : lf.lfHeight * 15;
    cf.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0);
    cf.bCharSet = lf.lfCharSet;
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    std::memcpy(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
    m_control.handle(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    m_control.handle(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    dropFonts();
    if (m_caretCreated) {
        DestroyCaret();
        m_caretCreated = false;
    }
    updateCaret();
    if (redraw) InvalidateRect(m_control.hwnd(), nullptr, TRUE);
    return 0;
}

// ---- Dispatch ----

LRESULT RichEditView::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_control.hwnd();
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        updateScrollBars();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        return setFont(reinterpret_cast<HFONT>(wParam), static_cast<BOOL>(lParam));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETREDRAW:
        m_redraw = wParam != 0;
        if (m_redraw) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        // Focus ends a hiding for now: the style decides from here on.
        m_focused = true;
        m_hideSelection = false;
        updateCaret();
        if (m_control.model().selectionStart() != m_control.model().selectionEnd())
            InvalidateRect(hwnd, nullptr, FALSE);
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), EN_SETFOCUS),
                    reinterpret_cast<LPARAM>(hwnd));
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        if (m_caretCreated) {
            DestroyCaret();
            m_caretCreated = false;
        }
        if (m_control.model().selectionStart() != m_control.model().selectionEnd())
            InvalidateRect(hwnd, nullptr, FALSE);
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), EN_KILLFOCUS),
                    reinterpret_cast<LPARAM>(hwnd));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        if (GetCapture() != hwnd && overLink(msg, wParam, lParam)) return 0;
        if (msg == WM_MOUSEMOVE) mouseMove(lParam);
        if (msg == WM_LBUTTONUP) buttonUp(lParam);
        return msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP ? DefWindowProc(hwnd, msg, wParam, lParam) : 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_IBEAM));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (overLink(msg, wParam, lParam)) return 0;
        buttonDown(lParam, false);
        return 0;
    case WM_LBUTTONDBLCLK:
        buttonDown(lParam, true);
        return 0;
    case WM_CAPTURECHANGED:
        m_selecting = m_dragPending = m_dragging = false;
        KillTimer(hwnd, kAutoScrollTimer);
        return 0;
    case WM_TIMER:
        if (wParam == kAutoScrollTimer && m_selecting) {
            POINT pt{};
            GetCursorPos(&pt);
            ScreenToClient(hwnd, &pt);
            RECT fr = formatRect();
            if (pt.y < fr.top)
                scrollLines(-1);
            else if (pt.y >= fr.bottom)
                scrollLines(1);
            else
                return 0;
            mouseMove(MAKELPARAM(pt.x, pt.y));
        }
        return 0;
    case WM_MOUSEWHEEL:
        scrollLines(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines);
        return 0;
    case WM_VSCROLL:
        return onScroll(true, wParam);
    case WM_HSCROLL:
        return onScroll(false, wParam);
    case EM_GETFIRSTVISIBLELINE:
        return m_firstLine;
    case EM_LINESCROLL:
        scrollTo(m_firstLine + static_cast<int>(lParam),
                 m_xOffset + static_cast<int>(static_cast<LONG>(wParam)) * lineHeight() / 2);
        return TRUE;
    case EM_SCROLL: {
        // Line and page steps only; the answer holds the lines actually scrolled.
        UINT code = LOWORD(wParam);
        if (code != SB_LINEUP && code != SB_LINEDOWN && code != SB_PAGEUP && code != SB_PAGEDOWN)
            return FALSE;
        int before = m_firstLine;
        onScroll(true, code);
        return MAKELRESULT(static_cast<WORD>(m_firstLine - before), TRUE);
    }
    case EM_SCROLLCARET:
        scrollCaretIntoView();
        return 0;
    case EM_HIDESELECTION:
        m_hideSelection = wParam != 0;
        if (lParam) {
            // A lasting change of ES_NOHIDESEL, in the window's style and in the one we keep.
            auto toggle = [this](DWORD style) {
                return m_hideSelection ? (style & ~static_cast<DWORD>(ES_NOHIDESEL)) : (style | ES_NOHIDESEL);
            };
            m_control.m_style = toggle(m_control.m_style);
            DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
            SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(toggle(style)));
        }
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case EM_POSFROMCHAR: {
        // Two calling forms: (POINTL*, char) returns nothing; (char, 0) returns the packed point.
        if (wParam > 0xFFFF && lParam >= 0) {
            POINT pt = pointOf(m_control.toModel(static_cast<LONG>(lParam)));
            *reinterpret_cast<POINT*>(wParam) = pt;
            return 0;
        }
        POINT pt = pointOf(m_control.toModel(static_cast<LONG>(wParam)));
        return MAKELRESULT(pt.x, pt.y);
    }
    case EM_CHARFROMPOS: {
        const POINT* pt = reinterpret_cast<const POINT*>(lParam);
        if (!pt) return 0;
        return m_control.toClient(positionFrom(*pt));
    }
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (lParam) {
            m_rect = *reinterpret_cast<const RECT*>(lParam);
            m_rectSet = true;
        } else {
            m_rectSet = false;
        }
        if (msg == EM_SETRECT) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case EM_GETRECT:
        if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect();
        return 0;
    case EM_SETMARGINS:
        if (wParam & EC_LEFTMARGIN) m_leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? 1 : LOWORD(lParam);
        if (wParam & EC_RIGHTMARGIN) m_rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? 1 : HIWORD(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case EM_GETMARGINS:
        return MAKELRESULT(m_leftMargin, m_rightMargin);
    case EM_FORMATRANGE:
        return lParam ? formatRange(static_cast<BOOL>(wParam), reinterpret_cast<FORMATRANGE*>(lParam)) : 0;
    case EM_SETTARGETDEVICE:
        return TRUE;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace pm::richedit
