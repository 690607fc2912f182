#pragma once
// CHHEngine: an engine host with named items, type-library declarations in the script text,
// parsing, the states a macro goes through, the error road with its dialogs, and a callback to
// its owner.

#include "scripting/CHHEngineRaw.h"
#include "scripting/CHHNamedItem.h"

#include <map>
#include <vector>

class CHHFormater;
class CHHTextParser;

class CHHEngine : public CHHEngineRaw {
    DECLARE_DYNCREATE(CHHEngine)
public:
    ~CHHEngine() override;

    void SetFormater(CHHFormater* pFormater);
    CHHFormater* GetFormater() const { return m_pFormater; }
    void SetTextParser(CHHTextParser* pParser) { m_pTextParser = pParser; }
    CHHTextParser* GetTextParser() const { return m_pTextParser; }
    BOOL IsCaseSensitive() const { return m_bCaseSensitive; }
    void SetCallback(CHHEngineCallback pfn, void* pUserData) {
        m_pfnCallback = pfn;
        m_pCallbackData = pUserData;
    }

    // Stores a copy of the record under its (folded) name, replacing an earlier one; with bAddNow
    // the engine learns it at once.
    void AddNamedItem(const CHHNamedItem& item, BOOL bAddNow);
    // Adds a program object under a name; FALSE when it has no interface.
    BOOL AddNamedObject(LPCTSTR lpszName, CCmdTarget* pObject, DWORD dwFlags, BOOL bAddNow,
                        BOOL bOwnReference);
    void AddAllNamedItems();
    void RemoveAllNamedItems() { m_namedItems.clear(); }
    void GetNamedItems(std::vector<CHHNamedItem>& items) const;

    // Parses the text (compiling only); the engine's line numbers start at 0.
    HRESULT ParseScript(LPCTSTR lpszText, LPCTSTR lpszItemName, DWORD* pdwContext, BOOL bAddNamedItemsFirst);
    // Sets (or deletes) a breakpoint at every code place of each character position of the text
    // parsed with the context. Nothing happens with an engine that cannot debug; another failure
    // of asking it is answered.
    HRESULT SetBreakpoints(const DWORD* pPositions, int nCount, BOOL bSet, DWORD dwContext);
    HRESULT SetBreakpoint(DWORD dwPosition, BOOL bSet, DWORD dwContext);
    // Turns byte positions of a text into the positions of the characters the engine reads.
    static void ToCharacterPositions(LPCTSTR lpszText, CDWordArray& positions);
    // TRUE when the engine gave a colour class to each of the length characters.
    BOOL GetTextAttributes(const char16_t* text, int length, WORD* attributes);
    HRESULT Run(BOOL bAddNamedItemsFirst);
    HRESULT Pause();
    HRESULT Resume();
    HRESULT Stop();

    // Adds the type library of the first declaration (prefix followed by a ProgID, a CLSID or a
    // library GUID with an optional ":major.minor") that the engine accepts; every failing one
    // before it is reported.
    void DeclareTypeLibs(LPCTSTR lpszText, LPCTSTR lpszPrefix);
    // The type library registered for a class (ProgID or CLSID text); FALSE when none.
    BOOL FindTypeLibOfObject(LPCTSTR lpszObject, GUID& libid, DWORD& dwMajor, DWORD& dwMinor);

    HRESULT GetItemInfo(LPCTSTR lpszName, DWORD dwReturnMask, IUnknown** ppUnk,
                        ITypeInfo** ppTypeInfo) override;
    void OnStateChange(SCRIPTSTATE state) override;
    HRESULT OnScriptError(IActiveScriptError* pError) override;
    void OnLeaveScript() override;
    HRESULT OnScriptErrorDebug(IActiveScriptErrorDebug* pError, BOOL* pbEnterDebugger,
                               BOOL* pbCallOnScriptErrorWhenContinuing) override;

    // The modal error dialog: "Syntax Error" (End only) for a parse error, else "Run-Time Error"
    // (Continue, End, Debug). Answers the button that closed it.
    virtual int ShowErrorDialog(const CHHScriptErrorInfo& info, BOOL bDisableDebug, CWnd* pParent);
    virtual void OnErrorDialogResult(int nButton, const CHHScriptErrorInfo& info);

protected:
    CString FoldName(LPCTSTR lpszName) const;
    // The start of the error road: the error's record, the pause, and the answer of the callback
    // or of the error dialog.
    int AnswerError(IActiveScriptError* pError, CHHScriptErrorInfo& info, bool& bPausedHere);
    // Connects again a script the error road paused and that is still paused.
    void ResumeAfterError(bool bPausedHere);

    CHHFormater* m_pFormater = nullptr;
    CHHTextParser* m_pTextParser = nullptr;
    BOOL m_bCaseSensitive = FALSE;
    std::map<CString, CHHNamedItem> m_namedItems;
    CHHEngineCallback m_pfnCallback = nullptr;
    void* m_pCallbackData = nullptr;
    int m_bStopOnLeave = 0;
};
