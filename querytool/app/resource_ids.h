#pragma once
// The query tool's resource, command, window and private message numbers.

#include "platform/win/winuser.h"

// Resources.
constexpr int IDR_MAINMENU = 104;
constexpr int IDR_ACCELERATORS = 101;
constexpr int IDR_EXECUTEMENU = 193;
constexpr int IDR_GRIDMENU = 212;
constexpr int IDD_CONNECT = 105;
constexpr int IDD_ABOUT = 168;
constexpr int IDD_KEYNAME = 183;
constexpr int IDD_MANAGEKEYS = 187;
constexpr int IDD_SHORTCUTS = 192;
constexpr int IDD_TEMPLATES = 235;

// Frame children.
constexpr int IDC_TOOLBAR = 1000;
constexpr int IDC_DBCOMBO = 1001;
constexpr int IDC_FRAMESTATUS = 1002;
constexpr int IDC_MDICLIENT = 1;
constexpr int IDM_FIRSTCHILD = 50000;

// Query window children.
constexpr int IDC_BROWSER = 1009;
constexpr int IDC_EDITOR = 1010;
constexpr int IDC_RESULTTABS = 1011;
constexpr int IDC_GRID = 1012;
constexpr int IDC_QUERYSTATUS = 1013;
constexpr int IDC_VSPLITTER = 1014;
constexpr int IDC_HSPLITTER = 1015;
constexpr int IDC_MESSAGES = 1016;
constexpr int IDC_RESULTTEXT = 1017;

// Dialog controls.
constexpr int IDC_USER = 1005;
constexpr int IDC_PASSWORD = 1006;
constexpr int IDC_PORT = 1007;
constexpr int IDC_HOST = 1008;
constexpr int IDC_ABOUTTEXT = 1043;
constexpr int IDC_ABOUTNOTICE = 1093;
constexpr int IDC_KEYNAME = 1094;
constexpr int IDC_KEYLIST = 1095;
constexpr int IDC_DELETEKEYS = 1096;
constexpr int IDC_SHORTCUTTEXT = 1098;
constexpr int IDC_TEMPLATELIST = 1099;
constexpr int IDC_TEMPLATEPREVIEW = 1100;
constexpr int IDC_INSERTTEMPLATE = 1101;

// Commands.
constexpr int ID_TEMPLATES = 40000;
constexpr int ID_CTRLQ = 40001;
constexpr int ID_CONNECT = 40002;
constexpr int ID_DISCONNECT = 40003;
constexpr int ID_DISCONNECTALL = 40004;
constexpr int ID_SAVE = 40005;
constexpr int ID_OPEN = 40006;
constexpr int ID_EXIT = 40007;
constexpr int ID_SAVEAS = 40008;
constexpr int ID_CUT = 40011;
constexpr int ID_COPY = 40012;
constexpr int ID_PASTE = 40013;
constexpr int ID_UNDO = 40014;
constexpr int ID_UPPERCASE = 40016;
constexpr int ID_LOWERCASE = 40017;
constexpr int ID_COMMENT = 40018;
constexpr int ID_UNCOMMENT = 40019;
constexpr int ID_ADDKEY = 40020;
constexpr int ID_CASCADE = 40024;
constexpr int ID_TILE = 40025;
constexpr int ID_ARRANGE = 40026;
constexpr int ID_ABOUT = 40027;
constexpr int ID_SHORTCUTS = 40028;
constexpr int ID_UPPERCASE_KEY = 40029;
constexpr int ID_LOWERCASE_KEY = 40030;
constexpr int ID_COMMENT_KEY = 40031;
constexpr int ID_UNCOMMENT_KEY = 40032;
constexpr int ID_EXPORTTABLES = 40046;
constexpr int ID_IMPORTTEXT = 40047;
constexpr int ID_FIRSTTEMPLATE = 40048;
constexpr int ID_LASTTEMPLATE = 40073;
constexpr int ID_REDO = 40074;
constexpr int ID_SEPARATOR = 40075;
constexpr int ID_EXECUTEBUTTON = 40077;
constexpr int ID_SELECTALL = 40079;
constexpr int ID_REFRESHBROWSER = 40080;
constexpr int ID_PREVIOUSQUERY = 40085;
constexpr int ID_MANAGEKEYS = 40086;
constexpr int ID_CONNECT_KEY = 40088;
constexpr int ID_DISCONNECT_KEY = 40089;
constexpr int ID_OPEN_KEY = 40090;
constexpr int ID_SAVE_KEY = 40091;
constexpr int ID_PREVIOUSQUERY_KEY = 40092;
constexpr int ID_ADDKEY_KEY = 40093;
constexpr int ID_HELP_KEY = 40094;
constexpr int ID_EXECUTECURRENT = 40095;
constexpr int ID_REFRESHBROWSER_KEY = 40096;
constexpr int ID_HELP = 40097;
constexpr int ID_EXECUTESELECTED = 40098;
constexpr int ID_EXECUTEALL = 40099;
constexpr int ID_CHILDEXIT = 40106;
constexpr int ID_CREATETABLEBUTTON = 40107;
constexpr int ID_COPYALL = 40108;
constexpr int ID_COPYSELECTED = 40109;
constexpr int ID_PASTE_KEY = 40110;
constexpr int ID_DIAGNOSTICS = 40116;
constexpr int ID_TEXTMODE = 40118;
constexpr int ID_TEXTMODE_KEY = 40119;
constexpr int ID_FIRSTTAB = 40120;
constexpr int ID_LASTTAB = 40124;
constexpr int ID_FOCUSBROWSER = 40125;
constexpr int ID_FOCUSRESULT = 40126;
constexpr int ID_FOCUSEDITOR = 40127;
constexpr int ID_FIND_KEY = 40128;
constexpr int ID_FIND = 40129;
constexpr int ID_REPLACE = 40130;
constexpr int ID_REPLACE_KEY = 40131;
constexpr int ID_HIDEBROWSER = 40133;
constexpr int ID_HIDEBROWSER_KEY = 40134;
constexpr int ID_TEMPLATES_KEY = 40135;
constexpr int ID_PERSONALPOPUP = 40136;
constexpr int ID_FLUSH = 40137;
constexpr int ID_TEMPLATES_MENU = 40139;
constexpr int ID_EXPORTDATA = 40140;
constexpr int ID_EXPORTDATA_KEY = 40141;

// Personal-folder keys and recent files.
constexpr int ID_FIRSTKEY = 39001;
constexpr int ID_LASTKEY = 39099;
constexpr int MAX_PERSONAL_KEYS = 99;
constexpr int ID_NORECENTFILES = 39100;
constexpr int ID_FIRSTRECENT = 39101;
constexpr int ID_LASTRECENT = 39105;

// Private messages.
constexpr UINT WM_USER_CONNECTFILL = WM_USER + 50;
constexpr UINT WM_USER_CLOSEALL = WM_USER + 61;
constexpr UINT WM_USER_COLORIZE = 1089;
constexpr UINT WM_USER_STOPCOLORIZE = 1090;
constexpr UINT WM_USER_ENDSHORTCUTS = 1097;
