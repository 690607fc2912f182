// The "EDIT" control: single- and multi-line text entry over EditText, with selection by keyboard
// and mouse, clipboard, one level of undo, password, number, case and read-only styles, tab stops,
// scrolling and its notifications (EN_UPDATE before the new text shows, EN_CHANGE after).

#include "platform/win/controls/control.h"
#include "platform/win/controls/edit_text.h"
#include "platform/win/controls/system_classes.h"
#include "platform/win/utf8.h"
#include "platform/win/winmenu.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace pm::ctl {

namespace {

constexpr std::size_t kDefaultLimit = 32767;
constexpr std::size_t kNoLimit = 0x7FFFFFFE;
constexpr int kDefaultTabDlu = 32;

bool keyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

// A DC of the control with its font selected, for measuring.
class FontDC {
public:
    FontDC(HWND hwnd, HFONT font) : m_hwnd(hwnd), m_dc(GetDC(hwnd)), m_old(SelectObject(m_dc, font)) {}
    ~FontDC() {
        SelectObject(m_dc, m_old);
        ReleaseDC(m_hwnd, m_dc);
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    HDC dc() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
    HGDIOBJ m_old;
};

class Edit final : public Control {
public:
    Edit(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd) {
        m_text.setLimit(kDefaultLimit);
        if ((cs.style & ES_PASSWORD) && !(cs.style & ES_MULTILINE)) m_password = '*';
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) {
            if (msg == WM_SETFONT) fontChanged();
            return common;
        }
        switch (msg) {
        case WM_CREATE:
            return create(reinterpret_cast<const CREATESTRUCT*>(lParam));
        case WM_SETTEXT:
            return setText(reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return getText(static_cast<std::size_t>(wParam), reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_text.length());
        case WM_GETDLGCODE:
            return dialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_SIZE:
            layoutChanged();
            return 0;
        case WM_ENABLE:
            redraw();
            return 0;
        case WM_SETFOCUS:
            return focusChanged(true);
        case WM_KILLFOCUS:
            return focusChanged(false);
        case WM_CHAR:
            return typed(static_cast<UINT>(wParam));
        case WM_KEYDOWN:
            return key(static_cast<int>(wParam));
        case WM_LBUTTONDOWN:
            return mouseDown(lParam);
        case WM_LBUTTONDBLCLK:
            return doubleClick(lParam);
        case WM_MOUSEMOVE:
            return mouseMove(lParam);
        case WM_LBUTTONUP:
            if (GetCapture() == m_hwnd) ReleaseCapture();
            m_selecting = false;
            return 0;
        case WM_CAPTURECHANGED:
            m_selecting = false;
            return 0;
        case WM_CONTEXTMENU:
            return contextMenu(lParam);
        case WM_VSCROLL:
            return vscroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        case WM_HSCROLL:
            return hscroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        case WM_MOUSEWHEEL:
            return wheel(GET_WHEEL_DELTA_WPARAM(wParam));
        case WM_CUT:
            return cut();
        case WM_COPY:
            return copy();
        case WM_PASTE:
            return paste();
        case WM_CLEAR:
            return clear();
        case WM_UNDO:
        case EM_UNDO:
            return undo();
        default:
            return editMessage(msg, wParam, lParam);
        }
    }

private:
    bool multiLine() const { return (style() & ES_MULTILINE) != 0; }
    bool readOnly() const { return (style() & ES_READONLY) != 0; }

