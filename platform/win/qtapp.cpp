#include "platform/win/qtapp.h"

#include <QApplication>

namespace pm {

void ensureQtApplication() {
    if (QCoreApplication::instance()) return;
    // One device pixel per pixel at 96 dots per inch, whatever the desktop says.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", "1");
    static int argc = 1;
    static char name[] = "pm";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace pm
