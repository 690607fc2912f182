#pragma once
// The editor's resource and command ids.

#include "platform/framework/afxres.h"

// Menus, accelerators, tool bars, document template.
#define IDR_MAINFRAME 128
#define IDR_JSTYPE 129
#define IDR_EDITACCEL 131
#define IDR_HTMLBAR 141
#define IDR_FUNCTIONS_MENU 143
#define IDR_WORKDIR_MENU 150
#define IDR_SOLUTIONS_MENU 151

// Dialogs.
#define IDD_ABOUTBOX 100
#define IDD_CONFIRM_ALL 144
#define IDD_SCRIPT_SELECT 147
#define IDD_INPUT 153
#define IDD_TOOLS 152
#define IDR_TOOL_MACROS 149
#define IDC_TOOL_ARGUMENTS 1003
#define IDC_TOOL_LIST 1021
#define IDC_TOOL_NEW 1022
#define IDC_TOOL_DELETE 1023
#define IDC_TOOL_EDIT 1024
#define IDC_TOOL_COMMAND 1025
#define IDC_TOOL_BROWSE 1026
#define IDC_TOOL_CANCEL_UPDATE 1027
#define IDC_TOOL_MACRO 1038
// The macros of the tools' argument line, from menu 149.
#define ID_MACRO_FILE_PATH 32837
#define ID_MACRO_FILE_DIR 32838
#define ID_MACRO_FILE_NAME 32839
#define ID_MACRO_APP_DIR 32840
#define ID_MACRO_WINDOWS_DIR 32841
#define ID_MACRO_SYSTEM_DIR 32842

// The template, table, link and solutions dialogs, the About box's links and their commands.
#define IDD_SAVE_TEMPLATE 139
#define IDD_INSERT_TABLE 145
#define IDD_LINK_FAILED 155
#define IDD_DEV_SOLUTIONS 164
#define IDD_NEW_FROM_TEMPLATE 28254
#define IDC_NEW_TEMPLATE_LIST 1028
#define IDC_NEW_TEMPLATE_DESCRIPTION 1029
#define IDC_TEMPLATE_NAME 1030
#define IDC_TEMPLATE_LIST 1031
#define IDC_TEMPLATE_DESCRIPTION 1032
#define IDC_TABLE_ROWS 1034
#define IDC_TABLE_COLUMNS 1035
#define IDC_TABLE_WIDTH 1036
#define IDC_TABLE_PIXELS 1037
#define IDC_TABLE_PERCENT 1038
#define IDC_TABLE_BORDER 1039
#define IDC_TABLE_BORDER_SPIN 1040
#define IDC_TABLE_PADDING 1041
#define IDC_TABLE_SPACING 1042
#define IDC_ABOUT_SITE 1040
#define IDC_ABOUT_MAIL 1041
#define IDC_LINK_DOWNLOAD 1043
#define IDC_SOLUTIONS_PROGRAMMING 1044
#define IDC_SOLUTIONS_GRAPHICS 1045
#define IDC_SOLUTIONS_WEB 1046
#define IDC_SOLUTIONS_DOWNLOAD 1047
#define IDC_SOLUTIONS_SITE 1048
#define IDB_QUERY_TOOL 301
#define IDB_COLOUR_TOOL 302
#define IDB_WEB_EDITOR 303
#define IDS_TEMPLATE_DESCRIPTION 250
#define ID_FILE_SAVE_AS_TEMPLATE 33085
#define ID_HELP_DEV_SOLUTIONS 33112

// Dialog controls.
#define IDC_INPUT_TEXT 1028
#define IDC_CONFIRM_TEXT 1030
#define IDC_YES_TO_ALL 1031
#define IDC_NO_TO_ALL 1032
#define IDC_CONFIRM_NO 1033
#define IDC_SCRIPT_LIST 1034
#define IDC_SCRIPT_EDIT 1035
#define IDC_SCRIPT_LOAD 1036

// Strings: settings sections and keys.
#define IDS_LINENO 137
#define IDS_AUTORELOAD 139
#define IDS_INIT 205
#define IDS_SAVEONCOMPILE 206
#define IDS_GENERAL 251
#define IDS_PROJECTDIR 252
#define IDS_PROJECTMASK 253
#define IDS_HELPFILE 257
#define IDS_FIRSTTIME 260

// Status-bar pane of the caret's line and column.
#define ID_INDICATOR_LINECOL 213

