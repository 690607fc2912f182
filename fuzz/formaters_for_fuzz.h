#pragma once
// The formaters the fuzz targets drive, chosen by a byte: JavaScript, VBScript, C, and a generic
// formater whose markers, quotes and escape differ from every language's.
#include "editor/CCFormater.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"

#include <cstdint>
#include <memory>

inline std::unique_ptr<CHHGenericFormater> formaterFor(std::uint8_t selector) {
    switch (selector % 4) {
    case 0:
        return std::make_unique<CHHJScriptFormater>();
    case 1:
        return std::make_unique<CHHVBScriptFormater>();
    case 2:
        return std::make_unique<CCFormater>();
    default: {
        auto generic = std::make_unique<CHHGenericFormater>();
        generic->SetLineComment("REM");
        generic->SetBlockComment("{", "}}");
        generic->SetQuoteChars("'\"");
        generic->SetEscapeChar('\'');
        generic->SetOperatorChars("+-");
        generic->SetWordChars("$");
        generic->SetNumberStartChars("&#");
        generic->AddKeyword("IF", HHTOKEN_KEYWORD);
        return generic;
    }
    }
}
