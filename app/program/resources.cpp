// The editor's menus, accelerator tables, tool-bar layouts, dialog templates and string table.

#include "app/program/resources.h"

#include "app/program/dialog_images.h"
#include "app/program/resource_ids.h"
#include "app/program/snippets.h"
#include "app/program/toolbar_images.h"

#include "editor/CHHEditCtrl.h"
#include "editor/HHEditResources.h"
#include "platform/win/res/resources.h"
#include "platform/win/res/templates.h"
#include "platform/win/windows.h"

namespace {

using namespace pm::res;

MenuItem fileMenu(bool withDocument) {
    std::vector<MenuItem> items = {item("&New\tCtrl+N", ID_FILE_NEW),
                                   item("New from Template...\tCtrl+Shift+N", ID_FILE_NEW_FROM_TEMPLATE),
                                   item("&Open...\tCtrl+O", ID_FILE_OPEN)};
    if (withDocument) {
        items.push_back(item("&Close", ID_FILE_CLOSE));
        items.push_back(item("Close Al&l", ID_FILE_CLOSE_ALL));
        items.push_back(separator());
        items.push_back(item("&Save\tCtrl+S", ID_FILE_SAVE));
        items.push_back(item("Save &As...", ID_FILE_SAVE_AS));
        items.push_back(item("Save Al&l", ID_FILE_SAVE_ALL));
        items.push_back(item("Save as Template...", ID_FILE_SAVE_AS_TEMPLATE));
        items.push_back(separator());
        items.push_back(item("View in Browser\tAlt+B", ID_VIEW_IN_BROWSER));
        items.push_back(item("Open in Corvane Sarrowby...\tF7", ID_FILE_WEB_EDITOR));
        items.push_back(item("Reload", ID_FILE_RELOAD));
        items.push_back(separator());
        items.push_back(item("&Print...\tCtrl+P", ID_FILE_PRINT));
    }
    items.push_back(item("P&rint Setup...", ID_FILE_PRINT_SETUP));
    items.push_back(separator());
    items.push_back(item("Recent File", ID_FILE_MRU_FILE1, MF_GRAYED));
    items.push_back(separator());
    items.push_back(item("E&xit", ID_APP_EXIT));
    return popup("&File", std::move(items));
}

MenuItem viewMenu() {
    return popup("&View",
                 {item("Main &Toolbar", ID_VIEW_TOOLBAR), item("&HTML Bar", ID_VIEW_HTML_BAR),
                  item("&Status Bar", ID_VIEW_STATUS_BAR), separator(), item("&Info Pane", ID_VIEW_INFO_PANE),
                  item("&Project Pane", ID_VIEW_PROJECT_PANE)});
}

MenuItem optionsMenu() {
    return popup("&Options", {item("Save &Files before Viewing", ID_OPTIONS_SAVE_BEFORE_VIEW),
                              item("Intellisense / &Auto-complete", ID_OPTIONS_AUTO_COMPLETE),
                              item("Line &Numbers", ID_OPTIONS_LINE_NUMBERS),
                              item("Reload Modified Files", ID_OPTIONS_AUTO_RELOAD)});
}

MenuItem helpMenu() {
    return popup("&Help",
                 {item("&Manual...", ID_HELP_MANUAL),
                  item("&JavaScript Reference and Tutorial...\tF1", ID_HELP_REFERENCE),
                  item("JavaScript Multimedia Tutorial...", ID_HELP_TUTORIAL),
                  item("&Developer Solutions...", ID_HELP_DEV_SOLUTIONS), separator(),
                  item("&Join Developers' Monthly Mailing List...", ID_HELP_MAILING_LIST),
                  item("Join the Discussion &Board...", ID_HELP_DISCUSSION_BOARD),
                  item("Send us an Email...", ID_HELP_EMAIL), item("Corvane &Website...", ID_HELP_WEBSITE),
                  item("World Wide Web Consortium...", ID_HELP_SITE_W3C),
                  item("ECMAScript Standard (ECMA-262)...", ID_HELP_SITE_ECMA), separator(),
                  item("&Check for Upgrades", ID_HELP_UPGRADES), separator(),
                  item("&About Corvane JavaScript Editor...", ID_APP_ABOUT)});
}

MenuItem editMenu() {
    return popup("&Edit", {item("&Undo\tCtrl+Z", ID_EDIT_UNDO),
                           item("&Redo", ID_EDIT_REDO),
                           separator(),
                           item("Cu&t\tCtrl+X", ID_EDIT_CUT),
                           item("&Copy\tCtrl+C", ID_EDIT_COPY),
                           item("&Paste\tCtrl+V", ID_EDIT_PASTE),
                           separator(),
                           item("&Find...\tCtrl+F", ID_EDIT_FIND),
                           item("Find &Next\tF3", ID_EDIT_REPEAT),
                           item("R&eplace...", ID_EDIT_REPLACE),
                           item("Go to Line\tCtrl+G", ID_EDIT_GOTO_LINE),
                           separator(),
                           item("Go to Matching Brace\tCtrl+]", ID_EDIT_MATCH_BRACE),
                           item("Change to Upper Case\tCtrl+U", ID_EDIT_UPPER_CASE),
                           item("Change to Lower Case\tCtrl+L", ID_EDIT_LOWER_CASE),
                           separator(),
                           item("&Indent", ID_HHEDIT_INDENT),
                           item("&Outdent", ID_HHEDIT_OUTDENT),
                           item("Co&mment", ID_HHEDIT_COMMENT),
                           item("U&ncomment", ID_HHEDIT_UNCOMMENT),
                           separator(),
                           item("Clear &All Bookmarks\tAlt+F2", ID_BOOKMARK_CLEAR_ALL)});
}

MenuItem scriptMenu() {
    return popup("VB&Script", {item("&Run", ID_SCRIPT_RUN), item("&Pause", ID_SCRIPT_PAUSE),
                               item("&Stop", ID_SCRIPT_STOP), separator(), item("&New...", ID_SCRIPT_NEW),
                               item("&Edit...", ID_SCRIPT_EDIT), item("S&elect...", ID_SCRIPT_SELECT)});
}

MenuItem functionsMenu() {
    return popup("F&unctions", {item("Go to", ID_FUNCTIONS_GOTO), item("Refresh\tF9", ID_FUNCTIONS_REFRESH),
                                separator(), item("if", ID_JS_IF), item("if...else", ID_JS_IF_ELSE),
                                item("for", ID_JS_FOR), item("while", ID_JS_WHILE),
                                item("do...while", ID_JS_DO_WHILE), item("switch", ID_JS_SWITCH), separator(),
                                item("<SCRIPT>", ID_JS_SCRIPT), item("function\tF8", ID_JS_FUNCTION)});
}

MenuItem operatorsMenu() {
    return popup("&Operators",
                 {item("==", ID_OP_EQUAL), item("<", ID_OP_LESS), item(">", ID_OP_GREATER),
                  item("<=", ID_OP_LESS_EQUAL), item(">=", ID_OP_GREATER_EQUAL), item("!=", ID_OP_NOT_EQUAL),
                  item("!<", ID_OP_NOT_LESS), item("!>", ID_OP_NOT_GREATER), item("&&&&", ID_OP_AND),
                  item("||", ID_OP_OR)});
}

// A menu of object member snippets: the ids of the ranges, each shown as the text it inserts.
MenuItem memberMenu(const char* title, std::initializer_list<std::pair<UINT, UINT>> ranges) {
    std::vector<MenuItem> items;
    for (const auto& range : ranges)
        for (UINT id = range.first; id <= range.second; ++id)
            items.push_back(item(MemberSnippetText(id), id));
    return popup(title, std::move(items));
}

std::vector<MenuItem> snippetMenus() {
    return {operatorsMenu(),
            memberMenu("&Date Functions", {{33011, 33014}, {33075, 33083}}),
            memberMenu("&Math Constants && Functions", {{33015, 33032}, {33045, 33045}, {33047, 33047}}),
            memberMenu("&String Functions", {{33033, 33038}, {33048, 33060}}),
            memberMenu("&Window && Frame Functions", {{33061, 33066}}),
            memberMenu("&Document Functions", {{33039, 33041}, {33046, 33046}}),
            memberMenu("&Events", {{33042, 33044}, {33068, 33074}})};
}

MenuItem htmlMenu() {
    return popup("Htm&l", {item("&Bold\tCtrl+B", ID_HTML_BOLD),
                           item("&Italic\tCtrl+I", ID_HTML_ITALIC),
                           item("&Underline", ID_HTML_UNDERLINE),
                           separator(),
                           item("H1", ID_HTML_H1),
                           item("H2", ID_HTML_H2),
                           item("H3", ID_HTML_H3),
                           separator(),
                           item("&Line Break\tShift+Enter", ID_HTML_LINE_BREAK),
                           item("&Paragraph\tAlt+Enter", ID_HTML_PARAGRAPH),
                           item("Pre&formatted", ID_HTML_PRE),
                           item("&Horizontal Rule", ID_HTML_RULE),
                           separator(),
                           item("&Align Left", ID_HTML_LEFT),
                           item("&Center", ID_HTML_CENTER),
                           item("Align &Right", ID_HTML_RIGHT),
                           separator(),
                           item("&Unordered List", ID_HTML_UL),
                           item("&Ordered List", ID_HTML_OL),
                           item("&Table", ID_HTML_TABLE)});
}

// No "New Window": a document's text lives in its one edit view, so a second window would be an
// empty copy that loses the edits when the first is closed.
MenuItem windowMenu() {
    return popup("&Window", {item("&Cascade", ID_WINDOW_CASCADE), item("&Tile", ID_WINDOW_TILE_HORZ),
                             item("&Arrange Icons", ID_WINDOW_ARRANGE)});
}

void declareMenus() {
    pm::res::addMenu(IDR_MAINFRAME, {{fileMenu(false), viewMenu(), optionsMenu(), helpMenu()}});
    std::vector<MenuItem> documentMenu = {
        fileMenu(true), editMenu(),   viewMenu(),
        optionsMenu(),  scriptMenu(), popup("&Tools", {item("&Add/Edit...", ID_TOOLS_ADD_EDIT), separator()}),
        functionsMenu()};
    for (MenuItem& menu : snippetMenus())
        documentMenu.push_back(std::move(menu));
    documentMenu.push_back(htmlMenu());
    documentMenu.push_back(windowMenu());
    documentMenu.push_back(helpMenu());
    pm::res::addMenu(IDR_JSTYPE, {documentMenu});
    pm::res::addMenu(
        IDR_TOOL_MACROS,
        {{popup("Macros", {item("File Path", ID_MACRO_FILE_PATH), item("File Directory", ID_MACRO_FILE_DIR),
                           item("File Name", ID_MACRO_FILE_NAME), item("Editor Directory ", ID_MACRO_APP_DIR),
                           item("Windows Directory", ID_MACRO_WINDOWS_DIR),
                           item("System Directory", ID_MACRO_SYSTEM_DIR)})}});
    pm::res::addMenu(
        IDR_FUNCTIONS_MENU,
        {{popup("Functions", {item("Go to", ID_FUNCTIONS_GOTO), separator(), item("Copy", ID_FUNCTIONS_COPY),
                              item("Copy All", ID_FUNCTIONS_COPY_ALL), separator(),
                              item("Refresh\tF9", ID_FUNCTIONS_REFRESH)})}});
    pm::res::addMenu(IDR_WORKDIR_MENU,
                     {{popup("Working Dir", {item("Open in Editor", ID_WORKDIR_OPEN),
                                             item("Open in Native Application", ID_WORKDIR_OPEN_NATIVE),
                                             separator(), item("Change Working Directory", ID_WORKDIR_CHANGE),
                                             item("Explorer", ID_WORKDIR_EXPLORER)})}});
    pm::res::addMenu(IDR_SOLUTIONS_MENU,
                     {{popup("Solutions", {item("Open in Editor", ID_SOLUTIONS_OPEN),
                                           item("Open in Native Application", ID_SOLUTIONS_OPEN_NATIVE),
                                           separator(), item("Copy to Working DIrectory", ID_SOLUTIONS_COPY),
                                           item("Change Working Directory", ID_WORKDIR_CHANGE),
                                           item("Explorer", ID_SOLUTIONS_EXPLORER)})}});
}

void declareAccelerators() {
    const BYTE v = FVIRTKEY | FNOINVERT;
    const BYTE c = v | FCONTROL;
    const BYTE s = v | FSHIFT;
    const BYTE a = v | FALT;
    pm::res::addAccelerators(
        IDR_MAINFRAME, {{c, VK_OEM_6, ID_EDIT_MATCH_BRACE},
                        {a, 'B', ID_VIEW_IN_BROWSER},
                        {c, 'C', ID_EDIT_COPY},
                        {c, VK_INSERT, ID_EDIT_COPY},
                        {c, 'E', ID_FUNCTIONS_POPUP},
                        {c, 'G', ID_EDIT_GOTO_LINE},
                        {c, 'L', ID_EDIT_LOWER_CASE},
                        {c, 'N', ID_FILE_NEW},
                        {BYTE(c | FSHIFT), 'N', ID_FILE_NEW_FROM_TEMPLATE},
                        {c, 'O', ID_FILE_OPEN},
                        {c, 'P', ID_FILE_PRINT},
                        {c, 'S', ID_FILE_SAVE},
                        {c, 'U', ID_EDIT_UPPER_CASE},
                        {c, 'V', ID_EDIT_PASTE},
                        {s, VK_INSERT, ID_EDIT_PASTE},
                        {c, 'X', ID_EDIT_CUT},
                        {s, VK_DELETE, ID_EDIT_CUT},
                        {c, 'Z', ID_EDIT_UNDO},
                        {a, VK_BACK, ID_EDIT_UNDO},
                        {v, VK_F1, ID_HELP_KEYWORD},
                        {a, VK_F2, ID_BOOKMARK_CLEAR_ALL},
                        {c, VK_F3, ID_EDIT_NEXT_WORD},
                        {BYTE(c | FSHIFT), VK_F3, ID_EDIT_PREVIOUS_WORD},
                        {v, VK_F6, ID_NEXT_PANE},
                        {s, VK_F6, ID_PREV_PANE},
                        {v, VK_F9, ID_FUNCTIONS_REFRESH},
                        {v, VK_F8, ID_JS_FUNCTION},
                        {v, VK_F12, ID_KEY_F12},
                        {c, VK_F12, ID_KEY_CTRL_F12},
                        {BYTE(c | FALT), VK_F2, ID_KEY_CTRL_ALT_F2},
                        // The menus show these keys: F7 for the web-page editor, and those of the Html menu.
                        {v, VK_F7, ID_FILE_WEB_EDITOR},
                        {c, 'B', ID_HTML_BOLD},
                        {c, 'I', ID_HTML_ITALIC},
                        {s, VK_RETURN, ID_HTML_LINE_BREAK},
                        {a, VK_RETURN, ID_HTML_PARAGRAPH}});
    pm::res::addAccelerators(IDR_EDITACCEL, {{c, 'F', ID_EDIT_FIND},
                                             {v, VK_F3, ID_EDIT_REPEAT},
                                             {c, VK_F2, ID_BOOKMARK_TOGGLE},
                                             {v, VK_F2, ID_BOOKMARK_NEXT},
                                             {s, VK_F2, ID_BOOKMARK_PREVIOUS}});
}

void declareToolBars() {
    const UINT sep = ID_SEPARATOR;
    pm::res::addToolbar(IDR_MAINFRAME, {16,
                                        15,
                                        {ID_FILE_NEW,
                                         ID_FILE_NEW_FROM_TEMPLATE,
                                         ID_FILE_OPEN,
                                         ID_FILE_SAVE,
                                         ID_FILE_PRINT,
                                         sep,
                                         ID_EDIT_CUT,
                                         ID_EDIT_COPY,
                                         ID_EDIT_PASTE,
                                         sep,
                                         ID_EDIT_FIND,
                                         ID_EDIT_REPLACE,
                                         ID_EDIT_REPEAT,
                                         sep,
                                         ID_EDIT_UNDO,
                                         ID_EDIT_REDO,
                                         sep,
                                         ID_VIEW_IN_BROWSER,
                                         ID_FILE_WEB_EDITOR,
                                         sep,
                                         ID_BOOKMARK_TOGGLE,
                                         ID_BOOKMARK_CLEAR,
                                         ID_BOOKMARK_NEXT,
                                         ID_BOOKMARK_PREVIOUS,
                                         sep,
                                         ID_HHEDIT_INDENT,
                                         ID_HHEDIT_OUTDENT,
                                         sep,
                                         ID_HHEDIT_COMMENT,
                                         ID_HHEDIT_UNCOMMENT,
                                         sep,
                                         ID_HELP_MANUAL,
                                         ID_APP_ABOUT}});
    pm::res::addToolbar(IDR_HTMLBAR, {16, 15, {ID_HTML_BOLD,       ID_HTML_ITALIC,
                                               ID_HTML_UNDERLINE,  sep,
                                               ID_HTML_H1,         ID_HTML_H2,
                                               ID_HTML_H3,         sep,
                                               ID_HTML_TABLE,      ID_HTML_UL,
                                               ID_HTML_OL,         sep,
                                               ID_HTML_LINE_BREAK, ID_HTML_PARAGRAPH,
                                               ID_HTML_RULE,       sep,
                                               ID_HTML_PRE,        sep,
                                               ID_HTML_LEFT,       ID_HTML_CENTER,
                                               ID_HTML_RIGHT,      sep,
                                               ID_HHEDIT_OPTIONS,  sep,
                                               ID_SCRIPT_RUN,      ID_SCRIPT_PAUSE,
                                               ID_SCRIPT_STOP}});
    static const std::vector<unsigned char> mainImages = DrawToolBarImages(IDR_MAINFRAME);
    static const std::vector<unsigned char> htmlImages = DrawToolBarImages(IDR_HTMLBAR);
    pm::res::addImage(pm::res::ImageKind::Bitmap, IDR_MAINFRAME, mainImages.data(), mainImages.size());
    pm::res::addImage(pm::res::ImageKind::Bitmap, IDR_HTMLBAR, htmlImages.data(), htmlImages.size());
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

void declareDialogs() {
    pm::res::addDialog(IDD_ABOUTBOX,
                       dialog("About Corvane JavaScript Editor", 220, 90,
                              {label("Corvane JavaScript Editor, version 3.0", kStaticId, 10, 10, 200),
                               label("An editor for JavaScript and HTML pages.", kStaticId, 10, 24, 200),
                               label("Corvane on the web", IDC_ABOUT_SITE, 10, 44, 120),
                               label("editor@corvane.example", IDC_ABOUT_MAIL, 10, 56, 120),
                               defaultButton("OK", IDOK, 160, 70)}));
    pm::res::addDialog(
        IDD_CONFIRM_ALL,
        dialog("Corvane JavaScript Editor", 250, 66,
               {label("", IDC_CONFIRM_TEXT, 7, 7, 236, 24), defaultButton("&Yes", IDOK, 7, 44),
                button("Yes to &all", IDC_YES_TO_ALL, 55, 44), button("&No", IDC_CONFIRM_NO, 103, 44),
                button("No to all", IDC_NO_TO_ALL, 151, 44), button("Cancel", IDCANCEL, 199, 44)}));
    pm::res::addDialog(IDD_INPUT,
                       dialog("", 200, 50,
                              {{"EDIT", "", IDC_INPUT_TEXT, 7, 7, 186, 12,
                                static_cast<DWORD>(kChild | WS_TABSTOP | ES_AUTOHSCROLL), WS_EX_CLIENTEDGE},
                               defaultButton("OK", IDOK, 87, 29),
                               button("Cancel", IDCANCEL, 143, 29)}));
    const DWORD edit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
    pm::res::addDialog(
        IDD_TOOLS,
        dialog("Add & Edit Tools", 260, 150,
               {label("Menu contents", kStaticId, 7, 7, 120),
                {"LISTBOX", "", IDC_TOOL_LIST, 7, 18, 180, 70,
                 static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY), WS_EX_CLIENTEDGE},
                button("&New", IDC_TOOL_NEW, 200, 18),
                button("&Edit", IDC_TOOL_EDIT, 200, 36),
                button("&Delete", IDC_TOOL_DELETE, 200, 54),
                label("Command:", kStaticId, 7, 95, 50),
                {"EDIT", "", IDC_TOOL_COMMAND, 60, 93, 160, 12, edit, WS_EX_CLIENTEDGE},
                {"BUTTON", "...", IDC_TOOL_BROWSE, 224, 93, 20, 12,
                 static_cast<DWORD>(kChild | WS_TABSTOP | BS_PUSHBUTTON), 0},
                label("Arguments:", kStaticId, 7, 111, 50),
                {"EDIT", "", IDC_TOOL_ARGUMENTS, 60, 109, 160, 12, edit, WS_EX_CLIENTEDGE},
                {"BUTTON", "L:1~O:0~U:<RARROW~P:<RARROWP~", IDC_TOOL_MACRO, 224, 109, 20, 12,
                 static_cast<DWORD>(kChild | WS_TABSTOP | BS_OWNERDRAW), 0},
                defaultButton("&Update", IDOK, 7, 129),
                button("&Cancel Update", IDC_TOOL_CANCEL_UPDATE, 61, 129),
                button("Cl&ose", IDCANCEL, 200, 129)}));
    pm::res::addDialog(
        IDD_SCRIPT_SELECT,
        dialog("", 200, 120,
               {{"LISTBOX", "", IDC_SCRIPT_LIST, 7, 7, 130, 106,
                 static_cast<DWORD>(kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY), WS_EX_CLIENTEDGE},
                defaultButton("&Run", IDOK, 143, 7),
                button("&Edit", IDC_SCRIPT_EDIT, 143, 25),
                button("&Load", IDC_SCRIPT_LOAD, 143, 43),
                button("Cancel", IDCANCEL, 143, 99)}));
}

// The template, table, link and solutions dialogs.
void declareTemplateAndLinkDialogs() {
    const DWORD edit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD list = kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_SORT;
    auto field = [edit](WORD id, short y) {
        return pm::res::DialogItem{"EDIT", "", id, 55, y, 30, 12, edit, WS_EX_CLIENTEDGE};
    };
    pm::res::addDialog(
        IDD_SAVE_TEMPLATE,
        dialog("Save as Template", 250, 133,
               {label("Template &name:", kStaticId, 7, 7, 120),
                {"EDIT", "", IDC_TEMPLATE_NAME, 7, 18, 176, 12, edit, WS_EX_CLIENTEDGE},
                label("E&xisting templates:", kStaticId, 7, 36, 120),
                {"LISTBOX", "", IDC_TEMPLATE_LIST, 7, 47, 176, 52, list, WS_EX_CLIENTEDGE},
                label("&Description:", kStaticId, 7, 103, 120),
                {"EDIT", "", IDC_TEMPLATE_DESCRIPTION, 7, 114, 236, 12, edit, WS_EX_CLIENTEDGE},
                defaultButton("OK", IDOK, 193, 7),
                button("Cancel", IDCANCEL, 193, 25)}));
    pm::res::addDialog(IDD_NEW_FROM_TEMPLATE,
                       dialog("New Document", 250, 120,
                              {label("&Templates:", kStaticId, 7, 7, 120),
                               {"LISTBOX", "", IDC_NEW_TEMPLATE_LIST, 7, 18, 176, 70, list, WS_EX_CLIENTEDGE},
                               label("Description:", kStaticId, 7, 93, 120),
                               label("", IDC_NEW_TEMPLATE_DESCRIPTION, 7, 104, 236, 9),
                               defaultButton("OK", IDOK, 193, 7),
                               button("Cancel", IDCANCEL, 193, 25)}));
    const DWORD radio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
    pm::res::addDialog(
        IDD_INSERT_TABLE,
        dialog("Insert Table", 200, 118,
               {label("&Rows:", kStaticId, 7, 9, 45),
                field(IDC_TABLE_ROWS, 7),
                label("&Columns:", kStaticId, 7, 27, 45),
                field(IDC_TABLE_COLUMNS, 25),
                label("&Width:", kStaticId, 7, 45, 45),
                field(IDC_TABLE_WIDTH, 43),
                {"BUTTON", "&Pixels", IDC_TABLE_PIXELS, 92, 44, 40, 10, radio | WS_GROUP, 0},
                {"BUTTON", "P&ercent", IDC_TABLE_PERCENT, 134, 44, 45, 10, radio, 0},
                label("&Border:", kStaticId, 7, 63, 45),
                {"EDIT", "", IDC_TABLE_BORDER, 55, 61, 30, 12, edit | WS_GROUP, WS_EX_CLIENTEDGE},
                {UPDOWN_CLASS, "", IDC_TABLE_BORDER_SPIN, 85, 61, 10, 12,
                 static_cast<DWORD>(kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS), 0},
                label("Cell &spacing:", kStaticId, 7, 81, 45),
                field(IDC_TABLE_SPACING, 79),
                label("Cell p&adding:", kStaticId, 7, 99, 45),
                field(IDC_TABLE_PADDING, 97),
                defaultButton("OK", IDOK, 143, 7),
                button("Cancel", IDCANCEL, 143, 25)}));
    pm::res::addDialog(IDD_LINK_FAILED,
                       dialog("Corvane Sarrowby", 236, 118,
                              {label("The link with Corvane Sarrowby could not be established. Please",
                                     kStaticId, 7, 7, 222),
                               label("download", IDC_LINK_DOWNLOAD, 7, 17, 35),
                               label("and install the latest version.", kStaticId, 43, 17, 150),
                               label("With Sarrowby you can:", kStaticId, 7, 33, 222),
                               label("- design web pages as they will look in the browser\n"
                                     "- keep the pages and pictures of a whole site in order\n"
                                     "- check every link before the site goes out\n"
                                     "- hand a page's scripts to Penmere to edit them",
                                     kStaticId, 15, 45, 214, 36),
                               defaultButton("OK", IDOK, 93, 97)}));
    const DWORD picture = kChild | SS_BITMAP;
    pm::res::addDialog(
        IDD_DEV_SOLUTIONS,
        dialog(
            "Solutions for Software Developers", 300, 195,
            {label("Programming tools", IDC_SOLUTIONS_PROGRAMMING, 7, 7, 286, 12),
             {"STATIC", "#301", kStaticId, 7, 22, 22, 20, picture, 0},
             label("Tessmark: a query tool for MySQL and MariaDB servers, with result grids, table "
                   "diagnostics, exports, dumps and imports.",
                   kStaticId, 40, 23, 253, 18),
             label("Graphics, animation, and Multimedia", IDC_SOLUTIONS_GRAPHICS, 7, 49, 286, 12),
             {"STATIC", "#302", kStaticId, 7, 64, 22, 20, picture, 0},
             label("Tintara: a colour tool that picks colours anywhere on the screen, names them and "
                   "writes them into web pages.",
                   kStaticId, 40, 65, 253, 18),
             label("Web development", IDC_SOLUTIONS_WEB, 7, 91, 286, 12),
             {"STATIC", "#303", kStaticId, 7, 106, 22, 20, picture, 0},
             label("Corvane Sarrowby: a web-page editor for whole sites, which hands the scripts of its "
                   "pages to Penmere.",
                   kStaticId, 40, 107, 253, 18),
             label("Download the latest tools and check them out!", IDC_SOLUTIONS_DOWNLOAD, 7, 136, 286, 10),
             label("", IDC_SOLUTIONS_SITE, 7, 150, 286, 10),
             defaultButton("OK", IDOK, 125, 172)}));
}

void declareStrings() {
    pm::res::addStrings({
        {IDR_MAINFRAME, "Corvane JavaScript Editor"},
        {IDR_JSTYPE, "\nUntitled\njs\nJavaScript Files (*.js)\n.js\njs.Document\nJS Document"},
        {AFX_IDS_APP_TITLE, "Corvane JavaScript Editor"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDS_LINENO, "LineNo"},
        {IDS_AUTORELOAD, "AutoReload"},
        {IDS_INIT, "Init"},
        {IDS_SAVEONCOMPILE, "SaveOnCompile"},
        {IDS_GENERAL, "General"},
        {IDS_PROJECTDIR, "ProjectDir"},
        {IDS_PROJECTMASK, "ProjectMask"},
        {IDS_HELPFILE, "Help/JSRef.htm"},
        {IDS_FIRSTTIME, "FirstTime"},
        {IDS_TEMPLATE_DESCRIPTION, "Description"},
        {ID_FILE_SAVE_AS_TEMPLATE, "Save the document as a template for new documents\nSave as Template"},
        {ID_HELP_DEV_SOLUTIONS, "The maker's other programs\nDeveloper Solutions"},
        {ID_INDICATOR_LINECOL, "0000, 000"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_NEW_FROM_TEMPLATE, "Create a new document from a template\nNew from Template"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_APP_ABOUT, "Display program information\nAbout"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_FIND, "Find the specified text\nFind"},
        {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
        {ID_EDIT_REPEAT, "Repeat the last find\nFind Next"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
        {ID_VIEW_IN_BROWSER, "Show the document in the browser\nView in Browser"},
        {ID_FILE_WEB_EDITOR, "Open the document in the web-page editor\nWeb-page Editor"},
        {ID_BOOKMARK_TOGGLE, "Set or remove a bookmark on the line\nToggle Bookmark"},
        {ID_BOOKMARK_CLEAR, "Remove every bookmark\nClear All Bookmarks"},
        {ID_BOOKMARK_NEXT, "Go to the next bookmark\nNext Bookmark"},
        {ID_BOOKMARK_PREVIOUS, "Go to the previous bookmark\nPrevious Bookmark"},
        {ID_HHEDIT_INDENT, "Indent the selected lines\nIndent"},
        {ID_HHEDIT_OUTDENT, "Outdent the selected lines\nOutdent"},
        {ID_HHEDIT_COMMENT, "Comment the selected lines\nComment"},
        {ID_HHEDIT_UNCOMMENT, "Uncomment the selected lines\nUncomment"},
        {ID_HELP_MANUAL, "Open the manual\nManual"},
        {ID_HTML_BOLD, "Bold text\nBold"},
        {ID_HTML_ITALIC, "Italic text\nItalic"},
        {ID_HTML_UNDERLINE, "Underlined text\nUnderline"},
        {ID_HTML_H1, "Heading 1\nH1"},
        {ID_HTML_H2, "Heading 2\nH2"},
        {ID_HTML_H3, "Heading 3\nH3"},
        {ID_HTML_TABLE, "Insert a table\nTable"},
        {ID_HTML_UL, "Unordered list\nUnordered List"},
        {ID_HTML_OL, "Ordered list\nOrdered List"},
        {ID_HTML_LINE_BREAK, "Line break\nLine Break"},
        {ID_HTML_PARAGRAPH, "Paragraph\nParagraph"},
        {ID_HTML_RULE, "Horizontal rule\nHorizontal Rule"},
        {ID_HTML_PRE, "Preformatted text\nPreformatted"},
        {ID_HTML_LEFT, "Align left\nAlign Left"},
        {ID_HTML_CENTER, "Center\nCenter"},
        {ID_HTML_RIGHT, "Align right\nAlign Right"},
        {ID_HHEDIT_OPTIONS, "Editor options\nOptions"},
        {ID_SCRIPT_RUN, "Run the selected macro\nRun"},
        {ID_SCRIPT_PAUSE, "Pause the running macro\nPause"},
        {ID_SCRIPT_STOP, "Stop the running macro\nStop"},
        {IDS_FILE_EXISTS, "File already exists. Overwrite?"},
        {IDS_COPY_FAILED, "Copy failed. Please check the paths and write permissions."},
        {ID_FILE_RELOAD, "Open the document's file again\nReload"},
        {ID_HELP_UPGRADES, "Look for a newer version\nCheck for Upgrades"},
    });
}

} // namespace

void DeclareEditorResources() {
    static const bool declared = [] {
        hh::DeclareEditResources();
        declareMenus();
        declareAccelerators();
        declareToolBars();
        declareDialogs();
        declareTemplateAndLinkDialogs();
        DeclareDialogImages();
        declareStrings();
        return true;
    }();
    (void)declared;
}
