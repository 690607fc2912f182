#pragma once
// CHHVBScriptEngine: the VBScript engine (ProgID "VBScript") with its language formater and text
// parser.

#include "scripting/CHHEngine.h"

#include <memory>

class CHHVBScriptEngine : public CHHEngine {
    DECLARE_SERIAL(CHHVBScriptEngine)
public:
    CHHVBScriptEngine();
    ~CHHVBScriptEngine() override;

    HRESULT Create(CHHDebugApplication* pDebugApp, LPCTSTR lpszName, LPCTSTR lpszLongName,
                   BOOL bWantDebugDocument) override;
    virtual CHHFormater* CreateFormater();
    virtual CHHTextParser* CreateTextParser();

private:
    std::unique_ptr<CHHFormater> m_formater;
    std::unique_ptr<CHHTextParser> m_textParser;
};
