#pragma once
// Resource and control ids of the query tool's tools: the table dump and text import dialogs, the
// table diagnostics and flush dialogs.

// Object browser: its context menu and commands.
constexpr int IDR_BROWSERMENU = 181;
constexpr int ID_DROPDATABASE = 40082;
constexpr int ID_DROPTABLE = 40083;
constexpr int ID_INSERTSTATEMENT = 40084;
constexpr int ID_NEWTABLE = 40101;

// Dialogs.
constexpr int IDD_BLOBFIELD = 194;
constexpr int IDC_BLOBTEXT = 1046;
constexpr int IDD_GIVENAME = 211;
constexpr int IDD_TABLEMAKER = 217;
constexpr int IDD_IMPORTTEXT = 158;
constexpr int IDD_EXPORTTABLES = 166;
constexpr int IDD_DIAGNOSTICS = 213;
constexpr int IDD_FLUSH = 234;

// Export Tables (dump) dialog.
constexpr int IDC_DUMPFIND = 1041;
constexpr int IDC_DUMPADD = 1047;
constexpr int IDC_DUMPADDALL = 1048;
constexpr int IDC_DUMPREMOVE = 1049;
constexpr int IDC_DUMPREMOVEALL = 1050;
constexpr int IDC_DUMPDATABASES = 1078;
constexpr int IDC_DUMPTABLES = 1079;
constexpr int IDC_DUMPSELECTED = 1080;
constexpr int IDC_DUMPFILE = 1081;
constexpr int IDC_DUMPPROGRESS = 1082;
constexpr int IDC_DUMPUSE = 1083;
constexpr int IDC_DUMPDROP = 1084;
constexpr int IDC_DUMPDATA = 1085;
constexpr int IDC_DUMPSTRUCTURE = 1086;
constexpr int IDC_DUMPRESULT = 1087;
constexpr int IDC_DUMPBROWSE = 1088;

// Table maker and its Give Name dialog.
constexpr int IDR_TABLEMAKERMENU = 210;
constexpr int IDC_TABLENAME = 1040;
constexpr int IDC_TABLETYPE = 1102;
constexpr int IDC_CREATETABLE = 1109;

// Table diagnostics dialog.
constexpr int IDC_OPTIMIZE = 3;
constexpr int IDC_CHECK = 7;
constexpr int IDC_REPAIR = 9;
constexpr int IDC_ANALYZE = 10;
constexpr int IDC_DIAGALL = 1050;
constexpr int IDC_CHECKQUICK = 1052;
constexpr int IDC_REPAIRQUICK = 1055;
constexpr int IDC_DIAGRESULTS = 1080;
constexpr int IDC_DIAGDATABASES = 1103;
constexpr int IDC_DIAGTABLES = 1104;
constexpr int IDC_DIAGFRAME = 1108;

// Flush dialog: the radio buttons in the order their statements are tried.
constexpr int IDC_FLUSHLOGS = 1110;
constexpr int IDC_FLUSHHOSTS = 1111;
constexpr int IDC_FLUSHPRIVILEGES = 1112;
constexpr int IDC_FLUSHTABLES = 1113;
constexpr int IDC_FLUSHREADLOCK = 1114;
constexpr int IDC_FLUSHSTATUS = 1115;
constexpr int IDC_FLUSHRESULT = 1116;

// Text import dialog.
constexpr int IDC_IMPORTCOLUMNS = 1038;
constexpr int IDC_IMPORTDATABASES = 1039;
constexpr int IDC_IMPORTTABLES = 1040;
constexpr int IDC_IMPORTFILE = 1042;
constexpr int IDC_IMPORTBROWSE = 1048;
constexpr int IDC_TERMINATED = 1049;
constexpr int IDC_ENCLOSED = 1054;
constexpr int IDC_ENCLOSEDTEXT = 1057;
constexpr int IDC_OPTIONALLY = 1059;
constexpr int IDC_ESCAPED = 1061;
constexpr int IDC_ESCAPEDTEXT = 1063;
constexpr int IDC_LINES = 1065;
constexpr int IDC_LINESTEXT = 1067;
constexpr int IDC_IGNORELINES = 1069;
constexpr int IDC_IGNORELINESTEXT = 1071;
constexpr int IDC_LOWPRIORITY = 1073;
constexpr int IDC_REPLACE = 1075;
constexpr int IDC_IGNORE = 1077;
constexpr int IDC_IMPORTALL = 1078;
constexpr int IDC_IMPORTPROGRESS = 1089;
constexpr int IDC_IMPORTSTATUS = 1090;
constexpr int IDC_TERMINATEDTEXT = 1105;

// Private message that sets the import dialog up once it has its sizes.
constexpr unsigned WM_IMPORT_SETUP = 1087;

// Private message that fills the dump dialog once it has its sizes.
constexpr unsigned WM_DUMP_SETUP = 1088;
