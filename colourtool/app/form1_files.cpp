// The main window's HTML document: new, open, save, save as and dropped files. Opening reads the
// five BODY colours into the samples; saving re-reads the file and rewrites only its colour
// attributes.

#include "colourtool/app/form1.h"

#include "colourtool/core/file_io.h"
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

bool Form1::documentChanged() const {
    return !(documentColours() == m_savedColours);
}

void Form1::markDocumentSaved() {
    m_savedColours = documentColours();
}

bool Form1::changesMayBeDiscarded(const char* question) {
    return !documentChanged() || vb::MsgBox(question, vb::vbOKCancel | vb::vbQuestion) == vb::vbOK;
}

void Form1::newDocument() {
    if (changesMayBeDiscarded(kDiscardChanges)) Reset();
}

void Form1::openDocument() {
    if (!changesMayBeDiscarded(kDiscardForOpen)) return;
    std::optional<std::string> path = vb::dialogs().OpenFile(htmlFileRequest(hWnd(), kOpenHtmlTitle));
    if (!path || path->empty()) return;
    loadDocument(*path);
}

// A file that cannot be read or holds no BODY is reported and leaves the document and its colours
// as they were. Keys typed meanwhile wait until the whole document is in place.
void Form1::loadDocument(const std::string& path) {
    OpenedHtml opened = openHtmlFile(path);
    if (!opened.found) {
        vb::MsgBox(kInvalidHtmlFile, vb::vbExclamation);
        return;
    }
    HeldInput held(*this);
    Reset();
    FileName = path;
    showCaption(FileName);
    DocText = std::move(opened.text);
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
    markDocumentSaved();
}

void Form1::dropFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    if (paths.size() > 1) {
        vb::MsgBox(kMultipleFiles);
        return;
    }
    if (changesMayBeDiscarded(kDiscardForOpen)) loadDocument(paths.front());
}

void Form1::Form_OLEDragDrop(const std::vector<std::string>& files) {
    dropFiles(files);
}

// Save writes the colours into the document's file. Save As of a page under another name writes the
// page itself there (the dialog asks before an existing file is replaced); an untitled document
// writes its colours into the file chosen, or makes it from the default document. The window moves
// to the new name only once the file is written.
void Form1::popup3b_Click(int index) {
    std::string path = FileName;
    if (FileName.empty() || index == 1) {
        vb::FileDialogRequest request = htmlFileRequest(hWnd(), kSaveHtmlTitle);
        if (!FileName.empty()) request.flags |= OFN_OVERWRITEPROMPT;
        std::optional<std::string> chosen = vb::dialogs().SaveFile(request);
        if (!chosen || chosen->empty()) return; // a cancelled dialog ends the command
        path = *chosen;
    }
    const bool copy = !FileName.empty() && !sameFile(path, FileName);
    HtmlSavePlan plan = copy ? preparePageCopy(path, DocText) : prepareHtmlSave(path, DocText);
    if (plan.status == SaveStatus::NoBody) {
        // Nothing is written; the colours and the document they were saved from stay.
        vb::MsgBox(kInvalidHtmlFile, vb::vbExclamation);
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
    FileName = path;
    showCaption(FileName);
    DocText = std::move(result.text);
    markDocumentSaved();
}

} // namespace tintara
