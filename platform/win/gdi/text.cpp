// TextOut, ExtTextOut and tabbed text: bytes shown as characters, placed by the DC's alignment.
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/gdi/text_run.h"
#include "platform/win/text_codec.h"

#include <cstring>

using namespace pm::gdi;

namespace {

std::size_t lengthOf(LPCSTR text, int count) {
    if (!text) return 0;
    return count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
}

// The cell's top left for a run of `width` at reference point `at` under the DC's alignment.
QPoint alignedTopLeft(const DeviceContext& dc, const TextMeasure& m, QPoint at, int width) {
    UINT a = dc.state.textAlign;
    int x = at.x(), y = at.y();
    if ((a & TA_CENTER) == TA_CENTER)
        x -= width / 2;
    else if (a & TA_RIGHT)
        x -= width;
    if ((a & TA_BASELINE) == TA_BASELINE)
        y -= m.ascent();
    else if (a & TA_BOTTOM)
        y -= m.height();
    return QPoint(x, y);
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
    run.text = pm::decodeText(text, length, &offsets);
    run.advances = advancesFromBytes(*dc, offsets, dx);
    int width = runWidth(m, run);
    bool updateCp = dc->state.textAlign & TA_UPDATECP;
    QPoint at = updateCp ? devicePoint(*dc, dc->state.position) : devicePoint(*dc, x, y);
    if (updateCp) {
        dc->state.position.x = dc->toLogical(at.x() + width, at.y()).x;
    }
    DcPainter dp(*dc);
    if (!dp.active()) return TRUE;
    RectRegion clipRect;
    if (rect) {
        RECT r = deviceRect(*dc, *rect);
        if (options & ETO_OPAQUE)
            dp.painter().fillRect(qrectOf(r), QColor::fromRgb(dc->resolve(dc->state.bkColor)));
        if (options & ETO_CLIPPED) {
            clipRect = RectRegion(r);
            run.clip = &clipRect;
        }
    }
    run.topLeft = alignedTopLeft(*dc, m, at, width);
    run.pivot = at;
    run.opaque = dc->state.bkMode == OPAQUE;
    if (!run.text.isEmpty()) drawTextRun(*dc, dp.painter(), m, run);
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
    return x + m.advance(QStringLiteral(" "));
}

// Lays out tabbed text: calls place(segment, deviceX) for each run between tabs; answers the width.
template <class F>
int layoutTabbed(const DeviceContext& dc, const TextMeasure& m, const QString& shown, int startX, int origin,
                 int tabCount, const INT* stops, F place) {
    int x = startX;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= shown.size(); ++i) {
        if (i < shown.size() && shown[i] != QLatin1Char('\t')) continue;
        QString segment = shown.mid(from, i - from);
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
    QString shown = pm::decodeText(text, lengthOf(text, count));
    QPoint at = devicePoint(*dc, x, y);
    int origin = devicePoint(*dc, tabOrigin, y).x();
    DcPainter dp(*dc);
    int width =
        layoutTabbed(*dc, m, shown, at.x(), origin, tabCount, tabStops, [&](const QString& s, int sx) {
            if (!dp.active() || s.isEmpty()) return;
            TextRun run;
            run.text = s;
            run.topLeft = QPoint(sx, at.y());
            run.pivot = at;
            run.opaque = dc->state.bkMode == OPAQUE;
            drawTextRun(*dc, dp.painter(), m, run);
        });
    return MAKELONG(dc->lengthToLogical(width), dc->lengthToLogical(m.height()));
}

DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR text, int count, int tabCount, const INT* tabStops) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || count < 0) return 0;
    TextMeasure m(*dc);
    QString shown = pm::decodeText(text, lengthOf(text, count));
    int width = layoutTabbed(*dc, m, shown, 0, 0, tabCount, tabStops, [](const QString&, int) {});
    return static_cast<DWORD>(MAKELONG(dc->lengthToLogical(width), dc->lengthToLogical(m.height())));
}
