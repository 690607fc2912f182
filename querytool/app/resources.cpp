// The query tool's menus, accelerator table, dialog templates and string table.

#include "querytool/app/resources.h"

#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_templates.h"
#include "querytool/app/tools/tool_resources.h"

#include "platform/win/commctrl.h"
#include "platform/win/res/resources.h"
#include "platform/win/res/templates.h"
#include "platform/win/windows.h"

namespace {

using namespace pm::res;

MenuItem templatesPopup() {
    std::vector<MenuItem> items;
    for (const SqlTemplate& t : SqlTemplates())
        items.push_back(item(t.menuText, static_cast<UINT>(t.id)));
    return popup("&Insert Templates", std::move(items));
}

void declareMainMenu() {
    pm::res::MenuTemplate menu;
    menu.items = {
        popup("&File",
              {item("&Connect...\tCtrl+N", ID_CONNECT), item("&Disconnect\tCtrl+F4", ID_DISCONNECT),
               item("Disconnect All", ID_DISCONNECTALL), separator(), item("&Open...\tCtrl+O", ID_OPEN),
               item("&Save...\tCtrl+S", ID_SAVE), item("S&ave As...", ID_SAVEAS), separator(),
               item("No Recent Files", ID_NORECENTFILES, MF_GRAYED), separator(),
               item("E&xit\tAlt+F4", ID_EXIT)}),
        popup("&Edit", {item("&Undo\tCtrl+Z", ID_UNDO),
                        item("&Redo\tCtrl+Y", ID_REDO),
                        separator(),
                        item("Cu&t\tCtrl+X", ID_CUT),
                        item("&Copy\tCtrl+C", ID_COPY),
                        item("&Paste\tCtrl+V", ID_PASTE),
                        item("Select &All\tCtrl+A", ID_SELECTALL),
                        separator(),
                        item("&Find...\tCtrl+F", ID_FIND),
                        item("R&eplace...\tCtrl+H", ID_REPLACE),
                        separator(),
                        item("&Insert Templates...\tCtrl+Shift+T", ID_TEMPLATES_MENU),
                        item("Show Results In Text\tCtrl+L", ID_TEXTMODE),
                        item("Hide Object Browser\tAlt+1", ID_HIDEBROWSER),
                        separator(),
                        item("Make Selection &Uppercase\tCtrl+Shift+U", ID_UPPERCASE),
                        item("Make Selection &Lowercase\tCtrl+Shift+L", ID_LOWERCASE),
                        item("&Comment Selection\tCtrl+Shift+C", ID_COMMENT),
                        item("&Remove Comment From Selection\tCtrl+Shift+R", ID_UNCOMMENT),
                        separator(),
                        item("&Manage Personal Folder...", ID_MANAGEKEYS),
                        item("Add Current SQL to Personal Folder...\tCtrl+Shift+F", ID_ADDKEY)}),
        popup("&Transform",
              {item("&Export Data...\tCtrl+Shift+E", ID_EXPORTDATA),
               item("Export &Tables...", ID_EXPORTTABLES), item("&Import Textfile...", ID_IMPORTTEXT)}),
        popup("T&ools", {item("Refresh Object Browser\tF9", ID_REFRESHBROWSER), templatesPopup(), separator(),
                         item("&Flush...", ID_FLUSH), item("&Table Diagnostics...", ID_DIAGNOSTICS)}),
        popup("&Window", {item("&Cascade", ID_CASCADE), item("&Tile Windows", ID_TILE),
                          item("&Icon Arrange", ID_ARRANGE)}),
        popup("&Help", {item("Help\tF1", ID_HELP), item("Keyboard Shortcuts...", ID_SHORTCUTS), separator(),
                        item("&About...", ID_ABOUT)}),
    };
    pm::res::addMenu(IDR_MAINMENU, menu);

    pm::res::MenuTemplate execute;
    execute.items = {popup("Execute", {item("Execute Current Query\tF5", ID_EXECUTECURRENT),
                                       item("Execute Selected Query\tCtrl+F5", ID_EXECUTESELECTED),
                                       item("Execute All Queries\tShift+F5", ID_EXECUTEALL)})};
    pm::res::addMenu(IDR_EXECUTEMENU, execute);

    pm::res::MenuTemplate grid;
    grid.items = {popup("Grid", {item("Copy Data To Clipboard", ID_COPYALL),
                                 item("Copy Selected Data To Clipboard", ID_COPYSELECTED)})};
    pm::res::addMenu(IDR_GRIDMENU, grid);
}

void declareAccelerators() {
    const BYTE v = FVIRTKEY | FNOINVERT;
    const BYTE c = v | FCONTROL;
    const BYTE cs = c | FSHIFT;
    std::vector<ACCEL> table = {
        {c, '1', ID_FIRSTTAB},
        {c, '2', ID_FIRSTTAB + 1},
        {c, '3', ID_FIRSTTAB + 2},
        {c, '4', ID_FIRSTTAB + 3},
        {c, '5', ID_LASTTAB},
        {BYTE(v | FALT), '1', ID_HIDEBROWSER_KEY},
        {c, 'B', ID_FOCUSBROWSER},
        {c, 'E', ID_FOCUSEDITOR},
        {c, 'F', ID_FIND_KEY},
        {c, 'H', ID_REPLACE_KEY},
        {c, 'L', ID_TEXTMODE_KEY},
        {BYTE(c | FALT), 'L', ID_PREVIOUSQUERY_KEY},
        {c, 'N', ID_CONNECT_KEY},
        {c, 'O', ID_OPEN_KEY},
        {c, 'Q', ID_CTRLQ},
        {c, 'R', ID_FOCUSRESULT},
        {c, 'S', ID_SAVE_KEY},
        {c, 'V', ID_PASTE_KEY},
        {cs, 'C', ID_COMMENT_KEY},
        {cs, 'E', ID_EXPORTDATA_KEY},
        {cs, 'F', ID_ADDKEY_KEY},
        {cs, 'L', ID_LOWERCASE_KEY},
        {cs, 'P', ID_PERSONALPOPUP},
        {cs, 'R', ID_UNCOMMENT_KEY},
        {cs, 'T', ID_TEMPLATES_KEY},
        {cs, 'U', ID_UPPERCASE_KEY},
        {v, VK_F1, ID_HELP_KEY},
        {c, VK_F4, ID_DISCONNECT_KEY},
        {v, VK_F5, ID_EXECUTECURRENT},
        {c, VK_F5, ID_EXECUTESELECTED},
        {BYTE(v | FSHIFT), VK_F5, ID_EXECUTEALL},
        {v, VK_F9, ID_REFRESHBROWSER_KEY},
    };
    pm::res::addAccelerators(IDR_ACCELERATORS, table);
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

void declareDialogs() {
    pm::res::addDialog(
        IDD_CONNECT,
        dialog(" Connect to mySQL", 196, 92,
               {label("mySQL Host Address", kStaticId, 7, 9, 70),
                edit(IDC_HOST, 80, 7, 109, 12, ES_AUTOHSCROLL), label("User Name", kStaticId, 7, 25, 70),
                edit(IDC_USER, 80, 23, 109, 12, ES_AUTOHSCROLL), label("Password", kStaticId, 7, 41, 70),
                edit(IDC_PASSWORD, 80, 39, 109, 12, ES_AUTOHSCROLL | ES_PASSWORD),
                label("Port", kStaticId, 7, 57, 70), edit(IDC_PORT, 80, 55, 50, 12, ES_NUMBER),
                defaultButton("OK", IDOK, 84, 73), button("Cancel", IDCANCEL, 139, 73)}));
    pm::res::addDialog(IDD_ABOUT,
                       dialog("About Tessmark", 220, 130,
                              {label("", IDC_ABOUTNOTICE, 7, 7, 206, 20),
                               edit(IDC_ABOUTTEXT, 7, 30, 206, 72, ES_MULTILINE | ES_READONLY | WS_VSCROLL),
                               defaultButton("OK", IDOK, 163, 109)}));
    pm::res::addDialog(
        IDD_KEYNAME,
        dialog("SQL Name....", 200, 50,
               {label("SQL key name", kStaticId, 7, 9, 60), edit(IDC_KEYNAME, 70, 7, 123, 12, ES_AUTOHSCROLL),
                defaultButton("OK", IDOK, 88, 29), button("Cancel", IDCANCEL, 143, 29)}));
    pm::res::addDialog(
        IDD_MANAGEKEYS,
        dialog("Manage Personal Folder", 200, 150,
               {listView(IDC_KEYLIST, 7, 7, 186, 115, LVS_REPORT | LVS_NOCOLUMNHEADER),
                button("&Delete", IDC_DELETEKEYS, 88, 129), button("&Cancel", IDCANCEL, 143, 129)}));
    pm::res::addDialog(IDD_SHORTCUTS, dialog("Keyboard Shortcuts for Tessmark", 300, 200,
                                             {edit(IDC_SHORTCUTTEXT, 7, 7, 286, 166,
                                                   ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL),
                                              defaultButton("OK", IDOK, 243, 179)}));
    pm::res::addDialog(
        IDD_TEMPLATES,
        dialog("SQL Templates", 330, 180,
               {label("SQL Commands", kStaticId, 7, 7, 100),
                {"LISTBOX", "", static_cast<WORD>(IDC_TEMPLATELIST), 7, 18, 100, 140,
                 static_cast<DWORD>(kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY), 0},
                label("Preview", kStaticId, 115, 7, 100),
                edit(IDC_TEMPLATEPREVIEW, 115, 18, 208, 140,
                     ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL),
                defaultButton("&Insert", IDC_INSERTTEMPLATE, 218, 161),
                button("Cancel", IDCANCEL, 273, 161)}));
}

void declareStrings() {
    pm::res::addStrings({
        {ID_CONNECT, " Establish a new connection"},
        {ID_DISCONNECT, " Close the current MDI and connection"},
        {ID_DISCONNECTALL, " Close all MDI window and connections"},
        {ID_OPEN, " Load a SQL file in the editor"},
        {ID_SAVE, " Save the SQL into a file"},
        {ID_SAVEAS, " Specify and save the current SQL into a file"},
        {ID_EXIT, " Exit from the application"},
        {ID_UNDO, " Undoes the last action"},
        {ID_REDO, " Redoes the previously undone action"},
        {ID_CUT, " Cuts the selection and moves it to the clipboard"},
        {ID_COPY, " Copies the current selection into clipboard"},
        {ID_PASTE, " Inserts the clipboard content at the current insertion point"},
        {ID_SELECTALL, " Selects the entire selection"},
        {ID_FIND, " Finds the specified text"},
        {ID_REPLACE, " Finds the specified text and replaces it with a different text"},
        {ID_TEMPLATES_MENU, " Show templates for SQL commands"},
        {ID_TEXTMODE, " Show results in text mode"},
        {ID_HIDEBROWSER, " Show or Hides the object browser"},
        {ID_UPPERCASE, " Change selected text to uppercase"},
        {ID_LOWERCASE, " Change selected text to lowercase"},
        {ID_COMMENT, " Comment the current line"},
        {ID_UNCOMMENT, " Remove comment from the current line"},
        {ID_MANAGEKEYS, " Manage personal folder"},
        {ID_ADDKEY, " Adds the current SQL to the personal folder"},
        {ID_EXPORTDATA, " Export the data in XML, CSV and HTML format"},
        {ID_EXPORTTABLES, " Export table data and structure"},
        {ID_IMPORTTEXT, " Import data from a text file"},
        {ID_FLUSH, " Flush logs, privileges, hosts etc."},
        {ID_DIAGNOSTICS, " Diagnose your tables"},
        {ID_CASCADE, " Arranges the windows as operlapped window"},
        {ID_TILE, " Tiles the window"},
        {ID_ARRANGE, " Arrange the minimized MDI windows"},
        {ID_HELP, " Show the HELP file for Tessmark"},
        {ID_SHORTCUTS, " List of keyboard shortcuts in Tessmark"},
        {ID_ABOUT, " Displays the program information and copyright"},
    });
    for (const SqlTemplate& t : SqlTemplates())
        pm::res::addString(static_cast<UINT>(t.id), t.text);
}

} // namespace

void DeclareTessmarkResources() {
    static bool declared = false;
    if (declared) return;
    declared = true;
    declareMainMenu();
    declareAccelerators();
    declareDialogs();
    DeclareToolResources();
    declareStrings();
}
