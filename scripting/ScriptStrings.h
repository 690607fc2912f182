#pragma once
// The script host's string and dialog resources (declared once, on first use).

#include "platform/framework/CString.h"

#define IDS_HH_CANTADDTYPELIB 28315
#define IDS_HH_UNTITLED 28326
#define IDS_HH_ERRORPOSITION 28327
#define IDS_HH_SOURCELINE 28328
#define IDS_HH_DESCRIPTION 28329
#define IDS_HH_OBJNAME 28311
#define IDS_HH_OBJTEXT 28312
#define IDS_HH_OBJBOTHNEEDED 28313
#define IDS_HH_OBJCANTCREATE 28314
#define IDS_HH_SECTIONTAIL 28310
#define IDS_HH_GENERAL 28316
#define IDS_HH_DECLARATIONS 28317
#define IDS_HH_SECTIONHEAD 28318
#define IDS_HHSV_TIP_CLOSE 28320
#define IDS_HHSV_TIP_EVENT_VIEW 28321
#define IDS_HHSV_TIP_OBJECT_VIEW 28322
#define IDS_HHSV_TIP_MODULE_VIEW 28323
#define IDS_HHSV_TIP_OBJECT 28324
#define IDS_HHSV_TIP_EVENT 28325

// The script editor's menu: the module's run and debugger commands and "Edit Script...".
#define IDR_HHSCRIPT_MENU 28254

#define IDD_HHOBJECTS 28252
#define IDD_HHSCRIPT_DIALOG 28251
#define IDD_HHSCRIPT_PLACEHOLDER 28281
#define IDC_HHOBJ_NAME 28282
#define IDC_HHOBJ_TEXT 28283
#define IDC_HHOBJ_BROWSE 28284
#define IDC_HHOBJ_LIST 28285
#define IDC_HHOBJ_ADD 28286
#define IDC_HHOBJ_UPDATE 28287
#define IDC_HHOBJ_REMOVE 28288

// Declares the strings, the menu, the bitmaps and the dialog templates of the script host; later
// calls do nothing.
void DeclareScriptResources();
// A string of the script host.
CString LoadScriptString(UINT nID);
