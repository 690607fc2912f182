#include "editor/CHHJScriptFormater.h"

IMPLEMENT_DYNCREATE(CHHJScriptFormater, CHHGenericFormater)

namespace {

const char kKeywords[] =
    "break false in this void continue for new true while delete function null typeof with else if "
    "return var case debugger export super catch default extends switch class do finally throw const "
    "enum import try @cc_on @if @elif @else @end @set";
const char kOperatorWords[] = "delete typeof void";

} // namespace

CHHJScriptFormater::CHHJScriptFormater() {
    SetCaseSensitive(TRUE);
    SetLineComment("//");
    SetBlockComment("/*", "*/");
    SetQuoteChars("\"");
    SetEscapeChar('\\');
    SetEscapesPair(TRUE);
    SetOperatorChars("+-*/^%&|!~?:<>=,");
    SetWordChars("@");
    SetProcedureTemplate("function %s(%s)");
    SetFunctionTemplate("function %s(%s) %s");
    SetEventHandlerTemplate("function %s::%s(%s) {");
    SetEventFunctionTemplate("function %s::%s(%s) {");
    SetProcedureEndTemplate("}");
    SetFunctionEndTemplate("}");
    AddKeywords(kKeywords, HHTOKEN_KEYWORD);
    AddKeywords(kOperatorWords, HHTOKEN_OPERATOR);
}

WORD CHHJScriptFormater::ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) {
    if (ScanHexLiteral(text, count, tokenStart, pos)) return HHTOKEN_NUMBER;
    return CHHGenericFormater::ScanNumber(text, count, tokenStart, pos);
}
