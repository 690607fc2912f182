#include "editor/CHHVBScriptFormater.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNCREATE(CHHVBScriptFormater, CHHGenericFormater)

namespace {

const char kKeywords[] =
    "CALL CONST DIM DO LOOP ERASE EXIT FOR TO STEP NEXT EACH IN FUNCTION IF THEN ELSE ELSEIF ON ERROR "
    "RESUME OPTION EXPLICIT PRIVATE PUBLIC RANDOMIZE REDIM REM SELECT CASE SET SUB END WHILE WEND AS "
    "INTEGER LONG SINGLE DOUBLE STRING OBJECT VARIANT CVAR BYVAL";

const char kConstants[] =
    "EMPTY FALSE TRUE NOTHING NULL VBBLACK VBRED VBGREEN VBYELLOW VBBLUE VBMAGENTA VBCYAN VBWHITE "
    "VBBINARYCOMPARE VBTEXTCOMPARE VBDATABASECOMPARE VBGENERALDATE VBLONGDATE VBSHORTDATE VBLONGTIME "
    "VBSHORTTIME VBSUNDAY VBMONDAY VBTUESDAY VBWEDNESDAY VBTHURSDAY VBFRIDAY VBSATURDAY VBFIRSTJAN1 "
    "VBFIRSTFOURDAYS VBFIRSTFULLWEEK VBUSESYSTEM VBUSESYSTEMDAYOFWEEK VBOBJECTERROR VBOKONLY "
    "VBOKCANCEL VBABORTRETRYIGNORE VBYESNOCANCEL VBYESNO VBRETRYCANCEL VBCRITICAL VBQUESTION "
    "VBEXCLAMATION VBINFORMATION VBDEFAULTBUTTON1 VBDEFAULTBUTTON2 VBDEFAULTBUTTON3 VBDEFAULTBUTTON4 "
    "VBAPPLICATIONMODAL VBSYSTEMMODAL VBCR VBCRLF VBFORMFEED VBLF VBNEWLINE VBNULLCHAR VBNULLSTRING "
    "VBTAB VBVERTICALTAB VBEMPTY VBNULL VBINTEGER VBLONG VBSINGLE VBDOUBLE VBCURRENCY VBDATE VBSTRING "
    "VBOBJECT VBERROR VBBOOLEAN VBVARIANT VBDATAOBJECT VBDECIMAL VBBYTE VBARRAY";

const char kOperatorWords[] = "AND EQV IMP IS MOD NOT OR XOR";

struct BuiltinFunction {
    const char* name;
    const char* signature;
};

// The built-in functions and the signatures quick information shows, in list order.
const BuiltinFunction kFunctions[] = {
    {"Abs", "Function Abs(Number)"},
    {"Array", "Function Array(ArgList)"},
    {"Asc", "Function Asc(String As String) As Integer"},
    {"Atn", "Function Atn(Number As Double) As Double"},
    {"CBool", "Function CBool(Expression) As Boolean"},
    {"CByte", "Function CByte(Expression) As Byte"},
    {"CCur", "Function CCur(Expression) As Currency"},
    {"CDate", "Function CDate(Expression) As Date"},
    {"CDbl", "Function CDbl(Expression) As Double"},
    {"Chr", "Function Chr(CharCode As Long)"},
    {"CInt", "Function CInt(Expression) As Integer"},
    {"CLng", "Function CLng(Expression) As Long"},
    {"Cos", "Function Cos(Number As Double) As Double"},
    {"CreateObject", "Function CreateObject(Class As String)"},
    {"CSng", "Function CSng(Expression) As Single"},
    {"CStr", "Function CStr(Expression) As String"},
    {"Date", "Function Date() As Date"},
    {"DateAdd", "Function DateAdd(Interval As String, Number As Double, Date)"},
    {"DateDiff", "Function DateDiff(Interval As String, Date1, Date2, [FirstDayOfWeek As VbDayOfWeek = "
                 "vbSunday], [FirstWeekOfYear As VbFirstWeekOfYear = vbFirstJan1])"},
    {"DatePart", "Function DatePart(Interval As String, Date, [FirstDayOfWeek As VbDayOfWeek = vbSunday], "
                 "[FirstWeekOfYear As VbFirstWeekOfYear = vbFirstJan1])"},
    {"DateSerial", "Function DateSerial(Year As Integer, Month As Integer, Day As Integer)"},
    {"DateValue", "Function DateValue(Date As String)"},
    {"Day", "Function Day(Date)"},
    {"Eval", "Function Eval(Expression As String)"},
    {"Exp", "Function Exp(Number As Double) As Double"},
    {"Filter", "Function Filter(InputStrings As Array, Value As String [, Include As Boolean[, Compare As "
               "VbCompareMethod = vbBinaryCompare]]])"},
    {"Fix", "Function Int(Number)"},
    {"FormatCurrency", "Function FormatCurrency(Expression[,NumDigitsAfterDecimal [,IncludeLeadingDigit "
                       "[,UseParensForNegativeNumbers [,GroupDigits]]]]) "},
    {"FormatDateTime", "Function FormatDateTime(Date[, NamedFormat])"},
    {"FormatNumber", "Function FormatNumber(Expression [,NumDigitsAfterDecimal [,IncludeLeadingDigit "
                     "[,UseParensForNegativeNumbers [,GroupDigits]]]])"},
    {"FormatPercent", "Function FormatPercent(Expression[,NumDigitsAfterDecimal [,IncludeLeadingDigit "
                      "[,UseParensForNegativeNumbers [,GroupDigits]]]])"},
    {"GetObject", "Function GetObject([PathName], [Class])"},
    {"Hex", "Function Hex(Number)"},
    {"Hour", "Function Hour(Time)"},
    {"InputBox",
     "Function InputBox(Prompt, [Title], [Default], [XPos], [YPos], [HelpFile], [Context]) As String"},
    {"InStr",
     "Function InStr([Start], [String1], [String2], [Compare As VbCompareMethod = vbBinaryCompare])"},
    {"InStrRev",
     "Function InStrRev([Start], [String1], [String2], [Compare As VbCompareMethod = vbBinaryCompare])"},
    {"Int", "Function Int(Number)"},
    {"IsArray", "Function IsArray(VarName) As Boolean"},
    {"IsDate", "Function IsDate(Expression) As Boolean"},
    {"IsEmpty", "Function IsEmpty(Expression) As Boolean"},
    {"IsNull", "Function IsNull(Expression) As Boolean"},
    {"IsNumeric", "Function IsNumeric(Expression) As Boolean"},
    {"IsObject", "Function IsObject(Expression) As Boolean"},
    {"Join", "Function Join(List As Array[, Delimiter As String])"},
    {"LBound", "Function LBound(Arrayname[, Dimension As Number])"},
    {"LCase", "Function LCase(String)"},
    {"Left", "Function Left(String, Length As Long)"},
    {"Len", "Function Len(Expression)"},
    {"LoadPicture", "Function LoadPicture([filename], [widthDesired As Long], [heightDesired As Long], "
                    "[flags As LoadPictureConstants = Default]) As IPictureDisp"},
    {"Log", "Function Log(Number As Double) As Double"},
    {"LTrim", "Function LTrim(String)"},
    {"Mid", "Function Mid(String, Start As Long, [Length])"},
    {"Minute", "Function Minute(Time)"},
    {"Month", "Function Month(Date)"},
    {"MonthName", "Function MonthName(Month As Number[, Abbreviate As Boolean])"},
    {"MsgBox", "Function MsgBox(Prompt, [Buttons As VbMsgBoxStyle = vbOKOnly], [Title], [HelpFile], "
               "[Context]) As VbMsgBoxResult"},
    {"Now", "Function Now()"},
    {"Oct", "Function Oct(Number)"},
    {"Replace", "Function Replace(Expression As String, Find As String, ReplaceWith As String [, Start As "
                "Number[, Count As Number[, Compare As VbCompareMethod = vbBinaryCompare]]])"},
    {"Right", "Function Right(String, Length As Long)"},
    {"Rnd", "Function Rnd([Number]) As Single"},
    {"RGB", "Function RGB(red, green, blue)"},
    {"Round", "Function Round(Expression[, NumDecimalPlaces])"},
    {"RTrim", "Function RTrim(String)"},
    {"ScriptEngine", "Function ScriptEngine() As String"},
    {"ScriptEngineBuildVersion", "Function ScriptEngineBuildVersion As Number"},
    {"ScriptEngineMajorVersion", "Function ScriptEngineMajorVersion Function As Number"},
    {"ScriptEngineMinorVersion", "Function ScriptEngineMinorVersion Function As Number"},
    {"Second", "Function Second(Time)"},
    {"Sgn", "Function Sgn(Number)"},
    {"Sin", "Function Sin(Number As Double) As Double"},
    {"Space", "Function Space(Number As Long)"},
    {"Split", "Split(Expression[, Delimiter As String [, Count As Number[, Compare As Number]]])"},
    {"Sqr", "Function Sqr(Number As Double) As Double"},
    {"StrComp", "Function StrComp(String1, String2, [Compare As VbCompareMethod = vbBinaryCompare])"},
    {"String", "Function String(Number As Long, Character)"},
    {"StrReverse", "Function StrReverse(String)"},
    {"Tan", "Function Tan(Number As Double) As Double"},
    {"Time", "Function Time() As Date"},
    {"TimeSerial", "Function TimeSerial(Hour As Integer, Minute As Integer, Second As Integer)"},
    {"TimeValue", "Function TimeValue(Time As String)"},
    {"Trim", "Function Trim(String)"},
    {"TypeName", "Function TypeName(VarName) As String"},
    {"UBound", "Function UBound(Arrayname[, Dimension As Number])"},
    {"UCase", "Function UCase(String)"},
    {"VarType", "Function VarType(VarName) As VbVarType"},
    {"Weekday", "Function WeekDay(Date, [FirstDayOfWeek As VbDayOfWeek = vbSunday])"},
    {"WeekdayName",
     "Function WeekdayName(Weekday As Number, Abbreviate As Boolean, FirstDayOfWeek As Number)"},
    {"Year", "Function Year(Date)"},
};

constexpr VARTYPE kTypeVariant = 12;

std::string upper(const char* s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

} // namespace

CHHVBScriptFormater::CHHVBScriptFormater() {
    SetCaseSensitive(FALSE);
    SetLineComment("'");
    SetLineComment2("REM");
    SetQuoteChars("\"");
    SetEscapeChar('\\');
    SetOperatorChars("+-*/&^\\<>=");
    SetNumberStartChars("&");
    SetProcedureTemplate("Sub %s(%s)");
    SetFunctionTemplate("Function %s(%s) %s");
    SetEventHandlerTemplate("Sub %s_%s(%s)");
    SetEventFunctionTemplate("Function %s_%s(%s)");
    SetProcedureEndTemplate("End Sub");
    SetFunctionEndTemplate("End Function");
    AddKeywords(kKeywords, HHTOKEN_KEYWORD);
    AddKeywords(kConstants, HHTOKEN_CONSTANT);
    AddKeywords(kOperatorWords, HHTOKEN_OPERATOR);
    for (const BuiltinFunction& f : kFunctions) {
        AddKeyword(upper(f.name).c_str(), HHTOKEN_FUNCTION);
        AddFunction(f.name, f.signature);
    }
}

// Keywords, operator words and constants take a capital first letter; a constant written with
// a lower-case "vb" prefix keeps it and capitalises the letter after it (vbred -> vbRed).
BOOL CHHVBScriptFormater::AdjustWordCase(LPTSTR word, WORD cls) {
    if (!word || !(cls & (HHTOKEN_KEYWORD | HHTOKEN_OPERATOR | HHTOKEN_CONSTANT))) return FALSE;
    const std::size_t length = std::strlen(word);
    std::size_t raised = 0;
    if ((cls & HHTOKEN_CONSTANT) && length > 2 && word[0] == 'v' && word[1] == 'b') raised = 2;
    BOOL changed = FALSE;
    for (std::size_t i = 0; i < length; ++i) {
        char c = word[i];
        if (i == raised && isLower(c))
            c = static_cast<char>(c - 32);
        else if (i != raised && isUpper(c))
            c = static_cast<char>(c + 32);
        if (c != word[i]) {
            word[i] = c;
            changed = TRUE;
        }
    }
    return changed;
}

CString CHHVBScriptFormater::FormatParameter(LPCTSTR name, VARTYPE type, BOOL byVal, BOOL optional,
                                             BOOL withType) {
    CString text;
    if (byVal) text += "ByVal ";
    if (optional && type == kTypeVariant) text += "Optional ";
    text += name ? name : "";
    if (withType) text += " As " + GetTypeName(type);
    return text;
}

CString CHHVBScriptFormater::GetTypeName(VARTYPE type) {
    switch (type) {
    case 2:
    case 18:
    case 22:
    case 23:
        return "Integer";
    case 3:
    case 19:
        return "Long";
    case 4:
        return "Single";
    case 5:
        return "Double";
    case 8:
    case 30:
        return "String";
    case 9:
    case 13:
    case 29:
        return "Object";
    case 11:
    case 16:
    case 17:
        return "Boolean";
    case 12:
        return "Variant";
    default:
        return "Unknown";
    }
}

// "&H" hexadecimal numbers with an optional closing '&'; a '&' that opens none is an operator.
WORD CHHVBScriptFormater::ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) {
    if (text[pos] != '&') return CHHGenericFormater::ScanNumber(text, count, tokenStart, pos);
    tokenStart = pos++;
    if (pos >= count || (text[pos] | 0x20) != 'h') return HHTOKEN_OPERATOR;
    for (++pos; pos < count && isHexDigit(text[pos]);)
        ++pos;
    if (pos < count && text[pos] == '&') ++pos;
    return HHTOKEN_NUMBER;
}
