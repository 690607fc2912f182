// The rich-edit model on 1, 10 and 50 MB JavaScript texts: loading with one format run per token,
// typing one character at the end and in the middle, finding a missing word, and line look-ups at
// random positions. Each figure is printed as a ratio to a plain memcpy-and-scan of the same bytes
// measured in the same run.
#include "platform/win/richedit/rich_text_model.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace pm::richedit;
using Clock = std::chrono::steady_clock;

namespace {

std::string makeJavaScript(std::size_t size) {
    static const char* const lines[] = {"function update(item, index) {\r\n",
                                        "    var total = item.price * 3 + index; // running sum\r\n",
                                        "    if (total > 100) { return \"large\"; }\r\n",
                                        "    /* keep the old value */ items[index] = total;\r\n", "}\r\n"};
    std::string text;
    text.reserve(size + 100);
    for (std::size_t i = 0; text.size() < size; ++i)
        text += lines[i % 5];
    return text;
}

// Token boundaries of a JavaScript-like text: a run per word, number, operator or blank stretch.
std::vector<FormattedPiece> tokenRuns(const std::string& stored, FormatId word, FormatId other) {
    std::vector<FormattedPiece> pieces;
    std::size_t i = 0;
    while (i < stored.size()) {
        std::size_t start = i;
        bool w = isWordByte(static_cast<unsigned char>(stored[i]));
        while (i < stored.size() && isWordByte(static_cast<unsigned char>(stored[i])) == w)
            ++i;
        FormatId f = w ? word : other;
        if (!pieces.empty() && pieces.back().format == f)
            pieces.back().length += static_cast<int>(i - start);
        else
            pieces.push_back(FormattedPiece{static_cast<int>(i - start), f});
    }
    return pieces;
}

template <class F> double seconds(F f, int repeat = 1) {
    auto t0 = Clock::now();
    for (int i = 0; i < repeat; ++i)
        f();
    return std::chrono::duration<double>(Clock::now() - t0).count() / repeat;
}

void run(std::size_t megabytes) {
    std::string source = makeJavaScript(megabytes << 20);
    volatile std::size_t sink = 0;
    // Baseline: copy the bytes and count line breaks.
    double baseline = seconds(
        [&] {
            std::string copy(source.size(), '\0');
            std::memcpy(copy.data(), source.data(), source.size());
            std::size_t n = 0;
            for (char c : copy)
                n += c == '\n';
            sink = sink + n;
        },
        3);

    RichTextModel model;
    RunFormat blue;
    blue.color = 0xFF0000;
    blue.autoColor = false;
    FormatId word = model.formats().intern(blue);
    FormatId other = model.defaultFormat();
    double load = seconds([&] {
        std::string stored = normalizeLineBreaks(source);
        std::vector<FormattedPiece> pieces = tokenRuns(stored, word, other);
        model.setFormattedText(std::move(stored), pieces);
    });
    int runs = model.runs().runCount();

    const int typed = 1000;
    double typeEnd = seconds(
        [&] { model.replace(model.length(), 0, "x", model.formatForInsertion(model.length())); }, typed);
    int middle = model.length() / 2;
    double typeMiddle = seconds(
        [&] {
            model.replace(middle, 0, "y", model.formatForInsertion(middle));
            ++middle;
        },
        typed);
    double find = seconds(
        [&] { sink = sink + static_cast<std::size_t>(model.find(0, -1, "notthereatall", FindOptions{})); });
    double findNoCase = seconds([&] {
        sink = sink + static_cast<std::size_t>(model.find(0, -1, "NotThereAtAll", FindOptions{false, true}));
    });

    std::mt19937 rng(1);
    const int lookups = 1000000;
    std::vector<int> positions(lookups);
    for (int& p : positions)
        p = static_cast<int>(rng() % static_cast<unsigned>(model.length()));
    double lineFrom = seconds([&] {
                          for (int p : positions)
                              sink = sink + static_cast<std::size_t>(model.lineFromPosition(p));
                      }) /
                      lookups;
    double lineIndex = seconds([&] {
                           int lines = model.lineCount();
                           for (int p : positions)
                               sink = sink + static_cast<std::size_t>(model.lineStart(p % lines));
                       }) /
                       lookups;

    std::printf("%3zu MB (%d runs): baseline memcpy+scan %.2f ms\n", megabytes, runs, baseline * 1e3);
    std::printf("  load with formats      %8.2f ms  x%.1f of baseline\n", load * 1e3, load / baseline);
    std::printf("  type at end            %8.3f us  x%.5f\n", typeEnd * 1e6, typeEnd / baseline);
    std::printf("  type in the middle     %8.3f us  x%.5f\n", typeMiddle * 1e6, typeMiddle / baseline);
    std::printf("  find missing word      %8.2f ms  x%.2f\n", find * 1e3, find / baseline);
    std::printf("  find, no case, whole   %8.2f ms  x%.2f\n", findNoCase * 1e3, findNoCase / baseline);
    std::printf("  line from position     %8.3f us\n", lineFrom * 1e6);
    std::printf("  line index             %8.3f us\n", lineIndex * 1e6);
}

} // namespace

int main() {
    for (std::size_t mb : {1, 10, 50})
        run(mb);
    return 0;
}
