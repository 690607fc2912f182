#pragma once
// MessageBeep sounds the desktop's bell and keeps a record, so tests can see that a beep happened.
// Private to platform/.

#include "platform/win/wintypes.h"

#include <vector>

namespace pm {

// The types of the beeps since the last call, oldest first; the record is emptied.
std::vector<UINT> takeRecordedBeeps();

} // namespace pm
