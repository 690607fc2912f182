#pragma once
// CHHEngineRaw: the host side of an Active Scripting engine: creating the engine, the site that the
// engine calls back (IActiveScriptSite, IActiveScriptSiteWindow, IActiveScriptSiteDebug32), the
// script state it reported, the debug document of its text, and the text of an error. There is no
// script debugger on this system: without a debug application no debug document is made, and the
// debug side of the site answers as it does without one.

#include "platform/com/comptr.h"
#include "platform/framework/afxwin.h"
#include "platform/script/activdbg.h"
#include "scripting/CHHScriptErrorInfo.h"

#include <memory>

class CHHDebugApplication;

class CHHEngineRaw : public CCmdTarget {
    DECLARE_DYNAMIC(CHHEngineRaw)
public:
    CHHEngineRaw();
    ~CHHEngineRaw() override;

    // Creates the engine of a ProgID or of a CLSID text in braces.
    HRESULT Create(LPCTSTR lpszProgIDOrCLSID, CHHDebugApplication* pDebugApp, LPCTSTR lpszName,
                   LPCTSTR lpszLongName, BOOL bWantDebugDocument);
    // Closes any engine, then creates one: CoCreateInstance, InitNew, SetScriptSite. The first
    // failure is the result and leaves no engine.
    HRESULT CreateFromCLSID(REFCLSID clsid, CHHDebugApplication* pDebugApp, LPCTSTR lpszName,
                            LPCTSTR lpszLongName, BOOL bWantDebugDocument);
    // Closes and creates again with the same settings (a fresh engine instance).
    HRESULT Recreate();
    void Close();
    BOOL IsCreated() const { return m_pScript ? TRUE : FALSE; }
    // Store the name; a debug document shows it too.
    void SetName(LPCTSTR lpszName);
    const CString& GetName() const { return m_strName; }
    void SetLongName(LPCTSTR lpszName);
    int GetScriptState() const { return m_nScriptState; }

    // Forwarders to the engine; E_UNEXPECTED without one.
    HRESULT AddNamedItem(LPCTSTR lpszName, DWORD dwFlags);
    HRESULT AddTypeLib(REFGUID guid, DWORD dwMajor, DWORD dwMinor, DWORD dwFlags);
    HRESULT SetScriptState(SCRIPTSTATE state);
    // Parses with the parsing flag set while the engine works.
    HRESULT ParseScriptText(LPCTSTR lpszCode, LPCTSTR lpszItemName, DWORD dwSourceContext,
                            ULONG ulStartingLine, DWORD dwFlags);
    // The engine's colour class for each character of a text, through its debugging interface;
    // the query's failure when the engine has none.
    HRESULT GetScriptTextAttributes(LPCOLESTR pstrCode, ULONG uNumCodeChars, LPCOLESTR pstrDelimiter,
                                    DWORD dwFlags, SOURCE_TEXT_ATTR* pattr);

    // The site's operations, in the order the engine knows them.
    virtual CString FormatErrorText(const CHHScriptErrorInfo& info);
    virtual HRESULT GetLCID(LCID* plcid);
    virtual HRESULT GetItemInfo(LPCTSTR lpszName, DWORD dwReturnMask, IUnknown** ppUnk,
                                ITypeInfo** ppTypeInfo);
    virtual HRESULT GetDocVersionString(BSTR* pbstrVersion);
    virtual void OnScriptTerminate();
    virtual void OnStateChange(SCRIPTSTATE state);
    virtual HRESULT OnScriptError(IActiveScriptError* pError);
    virtual void OnEnterScript();
    virtual void OnLeaveScript();
    virtual HRESULT GetWindow(HWND* phwnd);
    virtual HRESULT EnableModeless(BOOL bEnable);
    // A debugging engine's error: the base lets the engine call OnScriptError (no debugger).
    virtual HRESULT OnScriptErrorDebug(IActiveScriptErrorDebug* pError, BOOL* pbEnterDebugger,
                                       BOOL* pbCallOnScriptErrorWhenContinuing);
    virtual HRESULT Create(CHHDebugApplication* pDebugApp, LPCTSTR lpszName, LPCTSTR lpszLongName,
                           BOOL bWantDebugDocument);

protected:
    CLSID m_clsid{};
    CString m_strName;
    CString m_strLongName;
    int m_nScriptState = 0;
    int m_bErrorAnswered = 0;
    int m_nParsing = 0;
    pm::ComPtr<IActiveScript> m_pScript;
    pm::ComPtr<IActiveScriptParse> m_pParse;
    CHHDebugApplication* m_pDebugApp = nullptr;
    pm::ComPtr<IDebugDocumentHelper> m_pDebugDocument;

private:
    // The debug side of the site: the debugger's view of a text position, the debug application
    // and its root node; E_UNEXPECTED without a debug document or application.
    HRESULT GetDocumentContextFromPosition(DWORD dwSourceContext, ULONG uCharacterOffset, ULONG uNumChars,
                                           IDebugDocumentContext** ppContext);
    HRESULT GetApplication(IDebugApplication** ppApplication);
    HRESULT GetRootApplicationNode(IDebugApplicationNode** ppNode);
    // Makes the text's debug document in the debug application; a failure is answered.
    HRESULT CreateDebugDocument();

    class XSite;
    friend class XSite;
    std::unique_ptr<XSite> m_xSite;
};
