// The editor against a plain Qt text-edit window in the same run: from nothing to the first painted
// main window, and from File Open of a 5 MB JavaScript file to its first painted, coloured screen.
// Each figure is printed as a ratio against the plain window doing the same (aims: 1.5 for the
// start, 3 for the opening). The editor runs over a program folder of its own in a temporary folder.

#include "app/file_helpers.h"
#include "app/program/CEditMDIApp.h"
#include "app/program/CMainFrame.h"

#include "platform/win/windows.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPlainTextEdit>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, double ours, double theirs) {
    std::printf("%-40s %9.4f s   plain Qt text edit %9.4f s   ratio %7.3f\n", what, ours, theirs,
                ours / theirs);
}

// Dispatches what is queued, paints included, until nothing is left.
void drain() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// A script of about `bytes` bytes: functions, comments, strings and numbers.
std::string bigScript(size_t bytes) {
    std::string text;
    text.reserve(bytes + 200);
    for (int i = 0; text.size() < bytes; ++i) {
        text += "// function number " + std::to_string(i) + "\n";
        text += "function f" + std::to_string(i) + "(a, b) {\n";
        text += "    var s = \"text\" + a; /* note */\n    return s.length * " + std::to_string(i) + ";\n}\n";
    }
    return text;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The plain window: a main window holding a text edit, shown and rendered once.
struct PlainWindow {
    std::unique_ptr<QMainWindow> window;
    QPlainTextEdit* edit = nullptr;
    void show() {
        window = std::make_unique<QMainWindow>();
        edit = new QPlainTextEdit;
        window->setCentralWidget(edit);
        window->resize(1280, 1000);
        window->show();
        paint();
    }
    void paint() {
        QApplication::processEvents();
        QImage image(window->size(), QImage::Format_RGB32);
        window->render(&image);
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::string folder =
        (fs::temp_directory_path() / ("bench-penmere-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
    fs::copy(PM_BENCH_DATA_DIR, folder, fs::copy_options::recursive);
    std::ofstream(folder + "/Settings.ini", std::ios::binary) << "[General]\r\nFirstTime=1\r\n";
    const std::string script = folder + "/big.js";
    std::ofstream(script, std::ios::binary) << bigScript(5 * 1024 * 1024);
    SetAppDirectory((folder + "/").c_str());

    // The platform brings Qt up (asking for the screen does); then the plain window starts first, so
    // that it pays for its first window, and the editor for its own.
    ::GetSystemMetrics(SM_CXSCREEN);
    PlainWindow plain;
    const double plainStart = seconds([&] { plain.show(); });
    auto app = std::make_unique<CEditMDIApp>();
    app->m_argc = 1;
    app->m_argv = argv;
    (void)argc;
    const double ourStart = seconds([&] {
        app->InitApplication();
        app->InitInstance();
        drain();
    });
    report("start to the first painted main window", ourStart, plainStart);

    const double ourOpen = seconds([&] {
        app->OpenDocumentFile(script.c_str());
        drain();
    });
    const double plainOpen = seconds([&] {
        plain.edit->setPlainText(QString::fromUtf8(readAll(script).c_str()));
        plain.paint();
    });
    report("open 5 MB of JavaScript to a painted screen", ourOpen, plainOpen);

    ::SendMessage(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    drain();
    app.reset();
    fs::remove_all(folder);
    return 0;
}
