#pragma once
// Opening and saving the BODY colours of an HTML file. Files are read and written as bytes. A save
// re-reads the file on disk and rewrites only its colour attributes; it is split in two (prepare,
// then finish) so that the window can ask about missing attributes in between.

#include "colourtool/core/body_colours.h"
#include "colourtool/core/body_tag.h"
#include "colourtool/core/document_colours.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

// Texts of the document commands.
extern const char kCaptionPrefix[];     // "Tintara 2.5.0 - "
extern const char kUntitled[];          // "Untitled"
extern const char kInvalidHtmlFile[];   // "Invalid HTML file. Could not find body." (exclamation)
extern const char kDiscardChanges[];    // "Discard changes and create a new file?" (question, OK/Cancel)
extern const char kDiscardForOpen[];    // "Discard changes and open another file?" (question, OK/Cancel)
extern const char kHtmlFilterName[];    // "Internet files"
extern const char kHtmlFilterPattern[]; // "*.HTM;*.HTML;*.SHTML;*.ASP"
extern const char kOpenHtmlTitle[];     // "Open HTML file"
extern const char kSaveHtmlTitle[];     // "Save HTML file"

// HTML files longer than this are not read.
constexpr std::size_t kMaxHtmlBytes = std::size_t{64} << 20;

// The question before missing attributes are added: the fixed text, CR LF twice, then each
// attribute name followed by CR LF.
std::string missingAttributesQuestion(const std::vector<Sample>& missing);

// A file opened (or dropped): its text and the colours its BODY tag names. `found` is false when the
// file cannot be read or holds no "<BODY"; the window then shows kInvalidHtmlFile.
struct OpenedHtml {
    bool found = false;
    std::string text;
    BodyColours colours;
};

OpenedHtml openHtmlFile(const std::string& path, std::size_t maxBytes = kMaxHtmlBytes);

enum class SaveStatus {
    Ready,      // the rewrite can go on (after the question about `missing`, when not empty)
    NoBody,     // the file holds no "<BODY": show kInvalidHtmlFile, write nothing, keep the colours
    Unreadable, // the file exists but cannot be read: report `error`, write nothing
};

struct HtmlSavePlan {
    SaveStatus status = SaveStatus::Ready;
    std::string path;
    std::string text; // the file on disk, or the default document for a new file
    std::optional<BodyTag> tag;
    std::vector<Sample> missing; // colour attributes the tag lacks
    std::string error;           // message text for Unreadable
};

// Reads the file to be saved, whose colour attributes are rewritten. `page` is the document's text
// in memory (the default document for an untitled one): a file that does not exist, yet or any
// more, is saved from it. A file that exists but cannot be read is first copied to its name + ".bu0"
// (an existing copy is replaced) and then refused: it is never overwritten.
HtmlSavePlan prepareHtmlSave(const std::string& path, const std::string& page,
                             std::size_t maxBytes = kMaxHtmlBytes);

// The page saved under another name: `page` with its colours replaces whatever `path` holds.
HtmlSavePlan preparePageCopy(const std::string& path, const std::string& page);

struct HtmlSaveResult {
    bool written = false;
    std::string text;  // the document as written
    std::string error; // message text when not written
};

// Rewrites the plan's text with the colours (adding the missing attributes when asked) and replaces
// the file safely. The text is written exactly, with no line break added.
HtmlSaveResult finishHtmlSave(const HtmlSavePlan& plan, const DocumentColours& colours, bool addMissing);

} // namespace tintara