    LRESULT editMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case EM_GETSEL:
            return getSel(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
        case EM_SETSEL:
            return setSel(static_cast<int>(wParam), static_cast<int>(lParam));
        case EM_REPLACESEL:
            return replaceSel(reinterpret_cast<LPCSTR>(lParam), wParam != 0);
        case EM_LIMITTEXT:
            m_text.setLimit(wParam ? static_cast<std::size_t>(wParam) : kNoLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(m_text.limit());
        case EM_SETTABSTOPS:
            return setTabStops(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
        case EM_GETLINE:
            return getLine(static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
        case EM_LINEINDEX:
            return lineIndex(static_cast<int>(wParam));
        case EM_LINEFROMCHAR:
            return lineFromChar(static_cast<int>(wParam));
        case EM_LINELENGTH:
            return lineLength(static_cast<int>(wParam));
        case EM_GETLINECOUNT:
            return multiLine() ? lineCount() : 1;
        case EM_SETREADONLY:
            setStyleBits(ES_READONLY, wParam != 0);
            redraw();
            return TRUE;
        case EM_CANUNDO:
            return m_text.canUndo();
        case EM_EMPTYUNDOBUFFER:
            m_text.emptyUndo();
            return 0;
        case EM_GETMODIFY:
            return m_modified;
        case EM_SETMODIFY:
            m_modified = wParam != 0;
            return 0;
        case EM_SCROLLCARET:
            scrollToCaret();
            redraw();
            return TRUE;
        case EM_GETFIRSTVISIBLELINE:
            return multiLine() ? m_firstLine
                               : static_cast<LRESULT>(posFromPoint(POINT{formatRect().left, 0}));
        case EM_LINESCROLL:
            return lineScroll(static_cast<int>(wParam), static_cast<int>(lParam));
        case EM_SCROLL:
            return scrollCommand(static_cast<int>(wParam));
        case EM_SETPASSWORDCHAR:
            return setPasswordChar(static_cast<char>(wParam));
        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(m_password);
        case EM_SETMARGINS:
            return setMargins(static_cast<UINT>(wParam), lParam);
        case EM_GETMARGINS:
            return MAKELONG(m_leftMargin, m_rightMargin);
        case EM_POSFROMCHAR:
            return posFromChar(static_cast<std::size_t>(wParam));
        case EM_CHARFROMPOS:
            return charFromPos(lParam);
        case EM_GETRECT:
            return getRect(reinterpret_cast<RECT*>(lParam));
        case EM_SETRECT:
        case EM_SETRECTNP:
            return setRect(reinterpret_cast<const RECT*>(lParam), msg == EM_SETRECT);
        default:
            return defaultProc(msg, wParam, lParam);
        }
    }

    // ---- Text and notifications ----

    LRESULT create(const CREATESTRUCT* cs) {
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) m_text.setText(cs->lpszName);
        fontChanged();
        return 0;
    }

    LRESULT setText(LPCSTR s) {
        m_text.setText(s ? s : "");
        m_modified = false;
        m_firstLine = 0;
        m_scrollX = 0;
        changed(false, !multiLine());
        return TRUE;
    }

    LRESULT getText(std::size_t size, LPSTR out) const {
        if (!out || size == 0) return 0;
        std::size_t n = std::min(size - 1, m_text.length());
        std::string t = m_text.range(0, n);
        std::memcpy(out, t.data(), n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    // After the text changed: EN_UPDATE, then the new text is drawn, then EN_CHANGE.
    // `notifying` is false for WM_SETTEXT on multi-line edits, which report no change.
    void changed(bool byUser, bool notifying = true) {
        m_wrapValid = false;
        if (byUser) m_modified = true;
        scrollToCaret();
        updateScrollBars();
        placeCaret();
        if (!notifying) {
            redraw();
            return;
        }
        HWND self = m_hwnd;
        notify(EN_UPDATE);
        if (!IsWindow(self)) return;
        redraw();
        notify(EN_CHANGE);
    }

    bool insert(std::string_view s, bool typing) {
        bool truncated = false;
        bool did = m_text.replaceSelection(s, true, typing, &truncated);
        if (truncated) notify(EN_MAXTEXT);
        if (did) changed(true);
        return did;
    }

    LRESULT replaceSel(LPCSTR s, bool undoable) {
        bool truncated = false;
        bool did = m_text.replaceSelection(s ? s : "", undoable, false, &truncated);
        if (truncated) notify(EN_MAXTEXT);
        if (did) changed(true);
        return 0;
    }

    LRESULT undo() {
        if (!m_text.undo()) return FALSE;
        changed(true);
        return TRUE;
    }

    // ---- Selection and lines ----

    LRESULT getSel(DWORD* start, DWORD* end) const {
        auto from = static_cast<DWORD>(m_text.selStart());
        auto to = static_cast<DWORD>(m_text.selEnd());
        if (start) *start = from;
        if (end) *end = to;
        if (from > 0xFFFF || to > 0xFFFF) return -1;
        return MAKELONG(from, to);
    }

    LRESULT setSel(int start, int end) {
        if (start == -1) {
            m_text.select(m_text.caret(), m_text.caret());
        } else {
            std::size_t len = m_text.length();
            auto clampPos = [len](int p) { return p < 0 ? len : std::min(static_cast<std::size_t>(p), len); };
            m_text.select(clampPos(start), clampPos(end));
        }
        placeCaret();
        redraw();
        return 0;
    }

    LRESULT getLine(int line, LPSTR buffer) const {
        if (!buffer) return 0;
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof size);
        if (!multiLine()) line = 0;
        if (line < 0 || line >= lineCount()) return 0;
        std::string t = m_text.range(lineStart(line), lineEnd(line));
        std::size_t n = std::min<std::size_t>(t.size(), size);
        std::memcpy(buffer, t.data(), n);
        if (n < size) buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    LRESULT lineIndex(int line) const {
        if (line == -1) line = lineOf(m_text.caret());
        if (line < 0 || line >= lineCount()) return -1;
        return static_cast<LRESULT>(lineStart(line));
    }

    LRESULT lineFromChar(int ch) const {
        if (ch < 0) return lineOf(m_text.selStart());
        return lineOf(std::min(static_cast<std::size_t>(ch), m_text.length()));
    }

    LRESULT lineLength(int ch) const {
        if (ch < 0) {
            std::size_t from = m_text.selStart(), to = m_text.selEnd();
            return static_cast<LRESULT>((from - lineStart(lineOf(from))) + (lineEnd(lineOf(to)) - to));
        }
        int line = lineOf(std::min(static_cast<std::size_t>(ch), m_text.length()));
        return static_cast<LRESULT>(lineEnd(line) - lineStart(line));
    }

    LRESULT setTabStops(int count, const int* stops) {
        if (count < 0 || (count > 0 && !stops)) return FALSE;
        m_tabDlu.assign(stops, stops + count);
        redraw();
        return TRUE;
    }

    LRESULT setPasswordChar(char c) {
        if (multiLine()) return 0;
        m_password = c;
        setStyleBits(ES_PASSWORD, c != 0);
        redraw();
        return 0;
    }

    LRESULT setMargins(UINT which, LPARAM lParam) {
        if (which & EC_LEFTMARGIN) m_leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? 1 : LOWORD(lParam);
        if (which & EC_RIGHTMARGIN) m_rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? 1 : HIWORD(lParam);
        m_wrapValid = false;
        redraw();
        return 0;
    }

    LRESULT getRect(RECT* rc) const {
        if (!rc) return 0;
        *rc = formatRect();
        return 0;
    }

    LRESULT setRect(const RECT* rc, bool repaint) {
        m_hasRect = rc != nullptr;
        if (rc) m_rect = *rc;
        m_wrapValid = false;
        if (repaint) redraw();
        return 0;
    }

    // ---- Lines: the text's own lines, or with word wrap the lines as shown ----

    // Multi-line edits without horizontal scrolling wrap their lines at the format rectangle.
    bool wraps() const { return multiLine() && !(style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }

    int lineCount() const {
        if (!wraps()) return m_text.lineCount();
        rewrap();
        return static_cast<int>(m_wrapStarts.size());
    }

    std::size_t lineStart(int line) const {
        if (!wraps()) return m_text.lineStart(line);
        rewrap();
        line = std::clamp(line, 0, static_cast<int>(m_wrapStarts.size()) - 1);
        return m_wrapStarts[static_cast<std::size_t>(line)];
    }

    // A wrapped line ends where the next begins; a text line ends before its break.
    std::size_t lineEnd(int line) const {
        if (!wraps()) return m_text.lineEnd(line);
        std::size_t start = lineStart(line);
        int textLine = m_text.lineOf(start);
        std::size_t hardEnd = m_text.lineEnd(textLine);
        if (line + 1 >= lineCount()) return hardEnd;
        return std::min(hardEnd, m_wrapStarts[static_cast<std::size_t>(line) + 1]);
    }

    int lineOf(std::size_t pos) const {
        if (!wraps()) return m_text.lineOf(pos);
        rewrap();
        auto it = std::upper_bound(m_wrapStarts.begin(), m_wrapStarts.end(), pos);
        return static_cast<int>(it - m_wrapStarts.begin()) - 1;
    }

    void rewrap() const {
        if (m_wrapValid) return;
        m_wrapValid = true;
        m_wrapStarts.clear();
        FontDC f(m_hwnd, font());
        RECT rc = formatRect();
        int room = std::max<int>(rc.right - rc.left, 1);
        for (int l = 0; l < m_text.lineCount(); ++l)
            wrapLine(f.dc(), m_text.lineStart(l), m_text.lineEnd(l), room);
    }

    // Breaks one text line into the starts of its shown lines: after the last blank that fits,
    // or inside a word too long for a line.
    void wrapLine(HDC dc, std::size_t from, std::size_t to, int room) const {
        m_wrapStarts.push_back(from);
        while (width(dc, shown(from, to)) > room) {
            std::size_t lo = m_text.next(from), hi = to;
            while (lo < hi) {
                std::size_t mid = m_text.snap(lo + (hi - lo + 1) / 2);
                if (mid <= lo) mid = m_text.next(lo);
                if (width(dc, shown(from, mid)) <= room)
                    lo = mid;
                else
                    hi = m_text.prev(mid);
            }
            std::size_t fit = std::max(lo, m_text.next(from));
            std::size_t cut = fit;
            while (cut > from && m_text.at(cut - 1) != ' ' && m_text.at(cut - 1) != '\t')
                --cut;
            if (cut <= from) cut = fit;
            while (cut < to && m_text.at(cut) == ' ')
                ++cut;
            if (cut >= to) return;
            m_wrapStarts.push_back(cut);
            from = cut;
        }
    }

    // ---- Geometry ----

    void fontChanged() {
        FontDC f(m_hwnd, font());
        TEXTMETRIC tm{};
        GetTextMetrics(f.dc(), &tm);
        m_lineHeight = std::max<int>(tm.tmHeight, 1);
        m_avgChar = std::max<int>(tm.tmAveCharWidth, 1);
        layoutChanged();
    }

    void layoutChanged() {
        m_wrapValid = false;
        scrollToCaret();
        updateScrollBars();
        placeCaret();
    }

    RECT formatRect() const {
        if (m_hasRect) return m_rect;
        RECT rc = clientRect();
        rc.left += m_leftMargin;
        rc.right = std::max(rc.left, rc.right - m_rightMargin);
        // A single line sits in the middle of a box taller than the font.
        if (!multiLine()) rc.top += std::max(0, static_cast<int>(rc.bottom - rc.top) - m_lineHeight) / 2;
        return rc;
    }

    int visibleLines() const {
        RECT rc = formatRect();
        return std::max(1, static_cast<int>((rc.bottom - rc.top) / m_lineHeight));
    }

    std::vector<int> tabStops() const {
        std::vector<int> px;
        if (m_tabDlu.empty()) px.push_back(kDefaultTabDlu * m_avgChar / 4);
        for (int d : m_tabDlu)
            px.push_back(std::max(1, d * m_avgChar / 4));
        return px;
    }

    // The text of a line as shown: password characters stand for each character.
    std::string shown(std::size_t from, std::size_t to) const {
        if (m_password) return std::string(m_text.characters(from, to), m_password);
        return m_text.range(from, to);
    }

    int width(HDC dc, const std::string& s) const {
        if (s.empty()) return 0;
        if (multiLine()) {
            std::vector<int> stops = tabStops();
            DWORD e = GetTabbedTextExtent(dc, s.c_str(), static_cast<int>(s.size()),
                                          static_cast<int>(stops.size()), stops.data());
            return LOWORD(e);
        }
        SIZE size{};
        GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return size.cx;
    }

    // The x of pos within its line, before scrolling, from the line's left.
    int xOf(HDC dc, std::size_t pos) const {
        std::size_t start = lineStart(lineOf(pos));
        return width(dc, shown(start, pos));
    }

    int alignOffset(HDC dc, int line) const {
        DWORD s = style();
        if (multiLine() || !(s & (ES_CENTER | ES_RIGHT))) return 0;
        RECT rc = formatRect();
        int room = (rc.right - rc.left) - width(dc, shown(lineStart(line), lineEnd(line)));
        if (room <= 0) return 0;
        return (s & ES_RIGHT) ? room : room / 2;
    }

    POINT pointOf(HDC dc, std::size_t pos) const {
        RECT rc = formatRect();
        int line = lineOf(pos);
        int x = rc.left - m_scrollX + alignOffset(dc, line) + xOf(dc, pos);
        int y = rc.top + (multiLine() ? (line - m_firstLine) * m_lineHeight : 0);
        return POINT{x, y};
    }

    std::size_t posFromPoint(POINT p) const {
        FontDC f(m_hwnd, font());
        RECT rc = formatRect();
        int line = multiLine() ? m_firstLine + static_cast<int>((p.y - rc.top) / m_lineHeight) : 0;
        if (p.y < rc.top && multiLine()) line = m_firstLine - 1;
        line = std::clamp(line, 0, lineCount() - 1);
        std::size_t lo = lineStart(line), hi = lineEnd(line);
        int target = p.x - rc.left + m_scrollX - alignOffset(f.dc(), line);
        // The last position whose x is at or before the point, then the nearer of it and the next.
        std::size_t best = lo;
        std::size_t a = lo, b = hi;
        while (a < b) {
            std::size_t mid = m_text.snap(a + (b - a + 1) / 2);
            if (mid <= a) mid = m_text.next(a);
            if (xOf(f.dc(), mid) <= target) {
                best = mid;
                a = mid;
            } else {
                b = m_text.prev(mid);
            }
        }
        if (best < hi) {
            std::size_t after = m_text.next(best);
            if (target - xOf(f.dc(), best) > xOf(f.dc(), after) - target) best = after;
        }
        return best;
    }

    LRESULT posFromChar(std::size_t pos) const {
        if (pos > m_text.length()) return -1;
        FontDC f(m_hwnd, font());
        POINT p = pointOf(f.dc(), pos);
        return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    }

    LRESULT charFromPos(LPARAM lParam) const {
        std::size_t pos = posFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return MAKELONG(static_cast<WORD>(pos), static_cast<WORD>(lineOf(pos)));
    }

    // ---- Scrolling and the caret ----

    void scrollToCaret() {
        std::size_t caret = m_text.caret();
        if (multiLine()) {
            int line = lineOf(caret);
            if (line < m_firstLine)
                m_firstLine = line;
            else if (line >= m_firstLine + visibleLines())
                m_firstLine = line - visibleLines() + 1;
        }
        FontDC f(m_hwnd, font());
        RECT rc = formatRect();
        int room = rc.right - rc.left;
        int x = xOf(f.dc(), caret);
        if (x < m_scrollX)
            m_scrollX = std::max(0, x - room / 3);
        else if (x >= m_scrollX + room)
            m_scrollX = x - room + std::max(1, room / 3);
        if (room <= 0) m_scrollX = 0;
    }

    void updateScrollBars() {
        DWORD s = style();
        if (!multiLine()) return;
        if (s & WS_VSCROLL) {
            SCROLLINFO si{sizeof si,
                          SIF_ALL | SIF_DISABLENOSCROLL,
                          0,
                          lineCount() - 1,
                          static_cast<UINT>(visibleLines()),
                          m_firstLine,
                          0};
            SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
        }
        if (s & WS_HSCROLL) {
            RECT rc = formatRect();
            SCROLLINFO si{sizeof si,
                          SIF_ALL | SIF_DISABLENOSCROLL,
                          0,
                          widestLine(),
                          static_cast<UINT>(std::max<LONG>(rc.right - rc.left, 1)),
                          m_scrollX,
                          0};
            SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
        }
    }

    int widestLine() const {
        FontDC f(m_hwnd, font());
        int widest = 0;
        for (int l = 0; l < lineCount(); ++l)
            widest = std::max(widest, width(f.dc(), shown(lineStart(l), lineEnd(l))));
        return widest;
    }

    void placeCaret() {
        if (!hasFocus()) return;
        FontDC f(m_hwnd, font());
        POINT p = pointOf(f.dc(), m_text.caret());
        SetCaretPos(p.x, p.y);
    }

    void scrollTo(int firstLine, int x, int notice) {
        firstLine = std::clamp(firstLine, 0, std::max(0, lineCount() - 1));
        x = std::max(0, x);
        if (firstLine == m_firstLine && x == m_scrollX) return;
        int dy = (m_firstLine - firstLine) * m_lineHeight, dx = m_scrollX - x;
        m_firstLine = firstLine;
        m_scrollX = x;
        updateScrollBars();
        placeCaret();
        // The text's pixels move; only the band they uncover is painted again.
        RECT client = clientRect(), format = formatRect(), area{};
        IntersectRect(&area, &format, &client);
        ScrollWindowEx(m_hwnd, dx, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
        notify(notice);
    }

    LRESULT lineScroll(int chars, int lines) {
        if (!multiLine()) return FALSE;
        scrollTo(m_firstLine + lines, m_scrollX + chars * m_avgChar, lines ? EN_VSCROLL : EN_HSCROLL);
        return TRUE;
    }

    int scrollTarget(int code, int thumb) const {
        int page = std::max(1, visibleLines() - 1);
        switch (code) {
        case SB_LINEUP:
            return m_firstLine - 1;
        case SB_LINEDOWN:
            return m_firstLine + 1;
        case SB_PAGEUP:
            return m_firstLine - page;
        case SB_PAGEDOWN:
            return m_firstLine + page;
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return lineCount() - 1;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return thumb;
        default:
            return m_firstLine;
        }
    }

    LRESULT scrollCommand(int code) {
        if (!multiLine()) return FALSE;
        int before = m_firstLine;
        scrollTo(scrollTarget(code, m_firstLine), m_scrollX, EN_VSCROLL);
        return MAKELONG(static_cast<WORD>(m_firstLine - before), TRUE);
    }

    LRESULT vscroll(int code, int thumb) {
        if (!multiLine()) return 0;
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (code == SB_THUMBTRACK && GetScrollInfo(m_hwnd, SB_VERT, &si)) thumb = si.nTrackPos;
        scrollTo(scrollTarget(code, thumb), m_scrollX, EN_VSCROLL);
        return 0;
    }

    LRESULT hscroll(int code, int thumb) {
        RECT rc = formatRect();
        int page = std::max<int>(rc.right - rc.left, 1);
        int x = m_scrollX;
        switch (code) {
        case SB_LINELEFT:
            x -= m_avgChar;
            break;
        case SB_LINERIGHT:
            x += m_avgChar;
            break;
        case SB_PAGELEFT:
            x -= page;
            break;
        case SB_PAGERIGHT:
            x += page;
            break;
        case SB_LEFT:
            x = 0;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            x = thumb;
            break;
        default:
            return 0;
        }
        scrollTo(m_firstLine, x, EN_HSCROLL);
        return 0;
    }

    LRESULT wheel(int delta) {
        if (!multiLine()) return 0;
        scrollTo(m_firstLine - delta / WHEEL_DELTA * 3, m_scrollX, EN_VSCROLL);
        return 0;
    }

    // ---- Focus, keyboard and mouse ----

    LRESULT dialogCode(const MSG* msg) const {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (!multiLine()) return code;
        code |= DLGC_WANTALLKEYS;
        if (msg && msg->message == WM_KEYDOWN) {
            bool returnKey = msg->wParam == VK_RETURN && !(style() & ES_WANTRETURN);
            if (returnKey || msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB) code &= ~DLGC_WANTALLKEYS;
        }
        return code;
    }

    LRESULT focusChanged(bool gained) {
        if (gained) {
            CreateCaret(m_hwnd, nullptr, 1, m_lineHeight);
            placeCaret();
            ShowCaret(m_hwnd);
        } else {
            DestroyCaret();
        }
        redraw();
        notify(gained ? EN_SETFOCUS : EN_KILLFOCUS);
        return 0;
    }

    bool acceptsChar(UINT c) const {
        if ((style() & ES_NUMBER) && (c < '0' || c > '9')) return false;
        return true;
    }

    LRESULT typed(UINT c) {
        switch (c) {
        case 1:
            return setSel(0, -1);
        case 3:
            return copy();
        case 22:
            return paste();
        case 24:
            return cut();
        case 26:
            return undo();
        case 8:
            return backspace();
        case '\r':
            if (multiLine() && !readOnly()) insert("\r\n", false);
            return 0;
        case '\t':
            if (multiLine() && !readOnly()) insert("\t", true);
            return 0;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F) return 0;
        if (readOnly() || !acceptsChar(c)) {
            MessageBeep(0);
            return 0;
        }
        DWORD s = style();
        if ((s & ES_UPPERCASE) && c >= 'a' && c <= 'z') c -= 'a' - 'A';
        if ((s & ES_LOWERCASE) && c >= 'A' && c <= 'Z') c += 'a' - 'A';
        std::string bytes;
        utf8::append(bytes, c);
        insert(bytes, true);
        return 0;
    }

    LRESULT backspace() {
        if (readOnly()) return 0;
        if (!m_text.hasSelection()) {
            if (m_text.caret() == 0) return 0;
            m_text.select(m_text.prev(m_text.caret()), m_text.caret());
        }
        insert("", false);
        return 0;
    }

    LRESULT deleteForward() {
        if (readOnly()) return 0;
        if (!m_text.hasSelection()) {
            if (m_text.caret() >= m_text.length()) return 0;
            m_text.select(m_text.caret(), m_text.next(m_text.caret()));
        }
        insert("", false);
        return 0;
    }

    std::size_t lineMove(std::size_t from, int lines) {
        if (!multiLine()) return from;
        FontDC f(m_hwnd, font());
        if (!m_keepGoal) m_goalX = xOf(f.dc(), from);
        int line = std::clamp(lineOf(from) + lines, 0, lineCount() - 1);
        RECT rc = formatRect();
        POINT p{rc.left - m_scrollX + m_goalX, rc.top + (line - m_firstLine) * m_lineHeight};
        int saved = m_firstLine;
        std::size_t pos = posFromPoint(p);
        m_firstLine = saved;
        return pos;
    }

    LRESULT key(int vk) {
        bool shift = keyDown(VK_SHIFT), control = keyDown(VK_CONTROL);
        std::size_t caret = m_text.caret(), to = caret;
        bool vertical = false;
        switch (vk) {
        case VK_LEFT:
            to = control                             ? m_text.wordLeft(caret)
                 : (!shift && m_text.hasSelection()) ? m_text.selStart()
                                                     : m_text.prev(caret);
            break;
        case VK_RIGHT:
            to = control                             ? m_text.wordRight(caret)
                 : (!shift && m_text.hasSelection()) ? m_text.selEnd()
                                                     : m_text.next(caret);
            break;
        case VK_UP:
            to = lineMove(caret, -1);
            vertical = true;
            break;
        case VK_DOWN:
            to = lineMove(caret, 1);
            vertical = true;
            break;
        case VK_PRIOR:
            to = lineMove(caret, -visibleLines());
            vertical = true;
            break;
        case VK_NEXT:
            to = lineMove(caret, visibleLines());
            vertical = true;
            break;
        case VK_HOME:
            to = control ? 0 : lineStart(lineOf(caret));
            break;
        case VK_END:
            to = control ? m_text.length() : lineEnd(lineOf(caret));
            break;
        case VK_DELETE:
            if (shift) return cut();
            return deleteForward();
        case VK_INSERT:
            if (control) return copy();
            if (shift) return paste();
            return 0;
        default:
            return 0;
        }
        m_text.select(shift ? m_text.anchor() : to, to);
        scrollToCaret();
        updateScrollBars();
        placeCaret();
        redraw();
        m_keepGoal = vertical;
        return 0;
    }

    LRESULT mouseDown(LPARAM lParam) {
        if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
        std::size_t pos = posFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        m_text.select(keyDown(VK_SHIFT) ? m_text.anchor() : pos, pos);
        m_keepGoal = false;
        SetCapture(m_hwnd);
        m_selecting = true;
        scrollToCaret();
        placeCaret();
        redraw();
        return 0;
    }

    LRESULT mouseMove(LPARAM lParam) {
        if (!m_selecting || GetCapture() != m_hwnd) return 0;
        std::size_t pos = posFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (pos == m_text.caret()) return 0;
        m_text.select(m_text.anchor(), pos);
        scrollToCaret();
        updateScrollBars();
        placeCaret();
        redraw();
        return 0;
    }

    LRESULT doubleClick(LPARAM lParam) {
        std::size_t from = 0, to = 0;
        m_text.wordAt(posFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), from, to);
        m_text.select(from, to);
        placeCaret();
        redraw();
        return 0;
    }

    // ---- Clipboard and the context menu ----

    LRESULT copy() {
        if (m_password || !m_text.hasSelection()) return 0;
        std::string t = m_text.range(m_text.selStart(), m_text.selEnd());
        if (!OpenClipboard(m_hwnd)) return 0;
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, t.size() + 1);
        if (mem) {
            auto* p = static_cast<char*>(GlobalLock(mem));
            std::memcpy(p, t.c_str(), t.size() + 1);
            GlobalUnlock(mem);
            SetClipboardData(CF_TEXT, mem);
        }
        CloseClipboard();
        return 0;
    }

    LRESULT cut() {
        if (readOnly() || m_password) return 0;
        copy();
        return clear();
    }

    LRESULT clear() {
        if (readOnly() || !m_text.hasSelection()) return 0;
        insert("", false);
        return 0;
    }

    LRESULT paste() {
        if (readOnly() || !OpenClipboard(m_hwnd)) return 0;
        std::string t;
        if (HANDLE mem = GetClipboardData(CF_TEXT)) {
            if (auto* p = static_cast<const char*>(GlobalLock(mem))) {
                t.assign(p, strnlen(p, GlobalSize(mem)));
                GlobalUnlock(mem);
            }
        }
        CloseClipboard();
        if (!multiLine()) t = t.substr(0, t.find_first_of("\r\n"));
        insert(t, false);
        return 0;
    }

    LRESULT contextMenu(LPARAM lParam) {
        if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {
            FontDC f(m_hwnd, font());
            at = pointOf(f.dc(), m_text.caret());
            ClientToScreen(m_hwnd, &at);
        }
        bool sel = m_text.hasSelection(), ro = readOnly();
        bool hasClip = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
        auto grey = [](bool on) { return on ? MF_STRING : MF_STRING | MF_GRAYED; };
        HMENU menu = CreatePopupMenu();
        AppendMenu(menu, grey(m_text.canUndo() && !ro), WM_UNDO, "&Undo");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, grey(sel && !ro && !m_password), WM_CUT, "Cu&t");
        AppendMenu(menu, grey(sel && !m_password), WM_COPY, "&Copy");
        AppendMenu(menu, grey(hasClip && !ro), WM_PASTE, "&Paste");
        AppendMenu(menu, grey(sel && !ro), WM_CLEAR, "&Delete");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, grey(m_text.length() > 0), EM_SETSEL, "Select &All");
        HWND self = m_hwnd;
        UINT cmd = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                    at.x, at.y, 0, m_hwnd, nullptr));
        DestroyMenu(menu);
        if (!cmd || !IsWindow(self)) return 0;
        if (cmd == EM_SETSEL) return setSel(0, -1);
        SendMessage(self, cmd, 0, 0);
        return 0;
    }

