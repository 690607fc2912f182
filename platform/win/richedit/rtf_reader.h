#pragma once
// Reads the small RTF subset the editors write: groups, a colour table, \cfN, \b, \i, \ul,
// \ulnone, \par, \tab, \'hh and the escaped \\ \{ \}. No header is needed: font, size and the
// protected effect come from the base format. Unknown control words are skipped, unknown
// destinations ({\* ...}, font tables, style sheets, ...) with all they hold.

#include "platform/win/richedit/rich_text_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace pm::richedit {

struct RtfDocument {
    std::string text; // line breaks as single CRs
    std::vector<FormattedPiece> pieces;
};

enum class RtfError {
    None,
    UnbalancedGroups,
    NumberTooLarge,
    TooDeep,
    Truncated,
};

// Parses rtf into text and runs. wholeText drops the break of a final \par (a stream that
// replaces the whole text ends with one that is not meant as an empty last line).
RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out);

} // namespace pm::richedit
