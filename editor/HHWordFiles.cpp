#include "editor/HHWordFiles.h"

#include "platform/win/file_contents.h"
#include "platform/win/registry/ini_lines.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <sys/stat.h>
#include <unordered_set>

namespace hh {

namespace {

constexpr size_t kMaxCachedFiles = 256;
constexpr size_t kNewTypeLineLimit = 100;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool readBounded(const std::string& path, std::string& text) {
    pm::sys::FileRead file = pm::sys::readFileContents(path, kMaxWordFileBytes);
    text = std::move(file.bytes);
    return static_cast<bool>(file);
}

// Splits "kind,rest" into the kind word and the rest ("" when there is no comma).
WORD splitKind(const std::string& entry, std::string_view& rest) {
    const size_t comma = entry.find(',');
    const std::string_view head = std::string_view(entry).substr(0, comma);
    unsigned value = 0;
    for (char c : trim(head)) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + static_cast<unsigned>(c - '0'), 0xFFFFu);
    }
    rest = comma == std::string::npos ? std::string_view() : std::string_view(entry).substr(comma + 1);
    return static_cast<WORD>(value);
}

// Splits "name,description" (no comma: all of it is the name).
std::string_view splitName(std::string_view rest, std::string_view& description) {
    const size_t comma = rest.find(',');
    description = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    return rest.substr(0, comma);
}

// An item's text ends at a NUL byte; an empty text gives no item.
void appendItem(CHHMemberItemArray& items, std::string_view text, WORD kind) {
    text = text.substr(0, text.find('\0'));
    if (text.empty()) return;
    items.push_back({CString(std::string(text).c_str()), kind});
}

std::int64_t nanoseconds(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

WordFile WordFile::Parse(std::string_view text) {
    WordFile file;
    Section* section = nullptr;
    size_t entries = 0;
    text = text.substr(0, std::min(text.size(), kMaxWordFileBytes));
    pm::readIniLines(text, pm::kWordFileIniRules, [&](const pm::IniLine& line) {
        if (line.kind == pm::IniLine::Kind::Header) {
            section = &file.m_sections[line.name];
            return true;
        }
        if (line.kind != pm::IniLine::Kind::Entry || !section) return true;
        if (++entries > static_cast<size_t>(kMaxWordFileEntries) * 4) return false;
        (*section)[line.name] = std::string(line.value);
        return true;
    });
    return file;
}

const std::string* WordFile::Find(std::string_view section, std::string_view key) const {
    const auto s = m_sections.find(std::string(section));
    if (s == m_sections.end()) return nullptr;
    const auto k = s->second.find(std::string(key));
    return k == s->second.end() ? nullptr : &k->second;
}

void WordFile::ForEachEntry(std::string_view sectionName,
                            const std::function<bool(const std::string&)>& visit) const {
    const auto s = m_sections.find(std::string(sectionName));
    if (s == m_sections.end()) return;
    for (int i = 0; i < kMaxWordFileEntries; ++i) {
        const auto k = s->second.find(std::to_string(i));
        if (k == s->second.end() || !visit(k->second)) return;
    }
}

bool IsObjectFileName(std::string_view name) {
    if (name.empty() || name.size() > kMaxObjectName) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c == '_' || c == '$' ||
               (static_cast<unsigned char>(c) < 128 && std::isalnum(static_cast<unsigned char>(c)));
    });
}

void WordFileFolder::SetProgramFolder(std::string programFolder) {
    if (!programFolder.empty() && programFolder.back() != '/') programFolder += '/';
    m_programFolder = std::move(programFolder);
}

