#include "platform/forms/dialog_service.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vb {
namespace {

DialogService* g_service = nullptr;
constexpr DWORD kPathBuffer = 4096;

// "description\0patterns\0...\0" as the dialog record wants it.
std::string filterText(const FileDialogRequest& request) {
    std::string text;
    for (const auto& [description, patterns] : request.filters) {
        text += description;
        text += '\0';
        text += patterns;
        text += '\0';
    }
    text += '\0';
    return text;
}

using FileDialogCall = BOOL (*)(LPOPENFILENAMEA);

std::optional<std::string> runFileDialog(FileDialogCall call, const FileDialogRequest& request) {
    std::string filter = filterText(request);
    std::string buffer(kPathBuffer, '\0');
    std::memcpy(buffer.data(), request.fileName.data(),
                std::min<std::size_t>(request.fileName.size(), kPathBuffer - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kPathBuffer;
    ofn.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    // Several names would come as a folder and names; one path is what callers take.
    ofn.Flags = request.flags & ~static_cast<DWORD>(OFN_ALLOWMULTISELECT);
    if (!call(&ofn)) return std::nullopt;
    std::string path(buffer.c_str());
    if (path.empty()) return std::nullopt;
    return path;
}

} // namespace

std::optional<std::string> SystemDialogs::OpenFile(const FileDialogRequest& request) {
    return runFileDialog(GetOpenFileNameA, request);
}

std::optional<std::string> SystemDialogs::SaveFile(const FileDialogRequest& request) {
    return runFileDialog(GetSaveFileNameA, request);
}

std::optional<COLORREF> SystemDialogs::ChooseColour(HWND owner, COLORREF initial, DWORD flags) {
    std::array<COLORREF, 16> custom;
    custom.fill(RGB(255, 255, 255));
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = initial;
    cc.lpCustColors = custom.data();
    cc.Flags = flags;
    if (!ChooseColorA(&cc)) return std::nullopt;
    return cc.rgbResult & 0x00FFFFFF;
}

DialogService& dialogs() {
    static SystemDialogs system;
    return g_service ? *g_service : system;
}

void setDialogs(DialogService* service) {
    g_service = service;
}

} // namespace vb
