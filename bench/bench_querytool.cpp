// The query tool's core against the server's own command-line tools, on a private server with a
// table of a million rows: storing and indexing a result, reaching the last row, CSV and XML export,
// dump, splitting the dump into statements, and restore. Each figure is printed as a ratio against a baseline
// measured in the same run.

#include "querytool/query_batch.h"
#include "querytool/result_export.h"
#include "querytool/sql_dump.h"
#include "querytool/statements.h"

#include "bench/private_server.h"

#include <mysql.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, double ours, const char* baseline, double theirs) {
    std::printf("%-44s %9.3f s   %-44s %9.3f s   ratio %6.2f\n", what, ours, baseline, theirs, ours / theirs);
}

bool run(MYSQL* connection, const std::string& statement) {
    if (mysql_real_query(connection, statement.data(), statement.size()) == 0) {
        mysql_free_result(mysql_store_result(connection));
        return true;
    }
    std::fprintf(stderr, "%s: %s\n", statement.c_str(), mysql_error(connection));
    return false;
}

int shell(const std::string& command) {
    return std::system(command.c_str());
}

// The dump dialog's progress without a window: every step asks whether the user stopped.
struct CountingProgress : DumpProgress {
    void SetText(const std::string&) override {}
    void SetRange(int, int, int) override {}
    void Step() override { ++steps; }
    bool Stopped() override { return false; }
    long steps = 0;
};

} // namespace

int main() {
    const long rows = std::getenv("BENCH_ROWS") ? std::atol(std::getenv("BENCH_ROWS")) : 1000000;
    PrivateServer server;
    if (!server.start("querytool",
                      std::getenv("BENCH_SERVER_OPTIONS") ? std::getenv("BENCH_SERVER_OPTIONS") : ""))
        return 1;
    const std::string client = " -h 127.0.0.1 -P " + server.port() + " -u root ";

    MYSQL* connection = mysql_init(nullptr);
    if (!mysql_real_connect(connection, "127.0.0.1", "root", "", nullptr, server.portNumber(), nullptr, 0)) {
        std::fprintf(stderr, "connect: %s\n", mysql_error(connection));
        return 1;
    }
    run(connection, "create database bench character set utf8mb4");
    mysql_select_db(connection, "bench");
    run(connection, "create table big (id int primary key, name varchar(40), amount double, note text)");
    const double fill = seconds([&] {
        run(connection, "insert into big select seq, concat('name-', seq), seq * 1.5, repeat('n', seq % 50) "
                        "from seq_1_to_" +
                            std::to_string(rows));
    });
    std::printf("table of %ld rows filled in %.2f s\n\n", rows, fill);

    QueryBatch batch(connection);
    const double store = seconds([&] { batch.RunStatement("select * from big"); });
    const double clientRead =
        seconds([&] { shell("mariadb -B" + client + "-e 'select * from bench.big' > /dev/null"); });
    report("store and index the result", store, "mariadb -B -e ... > /dev/null", clientRead);

    const QueryResult& result = *batch.Results().at(0);
    const int reps = 5000000;
    std::size_t sink = 0;
    const double last = seconds([&] {
        for (int i = 0; i < reps; ++i)
            sink += result.Row(result.RowCount() - 1).lengths[0];
    });
    const double first = seconds([&] {
        for (int i = 0; i < reps; ++i)
            sink += result.Row(0).lengths[0];
    });
    report("reach the last row (5,000,000 times)", last, "reach row 0 (5,000,000 times)", first);

    const std::string csv = "/tmp/bench-querytool.csv";
    const double exportCsv = seconds([&] { ExportResult(result, ExportFormat::Csv, csv); });
    const double clientCsv =
        seconds([&] { shell("mariadb -B" + client + "-e 'select * from bench.big' > " + csv); });
    report("CSV export", exportCsv, "mariadb -B -e ... > file", clientCsv);

    const std::string xml = "/tmp/bench-querytool.xml";
    const double exportXml = seconds([&] { ExportResult(result, ExportFormat::Xml, xml); });
    const double clientXml =
        seconds([&] { shell("mariadb -X" + client + "-e 'select * from bench.big' > " + xml); });
    report("XML export", exportXml, "mariadb -X -e ... > file", clientXml);
    std::remove(xml.c_str());

    // The dumps take under a second and other work on the machine moves single runs by a fifth: each
    // is run five times, interleaved, and its fastest run counts.
    const std::string ours = "/tmp/bench-querytool-ours.sql", theirs = "/tmp/bench-querytool-theirs.sql";
    const std::string extended = "/tmp/bench-querytool-extended.sql";
    CountingProgress progress;
    double dump = 1e9, dumpPlain = 1e9, clientDump = 1e9, clientExtended = 1e9;
    for (int run = 0; run < 5; ++run) {
        dump = std::min(
            dump, seconds([&] { DumpTables(connection, ours, "bench", {"big"}, DumpOptions(), &progress); }));
        clientDump =
            std::min(clientDump, seconds([&] {
                         shell("mariadb-dump --skip-extended-insert" + client + "bench big > " + theirs);
                     }));
        dumpPlain = std::min(dumpPlain, seconds([&] {
                                 DumpTables(connection, ours, "bench", {"big"}, DumpOptions(), nullptr);
                             }));
        clientExtended = std::min(
            clientExtended, seconds([&] { shell("mariadb-dump" + client + "bench big > " + extended); }));
    }
    report("dump with row count and progress steps", dump, "mariadb-dump --skip-extended-insert", clientDump);
    report("dump with row count and progress steps", dump, "mariadb-dump (extended inserts)", clientExtended);
    report("dump without progress (no row count)", dumpPlain, "mariadb-dump --skip-extended-insert",
           clientDump);

    std::ifstream dumpFile(ours, std::ios::binary);
    const std::string script((std::istreambuf_iterator<char>(dumpFile)), std::istreambuf_iterator<char>());
    std::size_t pieces = 0;
    const double split = seconds([&] { pieces = SplitStatements(script).size(); });
    std::size_t semicolons = 0;
    const double count = seconds([&] { semicolons = std::count(script.begin(), script.end(), ';'); });
    report("split our dump into statements", split, "count its semicolons", count);
    sink += pieces + semicolons;

    // Each restore starts from the same server: the source database is gone and every restored one
    // is dropped once measured, so none of them pays for another's pages in the buffer pool. Single
    // restores moved by half between runs on a busy machine: each is run twice, in turn with the
    // others, and its faster run counts.
    run(connection, "drop database bench");
    const auto restore = [&](const std::string& file) {
        run(connection, "create database restored character set utf8mb4");
        const double time = seconds([&] { shell("mariadb" + client + "restored < " + file); });
        run(connection, "drop database restored");
        return time;
    };
    double restoreOurs = 1e9, restoreTheirs = 1e9, restoreExtended = 1e9;
    for (int run = 0; run < 2; ++run) {
        restoreOurs = std::min(restoreOurs, restore(ours));
        restoreTheirs = std::min(restoreTheirs, restore(theirs));
        restoreExtended = std::min(restoreExtended, restore(extended));
    }
    report("restore our dump with mariadb", restoreOurs, "restore mariadb-dump's", restoreTheirs);
    report("restore our dump with mariadb", restoreOurs, "restore mariadb-dump's (extended)",
           restoreExtended);
    std::remove(extended.c_str());

    std::remove(csv.c_str());
    std::remove(ours.c_str());
    std::remove(theirs.c_str());
    mysql_close(connection);
    return sink == 0 ? 1 : 0;
}
