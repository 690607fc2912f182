#pragma once
// The open and save file dialogs and the colour dialog behind a small interface: the system's
// (GetOpenFileName, GetSaveFileName and ChooseColor of the window layer) or a fake for tests.
// Use:
//   vb::FileDialogRequest request;
//   request.owner = form.hWnd();
//   request.title = "Open";
//   request.filters = {{"Text files", "*.txt"}, {"All Files", "*.*"}};
//   request.folder = vb::App().Path();
//   if (auto path = vb::dialogs().OpenFile(request)) ... // nothing when cancelled
//   if (auto colour = vb::dialogs().ChooseColour(form.hWnd(), 0, CC_FULLOPEN)) ...

#include "platform/win/windows.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vb {

struct FileDialogRequest {
    HWND owner = nullptr;
    std::string title;
    // Pairs of a description and its patterns ("*.htm;*.html").
    std::vector<std::pair<std::string, std::string>> filters;
    int filterIndex = 1; // 1-based: the filter selected as the dialog opens
    std::string folder;  // the folder it opens in ("" for the current one)
    std::string fileName;
    std::string defaultExtension;   // without the full stop, "" for none
    DWORD flags = OFN_HIDEREADONLY; // OFN_* flags
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // The chosen file's full path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    // The chosen colour, or nothing when cancelled. `flags` are CC_* flags; with CC_RGBINIT the
    // dialog starts at `initial`. The sixteen custom colours start white and are not kept.
    virtual std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial, DWORD flags) = 0;
};

// The window layer's common dialogs.
class SystemDialogs : public DialogService {
public:
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial, DWORD flags) override;
};

// Answers from functions set by the test (cancelled when unset) and records the requests.
class FakeDialogs : public DialogService {
public:
    enum class Kind { Open, Save };
    std::function<std::optional<std::string>(Kind kind, const FileDialogRequest& request)> fileAnswer;
    std::function<std::optional<COLORREF>(COLORREF initial, DWORD flags)> colourAnswer;
    std::vector<std::pair<Kind, FileDialogRequest>> fileRequests;
    int colourRequests = 0;

    std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
        return file(Kind::Open, request);
    }
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
        return file(Kind::Save, request);
    }
    std::optional<COLORREF> ChooseColour(HWND, COLORREF initial, DWORD flags) override {
        ++colourRequests;
        if (!colourAnswer) return std::nullopt;
        return colourAnswer(initial, flags);
    }

private:
    std::optional<std::string> file(Kind kind, const FileDialogRequest& request) {
        fileRequests.emplace_back(kind, request);
        if (!fileAnswer) return std::nullopt;
        return fileAnswer(kind, request);
    }
};

// The service in use (the system's unless replaced); nullptr restores the system's.
DialogService& dialogs();
void setDialogs(DialogService* service);

} // namespace vb
