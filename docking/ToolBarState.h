#pragma once
// The stored layout of a customisable tool bar: a button count (signed 32-bit), then 20 bytes per
// button: image index, command id (32-bit each), state and style (a byte each), two reserved
// bytes, application data and string index (32-bit each); little-endian throughout.

#include "platform/win/commctrl.h"

#include <cstddef>
#include <vector>

namespace docking {

constexpr std::size_t kToolBarStateRecord = 20;
// More buttons than any bar holds: a count above this is damage.
constexpr int kToolBarStateMaxButtons = 4096;

std::vector<BYTE> EncodeToolBarState(const std::vector<TBBUTTON>& buttons);
// The buttons of a stored layout; false (and no buttons) when the data is shorter or longer than
// its count says, or the count is negative or impossible. Application data and string indexes
// read back as 0 and -1: the caller gives them their meaning for this run.
bool DecodeToolBarState(const BYTE* pData, std::size_t nSize, std::vector<TBBUTTON>& buttons);

} // namespace docking
