// The window classes "RICHEDIT" and "RichEdit20A": each window owns one RichEditControl, kept in
// its extra bytes (the user data stays free for those who subclass it).
#include "platform/win/richedit.h"
#include "platform/win/richedit_runs.h"
#include "platform/win/richedit/rich_edit_control.h"
#include "platform/win/window_object.h"
#include "platform/win/wingdi.h"

namespace {

using pm::richedit::RichEditControl;

template <bool legacy> RichEditControl* make(HWND hwnd, const CREATESTRUCT& create) {
    return new RichEditControl(hwnd, legacy, static_cast<DWORD>(create.style));
}

constexpr WNDPROC legacyProc = pm::ownedObjectProc<RichEditControl, make<true>>;
constexpr WNDPROC currentProc = pm::ownedObjectProc<RichEditControl, make<false>>;

} // namespace

BOOL RegisterRichEditClasses() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, RICHEDIT_CLASSA, &wc)) return TRUE;
    wc.style = CS_DBLCLKS;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpfnWndProc = legacyProc;
    wc.lpszClassName = RICHEDIT_CLASS10A;
    if (!RegisterClass(&wc)) return FALSE;
    wc.lpfnWndProc = currentProc;
    wc.lpszClassName = RICHEDIT_CLASSA;
    return RegisterClass(&wc) != 0;
}

UINT pm::charFormatRunsMessage() {
    static const UINT message = RegisterWindowMessage("PmCharFormatRuns");
    return message;
}

UINT pm::getCharFormatRunsMessage() {
    static const UINT message = RegisterWindowMessage("PmGetCharFormatRuns");
    return message;
}

UINT pm::findAllTextMessage() {
    static const UINT message = RegisterWindowMessage("PmFindAllText");
    return message;
}
