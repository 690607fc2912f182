// GetOpenFileName and GetSaveFileName over the desktop's file dialog: filter pairs, the filter
// index in and out, the default extension, the Win32 buffer forms of the result, and the refusal of
// names that are not regular files.

#include "platform/win/dialogs/common_dialogs.h"
#include "platform/win/file_contents.h"
#include "platform/win/windlg.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace pm::dialogs {
namespace {

std::string withBlanksForSemicolons(std::string text) {
    for (char& c : text)
        if (c == ';') c = ' ';
    return text;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "Text\0*.txt;*.log\0\0" pairs as "Text (*.txt *.log)". A description that ends with its patterns
// already ("Text (*.txt;*.log)") is not given them twice: it reads "Text (*.txt *.log)".
std::vector<std::string> filtersOf(LPCSTR pairs) {
    std::vector<std::string> out;
    for (const char* p = pairs; p && *p;) {
        std::string description = p;
        p += description.size() + 1;
        if (!*p) break;
        const std::string patterns = withBlanksForSemicolons(p);
        p += std::strlen(p) + 1;
        const std::string shown = "(" + patterns + ")";
        const std::string spaced = withBlanksForSemicolons(description);
        out.push_back(endsWith(spaced, shown) ? spaced : description + " " + shown);
    }
    return out;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The offset of the extension in a path (after the dot), or 0 when it has none.
WORD extensionOffset(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
    return static_cast<WORD>(dot + 1);
}

// The result text: one path, or the folder and each name (multiple selection), NUL-separated,
// ending in two NULs.
std::string resultText(const std::vector<std::string>& paths, bool multiple) {
    if (!multiple || paths.size() == 1) return paths.front() + std::string(1, '\0');
    std::string text = folderOf(paths.front()) + std::string(1, '\0');
    for (const std::string& p : paths)
        text += nameOf(p) + std::string(1, '\0');
    return text + std::string(1, '\0');
}

// A name chosen that stands for a named pipe, a device, a socket or a folder is refused with a box
// that names it (reading or writing it could wait for good); the dialog is then shown again.
bool allRegularOrNew(HWND owner, const std::string& title, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const sys::FileResult special = sys::checkChosenFile(path);
        if (special) continue;
        MessageBoxA(owner, special.message().c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

BOOL run(LPOPENFILENAMEA ofn, bool save) {
    setExtendedError(0);
    if (!ofn || ofn->lStructSize == 0) {
        setExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        setExtendedError(CDERR_INITIALIZATION);
        return FALSE;
    }
    CommonDialogRequest request;
    request.kind = save ? CommonDialog::Save : CommonDialog::Open;
    request.owner = ofn->hwndOwner;
    request.title = ofn->lpstrTitle ? ofn->lpstrTitle : (save ? "Save As" : "Open");
    request.folder = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "";
    request.fileName = std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    request.filters = filtersOf(ofn->lpstrFilter);
    request.filterIndex = ofn->nFilterIndex > 0 ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
    request.multiple = !save && (ofn->Flags & OFN_ALLOWMULTISELECT);
    request.mustExist = !save && (ofn->Flags & OFN_FILEMUSTEXIST);
    request.overwritePrompt = save && (ofn->Flags & OFN_OVERWRITEPROMPT);
    CommonDialogAnswer answer;
    std::vector<std::string> paths;
    for (;;) {
        answer = ask(request);
        if (!answer.accepted || answer.paths.empty()) return FALSE;
        paths = answer.paths;
        if (save && ofn->lpstrDefExt && *ofn->lpstrDefExt && !extensionOffset(paths.front()))
            paths.front() += std::string(".") + ofn->lpstrDefExt;
        if (allRegularOrNew(ofn->hwndOwner, request.title, paths)) break;
        // Asked again, with the refused name to mend.
        request.fileName = paths.front();
    }
    std::string text = resultText(paths, request.multiple);
    if (text.size() > ofn->nMaxFile) {
        // The buffer's first two bytes tell the size needed.
        WORD need = static_cast<WORD>(std::min<std::size_t>(text.size(), 0xFFFF));
        if (ofn->nMaxFile >= 2) std::memcpy(ofn->lpstrFile, &need, sizeof need);
        setExtendedError(FNERR_BUFFERTOOSMALL);
        return FALSE;
    }
    std::memcpy(ofn->lpstrFile, text.data(), text.size());
    bool several = request.multiple && paths.size() > 1;
    ofn->nFileOffset = static_cast<WORD>(several ? folderOf(paths.front()).size() + 1
                                                 : paths.front().size() - nameOf(paths.front()).size());
    ofn->nFileExtension = several ? 0 : extensionOffset(paths.front());
    if (!request.filters.empty()) ofn->nFilterIndex = static_cast<DWORD>(answer.filterIndex + 1);
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0 && !several) {
        std::string title = nameOf(paths.front());
        std::size_t n = std::min<std::size_t>(title.size(), ofn->nMaxFileTitle - 1);
        std::memcpy(ofn->lpstrFileTitle, title.data(), n);
        ofn->lpstrFileTitle[n] = '\0';
    }
    ofn->Flags &= ~static_cast<DWORD>(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
        std::error_code ignored;
        std::filesystem::current_path(folderOf(paths.front()), ignored);
    }
    return TRUE;
}

} // namespace
} // namespace pm::dialogs

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    return pm::dialogs::run(ofn, false);
}
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    return pm::dialogs::run(ofn, true);
}

bool pm::chooseFolder(HWND owner, const std::string& title, std::string& folder) {
    CommonDialogRequest request;
    request.kind = CommonDialog::Folder;
    request.owner = owner;
    request.title = title;
    request.folder = folder;
    CommonDialogAnswer answer = dialogs::ask(request);
    if (!answer.accepted || answer.paths.empty()) return false;
    folder = answer.paths.front();
    return true;
}

bool pm::chooseShownFolder(HWND owner, const std::string& title, const std::string& acceptLabel,
                           std::string& folder) {
    CommonDialogRequest request;
    request.kind = CommonDialog::Folder;
    request.owner = owner;
    request.title = title;
    request.folder = folder;
    request.acceptLabel = acceptLabel;
    CommonDialogAnswer answer = dialogs::ask(request);
    if (!answer.accepted || answer.shownFolder.empty()) return false;
    std::error_code failed;
    std::filesystem::current_path(answer.shownFolder, failed);
    if (failed) return false;
    folder = answer.shownFolder;
    return true;
}