    // ---- Painting ----

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        HGDIOBJ oldFont = SelectObject(dc, font());
        UINT colourMsg = (readOnly() || !enabled()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
        HBRUSH brush = controlColour(dc, colourMsg);
        RECT rc = clientRect();
        FillRect(dc, &rc, brush);
        if (!enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        RECT format = formatRect();
        IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
        // Only the lines that meet the update rectangle.
        int first =
            multiLine()
                ? m_firstLine + std::max(0, static_cast<int>(ps.rcPaint.top - format.top) / m_lineHeight)
                : 0;
        int last = multiLine()
                       ? std::min({lineCount() - 1, m_firstLine + visibleLines(),
                                   m_firstLine +
                                       static_cast<int>(ps.rcPaint.bottom - 1 - format.top) / m_lineHeight})
                       : 0;
        for (int line = first; line <= last; ++line)
            paintLine(dc, line);
        SelectObject(dc, oldFont);
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    void paintLine(HDC dc, int line) {
        std::size_t from = lineStart(line), to = lineEnd(line);
        bool showSel = m_text.hasSelection() && (hasFocus() || (style() & ES_NOHIDESEL));
        std::size_t s0 = showSel ? std::clamp(m_text.selStart(), from, to) : to;
        std::size_t s1 = showSel ? std::clamp(m_text.selEnd(), from, to) : to;
        POINT origin = pointOf(dc, from);
        paintRun(dc, origin, from, from, s0, false);
        paintRun(dc, origin, from, s0, s1, true);
        paintRun(dc, origin, from, s1, to, false);
    }

    void paintRun(HDC dc, POINT origin, std::size_t lineStart, std::size_t from, std::size_t to,
                  bool selected) {
        if (from >= to) return;
        std::string s = shown(from, to);
        int x = origin.x + width(dc, shown(lineStart, from));
        COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
        if (selected) {
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetBkMode(dc, OPAQUE);
        } else {
            SetBkMode(dc, TRANSPARENT);
        }
        if (multiLine()) {
            std::vector<int> stops = tabStops();
            TabbedTextOut(dc, x, origin.y, s.c_str(), static_cast<int>(s.size()),
                          static_cast<int>(stops.size()), stops.data(), origin.x);
        } else {
            TextOut(dc, x, origin.y, s.c_str(), static_cast<int>(s.size()));
        }
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }

    EditText m_text;
    bool m_modified = false;
    bool m_selecting = false;
    bool m_keepGoal = false;
    int m_goalX = 0;
    char m_password = 0;
    int m_firstLine = 0;
    int m_scrollX = 0;
    int m_lineHeight = 16;
    int m_avgChar = 6;
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    bool m_hasRect = false;
    RECT m_rect{};
    std::vector<int> m_tabDlu;
    mutable std::vector<std::size_t> m_wrapStarts;
    mutable bool m_wrapValid = false;
};

} // namespace

void registerEditClass() {
    registerControlClass("EDIT", controlProc<Edit>, CS_DBLCLKS, IDC_IBEAM);
}

} // namespace pm::ctl
