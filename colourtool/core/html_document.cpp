#include "colourtool/core/html_document.h"

#include "colourtool/core/file_io.h"
#include "colourtool/core/notations.h"
#include "platform/win/file_contents.h"

namespace tintara {

const char kCaptionPrefix[] = "Tintara 2.5.0 - ";
const char kUntitled[] = "Untitled";
const char kInvalidHtmlFile[] = "Invalid HTML file. Could not find body.";
const char kDiscardChanges[] = "Discard changes and create a new file?";
const char kDiscardForOpen[] = "Discard changes and open another file?";
const char kHtmlFilterName[] = "Internet files";
const char kHtmlFilterPattern[] = "*.HTM;*.HTML;*.SHTML;*.ASP";
const char kOpenHtmlTitle[] = "Open HTML file";
const char kSaveHtmlTitle[] = "Save HTML file";

std::string missingAttributesQuestion(const std::vector<Sample>& missing) {
    std::string text = "The following options are not specified in BODY. Do you want to add them?\r\n\r\n";
    for (Sample sample : missing)
        text += std::string(bodyAttributeName(sample)) + "\r\n";
    return text;
}

OpenedHtml openHtmlFile(const std::string& path, std::size_t maxBytes) {
    OpenedHtml opened;
    FileRead file = readWholeFile(path, maxBytes);
    if (file.status != ReadStatus::Ok) return opened;
    const std::optional<BodyTag> tag = findBodyTag(file.bytes);
    if (!tag) return opened;
    opened.found = true;
    opened.colours = readBodyColours(file.bytes, *tag);
    opened.text = std::move(file.bytes);
    return opened;
}

namespace {

// The plan of writing `text` with its colours to `path`.
HtmlSavePlan planOf(const std::string& path, std::string text) {
    HtmlSavePlan plan;
    plan.path = path;
    plan.text = std::move(text);
    plan.tag = findBodyTag(plan.text);
    if (!plan.tag) {
        plan.status = SaveStatus::NoBody;
        return plan;
    }
    plan.missing = missingBodyAttributes(plan.text, *plan.tag);
    return plan;
}

} // namespace

HtmlSavePlan prepareHtmlSave(const std::string& path, const std::string& page, std::size_t maxBytes) {
    FileRead file = readWholeFile(path, maxBytes);
    if (file.status == ReadStatus::Unreadable || file.status == ReadStatus::TooLarge) {
        copyFile(path, path + ".bu0");
        HtmlSavePlan plan;
        plan.path = path;
        plan.status = SaveStatus::Unreadable;
        plan.error = "Could not read " + path + " (" + file.error + "). The file was not changed.";
        return plan;
    }
    return planOf(path, file.status == ReadStatus::Ok ? std::move(file.bytes) : page);
}

HtmlSavePlan preparePageCopy(const std::string& path, const std::string& page) {
    return planOf(path, page);
}

HtmlSaveResult finishHtmlSave(const HtmlSavePlan& plan, const DocumentColours& colours, bool addMissing) {
    HtmlSaveResult result;
    if (plan.status != SaveStatus::Ready || !plan.tag) {
        result.error = plan.status == SaveStatus::Unreadable ? plan.error : kInvalidHtmlFile;
        return result;
    }
    result.text = rewriteBodyColours(plan.text, *plan.tag, colours, addMissing);
    const pm::sys::FileResult written = pm::sys::replaceFileContents(plan.path, result.text);
    if (!written) {
        result.error = "Could not save " + plan.path + " (" + written.reason + ").";
        return result;
    }
    result.written = true;
    return result;
}

} // namespace tintara
