// Dialog templates of the query tool's tools.

#include "querytool/app/tools/tool_resources.h"

#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/res/resources.h"
#include "platform/win/windows.h"

namespace {

using pm::res::DialogItem;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

pm::res::DialogTemplate dialog(const char* caption, short cx, short cy, std::vector<DialogItem> items) {
    pm::res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    t.items = std::move(items);
    return t;
}

DialogItem label(const char* text, short x, short y, short cx, WORD id = static_cast<WORD>(-1)) {
    return {"STATIC", text, id, x, y, cx, 8, static_cast<DWORD>(kChild | SS_LEFT), 0};
}
DialogItem edit(WORD id, short x, short y, short cx, DWORD style = ES_AUTOHSCROLL) {
    return {"EDIT", "", id, x, y, cx, 12, static_cast<DWORD>(kChild | WS_TABSTOP | style), WS_EX_CLIENTEDGE};
}
DialogItem button(const char* text, WORD id, short x, short y, short cx = 50, bool isDefault = false) {
    const DWORD kind = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return {"BUTTON", text, id, x, y, cx, 14, static_cast<DWORD>(kChild | WS_TABSTOP | kind), 0};
}
DialogItem checkBox(const char* text, WORD id, short x, short y, short cx) {
    return {"BUTTON", text, id, x, y, cx, 10, static_cast<DWORD>(kChild | WS_TABSTOP | BS_AUTOCHECKBOX), 0};
}
DialogItem list(WORD id, short x, short y, short cx, short cy, DWORD style) {
    return {WC_LISTVIEWA,
            "",
            id,
            x,
            y,
            cx,
            cy,
            static_cast<DWORD>(kChild | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | style),
            WS_EX_CLIENTEDGE};
}
DialogItem progressBar(WORD id, short x, short y, short cx) {
    return {PROGRESS_CLASSA, "", id, x, y, cx, 10, kChild, WS_EX_CLIENTEDGE};
}

void declareBrowserMenu() {
    using pm::res::MenuItem;
    pm::res::MenuTemplate menu;
    menu.items = {
        MenuItem{"Object Browser",
                 0,
                 MF_POPUP,
                 {MenuItem{"Refresh Object Browser", 40080, 0, {}}, MenuItem{"", 0, MF_SEPARATOR, {}},
                  MenuItem{"Drop Database", ID_DROPDATABASE, MF_GRAYED, {}},
                  MenuItem{"Drop Table", ID_DROPTABLE, MF_GRAYED, {}},
                  MenuItem{"Insert Statement For The Table", ID_INSERTSTATEMENT, MF_GRAYED, {}},
                  MenuItem{"New Table In The Database...", ID_NEWTABLE, MF_GRAYED, {}}}}};
    pm::res::addMenu(IDR_BROWSERMENU, menu);
}

void declareTableMaker() {
    using pm::res::MenuItem;
    pm::res::MenuTemplate menu;
    menu.items = {
        MenuItem{"Items",
                 0,
                 MF_POPUP,
                 {MenuItem{"Set Primary Key", 40103, 0, {}}, MenuItem{"Insert Column", 40104, 0, {}},
                  MenuItem{"Delete Column", 40105, 0, {}}}}};
    pm::res::addMenu(IDR_TABLEMAKERMENU, menu);
    pm::res::DialogTemplate maker = dialog(
        " Create Table", 400, 250,
        {button("&Create Table", IDC_CREATETABLE, 7, 229, 60, true), button("Cancel", IDCANCEL, 72, 229)});
    maker.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    pm::res::addDialog(IDD_TABLEMAKER, maker);
    pm::res::addDialog(IDD_GIVENAME,
                       dialog(" Give Name", 200, 80,
                              {label("Enter a name for the table:", 7, 7, 186),
                               edit(IDC_TABLENAME, 7, 18, 186),
                               label("Give table type:", 7, 36, 80),
                               {"COMBOBOX", "", static_cast<WORD>(IDC_TABLETYPE), 90, 34, 103, 100,
                                static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST), 0},
                               button("OK", IDOK, 88, 59, 50, true),
                               button("Cancel", IDCANCEL, 143, 59)}));
}

