// DrawText: lines, word breaks, tabs, '&' prefixes, ellipses, alignment and DT_CALCRECT.
#include "platform/win/gdi/surface.h"
#include "platform/win/gdi/text_run.h"
#include "platform/win/utf8.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace pm::gdi;

namespace {

// A line of shown text with the prefix underlines of its units.
struct Line {
    std::u16string text;
    std::vector<bool> underlined;
};

struct Layout {
    const DeviceContext& dc;
    const TextMeasure& m;
    UINT format;
    int tabWidth; // device pixels

    bool expandTabs() const { return format & DT_EXPANDTABS; }

    int width(std::u16string_view s) const {
        if (!expandTabs()) return m.width(s);
        int x = 0;
        std::size_t from = 0;
        for (std::size_t i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != u'\t') continue;
            x += m.width(s.substr(from, i - from));
            if (i < s.size()) x = (x / tabWidth + 1) * tabWidth;
            from = i + 1;
        }
        return x;
    }
};

// Removes '&' prefixes: "&&" stands for '&', "&x" underlines x (unless hidden).
Line stripPrefixes(const std::u16string& shown, UINT format) {
    Line out;
    if (format & DT_NOPREFIX) {
        out.text = shown;
        return out;
    }
    bool show = !(format & DT_HIDEPREFIX);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        bool prefix = shown[i] == u'&' && i + 1 < shown.size();
        if (prefix) ++i;
        out.text.push_back(shown[i]);
        out.underlined.push_back(prefix && show && shown[i] != u'&');
    }
    return out;
}

// The n units of s from `from` (fewer at its end).
std::u16string mid(const std::u16string& s, std::size_t from, std::size_t n = std::u16string::npos) {
    return from < s.size() ? s.substr(from, n) : std::u16string();
}

// The last `c` in s at or before `at` (from the end when at is negative), or -1.
long lastIndexOf(const std::u16string& s, char16_t c, long at = -1) {
    std::size_t found = s.rfind(c, at < 0 ? std::u16string::npos : static_cast<std::size_t>(at));
    return found == std::u16string::npos ? -1 : static_cast<long>(found);
}

Line sub(const Line& l, std::size_t from, std::size_t n) {
    Line out;
    out.text = mid(l.text, from, n);
    if (!l.underlined.empty()) {
        auto a = l.underlined.begin() + std::min(from, l.underlined.size());
        auto b = l.underlined.begin() + std::min(from + out.text.size(), l.underlined.size());
        out.underlined.assign(a, b);
    }
    return out;
}

