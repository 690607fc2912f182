// The query tool's window against the server's command-line client, on a private server with a
// table of a million rows: from F5 on "select * from big" to the grid's first painted screen, and
// from there a jump to the last screen, against the client writing the same rows to /dev/null; the
// resident memory the shown result adds to the program, against the peak resident memory of the
// client printing it (aim: at most 1.5 times); and the Export Tables dialog's dump of the table,
// against mariadb-dump. Each figure is printed as a ratio against a baseline measured in the same
// run.

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/tools/list_items.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"

#include "bench/private_server.h"

#include <mysql.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, double ours, const char* baseline, double theirs) {
    std::printf("%-44s %9.4f s   %-40s %9.4f s   ratio %7.4f\n", what, ours, baseline, theirs, ours / theirs);
}

// This process's resident memory now, in kilobytes.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// Runs a program with its output to /dev/null; its peak resident memory in kilobytes (0: it failed).
long childPeakKb(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) return 0;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return usage.ru_maxrss;
}

// Dispatches what is queued, paints included, until nothing is left.
void drain() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// The Export Tables dialog's dump of every table of the database, from "Export !" to its end: the
// row count, the progress bar and the messages handled while it runs included.
double dialogDump(CApplication* app, const std::string& database, const std::string& path) {
    double time = 0;
    pm::setDialogHook([&](HWND dialog) {
        HWND databases = GetDlgItem(dialog, IDC_DUMPDATABASES);
        if (databases == nullptr) return;
        drain();
        const std::vector<std::string> names = ListTexts(databases);
        SelectListItem(databases,
                       static_cast<int>(std::find(names.begin(), names.end(), database) - names.begin()));
        SendMessage(dialog, WM_COMMAND, IDC_DUMPADDALL, 0);
        SetDlgItemText(dialog, IDC_DUMPFILE, path.c_str());
        time = seconds([&] { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(app->Frame(), WM_COMMAND, ID_EXPORTTABLES, 0);
    pm::setDialogHook(nullptr);
    return time;
}

} // namespace

int main() {
    const long rows = std::getenv("BENCH_ROWS") ? std::atol(std::getenv("BENCH_ROWS")) : 1000000;
    PrivateServer server;
    if (!server.start("tessmark")) return 1;

    MYSQL* admin = mysql_init(nullptr);
    if (!mysql_real_connect(admin, "127.0.0.1", "root", "", nullptr, server.portNumber(), nullptr, 0))
        return 1;
    for (const char* statement :
         {"create database bench",
          "create table bench.big (id int primary key, name varchar(40), amount double, note "
          "text)"})
        mysql_query(admin, statement);
    mysql_select_db(admin, "bench");
    const std::string insert =
        "insert into big select seq, concat('name-', seq), seq * 1.5, repeat('n', seq % 50) "
        "from seq_1_to_" +
        std::to_string(rows);
    if (mysql_query(admin, insert.c_str()) != 0) {
        std::fprintf(stderr, "fill: %s\n", mysql_error(admin));
        return 1;
    }
    mysql_close(admin);
    std::printf("table of %ld rows\n\n", rows);

    const std::string client =
        "mariadb -B -h 127.0.0.1 -P " + server.port() + " -u root -e 'select * from bench.big'";
    const double clientRead = seconds([&] { std::system((client + " > /dev/null").c_str()); });
    const long clientPeak = childPeakKb({"mariadb", "-B", "-h", "127.0.0.1", "-P", server.port(), "-u",
                                         "root", "-e", "select * from bench.big"});

    const std::string work = "/tmp/bench-tessmark-" + std::to_string(getpid());
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    CApplication* app = StartTessmark(nullptr);
    MYSQL* connection = mysql_init(nullptr);
    mysql_real_connect(connection, "127.0.0.1", "root", "", "bench", server.portNumber(), nullptr, 0);
    g_appGlobals->currentDatabase = "bench";
    app->OpenConnection(connection);
    drain();
    CQueryWindow* window = app->ActiveQueryWindow();
    HWND editor = window->Editor()->Window();
    SendMessage(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select * from big"));
    drain();
    HWND grid = window->Tabs()->Grid()->Window();

    const long residentBefore = residentKb();
    const double firstScreen = seconds([&] {
        SendMessage(app->Frame(), WM_COMMAND, ID_EXECUTECURRENT, 0);
        UpdateWindow(app->Frame());
        drain();
    });
    const long resultKb = residentKb() - residentBefore;
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
    std::printf("%-44s %9ld KB   %-40s %9ld KB   ratio %7.4f   (aim at most 1.5)\n",
                "resident memory of the shown result", resultKb, "mariadb -B printing it (peak)", clientPeak,
                clientPeak > 0 ? static_cast<double>(resultKb) / static_cast<double>(clientPeak) : 0.0);
    std::printf("    (the program itself before F5: %ld KB resident)\n", residentBefore);

    // The dumps take under a second and other work on the machine moves single runs by a fifth: each
    // is run five times, interleaved, and its fastest run counts.
    const std::string ours = work + "/ours.sql", theirs = work + "/theirs.sql";
    const std::string dumpClient = " -h 127.0.0.1 -P " + server.port() + " -u root bench big > " + theirs;
    double dump = 1e9, clientDump = 1e9, clientExtended = 1e9;
    for (int run = 0; run < 5; ++run) {
        dump = std::min(dump, dialogDump(app, "bench", ours));
        clientDump = std::min(clientDump, seconds([&] {
                                  std::system(("mariadb-dump --skip-extended-insert" + dumpClient).c_str());
                              }));
        clientExtended =
            std::min(clientExtended, seconds([&] { std::system(("mariadb-dump" + dumpClient).c_str()); }));
    }
    const bool dumped = std::filesystem::exists(ours) &&
                        std::filesystem::file_size(ours) > static_cast<std::uintmax_t>(rows) * 20;
    report("Export Tables dialog's dump", dump, "mariadb-dump --skip-extended-insert", clientDump);
    report("Export Tables dialog's dump", dump, "mariadb-dump (extended inserts)", clientExtended);

    EndTessmark();
    std::filesystem::current_path("/tmp");
    std::filesystem::remove_all(work);
    return count == rows && dumped ? 0 : 1;
}
