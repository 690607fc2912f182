#pragma once
// Private: text dropped on a window, dragged from another window of ours or from another program.
// The window under the drop point is sent the registered message textDropMessage() with lParam
// pointing to a TextDrop; it answers non-zero when it takes the text (for a query: when it would).

#include "platform/win/handles.h"
#include "platform/win/wintypes.h"

#include <string_view>

class QDropEvent;

namespace pm {

struct TextDrop {
    POINT point;           // the drop point in screen coordinates
    std::string_view text; // line breaks as CR LF
    bool query;            // only asks whether the text would be taken there
};

UINT textDropMessage();

// Offers text to the window under screen point `point`; true when it took it (or, for a query,
// would take it).
bool dropTextAt(POINT point, std::string_view text, bool query);

// For the top-level widget of `hwnd`: whether the window under a drag of plain text would take
// it, and delivering the drop.
bool acceptsTextDrop(HWND hwnd, const QDropEvent* e);
bool deliverTextDrop(HWND hwnd, const QDropEvent* e);

} // namespace pm
