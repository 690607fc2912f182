#pragma once
// A script debugger for tests, since the system has none: a process debug manager registered under
// the system's class id whose application and debug documents write what they are told into a
// log, and a VBScript engine with a debugging side that colours each word "Sub" and logs the
// breakpoints set at text positions.

#include "platform/com/comptr.h"
#include "platform/script/activdbg.h"
#include "scripting/CHHVBScriptEngine.h"

#include <string>
#include <vector>

namespace scripttest {

// The colour class the debugging engine gives the characters of "Sub".
constexpr WORD kEngineMark = 0x2A;

// Everything the fake debugger and the debugging engine were told, in order, as short texts
// ("AddApplication", "Init Unnamed Module", "Breakpoint 2 at 12 of 77" ...).
std::vector<std::string>& DebugLog();

// Registers the debug manager for its lifetime (and empties the log).
class FakeDebugger {
public:
    FakeDebugger();
    ~FakeDebugger();
    FakeDebugger(const FakeDebugger&) = delete;
    FakeDebugger& operator=(const FakeDebugger&) = delete;
    // The context the debug documents give every script block.
    static constexpr DWORD kBlockContext = 77;
};

// Registers the debugging engine under "Test.DebuggingEngine"; idempotent.
void RegisterDebuggingEngine();

} // namespace scripttest

// The host of the debugging engine: the VBScript host with its formater and text parser.
class CDebuggingVBScriptEngine : public CHHVBScriptEngine {
    DECLARE_DYNCREATE(CDebuggingVBScriptEngine)
public:
    HRESULT Create(CHHDebugApplication* pDebugApp, LPCTSTR lpszName, LPCTSTR lpszLongName,
                   BOOL bWantDebugDocument) override;
    // The debugging side of the site this host gave an engine, as an engine asks for it; null
    // without an engine.
    static pm::ComPtr<IActiveScriptSiteDebug32> DebugSiteOf(CHHEngineRaw& host);
};
