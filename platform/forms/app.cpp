#include "platform/forms/app.h"

#include "platform/win/winbase.h"

namespace vb {
namespace {

std::string& commandText() {
    static std::string text;
    return text;
}

std::string& pathForTests() {
    static std::string folder;
    return folder;
}

std::string programFile() {
    char buffer[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileName(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n);
}

} // namespace

std::string AppObject::Path() const {
    if (!pathForTests().empty()) return pathForTests();
    std::string file = programFile();
    std::size_t slash = file.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

AppObject& App() {
    static AppObject app = [] {
        AppObject a;
        std::string file = programFile();
        a.Title = file.substr(file.find_last_of("/\\") + 1);
        return a;
    }();
    return app;
}

void SetAppPathForTests(const std::string& folder) {
    pathForTests() = folder;
}

void SetCommandLine(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!text.empty()) text += ' ';
        text += arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
    }
    commandText() = text;
}

const std::string& Command() {
    return commandText();
}

} // namespace vb
