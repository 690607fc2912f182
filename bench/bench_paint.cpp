// Painting as users feel it: a coloured 9 MB JavaScript text shown in a 1000x800 view, in our
// rich-edit control and, in the same run, in a peer editor component (QScintilla with its
// JavaScript lexer), which only serves as the measure. Figures are ratios to the peer: a full
// repaint, a scroll by one line and by one page with its repaint, a typed character with its
// repaint at the start, middle and end, the first paint after load (aim for each: at most 0.5x the
// peer), and 100,000 positions turned into lines through each one's message (aim: at most 0.7x).
// Also a 1,000,000-row owner-data list view scrolled by a page. All times are this thread's CPU
// time, best of several runs. The look-ups of the two sides run in turn, one run of each after the
// other, so that on a busy machine both meet the same load. Both paint as on screen: our control paints its
// window's image and Qt's event loop puts it in the window's backing store; the peer paints in its own paint
// event into its backing store. The peer's key figures include its own insertion, which here grows with the
// position in the text. The first paint after load is measured in a process of its own for each side, as a
// user opening the file meets it.
#include "platform/win/commctrl.h"
#include "platform/win/richedit.h"
#include "platform/win/windows.h"

#include "bench/javascript_text.h"

#include <Qsci/qsciscintilla.h>
#include <Qsci/qscilexerjavascript.h>

#include <QApplication>
#include <QFont>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;
constexpr int kRuns = 30;

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <class F> double seconds(F f) {
    double t0 = threadSeconds();
    f();
    return threadSeconds() - t0;
}

// The quickest of `runs` single runs of `step` after `prepare` (untimed) each.
template <class P, class F> double best(P prepare, F step, int runs = kRuns) {
    double quickest = 1e9;
    for (int i = 0; i < runs; ++i) {
        prepare();
        quickest = std::min(quickest, seconds(step));
    }
    return quickest;
}

// ---- Colouring for our control: the text as RTF runs of a small JavaScript tokenizer ----

enum Colour { kPlain, kKeyword, kComment, kString, kNumber };

bool isKeyword(const std::string& w) {
    static const char* const words[] = {"function", "var",  "if",   "return", "for",  "typeof",
                                        "null",     "this", "else", "new",    "while"};
    for (const char* k : words)
        if (w == k) return true;
    return false;
}

bool wordByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

void appendEscaped(std::string& rtf, const std::string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        char c = text[i];
        if (c == '\r') continue;
        if (c == '\n') {
            rtf += "\\par\r\n";
        } else {
            if (c == '\\' || c == '{' || c == '}') rtf += '\\';
            rtf += c;
        }
    }
}

std::string colouredRtf(const std::string& text) {
    std::string rtf =
        "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue160;\\red0\\green128\\blue0;"
        "\\red160\\green32\\blue32;\\red0\\green128\\blue128;}\r\n";
    rtf.reserve(text.size() * 2);
    std::size_t i = 0, n = text.size();
    auto addRun = [&](Colour c, std::size_t to) {
        rtf += "\\cf" + std::to_string(c + 1) + " ";
        appendEscaped(rtf, text, i, to);
        i = to;
    };
    while (i < n) {
        char c = text[i];
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            addRun(kComment, text.find('\r', i) == std::string::npos ? n : text.find('\r', i));
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            std::size_t end = text.find("*/", i + 2);
            addRun(kComment, end == std::string::npos ? n : end + 2);
        } else if (c == '"' || c == '\'') {
            std::size_t end = text.find(c, i + 1);
            addRun(kString, end == std::string::npos ? n : end + 1);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < n && (wordByte(text[end]) || text[end] == '.'))
                ++end;
            addRun(kNumber, end);
        } else if (wordByte(c)) {
            std::size_t end = i;
            while (end < n && wordByte(text[end]))
                ++end;
            addRun(isKeyword(text.substr(i, end - i)) ? kKeyword : kPlain, end);
        } else {
            std::size_t end = i + 1;
            while (end < n && !wordByte(text[end]) && text[end] != '/' && text[end] != '"' &&
                   text[end] != '\'')
                ++end;
            addRun(kPlain, end);
        }
    }
    rtf += "}";
    return rtf;
}

struct Reader {
    const std::string* data;
    std::size_t at;
};

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* got) {
    auto* r = reinterpret_cast<Reader*>(cookie);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(cb), r->data->size() - r->at);
    std::memcpy(buffer, r->data->data() + r->at, n);
    r->at += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// ---- The two editors behind one interface ----

struct Figures {
    double fullRepaint = 0, lineScroll = 0, pageScroll = 0, typeStart = 0, typeMiddle = 0, typeEnd = 0;
};

constexpr int kLookups = 100000;
constexpr int kLookupRuns = 15;

// One run of the look-ups: positions spread over the whole text in an order that jumps about.
template <class F> double lookUpLines(long length, F lineOf) {
    return seconds([&] {
        volatile long sink = 0;
        unsigned long at = 12345;
        for (int i = 0; i < kLookups; ++i) {
            at = at * 1103515245UL + 12345UL;
            sink = sink + lineOf(static_cast<long>((at >> 8) % static_cast<unsigned long>(length)));
        }
    });
}

