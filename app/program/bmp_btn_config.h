#pragma once
// The configuration language of the bitmap button: its window text is a list of items
// code ":" value separated by "~" (a text without ":" is only the caption), read into the button's
// texts, letters and appearance record. Items apply in order; a later one overrides an earlier one.

#include "platform/win/wingdi.h"

#include <array>
#include <string>

// The fields of the appearance record, by index.
enum BmpBtnField {
    kFaceColour,
    kOuterHighlight,
    kOuterShadow,
    kInnerHighlight,
    kInnerShadow,
    kTextColour,
    kTextX,
    kTextY,
    kTextShadowColour,
    kShadowX,
    kShadowY,
    kOuterBevel,
    kInnerBevel,
    kBevelGap,
    kBlackFrame,
    kNumberFields
};

struct BmpBtnLook {
    std::array<int, kNumberFields> fields{static_cast<int>(RGB(192, 192, 192)),
                                          static_cast<int>(RGB(255, 255, 255)),
                                          static_cast<int>(RGB(128, 128, 128)),
                                          static_cast<int>(RGB(128, 128, 128)),
                                          static_cast<int>(RGB(255, 255, 255)),
                                          0,
                                          0,
                                          0,
                                          static_cast<int>(RGB(255, 255, 255)),
                                          1,
                                          1,
                                          2,
                                          2,
                                          6,
                                          1};
    // Field 15: up to 7 characters, the first a colour digit (the disabled text colour).
    std::string disabledText = "8";

    int operator[](BmpBtnField field) const { return fields[field]; }
    int& operator[](BmpBtnField field) { return fields[field]; }
};

struct BmpBtnConfig {
    std::string caption;
    std::string upImage;
    std::string downImage;
    std::string otherImage;
    std::string hoverImage;
    std::string font;
    std::string cursor;
    std::string sound;
    char textAlign = 'C';
    char imageAlign = 'C';
    char frameStyle = 'S';
    char tile = '0';
    char kind = 'P';
    // The auto-repeat kind's interval, in tenths of a second, as its digit.
    char repeatDigit = '1';
    BmpBtnLook look;
};

// The colour of a colour digit: "0" to "9", "A" to "E" the classic colours, "G" the palette colour
// 0x02F0CAA6, anything else white.
COLORREF BmpBtnColourDigit(char digit);

// Reads a window text (at most its first 255 characters). Items cut short keep the defaults for
// what they lack; the code "c" reads its string resource.
BmpBtnConfig ParseBmpBtnConfig(const std::string& text);

// The font text "height,weight digit,italic digit,face" of a configuration as a font: weight
// digit 0 the default weight, any other bold; an italic digit other than 0 italics.
LOGFONT BmpBtnFont(const std::string& font);
