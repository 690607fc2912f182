// The code editor control (not the bare rich edit) on generated JavaScript of 1 and 10 MB: SetText
// until every line is coloured; one typed character at the end, in the middle and inside a long
// block comment, with the notifications, marker upkeep, recolouring and repaint; typing "/*" on
// the first line and then "*/" after it; indenting 1,000 lines; undo of a Replace All through the
// whole text; and a key in the middle of a single line of 1 MB. Figures
// are ratios to a memcpy-and-scan of the same bytes in the same run, all in this thread's CPU time.
#include "editor/CHHEditCtrl.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHJScriptFormater.h"
#include "platform/framework/CWinApp.h"

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <class F> double seconds(F f, int repeat = 1) {
    const double t0 = threadSeconds();
    for (int i = 0; i < repeat; ++i)
        f();
    return (threadSeconds() - t0) / repeat;
}

// The best of several single runs: on a shared machine the quickest run is the least disturbed.
template <class F> double bestSeconds(F f, int runs) {
    double best = seconds(f);
    for (int i = 1; i < runs; ++i)
        best = std::min(best, seconds(f));
    return best;
}

// JavaScript with line comments, strings, numbers and, every 200 lines from the 100th, a block
// comment of about 800 characters; the marker MIDDLE-COMMENT sits inside the one nearest the
// middle. The text begins with code, so a comment opened on its first line covers code.
std::string makeJavaScript(std::size_t size) {
    static const char* const lines[] = {
        "function update(item, index) {\r\n", "    var total = item.price * 3 + index; // running sum\r\n",
        "    if (total > 100) { return \"large\"; }\r\n", "    items[index] = total;\r\n", "}\r\n"};
    std::string comment = "/* ";
    for (int i = 0; i < 12; ++i)
        comment += "a block comment line that says what the next function does\r\n";
    comment += "*/\r\n";
    std::string text;
    text.reserve(size + 2000);
    bool middleMarked = false;
    for (std::size_t i = 0; text.size() < size; ++i) {
        if (i % 200 == 100) {
            if (!middleMarked && text.size() >= size / 2) {
                text += "/* MIDDLE-COMMENT" + comment.substr(2);
                middleMarked = true;
            } else {
                text += comment;
            }
        }
        text += lines[i % 5];
    }
    return text;
}

void pump() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

class CBenchParent : public CWnd {};

struct Figures {
    double setText = 0;
    std::pair<double, double> end, middle, comment; // first key at a place, then each key
    double openComment = 0, closeComment = 0, undo = 0, indent = 0;
};

std::pair<double, double> typeAt(CHHEditCtrl& edit, long pos) {
    edit.SetSel(pos, pos);
    edit.SendMessage(EM_SCROLLCARET);
    edit.UpdateWindow();
    pump();
    auto key = [&] {
        edit.SendMessage(WM_CHAR, 'x', 0);
        edit.UpdateWindow();
    };
    const double first = seconds(key);
    const double each = seconds(key, 100);
    pump();
    return {first, each};
}

Figures measure(CWnd& parent, const std::string& text) {
    CHHJScriptFormater js;
    CHHEditCtrl edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL,
                CRect(0, 0, 600, 400), &parent, 100);
    edit.SetFormater(&js);
    edit.InitControl(FALSE);
    Figures f;
    f.setText = bestSeconds(
        [&] {
            edit.SetText(text.c_str());
            edit.UpdateWindow();
        },
        2);
    pump();
    const long length = edit.GetTextLength();
    f.end = typeAt(edit, length);
    f.middle = typeAt(edit, length / 2);
    CString all;
    edit.GetWindowText(all);
    const char* middle = std::strstr(all, "MIDDLE-COMMENT");
    f.comment = typeAt(edit, static_cast<long>(middle - static_cast<LPCTSTR>(all)) + 20);

    // "/*" at the start of the first line, shown, then "*/" three lines down: the comment covers
    // those lines of code.
    edit.SetSel(0, 0);
    edit.SendMessage(EM_SCROLLCARET);
    edit.UpdateWindow();
    pump();
    f.openComment = seconds([&] {
        edit.SendMessage(WM_CHAR, '/', 0);
        edit.SendMessage(WM_CHAR, '*', 0);
        edit.UpdateWindow();
    });
    const long close = edit.LineIndex(3);
    edit.SetSel(close, close);
    f.closeComment = seconds([&] {
        edit.SendMessage(WM_CHAR, '*', 0);
        edit.SendMessage(WM_CHAR, '/', 0);
        edit.UpdateWindow();
    });
    pump();

    // Indent of 1,000 lines in the middle: one undo step.
    const long first = edit.LineIndex(edit.GetLineCount() / 2);
    edit.SetSel(first, edit.LineIndex(edit.GetLineCount() / 2 + 1000));
    f.indent = seconds([&] {
        edit.IndentSelection();
        edit.UpdateWindow();
    });
    pump();

    // Replace All of every "total" (three in five lines) as one undo step, then its undo.
    CHHFindParams params;
    params.m_strFind = "total";
    params.m_strReplace = "sum";
    edit.ReplaceAll(params, FALSE);
    pump();
    f.undo = seconds([&] {
        edit.SendMessage(EM_UNDO);
        edit.UpdateWindow();
    });
    pump();
    edit.DestroyWindow();
    return f;
}

