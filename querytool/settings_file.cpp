#include "querytool/settings_file.h"

#include "platform/win/file_contents.h"
#include "platform/win/profile.h"

#include <strings.h>
#include <sys/stat.h>

namespace {

const char kFileName[] = "tessmark.ini";
const char kMain[] = "TESSMARK";
const int kRecentSlots = 5;

bool isFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string joined(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// A section's lines as WritePrivateProfileSection takes them: NUL after each, one more at the end.
std::string sectionText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\0';
    return text + '\0';
}

std::string fileKey(int number) {
    return "File" + std::to_string(number);
}

} // namespace

TessmarkSettings::TessmarkSettings(std::vector<std::string> searchFolders, std::string creationFolder)
    : m_searchFolders(std::move(searchFolders)), m_creationFolder(std::move(creationFolder)) {}

std::string TessmarkSettings::ResolvePath() const {
    for (const std::string& folder : m_searchFolders) {
        const std::string path = joined(folder, kFileName);
        if (isFile(path)) return path;
    }
    return std::string();
}

bool TessmarkSettings::CreateDefaultIni() const {
    if (!ResolvePath().empty()) return true;
    const std::string created = joined(m_creationFolder, kFileName);
    struct stat info;
    if (::lstat(created.c_str(), &info) != 0) pm::sys::replaceFileContents(created, "");
    const std::string path = ResolvePath();
    if (path.empty()) return false;
    const std::string main = sectionText({"Number=0", "File1=0", "File2=0", "File3=0", "File4=0", "File5=0",
                                          "Database=0", "Host=localhost", "User=root", "Port=3306"});
    const std::string splitter =
        sectionText({"Left=0", "Right=0", "Top=0", "Bottom=0", "ULeftOrTopPercent=0"});
    return WritePrivateProfileSection(kMain, main.c_str(), path.c_str()) &&
           WritePrivateProfileSection("VSplitter", splitter.c_str(), path.c_str()) &&
           WritePrivateProfileSection("HSplitter", splitter.c_str(), path.c_str());
}

// The whole value: the buffer grows until the value fits (a value that fills the buffer to its last
// character may have been cut).
std::string TessmarkSettings::read(const std::string& path, const char* section, const char* key,
                                   const char* fallback) const {
    std::string value(256, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(value.size());
        const DWORD length = GetPrivateProfileString(section, key, fallback, &value[0], size, path.c_str());
        if (length + 1 < size) {
            value.resize(length);
            return value;
        }
        value.assign(value.size() * 2, '\0');
    }
}

bool TessmarkSettings::ReadConnectionKeys(ConnectionKeys& keys) const {
    keys = ConnectionKeys();
    const std::string path = ResolvePath();
    if (path.empty()) return false;
    keys.host = read(path, kMain, "Host", "root");
    keys.user = read(path, kMain, "User", "root");
    keys.port = read(path, kMain, "Port", "root").substr(0, 8);
    return true;
}

bool TessmarkSettings::WriteConnectionKeys(const ConnectionKeys& keys) const {
    const std::string path = ResolvePath();
    if (path.empty()) return false;
    return WritePrivateProfileString(kMain, "Host", keys.host.c_str(), path.c_str()) &&
           WritePrivateProfileString(kMain, "User", keys.user.c_str(), path.c_str()) &&
           WritePrivateProfileString(kMain, "Port", keys.port.substr(0, 8).c_str(), path.c_str());
}

std::string TessmarkSettings::ReadDatabase() const {
    const std::string path = ResolvePath();
    return path.empty() ? std::string() : read(path, kMain, "Database", "0");
}

bool TessmarkSettings::WriteDatabase(const std::string& name) const {
    const std::string path = ResolvePath();
    return !path.empty() && WritePrivateProfileString(kMain, "Database", name.c_str(), path.c_str());
}

std::vector<RecentFileEntry> TessmarkSettings::StartupRecentFiles() const {
    std::vector<RecentFileEntry> entries;
    const std::string path = ResolvePath();
    if (path.empty()) return entries;
    const int number = static_cast<int>(GetPrivateProfileInt(kMain, "Number", 0, path.c_str()));
    for (int n = 1; n <= number && n <= kRecentSlots; ++n) {
        const std::string file = read(path, kMain, fileKey(n).c_str(), "0");
        if (!file.empty() && file[0] != '0') entries.push_back({n, file});
    }
    return entries;
}

std::vector<RecentFileEntry> TessmarkSettings::RecentFiles() const {
    std::vector<RecentFileEntry> entries;
    const std::string path = ResolvePath();
    if (path.empty()) return entries;
    const int number = static_cast<int>(GetPrivateProfileInt(kMain, "Number", 0, path.c_str()));
    for (int n = 1; n <= number && n <= kRecentSlots; ++n) {
        const std::string file = read(path, kMain, fileKey(n).c_str(), "0");
        if (file.empty()) break;
        entries.push_back({n, file});
    }
    return entries;
}

void TessmarkSettings::AddRecentFile(const std::string& newPath) const {
    const std::string path = ResolvePath();
    if (path.empty()) return;
    std::vector<std::string> files;
    for (int n = 1; n <= kRecentSlots; ++n) {
        files.push_back(read(path, kMain, fileKey(n).c_str(), "0"));
        if (files.back().empty()) return;
        if (strcasecmp(files.back().c_str(), newPath.c_str()) == 0) return;
    }
    files.pop_back();
    files.insert(files.begin(), newPath);
    for (int n = 1; n <= kRecentSlots; ++n)
        WritePrivateProfileString(kMain, fileKey(n).c_str(), files[n - 1].c_str(), path.c_str());
    const int number = static_cast<int>(GetPrivateProfileInt(kMain, "Number", 0, path.c_str()));
    if (number < kRecentSlots)
        WritePrivateProfileString(kMain, "Number", std::to_string(number + 1).c_str(), path.c_str());
}

SplitterLayout TessmarkSettings::LoadSplitter(const std::string& section) const {
    SplitterLayout layout;
    const std::string path = ResolvePath();
    if (path.empty()) return layout;
    auto value = [&](const char* key) {
        return static_cast<int>(GetPrivateProfileInt(section.c_str(), key, 0, path.c_str()));
    };
    layout.x = value("Left");
    layout.width = value("Right");
    layout.y = value("Top");
    layout.height = value("Bottom");
    layout.percent = value("ULeftOrTopPercent");
    return layout;
}

bool TessmarkSettings::SaveSplitter(const std::string& section, const SplitterLayout& layout) const {
    const std::string path = ResolvePath();
    if (path.empty()) return false;
    const std::pair<const char*, int> values[] = {{"Left", layout.x},
                                                  {"Right", layout.width},
                                                  {"Top", layout.y},
                                                  {"Bottom", layout.height},
                                                  {"ULeftOrTopPercent", layout.percent}};
    for (const auto& [key, value] : values)
        if (!WritePrivateProfileString(section.c_str(), key, std::to_string(value).c_str(), path.c_str()))
            return false;
    return true;
}

std::string RecentFileMenuText(const RecentFileEntry& entry) {
    return "&" + std::to_string(entry.number) + " " + entry.path;
}
