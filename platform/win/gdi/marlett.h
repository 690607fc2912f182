#pragma once
// The symbol font "Marlett" is not installed here: its glyphs that the programs and the frame
// controls use (caption buttons, arrows, check mark, bullet, size grip) are drawn by us.

#include <QColor>
#include <QPainter>
#include <QRect>

namespace pm::gdi {

bool isMarlettFace(const char* face);

// Draws glyph `ch` of the symbol font centred in `cell` (device pixels, the painter unclipped to it).
void drawMarlettGlyph(QPainter& painter, const QRect& cell, char ch, QColor color);

} // namespace pm::gdi