// Commands of the view.
#define ID_EDIT_MATCH_BRACE 32771
#define ID_HELP_MANUAL 32772
#define ID_OPTIONS_SAVE_BEFORE_VIEW 32782
#define ID_BOOKMARK_CLEAR_ALL 32787
#define ID_EDIT_UPPER_CASE 32788
#define ID_EDIT_LOWER_CASE 32789
#define ID_FUNCTIONS_REFRESH 32790
// Keys of the frame's accelerator table whose commands no window answers: they do nothing, and the
// keys never reach the view.
#define ID_KEY_CTRL_ALT_F2 32785
#define ID_KEY_F12 32827
#define ID_KEY_CTRL_F12 32828
#define ID_FUNCTIONS_COPY 32791
#define ID_FUNCTIONS_COPY_ALL 32792
#define ID_VIEW_INFO_PANE 32793
#define ID_VIEW_PROJECT_PANE 32794
#define ID_FILE_CLOSE_ALL 32795
#define ID_FILE_SAVE_ALL 32796
#define ID_HELP_REFERENCE 32797
#define ID_HELP_KEYWORD 32803
#define ID_EDIT_NEXT_WORD 32804
#define ID_EDIT_PREVIOUS_WORD 32805
#define ID_SCRIPT_RUN 32829
#define ID_SCRIPT_NEW 32830
#define ID_SCRIPT_EDIT 32831
#define ID_SCRIPT_STOP 32832
#define ID_SCRIPT_PAUSE 32834
#define ID_SCRIPT_SELECT 32835
#define ID_OPTIONS_AUTO_COMPLETE 32843
#define ID_OPTIONS_LIST_UNIQUE 32844
#define ID_VIEW_IN_BROWSER 33084
#define ID_FILE_NEW_FROM_TEMPLATE 33087
#define ID_VIEW_HTML_BAR 33088
#define ID_FUNCTIONS_GOTO 33091
#define ID_WORKDIR_OPEN 33092
#define ID_WORKDIR_OPEN_NATIVE 33093
#define ID_WORKDIR_CHANGE 33094
#define ID_SOLUTIONS_OPEN 33095
#define ID_SOLUTIONS_OPEN_NATIVE 33096
#define ID_SOLUTIONS_COPY 33097
#define ID_WORKDIR_EXPLORER 33098
#define ID_SOLUTIONS_EXPLORER 33099
#define ID_EDIT_GOTO_LINE 33103
#define ID_FUNCTIONS_POPUP 33104
#define ID_OPTIONS_LINE_NUMBERS 33107
#define ID_OPTIONS_AUTO_RELOAD 33108
#define ID_FILE_WEB_EDITOR 33110
#define ID_HELP_TUTORIAL 33116

// Snippet commands of the HTML bar.
#define ID_HTML_BOLD 32905
#define ID_HTML_ITALIC 32906
#define ID_HTML_UNDERLINE 32907
#define ID_HTML_H1 32908
#define ID_HTML_H2 32909
#define ID_HTML_H3 32911
#define ID_HTML_LINE_BREAK 32912
#define ID_HTML_PARAGRAPH 32913
#define ID_HTML_RULE 32914
#define ID_HTML_PRE 32915
#define ID_HTML_CENTER 32916
#define ID_HTML_TABLE 32918
#define ID_HTML_UL 32919
#define ID_HTML_OL 32921
#define ID_HTML_LEFT 32922
#define ID_HTML_RIGHT 32923

// Snippet commands of the Functions and Operators menus.
#define ID_JS_FOR 32876
#define ID_JS_WHILE 32877
#define ID_JS_DO_WHILE 32878
#define ID_JS_SWITCH 32879
#define ID_JS_FUNCTION 32880
#define ID_OP_EQUAL 32882
#define ID_OP_NOT_EQUAL 32884
#define ID_OP_LESS 32886
#define ID_OP_GREATER 32888
#define ID_OP_LESS_EQUAL 32890
#define ID_OP_GREATER_EQUAL 32891
#define ID_OP_NOT_LESS 32893
#define ID_OP_NOT_GREATER 32895
#define ID_OP_AND 32897
#define ID_OP_OR 32899
#define ID_JS_SCRIPT 32901
#define ID_JS_IF_ELSE 32903
#define ID_JS_IF 32920
// The Tools menu: the dialog, then one id per tool.
#define ID_TOOLS_ADD_EDIT 32984
#define ID_TOOLS_FIRST 32985
#define ID_TOOLS_LAST 33010
// Position of the Tools menu in the document menu.
#define TOOLS_SUBMENU 5
// Object member commands: one range, the inserted text per id.
#define ID_MEMBER_FIRST 33011
#define ID_MEMBER_LAST 33083

// Bookmarks and line commands of the edit control.
#define ID_BOOKMARK_TOGGLE 60708
#define ID_BOOKMARK_PREVIOUS 60709
#define ID_BOOKMARK_NEXT 60710
#define ID_BOOKMARK_CLEAR 60711

// Controls of the panes.
#define IDC_FUNCTIONS_LIST 102
#define ID_INFO_PANE 101
#define ID_PROJECT_PANE 103
#define ID_SOLUTIONS_TREE_OPEN 1074
#define ID_SOLUTIONS_TREE_MENU 1076

// Timers of the main frame and the view.
#define TIMER_APP_EVENT 1
#define TIMER_STOP_SCRIPT 2
#define TIMER_STARTUP 277
#define TIMER_FUNCTIONS 278
#define TIMER_TAB_STOPS 228
#define ID_SET_TAB_STOPS 1225

// ---- Main frame commands, the workspace and hand-over, the file-change watcher ----
#define ID_HELP_WEBSITE 32773
#define ID_HELP_UPGRADES 32836
#define ID_HELP_SITE_JAVASCRIPT 32846
#define ID_HELP_SITE_HTML 32847
#define ID_HELP_SITE_CSS 32848
#define ID_FILE_RELOAD 33086
#define ID_HELP_EMAIL 33105
#define ID_HELP_SITE_W3C 33111
#define ID_HELP_MAILING_LIST 33113
#define ID_HELP_DISCUSSION_BOARD 33114
#define ID_HELP_SITE_ECMA 33115
// Private command: a message box with the main window's handle.
#define ID_SHOW_WINDOW_HANDLE 1624
// Posted by the file watcher: wParam the change bits, lParam the path the watcher keeps for the handler.
#define WM_FILE_CHANGED 0x13A0
// Strings of the Solutions commands.
#define IDS_FILE_EXISTS 254
#define IDS_COPY_FAILED 255