std::string WordFileFolder::FindEntryNoCase(const std::string& folder, std::string_view name) {
    struct stat st {};
    const std::string exact = folder + std::string(name);
    if (::stat(exact.c_str(), &st) == 0) return exact;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    const std::string wanted = lower(name);
    std::string found;
    while (const dirent* e = ::readdir(dir)) {
        if (lower(e->d_name) == wanted) {
            found = folder + e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string WordFileFolder::FindPathNoCase(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) == 0) return path;
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return FindEntryNoCase("./", path);
    if (slash == 0) return FindEntryNoCase("/", path.substr(1));
    const std::string folder = FindPathNoCase(path.substr(0, slash));
    return folder.empty() ? folder : FindEntryNoCase(folder + '/', path.substr(slash + 1));
}

std::string WordFileFolder::WordFolder() const {
    if (m_programFolder.empty()) return {};
    const std::string folder = FindEntryNoCase(m_programFolder, "AutoComplete");
    return folder.empty() ? folder : folder + '/';
}

std::shared_ptr<const WordFile> WordFileFolder::Load(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    const std::int64_t modified = nanoseconds(st.st_mtim);
    const auto it = m_cache.find(path);
    if (it != m_cache.end() && it->second.modified == modified && it->second.size == st.st_size)
        return it->second.file;
    std::string text;
    if (!readBounded(path, text)) return nullptr;
    if (m_cache.size() >= kMaxCachedFiles) m_cache.clear();
    Cached& entry = m_cache[path];
    entry = {modified, st.st_size, std::make_shared<const WordFile>(WordFile::Parse(text))};
    return entry.file;
}

std::shared_ptr<const WordFile> WordFileFolder::Main() {
    const std::string folder = WordFolder();
    return folder.empty() ? nullptr : Load(FindEntryNoCase(folder, "AutoComplete.ini"));
}

std::shared_ptr<const WordFile> WordFileFolder::Object(std::string_view name) {
    if (!IsObjectFileName(name)) return nullptr;
    const std::string folder = WordFolder();
    return folder.empty() ? nullptr : Load(FindEntryNoCase(folder, std::string(name) + ".ini"));
}

std::string ObjectNameOf(std::string_view qualifier) {
    const size_t dot = qualifier.rfind('.');
    return std::string(dot == std::string_view::npos ? qualifier : qualifier.substr(dot + 1));
}

void AppendEntryItems(const std::string& entry, CHHMemberItemArray& items) {
    std::string_view rest;
    const WORD kind = splitKind(entry, rest);
    if (kind != 2 && kind != 3) {
        appendItem(items, rest, kind);
        return;
    }
    std::string_view remaining;
    const std::string_view name = splitName(rest, remaining);
    if (kind == 3) {
        appendItem(items, name, kind);
        return;
    }
    if (name.empty()) return;
    if (remaining.find("set") != std::string_view::npos) appendItem(items, "set_" + std::string(name), kind);
    const bool getter = remaining.find("get") != std::string_view::npos;
    appendItem(items, getter ? "get_" + std::string(name) : std::string(name), kind);
}

bool EntryDescription(const std::string& entry, std::string_view word, std::string& description) {
    std::string_view rest, text;
    splitKind(entry, rest);
    if (splitName(rest, text) != word) return false;
    description.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            description += "\r\n";
            ++i;
        } else {
            description += text[i];
        }
    }
    return true;
}

std::string FindNewTypeInLine(std::string_view line, std::string_view name) {
    if (name.empty()) return {};
    line = line.substr(0, std::min(line.size(), kNewTypeLineLimit));
    const size_t newAt = line.find(" new ");
    const size_t nameAt = line.find(name);
    if (newAt == std::string_view::npos || nameAt == std::string_view::npos || nameAt > newAt) return {};
    std::string packed;
    for (char c : line)
        if (c != ' ' && c != '\t') packed += c;
    if (packed.find(std::string(name) + "=new") == std::string::npos) return {};
    size_t i = newAt + 4;
    while (i < line.size() && !std::isalpha(static_cast<unsigned char>(line[i])))
        ++i;
    size_t end = i;
    while (end < line.size() && static_cast<unsigned char>(line[end]) < 128 &&
           std::isalpha(static_cast<unsigned char>(line[end])))
        ++end;
    return std::string(line.substr(i, end - i));
}

namespace {

// The object's file, or its alias's when it has none; name becomes the one whose file was found.
std::shared_ptr<const WordFile> objectOrAliasFile(WordFileFolder& folder, std::string& name,
                                                  const AliasResolver& resolve) {
    if (name.empty()) return nullptr;
    if (auto file = folder.Object(name)) return file;
    name = resolve(name);
    return name.empty() ? nullptr : folder.Object(name);
}

void appendSection(const WordFile& file, const std::string& name, CHHMemberItemArray& items) {
    file.ForEachEntry(name, [&](const std::string& entry) {
        AppendEntryItems(entry, items);
        return true;
    });
}

} // namespace

void FillMembersFromWordFiles(WordFileFolder& folder, const std::string& objectName, bool ownOnly,
                              const AliasResolver& resolve, CHHMemberItemArray& items) {
    std::string name = objectName;
    auto file = objectOrAliasFile(folder, name, resolve);
    if (!file) return;
    appendSection(*file, name, items);
    if (ownOnly) return;
    std::unordered_set<std::string> listed{lower(name)};
    for (int step = 0; step < kMaxAliasSteps; ++step) {
        name = resolve(name);
        if (name.empty() || !listed.insert(lower(name)).second) return;
        file = folder.Object(name);
        if (!file) return;
        appendSection(*file, name, items);
    }
}

std::string QuickInfoFromWordFiles(WordFileFolder& folder, const std::string& objectName, std::string word,
                                   const AliasResolver& resolve) {
    std::string name = objectName;
    const auto file = objectOrAliasFile(folder, name, resolve);
    if (!file) return {};
    if (word.rfind("get_", 0) == 0 || word.rfind("set_", 0) == 0) word.erase(0, 4);
    std::string description;
    bool found = false;
    file->ForEachEntry(name, [&](const std::string& entry) {
        found = EntryDescription(entry, word, description);
        return !found;
    });
    return found ? description : std::string();
}

} // namespace hh
