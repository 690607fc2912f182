// TextOut, ExtTextOut and tabbed text: bytes shown as characters, placed by the DC's alignment.
#include "platform/win/gdi/surface.h"
#include "platform/win/gdi/text_run.h"
#include "platform/win/utf8.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace pm::gdi;

namespace {

std::size_t lengthOf(LPCSTR text, int count) {
    if (!text) return 0;
    return count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
}

// The cell's top left for a run of `width` at reference point `at` under the DC's alignment.
POINT alignedTopLeft(const DeviceContext& dc, const TextMeasure& m, POINT at, int width) {
    UINT a = dc.state.textAlign;
    int x = at.x, y = at.y;
    if ((a & TA_CENTER) == TA_CENTER)
        x -= width / 2;
    else if (a & TA_RIGHT)
        x -= width;
    if ((a & TA_BASELINE) == TA_BASELINE)
        y -= m.ascent();
    else if (a & TA_BOTTOM)
        y -= m.height();
    return POINT{x, y};
}

// Per-unit device advances from per-byte logical ones (the bytes of one character add up).
std::vector<int> advancesFromBytes(const DeviceContext& dc, const std::vector<int>& offsets, const INT* dx) {
    std::vector<int> out;
    if (!dx || offsets.size() < 2) return out;
    out.resize(offsets.size() - 1, 0);
    for (std::size_t u = 0; u + 1 < offsets.size(); ++u) {
        int sum = 0;
        for (int b = offsets[u]; b < offsets[u + 1]; ++b)
            sum += dx[b];
        out[u] = dc.lengthToDevice(sum);
    }
    return out;
}

BOOL textOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, std::size_t length,
             const INT* dx) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    TextMeasure m(*dc);
    std::vector<int> offsets;
    TextRun run;
    run.text = pm::shownText(text, length, &offsets);
    run.advances = advancesFromBytes(*dc, offsets, dx);
    int width = runWidth(m, run);
    bool updateCp = dc->state.textAlign & TA_UPDATECP;
    POINT at = updateCp ? dc->toDevice(dc->state.position.x, dc->state.position.y) : dc->toDevice(x, y);
    if (updateCp) {
        dc->state.position.x = dc->toLogical(at.x + width, at.y).x;
    }
    TextPainter tp(*dc);
    if (!tp.active()) return TRUE;
    RectRegion clipRect;
    if (rect) {
        RECT r = deviceRect(*dc, *rect);
        if (options & ETO_OPAQUE) tp.fillBackground(r);
        if (options & ETO_CLIPPED) {
            clipRect = RectRegion(r);
            run.clip = &clipRect;
        }
    }
    run.topLeft = alignedTopLeft(*dc, m, at, width);
    run.pivot = at;
    run.opaque = dc->state.bkMode == OPAQUE;
    if (!run.text.empty()) tp.draw(m, run);
    return TRUE;
}

// Next tab position (device pixels) after x, with the stops measured from `origin`.
int nextTab(const DeviceContext& dc, const TextMeasure& m, int x, int origin, int count, const INT* stops) {
    int rel = x - origin;
    if (count <= 1 || !stops) {
        int step = count == 1 && stops && stops[0] > 0 ? dc.lengthToDevice(stops[0]) : 8 * m.averageWidth();
        step = std::max(1, step);
        return origin + (rel / step + 1) * step;
    }
    for (int i = 0; i < count; ++i) {
        int stop = dc.lengthToDevice(std::abs(stops[i]));
        if (stop > rel) return origin + stop;
    }
    return x + m.advance(u" ");
}

// Lays out tabbed text: calls place(segment, deviceX) for each run between tabs; answers the width.
template <class F>
int layoutTabbed(const DeviceContext& dc, const TextMeasure& m, const std::u16string& shown, int startX,
                 int origin, int tabCount, const INT* stops, F place) {
    int x = startX;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= shown.size(); ++i) {
        if (i < shown.size() && shown[i] != u'\t') continue;
        std::u16string segment = shown.substr(from, i - from);
        place(segment, x);
        x += m.width(segment);
        if (i < shown.size()) x = nextTab(dc, m, x, origin, tabCount, stops);
        from = i + 1;
    }
    return x - startX;
}

} // namespace

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0) return FALSE;
    return textOut(hdc, x, y, 0, nullptr, text, lengthOf(text, count), nullptr);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
    return textOut(hdc, x, y, options, rect, text, text ? count : 0, dx);
}

LONG TabbedTextOutA(HDC hdc, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabStops,
                    int tabOrigin) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || count < 0) return 0;
    TextMeasure m(*dc);
    std::u16string shown = pm::shownText(text, lengthOf(text, count));
    POINT at = dc->toDevice(x, y);
    int origin = dc->toDevice(tabOrigin, y).x;
    TextPainter tp(*dc);
    int width =
        layoutTabbed(*dc, m, shown, at.x, origin, tabCount, tabStops, [&](const std::u16string& s, int sx) {
            if (!tp.active() || s.empty()) return;
            TextRun run;
            run.text = s;
            run.topLeft = POINT{sx, at.y};
            run.pivot = at;
            run.opaque = dc->state.bkMode == OPAQUE;
            tp.draw(m, run);
        });
    return MAKELONG(dc->lengthToLogical(width), dc->lengthToLogical(m.height()));
}

DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR text, int count, int tabCount, const INT* tabStops) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || count < 0) return 0;
    TextMeasure m(*dc);
    std::u16string shown = pm::shownText(text, lengthOf(text, count));
    int width = layoutTabbed(*dc, m, shown, 0, 0, tabCount, tabStops, [](const std::u16string&, int) {});
    return static_cast<DWORD>(MAKELONG(dc->lengthToLogical(width), dc->lengthToLogical(m.height())));
}
