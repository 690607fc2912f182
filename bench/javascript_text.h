#pragma once
// Generated text for the benchmarks that show a large JavaScript file.

#include <cstddef>
#include <cstdio>
#include <string>

namespace bench {

// A library-like JavaScript text of about `size` bytes: functions, comments, strings, numbers and
// varying indentation, no two neighbouring lines alike.
inline std::string makeJavaScript(std::size_t size) {
    static const char* const lines[] = {
        "/**\r\n",
        " * Returns the element's computed value for the named property %d.\r\n",
        " */\r\n",
        "function computeValue%d(element, name, fallback) {\r\n",
        "    var style = element.ownerDocument.defaultView.getComputedStyle(element, null);\r\n",
        "    if (style === null || typeof style[name] === \"undefined\") {\r\n",
        "        return fallback; // nothing computed yet\r\n",
        "    }\r\n",
        "    for (var i = 0, n = element.childNodes.length; i < n; i += %d) {\r\n",
        "        total = total * 31 + element.childNodes[i].nodeType | 0x%x;\r\n",
        "        cache['key-' + i] = { width: 0.%d, height: %d, label: \"item %d\" };\r\n",
        "    }\r\n",
        "    /* keep the old value when the new one is empty */\r\n",
        "    return style[name] !== '' ? style[name] : fallback;\r\n",
        "}\r\n",
        "\r\n",
        "jQuery.fn.extend({ visible%d: function (speed, easing, callback) {\r\n",
        "        return this.animate({ opacity: 'show' }, speed, easing, callback);\r\n",
        "    } });\r\n",
    };
    constexpr std::size_t kLines = sizeof lines / sizeof lines[0];
    std::string text;
    text.reserve(size + 200);
    char buffer[256];
    for (int i = 0; text.size() < size; ++i) {
        std::snprintf(buffer, sizeof buffer, lines[static_cast<std::size_t>(i) % kLines], i, i % 7 + 1, i);
        text += buffer;
    }
    return text;
}

} // namespace bench
