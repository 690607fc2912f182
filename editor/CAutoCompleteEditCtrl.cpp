#include "editor/CAutoCompleteEditCtrl.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kNewTypeLineLimit = 100;

struct AutoCompleteState {
    hh::WordFileFolder folder;
    std::shared_ptr<const hh::WordFile> main;
    bool loaded = false;
    BOOL autoOn = TRUE;
    BOOL listUnique = FALSE;
    WORD scanLines = 40;
};

AutoCompleteState& state() {
    static AutoCompleteState s;
    return s;
}

// The folder two levels above a path: the program folder of ".../AutoComplete/AutoComplete.ini".
std::string programFolderOf(std::string path) {
    for (int level = 0; level < 2; ++level) {
        const size_t slash = path.find_last_of('/');
        path = slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    return path.empty() ? "./" : path + '/';
}

} // namespace

// A missing main file leaves the alias table empty; it is not looked for again.
BOOL LoadAutoCompleteIni(LPCSTR path) {
    AutoCompleteState& s = state();
    if (s.loaded) return TRUE;
    s.loaded = true;
    std::string file = path ? path : "";
    std::replace(file.begin(), file.end(), '\\', '/');
    s.folder.SetProgramFolder(programFolderOf(file));
    s.main = s.folder.Load(hh::WordFileFolder::FindPathNoCase(file));
    return s.main != nullptr;
}

std::shared_ptr<const hh::WordFile> LoadNamedAutoCompleteIni(LPCSTR name) {
    return state().folder.Object(name ? name : "");
}

void SetAutoCompleteAuto(BOOL on) {
    state().autoOn = on;
}
BOOL GetAutoCompleteAuto() {
    return state().autoOn;
}
void SetAutoCompleteListUnique(BOOL on) {
    state().listUnique = on;
}
BOOL GetAutoCompleteListUnique() {
    return state().listUnique;
}
void SetAutoCompleteScanLines(WORD lines) {
    state().scanLines = lines;
}

IMPLEMENT_DYNAMIC(CAutoCompleteEditCtrl, CHHAssistEditCtrl)

hh::AliasResolver CAutoCompleteEditCtrl::resolver() {
    return [this](const std::string& name) {
        return std::string(static_cast<LPCSTR>(ResolveAlias(name.c_str())));
    };
}

void CAutoCompleteEditCtrl::FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int) {
    if (!GetAutoCompleteAuto()) return;
    const std::string object = hh::ObjectNameOf(static_cast<LPCSTR>(info.m_strQualifier));
    hh::FillMembersFromWordFiles(state().folder, object, GetAutoCompleteListUnique() != FALSE, resolver(),
                                 items);
}

CString CAutoCompleteEditCtrl::GetQuickInfoText(CHHExpressionInfo& info) {
    if (!GetAutoCompleteAuto() || info.m_strQualifier.IsEmpty()) return CString();
    const std::string object = hh::ObjectNameOf(static_cast<LPCSTR>(info.m_strQualifier));
    return hh::QuickInfoFromWordFiles(state().folder, object, static_cast<LPCSTR>(info.m_strWord), resolver())
        .c_str();
}

CString CAutoCompleteEditCtrl::ResolveAlias(LPCSTR name) {
    AutoCompleteState& s = state();
    if (!name || !*name) return CString();
    if (s.main)
        if (const std::string* alias = s.main->Find("Alias", name)) return alias->c_str();
    const int caretLine = static_cast<int>(LineFromChar(-1));
    const int lowest = std::max(0, caretLine - static_cast<int>(s.scanLines));
    for (int line = caretLine - 1; line >= lowest; --line) {
        const CString type = FindNewType(line, name);
        if (!type.IsEmpty()) return type;
    }
    return CString();
}

CString CAutoCompleteEditCtrl::FindNewType(int line, LPCSTR name) {
    const int start = LineIndex(line);
    if (start < 0) return CString();
    const int length = std::min(LineLength(start), kNewTypeLineLimit);
    const CString text = GetTextRange(CHARRANGE{start, start + length});
    return hh::FindNewTypeInLine(static_cast<LPCSTR>(text), name ? name : "").c_str();
}
