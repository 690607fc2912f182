// The query tool's window against the server's command-line client, on a private server with a
// table of a million rows: from F5 on "select * from big" to the grid's first painted screen, and
// from there a jump to the last screen. Each figure is printed as a ratio against the client
// writing the same rows to /dev/null in the same run.

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"

#include "platform/win/commctrl.h"

#include <mysql.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

const std::string kServerScripts = std::string(PM_SOURCE_DIR) + "/querytool/tests/server/";

struct Server {
    std::string state;
    std::string port;
    ~Server() {
        if (!state.empty()) std::system((kServerScripts + "stop_server.sh " + state).c_str());
    }
};

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, double ours, const char* baseline, double theirs) {
    std::printf("%-44s %9.4f s   %-40s %9.4f s   ratio %7.4f\n", what, ours, baseline, theirs, ours / theirs);
}

// Dispatches what is queued, paints included, until nothing is left.
void drain() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

} // namespace

int main() {
    const long rows = std::getenv("BENCH_ROWS") ? std::atol(std::getenv("BENCH_ROWS")) : 1000000;
    Server server;
    server.state = "/tmp/bench-tessmark-" + std::to_string(getpid()) + ".state";
    if (std::system((kServerScripts + "start_server.sh " + server.state).c_str()) != 0) return 1;
    std::ifstream(server.state) >> server.port;
    server.port = server.port.substr(5);

    MYSQL* admin = mysql_init(nullptr);
    if (!mysql_real_connect(admin, "127.0.0.1", "root", "", nullptr, std::stoi(server.port), nullptr, 0)) return 1;
    for (const char* statement : {"create database bench",
                                  "create table bench.big (id int primary key, name varchar(40), amount double, note "
                                  "text)"})
        mysql_query(admin, statement);
    mysql_select_db(admin, "bench");
    const std::string insert = "insert into big select seq, concat('name-', seq), seq * 1.5, repeat('n', seq % 50) "
                               "from seq_1_to_" + std::to_string(rows);
    if (mysql_query(admin, insert.c_str()) != 0) {
        std::fprintf(stderr, "fill: %s\n", mysql_error(admin));
        return 1;
    }
    mysql_close(admin);
    std::printf("table of %ld rows\n\n", rows);

    const std::string client = "mariadb -B -h 127.0.0.1 -P " + server.port + " -u root -e 'select * from bench.big'";
    const double clientRead = seconds([&] { std::system((client + " > /dev/null").c_str()); });

    const std::string work = "/tmp/bench-tessmark-" + std::to_string(getpid());
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    CApplication* app = StartTessmark(nullptr);
    MYSQL* connection = mysql_init(nullptr);
    mysql_real_connect(connection, "127.0.0.1", "root", "", "bench", std::stoi(server.port), nullptr, 0);
    g_appGlobals->currentDatabase = "bench";
    app->OpenConnection(connection);
    drain();
    CQueryWindow* window = app->ActiveQueryWindow();
    HWND editor = window->Editor()->Window();
    SendMessage(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select * from big"));
    drain();
    HWND grid = window->Tabs()->Grid()->Window();

    const double firstScreen = seconds([&] {
        SendMessage(app->Frame(), WM_COMMAND, ID_EXECUTECURRENT, 0);
        UpdateWindow(app->Frame());
        drain();
    });
    const long count = static_cast<long>(SendMessage(grid, LVM_GETITEMCOUNT, 0, 0));
    const double lastScreen = seconds([&] {
        SendMessage(grid, LVM_ENSUREVISIBLE, static_cast<WPARAM>(count - 1), FALSE);
        UpdateWindow(grid);
        drain();
    });
    const long top = static_cast<long>(SendMessage(grid, LVM_GETTOPINDEX, 0, 0));
    std::printf("grid rows %ld, top row after the jump %ld\n", count, top);
    report("F5 to the first painted grid screen", firstScreen, "mariadb -B -e ... > /dev/null", clientRead);
    report("jump to the last screen", lastScreen, "(the first screen)", firstScreen);

    EndTessmark();
    std::filesystem::current_path("/tmp");
    std::filesystem::remove_all(work);
    return count == rows ? 0 : 1;
}
