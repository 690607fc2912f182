#pragma once
// The cool tool bars' binary values in the profile, read with bounds: the buttons a bar keeps
// ("<name>_ButtonsSettings") and where its custom buttons stand ("<name>_CustomButtonsPositions").

#include "platform/framework/CString.h"
#include "platform/win/windows.h"

#include <utility>
#include <vector>

class CArchive;

namespace docking {

// More buttons than any bar holds: a count above this is damage.
constexpr int kMaxStoredButtons = 4096;

// One stored button: its command, image and style, and its text (or, when it shows none, the text
// remembered for its command).
struct StoredButton {
    int nID = 0;
    int nImage = 0;
    BYTE nStyle = 0;
    int nHasText = 0;
    CString strText;
};

// A count, then per button its command id, image, style byte, has-text flag and text.
void WriteButtonsSettings(CArchive& ar, const std::vector<StoredButton>& buttons);
// The stored buttons; false (and none) for damaged data.
bool ReadButtonsSettings(CArchive& ar, std::vector<StoredButton>& buttons);

// A count, then per custom button its button index and its control's id.
void WriteCustomButtonsPositions(CArchive& ar, const std::vector<std::pair<int, int>>& positions);
// The stored positions; false (and none) for damaged data or a negative index.
bool ReadCustomButtonsPositions(CArchive& ar, std::vector<std::pair<int, int>>& positions);

} // namespace docking
