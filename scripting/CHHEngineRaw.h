#pragma once
// CHHEngineRaw: the host side of an Active Scripting engine: creating the engine, the site that the
// engine calls back (IActiveScriptSite, IActiveScriptSiteWindow), the script state it reported,
// and the text of an error. There is no script debugger on this system, so no debug document is
// ever made.

#include "platform/com/comptr.h"
#include "platform/framework/afxwin.h"
#include "platform/script/activscp.h"
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
    void SetName(LPCTSTR lpszName) { m_strName = lpszName; }
    const CString& GetName() const { return m_strName; }
    void SetLongName(LPCTSTR lpszName) { m_strLongName = lpszName; }
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

private:
    class XSite;
    friend class XSite;
    std::unique_ptr<XSite> m_xSite;
};
