#include "docking/SplitCursor.h"

HCURSOR LoadSplitCursor(bool bSideways) {
    HCURSOR own = ::LoadCursor(::GetModuleHandle(nullptr), MAKEINTRESOURCE(bSideways ? 30980 : 30981));
    return own ? own : ::LoadCursor(nullptr, bSideways ? IDC_SIZEWE : IDC_SIZENS);
}