DialogItem radio(const char* text, WORD id, short x, short y, bool first = false) {
    const DWORD group = first ? WS_GROUP : 0;
    return {"BUTTON", text, id, x,
            y,        110,  10, static_cast<DWORD>(kChild | WS_TABSTOP | BS_AUTORADIOBUTTON | group),
            0};
}
DialogItem frameBox(WORD id, short x, short y, short cx, short cy) {
    return {"BUTTON", "", id, x, y, cx, cy, static_cast<DWORD>(kChild | BS_GROUPBOX), 0};
}

void declareDiagnostics() {
    pm::res::addDialog(IDD_DIAGNOSTICS,
                       dialog(" Table Diagnostics", 380, 250,
                              {label("Select Database and Table(s)", 7, 7, 150),
                               {"COMBOBOX", "", static_cast<WORD>(IDC_DIAGDATABASES), 7, 18, 150, 120,
                                static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST), 0},
                               checkBox("Select / Unselect All Tables", IDC_DIAGALL, 7, 34, 150),
                               list(IDC_DIAGTABLES, 7, 46, 150, 80, LVS_NOCOLUMNHEADER),
                               frameBox(IDC_DIAGFRAME, 165, 14, 208, 112),
                               button("Optimize", IDC_OPTIMIZE, 175, 26, 60),
                               button("Check", IDC_CHECK, 175, 48, 60),
                               checkBox("Quick", IDC_CHECKQUICK, 242, 50, 50),
                               button("Analyze", IDC_ANALYZE, 175, 70, 60),
                               button("Repair", IDC_REPAIR, 175, 92, 60),
                               checkBox("Quick", IDC_REPAIRQUICK, 242, 94, 50),
                               label("Results:", 7, 132, 60),
                               list(IDC_DIAGRESULTS, 7, 143, 366, 80, 0),
                               button("OK", IDOK, 323, 229, 50, true)}));
    pm::res::addDialog(
        IDD_FLUSH,
        dialog(" Flush", 190, 120,
               {frameBox(static_cast<WORD>(-1), 7, 4, 120, 90), radio("&Logs", IDC_FLUSHLOGS, 14, 14, true),
                radio("&Hosts", IDC_FLUSHHOSTS, 14, 26), radio("&Privileges", IDC_FLUSHPRIVILEGES, 14, 38),
                radio("&Tables", IDC_FLUSHTABLES, 14, 50), radio("&Status", IDC_FLUSHSTATUS, 14, 62),
                radio("T&ables With Read Lock", IDC_FLUSHREADLOCK, 14, 74),
                button("&Flush", IDOK, 133, 7, 50, true), button("Close", IDCANCEL, 133, 25),
                label("", 7, 102, 176, IDC_FLUSHRESULT)}));
}

