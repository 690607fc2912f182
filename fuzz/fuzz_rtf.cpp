// Feeds arbitrary bytes to the rich-edit RTF reader, as a whole text and as a selection, whole and
// in pieces of a size the input picks: both ways must give the same text and runs.
#include "platform/win/richedit/rtf_reader.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace pm::richedit;

RtfError readInPieces(std::string_view rtf, std::size_t size, FormatTable& formats, bool whole,
                      RtfDocument& doc) {
    DocumentOutput out(doc);
    RtfReader reader(RunFormat{}, formats, out);
    for (std::size_t at = 0; at < rtf.size(); at += size)
        if (RtfError e = reader.feed(rtf.substr(at, size)); e != RtfError::None) return e;
    return reader.finish(whole);
}

bool samePieces(const RtfDocument& a, const RtfDocument& b) {
    if (a.text != b.text || a.pieces.size() != b.pieces.size()) return false;
    for (std::size_t i = 0; i < a.pieces.size(); ++i)
        if (a.pieces[i].length != b.pieces[i].length || a.pieces[i].format != b.pieces[i].format)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    std::size_t piece = size > 0 ? data[0] % 13 + 1 : 1;
    FormatTable formats;
    for (bool whole : {true, false}) {
        RtfDocument doc;
        RtfError error = readRtf(rtf, RunFormat{}, formats, whole, doc);
        RtfDocument pieces;
        if (readInPieces(rtf, piece, formats, whole, pieces) != error) __builtin_trap();
        if (error != RtfError::None) continue;
        if (!samePieces(doc, pieces)) __builtin_trap();
        std::size_t total = 0;
        for (const FormattedPiece& p : doc.pieces)
            total += static_cast<std::size_t>(p.length);
        if (total != doc.text.size()) __builtin_trap();
        RichTextModel model;
        model.setFormattedText(doc.text, doc.pieces);
        if (model.length() != static_cast<int>(doc.text.size())) __builtin_trap();
    }
    return 0;
}
