// The frame's command dispatcher, the Edit, Transform and "Execute Query" pop-ups, the Find/Replace
// launcher, the recent files of the File menu and the help page.

#include "querytool/app/application.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/find_replace.h"
#include "querytool/app/personal_folder.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/result_text.h"
#include "querytool/app/small_dialogs.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_files.h"
#include "querytool/app/tools/export_data.h"
#include "querytool/app/tools/export_tables_dialog.h"
#include "querytool/app/tools/flush_dialog.h"
#include "querytool/app/tools/import_text_dialog.h"
#include "querytool/app/tools/object_browser.h"
#include "querytool/app/tools/table_diagnostics_dialog.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"
#include "platform/win/shellapi.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void enable(HMENU menu, int id, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool selectionEmpty(HWND edit) {
    CHARRANGE range{};
    SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin == range.cpMax;
}

// Runs one of the three execution commands with the result tabs' redraw off.
void executeWithoutRedraw(CQueryWindow& window, int (CSqlEditor::*execute)()) {
    HWND tabs = window.Tabs()->Window();
    SendMessage(tabs, WM_SETREDRAW, FALSE, 0);
    (window.Editor()->*execute)();
    SendMessage(tabs, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tabs, nullptr, TRUE);
}

} // namespace

void CApplication::OnCommand(int id, int code) {
    switch (id) {
    case IDC_DBCOMBO:
        onComboNotice(code);
        return;
    case ID_CONNECT:
    case ID_CONNECT_KEY:
        NewConnection();
        return;
    case ID_DISCONNECTALL:
        PostMessage(m_frame, WM_USER_CLOSEALL, 0, 0);
        return;
    case ID_EXIT:
        if (closeAll(true)) DestroyWindow(m_frame);
        return;
    case ID_CASCADE:
        SendMessage(m_mdiClient, WM_MDICASCADE, 0, 0);
        return;
    case ID_TILE:
        SendMessage(m_mdiClient, WM_MDITILE, 0, 0);
        return;
    case ID_ARRANGE:
        SendMessage(m_mdiClient, WM_MDIICONARRANGE, 0, 0);
        return;
    case ID_HELP:
    case ID_HELP_KEY:
        showHelp();
        return;
    case ID_SHORTCUTS:
        ShowShortcutsDialog(m_frame);
        return;
    case ID_ABOUT:
        ShowAboutBox(m_frame);
        return;
    case ID_CHILDEXIT:
        if (HWND child = reinterpret_cast<HWND>(SendMessage(m_mdiClient, WM_MDIGETACTIVE, 0, 0)))
            SendMessage(child, WM_CLOSE, 0, 0);
        return;
    }
    CQueryWindow* window = ActiveQueryWindow();
    if (window && !dispatchQueryCommand(*window, id)) dispatchEditorCommand(*window, id);
}

bool CApplication::dispatchQueryCommand(CQueryWindow& window, int id) {
    CSqlEditor& editor = *window.Editor();
    CResultTabs& tabs = *window.Tabs();
    switch (id) {
    case ID_DISCONNECT:
    case ID_DISCONNECT_KEY:
        SendMessage(window.Window(), WM_CLOSE, 0, 0);
        return true;
    case ID_OPEN:
    case ID_OPEN_KEY:
        OpenSqlFile(window);
        return true;
    case ID_SAVE:
    case ID_SAVE_KEY:
        SaveSqlFile(window);
        return true;
    case ID_SAVEAS:
        SaveSqlFileAs(window);
        return true;
    case ID_EXECUTECURRENT:
        executeWithoutRedraw(window, &CSqlEditor::ExecuteCurrent);
        return true;
    case ID_EXECUTESELECTED:
        executeWithoutRedraw(window, &CSqlEditor::ExecuteSelected);
        return true;
    case ID_EXECUTEALL:
        executeWithoutRedraw(window, &CSqlEditor::ExecuteAll);
        return true;
    case ID_EXECUTEBUTTON:
        editor.ExecuteCurrent();
        return true;
    case ID_PREVIOUSQUERY:
    case ID_PREVIOUSQUERY_KEY:
        editor.ExecutePrevious();
        return true;
    case ID_TEXTMODE:
    case ID_TEXTMODE_KEY:
        window.ToggleTextMode();
        return true;
    case ID_HIDEBROWSER:
    case ID_HIDEBROWSER_KEY:
        window.ToggleBrowser();
        return true;
    case ID_COPYALL:
        tabs.Grid()->CopyAllToClipboard();
        return true;
    case ID_COPYSELECTED:
        tabs.Grid()->CopySelectedToClipboard();
        return true;
    case ID_FOCUSBROWSER:
        SetFocus(window.Browser());
        return true;
    case ID_REFRESHBROWSER:
    case ID_REFRESHBROWSER_KEY:
        window.ObjectBrowser()->RefreshKeepingSelection(window.Connection());
        SetFocus(window.Browser());
        return true;
    case ID_DROPDATABASE:
        window.ObjectBrowser()->DropDatabase(window.Connection());
        return true;
    case ID_DROPTABLE:
        window.ObjectBrowser()->DropTable(window.Connection());
        return true;
    case ID_INSERTSTATEMENT:
        window.ObjectBrowser()->InsertStatement();
        return true;
    case ID_NEWTABLE:
        window.ObjectBrowser()->SaveSelection();
        window.ObjectBrowser()->NewTable();
        return true;
    case ID_FOCUSRESULT:
        tabs.FocusResults();
        return true;
    case ID_FOCUSEDITOR:
        SetFocus(editor.Window());
        return true;
    case ID_MANAGEKEYS:
        ManagePersonalFolder(window);
        return true;
    case ID_EXPORTDATA:
    case ID_EXPORTDATA_KEY:
        ExportQueryResult(window);
        return true;
    case ID_DIAGNOSTICS:
        CTableDiagnostics(window.Window(), window.Connection());
        return true;
    case ID_FLUSH:
        RunFlushDialog(window);
        return true;
    case ID_IMPORTTEXT:
        RunImportTextDialog(window.Window(), window.Connection());
        return true;
    case ID_EXPORTTABLES:
        RunExportTablesDialog(window.Window(), window.Connection());
        return true;
    case ID_ADDKEY:
    case ID_ADDKEY_KEY:
        AddToPersonalFolder(window);
        return true;
    case ID_PERSONALPOPUP:
        window.ShowPersonalPopup();
        return true;
    case ID_TEMPLATES:
    case ID_TEMPLATES_KEY:
    case ID_TEMPLATES_MENU:
        ShowTemplatesDialog(window);
        return true;
    }
    if (id >= ID_FIRSTTAB && id <= ID_LASTTAB) {
        tabs.SelectTab(id - ID_FIRSTTAB);
        return true;
    }
    if (id >= ID_FIRSTRECENT && id <= ID_LASTRECENT) {
        openRecentFile(window, id);
        return true;
    }
    if (id >= ID_FIRSTKEY && id <= ID_LASTKEY) {
        InsertPersonalKey(window, id);
        return true;
    }
    return false;
}

