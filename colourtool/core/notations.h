#pragma once
// The texts the colour tool puts on the clipboard, and the default HTML document.

#include "colourtool/core/colour_value.h"
#include "colourtool/core/document_colours.h"

#include <string>

namespace tintara {

// The default document: eight lines joined by CR LF, no line break after "</HTML>".
std::string defaultDocument();

// "Decimal": the colour value in decimal, e.g. "8388863".
std::string decimalNotation(ColourValue value);

// "Visual Basic (HEX)": "&H" and the blue, green and red digit pairs of a "#RRGGBB" notation.
std::string vbHexNotation(const std::string& notation);

// "Copy VB macro (DEC)" / "(HEX)": "RGB(255, 0, 128)" / "RGB(&HFF, &H0, &H80)".
std::string vbMacroDec(const Rgb& rgb);
std::string vbMacroHex(const Rgb& rgb);

// "Copy Java object (DEC)" / "(HEX)": "new Color(255, 0, 128)" / "new Color(0xFF, 0x0, 0x80)".
std::string javaObjectDec(const Rgb& rgb);
std::string javaObjectHex(const Rgb& rgb);

// "Copy <BODY> tag": one line with the five colours, no line break.
std::string bodyTagCode(const DocumentColours& colours);

// "Copy <HTML> code": the default document with the five colours in its BODY line.
std::string htmlCode(const DocumentColours& colours);

// "Copy <STYLE> code": six lines joined by CR LF, every "{" in the same column.
std::string styleCode(const DocumentColours& colours);

} // namespace tintara
