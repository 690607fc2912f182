// DrawText: lines, word breaks, tabs, '&' prefixes, ellipses, alignment and DT_CALCRECT.
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/gdi/text_run.h"
#include "platform/win/text_codec.h"

#include <algorithm>
#include <cstring>

using namespace pm::gdi;

namespace {

// A line of shown text with the prefix underlines of its units.
struct Line {
    QString text;
    std::vector<bool> underlined;
};

struct Layout {
    const DeviceContext& dc;
    const TextMeasure& m;
    UINT format;
    int tabWidth; // device pixels

    bool expandTabs() const { return format & DT_EXPANDTABS; }

    int width(const QString& s) const {
        if (!expandTabs()) return m.width(s);
        int x = 0;
        qsizetype from = 0;
        for (qsizetype i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != QLatin1Char('\t')) continue;
            x += m.width(s.mid(from, i - from));
            if (i < s.size()) x = (x / tabWidth + 1) * tabWidth;
            from = i + 1;
        }
        return x;
    }
};

// Removes '&' prefixes: "&&" stands for '&', "&x" underlines x (unless hidden).
Line stripPrefixes(const QString& shown, UINT format) {
    Line out;
    if (format & DT_NOPREFIX) {
        out.text = shown;
        return out;
    }
    bool show = !(format & DT_HIDEPREFIX);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        bool prefix = shown[i] == QLatin1Char('&') && i + 1 < shown.size();
        if (prefix) ++i;
        out.text.append(shown[i]);
        out.underlined.push_back(prefix && show && shown[i] != QLatin1Char('&'));
    }
    return out;
}

Line sub(const Line& l, qsizetype from, qsizetype n) {
    Line out;
    out.text = l.text.mid(from, n);
    if (!l.underlined.empty()) {
        auto a =
            l.underlined.begin() + std::min<qsizetype>(from, static_cast<qsizetype>(l.underlined.size()));
        auto b = l.underlined.begin() +
                 std::min<qsizetype>(from + out.text.size(), static_cast<qsizetype>(l.underlined.size()));
        out.underlined.assign(a, b);
    }
    return out;
}

// Splits at CR, LF and CR LF.
std::vector<Line> splitLines(const Line& all) {
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= all.text.size(); ++i) {
        bool end = i == all.text.size();
        QChar c = end ? QChar() : all.text[i];
        if (!end && c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines.push_back(sub(all, start, i - start));
        if (!end && c == QLatin1Char('\r') && i + 1 < all.text.size() && all.text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    return lines;
}

// Breaks a line at blanks so that each piece fits `width`; a word wider than the width stays whole.
std::vector<Line> wrap(const Layout& lay, const Line& line, int width) {
    std::vector<Line> out;
    const QString& t = line.text;
    qsizetype start = 0;
    while (start < t.size()) {
        qsizetype end = start, lastBreak = -1;
        while (end < t.size()) {
            qsizetype wordEnd = end;
            while (wordEnd < t.size() && t[wordEnd] != QLatin1Char(' '))
                ++wordEnd;
            if (lastBreak >= 0 && lay.width(t.mid(start, wordEnd - start)) > width) break;
            lastBreak = wordEnd;
            end = wordEnd;
            while (end < t.size() && t[end] == QLatin1Char(' '))
                ++end;
        }
        qsizetype cut = lastBreak < 0 ? t.size() : lastBreak;
        out.push_back(sub(line, start, cut - start));
        start = cut;
        while (start < t.size() && t[start] == QLatin1Char(' '))
            ++start;
    }
    if (out.empty()) out.push_back(line);
    return out;
}

const QString kEllipsis = QStringLiteral("...");

// The longest start of `line` that fits `width` with "..." after it.
Line endEllipsis(const Layout& lay, const Line& line, int width, bool atWord) {
    qsizetype n = line.text.size();
    while (n > 0 && lay.width(line.text.left(n) + kEllipsis) > width)
        --n;
    if (atWord) {
        qsizetype space = line.text.lastIndexOf(QLatin1Char(' '), n - 1);
        if (space > 0 && n < line.text.size()) n = space;
    }
    Line out = sub(line, 0, n);
    out.text += kEllipsis;
    out.underlined.resize(static_cast<std::size_t>(out.text.size()), false);
    return out;
}

// "start...\last": keeps the last path element and as much of the start as fits.
Line pathEllipsis(const Layout& lay, const Line& line, int width) {
    qsizetype sep =
        std::max(line.text.lastIndexOf(QLatin1Char('\\')), line.text.lastIndexOf(QLatin1Char('/')));
    if (sep < 0) return line;
    QString tail = line.text.mid(sep);
    qsizetype n = sep;
    while (n > 0 && lay.width(line.text.left(n) + kEllipsis + tail) > width)
        --n;
    Line out;
    out.text = line.text.left(n) + kEllipsis + tail;
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
void drawLine(DeviceContext& dc, QPainter& p, const Layout& lay, const Line& line, QPoint at,
              const RectRegion* clip) {
    int x = 0;
    qsizetype from = 0;
    const QString& t = line.text;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        bool tab = i < t.size() && t[i] == QLatin1Char('\t') && lay.expandTabs();
        if (i < t.size() && !tab) continue;
        Line part = sub(line, from, i - from);
        TextRun run;
        run.text = part.text;
        // Runs without an underline take the faster whole-run drawing.
        if (std::find(part.underlined.begin(), part.underlined.end(), true) != part.underlined.end())
            run.underlined = part.underlined;
        run.topLeft = at + QPoint(x, 0);
        run.pivot = at;
        run.opaque = dc.state.bkMode == OPAQUE;
        run.clip = clip;
        if (!run.text.isEmpty()) drawTextRun(dc, p, lay.m, run);
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

    QRect box = qrectOf(deviceRect(*dc, *rect));
    Line all = stripPrefixes(pm::decodeText(text, length), format);
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        all.text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        lines.push_back(all);
    } else {
        for (const Line& l : splitLines(all)) {
            if (format & DT_WORDBREAK) {
                for (Line& w : wrap(lay, l, box.width()))
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
            l = fitLine(lay, l, box.width());

    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, lay.width(l.text));
    int total = lineHeight * static_cast<int>(lines.size());
    int top = box.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top() + (box.height() - total) / 2;
        else if (format & DT_BOTTOM)
            top = box.top() + box.height() - total;
    }
    int height = dc->lengthToLogical(total);
    int offset = dc->lengthToLogical(top - box.top() + total);
    int answer = format & (DT_VCENTER | DT_BOTTOM) && format & DT_SINGLELINE ? offset : height;

    if (format & DT_CALCRECT) {
        // Text grows right and down on the device, whatever the mapping mode.
        QPoint corner = devicePoint(*dc, rect->left, rect->top);
        POINT end = dc->toLogical(corner.x() + widest, corner.y() + total);
        rect->right = end.x;
        rect->bottom = end.y;
        return answer;
    }
    DcPainter dp(*dc);
    if (!dp.active()) return answer;
    RectRegion clip(rectOf(box));
    const RectRegion* lineClip = format & DT_NOCLIP ? nullptr : &clip;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int w = lay.width(lines[i].text);
        int x = box.left();
        if (format & DT_CENTER)
            x += (box.width() - w) / 2;
        else if (format & DT_RIGHT)
            x += box.width() - w;
        drawLine(*dc, dp.painter(), lay, lines[i], QPoint(x, top + static_cast<int>(i) * lineHeight),
                 lineClip);
    }
    return answer;
}
