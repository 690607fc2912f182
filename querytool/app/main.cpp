// Tessmark: the main window, the connect dialog once, then the message loop.

#include "querytool/app/application.h"

#include <mysql.h>

int main() {
    mysql_library_init(0, nullptr, nullptr);
    CApplication* app = StartTessmark(nullptr);
    if (app->Frame()) app->NewConnection();
    const int code = RunTessmarkLoop();
    EndTessmark();
    mysql_library_end();
    return code;
}
