// The JavaScript tokeniser on a 10 MB text: widening the bytes to 16-bit characters, tokenising,
// and the block-comment scan. Each figure is printed as a ratio to a plain scan of the same bytes
// (counting line feeds) measured in the same run; the best of several runs counts.
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

std::string makeJavaScript(std::size_t size) {
    static const char* const lines[] = {
        "function update(item, index) {\r\n", "    var total = item.price * 3 + index; // running sum\r\n",
        "    if (total > 100) { return \"large \\\"value\\\"\"; }\r\n",
        "    /* keep the old value, see http://example.com */ items[index] = 0x1F + 1.5e-3;\r\n", "}\r\n"};
    std::string text;
    text.reserve(size + 100);
    for (std::size_t i = 0; text.size() < size; ++i)
        text += lines[i % 5];
    return text;
}

template <class F> double best(F f, int runs = 5) {
    double fastest = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        f();
        fastest = std::min(fastest, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return fastest;
}

} // namespace

int main() {
    const std::string text = makeJavaScript(10u << 20);
    const int count = static_cast<int>(text.size());
    std::u16string wide(text.size(), u'\0');
    std::vector<WORD> tokens(text.size(), 0);
    volatile std::size_t sink = 0;

    const double scan = best([&] {
        std::size_t lines = 0;
        for (char c : text)
            lines += c == '\n';
        sink = lines;
    });
    const double widen = best([&] {
        for (std::size_t i = 0; i < text.size(); ++i)
            wide[i] = static_cast<unsigned char>(text[i]);
        sink = wide[wide.size() / 2];
    });
    CHHJScriptFormater js;
    const double tokenise = best([&] {
        js.ColorizeText(wide.data(), count, tokens.data());
        sink = tokens[tokens.size() / 2];
    });
    const double blocks = best([&] {
        CHHCommentMarkerArray markers;
        js.ScanBlockComments(wide.data(), count, markers);
        sink = static_cast<std::size_t>(markers.GetSize());
    });
    CHHVBScriptFormater vbs;
    const double vbTokenise = best([&] {
        vbs.ColorizeText(wide.data(), count, tokens.data());
        sink = tokens[tokens.size() / 2];
    });

    std::printf("formater, 10 MB JavaScript text (%d bytes); baseline byte scan %.2f ms\n", count,
                scan * 1e3);
    std::printf("  widen to 16-bit       %7.2f ms  %6.1f x scan\n", widen * 1e3, widen / scan);
    std::printf("  ColorizeText (JS)     %7.2f ms  %6.1f x scan\n", tokenise * 1e3, tokenise / scan);
    std::printf("  ColorizeText (VBS)    %7.2f ms  %6.1f x scan\n", vbTokenise * 1e3, vbTokenise / scan);
    std::printf("  ScanBlockComments     %7.2f ms  %6.1f x scan\n", blocks * 1e3, blocks / scan);
    return 0;
}
