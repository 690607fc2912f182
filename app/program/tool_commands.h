#pragma once
// The external tools of the Tools menu: their macros expanded in the command and argument line,
// their names stored in the settings, and their run.

#include <string>
#include <vector>

class CIniFile;

// The Tools menu holds ids for this many tools; ids after them belong to the member snippets.
constexpr int kMaxTools = 26;

// What the macros of a tool's line stand for. The folder and the name of the file come from its path.
struct ToolMacroValues {
    std::string filePath; // the active document's path, "" when it has none
    std::string appDir;   // the program folder without its trailing separator
    std::string windowsDir;
    std::string systemDir;
};

// The text with every macro replaced where it stands (a value is never searched again). For a
// command line, each value comes back whole as the line is split into arguments: one holding a
// blank or a quote outside quotes is put in quotes, and its quotes are written \" (with the
// backslashes before a quote doubled), so a file name can never add arguments of its own.
std::string ExpandToolMacros(const std::string& text, const ToolMacroValues& values, bool forCommandLine);

// The settings section that lists the tools.
constexpr const char* kToolsSection = "Tools";

// The tool names of the section in list order, up to the first index without one and at most
// kMaxTools ("Items" is written for other readers, not needed here).
std::vector<std::string> LoadToolNames(const CIniFile& settings, const char* section = kToolsSection);
// Writes the names to the section: the count, each name by index, and removes the key after the last.
void SaveToolNames(CIniFile& settings, const std::vector<std::string>& names,
                   const char* section = kToolsSection);

// Runs tool number index of the settings for the values: nothing when the tool or its command is
// not stored; the message of a missing program file; else the program starts and is left to run.
void RunTool(const CIniFile& settings, int index, const ToolMacroValues& values);
