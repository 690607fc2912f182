#include "app/CDirList.h"

#include "app/file_helpers.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' and '?' matching without regard to case; linear in practice (one backtracking point).
bool Glob(const std::string& name, const std::string& pattern) {
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool EndsWith(const std::string& s, const char* tail) {
    std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool Matches(const std::string& name, const std::string& pattern) {
    if (pattern == "*" || pattern == "*.*") return true;
    if (EndsWith(pattern, ".") && !EndsWith(pattern, ".."))
        return name.find('.') == std::string::npos && Glob(name, pattern.substr(0, pattern.size() - 1));
    if (EndsWith(pattern, ".*") && Glob(name, pattern.substr(0, pattern.size() - 2))) return true;
    return Glob(name, pattern);
}

// Lists the current directory's entries of one kind that match pattern.
void ListCurrent(CStringList& list, const std::string& pattern, bool folders) {
    std::error_code error;
    for (fs::directory_iterator it(".", error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == "..") continue;
        std::error_code kindError;
        if (it->is_directory(kindError) != folders) continue;
        if (Matches(name, pattern)) list.AddTail(CString(name.c_str()));
    }
}

bool ChangeDirectory(LPCTSTR lpszDir) {
    if (!lpszDir) return true;
    std::error_code error;
    fs::current_path(fs::path(static_cast<LPCTSTR>(NativePath(lpszDir))), error);
    return !error;
}

} // namespace

BOOL CDirList::MatchesPattern(LPCTSTR lpszName, LPCTSTR lpszPattern) {
    return Matches(lpszName ? lpszName : "", lpszPattern ? lpszPattern : "") ? TRUE : FALSE;
}

BOOL CDirList::ListFiles(CStringList& list, LPCTSTR lpszPattern, LPCTSTR lpszDir) {
    list.RemoveAll();
    if (!ChangeDirectory(lpszDir)) return FALSE;
    ListCurrent(list, lpszPattern ? lpszPattern : "", false);
    return TRUE;
}

BOOL CDirList::ListDirs(CStringList& list, LPCTSTR lpszDir) {
    list.RemoveAll();
    if (!ChangeDirectory(lpszDir)) return FALSE;
    ListCurrent(list, "*.", true);
    return TRUE;
}

void CDirList::ListRecursive(CStringList& list, LPCTSTR lpszPattern, LPCTSTR lpszDir) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(static_cast<LPCTSTR>(NativePath(lpszDir))), error);
    if (!error) AddRecursive(list, lpszPattern, CString(lpszDir ? lpszDir : ""), absolute.string().c_str());
}

// Folders are reached by absolute path, so a relative starting folder keeps working after the
// current directory has moved; the names added keep the caller's form of the folder.
void CDirList::AddRecursive(CStringList& list, LPCTSTR lpszPattern, const CString& strShown,
                            LPCTSTR lpszAbsolute) {
    CStringList files, dirs;
    if (!ListFiles(files, lpszPattern, lpszAbsolute)) return;
    for (POSITION pos = files.GetHeadPosition(); pos;)
        list.AddTail(strShown + "/" + files.GetNext(pos));
    if (!ListDirs(dirs, lpszAbsolute)) return;
    std::string absolute(lpszAbsolute);
    for (POSITION pos = dirs.GetHeadPosition(); pos;) {
        CString name = dirs.GetNext(pos);
        AddRecursive(list, lpszPattern, strShown + "/" + name,
                     (absolute + "/" + static_cast<LPCTSTR>(name)).c_str());
    }
}
