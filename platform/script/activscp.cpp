// Interface and class ids of the scripting and script-debugging interfaces and of our engine.

#include "platform/script/activdbg.h"

#define PM_SCRIPT_IID(name, d1, d2, d3)                                                                      \
    const IID name = {d1, d2, d3, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}}
PM_SCRIPT_IID(IID_IActiveScript, 0xBB1A2AE1, 0xA4F9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptParse, 0xBB1A2AE2, 0xA4F9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptSite, 0xDB01A1E3, 0xA42B, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptSiteWindow, 0xD10F6761, 0x83E9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptError, 0xEAE1BA61, 0xA4ED, 0x11CF);
#undef PM_SCRIPT_IID
#define PM_DEBUG_IID(name, d1)                                                                               \
    const IID name = {d1, 0xCB0C, 0x11D0, {0xB5, 0xC9, 0x00, 0xA0, 0x24, 0x4A, 0x0E, 0x7A}}
PM_DEBUG_IID(IID_IActiveScriptDebug32, 0x51973C10);
PM_DEBUG_IID(IID_IActiveScriptSiteDebug32, 0x51973C11);
PM_DEBUG_IID(IID_IActiveScriptErrorDebug, 0x51973C12);
PM_DEBUG_IID(IID_IDebugCodeContext, 0x51973C13);
PM_DEBUG_IID(IID_IEnumDebugCodeContexts, 0x51973C1D);
PM_DEBUG_IID(IID_IDebugDocumentHelper32, 0x51973C26);
PM_DEBUG_IID(IID_IDebugDocumentContext, 0x51973C28);
PM_DEBUG_IID(IID_IProcessDebugManager32, 0x51973C2F);
PM_DEBUG_IID(IID_IDebugApplication32, 0x51973C32);
PM_DEBUG_IID(IID_IDebugApplicationNode, 0x51973C34);
#undef PM_DEBUG_IID

// Our own class id; files store the host's class name, never this id.
const CLSID CLSID_VBScript = {0x6A7C2F10, 0x3B4E, 0x4D51, {0x9C, 0x21, 0x5E, 0x8F, 0x0B, 0x1D, 0x2A, 0x37}};