// A memcpy of the text and a scan of the copy for line ends: what every figure is divided by.
double baselineSeconds(const std::string& text) {
    volatile std::size_t sink = 0;
    return seconds(
        [&] {
            std::string copy(text.size(), '\0');
            std::memcpy(copy.data(), text.data(), text.size());
            std::size_t n = 0;
            for (char c : copy)
                n += c == '\n';
            sink = sink + n;
        },
        3);
}

// One typed character in the middle of a single line of 1 MB (minified source).
void typeInLongLine(CWnd& parent) {
    CHHJScriptFormater js;
    CHHEditCtrl edit;
    edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, CRect(0, 0, 600, 400), &parent, 100);
    edit.SetFormater(&js);
    edit.InitControl(FALSE);
    std::string line;
    while (line.size() < (1u << 20))
        line += "var total=item.price*3+index;if(total>100){return \"large\";}";
    edit.SetText(line.c_str());
    const std::pair<double, double> t = typeAt(edit, static_cast<long>(line.size() / 2));
    edit.DestroyWindow();
    const double baseline = baselineSeconds(line);
    std::printf("1 MB line: baseline memcpy+scan %.2f ms\n", baseline * 1e3);
    std::printf(
        "  key in the middle of the line %8.3f ms  x%.3f (first key there, new undo step: %.2f ms x%.2f; aim "
        "2 ms)\n",
        t.second * 1e3, t.second / baseline, t.first * 1e3, t.first / baseline);
}

void run(CWnd& parent, std::size_t megabytes) {
    // Just under the size: the control's limit is 10 MB.
    const std::string text = makeJavaScript((megabytes << 20) - 4096);
    const double baseline = baselineSeconds(text);
    const Figures f = measure(parent, text);
    std::printf("%3zu MB: baseline memcpy+scan %.2f ms\n", megabytes, baseline * 1e3);
    std::printf("  SetText, every line coloured %9.1f ms  x%.1f of baseline\n", f.setText * 1e3,
                f.setText / baseline);
    const struct {
        const char* name;
        std::pair<double, double> t;
    } keys[] = {{"end", f.end}, {"middle", f.middle}, {"block comment", f.comment}};
    for (const auto& k : keys)
        std::printf("  key in %-14s        %9.3f ms  x%.3f (first key there, new undo step: %.2f ms x%.2f)\n",
                    k.name, k.t.second * 1e3, k.t.second / baseline, k.t.first * 1e3, k.t.first / baseline);
    std::printf("  \"/*\" on the first line       %9.2f ms  x%.2f\n", f.openComment * 1e3,
                f.openComment / baseline);
    std::printf("  \"*/\" after it                %9.2f ms  x%.2f\n", f.closeComment * 1e3,
                f.closeComment / baseline);
    std::printf("  indent of 1,000 lines        %9.1f ms  x%.1f\n", f.indent * 1e3, f.indent / baseline);
    std::printf("  undo of a Replace All        %9.1f ms  x%.1f\n", f.undo * 1e3, f.undo / baseline);
}

} // namespace

// Sizes in MB may be named on the command line (default 1 and 10); 0 runs only the 1 MB line.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    AfxInitRichEdit();
    CBenchParent parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                    nullptr, nullptr);
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<std::size_t>(std::max(0, std::atoi(argv[i]))));
    if (argc < 2) sizes = {1, 10};
    for (std::size_t mb : sizes)
        if (mb > 0) run(parent, mb);
    typeInLongLine(parent);
    parent.DestroyWindow();
    return 0;
}
