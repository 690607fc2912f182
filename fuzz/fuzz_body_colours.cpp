// Feeds arbitrary documents to the BODY tag scanner, the colour reader and the rewrite: a rewrite
// must keep every byte outside the colour values, so declining additions and restoring the old
// values gives the document back.
#include "colourtool/core/body_colours.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    const std::optional<tintara::BodyTag> tag = tintara::findBodyTag(document);
    if (!tag) return 0;
    check(tag->nameBegin >= 1 && tag->nameBegin + 4 <= document.size());
    check(!tag->closed() || (tag->end < document.size() && document[tag->end] == '>'));
    for (const tintara::BodyAttribute& a : tag->attributes) {
        check(a.nameBegin < a.nameEnd && a.nameEnd <= document.size());
        check(!a.hasValue || (a.valueBegin <= a.valueEnd && a.valueEnd <= document.size()));
    }
    tintara::readBodyColours(document, *tag);
    const std::vector<tintara::Sample> missing = tintara::missingBodyAttributes(document, *tag);
    const tintara::DocumentColours colours = tintara::DocumentColours::defaults();
    const std::string kept = tintara::rewriteBodyColours(document, *tag, colours, false);
    const std::string added = tintara::rewriteBodyColours(document, *tag, colours, true);
    check(added.size() >= kept.size());
    if (!tag->closed()) check(kept == document && added == document);
    // Rewriting the rewrite with the same colours changes nothing more.
    const std::optional<tintara::BodyTag> again = tintara::findBodyTag(added);
    check(again.has_value());
    check(tintara::rewriteBodyColours(added, *again, colours, true) == added);
    (void)missing;
    return 0;
}
