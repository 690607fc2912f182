#pragma once
// The Active Scripting interfaces between a host and a script engine.

#include "platform/com/com.h"
#include "platform/win/handles.h"

enum SCRIPTSTATE {
    SCRIPTSTATE_UNINITIALIZED = 0,
    SCRIPTSTATE_STARTED = 1,
    SCRIPTSTATE_CONNECTED = 2,
    SCRIPTSTATE_DISCONNECTED = 3,
    SCRIPTSTATE_CLOSED = 4,
    SCRIPTSTATE_INITIALIZED = 5
};

enum SCRIPTTHREADSTATE { SCRIPTTHREADSTATE_NOTINSCRIPT = 0, SCRIPTTHREADSTATE_RUNNING = 1 };
typedef DWORD SCRIPTTHREADID;
#define SCRIPTTHREADID_CURRENT ((SCRIPTTHREADID)-1)
#define SCRIPTTHREADID_BASE ((SCRIPTTHREADID)-2)
#define SCRIPTTHREADID_ALL ((SCRIPTTHREADID)-3)

#define SCRIPTITEM_ISVISIBLE 0x00000002
#define SCRIPTITEM_ISSOURCE 0x00000004
#define SCRIPTITEM_GLOBALMEMBERS 0x00000008
#define SCRIPTITEM_ISPERSISTENT 0x00000040
#define SCRIPTITEM_CODEONLY 0x00000200
#define SCRIPTITEM_NOCODE 0x00000400

#define SCRIPTINFO_IUNKNOWN 0x00000001
#define SCRIPTINFO_ITYPEINFO 0x00000002

#define SCRIPTTEXT_DELAYEXECUTION 0x00000001
#define SCRIPTTEXT_ISVISIBLE 0x00000002
#define SCRIPTTEXT_ISEXPRESSION 0x00000020
#define SCRIPTTEXT_ISPERSISTENT 0x00000040
#define SCRIPTTEXT_HOSTMANAGESSOURCE 0x00000080

#define SCRIPTTYPELIB_ISCONTROL 0x00000010
#define SCRIPTTYPELIB_ISPERSISTENT 0x00000040

#define SCRIPTINTERRUPT_DEBUG 0x00000001
#define SCRIPTINTERRUPT_RAISEEXCEPTION 0x00000002

#define SCRIPT_E_REPORTED ((HRESULT)0x80020101L)

extern const IID IID_IActiveScript;
extern const IID IID_IActiveScriptParse;
extern const IID IID_IActiveScriptSite;
extern const IID IID_IActiveScriptSiteWindow;
extern const IID IID_IActiveScriptError;
extern const CLSID CLSID_VBScript;

class IActiveScriptError : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetExceptionInfo(EXCEPINFO* pexcepinfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSourcePosition(DWORD* pdwSourceContext, ULONG* pulLineNumber,
                                                        LONG* plCharacterPosition) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSourceLineText(BSTR* pbstrSourceLine) = 0;

protected:
    ~IActiveScriptError() = default;
};

class IActiveScriptSite : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetLCID(LCID* plcid) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask,
                                                  IUnknown** ppiunkItem, ITypeInfo** ppti) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR* pbstrVersion) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT* pvarResult,
                                                        const EXCEPINFO* pexcepinfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE ssScriptState) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* pscripterror) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnEnterScript() = 0;
    virtual HRESULT STDMETHODCALLTYPE OnLeaveScript() = 0;

protected:
    ~IActiveScriptSite() = default;
};

class IActiveScriptSiteWindow : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) = 0;

protected:
    ~IActiveScriptSiteWindow() = default;
};

class IActiveScript : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetScriptSite(IActiveScriptSite* pass) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptSite(REFIID riid, void** ppvObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetScriptState(SCRIPTSTATE ss) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptState(SCRIPTSTATE* pssState) = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddTypeLib(REFGUID rguidTypeLib, DWORD dwMajor, DWORD dwMinor,
                                                 DWORD dwFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentScriptThreadID(SCRIPTTHREADID* pstidThread) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptThreadID(DWORD dwWin32ThreadId,
                                                        SCRIPTTHREADID* pstidThread) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptThreadState(SCRIPTTHREADID stidThread,
                                                           SCRIPTTHREADSTATE* pstsState) = 0;
    virtual HRESULT STDMETHODCALLTYPE InterruptScriptThread(SCRIPTTHREADID stidThread,
                                                            const EXCEPINFO* pexcepinfo, DWORD dwFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IActiveScript** ppscript) = 0;

protected:
    ~IActiveScript() = default;
};

class IActiveScriptParse : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE InitNew() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddScriptlet(LPCOLESTR pstrDefaultName, LPCOLESTR pstrCode,
                                                   LPCOLESTR pstrItemName, LPCOLESTR pstrSubItemName,
                                                   LPCOLESTR pstrEventName, LPCOLESTR pstrDelimiter,
                                                   DWORD_PTR dwSourceContextCookie,
                                                   ULONG ulStartingLineNumber, DWORD dwFlags, BSTR* pbstrName,
                                                   EXCEPINFO* pexcepinfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR pstrItemName,
                                                      IUnknown* punkContext, LPCOLESTR pstrDelimiter,
                                                      DWORD_PTR dwSourceContextCookie,
                                                      ULONG ulStartingLineNumber, DWORD dwFlags,
                                                      VARIANT* pvarResult, EXCEPINFO* pexcepinfo) = 0;

protected:
    ~IActiveScriptParse() = default;
};
