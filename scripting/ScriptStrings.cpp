#include "scripting/ScriptStrings.h"

#include "platform/win/commctrl.h"
#include "platform/win/res/resources.h"
#include "platform/win/res/templates.h"
#include "platform/win/windows.h"
#include "platform/win/winmenu.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHScriptErrorInfo.h"
#include "scripting/CHHScriptProcedureList.h"
#include "scripting/ScriptViewImages.h"

#include <string>

namespace {

using namespace pm::res;

void declareErrorDialogs() {
    const auto text = label("", IDC_HHERR_TEXT, 7, 7, 150, 63);
    pm::res::addDialog(
        IDD_HHRUNTIMEERROR,
        dialog("Run-Time Error", 217, 77,
               {text, defaultButton("&Continue", IDC_HHERR_CONTINUE, 160, 7),
                button("&End", IDC_HHERR_END, 160, 24), button("&Debug", IDC_HHERR_DEBUG, 160, 41)}));
    pm::res::addDialog(IDD_HHSYNTAXERROR,
                       dialog("Syntax Error", 217, 77, {text, defaultButton("&End", IDC_HHERR_END, 160, 7)}));
}

void declareObjectsDialog() {
    const DWORD list =
        WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_NOSORTHEADER;
    pm::res::addDialog(
        IDD_HHOBJECTS,
        dialog("Objects", 288, 121,
               {label("&Name:", kStaticId, 7, 9, 60, 8), edit(IDC_HHOBJ_NAME, 70, 7, 150),
                label("&CLSID or ProgID:", kStaticId, 7, 25, 60, 8), edit(IDC_HHOBJ_TEXT, 70, 23, 134),
                button("...", IDC_HHOBJ_BROWSE, 206, 23, 14), listView(IDC_HHOBJ_LIST, 7, 41, 213, 73, list),
                defaultButton("OK", IDOK, 231, 7), button("Cancel", IDCANCEL, 231, 24),
                button("&Add", IDC_HHOBJ_ADD, 231, 58), button("&Update", IDC_HHOBJ_UPDATE, 231, 75),
                button("&Remove", IDC_HHOBJ_REMOVE, 231, 92)}));
}

// The dialog carries the script editor's menu, so that a macro can be run and stopped from it.
void declareScriptDialog() {
    pm::res::DialogTemplate t =
        dialog("Script", 364, 145, {label("Placeholder", IDD_HHSCRIPT_PLACEHOLDER, 7, 7, 350, 131)});
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | DS_SETFONT;
    t.menu = "#" + std::to_string(IDR_HHSCRIPT_MENU);
    pm::res::addDialog(IDD_HHSCRIPT_DIALOG, t);
}

void declareScriptMenu() {
    pm::res::addMenu(
        IDR_HHSCRIPT_MENU,
        {{popup("&Script", {item("&Run", ID_HHSCRIPT_RUN), item("&Pause", ID_HHSCRIPT_PAUSE),
                            item("&Stop", ID_HHSCRIPT_STOP), separator(),
                            popup("&Debugger", {item("&Open", ID_HHSCRIPT_DEBUGGER),
                                                item("&Break At Next Statement", ID_HHSCRIPT_BREAK)}),
                            separator(), item("&Edit Script...", ID_HHSCRIPT_EDIT)})}});
}

} // namespace

void DeclareScriptResources() {
    static bool declared = [] {
        pm::res::addStrings({{IDS_HH_CANTADDTYPELIB, "Can not add type library for object %s."},
                             {IDS_HH_UNTITLED, "Untitled"},
                             {IDS_HH_ERRORPOSITION, "Line %d, Column %d\n"},
                             {IDS_HH_SOURCELINE, "\nSource line: "},
                             {IDS_HH_DESCRIPTION, "\nDescription: "},
                             {IDS_HH_OBJNAME, "Name"},
                             {IDS_HH_OBJTEXT, "CLSID or ProgID"},
                             {IDS_HH_OBJBOTHNEEDED, "Both object name and CLSID must be entered."},
                             {IDS_HH_OBJCANTCREATE, "Can not create the object."},
                             {IDS_HH_SECTIONTAIL, "%sEnd of %s"},
                             {IDS_HH_GENERAL, CHHScriptProcedureList::kGeneral},
                             {IDS_HH_DECLARATIONS, CHHScriptProcedureList::kDeclarations},
                             {IDS_HH_SECTIONHEAD, "%s%s"},
                             {IDS_HHSV_TIP_CLOSE, "Close Script View"},
                             {IDS_HHSV_TIP_EVENT_VIEW, "Event View"},
                             {IDS_HHSV_TIP_OBJECT_VIEW, "Object View"},
                             {IDS_HHSV_TIP_MODULE_VIEW, "Full Module View"},
                             {IDS_HHSV_TIP_OBJECT, "Object"},
                             {IDS_HHSV_TIP_EVENT, "Event"},
                             {ID_HHSCRIPT_RUN, "Run script context\nRun Script"},
                             {ID_HHSCRIPT_PAUSE, "Pause running script context\nPause Script"},
                             {ID_HHSCRIPT_STOP, "Stop running script context\nStop Script"},
                             {ID_HHSCRIPT_BREAK, "Break debugger at next statement\nBreak Next"},
                             {ID_HHSCRIPT_DEBUGGER, "Open debugger now\nOpen Debugger"},
                             {ID_HHSCRIPT_OBJECTS, "Edit external object(s)\nEdit External"},
                             {ID_HHSCRIPT_EDIT, "Start script editor\nEdit Script"}});
        declareScriptMenu();
        DeclareScriptViewImages();
        declareErrorDialogs();
        declareObjectsDialog();
        declareScriptDialog();
        return true;
    }();
    (void)declared;
}

CString LoadScriptString(UINT nID) {
    DeclareScriptResources();
    const std::string* text = pm::res::findString(nID);
    return text ? CString(text->c_str()) : CString();
}
