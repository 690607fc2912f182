#include "scripting/CHHScriptApp.h"

#include "scripting/CHHModule.h"

IMPLEMENT_DYNAMIC(CHHScriptApp, CWinApp)

BEGIN_MESSAGE_MAP(CHHScriptApp, CWinApp)
    ON_COMMAND(ID_HHSCRIPT_BREAK, OnBreakNext)
    ON_COMMAND(ID_HHSCRIPT_DEBUGGER, OnOpenDebugger)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_BREAK, OnUpdateDebugger)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_DEBUGGER, OnUpdateDebugger)
END_MESSAGE_MAP()
