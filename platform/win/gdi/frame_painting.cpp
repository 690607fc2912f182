#include "platform/win/gdi/frame_painting.h"

#include "platform/win/gdi/marlett.h"
#include "platform/win/gdi/painter.h"
#include "platform/win/gdi/qt_regions.h"

namespace pm::gdi {

namespace {

QColor sys(int index) {
    return QColor::fromRgb(toRgb(GetSysColor(index)));
}

} // namespace

void drawFrameGlyph(DeviceContext& dc, const RECT& box, int em, char ch, std::uint32_t colour,
                    bool inactive) {
    DcPainter dp(dc);
    if (!dp.active()) return;
    QPainter& p = dp.painter();
    QRect cell(0, 0, em, em);
    cell.moveCenter(qrectOf(box).center());
    QColor ink = QColor::fromRgb(colour);
    if (inactive) {
        drawMarlettGlyph(p, cell.translated(1, 1), ch, sys(COLOR_3DHIGHLIGHT));
        ink = sys(COLOR_3DSHADOW);
    }
    drawMarlettGlyph(p, cell, ch, ink);
}

void drawRadioButton(DeviceContext& dc, const RECT& box, UINT state) {
    DcPainter dp(dc);
    if (!dp.active()) return;
    QPainter& p = dp.painter();
    QRect b = qrectOf(box).adjusted(0, 0, -1, -1);
    // Two half circles for each ring, in the sunken edge's colours.
    auto ring = [&](QRect rr, QColor tl, QColor br) {
        p.setBrush(Qt::NoBrush);
        p.setPen(tl);
        p.drawArc(rr, 45 * 16, 180 * 16);
        p.setPen(br);
        p.drawArc(rr, 225 * 16, 180 * 16);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(sys(state & (DFCS_INACTIVE | DFCS_PUSHED) ? COLOR_3DFACE : COLOR_WINDOW));
    p.drawEllipse(b);
    ring(b, sys(COLOR_3DSHADOW), sys(COLOR_3DHIGHLIGHT));
    ring(b.adjusted(1, 1, -1, -1), sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT));
    if (state & DFCS_CHECKED) {
        int d = std::max(2, static_cast<int>(box.right - box.left) / 3);
        QRect dot(0, 0, d, d);
        dot.moveCenter(b.center());
        p.setPen(Qt::NoPen);
        p.setBrush(sys(state & DFCS_INACTIVE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        p.drawEllipse(dot);
    }
}

} // namespace pm::gdi