bool CApplication::dispatchEditorCommand(CQueryWindow& window, int id) {
    CSqlEditor& editor = *window.Editor();
    HWND edit = editor.Window();
    switch (id) {
    case ID_UNDO:
        SendMessage(edit, EM_UNDO, 0, 0);
        return true;
    case ID_REDO:
        SendMessage(edit, EM_REDO, 0, 0);
        return true;
    case ID_CUT:
        SendMessage(edit, WM_CUT, 0, 0);
        return true;
    case ID_COPY:
        SendMessage(edit, WM_COPY, 0, 0);
        return true;
    case ID_PASTE:
    case ID_PASTE_KEY:
        editor.PastePlainText();
        return true;
    case ID_SELECTALL:
        SendMessage(edit, EM_SETSEL, 0, -1);
        return true;
    case ID_FIND:
    case ID_FIND_KEY:
        launchFindReplace(window, false);
        return true;
    case ID_REPLACE:
    case ID_REPLACE_KEY:
        launchFindReplace(window, true);
        return true;
    case ID_UPPERCASE:
    case ID_UPPERCASE_KEY:
        editor.MakeUpperCase();
        return true;
    case ID_LOWERCASE:
    case ID_LOWERCASE_KEY:
        editor.MakeLowerCase();
        return true;
    case ID_COMMENT:
    case ID_COMMENT_KEY:
        editor.CommentSelection();
        return true;
    case ID_UNCOMMENT:
    case ID_UNCOMMENT_KEY:
        editor.RemoveComment();
        return true;
    }
    if (id >= ID_FIRSTTEMPLATE && id <= ID_LASTTEMPLATE) {
        editor.InsertTemplate(id);
        return true;
    }
    return false;
}

void CApplication::onInitMenuPopup(HMENU popup) {
    CQueryWindow* window = ActiveQueryWindow();
    if (!window) return;
    HWND edit = window->Editor()->Window();
    if (popup == MenuPopup(1)) {
        enable(popup, ID_UNDO, SendMessage(edit, EM_CANUNDO, 0, 0) != 0);
        enable(popup, ID_REDO, SendMessage(edit, EM_CANREDO, 0, 0) != 0);
        enable(popup, ID_PASTE, SendMessage(edit, EM_CANPASTE, 0, 0) != 0);
        enable(popup, ID_SELECTALL, GetWindowTextLength(edit) > 0);
        enable(popup, ID_CUT, !selectionEmpty(edit));
        enable(popup, ID_COPY, !selectionEmpty(edit));
        const HWND focus = GetFocus();
        const bool findable = focus == edit || focus == window->Tabs()->Text()->Window();
        enable(popup, ID_FIND, findable);
        enable(popup, ID_REPLACE, findable);
    } else if (popup == MenuPopup(2)) {
        enable(popup, ID_EXPORTDATA, window->Tabs()->CurrentResult() != nullptr);
    }
}

