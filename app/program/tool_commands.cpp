// External tools: macro expansion, the stored list of names, and the run.

#include "app/program/tool_commands.h"

#include "app/CIniFile.h"
#include "app/file_helpers.h"
#include "app/program/editor_globals.h"
#include "platform/framework/afxwin.h"
#include "platform/win/shellapi.h"

namespace {

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string macroValue(const std::string& name, const ToolMacroValues& values) {
    if (name == "FilePath") return values.filePath;
    if (name == "FileDir") return std::string(GetFolderOfPath(values.filePath.c_str()));
    if (name == "FileName") return fileNameOf(values.filePath);
    if (name == "AppDir") return values.appDir;
    if (name == "WindowsDir") return values.windowsDir;
    return values.systemDir;
}

// The macro name starting at text[at] ("FilePath" for "$(FilePath)"), "" when none starts there.
std::string macroAt(const std::string& text, size_t at) {
    static const char* const kNames[] = {"FilePath", "FileDir",    "FileName",
                                         "AppDir",   "WindowsDir", "SystemDir"};
    for (const char* name : kNames) {
        const std::string token = std::string(MacroToken(name));
        if (text.compare(at, token.size(), token) == 0) return name;
    }
    return {};
}

bool needsQuotes(const std::string& text) {
    return text.find_first_of(" \t\"") != std::string::npos;
}

// The value as the command line's splitter reads it back: each quote written \", the backslashes
// before it doubled, and so the backslashes at the end when a quote follows the value.
std::string escaped(const std::string& value, bool quoteFollows) {
    std::string out;
    size_t backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(quoteFollows ? 2 * backslashes : backslashes, '\\');
    return out;
}

} // namespace

std::string ExpandToolMacros(const std::string& text, const ToolMacroValues& values, bool forCommandLine) {
    std::string out;
    bool inQuotes = false;
    for (size_t i = 0; i < text.size();) {
        const std::string name = macroAt(text, i);
        if (name.empty()) {
            if (text[i] == '"') inQuotes = !inQuotes;
            out += text[i++];
            continue;
        }
        const std::string value = macroValue(name, values);
        i += name.size() + 3;
        if (!forCommandLine) {
            out += value;
        } else if (!inQuotes && needsQuotes(value)) {
            out += "\"" + escaped(value, true) + "\"";
        } else {
            out += escaped(value, i < text.size() && text[i] == '"');
        }
    }
    return out;
}

std::vector<std::string> LoadToolNames(const CIniFile& settings, const char* section) {
    std::vector<std::string> names;
    CString name;
    for (int i = 0; i < kMaxTools && settings.GetIndexedString(section, i, name); ++i)
        names.emplace_back(name);
    return names;
}

void SaveToolNames(CIniFile& settings, const std::vector<std::string>& names, const char* section) {
    const int count = static_cast<int>(names.size());
    settings.SetInt(section, "Items", count);
    for (int i = 0; i < count; ++i)
        settings.SetIndexedString(section, i, names[static_cast<size_t>(i)].c_str());
    settings.SetIndexedString(section, count, "");
}

void RunTool(const CIniFile& settings, int index, const ToolMacroValues& values) {
    CString name, command, arguments;
    if (!settings.GetIndexedString(kToolsSection, index, name)) return;
    if (!settings.GetString(name, "Cmd", command)) return;
    settings.GetString(name, "Arg", arguments);
    const std::string program = ExpandToolMacros(std::string(command), values, false);
    if (!FileExists(program.c_str())) {
        AfxMessageBox((program + " not found. Please use Tools/Edit to edit the file location").c_str());
        return;
    }
    const std::string line = ExpandToolMacros(std::string(arguments), values, true);
    ::ShellExecute(nullptr, "open", program.c_str(), line.c_str(), nullptr, SW_SHOWNORMAL);
}
