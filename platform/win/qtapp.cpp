#include "platform/win/qtapp.h"

#include <QApplication>

#include <malloc.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace pm {
namespace {

// The program file's name ("tintara"): the desktop's instance name of its windows.
std::string programName() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string name = error ? std::string() : exe.filename().string();
    return name.empty() ? std::string("pm") : name;
}

} // namespace

void ensureQtApplication() {
    if (QCoreApplication::instance()) return;
    // Large blocks come from the heap, and what is freed stays there for the next: the buffers an
    // edit of a long line or a large range needs then reuse memory already in use instead of new
    // pages, each of which the system would have to fault in (the first key typed on a long
    // line cost tens of milliseconds that way, and a Replace All over 10 MB a tenth of its time).
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // One device pixel per pixel at 96 dots per inch, whatever the desktop says.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", "1");
    static std::string name = programName();
    static int argc = 1;
    static char* argv[] = {name.data(), nullptr};
    new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop class of every window: the program's name, capitalised ("Tintara").
    QString className = QString::fromStdString(name);
    className[0] = className[0].toUpper();
    QCoreApplication::setApplicationName(className);
}

} // namespace pm
