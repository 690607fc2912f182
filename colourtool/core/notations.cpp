#include "colourtool/core/notations.h"

#include "colourtool/core/vb_text.h"

namespace tintara {

namespace {

const char kCrLf[] = "\r\n";

std::string documentAround(const std::string& bodyLine) {
    return std::string("<HTML>") + kCrLf + " <HEAD>" + kCrLf + "  <TITLE>Insert Title Here</TITLE>" + kCrLf +
           " </HEAD>" + kCrLf + bodyLine + kCrLf + kCrLf + " </BODY>" + kCrLf + "</HTML>";
}

std::string threeParts(const std::string& open, const std::string& a, const std::string& sep,
                       const std::string& b, const std::string& c) {
    return open + a + sep + b + sep + c + ")";
}

} // namespace

std::string defaultDocument() {
    return documentAround(
        " <BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#000088\" VLINK=\"#880088\" ALINK=\"#0000FF\">");
}

std::string decimalNotation(ColourValue value) {
    return std::to_string(value);
}

std::string vbHexNotation(const std::string& notation) {
    auto pair = [&](std::size_t at) { return at < notation.size() ? notation.substr(at, 2) : std::string(); };
    return "&H" + pair(5) + pair(3) + pair(1);
}

std::string vbMacroDec(const Rgb& rgb) {
    return threeParts("RGB(", std::to_string(rgb.red), ", ", std::to_string(rgb.green),
                      std::to_string(rgb.blue));
}

std::string vbMacroHex(const Rgb& rgb) {
    return threeParts("RGB(&H", vbHex(rgb.red), ", &H", vbHex(rgb.green), vbHex(rgb.blue));
}

std::string javaObjectDec(const Rgb& rgb) {
    return threeParts("new Color(", std::to_string(rgb.red), ", ", std::to_string(rgb.green),
                      std::to_string(rgb.blue));
}

std::string javaObjectHex(const Rgb& rgb) {
    return threeParts("new Color(0x", vbHex(rgb.red), ", 0x", vbHex(rgb.green), vbHex(rgb.blue));
}

std::string bodyTagCode(const DocumentColours& colours) {
    std::string text = "<BODY";
    for (Sample sample : kAllSamples) {
        text += std::string(" ") + bodyAttributeName(sample) + "=\"" + colours.tag(sample) + "\"";
    }
    return text + ">";
}

std::string htmlCode(const DocumentColours& colours) {
    return documentAround(" " + bodyTagCode(colours));
}

std::string styleCode(const DocumentColours& colours) {
    const auto& tag = [&](Sample s) -> const std::string& { return colours.tag(s); };
    return std::string("  <STYLE TYPE=\"text/css\">") + kCrLf +
           "   BODY       { Background: " + tag(Sample::Background) + "; Color: " + tag(Sample::NormalText) +
           "; }" + kCrLf + "   A          { Color: " + tag(Sample::Link) + "; }" + kCrLf +
           "   A:Visited  { Color: " + tag(Sample::VisitedLink) + "; }" + kCrLf +
           "   A:Active   { Color: " + tag(Sample::ActiveLink) + "; }" + kCrLf + "  </STYLE>";
}

} // namespace tintara
