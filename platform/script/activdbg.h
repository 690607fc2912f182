#pragma once
// The script-debugging interfaces between a host, its engines and the system's process debug
// manager. This system has no script debugger: no class offers the debug manager, and the VBScript
// engine here offers no debugging interface, so hosts take their no-debugger paths.

#include "platform/script/activscp.h"

// Colour classes an engine may give each character of a text.
typedef WORD SOURCE_TEXT_ATTR;

enum BREAKPOINT_STATE { BREAKPOINT_DELETED = 0, BREAKPOINT_DISABLED = 1, BREAKPOINT_ENABLED = 2 };

extern const IID IID_IActiveScriptDebug32;
extern const IID IID_IActiveScriptSiteDebug32;
extern const IID IID_IActiveScriptErrorDebug;
extern const IID IID_IDebugCodeContext;
extern const IID IID_IEnumDebugCodeContexts;
extern const IID IID_IDebugDocumentContext;
extern const IID IID_IDebugDocumentHelper32;
extern const IID IID_IDebugApplicationNode;
extern const IID IID_IDebugApplication32;
extern const IID IID_IProcessDebugManager32;

// A place in a document that a debugger shows.
class IDebugDocumentContext : public IUnknown {
protected:
    ~IDebugDocumentContext() = default;
};

// A node of a debug application's tree of documents.
class IDebugApplicationNode : public IUnknown {
protected:
    ~IDebugApplicationNode() = default;
};

// A place in compiled code, where a breakpoint can be set.
class IDebugCodeContext : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetBreakPoint(BREAKPOINT_STATE bps) = 0;

protected:
    ~IDebugCodeContext() = default;
};

class IEnumDebugCodeContexts : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, IDebugCodeContext** pscc, ULONG* pceltFetched) = 0;

protected:
    ~IEnumDebugCodeContexts() = default;
};

// An engine's debugging side: the colour classes of a text and the code at a text position.
class IActiveScriptDebug32 : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetScriptTextAttributes(LPCOLESTR pstrCode, ULONG uNumCodeChars,
                                                              LPCOLESTR pstrDelimiter, DWORD dwFlags,
                                                              SOURCE_TEXT_ATTR* pattr) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptletTextAttributes(LPCOLESTR pstrCode, ULONG uNumCodeChars,
                                                                 LPCOLESTR pstrDelimiter, DWORD dwFlags,
                                                                 SOURCE_TEXT_ATTR* pattr) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumCodeContextsOfPosition(DWORD_PTR dwSourceContext,
                                                                 ULONG uCharacterOffset, ULONG uNumChars,
                                                                 IEnumDebugCodeContexts** ppescc) = 0;

protected:
    ~IActiveScriptDebug32() = default;
};

// A script error as a debugging engine reports it.
class IActiveScriptErrorDebug : public IActiveScriptError {
protected:
    ~IActiveScriptErrorDebug() = default;
};

class IDebugApplication : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetName(LPCOLESTR pstrName) = 0;
    virtual HRESULT STDMETHODCALLTYPE CauseBreak() = 0;
    virtual HRESULT STDMETHODCALLTYPE StartDebugSession() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootNode(IDebugApplicationNode** ppdanRoot) = 0;

protected:
    ~IDebugApplication() = default;
};

// The debugger's view of a host's script text.
class IDebugDocumentHelper : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE Init(IDebugApplication* pda, LPCOLESTR pszShortName,
                                           LPCOLESTR pszLongName, DWORD docAttr) = 0;
    virtual HRESULT STDMETHODCALLTYPE Attach(IDebugDocumentHelper* pddhParent) = 0;
    virtual HRESULT STDMETHODCALLTYPE Detach() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddUnicodeText(LPCOLESTR pszText) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetShortName(LPCOLESTR pszShortName) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLongName(LPCOLESTR pszLongName) = 0;
    virtual HRESULT STDMETHODCALLTYPE DefineScriptBlock(ULONG ulCharOffset, ULONG cChars, IActiveScript* pas,
                                                        BOOL fScriptlet, DWORD_PTR* pdwSourceContext) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScriptBlockInfo(DWORD_PTR dwSourceContext, IActiveScript** ppasd,
                                                         ULONG* piCharPos, ULONG* pcChars) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateDebugDocumentContext(ULONG iCharPos, ULONG cChars,
                                                                 IDebugDocumentContext** ppddc) = 0;

protected:
    ~IDebugDocumentHelper() = default;
};

class IProcessDebugManager : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE CreateApplication(IDebugApplication** ppda) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddApplication(IDebugApplication* pda, DWORD* pdwAppCookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveApplication(DWORD dwAppCookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateDebugDocumentHelper(IUnknown* punkOuter,
                                                                IDebugDocumentHelper** pddh) = 0;

protected:
    ~IProcessDebugManager() = default;
};

// What a debugging engine asks its host.
class IActiveScriptSiteDebug32 : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetDocumentContextFromPosition(DWORD dwSourceContext,
                                                                     ULONG uCharacterOffset, ULONG uNumChars,
                                                                     IDebugDocumentContext** ppsc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetApplication(IDebugApplication** ppda) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootApplicationNode(IDebugApplicationNode** ppdanRoot) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnScriptErrorDebug(IActiveScriptErrorDebug* pErrorDebug,
                                                         BOOL* pfEnterDebugger,
                                                         BOOL* pfCallOnScriptErrorWhenContinuing) = 0;

protected:
    ~IActiveScriptSiteDebug32() = default;
};
