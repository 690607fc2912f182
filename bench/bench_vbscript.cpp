// The script engine on a loop of string and arithmetic work, against the same loop in Python 3
// run in the same process run (as a child process, timed from inside Python).

#include "platform/script/plain_script_site.h"
#include "platform/script/script_hooks.h"
#include "platform/script/vbscript.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

const char* const kScript = "Dim i, n, s, t\n"
                            "n = 0\n"
                            "For i = 1 To 1000000\n"
                            "  s = \"item\" & i\n"
                            "  n = n + Len(s) + (i Mod 7) * 3\n"
                            "  t = Mid(s, 2, 3)\n"
                            "  If t = \"tem\" Then n = n + 1\n"
                            "Next\n"
                            "MsgBox n\n";

const char* const kPython = "import time\n"
                            "t0 = time.perf_counter()\n"
                            "n = 0\n"
                            "for i in range(1, 1000001):\n"
                            "    s = 'item' + str(i)\n"
                            "    n = n + len(s) + (i % 7) * 3\n"
                            "    t = s[1:4]\n"
                            "    if t == 'tem': n = n + 1\n"
                            "print(n, time.perf_counter() - t0)\n";

// A class method call and a Dictionary lookup per iteration.
const char* const kObjectScript = "Class Acc\n"
                                  "  Private m_total\n"
                                  "  Public Sub Add(n)\n"
                                  "    m_total = m_total + n\n"
                                  "  End Sub\n"
                                  "  Public Property Get Total\n"
                                  "    Total = m_total\n"
                                  "  End Property\n"
                                  "End Class\n"
                                  "Set d = CreateObject(\"Scripting.Dictionary\")\n"
                                  "For k = 0 To 9\n"
                                  "  d.Add \"k\" & k, k\n"
                                  "Next\n"
                                  "Set a = New Acc\n"
                                  "For i = 1 To 1000000\n"
                                  "  a.Add d(\"k\" & (i Mod 10))\n"
                                  "Next\n"
                                  "MsgBox a.Total\n";

const char* const kPythonObjects = "import time\n"
                                   "class Acc:\n"
                                   "    def __init__(self):\n"
                                   "        self.total = 0\n"
                                   "    def add(self, n):\n"
                                   "        self.total = self.total + n\n"
                                   "t0 = time.perf_counter()\n"
                                   "d = {}\n"
                                   "for k in range(10):\n"
                                   "    d['k' + str(k)] = k\n"
                                   "a = Acc()\n"
                                   "for i in range(1, 1000001):\n"
                                   "    a.add(d['k' + str(i % 10)])\n"
                                   "print(a.total, time.perf_counter() - t0)\n";

const char* const kPythonCompile =
    "import time\n"
    "src = ''.join('def p%d(x):\\n  global n\\n  n = n + x * 2\\n' % i for i in range(33333))\n"
    "t0 = time.perf_counter()\n"
    "compile(src, 'm', 'exec')\n"
    "print(33333, time.perf_counter() - t0)\n";

void reportErrors(const pm::PlainScriptSite& site) {
    if (site.errors()) std::printf("script error: %s\n", site.lastError().c_str());
}

double runScript(const char* script, std::string& result) {
    pm::registerVBScriptEngine();
    pm::setScriptMessageBoxHook([&](HWND, const std::string& prompt, unsigned, const std::string&) {
        result = prompt;
        return 1;
    });
    pm::ComPtr<IActiveScript> engine;
    pm::ComPtr<IActiveScriptParse> parse;
    CoCreateInstance(CLSID_VBScript, nullptr, CLSCTX_ALL, IID_IActiveScript, engine.putVoid());
    engine->QueryInterface(IID_IActiveScriptParse, parse.putVoid());
    pm::ComPtr<pm::PlainScriptSite> site;
    site.attach(new pm::PlainScriptSite);
    parse->InitNew();
    engine->SetScriptSite(site.get());
    std::u16string text = pm::toUtf16(std::string(script));
    auto t0 = std::chrono::steady_clock::now();
    parse->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
    engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    engine->Close();
    reportErrors(*site.get());
    pm::setScriptMessageBoxHook(nullptr);
    return seconds;
}

// Seconds to parse a module of 100,000 lines (33,333 procedures of three lines).
double parseLargeModule() {
    std::string text;
    for (int i = 0; i < 33333; ++i)
        text += "Sub P" + std::to_string(i) + "(x)\n  n = n + x * 2\nEnd Sub\n";
    pm::ComPtr<IActiveScript> engine;
    pm::ComPtr<IActiveScriptParse> parse;
    CoCreateInstance(CLSID_VBScript, nullptr, CLSCTX_ALL, IID_IActiveScript, engine.putVoid());
    engine->QueryInterface(IID_IActiveScriptParse, parse.putVoid());
    pm::ComPtr<pm::PlainScriptSite> site;
    site.attach(new pm::PlainScriptSite);
    parse->InitNew();
    engine->SetScriptSite(site.get());
    std::u16string wide = pm::toUtf16(text);
    auto t0 = std::chrono::steady_clock::now();
    parse->ParseScriptText(wide.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    engine->Close();
    reportErrors(*site.get());
    return seconds;
}

// Seconds Python reports for the given program, or a negative value when python3 cannot be run.
double runPythonProgram(const char* program, std::string& result) {
    std::string command = "python3 -c \"" + std::string(program) + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buf[256] = {};
    bool read = std::fgets(buf, sizeof buf, pipe) != nullptr;
    pclose(pipe);
    if (!read) return -1;
    long long n = 0;
    double seconds = -1;
    if (std::sscanf(buf, "%lld %lf", &n, &seconds) != 2) return -1;
    result = std::to_string(n);
    return seconds;
}

} // namespace

int main() {
    std::string scriptResult, pythonResult, compileResult;
    std::string objectResult, pythonObjectResult;
    double script = runScript(kScript, scriptResult);
    double python = runPythonProgram(kPython, pythonResult);
    double objects = runScript(kObjectScript, objectResult);
    double pythonObjects = runPythonProgram(kPythonObjects, pythonObjectResult);
    double parse = parseLargeModule();
    double compile = runPythonProgram(kPythonCompile, compileResult);
    std::printf("vbscript: 1,000,000 iterations of string and arithmetic work: %.3f s (result %s)\n", script,
                scriptResult.c_str());
    if (python <= 0) {
        std::printf("python3: not available; no ratio\n");
        return 0;
    }
    std::printf("python3:  the same loop: %.3f s (result %s)\n", python, pythonResult.c_str());
    std::printf("ratio vbscript/python3: %.2f%s\n", script / python,
                scriptResult == pythonResult ? "" : "  (RESULTS DIFFER)");
    std::printf("vbscript: 1,000,000 class method calls and Dictionary lookups: %.3f s (result %s)\n",
                objects, objectResult.c_str());
    std::printf("python3:  the same loop: %.3f s (result %s)\n", pythonObjects, pythonObjectResult.c_str());
    std::printf("ratio vbscript/python3: %.2f (aim 1.5)%s\n", objects / pythonObjects,
                objectResult == pythonObjectResult ? "" : "  (RESULTS DIFFER)");
    std::printf("parse of a 100,000-line module: %.3f s; python3 compile of the same procedures: %.3f s; "
                "ratio %.2f\n",
                parse, compile, compile > 0 ? parse / compile : 0.0);
    return 0;
}
