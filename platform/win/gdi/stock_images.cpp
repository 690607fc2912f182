#include "platform/win/gdi/stock_images.h"

#include "platform/win/qtapp.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace pm::gdi {

namespace {

constexpr int kSize = 32;

QImage blank() {
    QImage img(kSize, kSize, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// Shapes outlined in black and filled in white, as cursors are drawn.
void outlined(QPainter& p, const QPolygon& shape) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(shape);
}

QPolygon arrowShape(QPoint at) {
    QPolygon arrow({QPoint(0, 0), QPoint(0, 16), QPoint(4, 12), QPoint(7, 19), QPoint(9, 18), QPoint(6, 11),
                    QPoint(11, 11)});
    return arrow.translated(at);
}

// A double-headed arrow from a to b, in cursor style.
void doubleArrow(QPainter& p, QPointF a, QPointF b) {
    QLineF line(a, b);
    QLineF unit = line.unitVector();
    QPointF d(unit.dx(), unit.dy()), n(-d.y(), d.x());
    QPointF tail = a + d * 4, head = b - d * 4;
    QPolygonF shape({a, a + d * 4 + n * 4, tail + n, head + n, b - d * 4 + n * 4, b, b - d * 4 - n * 4,
                     head - n, tail - n, a + d * 4 - n * 4});
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(shape);
}

void hourglass(QPainter& p, QRect r) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    QPolygon glass({r.topLeft(), r.topRight(), QPoint(r.center().x() + 1, r.center().y()), r.bottomRight(),
                    r.bottomLeft(), QPoint(r.center().x() - 1, r.center().y())});
    p.drawPolygon(glass);
    p.fillRect(QRect(r.left() + 3, r.bottom() - 3, r.width() - 6, 2), Qt::black);
}

void drawCursor(QPainter& p, int id) {
    switch (id) {
    case 32512:
        outlined(p, arrowShape(QPoint(0, 0)));
        break;  // IDC_ARROW
    case 32513: // IDC_IBEAM
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(16, 8, 16, 24);
        p.drawLine(13, 7, 15, 7);
        p.drawLine(17, 7, 19, 7);
        p.drawLine(13, 25, 15, 25);
        p.drawLine(17, 25, 19, 25);
        break;
    case 32514:
        hourglass(p, QRect(9, 4, 14, 24));
        break;  // IDC_WAIT
    case 32515: // IDC_CROSS
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(16, 5, 16, 27);
        p.drawLine(5, 16, 27, 16);
        break;
    case 32516:
        doubleArrow(p, QPointF(16, 2), QPointF(16, 30));
        break; // IDC_UPARROW
    case 32642:
        doubleArrow(p, QPointF(7, 7), QPointF(25, 25));
        break; // IDC_SIZENWSE
    case 32643:
        doubleArrow(p, QPointF(25, 7), QPointF(7, 25));
        break; // IDC_SIZENESW
    case 32644:
        doubleArrow(p, QPointF(4, 16), QPointF(28, 16));
        break; // IDC_SIZEWE
    case 32645:
        doubleArrow(p, QPointF(16, 4), QPointF(16, 28));
        break;  // IDC_SIZENS
    case 32646: // IDC_SIZEALL
        doubleArrow(p, QPointF(4, 16), QPointF(28, 16));
        doubleArrow(p, QPointF(16, 4), QPointF(16, 28));
        break;
    case 32648: // IDC_NO
        p.setPen(QPen(Qt::black, 4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(6, 6, 20, 20));
        p.drawLine(10, 10, 22, 22);
        break;
    case 32649: { // IDC_HAND
        QPolygon hand({QPoint(6, 0), QPoint(9, 0), QPoint(9, 9), QPoint(18, 10), QPoint(19, 22),
                       QPoint(16, 26), QPoint(7, 26), QPoint(1, 16), QPoint(3, 14), QPoint(6, 17)});
        outlined(p, hand);
        break;
    }
    case 32650: // IDC_APPSTARTING
        outlined(p, arrowShape(QPoint(0, 0)));
        hourglass(p, QRect(14, 12, 9, 14));
        break;
    case 32651: // IDC_HELP
        outlined(p, arrowShape(QPoint(0, 0)));
        p.setPen(Qt::black);
        p.setFont(QFont(QStringLiteral("Liberation Sans"), -1));
        p.drawText(QRect(14, 4, 14, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    default:
        break;
    }
}

QPoint hotspotOf(int id) {
    switch (id) {
    case 32512:
    case 32650:
    case 32651:
        return QPoint(0, 0);
    case 32649:
        return QPoint(7, 0);
    case 32516:
        return QPoint(16, 2);
    default:
        return QPoint(16, 16);
    }
}

void roundSign(QPainter& p, QColor fill, QColor ink, const QString& text) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    p.drawEllipse(QRect(2, 2, 27, 27));
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, text);
}

bool drawIcon(QPainter& p, int id) {
    switch (id) {
    case 32512: // IDI_APPLICATION: a window
        p.fillRect(QRect(2, 4, 28, 24), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(QRect(2, 4, 27, 23));
        p.fillRect(QRect(3, 5, 26, 5), QColor(0, 0, 128));
        return true;
    case 32513: // IDI_ERROR
        roundSign(p, QColor(255, 0, 0), Qt::white, QStringLiteral("X"));
        return true;
    case 32514: // IDI_QUESTION
        roundSign(p, QColor(255, 255, 255), QColor(0, 0, 255), QStringLiteral("?"));
        return true;
    case 32515: { // IDI_WARNING
        QPolygon tri({QPoint(16, 2), QPoint(30, 28), QPoint(2, 28)});
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 0));
        p.drawPolygon(tri);
        p.fillRect(QRect(15, 10, 3, 11), Qt::black);
        p.fillRect(QRect(15, 23, 3, 3), Qt::black);
        return true;
    }
    case 32516: // IDI_INFORMATION
        roundSign(p, QColor(255, 255, 255), QColor(0, 0, 255), QStringLiteral("i"));
        return true;
    case 32517: // IDI_WINLOGO: four panes
        p.fillRect(QRect(4, 4, 11, 11), QColor(255, 0, 0));
        p.fillRect(QRect(17, 4, 11, 11), QColor(0, 128, 0));
        p.fillRect(QRect(4, 17, 11, 11), QColor(0, 0, 255));
        p.fillRect(QRect(17, 17, 11, 11), QColor(255, 255, 0));
        return true;
    default:
        return false;
    }
}

bool knownCursor(int id) {
    return (id >= 32512 && id <= 32516) || (id >= 32642 && id <= 32651 && id != 32647);
}

} // namespace

bool stockCursorImage(int id, QImage* image, QPoint* hotspot) {
    if (!knownCursor(id)) return false;
    ensureQtApplication();
    QImage img = blank();
    {
        QPainter p(&img);
        drawCursor(p, id);
    }
    *image = img;
    *hotspot = hotspotOf(id);
    return true;
}

bool stockIconImage(int id, QImage* image) {
    ensureQtApplication();
    QImage img = blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!drawIcon(p, id)) return false;
    p.end();
    *image = img;
    return true;
}

} // namespace pm::gdi