void declareImportText() {
    pm::res::addDialog(IDD_IMPORTTEXT,
                       dialog("  Import Data", 330, 240,
                              {list(IDC_IMPORTDATABASES, 7, 7, 100, 80, LVS_SINGLESEL),
                               list(IDC_IMPORTTABLES, 112, 7, 100, 80, LVS_SINGLESEL),
                               list(IDC_IMPORTCOLUMNS, 217, 7, 106, 80, LVS_SINGLESEL),
                               checkBox("Select/Unselect All Field", IDC_IMPORTALL, 217, 90, 106),
                               label("Filename:", 7, 106, 36),
                               edit(IDC_IMPORTFILE, 45, 104, 250, ES_AUTOHSCROLL | WS_DISABLED),
                               button("...", IDC_IMPORTBROWSE, 300, 103, 23),
                               checkBox("terminated by", IDC_TERMINATED, 7, 124, 70),
                               edit(IDC_TERMINATEDTEXT, 80, 122, 40),
                               checkBox("enclosed by", IDC_ENCLOSED, 7, 138, 70),
                               edit(IDC_ENCLOSEDTEXT, 80, 136, 40),
                               checkBox("Check1", IDC_OPTIONALLY, 128, 138, 12),
                               label("optionally", 142, 138, 50),
                               checkBox("escaped by", IDC_ESCAPED, 7, 152, 70),
                               edit(IDC_ESCAPEDTEXT, 80, 150, 40),
                               checkBox("Lines:", IDC_LINES, 7, 170, 70),
                               edit(IDC_LINESTEXT, 80, 168, 40),
                               checkBox("ignore", IDC_IGNORELINES, 128, 170, 36),
                               edit(IDC_IGNORELINESTEXT, 165, 168, 30, ES_AUTOHSCROLL | ES_NUMBER),
                               label("lines", 199, 170, 25),
                               checkBox("Low Priority", IDC_LOWPRIORITY, 240, 124, 80),
                               checkBox("Replace", IDC_REPLACE, 240, 138, 80),
                               checkBox("Ignore", IDC_IGNORE, 240, 152, 80),
                               label("", 7, 188, 316, IDC_IMPORTSTATUS),
                               progressBar(IDC_IMPORTPROGRESS, 7, 199, 316),
                               button("Import !", IDOK, 218, 218, 50, true),
                               button("Cancel", IDCANCEL, 273, 218)}));
}

void declareBlobField() {
    pm::res::DialogTemplate blob = dialog(
        "Blob Field", 290, 130,
        {edit(IDC_BLOBTEXT, 4, 4, 282, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_BORDER),
         {"BUTTON", "Cancel", IDCANCEL, 0, 0, 1, 1, static_cast<DWORD>(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON),
          0}});
    blob.items[0].cy = 122;
    blob.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT;
    pm::res::addDialog(IDD_BLOBFIELD, blob);
}

void declareExportTables() {
    constexpr DWORD kSorted = LVS_SINGLESEL | LVS_SORTASCENDING;
    pm::res::addDialog(IDD_EXPORTTABLES,
                       dialog("  Export Data", 340, 232,
                              {label("Database(s)", 7, 7, 90),
                               list(IDC_DUMPDATABASES, 7, 18, 95, 112, LVS_SINGLESEL),
                               label("Select Tables", 110, 7, 90),
                               edit(IDC_DUMPFIND, 110, 18, 95),
                               list(IDC_DUMPTABLES, 110, 33, 95, 97, kSorted),
                               button("&>", IDC_DUMPADD, 211, 40, 24),
                               button(">>", IDC_DUMPADDALL, 211, 58, 24),
                               button("&<", IDC_DUMPREMOVE, 211, 86, 24),
                               button("<<", IDC_DUMPREMOVEALL, 211, 104, 24),
                               list(IDC_DUMPSELECTED, 240, 18, 93, 112, kSorted),
                               checkBox("Data", IDC_DUMPDATA, 7, 138, 60),
                               checkBox("Structure", IDC_DUMPSTRUCTURE, 70, 138, 60),
                               checkBox("Include \"USE dbname-\" statement", IDC_DUMPUSE, 140, 138, 150),
                               checkBox("Include \"DROP TABLE\" statement", IDC_DUMPDROP, 140, 151, 150),
                               label("Export to file: ", 7, 169, 55),
                               edit(IDC_DUMPFILE, 62, 167, 248),
                               button("...", IDC_DUMPBROWSE, 313, 166, 20),
                               label("", 7, 186, 326, IDC_DUMPRESULT),
                               progressBar(IDC_DUMPPROGRESS, 7, 197, 326),
                               button("Export !", IDOK, 228, 213, 50, true),
                               button("Cancel", IDCANCEL, 283, 213)}));
}

} // namespace

void DeclareToolResources() {
    declareBrowserMenu();
    declareTableMaker();
    declareDiagnostics();
    declareImportText();
    declareBlobField();
    declareExportTables();
}
