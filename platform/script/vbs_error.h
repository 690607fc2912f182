#pragma once
// Script errors: the numbers and texts of VBScript's run-time and compilation errors, and the
// exceptions the interpreter unwinds with.

#include "platform/com/comtypes.h"

#include <string>

namespace pm::vbs {

// Run-time error numbers.
enum RuntimeError : int {
    kInvalidCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kArrayFixed = 10,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kOutOfStack = 28,
    kSubNotDefined = 35,
    kObjectNotSet = 91,
    kInvalidUseOfNull = 94,
    kObjectRequired = 424,
    kCannotCreateObject = 429,
    kNoSuchMember = 438,
    kNoSuchAction = 445,
    kNamedArgNotFound = 448,
    kArgumentNotOptional = 449,
    kWrongArgCount = 450,
    kNotACollection = 451,
    kUndefinedVariable = 500,
    kIllegalAssignment = 501,
    kKeyExists = 457,
    kClassNotDefined = 506,
    kFileNotFound = 53,
    kBadFileMode = 54,
    kFileExists = 58,
    kInputPastEnd = 62,
    kPermissionDenied = 70,
    kPathNotFound = 76,
    kRegExpSyntax = 5017,
};

// Compilation error numbers.
enum CompileError : int {
    kSyntaxError = 1002,
    kExpectedLParen = 1005,
    kExpectedRParen = 1006,
    kExpectedIdentifier = 1010,
    kExpectedEquals = 1011,
    kExpectedIf = 1012,
    kExpectedTo = 1013,
    kExpectedEnd = 1014,
    kExpectedFunction = 1015,
    kExpectedSub = 1016,
    kExpectedThen = 1017,
    kExpectedWend = 1018,
    kExpectedLoop = 1019,
    kExpectedNext = 1020,
    kExpectedCase = 1021,
    kExpectedSelect = 1022,
    kExpectedExpression = 1023,
    kExpectedStatement = 1024,
    kExpectedEndOfStatement = 1025,
    kExpectedInteger = 1026,
    kExpectedWhileUntil = 1027,
    kInvalidNumber = 1031,
    kInvalidCharacter = 1032,
    kUnterminatedString = 1033,
    kInvalidExit = 1039,
    kInvalidForVariable = 1040,
    kNameRedefined = 1041,
    kExpectedLiteral = 1045,
    kExpectedIn = 1046,
    kExpectedClass = 1047,
    kMustBeInClass = 1048,
    kExpectedLetSetGet = 1049,
    kExpectedProperty = 1050,
    kMultipleDefault = 1052,
    kInitTermArgs = 1053,
    kPropertyNeedsArgument = 1054,
    kDefaultNeedsPublic = 1057,
    kExpectedWith = 1029,
    kInvalidMe = 1037,
    kUnexpectedNext = 1055,
};

// The standard text of an error number; "Unknown runtime error" for numbers without one.
std::string errorDescription(int number);
// The number Err.Number shows for an HRESULT: the low word of a script-range (0x800A) code, else
// the HRESULT itself.
int errorNumberOf(HRESULT hr);
HRESULT errorHresult(int number);

struct Pos {
    int line = -1; // zero-based, relative to the text unit
    int col = 0;   // zero-based byte column
    int unit = -1; // index of the parsed text unit
};

// A script error being reported or caught by On Error Resume Next.
struct ScriptError {
    int number = 0;
    std::string description;
    std::string source;
    Pos pos;
    bool compile = false;

    ScriptError() = default;
    ScriptError(int n) : number(n), description(errorDescription(n)) {}
    ScriptError(int n, std::string text) : number(n), description(std::move(text)) {}
};

// Thrown to unwind every script frame when execution is aborted (state change, close, interrupt).
struct AbortUnwind {};

} // namespace pm::vbs
