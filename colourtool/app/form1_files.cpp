// The main window's HTML document: new, open, save, save as and dropped files. Opening reads the
// five BODY colours into the samples; saving re-reads the file and rewrites only its colour
// attributes.

#include "colourtool/app/form1.h"

#include "colourtool/core/html_document.h"

#include "platform/forms/app.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/msgbox.h"

namespace tintara {
namespace {

constexpr char kMultipleFiles[] = "You cannot open multiple files.";

vb::FileDialogRequest htmlFileRequest(HWND owner, const char* title) {
    vb::FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filters = {{kHtmlFilterName, kHtmlFilterPattern}, {"All Files", "*.*"}};
    request.folder = vb::App().Path();
    return request;
}

} // namespace

void Form1::showCaption(const std::string& name) {
    MeCaption.SetCaption(kCaptionPrefix + name);
    // The drawn title bar's text is the window's title on the desktop (task bar, window list) too.
    SetCaption(kCaptionPrefix + name);
}

void Form1::newDocument() {
    if (vb::MsgBox(kDiscardChanges, vb::vbOKCancel | vb::vbQuestion) == vb::vbOK) Reset();
}

void Form1::openDocument() {
    std::optional<std::string> path = vb::dialogs().OpenFile(htmlFileRequest(hWnd(), kOpenHtmlTitle));
    if (!path || path->empty()) return;
    loadDocument(*path);
}

void Form1::loadDocument(const std::string& path) {
    Reset();
    FileName = path;
    showCaption(FileName);
    DocText.clear();
    OpenedHtml opened = openHtmlFile(path);
    if (!opened.found) {
        vb::MsgBox(kInvalidHtmlFile, vb::vbExclamation);
        FileName.clear();
        DocText.clear();
        Reset();
        return;
    }
    DocText = opened.text;
    for (Sample sample : kAllSamples) {
        const std::optional<Rgb>& colour = opened.colours.of(sample);
        if (!colour) continue;
        bool background = sample == Sample::Background;
        CON = background ? static_cast<vb::Control*>(&Preview) : &Label1[static_cast<int>(sample) - 1];
        TYP = background ? 1 : 2;
        setWorkingColour(*colour);
        UpdateSpectra();
    }
    Label1_Click(0);
}

void Form1::dropFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    if (paths.size() > 1) {
        vb::MsgBox(kMultipleFiles);
        return;
    }
    loadDocument(paths.front());
}

void Form1::Form_OLEDragDrop(const std::vector<std::string>& files) {
    dropFiles(files);
}

void Form1::popup3b_Click(int index) {
    const std::string previousName = FileName;
    if (FileName.empty() || index == 1) {
        std::optional<std::string> path = vb::dialogs().SaveFile(htmlFileRequest(hWnd(), kSaveHtmlTitle));
        if (!path || path->empty()) return; // a cancelled dialog ends the command
        FileName = *path;
    }
    showCaption(FileName);
    HtmlSavePlan plan = prepareHtmlSave(FileName);
    if (plan.status == SaveStatus::NoBody) {
        // Nothing is written; the colours and the document they were saved from stay.
        vb::MsgBox(kInvalidHtmlFile, vb::vbExclamation);
        FileName = previousName;
        showCaption(FileName.empty() ? kUntitled : FileName);
        return;
    }
    if (plan.status == SaveStatus::Unreadable) {
        vb::MsgBox(plan.error, vb::vbExclamation);
        return;
    }
    bool addMissing = false;
    if (!plan.missing.empty())
        addMissing =
            vb::MsgBox(missingAttributesQuestion(plan.missing), vb::vbOKCancel | vb::vbQuestion) == vb::vbOK;
    HtmlSaveResult result = finishHtmlSave(plan, documentColours(), addMissing);
    if (!result.written) {
        vb::MsgBox(result.error, vb::vbExclamation);
        return;
    }
    DocText = result.text;
}

} // namespace tintara
