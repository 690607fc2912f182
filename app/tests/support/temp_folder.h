#pragma once
// A fresh folder for one test under the build tree's test output, removed afterwards.

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of name inside the folder.
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    static std::string Read(const std::string& path);
    static void Write(const std::string& path, const std::string& bytes);

private:
    std::string m_path;
};
