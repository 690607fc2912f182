#pragma once
// The links of the dialogs: how they look, the cursor over them and the pages of the program
// folder they lead to.

#include "platform/win/wingdi.h"

// Blue.
constexpr COLORREF kLinkColour = 0xFF0000;
// The cursor resource shown over a link.
constexpr char kHandCursor[] = "Hand";
// The maker's site and its download page, relative to the program folder.
constexpr char kSitePage[] = "Web/Corvane.htm";
constexpr char kDownloadPage[] = "Web/Download.htm";
