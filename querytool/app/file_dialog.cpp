#include "querytool/app/file_dialog.h"

#include "platform/win/commdlg.h"

std::string AskFileName(HWND owner, const FileDialogRequest& request, DWORD* filterIndex) {
    char file[4096] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = request.title;
    ofn.lpstrDefExt = request.defaultExtension;
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (request.save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL chosen = request.save ? GetSaveFileName(&ofn) : GetOpenFileName(&ofn);
    if (!chosen) return std::string();
    if (filterIndex) *filterIndex = ofn.nFilterIndex;
    return file;
}
