#include "querytool/app/tools/export_data.h"

#include "querytool/app/error_boxes.h"
#include "querytool/app/file_dialog.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/query_window.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/result_export.h"

#include "platform/win/shellapi.h"

#include <filesystem>
#include <system_error>

namespace {

// The dialog asked before replacing the file typed; the forced extension may name another one,
// which is asked about in the same words.
bool replacesAnotherFile(HWND owner, const std::string& path) {
    std::error_code failed;
    if (!std::filesystem::exists(path, failed)) return false;
    const std::string question = path + " already exists.\nDo you want to replace it?";
    return MessageBox(owner, question.c_str(), "Save Data As...", MB_YESNO | MB_ICONWARNING) != IDYES;
}

// The chosen file and its format, or false when the dialog was cancelled or the file that the
// forced extension names is not to be replaced.
bool chooseFile(HWND owner, std::string& path, ExportFormat& format) {
    DWORD filter = 1;
    const std::string file = AskFileName(
        owner,
        {true, "XML Files (*.xml)\0*.xml\0CSV Files (*.csv)\0*.csv\0HTML Files (*.htm;*.html)\0*.html\0",
         "Save Data As...", nullptr},
        &filter);
    if (file.empty()) return false;
    format = filter == 2 ? ExportFormat::Csv : filter == 3 ? ExportFormat::Html : ExportFormat::Xml;
    path = ForceExportExtension(file, format);
    return path == file || !replacesAnotherFile(owner, path);
}

} // namespace

void ExportQueryResult(CQueryWindow& window) {
    const QueryResult* result = window.Tabs()->CurrentResult();
    if (result == nullptr) return;
    std::string path;
    ExportFormat format = ExportFormat::Xml;
    if (!chooseFile(window.Window(), path, format)) return;
    CQueryStatusBar& status = *window.StatusBar();
    status.SetText(format == ExportFormat::Csv ? " Exporting Data..." : " Exporting Data....");
    ExportOutcome outcome;
    {
        WaitCursor wait;
        outcome = ExportResult(*result, format, path);
    }
    if (!outcome.ok) {
        status.SetText(" Data Not Exported");
        ShowSystemError(outcome.errorCode, outcome.errorText);
        return;
    }
    status.SetText(" Data Exported Successfully....");
    if (format != ExportFormat::Csv)
        ShellExecute(window.Window(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
