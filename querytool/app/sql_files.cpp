// SQL files of a query window: the "File not saved" question, save, save as and open.

#include "querytool/app/sql_files.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/file_dialog.h"
#include "querytool/app/query_window.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/wait_cursor.h"

namespace {

constexpr std::size_t kMaxFileSize = 0xA00000;
const char kFilter[] = "SQL Files (*.sql)\0*.sql\0All Files (*.*)\0*.*\0";

CApplication& app() {
    return *g_appGlobals->application;
}

// The Save or Open dialog; the chosen path, or "" when cancelled. The current folder (the personal
// folder) stays where it is.
std::string fileDialog(HWND owner, bool save) {
    return AskFileName(owner, {save, kFilter, save ? "Save As" : "Open File", "sql"});
}

// The editor's text as the control gives it (CR LF line ends), without a trailing NUL.
bool writeSqlFile(CQueryWindow& window, const std::string& path) {
    HWND edit = window.Editor()->Window();
    const int length = GetWindowTextLength(edit);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(edit, &text[0], length + 1)));
    const pm::sys::FileResult written = pm::sys::replaceFileContents(path, text);
    if (written) return true;
    ShowFileError(written, written.openFailed ? "Could not create file." : "Could not write into file.");
    return false;
}

void fileSaved(CQueryWindow& window, const std::string& path, bool listRecent) {
    window.SetFile(path);
    if (!listRecent) return;
    app().AddRecentFile(path);
    app().RefreshRecentFiles();
}

bool readIntoEditor(CQueryWindow& window, const std::string& path) {
    pm::sys::FileRead file;
    {
        WaitCursor wait;
        file = pm::sys::readFileContents(path, kMaxFileSize);
    }
    if (!file) {
        ShowFileError(file, "Could not open file.");
        return false;
    }
    if (file.cut || file.bytes.size() >= kMaxFileSize) {
        TessmarkBox(window.Window(), "File too big to process !!!", MB_ICONSTOP);
        return false;
    }
    HWND edit = window.Editor()->Window();
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(TextUpToNul(file.bytes).c_str()));
    window.SetFile(path);
    SetFocus(edit);
    return true;
}

} // namespace

std::string TextUpToNul(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

bool AskToSave(CQueryWindow& window) {
    if (!window.Modified()) return true;
    const int answer =
        TessmarkBox(window.Window(), "File not saved.\n\nDo you want to save the SQL statement(s)",
                    MB_YESNOCANCEL | MB_ICONINFORMATION);
    if (answer == IDCANCEL) return false;
    return answer != IDYES || SaveSqlFile(window);
}

bool SaveSqlFile(CQueryWindow& window) {
    WaitCursor wait;
    if (!window.HasFile()) {
        const std::string path = fileDialog(window.Window(), true);
        if (path.empty() || !writeSqlFile(window, path)) return false;
        fileSaved(window, path, true);
        return true;
    }
    if (!window.Modified()) return true;
    if (!writeSqlFile(window, window.FilePath())) return false;
    fileSaved(window, window.FilePath(), false);
    return true;
}

bool SaveSqlFileAs(CQueryWindow& window) {
    const std::string path = fileDialog(window.Window(), true);
    if (path.empty() || !writeSqlFile(window, path)) return false;
    fileSaved(window, path, true);
    return true;
}

void OpenSqlFile(CQueryWindow& window) {
    if (!AskToSave(window)) return;
    const std::string path = fileDialog(window.Window(), false);
    if (!path.empty()) OpenSqlFilePath(window, path);
}

void OpenSqlFilePath(CQueryWindow& window, const std::string& path) {
    readIntoEditor(window, path);
    app().AddRecentFile(path);
    app().RefreshRecentFiles();
}
