// The main of the window system's tests: an offscreen 1280x1024 screen at 96 dots per inch with no
// frame margins, a private runtime folder, a frozen clock, and the offscreen plugin's notes about
// grabs and stacking kept out of the output.

#include "platform/win/qtapp.h"
#include "platform/win/tests/support/test_windows.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static const char* const ignored[] = {"does not support grabbing",
                                          "does not support raise",
                                          "does not support lower",
                                          "QStandardPaths",
                                          "setGeometry",
                                          "propagateSizeHints"};
    for (const char* i : ignored)
        if (text.contains(QLatin1String(i))) return;
    if (previousHandler) previousHandler(type, context, text);
}

void configureOffscreen(const QString& folder) {
    QString config = folder + "/offscreen.json";
    QFile f(config);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(
            R"({"windowFrameMargins":false,"synchronousWindowSystemEvents":false,"screens":[)"
            R"({"name":"s0","x":0,"y":0,"width":1280,"height":1024,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1.0}]})");
        f.close();
    }
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qgetenv("XDG_RUNTIME_DIR").isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    configureOffscreen(runtime.path());
    previousHandler = qInstallMessageHandler(filterMessages);
    pm::ensureQtApplication();
    // Offscreen, time passes only as tests say; on a real desktop the window manager's time is real.
    if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) pm::test::freezeClock();
    return RUN_ALL_TESTS();
}
