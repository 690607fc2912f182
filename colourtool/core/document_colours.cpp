#include "colourtool/core/document_colours.h"

namespace tintara {

const char* bodyAttributeName(Sample sample) {
    switch (sample) {
    case Sample::Background:
        return "BGCOLOR";
    case Sample::NormalText:
        return "TEXT";
    case Sample::Link:
        return "LINK";
    case Sample::VisitedLink:
        return "VLINK";
    case Sample::ActiveLink:
        return "ALINK";
    }
    return "";
}

DocumentColours DocumentColours::defaults() {
    DocumentColours colours;
    colours.setTag(Sample::Background, "#FFFFFF");
    colours.setTag(Sample::NormalText, "#000000");
    colours.setTag(Sample::Link, "#0000FF");
    colours.setTag(Sample::VisitedLink, "#880088");
    colours.setTag(Sample::ActiveLink, "#0000FF");
    return colours;
}

} // namespace tintara
