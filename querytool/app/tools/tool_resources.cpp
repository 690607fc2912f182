// Dialog templates of the query tool's tools.

#include "querytool/app/tools/tool_resources.h"

#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/res/resources.h"
#include "platform/win/res/templates.h"
#include "platform/win/windows.h"

namespace {

using namespace pm::res;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// The tools' lists: report views that keep showing the selection.
constexpr DWORD kReport = LVS_REPORT | LVS_SHOWSELALWAYS;

void declareBrowserMenu() {
    pm::res::MenuTemplate menu;
    menu.items = {
        popup("Object Browser",
              {item("Refresh Object Browser", 40080), separator(),
               item("Drop Database", ID_DROPDATABASE, MF_GRAYED), item("Drop Table", ID_DROPTABLE, MF_GRAYED),
               item("Insert Statement For The Table", ID_INSERTSTATEMENT, MF_GRAYED),
               item("New Table In The Database...", ID_NEWTABLE, MF_GRAYED)})};
    pm::res::addMenu(IDR_BROWSERMENU, menu);
}

void declareTableMaker() {
    pm::res::MenuTemplate menu;
    menu.items = {popup("Items", {item("Set Primary Key", 40103), item("Insert Column", 40104),
                                  item("Delete Column", 40105)})};
    pm::res::addMenu(IDR_TABLEMAKERMENU, menu);
    pm::res::DialogTemplate maker = dialog(
        " Create Table", 400, 250,
        {defaultButton("&Create Table", IDC_CREATETABLE, 7, 229, 60), button("Cancel", IDCANCEL, 72, 229)});
    maker.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    pm::res::addDialog(IDD_TABLEMAKER, maker);
    pm::res::addDialog(IDD_GIVENAME,
                       dialog(" Give Name", 200, 80,
                              {label("Enter a name for the table:", kStaticId, 7, 7, 186),
                               edit(IDC_TABLENAME, 7, 18, 186),
                               label("Give table type:", kStaticId, 7, 36, 80),
                               {"COMBOBOX", "", static_cast<WORD>(IDC_TABLETYPE), 90, 34, 103, 100,
                                static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST), 0},
                               defaultButton("OK", IDOK, 88, 59),
                               button("Cancel", IDCANCEL, 143, 59)}));
}

void declareDiagnostics() {
    pm::res::addDialog(IDD_DIAGNOSTICS,
                       dialog(" Table Diagnostics", 380, 250,
                              {label("Select Database and Table(s)", kStaticId, 7, 7, 150),
                               {"COMBOBOX", "", static_cast<WORD>(IDC_DIAGDATABASES), 7, 18, 150, 120,
                                static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST), 0},
                               checkBox("Select / Unselect All Tables", IDC_DIAGALL, 7, 34, 150),
                               listView(IDC_DIAGTABLES, 7, 46, 150, 80, kReport | LVS_NOCOLUMNHEADER),
                               groupBox("", IDC_DIAGFRAME, 165, 14, 208, 112),
                               button("Optimize", IDC_OPTIMIZE, 175, 26, 60),
                               button("Check", IDC_CHECK, 175, 48, 60),
                               checkBox("Quick", IDC_CHECKQUICK, 242, 50, 50),
                               button("Analyze", IDC_ANALYZE, 175, 70, 60),
                               button("Repair", IDC_REPAIR, 175, 92, 60),
                               checkBox("Quick", IDC_REPAIRQUICK, 242, 94, 50),
                               label("Results:", kStaticId, 7, 132, 60),
                               listView(IDC_DIAGRESULTS, 7, 143, 366, 80, kReport),
                               defaultButton("OK", IDOK, 323, 229)}));
    pm::res::addDialog(IDD_FLUSH,
                       dialog(" Flush", 190, 120,
                              {groupBox("", kStaticId, 7, 4, 120, 90),
                               radioButton("&Logs", IDC_FLUSHLOGS, 14, 14, 110, WS_GROUP),
                               radioButton("&Hosts", IDC_FLUSHHOSTS, 14, 26, 110),
                               radioButton("&Privileges", IDC_FLUSHPRIVILEGES, 14, 38, 110),
                               radioButton("&Tables", IDC_FLUSHTABLES, 14, 50, 110),
                               radioButton("&Status", IDC_FLUSHSTATUS, 14, 62, 110),
                               radioButton("T&ables With Read Lock", IDC_FLUSHREADLOCK, 14, 74, 110),
                               defaultButton("&Flush", IDOK, 133, 7), button("Close", IDCANCEL, 133, 25),
                               label("", IDC_FLUSHRESULT, 7, 102, 176)}));
}

