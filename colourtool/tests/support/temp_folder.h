#pragma once
// A fresh folder under the build tree's test output, removed again when the test ends.

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    // Writes bytes to a file of the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

// The bytes of a file, or "<missing>" when it cannot be read.
std::string fileBytes(const std::string& path);

// The bytes of a fixture file of tests/data.
std::string fixture(const std::string& name);
