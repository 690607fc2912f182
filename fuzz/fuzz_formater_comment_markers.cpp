// Drives the edit control's comment-marker list as editing does, without a window: the first byte
// chooses the language, the second how many edits follow, the rest is the text. The text's
// markers are scanned and paired, then each edit moves the markers, rescans the changed lines
// (as comment when they start inside one) and pairs again. Checks that markers stay inside the
// text in ascending order, that stretches to recolour stay inside the text and the span limit
// after it, and that the overlay, the blanking and the coloured RTF stay inside their buffers.
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"
#include "editor/HHColoring.h"
#include "editor/TokenRuns.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkMarkers(const CHHCommentMarkerArray& markers, int length) {
    for (INT_PTR i = 0; i < markers.GetSize(); ++i) {
        check(markers[i].m_nPos >= 0 && markers[i].m_nPos + markers[i].m_nLength <= length);
        if (i > 0) check(markers[i - 1].m_nPos < markers[i].m_nPos);
    }
}

void pairAndCheck(CHHCommentMarkerArray& markers, int length) {
    for (const hh::Stretch& s : hh::PairMarkers(markers)) {
        check(s.first >= 0 && s.first <= s.second);
        check(s.second <= length + hh::kMaxCommentSpan);
    }
}

void lineBounds(const std::string& text, int pos, int& from, int& to) {
    from = pos;
    while (from > 0 && text[static_cast<std::size_t>(from - 1)] != '\n')
        --from;
    to = pos;
    while (to < static_cast<int>(text.size()) && text[static_cast<std::size_t>(to)] != '\r' &&
           text[static_cast<std::size_t>(to)] != '\n')
        ++to;
}

void rescan(CHHFormater& formater, CHHCommentMarkerArray& markers, const std::string& text, int start,
            int end) {
    int from = 0, to = 0, ignored = 0;
    lineBounds(text, start, from, ignored);
    lineBounds(text, end, ignored, to);
    if (to <= from) return;
    std::u16string wide = hh::WidenText(text.data() + from, static_cast<std::size_t>(to - from));
    CHHCommentMarkerArray found;
    formater.ScanBlockComments(wide.data(), static_cast<int>(wide.size()), found,
                               hh::InsideComment(markers, from));
    hh::MergeMarkers(markers, found, from);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::unique_ptr<CHHFormater> formater;
    if (data[0] % 2)
        formater = std::make_unique<CHHVBScriptFormater>();
    else
        formater = std::make_unique<CHHJScriptFormater>();
    const int edits = data[1] % 8;
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    text = hh::WithCrLf(text.data(), text.size());
    int length = static_cast<int>(text.size());

    CHHCommentMarkerArray markers;
    std::u16string wide = hh::WidenText(text.data(), text.size());
    formater->ScanBlockComments(wide.data(), length, markers);
    checkMarkers(markers, length);
    pairAndCheck(markers, length);

    std::vector<WORD> tokens(text.size(), 0);
    hh::BlankUnpairedMarkers(markers, 0, length, wide.data());
    formater->ColorizeText(wide.data(), length, tokens.data());
    hh::OverlayCommentPairs(markers, 0, length, tokens.data());
    hh::ColorEntry table[hh::kColorClasses];
    hh::SetDefaultColors(table);
    const std::string rtf = hh::BuildColoredRtf(text.data(), text.size(), tokens.data(), table, true);
    check(rtf.size() >= text.size() && rtf.back() == '}');

    // Edits taken from the text's own bytes: delete or insert a stretch somewhere.
    for (int e = 0; e < edits && length > 0; ++e) {
        const std::uint8_t a = static_cast<std::uint8_t>(text[static_cast<std::size_t>(e) % text.size()]);
        const int start =
            static_cast<int>((a * 131u + static_cast<unsigned>(e) * 17u) % static_cast<unsigned>(length));
        if (a % 2) {
            const int end = std::min(length, start + 1 + a % 5);
            text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
            hh::ShiftMarkers(markers, TRUE, start, end);
            length = static_cast<int>(text.size());
            rescan(*formater, markers, text, std::min(start, length), std::min(start, length));
        } else {
            static const char* const pieces[] = {"/*", "*/", "\"", "'", "\r\n", "x"};
            const std::string piece = pieces[a % 6];
            text.insert(static_cast<std::size_t>(start), piece);
            hh::ShiftMarkers(markers, FALSE, start, start + static_cast<int>(piece.size()));
            length = static_cast<int>(text.size());
            rescan(*formater, markers, text, start, start + static_cast<int>(piece.size()));
        }
        checkMarkers(markers, length);
        pairAndCheck(markers, length);
        const int from = start < length ? start : 0;
        std::vector<WORD> part(static_cast<std::size_t>(length - from), 0);
        std::u16string partText = hh::WidenText(text.data() + from, static_cast<std::size_t>(length - from));
        hh::BlankUnpairedMarkers(markers, from, length, partText.data());
        hh::OverlayCommentPairs(markers, from, length, part.data());
    }
    return 0;
}
