#pragma once
// Auto-completion word files: INI text with an "Alias" section in the main file and, in one file
// per object, the object's members as entries "kind,name,description" under the keys "0", "1", ...
// Files are read with bounds on every size and count, found without regard to the case of their
// names, and kept parsed until their modification time or size changes on disk.

#include "editor/CHHMemberItem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace hh {

// Bounds on what is read from a word file.
constexpr size_t kMaxWordFileBytes = 4u << 20;
constexpr int kMaxWordFileEntries = 32767; // the keys are 16-bit indexes
constexpr size_t kMaxObjectName = 128;
// How many alias steps a member list follows.
constexpr int kMaxAliasSteps = 16;

class WordFile {
public:
    // Section lines in square brackets, key=value lines split at the first '=', comment lines
    // beginning with ';'; lines are trimmed, keys and values are not; a later key replaces an
    // earlier one. Text beyond the bounds is left unread.
    static WordFile Parse(std::string_view text);
    // The value of a key; null when missing. Section and key names are compared exactly.
    const std::string* Find(std::string_view section, std::string_view key) const;
    // The entries of a section from key "0" on, up to the first missing key.
    void ForEachEntry(std::string_view section, const std::function<bool(const std::string&)>& visit) const;

private:
    using Section = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, Section> m_sections;
};

// An object name can name a file: letters, digits, '_' and '$', not empty, not too long.
bool IsObjectFileName(std::string_view name);

// The word-file folder of a program folder, with the files read so far.
class WordFileFolder {
public:
    // programFolder ends in '/'. The word files live in its folder "AutoComplete" (any case).
    void SetProgramFolder(std::string programFolder);
    const std::string& GetProgramFolder() const { return m_programFolder; }
    // The main file "AutoComplete.ini"; null when it does not exist or cannot be read.
    std::shared_ptr<const WordFile> Main();
    // The object's file "<name>.ini"; null when there is none.
    std::shared_ptr<const WordFile> Object(std::string_view name);
    // A file read through the cache by its path; null when it cannot be read.
    std::shared_ptr<const WordFile> Load(const std::string& path);
    // The path itself when it exists, else the path whose folders and name match its own without
    // regard to case; "" when there is none.
    static std::string FindPathNoCase(const std::string& path);

private:
    // The entry of folder whose name equals name without regard to case (an exact match first);
    // the full path, or "" when there is none.
    static std::string FindEntryNoCase(const std::string& folder, std::string_view name);
    std::string WordFolder() const;

    struct Cached {
        std::int64_t modified = 0;
        std::int64_t size = -1;
        std::shared_ptr<const WordFile> file;
    };
    std::string m_programFolder;
    std::map<std::string, Cached> m_cache;
};

// The object of an expression's qualifier: the text after its last '.', or all of it.
std::string ObjectNameOf(std::string_view qualifier);

// The member items of one word-file entry "kind,name,description" appended to items.
void AppendEntryItems(const std::string& entry, CHHMemberItemArray& items);
// The description of an entry whose name field is word; false when the entry names another.
bool EntryDescription(const std::string& entry, std::string_view word, std::string& description);

// The type T of a line "... name = new T ..." (in its first 100 characters); "" otherwise.
std::string FindNewTypeInLine(std::string_view line, std::string_view name);

// Resolves a name to the object whose file describes it ("" when none).
using AliasResolver = std::function<std::string(const std::string&)>;

// The members for the object name: its own file (or its alias's when it has none), then, unless
// ownOnly, the files along its alias chain, stopping at a name already listed or after
// kMaxAliasSteps steps. An empty name lists nothing.
void FillMembersFromWordFiles(WordFileFolder& folder, const std::string& objectName, bool ownOnly,
                              const AliasResolver& resolve, CHHMemberItemArray& items);
// The tip for word (a leading get_ or set_ ignored) of the object name; "" when none. Line breaks
// written as the pair \n come out as CR LF.
std::string QuickInfoFromWordFiles(WordFileFolder& folder, const std::string& objectName, std::string word,
                                   const AliasResolver& resolve);

} // namespace hh
