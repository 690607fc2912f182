// The language, checked through the Test object's log: each row is a program and the values it
// logs, joined with '|'.

#include "support/script_cases.h"

#include <gtest/gtest.h>

namespace {

using Case = pm::test::ScriptCase;
using pm::test::joined;
using pm::test::runTable;

const Case kStatements[] = {
    {"assignment and Log", "x = 1 + 2\nTest.Log x", "3"},
    {"Dim list and colon separators", "Dim a, b : a = 1 : b = 2 : Test.Log a + b", "3"},
    {"line continuation", "x = 1 + _\n  2\nTest.Log x", "3"},
    {"comments", "' note\nx = 5 ' trailing\nRem also\nTest.Log x", "5"},
    {"if block",
     "x = 5\nIf x > 3 Then\n Test.Log \"big\"\nElseIf x > 1 Then\n Test.Log \"mid\"\nElse\n Test.Log "
     "\"small\"\nEnd If",
     "big"},
    {"elseif branch",
     "x = 2\nIf x > 3 Then\nTest.Log 1\nElseIf x > 1 Then\nTest.Log 2\nElse\nTest.Log 3\nEnd If", "2"},
    {"single-line if with else", "x = 0\nIf x Then Test.Log \"yes\" Else Test.Log \"no\" : Test.Log \"more\"",
     "no|more"},
    {"single-line if without else", "If True Then Test.Log 1 : Test.Log 2\nTest.Log 3", "1|2|3"},
    {"select case",
     "For Each v In Array(1, \"b\", 7)\nSelect Case v\nCase 1, 2\nTest.Log \"one\"\nCase \"b\"\nTest.Log "
     "\"bee\"\nCase Else\nTest.Log \"other\"\nEnd Select\nNext",
     "one|bee|other"},
    {"for with step", "For i = 10 To 1 Step -3\nTest.Log i\nNext", "10|7|4|1"},
    {"for leaves counter past end", "For i = 1 To 3\nNext\nTest.Log i", "4"},
    {"for with fraction step", "For x = 0 To 1 Step 0.5\nTest.Log x\nNext", "0|0.5|1"},
    {"for each over array", "a = Array(\"x\", \"y\")\nFor Each s In a\nTest.Log s\nNext", "x|y"},
    {"do while", "i = 0\nDo While i < 3\ni = i + 1\nLoop\nTest.Log i", "3"},
    {"do until post", "i = 0\nDo\ni = i + 2\nLoop Until i >= 5\nTest.Log i", "6"},
    {"do loop while post", "i = 10\nDo\ni = i + 1\nLoop While i < 5\nTest.Log i", "11"},
    {"while wend", "i = 0\nWhile i < 4\ni = i + 1\nWend\nTest.Log i", "4"},
    {"exit for", "For i = 1 To 10\nIf i = 3 Then Exit For\nNext\nTest.Log i", "3"},
    {"exit do", "Do\ni = i + 1\nIf i = 5 Then Exit Do\nLoop\nTest.Log i", "5"},
    {"exit for inside do inside for", "For i = 1 To 3\nDo\nExit For\nLoop\nNext\nTest.Log i", "1"},
    {"exit sub", "Sub S\nTest.Log 1\nExit Sub\nTest.Log 2\nEnd Sub\nS", "1"},
    {"exit function keeps value", "Function F\nF = 7\nExit Function\nF = 8\nEnd Function\nTest.Log F()", "7"},
    {"const", "Const A = 4, B = \"x\"\nTest.Log A & B", "4x"},
    {"randomize and rnd", "Randomize 1\nx = Rnd\nTest.Log (x >= 0 And x < 1)", "True"},
    {"call statement", "Sub S(a, b)\nTest.Log a & b\nEnd Sub\nCall S(1, 2)\nS 3, 4", "12|34"},
    {"set and nothing", "Set o = Test\nTest.Log IsObject(o)\nSet o = Nothing\nTest.Log o Is Nothing",
     "True|True"},
    {"option explicit with dims", "Option Explicit\nDim x\nx = 2\nTest.Log x", "2"},
    {"private and public", "Private p\nPublic q\np = 1 : q = 2\nPrivate Sub S\nTest.Log p + q\nEnd Sub\nS",
     "3"},
};

const Case kProcedures[] = {
    {"function result", "Function Sq(x)\nSq = x * x\nEnd Function\nTest.Log Sq(7)", "49"},
    {"recursion",
     "Function Fact(n)\nIf n <= 1 Then\nFact = 1\nElse\nFact = n * Fact(n - 1)\nEnd If\nEnd "
     "Function\nTest.Log Fact(10)",
     "3628800"},
    {"nested calls",
     "Function A(x)\nA = B(x) + 1\nEnd Function\nFunction B(x)\nB = x * 2\nEnd Function\nTest.Log A(A(1))",
     "7"},
    {"byref writes back", "Sub Inc(n)\nn = n + 1\nEnd Sub\nx = 1\nInc x\nInc x\nTest.Log x", "3"},
    {"byval keeps", "Sub Inc(ByVal n)\nn = n + 1\nEnd Sub\nx = 1\nInc x\nTest.Log x", "1"},
    {"parentheses pass by value",
     "Sub Inc(n)\nn = n + 1\nEnd Sub\nx = 1\nInc (x)\nTest.Log x\nCall Inc(x)\nTest.Log x", "1|2"},
    {"byref to object member", "x = 4\nTest.Bump x\nTest.Log x", "5"},
    {"locals are separate", "x = 1\nSub S\nDim x\nx = 5\nEnd Sub\nS\nTest.Log x", "1"},
    {"implicit local in sub", "Sub S\ny = 3\nEnd Sub\nS\nTest.Log IsEmpty(y)", "True"},
    {"global from sub", "g = 1\nSub S\ng = g + 1\nEnd Sub\nS\nTest.Log g", "2"},
    {"procedure defined after use", "Test.Log Twice(4)\nFunction Twice(x)\nTwice = 2 * x\nEnd Function", "8"},
    {"function without parentheses", "Function Five\nFive = 5\nEnd Function\nTest.Log Five + 1", "6"},
    {"case-insensitive names", "FUNCTION dbl(X)\ndbl = x * 2\nend function\nTest.Log DBL(2)", "4"},
};

const Case kValues[] = {
    {"integer division and mod", "Test.Log 7 \\ 2\nTest.Log 7 Mod 3\nTest.Log -7 Mod 3", "3|1|-1"},
    {"division is double", "Test.Log 7 / 2\nTest.Log TypeName(4 / 2)", "3.5|Double"},
    {"integer promotes to long", "x = 32767\nx = x + 1\nTest.Log x\nTest.Log TypeName(x)", "32768|Long"},
    {"long promotes to double", "x = 2147483647\nx = x + 1\nTest.Log TypeName(x)", "Double"},
    {"result types and errors of integer and double operators",
     "Test.Log TypeName(CByte(200) + CByte(100)) & TypeName(CByte(2) * CByte(3)) & TypeName(CByte(1) - 2)\n"
     "Test.Log TypeName(200 * 200) & TypeName(CLng(5) Mod 3) & TypeName(1 + 2.5) & (-7 \\ 2)\n"
     "Test.Log (1.5 < 2) & (2 = 2.0) & (CByte(3) > -1) & (2.5 <> 2.5)\nOn Error Resume Next\n"
     "x = 1 Mod 0\nTest.Log Err.Number\nErr.Clear\nx = 1E308 * 10\nTest.Log Err.Number",
     "IntegerByteInteger|LongLongDouble-3|TrueTrueTrueFalse|11|6"},
    {"power and unary minus", "Test.Log -2 ^ 2\nTest.Log 2 ^ -1\nTest.Log 2 ^ 3 ^ 2", "-4|0.5|64"},
    {"string plus number", "Test.Log \"1\" + 2\nTest.Log \"a\" + \"b\"\nTest.Log 1 & 2", "3|ab|12"},
    {"empty arithmetic", "Test.Log x + 1\nTest.Log TypeName(x)\nTest.Log x & \"s\"", "1|Empty|s"},
    {"null propagation", "Test.Log Null + 1\nTest.Log Null & \"a\"\nTest.Log IsNull(Null = 1)",
     "<null>|a|True"},
    {"null in logic", "Test.Log Null And False\nTest.Log Null Or True\nTest.Log IsNull(Null And True)",
     "False|True|True"},
    {"comparisons",
     "Test.Log 1 < 2\nTest.Log \"a\" < \"b\"\nTest.Log \"B\" < \"a\"\nTest.Log 2 >= 2\nTest.Log 3 <> 3",
     "True|True|True|True|False"},
    {"number against string", "s = \"10\"\nn = 9\nTest.Log n < s\nTest.Log Empty = 0\nTest.Log Empty = \"\"",
     "True|True|True"},
    {"booleans",
     "Test.Log True And False\nTest.Log Not True\nTest.Log True Xor True\nTest.Log False Imp False\nTest.Log "
     "True Eqv True",
     "False|False|False|True|True"},
    {"bitwise", "Test.Log 12 And 10\nTest.Log 12 Or 3\nTest.Log Not 0\nTest.Log 5 Xor 1", "8|15|-1|4"},
    {"hex and octal literals", "Test.Log &HFF\nTest.Log &H10&\nTest.Log &O17\nTest.Log &HFFFF",
     "255|16|15|-1"},
    {"float formatting", "Test.Log 0.1 + 0.2\nTest.Log 1 / 3\nTest.Log 1E+20\nTest.Log 1.5E-7",
     "0.3|0.333333333333333|1E+20|1.5E-07"},
    {"date literal", "d = #1/31/2020#\nTest.Log d\nTest.Log Month(d + 1)", "1/31/2020|2"},
    {"true is minus one", "Test.Log CInt(True)\nTest.Log True + True", "-1|-2"},
    {"concat of numbers and booleans", "Test.Log \"v=\" & 1.5 & True", "v=1.5True"},
    {"cint rounds half to even", "Test.Log CInt(2.5)\nTest.Log CInt(3.5)\nTest.Log CLng(-2.5)", "2|4|-2"},
    {"is on objects", "Set a = Test\nSet b = Test\nTest.Log a Is b", "True"},
    {"default member", "Test.Value = 42\nTest.Log Test & \"\"\nx = Test\nTest.Log x + 1", "42|43"},
    {"indexed property", "Test.Log Test.Items(3)", "30"},
    {"member call with result", "Test.Log Test.Add(2, 3)", "5"},
};

const Case kArrays[] = {
    {"dim array", "Dim a(2)\na(0) = 1 : a(2) = 3\nTest.Log UBound(a)\nTest.Log a(0) + a(2)", "2|4"},
    {"two dimensions", "Dim m(1, 2)\nm(1, 2) = 9\nTest.Log m(1, 2)\nTest.Log UBound(m, 2)", "9|2"},
    {"redim preserve",
     "Dim a()\nReDim a(1)\na(0) = \"x\"\nReDim Preserve a(3)\nTest.Log a(0)\nTest.Log UBound(a)", "x|3"},
    {"redim drops", "ReDim a(2)\na(1) = 5\nReDim a(2)\nTest.Log IsEmpty(a(1))", "True"},
    {"arrays copy on assignment", "a = Array(1, 2)\nb = a\nb(0) = 9\nTest.Log a(0)", "1"},
    {"array in procedure byref", "Sub F(arr)\narr(0) = 5\nEnd Sub\na = Array(1)\nF a\nTest.Log a(0)", "5"},
    {"erase dynamic", "a = Array(1, 2)\nErase a\nTest.Log IsArray(a)", "True"},
    {"split and join", "p = Split(\"a,b,,c\", \",\")\nTest.Log UBound(p)\nTest.Log Join(p, \"-\")",
     "3|a-b--c"},
    {"split empty", "p = Split(\"\")\nTest.Log UBound(p)", "-1"},
    {"filter", "Test.Log Join(Filter(Array(\"apple\", \"pear\", \"grape\"), \"ap\"), \",\")", "apple,grape"},
    {"lbound and vartype", "a = Array()\nTest.Log LBound(a)\nTest.Log VarType(a)", "0|8204"},
    {"for each over two dimensions goes first index fastest",
     "Dim m(1, 2)\nFor i = 0 To 1\nFor j = 0 To 2\nm(i, j) = i & j\nNext\nNext\nFor Each v In m\nTest.Log "
     "v\nNext",
     "00|10|01|11|02|12"},
    {"for each over an empty array", "a = Array()\nFor Each v In a\nTest.Log v\nNext\nTest.Log \"done\"",
     "done"},
    {"for each exit and nesting",
     "For Each a In Array(1, 2, 3)\nFor Each b In Array(\"x\", \"y\")\nIf b = \"y\" Then Exit For\nTest.Log "
     "a & "
     "b\nNext\nIf a = 2 Then Exit For\nNext\nTest.Log a",
     "1x|2x|2"},
    {"for each element is a copy", "a = Array(1, 2)\nFor Each v In a\nv = 0\nNext\nTest.Log Join(a, \",\")",
     "1,2"},
    {"for each walks the elements the loop began with",
     "a = Array(1, 2, 3)\nFor Each v In a\nTest.Log v\nErase a\nNext\nTest.Log IsArray(a)", "1|2|3|True"},
    {"for each in a procedure",
     "Function Sum(a)\nFor Each v In a\nSum = Sum + v\nNext\nEnd Function\nTest.Log "
     "Sum(Array(1, 2, 3))",
     "6"},
};

const Case kStrings[] = {
    {"len left right mid",
     "s = \"Hello World\"\nTest.Log Len(s)\nTest.Log Left(s, 5)\nTest.Log Right(s, 5)\nTest.Log Mid(s, 7, "
     "3)\nTest.Log Mid(s, 7)",
     "11|Hello|World|Wor|World"},
    {"utf8 characters",
     "s = \"caf\xC3\xA9s\"\nTest.Log Len(s)\nTest.Log Mid(s, 4, 1)\nTest.Log UCase(s)\nTest.Log "
     "StrReverse(s)",
     "5|\xC3\xA9|CAF\xC3\x89S|s\xC3\xA9"
     "fac"},
    {"instr",
     "Test.Log InStr(\"abcabc\", \"c\")\nTest.Log InStr(4, \"abcabc\", \"c\")\nTest.Log InStr(1, \"ABC\", "
     "\"b\", 1)\nTest.Log InStr(\"abc\", \"z\")",
     "3|6|2|0"},
    {"instrrev", "Test.Log InStrRev(\"abcabc\", \"b\")\nTest.Log InStrRev(\"abcabc\", \"b\", 4)", "5|2"},
    {"instr utf8", "Test.Log InStr(\"\xC3\xA9t\xC3\xA9\", \"t\")", "2"},
    {"replace",
     "Test.Log Replace(\"aXbXc\", \"X\", \"--\")\nTest.Log Replace(\"aaaa\", \"a\", \"b\", 2, 2)\nTest.Log "
     "Replace(\"AbA\", \"a\", \"z\", 1, -1, 1)",
     "a--b--c|bba|zbz"},
    {"trim and case",
     "Test.Log \"[\" & Trim(\"  x  \") & \"]\"\nTest.Log LTrim(\" a\") & RTrim(\"b \")\nTest.Log "
     "LCase(\"ABC\")",
     "[x]|ab|abc"},
    {"space string strcomp",
     "Test.Log \"[\" & Space(3) & \"]\"\nTest.Log String(3, \"ab\")\nTest.Log StrComp(\"a\", "
     "\"B\")\nTest.Log StrComp(\"a\", \"A\", 1)",
     "[   ]|aaa|1|0"},
    {"asc chr", "Test.Log Asc(\"A\")\nTest.Log Chr(66)\nTest.Log Asc(Chr(233))\nTest.Log Asc(Chr(128))",
     "65|B|233|128"},
    {"hex oct", "Test.Log Hex(255)\nTest.Log Hex(-1)\nTest.Log Oct(8)\nTest.Log Hex(CLng(-1))",
     "FF|FFFF|10|FFFFFFFF"},
    {"format functions",
     "Test.Log FormatNumber(1234.567)\nTest.Log FormatCurrency(-5)\nTest.Log FormatPercent(0.125, "
     "1)\nTest.Log FormatNumber(0.5, 0)",
     "1,234.57|($5.00)|12.5%|0"},
    {"conversions",
     "Test.Log CStr(1.5)\nTest.Log CDbl(\"2.5\") * 2\nTest.Log CBool(\"true\")\nTest.Log TypeName(CByte(3))",
     "1.5|5|True|Byte"},
    {"vb constants",
     "Test.Log Len(vbCrLf)\nTest.Log vbRed\nTest.Log vbYes\nTest.Log vbTextCompare\nTest.Log Asc(vbTab)",
     "2|255|6|1|9"},
    {"is functions",
     "Test.Log IsNumeric(\"12\")\nTest.Log IsNumeric(\"x\")\nTest.Log IsDate(\"1/2/2003\")\nTest.Log "
     "IsEmpty(Empty)",
     "True|False|True|True"},
    {"math",
     "Test.Log Abs(-3)\nTest.Log Int(-2.5)\nTest.Log Fix(-2.5)\nTest.Log Round(2.5)\nTest.Log Round(2.567, "
     "2)\nTest.Log Sgn(-4)\nTest.Log Sqr(16)",
     "3|-3|-2|2|2.57|-1|4"},
    {"typename",
     "Test.Log TypeName(1)\nTest.Log TypeName(\"s\")\nTest.Log TypeName(Test)\nTest.Log "
     "TypeName(Nothing)\nTest.Log TypeName(Null)",
     "Integer|String|IRecorder|Nothing|Null"},
    {"dates",
     "d = DateSerial(2024, 2, 29)\nTest.Log d\nTest.Log Weekday(d)\nTest.Log DateAdd(\"m\", 1, "
     "#1/31/2024#)\nTest.Log DateDiff(\"d\", #1/1/2024#, #3/1/2024#)\nTest.Log MonthName(2)",
     "2/29/2024|5|2/29/2024|60|February"},
    {"times",
     "t = TimeSerial(13, 5, 9)\nTest.Log t\nTest.Log Hour(t)\nTest.Log FormatDateTime(t, 4)\nTest.Log "
     "DatePart(\"n\", t)",
     "1:05:09 PM|13|13:05|5"},
    {"eval", "x = 4\nTest.Log Eval(\"x * 2 + 1\")", "9"},
    {"eval compares with =", "x = 4\nTest.Log Eval(\"x = 4\")\nTest.Log x", "True|4"},
    {"eval sees locals and calls functions",
     "Function Twice(n)\nTwice = 2 * n\nEnd Function\nSub S\nDim k : k = 5\nTest.Log Eval(\"Twice(k) & "
     "\"\"!\"\"\")\nEnd "
     "Sub\nS",
     "10!"},
    {"rgb", "Test.Log RGB(1, 2, 3)\nTest.Log RGB(300, 0, 0)", "197121|255"},
    {"script engine", "Test.Log ScriptEngine\nTest.Log ScriptEngineMajorVersion >= 5", "VBScript|True"},
};

const Case kErrorHandling[] = {
    {"resume next sets err",
     "On Error Resume Next\nx = 1 / 0\nTest.Log Err.Number\nTest.Log Err.Description\nTest.Log x",
     "11|Division by zero|<empty>"},
    {"err clear", "On Error Resume Next\nx = 1 / 0\nErr.Clear\nTest.Log Err.Number", "0"},
    {"goto zero clears", "On Error Resume Next\nErr.Raise 5\nOn Error GoTo 0\nTest.Log Err.Number", "0"},
    {"err raise custom",
     "On Error Resume Next\nErr.Raise vbObjectError + 1, \"me\", \"custom\"\nTest.Log Err.Number\nTest.Log "
     "Err.Description\nTest.Log Err.Source",
     "-2147221503|custom|me"},
    {"error in callee caught by caller",
     "Sub Bad\nx = 1 / 0\nTest.Log \"not here\"\nEnd Sub\nOn Error Resume Next\nBad\nTest.Log Err.Number",
     "11"},
    {"resume next continues after statement",
     "On Error Resume Next\nTest.Log 1\nErr.Raise 9\nTest.Log 2\nTest.Log Err.Number", "1|2|9"},
    {"object exception description", "On Error Resume Next\nx = Test.Items(20)\nTest.Log Err.Description",
     "Index out of range"},
    {"missing member", "On Error Resume Next\nTest.NoSuch\nTest.Log Err.Number", "438"},
    {"subscript", "On Error Resume Next\nDim a(1)\na(5) = 1\nTest.Log Err.Number", "9"},
    {"type mismatch", "On Error Resume Next\nx = \"a\" * 2\nTest.Log Err.Number", "13"},
    {"wrong arguments", "Sub S(a)\nEnd Sub\nOn Error Resume Next\nS 1, 2\nTest.Log Err.Number", "450"},
    {"undefined under option explicit",
     "Option Explicit\nOn Error Resume Next\nDim r\nr = zz\nTest.Log Err.Number", "500"},
    {"fixed array redim", "On Error Resume Next\nDim a(2)\nReDim a(4)\nTest.Log Err.Number", "10"},
    {"string size bound",
     "On Error Resume Next\ns = Space(40000000)\ns = s & s\nTest.Log Err.Number\nTest.Log Len(s)",
     "14|40000000"},
    {"array size bound", "On Error Resume Next\nReDim a(100000, 100000)\nTest.Log Err.Number", "7"},
    {"eval of a broken expression", "On Error Resume Next\nx = Eval(\"1 +\")\nTest.Log Err.Number", "1002"},
    {"for each over a number", "On Error Resume Next\nFor Each v In 5\nNext\nTest.Log Err.Number", "451"},
    {"for each over an object without enumerator",
     "On Error Resume Next\nFor Each v In Test\nTest.Log \"no\"\nNext\nTest.Log Err.Number\nTest.Log "
     "Err.Description",
     "451|Object not a collection"},
    {"create object of unknown class",
     "On Error Resume Next\nSet o = CreateObject(\"No.Such\")\nTest.Log Err.Number", "429"},
};

TEST(Language, Statements) {
    runTable(std::begin(kStatements), std::end(kStatements));
}
TEST(Language, Procedures) {
    runTable(std::begin(kProcedures), std::end(kProcedures));
}
TEST(Language, ValuesAndOperators) {
    runTable(std::begin(kValues), std::end(kValues));
}
TEST(Language, Arrays) {
    runTable(std::begin(kArrays), std::end(kArrays));
}
TEST(Language, BuiltinFunctions) {
    runTable(std::begin(kStrings), std::end(kStrings));
}
TEST(Language, ErrorHandling) {
    runTable(std::begin(kErrorHandling), std::end(kErrorHandling));
}

void expectNoErrors(const pm::test::Harness& h) {
    for (const auto& e : h.site->errors)
        ADD_FAILURE() << e.number << " " << e.description << " at " << e.line;
}

TEST(Language, TypeLibConstantsAndCreateObject) {
    pm::test::Harness h;
    const CLSID recorder = {0x7E57AB10, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    pm::registerClass(recorder, "Test.Recorder", [](IUnknown** out) {
        *out = static_cast<IDispatch*>(new pm::test::Recorder);
        return S_OK;
    });
    ASSERT_EQ(h.engine->AddTypeLib(pm::test::kTestLibId, 1, 0, 0), S_OK);
    const GUID unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(h.engine->AddTypeLib(unknown, 1, 0, 0), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(h.run("Test.Log tcRed + tcBlue\nSet e = CreateObject(\"test.recorder\")\ne.Value = 2\nTest.Log "
                    "e.Add(e, 1)"),
              S_OK);
    expectNoErrors(h);
    EXPECT_EQ(joined(h.test->log), "5|3");
    pm::unregisterClass(recorder);
}

TEST(Language, GlobalMembersResolveUnqualifiedNames) {
    pm::test::Harness h;
    pm::ComPtr<pm::test::Recorder> other;
    other.attach(new pm::test::Recorder);
    h.site->items["g"] = static_cast<IDispatch*>(other.get());
    h.engine->AddNamedItem(u"G", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_GLOBALMEMBERS);
    other->onCallBack = [&] { other->log.push_back("called"); };
    EXPECT_EQ(h.run("CallBack\nValue = 3\nTest.Log Add(Value, 1)"), S_OK);
    expectNoErrors(h);
    EXPECT_EQ(joined(other->log), "called");
    EXPECT_EQ(joined(h.test->log), "4");
}

TEST(Language, LargeModuleParsesAndRuns) {
    std::string text = "n = 0\n";
    for (int i = 0; i < 20000; ++i)
        text += "Sub P" + std::to_string(i) + "(x)\n  n = n + x\nEnd Sub\n";
    text += "For i = 0 To 19999 Step 1000\nExecuteP i\nNext\nTest.Log n\n";
    text += "Sub ExecuteP(i)\nP0 i\nEnd Sub\n";
    pm::test::Harness h;
    EXPECT_EQ(h.run(text), S_OK);
    EXPECT_EQ(joined(h.test->log), "190000");
}

// A collection for For Each: _NewEnum (DISPID_NEWENUM) answers an enumerator over its items, and
// Count counts the enumerators made.
class Bag final : public pm::ComObject<IDispatch> {
public:
    std::vector<std::string> items;
    int enumerators = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface(this, ppv);
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        if (pm::oleStrICmp(names[0], u"Count") != 0) return DISP_E_UNKNOWNNAME;
        *ids = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id == 1) {
            result->vt = VT_I4;
            result->lVal = enumerators;
            return S_OK;
        }
        if (id != DISPID_NEWENUM) return DISP_E_MEMBERNOTFOUND;
        ++enumerators;
        result->vt = VT_UNKNOWN;
        result->punkVal = new Enumerator(items);
        return S_OK;
    }

private:
    class Enumerator final : public pm::ComObject<IEnumVARIANT> {
    public:
        explicit Enumerator(std::vector<std::string> items) : m_items(std::move(items)) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
            if (!ppv) return E_POINTER;
            *ppv = nullptr;
            if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) return pm::answerInterface(this, ppv);
            return E_NOINTERFACE;
        }
        HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* out, ULONG* fetched) override {
            ULONG n = 0;
            for (; n < celt && m_next < m_items.size(); ++n, ++m_next) {
                out[n].vt = VT_BSTR;
                out[n].bstrVal = pm::toBstr(m_items[m_next]);
            }
            if (fetched) *fetched = n;
            return n == celt ? S_OK : S_FALSE;
        }
        HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override {
            m_next += celt;
            return m_next <= m_items.size() ? S_OK : S_FALSE;
        }
        HRESULT STDMETHODCALLTYPE Reset() override { return m_next = 0, S_OK; }
        HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

    private:
        std::vector<std::string> m_items;
        size_t m_next = 0;
    };
};