void CApplication::showExecuteMenu(NMTOOLBARA* notice) {
    HMENU menu = LoadMenu(m_instance, MAKEINTRESOURCE(IDR_EXECUTEMENU));
    HMENU popup = GetSubMenu(menu, 0);
    if (CQueryWindow* window = ActiveQueryWindow()) {
        HWND edit = window->Editor()->Window();
        const bool hasText = GetWindowTextLength(edit) > 0;
        enable(popup, ID_EXECUTECURRENT, hasText);
        enable(popup, ID_EXECUTEALL, hasText);
        enable(popup, ID_EXECUTESELECTED, hasText && !selectionEmpty(edit));
    }
    RECT button{};
    SendMessage(m_toolBar, TB_GETRECT, static_cast<WPARAM>(notice->iItem), reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(m_toolBar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, button.left, button.bottom, 0, m_frame, nullptr);
    DestroyMenu(menu);
}

void CApplication::launchFindReplace(CQueryWindow& window, bool replace) {
    HWND edit = window.Editor()->Window();
    if (m_findDialog && IsWindowVisible(m_findDialog)) {
        SetFocus(edit);
        return;
    }
    std::memset(m_findText, 0, sizeof m_findText);
    m_findReplace = FINDREPLACEA{};
    m_findReplace.lStructSize = sizeof m_findReplace;
    const HWND focus = GetFocus();
    HWND textView = window.Tabs()->Text()->Window();
    HWND owner = window.TextMode() && focus == textView ? textView : focus == edit ? edit : nullptr;
    if (!owner) return;
    const std::string selection = EditSelectedText(owner);
    if (selection.size() < sizeof m_findText) std::memcpy(m_findText, selection.data(), selection.size());
    m_findReplace.hwndOwner = owner;
    m_findReplace.hInstance = m_instance;
    m_findReplace.lpstrFindWhat = m_findText;
    m_findReplace.wFindWhatLen = sizeof m_findText;
    if (replace) {
        m_findReplace.lpstrReplaceWith = m_replaceText;
        m_findReplace.wReplaceWithLen = sizeof m_replaceText;
    } else {
        m_findReplace.Flags = FR_DOWN;
    }
    m_findDialog = replace ? ReplaceText(&m_findReplace) : FindText(&m_findReplace);
}

void CApplication::openRecentFile(CQueryWindow& window, int id) {
    if (!AskToSave(window)) return;
    char text[4096] = {};
    const int length = GetMenuString(MenuPopup(0), static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
    if (length <= 3) return;
    OpenSqlFilePath(window, std::string(text + 3, static_cast<std::size_t>(length - 3)));
}

std::string HelpPagePath(const std::string& currentFolder, const std::string& programFolder) {
    static const char kPage[] = "tessmarkhelp.htm";
    struct stat info;
    if (::stat((currentFolder + "/" + kPage).c_str(), &info) == 0) return kPage;
    return programFolder + "/" + kPage;
}

void CApplication::showHelp() {
    char folder[4096] = {};
    const std::string page =
        HelpPagePath(getcwd(folder, sizeof folder) ? folder : ".", TessmarkProgramFolder());
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecute(m_frame, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) ShowSystemError(ShellErrorCode(result), "Could not open the HELP file.");
}

void CApplication::LoadRecentFiles() {
    const std::string database = m_settings.ReadDatabase();
    if (!database.empty()) g_appGlobals->currentDatabase = database;
    HMENU file = GetSubMenu(GetMenu(m_frame), 0);
    const std::vector<RecentFileEntry> entries = m_settings.StartupRecentFiles();
    for (const RecentFileEntry& entry : entries)
        InsertMenu(file, ID_NORECENTFILES, MF_BYCOMMAND | MF_STRING,
                   static_cast<UINT_PTR>(ID_NORECENTFILES + entry.number), RecentFileMenuText(entry).c_str());
    if (!entries.empty()) DeleteMenu(file, ID_NORECENTFILES, MF_BYCOMMAND);
    DrawMenuBar(m_frame);
}

void CApplication::AddRecentFile(const std::string& path) {
    m_settings.AddRecentFile(path);
}

void CApplication::RefreshRecentFiles() {
    if (!ActiveQueryWindow()) return;
    HMENU file = MenuPopup(0);
    for (int id = ID_NORECENTFILES; id <= ID_LASTRECENT; ++id)
        DeleteMenu(file, static_cast<UINT>(id), MF_BYCOMMAND);
    InsertMenu(file, 8, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_NORECENTFILES, "No Recent Files");
    const std::vector<RecentFileEntry> entries = m_settings.RecentFiles();
    for (const RecentFileEntry& entry : entries)
        InsertMenu(file, ID_NORECENTFILES, MF_BYCOMMAND | MF_STRING,
                   static_cast<UINT_PTR>(ID_NORECENTFILES + entry.number), RecentFileMenuText(entry).c_str());
    if (!entries.empty()) DeleteMenu(file, ID_NORECENTFILES, MF_BYCOMMAND);
    DrawMenuBar(m_frame);
}
