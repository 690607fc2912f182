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

    // The modal error dialog: "Syntax Error" (End only) for a parse error, else "Run-Time Error"
    // (Continue, End, Debug). Answers the button that closed it.
    virtual int ShowErrorDialog(const CHHScriptErrorInfo& info, BOOL bDisableDebug, CWnd* pParent);
    virtual void OnErrorDialogResult(int nButton, const CHHScriptErrorInfo& info);

protected:
    CString FoldName(LPCTSTR lpszName) const;

    CHHFormater* m_pFormater = nullptr;
    CHHTextParser* m_pTextParser = nullptr;
    BOOL m_bCaseSensitive = FALSE;
    std::map<CString, CHHNamedItem> m_namedItems;
    CHHEngineCallback m_pfnCallback = nullptr;
    void* m_pCallbackData = nullptr;
    int m_bStopOnLeave = 0;
};
