#pragma once
// The program's global facts: App.Path (the program folder) and Command (its command line).

#include <string>

namespace vb {

struct AppObject {
    // The folder of the running program, without a trailing separator.
    std::string Path() const;
    // The program's title (the executable's name unless set).
    std::string Title;
};

// The application object of the program.
AppObject& App();

// Tests: App.Path answers `folder` instead of the program's folder; "" gives the real one again.
void SetAppPathForTests(const std::string& folder);

// Records the command line once at start-up: the arguments after the program's name, separated by
// single blanks, an argument holding a blank between double quotes.
void SetCommandLine(int argc, const char* const* argv);
// The command line as recorded ("" when none was).
const std::string& Command();

} // namespace vb
