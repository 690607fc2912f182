#include "querytool/app/tools/flush_dialog.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/app/wait_cursor.h"
#include "querytool/table_diagnostics.h"

namespace {

// The radio buttons in the order of the flush statements.
const int kFlushButtons[6] = {IDC_FLUSHLOGS,   IDC_FLUSHHOSTS,  IDC_FLUSHPRIVILEGES,
                              IDC_FLUSHTABLES, IDC_FLUSHSTATUS, IDC_FLUSHREADLOCK};

void flush(HWND dialog) {
    auto* window = reinterpret_cast<CQueryWindow*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    for (int i = 0; i < 6; ++i) {
        if (IsDlgButtonChecked(dialog, kFlushButtons[i]) != BST_CHECKED) continue;
        bool done = false;
        {
            WaitCursor wait;
            done = RunFlush(window->Connection(), kFlushStatements[i]);
        }
        if (!done) ShowQueryError(dialog, window->Connection());
        SetDlgItemText(dialog, IDC_FLUSHRESULT, FlushResultText(done));
        return;
    }
}

INT_PTR CALLBACK FlushDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        CheckRadioButton(dialog, IDC_FLUSHLOGS, IDC_FLUSHSTATUS, IDC_FLUSHLOGS);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) flush(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

void RunFlushDialog(CQueryWindow& window) {
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_FLUSH), window.Window(), FlushDlgProc,
                   reinterpret_cast<LPARAM>(&window));
}
