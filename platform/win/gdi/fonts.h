#pragma once
// Fonts as GDI sees them: a LOGFONT made into a QFont through the face substitution table. Text is
// measured through text_measure.h.

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/font_cache.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/text_measure.h"

#include <QFont>
#include <QString>

namespace pm::gdi {

// The installed family that stands in for a face name (empty: chosen by pitch and family).
QString substituteFace(const char* face, BYTE pitchAndFamily);

// The QFont of a LOGFONT whose height is in device pixels.
QFont makeQFont(const LOGFONTA& lf);

} // namespace pm::gdi
