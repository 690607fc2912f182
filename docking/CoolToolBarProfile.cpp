// The cool tool bars' binary values: every count is bounded by the bytes that are left.

#include "docking/CoolToolBarProfile.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/Exceptions.h"

namespace docking {

namespace {
// The fewest bytes a stored button or position takes.
const UINT kButtonBytes = 4 + 4 + 1 + 4 + 1;
const UINT kPositionBytes = 4 + 4;

// Reads a count of records of at least nRecordBytes each; false when it cannot be right.
bool readCount(CArchive& ar, int& count, UINT nRecordBytes) {
    ar >> count;
    if (count < 0 || count > kMaxStoredButtons) return false;
    ar.CheckCount(static_cast<ULONGLONG>(count), nRecordBytes);
    return true;
}
} // namespace

void WriteButtonsSettings(CArchive& ar, const std::vector<StoredButton>& buttons) {
    ar << static_cast<int>(buttons.size());
    for (const StoredButton& b : buttons)
        ar << b.nID << b.nImage << b.nStyle << b.nHasText << b.strText;
}

bool ReadButtonsSettings(CArchive& ar, std::vector<StoredButton>& buttons) {
    buttons.clear();
    try {
        int count = 0;
        if (!readCount(ar, count, kButtonBytes)) return false;
        buttons.resize(static_cast<size_t>(count));
        for (StoredButton& b : buttons)
            ar >> b.nID >> b.nImage >> b.nStyle >> b.nHasText >> b.strText;
    } catch (CException* e) {
        e->Delete();
        buttons.clear();
        return false;
    }
    return true;
}

void WriteCustomButtonsPositions(CArchive& ar, const std::vector<std::pair<int, int>>& positions) {
    ar << static_cast<int>(positions.size());
    for (const auto& p : positions)
        ar << p.first << p.second;
}

bool ReadCustomButtonsPositions(CArchive& ar, std::vector<std::pair<int, int>>& positions) {
    positions.clear();
    try {
        int count = 0;
        if (!readCount(ar, count, kPositionBytes)) return false;
        positions.resize(static_cast<size_t>(count));
        for (auto& p : positions) {
            ar >> p.first >> p.second;
            if (p.first < 0) {
                positions.clear();
                return false;
            }
        }
    } catch (CException* e) {
        e->Delete();
        positions.clear();
        return false;
    }
    return true;
}

} // namespace docking
