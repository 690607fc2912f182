#include "scripting/CHHVBScriptEngine.h"

#include "editor/CHHVBScriptFormater.h"
#include "platform/script/vbscript.h"
#include "scripting/CHHVBScriptTextParser.h"

IMPLEMENT_SERIAL(CHHVBScriptEngine, CHHEngine, 1)

CHHVBScriptEngine::CHHVBScriptEngine() : m_formater(CreateFormater()), m_textParser(CreateTextParser()) {
    SetFormater(m_formater.get());
    SetTextParser(m_textParser.get());
}

CHHVBScriptEngine::~CHHVBScriptEngine() {
    Close();
}

HRESULT CHHVBScriptEngine::Create(CHHDebugApplication* pDebugApp, LPCTSTR lpszName, LPCTSTR lpszLongName,
                                  BOOL bWantDebugDocument) {
    pm::registerVBScriptEngine();
    return CHHEngineRaw::Create("VBScript", pDebugApp, lpszName, lpszLongName, bWantDebugDocument);
}

CHHFormater* CHHVBScriptEngine::CreateFormater() {
    return new CHHVBScriptFormater;
}

CHHTextParser* CHHVBScriptEngine::CreateTextParser() {
    return new CHHVBScriptTextParser;
}
