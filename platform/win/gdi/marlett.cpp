#include "platform/win/gdi/marlett.h"

#include <QRegion>

#include <algorithm>
#include <strings.h>

namespace pm::gdi {

bool isMarlettFace(const char* face) {
    return face && strcasecmp(face, "Marlett") == 0;
}

namespace {

enum class Direction { Left, Right, Up, Down };

// A solid arrow head of `size` pixels across its base, centred in cell.
void triangle(QPainter& p, const QRect& cell, Direction dir, int size, QColor color) {
    size = std::max(3, size | 1);
    int depth = (size + 1) / 2;
    QPoint c = cell.center();
    p.setPen(color);
    for (int i = 0; i < depth; ++i) {
        int half = depth - 1 - i;
        switch (dir) {
        case Direction::Down:
            p.drawLine(c.x() - half, c.y() - depth / 2 + i, c.x() + half, c.y() - depth / 2 + i);
            break;
        case Direction::Up:
            p.drawLine(c.x() - half, c.y() + depth / 2 - i, c.x() + half, c.y() + depth / 2 - i);
            break;
        case Direction::Right:
            p.drawLine(c.x() - depth / 2 + i, c.y() - half, c.x() - depth / 2 + i, c.y() + half);
            break;
        case Direction::Left:
            p.drawLine(c.x() + depth / 2 - i, c.y() - half, c.x() + depth / 2 - i, c.y() + half);
            break;
        }
    }
}

void closeCross(QPainter& p, const QRect& cell, QColor color) {
    int n = std::max(4, cell.width() * 8 / 13);
    QPoint tl(cell.center().x() - n / 2, cell.center().y() - n / 2);
    p.setPen(color);
    for (int i = 0; i < n; ++i) {
        p.drawLine(tl.x() + i, tl.y() + i, tl.x() + i + 1, tl.y() + i);
        p.drawLine(tl.x() + n - 1 - i, tl.y() + i, tl.x() + n - i, tl.y() + i);
    }
}

void minimizeBar(QPainter& p, const QRect& cell, QColor color) {
    int w = std::max(4, cell.width() * 6 / 13);
    QRect bar(cell.center().x() - w / 2, cell.bottom() - cell.height() * 4 / 13, w, 2);
    p.fillRect(bar, color);
}

void maximizeBox(QPainter& p, QRect box, QColor color) {
    p.setPen(color);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.fillRect(QRect(box.left(), box.top() + 1, box.width(), 1), color);
}

void checkMark(QPainter& p, const QRect& cell, QColor color) {
    int n = std::max(7, cell.width() * 7 / 13);
    QPoint o(cell.center().x() - n / 2, cell.center().y() - n / 4);
    p.setPen(color);
    int down = n / 3;
    for (int i = 0; i < 3; ++i) {
        p.drawLine(o.x(), o.y() + 2 + i, o.x() + down - 1, o.y() + down + 1 + i);
        p.drawLine(o.x() + down, o.y() + down + i, o.x() + n - 1, o.y() + down + i - (n - down - 1));
    }
}

void bullet(QPainter& p, const QRect& cell, int diameter, QColor color) {
    QRect dot(0, 0, diameter, diameter);
    dot.moveCenter(cell.center());
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(dot);
    p.setBrush(Qt::NoBrush);
}

void sizeGrip(QPainter& p, const QRect& cell, QColor color) {
    p.setPen(color);
    for (int k = 2; k < cell.width(); k += 4)
        for (int j = 0; j < 2; ++j)
            p.drawLine(cell.right() - k - j + 1, cell.bottom(), cell.right(), cell.bottom() - k - j + 1);
}

void helpMark(QPainter& p, const QRect& cell, QColor color) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(std::max(6, cell.height() * 11 / 13));
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(color);
    p.drawText(cell, Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

void drawMarlettGlyph(QPainter& p, const QRect& cell, char ch, QColor color) {
    int em = std::min(cell.width(), cell.height());
    switch (ch) {
    case '0':
        minimizeBar(p, cell, color);
        break;
    case '1': {
        QRect box(0, 0, em * 9 / 13, em * 9 / 13);
        box.moveCenter(cell.center());
        maximizeBox(p, box, color);
        break;
    }
    case '2': {
        int s = em * 6 / 13;
        QRect back(cell.center().x() - s / 2 + 1, cell.center().y() - s / 2 - 2, s, s);
        QRect front = back.translated(-3, 3);
        p.save();
        // The back window shows only where the front one does not cover it.
        p.setClipRegion(QRegion(cell.adjusted(-em, -em, em, em)).subtracted(QRegion(front)),
                        Qt::IntersectClip);
        maximizeBox(p, back, color);
        p.restore();
        maximizeBox(p, front, color);
        break;
    }
    case '3':
        triangle(p, cell, Direction::Left, em / 2, color);
        break;
    case '4':
        triangle(p, cell, Direction::Right, em / 2, color);
        break;
    case '5':
        triangle(p, cell, Direction::Up, em / 2, color);
        break;
    case '6':
        triangle(p, cell, Direction::Down, em / 2, color);
        break;
    case '8':
        triangle(p, cell, Direction::Right, em * 7 / 13, color);
        break;
    case 'a':
        checkMark(p, cell, color);
        break;
    case 'h':
        bullet(p, cell, std::max(2, em * 6 / 13), color);
        break;
    case 'i':
        bullet(p, cell, std::max(2, em * 4 / 13), color);
        break;
    case 'n':
        bullet(p, cell, std::max(4, em * 10 / 13), color);
        break;
    case 'o':
        sizeGrip(p, cell, color);
        break;
    case 'r':
        closeCross(p, cell, color);
        break;
    case 's':
        helpMark(p, cell, color);
        break;
    case 't':
        triangle(p, cell, Direction::Down, em * 7 / 13, color);
        break;
    case 'u':
        triangle(p, cell, Direction::Down, em * 5 / 13, color);
        break;
    default:
        break;
    }
}

} // namespace pm::gdi
