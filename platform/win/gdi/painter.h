#pragma once
// A QPainter opened on a DC's pixels for one drawing call: device coordinates, the DC's clip, no
// antialiasing, and the DC's binary raster operation (SetROP2) as a composition mode.

#include "platform/win/gdi/dc_surface.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

namespace pm::gdi {

class DcPainter {
public:
    explicit DcPainter(DeviceContext& dc);
    ~DcPainter();
    DcPainter(const DcPainter&) = delete;
    DcPainter& operator=(const DcPainter&) = delete;

    // False when the DC has nothing to draw into (or its clip is empty).
    bool active() const { return m_active; }
    QPainter& painter() { return *m_target; }
    // Sets the composition for the DC's raster operation; false for R2_NOP (draw nothing).
    bool useRop2(int rop2);
    // The colour R2_BLACK and R2_WHITE draw with instead of the pen's or brush's.
    static bool fixedRop2Colour(int rop2, QColor* colour);

private:
    QPainter m_painter;
    QPainter* m_target = &m_painter; // m_painter, or a printer page's painter, borrowed
    bool m_borrowed = false;
    bool m_active = false;
    QImage* m_image = nullptr;
    QRect m_bounds;          // image pixels drawing may reach
    bool m_rasterOp = false; // a raster operation ran on an image with transparency
};

// The selected pen and brush as the DC draws them; `none` when they draw nothing.
struct PenShape {
    bool none = true;
    QPen pen;
    int width = 1; // device pixels
    bool insideFrame = false;
    bool dashed = false;
};
PenShape penOf(const DeviceContext& dc);
// QBrush of the selected brush (Qt::NoBrush for the null brush); patterns anchored at the brush
// origin in device coordinates.
QBrush brushOf(const DeviceContext& dc);

} // namespace pm::gdi