void settle() {
    QApplication::processEvents();
}

// Our rich-edit control in a top-level window of the view's size, loaded with the coloured text.
HWND openOurs(const std::string& text) {
    std::string rtf = colouredRtf(text);
    HWND edit =
        CreateWindowEx(0, RICHEDIT_CLASS, "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE,
                       0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    SendMessage(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE;
    cf.yHeight = 200;
    std::strcpy(cf.szFaceName, "Courier New");
    SendMessage(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    UpdateWindow(edit);
    Reader reader{&rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, readChunk};
    SendMessage(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    SetFocus(edit);
    return edit;
}

void paintOurs(HWND edit) {
    UpdateWindow(edit);
    settle();
}

double firstPaintOurs(const std::string& text) {
    HWND edit = openOurs(text);
    double first = seconds([&] { paintOurs(edit); });
    DestroyWindow(edit);
    return first;
}

Figures measureOurs(const std::string& text) {
    HWND edit = openOurs(text);
    Figures f;
    auto paint = [&] { paintOurs(edit); };
    paint();
    auto nothing = [] {};
    auto invalidate = [&] { InvalidateRect(edit, nullptr, FALSE); };
    f.fullRepaint = best(invalidate, paint);
    auto scroll = [&](UINT code) {
        return best(nothing, [&] {
            SendMessage(edit, WM_VSCROLL, code, 0);
            paint();
        });
    };
    f.lineScroll = scroll(SB_LINEDOWN);
    f.pageScroll = scroll(SB_PAGEDOWN);
    LONG length = static_cast<LONG>(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    auto typeAt = [&](LONG pos) {
        CHARRANGE r{pos, pos};
        SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        SendMessage(edit, EM_SCROLLCARET, 0, 0);
        paint();
        return best(nothing, [&] {
            SendMessage(edit, WM_CHAR, 'x', 0);
            paint();
        });
    };
    f.typeStart = typeAt(0);
    f.typeMiddle = typeAt(length / 2);
    f.typeEnd = typeAt(length);
    DestroyWindow(edit);
    return f;
}

// The peer component, shown at the same size with the same font and no margins, holding the text.
void openPeer(QsciScintilla& sci, const std::string& text) {
    auto* lexer = new QsciLexerJavaScript(&sci);
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(13);
    lexer->setDefaultFont(font);
    lexer->setFont(font, -1);
    sci.setLexer(lexer);
    for (int m = 0; m < 5; ++m)
        sci.setMarginWidth(m, 0);
    // The peer at its quickest: the layout of every line on the screen kept between paints.
    sci.SendScintilla(QsciScintillaBase::SCI_SETLAYOUTCACHE,
                      static_cast<unsigned long>(QsciScintillaBase::SC_CACHE_PAGE));
    sci.resize(kWidth, kHeight);
    sci.show();
    QApplication::processEvents();
    sci.setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    sci.setFocus();
}

double firstPaintPeer(const std::string& text) {
    QsciScintilla sci;
    openPeer(sci, text);
    // The view paints in its paint event into the window's backing store, as on screen.
    return seconds([&] { sci.viewport()->repaint(); });
}

Figures measurePeer(const std::string& text) {
    QsciScintilla sci;
    openPeer(sci, text);
    QWidget* view = sci.viewport();
    auto paint = [&] { view->repaint(); };
    Figures f;
    auto nothing = [] {};
    paint();
    f.fullRepaint = best(settle, paint);
    auto scroll = [&](int lines) {
        return best(settle, [&] {
            sci.SendScintilla(QsciScintillaBase::SCI_LINESCROLL, 0L, static_cast<long>(lines));
            paint();
        });
    };
    f.lineScroll = scroll(1);
    f.pageScroll = scroll(static_cast<int>(sci.SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN)));
    long length = static_cast<long>(sci.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    auto typeAt = [&](long pos) {
        sci.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, pos);
        settle();
        return best(nothing, [&] {
            sci.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1UL, "x");
            paint();
        });
    };
    f.typeStart = typeAt(0);
    f.typeMiddle = typeAt(length / 2);
    f.typeEnd = typeAt(length);
    return f;
}

// Positions to lines through each one's message, ours and the peer's holding the text at once and
// their runs taken in turn; each side's quickest run.
std::pair<double, double> measureLookups(const std::string& text) {
    HWND edit = openOurs(text);
    QsciScintilla sci;
    openPeer(sci, text);
    const long ourLength = static_cast<long>(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    const long peerLength = static_cast<long>(sci.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    double ours = 1e9, peer = 1e9;
    for (int run = 0; run < kLookupRuns; ++run) {
        ours = std::min(ours, lookUpLines(ourLength, [&](long pos) {
                            return static_cast<long>(
                                SendMessage(edit, EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(pos)));
                        }));
        peer = std::min(peer, lookUpLines(peerLength, [&](long pos) {
                            return static_cast<long>(sci.SendScintilla(
                                QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
                        }));
    }
    DestroyWindow(edit);
    return {ours, peer};
}

LRESULT CALLBACK listParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* di = reinterpret_cast<NMLVDISPINFO*>(lParam);
    if (di->hdr.code == LVN_GETDISPINFO && (di->item.mask & LVIF_TEXT))
        std::snprintf(di->item.pszText, static_cast<std::size_t>(di->item.cchTextMax), "row %07d, column %d",
                      di->item.iItem, di->item.iSubItem);
    return 0;
}

// A 1,000,000-row owner-data report list of the view's size: a page scroll with its repaint, and a
// full repaint of the same list.
std::pair<double, double> measureList() {
    WNDCLASS wc{};
    wc.lpfnWndProc = listParentProc;
    wc.lpszClassName = "BenchPaintListParent";
    RegisterClass(&wc);
    HWND top = CreateWindowEx(0, "BenchPaintListParent", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                              nullptr, nullptr, nullptr, nullptr);
    HWND lv = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                             kWidth, kHeight, top, nullptr, nullptr, nullptr);
    for (int c = 0; c < 6; ++c) {
        LVCOLUMN column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 160;
        column.pszText = const_cast<LPSTR>("Column");
        ListView_InsertColumn(lv, c, &column);
    }
    ListView_SetItemCount(lv, 1000000);
    UpdateWindow(top);
    double page = best([] {},
                       [&] {
                           SendMessage(lv, WM_VSCROLL, SB_PAGEDOWN, 0);
                           UpdateWindow(lv);
                       });
    double full = best([&] { InvalidateRect(lv, nullptr, TRUE); }, [&] { UpdateWindow(lv); });
    DestroyWindow(top);
    return {page, full};
}

void report(const char* what, double ours, double peer, double aim = 0.5) {
    std::printf("  %-32s ours %8.3f ms   peer %8.3f ms   x%.2f of the peer (aim %.1f)\n", what, ours * 1e3,
                peer * 1e3, ours / peer, aim);
}

// The quickest first paint of `side` over `runs` processes of its own, each starting this program
// again to load the text and paint it once: in one process, whichever side painted first would
// have warmed the fonts and text shaping of the other.
double firstPaintInProcesses(const char* self, const char* side, double megabytes, int runs = 3) {
    double quickest = 1e9;
    for (int i = 0; i < runs; ++i) {
        const std::string command =
            std::string("'") + self + "' first " + side + " " + std::to_string(megabytes) + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return 0;
        double ms = 0;
        if (std::fscanf(pipe, "%lf", &ms) == 1) quickest = std::min(quickest, ms * 1e-3);
        ::pclose(pipe);
    }
    return quickest;
}

std::string javaScriptOf(double megabytes) {
    return bench::makeJavaScript(static_cast<std::size_t>(megabytes * (1 << 20)));
}

} // namespace

// The text's size in MB may be named on the command line (default 9.1). "first ours|peer MB" runs
// one first paint in this process and prints its milliseconds.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    RegisterRichEditClasses();
    InitCommonControls();
    if (argc == 4 && std::strcmp(argv[1], "first") == 0) {
        const std::string text = javaScriptOf(std::atof(argv[3]));
        const bool ours = std::strcmp(argv[2], "ours") == 0;
        std::printf("%.6f\n", (ours ? firstPaintOurs(text) : firstPaintPeer(text)) * 1e3);
        return 0;
    }
    double megabytes = argc > 1 ? std::max(0.1, std::atof(argv[1])) : 9.1;
    std::string text = javaScriptOf(megabytes);
    Figures ours = measureOurs(text);
    Figures peer = measurePeer(text);
    auto [oursLookups, peerLookups] = measureLookups(text);
    const double firstOurs = firstPaintInProcesses(argv[0], "ours", megabytes);
    const double firstPeer = firstPaintInProcesses(argv[0], "peer", megabytes);
    std::printf("%.1f MB JavaScript in a %dx%d view, against the peer component:\n", megabytes, kWidth,
                kHeight);
    report("first paint after load", firstOurs, firstPeer);
    report("full repaint", ours.fullRepaint, peer.fullRepaint);
    report("scroll one line + repaint", ours.lineScroll, peer.lineScroll);
    report("scroll one page + repaint", ours.pageScroll, peer.pageScroll);
    report("type at start + repaint", ours.typeStart, peer.typeStart);
    report("type in middle + repaint", ours.typeMiddle, peer.typeMiddle);
    report("type at end + repaint", ours.typeEnd, peer.typeEnd);
    report("100,000 positions to lines", oursLookups, peerLookups, 0.7);
    auto [page, full] = measureList();
    std::printf("owner-data list view, 1,000,000 rows, %dx%d:\n", kWidth, kHeight);
    std::printf("  scroll one page + repaint %8.3f ms   (full repaint %.3f ms, x%.2f of it)\n", page * 1e3,
                full * 1e3, page / full);
    return 0;
}
