#include "platform/win/gdi/painter.h"

#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/qt_regions.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/qtapp.h"

namespace pm::gdi {

DcPainter::DcPainter(DeviceContext& dc) {
    ensureQtApplication();
    QImage* img = imageOf(dc);
    if (!img || img->isNull()) return;
    RectRegion clip = visibleRegion(dc);
    if (clip.empty()) return;
    if (QPainter* printer = printerPainterOf(dc)) {
        // A printer's page: text and lines go to the printer as its own text and vectors.
        m_target = printer;
        m_borrowed = true;
        printer->save();
        printer->resetTransform();
    } else if (!m_painter.begin(img)) {
        return;
    }
    m_target->setRenderHint(QPainter::Antialiasing, false);
    m_target->setRenderHint(QPainter::TextAntialiasing, false);
    m_target->translate(originOf(dc));
    // A single rectangle clips through the raster engine's quicker rectangle path.
    if (clip.rectCount() == 1)
        m_target->setClipRect(qrectOf(clip.bounds()));
    else
        m_target->setClipRegion(toQRegion(clip));
    m_active = true;
    m_image = img;
    m_bounds = qrectOf(clip.bounds()).translated(originOf(dc));
}

DcPainter::~DcPainter() {
    if (m_borrowed) {
        m_target->restore();
        return;
    }
    if (!m_rasterOp) return;
    m_painter.end();
    // Qt's raster operations leave alpha alone; store their results as the per-pixel operations do
    // (black transparent, any other colour opaque), so XOR drawing stays visible and erasable.
    QRect r = m_bounds & m_image->rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] = storedPixel(line[x], true);
    }
}

bool DcPainter::fixedRop2Colour(int rop2, QColor* colour) {
    if (rop2 == R2_BLACK)
        *colour = Qt::black;
    else if (rop2 == R2_WHITE)
        *colour = Qt::white;
    else
        return false;
    return true;
}

bool DcPainter::useRop2(int rop2) {
    if (rop2 == R2_NOP) return false;
    // A printer mixes no colours with what it printed: every other operation prints.
    if (m_borrowed) return true;
    QPainter::CompositionMode mode;
    switch (rop2) {
    case R2_NOTMERGEPEN:
        mode = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case R2_MASKNOTPEN:
        mode = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case R2_NOTCOPYPEN:
        mode = QPainter::RasterOp_NotSource;
        break;
    case R2_MASKPENNOT:
        mode = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case R2_NOT:
        mode = QPainter::RasterOp_NotDestination;
        break;
    case R2_XORPEN:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case R2_NOTMASKPEN:
        mode = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case R2_MASKPEN:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case R2_NOTXORPEN:
        mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case R2_MERGENOTPEN:
        mode = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case R2_MERGEPENNOT:
        mode = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case R2_MERGEPEN:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    default:
        mode = QPainter::CompositionMode_SourceOver;
        break;
    }
    m_painter.setCompositionMode(mode);
    m_rasterOp = mode != QPainter::CompositionMode_SourceOver && m_image->hasAlphaChannel();
    return true;
}

namespace {

QVector<qreal> dashesOf(UINT style) {
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

} // namespace

PenShape penOf(const DeviceContext& dc) {
    PenShape shape;
    HPEN selected = dc.selectedPen();
    const Pen* p = objectAs<Pen>(selected);
    if (!p || p->log.lopnStyle == PS_NULL) return shape;
    shape.none = false;
    COLORREF c = selected == GetStockObject(DC_PEN) ? dc.state.dcPenColor : p->log.lopnColor;
    shape.width = std::max(1, dc.lengthToDevice(p->log.lopnWidth.x));
    shape.insideFrame = p->log.lopnStyle == PS_INSIDEFRAME;
    QPen pen(QColor::fromRgb(dc.resolve(c)));
    pen.setWidth(shape.width > 1 ? shape.width : 0);
    pen.setCapStyle(shape.width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(shape.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    // Styled lines exist only one pixel wide, as in Win32.
    QVector<qreal> dashes = shape.width == 1 ? dashesOf(p->log.lopnStyle) : QVector<qreal>();
    if (!dashes.isEmpty()) {
        pen.setDashPattern(dashes);
        shape.dashed = true;
    }
    shape.pen = pen;
    return shape;
}

QBrush brushOf(const DeviceContext& dc) {
    HBRUSH selected = dc.selectedBrush();
    Pattern pat = patternFor(dc, selected);
    if (!pat.present) return QBrush(Qt::NoBrush);
    if (!pat.tiled) return QBrush(QColor::fromRgb(pat.color));
    const Brush* b = objectAs<Brush>(selected);
    QImage tile = QImage(reinterpret_cast<const uchar*>(pat.tile.bits), pat.tile.width, pat.tile.height,
                         static_cast<qsizetype>(pat.tile.stride) * 4, QImage::Format_RGB32)
                      .copy();
    // Hatches leave their gaps alone in transparent mode.
    if (b && b->style == BS_HATCHED && dc.state.bkMode == TRANSPARENT) {
        tile = tile.convertToFormat(QImage::Format_ARGB32);
        QRgb back = dc.resolve(dc.state.bkColor), fore = dc.resolve(b->color);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                if (tile.pixel(x, y) == back && back != fore) tile.setPixel(x, y, 0);
    }
    QBrush brush(tile);
    QTransform t;
    t.translate(dc.state.brushOrg.x, dc.state.brushOrg.y);
    brush.setTransform(t);
    return brush;
}

} // namespace pm::gdi
