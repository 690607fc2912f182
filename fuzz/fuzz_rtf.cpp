// Feeds arbitrary bytes to the rich-edit RTF reader, as a whole text and as a selection.
#include "platform/win/richedit/rtf_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pm::richedit;
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    FormatTable formats;
    RtfDocument doc;
    for (bool whole : {true, false}) {
        if (readRtf(rtf, RunFormat{}, formats, whole, doc) != RtfError::None) continue;
        std::size_t total = 0;
        for (const FormattedPiece& p : doc.pieces) total += static_cast<std::size_t>(p.length);
        if (total != doc.text.size()) __builtin_trap();
        RichTextModel model;
        model.setFormattedText(doc.text, doc.pieces);
        if (model.length() != static_cast<int>(doc.text.size())) __builtin_trap();
    }
    return 0;
}
