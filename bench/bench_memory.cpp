// Peak resident memory of a 9 MB JavaScript file opened and shown, each in a process of its own:
// Penmere as a user starts it (its main window, then File Open of the file to a painted, coloured
// screen), and the peer editor component (QScintilla with its JavaScript lexer) showing the same
// text at the program's size. A third process only brings Qt up and shows an empty window: what
// both pay before any text. Aim: Penmere at most 0.7x the peer.
// Run without arguments; it starts itself once for each side ("ours", "peer", "bare").
#include "app/file_helpers.h"
#include "app/program/CEditMDIApp.h"
#include "platform/win/windows.h"

#include "bench/javascript_text.h"

#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr double kMegabytes = 9.1;

// The process's peak resident set in kB (VmHWM).
long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

void drain() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int runOurs(const std::string& folder, const std::string& file, char** argv) {
    SetAppDirectory((folder + "/").c_str());
    auto app = std::make_unique<CEditMDIApp>();
    app->m_argc = 1;
    app->m_argv = argv;
    app->InitApplication();
    app->InitInstance();
    drain();
    app->OpenDocumentFile(file.c_str());
    drain();
    std::printf("%ld\n", peakKilobytes());
    std::fflush(stdout);
    ::SendMessage(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    drain();
    return 0;
}

int runPeer(const std::string& file, bool withText, int argc, char** argv) {
    QApplication qapp(argc, argv);
    QMainWindow window;
    auto* sci = new QsciScintilla;
    sci->setLexer(new QsciLexerJavaScript(sci));
    window.setCentralWidget(sci);
    window.resize(1280, 1000);
    window.show();
    QApplication::processEvents();
    if (withText) {
        const std::string text = readAll(file);
        sci->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        sci->repaint();
        QApplication::processEvents();
    }
    std::printf("%ld\n", peakKilobytes());
    return 0;
}

long runSide(const char* self, const char* side, const std::string& folder, const std::string& file) {
    const std::string command = std::string("'") + self + "' " + side + " '" + folder + "' '" + file + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return 0;
    long kilobytes = 0;
    if (std::fscanf(pipe, "%ld", &kilobytes) != 1) kilobytes = 0;
    ::pclose(pipe);
    return kilobytes;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc == 4 && std::strcmp(argv[1], "ours") == 0) return runOurs(argv[2], argv[3], argv);
    if (argc == 4 && std::strcmp(argv[1], "peer") == 0) return runPeer(argv[3], true, 1, argv);
    if (argc == 4 && std::strcmp(argv[1], "bare") == 0) return runPeer(argv[3], false, 1, argv);

    const std::string folder =
        (fs::temp_directory_path() / ("bench-memory-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
    fs::copy(PM_BENCH_DATA_DIR, folder, fs::copy_options::recursive);
    std::ofstream(folder + "/Settings.ini", std::ios::binary) << "[General]\r\nFirstTime=1\r\n";
    const std::string file = folder + "/library.js";
    std::ofstream(file, std::ios::binary)
        << bench::makeJavaScript(static_cast<std::size_t>(kMegabytes * (1 << 20)));
    const long bare = runSide(argv[0], "bare", folder, file);
    const long peer = runSide(argv[0], "peer", folder, file);
    const long ours = runSide(argv[0], "ours", folder, file);
    fs::remove_all(folder);
    std::printf("%.1f MB JavaScript opened and shown, peak resident memory of each process:\n", kMegabytes);
    std::printf("  Qt and an empty window    %7.1f MB\n", static_cast<double>(bare) / 1024);
    std::printf("  peer component            %7.1f MB\n", static_cast<double>(peer) / 1024);
    std::printf("  Penmere                   %7.1f MB   x%.2f of the peer (aim 0.7)\n",
                static_cast<double>(ours) / 1024,
                peer ? static_cast<double>(ours) / static_cast<double>(peer) : 0.0);
    return 0;
}