// Splits at CR, LF and CR LF.
std::vector<Line> splitLines(const Line& all) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= all.text.size(); ++i) {
        bool end = i == all.text.size();
        char16_t c = end ? u'\0' : all.text[i];
        if (!end && c != u'\r' && c != u'\n') continue;
        lines.push_back(sub(all, start, i - start));
        if (!end && c == u'\r' && i + 1 < all.text.size() && all.text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    return lines;
}

// Breaks a line at blanks so that each piece fits `width`; a word wider than the width stays whole.
std::vector<Line> wrap(const Layout& lay, const Line& line, int width) {
    std::vector<Line> out;
    const std::u16string& t = line.text;
    std::size_t start = 0;
    while (start < t.size()) {
        std::size_t end = start;
        long lastBreak = -1;
        while (end < t.size()) {
            std::size_t wordEnd = end;
            while (wordEnd < t.size() && t[wordEnd] != u' ')
                ++wordEnd;
            if (lastBreak >= 0 && lay.width(std::u16string_view(t).substr(start, wordEnd - start)) > width)
                break;
            lastBreak = static_cast<long>(wordEnd);
            end = wordEnd;
            while (end < t.size() && t[end] == u' ')
                ++end;
        }
        std::size_t cut = lastBreak < 0 ? t.size() : static_cast<std::size_t>(lastBreak);
        out.push_back(sub(line, start, cut - start));
        start = cut;
        while (start < t.size() && t[start] == u' ')
            ++start;
    }
    if (out.empty()) out.push_back(line);
    return out;
}

constexpr char16_t kEllipsis[] = u"...";

// The longest start of `line` that fits `width` with "..." after it.
Line endEllipsis(const Layout& lay, const Line& line, int width, bool atWord) {
    std::size_t n = line.text.size();
    while (n > 0 && lay.width(line.text.substr(0, n) + kEllipsis) > width)
        --n;
    if (atWord) {
        long space = lastIndexOf(line.text, u' ', static_cast<long>(n) - 1);
        if (space > 0 && n < line.text.size()) n = static_cast<std::size_t>(space);
    }
    Line out = sub(line, 0, n);
    out.text += kEllipsis;
    out.underlined.resize(out.text.size(), false);
    return out;
}

// "start...\last": keeps the last path element and as much of the start as fits.
Line pathEllipsis(const Layout& lay, const Line& line, int width) {
    long sep = std::max(lastIndexOf(line.text, u'\\'), lastIndexOf(line.text, u'/'));
    if (sep < 0) return line;
    std::u16string tail = mid(line.text, static_cast<std::size_t>(sep));
    std::size_t n = static_cast<std::size_t>(sep);
    while (n > 0 && lay.width(line.text.substr(0, n) + kEllipsis + tail) > width)
        --n;
    Line out;
    out.text = line.text.substr(0, n) + kEllipsis + tail;
    return out;
}

Line fitLine(const Layout& lay, const Line& line, int width) {
    if (lay.width(line.text) <= width) return line;
    Line out = line;
    if (lay.format & DT_PATH_ELLIPSIS) out = pathEllipsis(lay, out, width);
    if (lay.width(out.text) > width && lay.format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        out = endEllipsis(lay, out, width, lay.format & DT_WORD_ELLIPSIS);
    return out;
}

// Draws a line whose tabs are expanded.
void drawLine(DeviceContext& dc, TextPainter& tp, const Layout& lay, const Line& line, POINT at,
              const RectRegion* clip) {
    int x = 0;
    std::size_t from = 0;
    const std::u16string& t = line.text;
    for (std::size_t i = 0; i <= t.size(); ++i) {
        bool tab = i < t.size() && t[i] == u'\t' && lay.expandTabs();
        if (i < t.size() && !tab) continue;
        Line part = sub(line, from, i - from);
        TextRun run;
        run.text = part.text;
        // Runs without an underline take the faster whole-run drawing.
        if (std::find(part.underlined.begin(), part.underlined.end(), true) != part.underlined.end())
            run.underlined = part.underlined;
        run.topLeft = POINT{at.x + x, at.y};
        run.pivot = at;
        run.opaque = dc.state.bkMode == OPAQUE;
        run.clip = clip;
        if (!run.text.empty()) tp.draw(lay.m, run);
        x += lay.m.width(part.text);
        if (tab) x = (x / lay.tabWidth + 1) * lay.tabWidth;
        from = i + 1;
    }
}

} // namespace

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect || !text) return 0;
    std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    TextMeasure m(*dc);
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = std::max(1, static_cast<int>(format >> 8 & 0xFF));
        format &= ~0xFF00u;
    }
    Layout lay{*dc, m, format, std::max(1, tabChars * m.averageWidth())};

    RECT box = deviceRect(*dc, *rect);
    Line all = stripPrefixes(pm::shownText(text, length), format);
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        all.text.erase(std::remove_if(all.text.begin(), all.text.end(),
                                      [](char16_t c) { return c == u'\r' || c == u'\n'; }),
                       all.text.end());
        lines.push_back(all);
    } else {
        for (const Line& l : splitLines(all)) {
            if (format & DT_WORDBREAK) {
                for (Line& w : wrap(lay, l, widthOf(box)))
                    lines.push_back(std::move(w));
            } else {
                lines.push_back(l);
            }
        }
    }
    if (length == 0) lines.clear();
    int lineHeight = m.height() + (format & DT_EXTERNALLEADING ? m.externalLeading() : 0);
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (Line& l : lines)
            l = fitLine(lay, l, widthOf(box));

    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, lay.width(l.text));
    int total = lineHeight * static_cast<int>(lines.size());
    int top = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top + (heightOf(box) - total) / 2;
        else if (format & DT_BOTTOM)
            top = box.top + heightOf(box) - total;
    }
    int height = dc->lengthToLogical(total);
    int offset = dc->lengthToLogical(top - box.top + total);
    int answer = format & (DT_VCENTER | DT_BOTTOM) && format & DT_SINGLELINE ? offset : height;

    if (format & DT_CALCRECT) {
        // Text grows right and down on the device, whatever the mapping mode.
        POINT corner = dc->toDevice(rect->left, rect->top);
        POINT end = dc->toLogical(corner.x + widest, corner.y + total);
        rect->right = end.x;
        rect->bottom = end.y;
        return answer;
    }
    TextPainter tp(*dc);
    if (!tp.active()) return answer;
    RectRegion clip(box);
    const RectRegion* lineClip = format & DT_NOCLIP ? nullptr : &clip;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int w = lay.width(lines[i].text);
        int x = box.left;
        if (format & DT_CENTER)
            x += (widthOf(box) - w) / 2;
        else if (format & DT_RIGHT)
            x += widthOf(box) - w;
        drawLine(*dc, tp, lay, lines[i], POINT{x, top + static_cast<int>(i) * lineHeight}, lineClip);
    }
    return answer;
}
