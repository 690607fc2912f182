// Replace All in the code editor control on generated JavaScript of 1 and 10 MB: every "total"
// (five a function, about 30,000 in 1 MB) made "sum", as one undo step, then its undo; and a
// search that finds nothing through the whole text. Replace All is set against the peer editor
// component (QScintilla with its JavaScript lexer) replacing every match of the same text as one
// undo action, as editors built on it do, in the same run (aim: at most 1x); its undo against the
// Replace All (aim: at most 0.5x); the search against a memcpy-and-scan of the same bytes. All in
// this thread's CPU time.
#include "editor/CHHEditCtrl.h"
#include "editor/CHHFindParams.h"
#include "editor/CHHJScriptFormater.h"
#include "platform/framework/CWinApp.h"

#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <class F> double seconds(F f) {
    const double t0 = threadSeconds();
    f();
    return threadSeconds() - t0;
}

std::string makeText(std::size_t size) {
    static const char* const lines[] = {
        "function update(item, index) {\r\n", "    var total = item.price * 3 + index; // total so far\r\n",
        "    if (total > 100) { return total; }\r\n", "    items[index] = total;\r\n", "}\r\n"};
    std::string text;
    text.reserve(size + 100);
    for (std::size_t i = 0; text.size() < size; ++i)
        text += lines[i % 5];
    return text;
}

class CBenchParent : public CWnd {};

// The peer's replace-all: every match of find in the target range replaced, in one undo action.
double peerReplaceAll(const std::string& text, const char* find, const char* replace, double* undo) {
    QsciScintilla sci;
    sci.setLexer(new QsciLexerJavaScript(&sci));
    sci.resize(600, 400);
    sci.show();
    sci.setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    QApplication::processEvents();
    const unsigned long findLength = std::strlen(find);
    const unsigned long replaceLength = std::strlen(replace);
    // The peer at its quickest: no change notifications while it replaces.
    sci.SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
    const double replaceAll = seconds([&] {
        sci.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        sci.SendScintilla(QsciScintillaBase::SCI_SETSEARCHFLAGS, QsciScintillaBase::SCFIND_MATCHCASE);
        long end = static_cast<long>(sci.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
        sci.SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, 0UL);
        sci.SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, static_cast<unsigned long>(end));
        while (static_cast<long>(
                   sci.SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET, findLength, find)) >= 0) {
            sci.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, replaceLength, replace);
            end += static_cast<long>(replaceLength) - static_cast<long>(findLength);
            const long next = static_cast<long>(sci.SendScintilla(QsciScintillaBase::SCI_GETTARGETEND));
            sci.SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, static_cast<unsigned long>(next));
            sci.SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, static_cast<unsigned long>(end));
        }
        sci.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
        QApplication::processEvents();
    });
    *undo = seconds([&] {
        sci.SendScintilla(QsciScintillaBase::SCI_UNDO);
        QApplication::processEvents();
    });
    return replaceAll;
}

void run(CWnd& parent, std::size_t megabytes) {
    const std::string text = makeText((megabytes << 20) - 4096);
    volatile std::size_t sink = 0;
    const double baseline = seconds([&] {
        std::string copy(text.size(), '\0');
        std::memcpy(copy.data(), text.data(), text.size());
        std::size_t n = 0;
        for (char c : copy)
            n += c == '\n';
        sink = sink + n;
    });
    CHHJScriptFormater js;
    CHHEditCtrl edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL,
                CRect(0, 0, 600, 400), &parent, 100);
    edit.SetFormater(&js);
    edit.InitControl(FALSE);
    edit.SetText(text.c_str());
    CHHFindParams params;
    params.m_strFind = "total";
    params.m_strReplace = "sum";
    const double replaceAll = seconds([&] {
        edit.ReplaceAll(params, FALSE);
        edit.UpdateWindow();
    });
    const double undo = seconds([&] {
        edit.SendMessage(EM_UNDO);
        edit.UpdateWindow();
    });
    params.m_strFind = "nowhere in the text";
    edit.SetSel(0, 0);
    const double notFound = seconds([&] { edit.FindNext(params); });
    edit.DestroyWindow();
    double peerUndo = 0;
    const double peer = peerReplaceAll(text, "total", "sum", &peerUndo);
    std::printf("%3zu MB: baseline memcpy+scan %.2f ms\n", megabytes, baseline * 1e3);
    std::printf("  Replace All \"total\" -> \"sum\"  %9.1f ms  peer %7.1f ms  x%.2f of the peer (aim 1)\n",
                replaceAll * 1e3, peer * 1e3, replaceAll / peer);
    std::printf(
        "  its undo                      %9.1f ms  peer %7.1f ms  x%.2f of our Replace All (aim 0.5)\n",
        undo * 1e3, peerUndo * 1e3, undo / replaceAll);
    std::printf("  Find Next finding nothing     %9.2f ms  x%.2f\n", notFound * 1e3, notFound / baseline);
}

} // namespace

// Sizes in MB may be named on the command line (default 1 and 10).
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    AfxInitRichEdit();
    CBenchParent parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                    nullptr, nullptr);
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<std::size_t>(std::max(1, std::atoi(argv[i]))));
    if (sizes.empty()) sizes = {1, 10};
    for (std::size_t mb : sizes)
        run(parent, mb);
    parent.DestroyWindow();
    return 0;
}
