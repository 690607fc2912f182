#pragma once
// CHHScriptErrorInfo: a script error as the engine reports it (line and column zero-based), and
// CHHEngineCallback, by which an engine reports to its owner.

#include "platform/framework/CString.h"
#include "platform/script/activscp.h"

struct CHHScriptErrorInfo {
    int m_nParsing = 0; // 1: reported while parsing (a syntax error)
    DWORD m_dwSourceContext = 0;
    ULONG m_nLine = 0;
    LONG m_nCharPos = 0;
    CString m_strSourceLine;
    CString m_strDescription;
    IActiveScriptError* m_pError = nullptr; // not owned

    // Fills the record from the engine's error object.
    void Fill(IActiveScriptError* pError, int nParsing);
};

// Callback types: 1 state changed (argument: the SCRIPTSTATE), 2 script error (argument: the
// CHHScriptErrorInfo; answer the button pressed, -1 for no action, 0 to let the engine show its
// dialog), 3 error ended by End (argument: the CHHScriptErrorInfo).
enum : int { HHCB_STATECHANGE = 1, HHCB_SCRIPTERROR = 2, HHCB_ERROREND = 3 };
typedef int (*CHHEngineCallback)(int nType, void* pUserData, void* pArgument);

// Buttons of the error dialogs.
#define IDC_HHERR_CONTINUE 28278
#define IDC_HHERR_END 28279
#define IDC_HHERR_DEBUG 28280
#define IDC_HHERR_TEXT 28276
#define IDD_HHRUNTIMEERROR 28248
#define IDD_HHSYNTAXERROR 28249