TEST(Language, ForEachOverACollection) {
    const struct {
        const char* name;
        std::vector<std::string> items;
        const char* script;
        const char* expected;
    } cases[] = {
        {"every item in order", {"a", "b", "c"}, "For Each s In Bag\nTest.Log s\nNext", "a|b|c"},
        {"empty collection", {}, "For Each s In Bag\nTest.Log s\nNext\nTest.Log \"done\"", "done"},
        {"exit for",
         {"a", "b", "c"},
         "For Each s In Bag\nIf s = \"b\" Then Exit For\nTest.Log s\nNext\nTest.Log s",
         "a|b"},
        {"a fresh enumerator per loop",
         {"x"},
         "For Each s In Bag\nNext\nSet b = Bag\nFor Each s In b\nTest.Log s\nNext\nTest.Log Bag.Count",
         "x|2"},
        {"loop in an event handler",
         {"p", "q"},
         "Sub Go(c)\nFor Each s In c\nTest.Log UCase(s)\nNext\nEnd Sub\nGo Bag",
         "P|Q"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pm::test::Harness h;
        pm::ComPtr<Bag> bag;
        bag.attach(new Bag);
        bag->items = c.items;
        h.site->items["bag"] = static_cast<IDispatch*>(bag.get());
        h.engine->AddNamedItem(u"Bag", SCRIPTITEM_ISVISIBLE);
        EXPECT_EQ(h.run(c.script), S_OK);
        expectNoErrors(h);
        EXPECT_EQ(joined(h.test->log), c.expected);
    }
}

TEST(Language, ForEachOverACollectionStopsWhenTheScriptIsStopped) {
    pm::test::Harness h;
    pm::ComPtr<Bag> bag;
    bag.attach(new Bag);
    bag->items = {"a", "b", "c"};
    h.site->items["bag"] = static_cast<IDispatch*>(bag.get());
    h.engine->AddNamedItem(u"Bag", SCRIPTITEM_ISVISIBLE);
    h.test->onCallBack = [&] { h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED); };
    EXPECT_EQ(h.run("For Each s In Bag\nTest.Log s\nIf s = \"b\" Then Test.CallBack\nNext\nTest.Log \"end\""),
              S_OK);
    expectNoErrors(h);
    EXPECT_EQ(joined(h.test->log), "a|b");
}

} // namespace
