#pragma once
// What a shared-scroll-bar tab container keeps for each page: the window, its title, and which
// scroll bars the page has with their state.

#include "platform/framework/afxwin.h"

struct TabViewPageInfo {
    CWnd* pWnd = nullptr;
    CString strTitle;
    BOOL bHasHorz = FALSE;
    BOOL bHasVert = FALSE;
    SCROLLINFO siHorz{};
    SCROLLINFO siVert{};
};
