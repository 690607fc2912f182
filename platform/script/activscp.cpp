// Interface and class ids of the scripting interfaces and of our engine.

#include "platform/script/activscp.h"

#define PM_SCRIPT_IID(name, d1, d2, d3)                                                                      \
    const IID name = {d1, d2, d3, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}}
PM_SCRIPT_IID(IID_IActiveScript, 0xBB1A2AE1, 0xA4F9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptParse, 0xBB1A2AE2, 0xA4F9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptSite, 0xDB01A1E3, 0xA42B, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptSiteWindow, 0xD10F6761, 0x83E9, 0x11CF);
PM_SCRIPT_IID(IID_IActiveScriptError, 0xEAE1BA61, 0xA4ED, 0x11CF);
#undef PM_SCRIPT_IID
const IID IID_IActiveScriptDebug32 = {
    0x51973C10, 0xCB0C, 0x11D0, {0xB5, 0xC9, 0x00, 0xA0, 0x24, 0x4A, 0x0E, 0x7A}};

// Our own class id; files store the host's class name, never this id.
const CLSID CLSID_VBScript = {0x6A7C2F10, 0x3B4E, 0x4D51, {0x9C, 0x21, 0x5E, 0x8F, 0x0B, 0x1D, 0x2A, 0x37}};
