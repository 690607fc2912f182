#pragma once
// The library's tool-bar drag data, as menus are built from it: records of a 32-bit command id
// (0 a separator, -1 a popup), a zero-terminated text, a 32-bit image index and a style byte (both
// unused here) and a 32-bit continuation code. A popup whose code is not 0 is followed by the
// records of its items; a level ends after a record whose code is 0 or 2. Little-endian.

#include "platform/framework/CString.h"
#include "platform/win/windows.h"

#include <functional>
#include <vector>

namespace docking {

struct DraggedItem {
    int nID = 0;
    CString strText;
    std::vector<DraggedItem> children; // of a popup
};

// Deeper popups or more items than any drag carries: damage.
constexpr int kMaxDraggedDepth = 16;
constexpr int kMaxDraggedItems = 4096;

// Reads one level of records from pCursor (not past pEnd) and moves pCursor after them; false,
// with no items and pCursor where it was, for data that ends early or breaks the bounds.
bool ReadDraggedItems(const BYTE*& pCursor, const BYTE* pEnd, std::vector<DraggedItem>& items);

// Inserts the items into hMenu by position from nPosition on; each popup made is handed to
// keepPopup, which destroys it in the end.
void InsertDraggedItems(HMENU hMenu, int nPosition, const std::vector<DraggedItem>& items,
                        const std::function<void(HMENU)>& keepPopup);

} // namespace docking