void declareImportText() {
    pm::res::addDialog(IDD_IMPORTTEXT,
                       dialog("  Import Data", 330, 240,
                              {listView(IDC_IMPORTDATABASES, 7, 7, 100, 80, kReport | LVS_SINGLESEL),
                               listView(IDC_IMPORTTABLES, 112, 7, 100, 80, kReport | LVS_SINGLESEL),
                               listView(IDC_IMPORTCOLUMNS, 217, 7, 106, 80, kReport | LVS_SINGLESEL),
                               checkBox("Select/Unselect All Field", IDC_IMPORTALL, 217, 90, 106),
                               label("Filename:", kStaticId, 7, 106, 36),
                               edit(IDC_IMPORTFILE, 45, 104, 250, 12, ES_AUTOHSCROLL | WS_DISABLED),
                               button("...", IDC_IMPORTBROWSE, 300, 103, 23),
                               checkBox("terminated by", IDC_TERMINATED, 7, 124, 70),
                               edit(IDC_TERMINATEDTEXT, 80, 122, 40),
                               checkBox("enclosed by", IDC_ENCLOSED, 7, 138, 70),
                               edit(IDC_ENCLOSEDTEXT, 80, 136, 40),
                               checkBox("Check1", IDC_OPTIONALLY, 128, 138, 12),
                               label("optionally", kStaticId, 142, 138, 50),
                               checkBox("escaped by", IDC_ESCAPED, 7, 152, 70),
                               edit(IDC_ESCAPEDTEXT, 80, 150, 40),
                               checkBox("Lines:", IDC_LINES, 7, 170, 70),
                               edit(IDC_LINESTEXT, 80, 168, 40),
                               checkBox("ignore", IDC_IGNORELINES, 128, 170, 36),
                               edit(IDC_IGNORELINESTEXT, 165, 168, 30, 12, ES_AUTOHSCROLL | ES_NUMBER),
                               label("lines", kStaticId, 199, 170, 25),
                               checkBox("Low Priority", IDC_LOWPRIORITY, 240, 124, 80),
                               checkBox("Replace", IDC_REPLACE, 240, 138, 80),
                               checkBox("Ignore", IDC_IGNORE, 240, 152, 80),
                               label("", IDC_IMPORTSTATUS, 7, 188, 316),
                               progressBar(IDC_IMPORTPROGRESS, 7, 199, 316),
                               defaultButton("Import !", IDOK, 218, 218),
                               button("Cancel", IDCANCEL, 273, 218)}));
}

void declareBlobField() {
    pm::res::DialogTemplate blob = dialog(
        "Blob Field", 290, 130,
        {edit(IDC_BLOBTEXT, 4, 4, 282, 122, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_BORDER),
         {"BUTTON", "Cancel", IDCANCEL, 0, 0, 1, 1, static_cast<DWORD>(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON),
          0}});
    blob.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT;
    pm::res::addDialog(IDD_BLOBFIELD, blob);
}

void declareExportTables() {
    constexpr DWORD kSorted = LVS_SINGLESEL | LVS_SORTASCENDING;
    pm::res::addDialog(IDD_EXPORTTABLES,
                       dialog("  Export Data", 340, 232,
                              {label("Database(s)", kStaticId, 7, 7, 90),
                               listView(IDC_DUMPDATABASES, 7, 18, 95, 112, kReport | LVS_SINGLESEL),
                               label("Select Tables", kStaticId, 110, 7, 90),
                               edit(IDC_DUMPFIND, 110, 18, 95),
                               listView(IDC_DUMPTABLES, 110, 33, 95, 97, kReport | kSorted),
                               button("&>", IDC_DUMPADD, 211, 40, 24),
                               button(">>", IDC_DUMPADDALL, 211, 58, 24),
                               button("&<", IDC_DUMPREMOVE, 211, 86, 24),
                               button("<<", IDC_DUMPREMOVEALL, 211, 104, 24),
                               listView(IDC_DUMPSELECTED, 240, 18, 93, 112, kReport | kSorted),
                               checkBox("Data", IDC_DUMPDATA, 7, 138, 60),
                               checkBox("Structure", IDC_DUMPSTRUCTURE, 70, 138, 60),
                               checkBox("Include \"USE dbname-\" statement", IDC_DUMPUSE, 140, 138, 150),
                               checkBox("Include \"DROP TABLE\" statement", IDC_DUMPDROP, 140, 151, 150),
                               label("Export to file: ", kStaticId, 7, 169, 55),
                               edit(IDC_DUMPFILE, 62, 167, 248),
                               button("...", IDC_DUMPBROWSE, 313, 166, 20),
                               label("", IDC_DUMPRESULT, 7, 186, 326),
                               progressBar(IDC_DUMPPROGRESS, 7, 197, 326),
                               defaultButton("Export !", IDOK, 228, 213),
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
