#include "querytool/app/find_replace.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"

#include "platform/win/richedit.h"

#include <string>

namespace {

// Searches the control from the selection; selects the match and answers true when found.
bool findNext(HWND edit, const char* text, DWORD flags, bool down) {
    CHARRANGE selection{};
    SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    FINDTEXTEXA find{};
    find.chrg = down ? CHARRANGE{selection.cpMax, -1} : CHARRANGE{selection.cpMin, 0};
    find.lpstrText = text;
    const WPARAM options = (down ? FR_DOWN : 0) | (flags & (FR_MATCHCASE | FR_WHOLEWORD));
    if (SendMessage(edit, EM_FINDTEXTEX, options, reinterpret_cast<LPARAM>(&find)) < 0) return false;
    SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
    return true;
}

void notFound(HWND dialog, const char* text, const char* caption) {
    const std::string message = std::string("Cannot find \"") + text + "\"";
    MessageBox(dialog, message.c_str(), caption, MB_OK | MB_ICONINFORMATION);
}

} // namespace

std::string EditSelectedText(HWND edit) {
    CHARRANGE selection{};
    SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMax <= selection.cpMin) return std::string();
    std::string text(static_cast<std::size_t>(selection.cpMax - selection.cpMin) * 2 + 1, '\0');
    const LRESULT length = SendMessage(edit, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int ReplaceAllInEdit(HWND edit, const char* find, const char* replacement, DWORD flags) {
    CHARRANGE start{0, 0};
    SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    if (!findNext(edit, find, flags, true)) return 0;
    SendMessage(edit, EM_HIDESELECTION, TRUE, 0);
    int count = 0;
    SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    while (findNext(edit, find, flags, true)) {
        CHARRANGE match{};
        SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&match));
        if (match.cpMax > match.cpMin)
            SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement));
        ++count;
        if (match.cpMax == match.cpMin) {
            // An empty match would be found again at the same place.
            CHARRANGE after{match.cpMax + 1, match.cpMax + 1};
            SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&after));
        }
    }
    SendMessage(edit, EM_HIDESELECTION, FALSE, 0);
    return count;
}

void HandleFindReplace(HWND edit, const FINDREPLACEA& request) {
    if (request.Flags & FR_DIALOGTERM) {
        g_appGlobals->application->ForgetFindDialog();
        SetFocus(edit);
        return;
    }
    HWND dialog = g_appGlobals->application->FindDialog();
    const char* text = request.lpstrFindWhat;
    const char* replacement = request.lpstrReplaceWith ? request.lpstrReplaceWith : "";
    if (request.Flags & FR_FINDNEXT) {
        if (!findNext(edit, text, request.Flags, (request.Flags & FR_DOWN) != 0))
            notFound(dialog, text, "Find");
    } else if (request.Flags & FR_REPLACE) {
        CHARRANGE selection{};
        SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        if (selection.cpMax > selection.cpMin)
            SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement));
        if (!findNext(edit, text, request.Flags, true)) notFound(dialog, text, "Replace");
    } else if (request.Flags & FR_REPLACEALL) {
        const int count = ReplaceAllInEdit(edit, text, replacement, request.Flags);
        if (count == 0) {
            notFound(dialog, text, "Replace");
        } else {
            const std::string message = "Replaced " + std::to_string(count) + " instances of " + text;
            MessageBox(dialog, message.c_str(), "Replace All", MB_OK | MB_ICONINFORMATION);
        }
    }
    SetFocus(edit);
}
