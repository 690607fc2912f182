#include "docking/ToolBarState.h"

namespace docking {

namespace {

void Put32(std::vector<BYTE>& out, DWORD value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

DWORD Get32(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[2]) << 16 |
           static_cast<DWORD>(p[3]) << 24;
}

} // namespace

std::vector<BYTE> EncodeToolBarState(const std::vector<TBBUTTON>& buttons) {
    std::vector<BYTE> out;
    out.reserve(4 + kToolBarStateRecord * buttons.size());
    Put32(out, static_cast<DWORD>(buttons.size()));
    for (const TBBUTTON& b : buttons) {
        Put32(out, static_cast<DWORD>(b.iBitmap));
        Put32(out, static_cast<DWORD>(b.idCommand));
        out.push_back(b.fsState);
        out.push_back(b.fsStyle);
        out.push_back(0);
        out.push_back(0);
        Put32(out, static_cast<DWORD>(b.dwData));
        Put32(out, static_cast<DWORD>(b.iString));
    }
    return out;
}

bool DecodeToolBarState(const BYTE* pData, std::size_t nSize, std::vector<TBBUTTON>& buttons) {
    buttons.clear();
    if (!pData || nSize < 4) return false;
    const auto nCount = static_cast<int>(Get32(pData));
    if (nCount < 0 || nCount > kToolBarStateMaxButtons) return false;
    if (nSize != 4 + kToolBarStateRecord * static_cast<std::size_t>(nCount)) return false;
    buttons.resize(static_cast<std::size_t>(nCount));
    const BYTE* p = pData + 4;
    for (TBBUTTON& b : buttons) {
        b = TBBUTTON{};
        b.iBitmap = static_cast<int>(Get32(p));
        b.idCommand = static_cast<int>(Get32(p + 4));
        b.fsState = p[8];
        b.fsStyle = p[9];
        b.dwData = 0;
        b.iString = -1;
        p += kToolBarStateRecord;
    }
    return true;
}

} // namespace docking
