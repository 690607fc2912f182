#include "querytool/sql_dump.h"

#include "cmake/test_files.h"
#include "platform/win/tests/support/scratch_disk.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

const std::string kSessionStart =
    "SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT, "
    "@OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS, "
    "@OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION, @OLD_SQL_MODE=@@SQL_MODE, "
    "@OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, @OLD_AUTOCOMMIT=@@AUTOCOMMIT;\r\n"
    "SET NAMES utf8mb4;\r\nSET SQL_MODE='NO_AUTO_VALUE_ON_ZERO', FOREIGN_KEY_CHECKS=0, AUTOCOMMIT=0;\r\n\r\n";
const std::string kTableCommit = "COMMIT;\r\n\r\n";
const std::string kSessionEnd =
    "COMMIT;\r\nSET SQL_MODE=@OLD_SQL_MODE, CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT, "
    "CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS, COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION, "
    "FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS, AUTOCOMMIT=@OLD_AUTOCOMMIT;\r\n";
const std::string kIncomplete = "-- This dump is incomplete: it was stopped by an error.\r\n";

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct RecordingProgress : DumpProgress {
    void SetText(const std::string& text) override { texts.push_back(text); }
    void SetRange(int, int, int) override {}
    void Step() override { ++steps; }
    std::vector<std::string> texts;
    int steps = 0;
};

class Dump : public ServerTest {
protected:
    std::vector<std::string> rows(const std::string& database, const std::string& table) {
        return QueryRows(m_connection, "select * from `" + database + "`.`" + table + "` order by 1");
    }
    std::string restored() const { return m_database.substr(0, 56) + "_restore"; }
};

} // namespace

TEST_F(Dump, AwkwardNamesAndValuesRestoreWithTheStandardClient) {
    Exec(m_connection, "create table `order` (id int primary key, txt varchar(100), note text, b blob)");
    Exec(m_connection, "create table `my-table` (id int primary key, `select` varchar(20), d date)");
    Exec(m_connection, "insert into `order` values "
                       "(1, 'it''s', 'back\\\\slash \\\\'' quote', NULL),"
                       "(2, 'line\\r\\nbreak\\nand\\rcr', 'caf\xC3\xA9 \xE2\x82\xAC "
                       "\xE6\x97\xA5\xE6\x9C\xAC', 'nul\\0byte'),"
                       "(3, '', '\"double\" ; -- not a comment', x'00FF0A0D5C27221A'),"
                       "(4, 'x''); drop table `my-table`; -- ', NULL, '')");
    Exec(m_connection, "insert into `my-table` values (1, 'a', '2024-02-29'), (2, NULL, NULL)");

    const std::string path = TestOutputPath("dump.sql");
    RecordingProgress progress;
    const DumpOutcome outcome =
        DumpTables(m_connection, path, m_database, {"my-table", "order"}, {}, &progress);
    ASSERT_TRUE(outcome.ok) << outcome.failure.text;
    EXPECT_EQ("Exporting of data successful", outcome.finalText);
    EXPECT_EQ("Writing table structure for my-table", progress.texts.at(0));

    Exec(m_connection, "drop database if exists `" + restored() + "`");
    Exec(m_connection, "create database `" + restored() + "` character set utf8mb4");
    ASSERT_EQ(0, RunServerClient("mariadb", "'" + restored() + "'", path));
    for (const char* table : {"order", "my-table"}) {
        SCOPED_TRACE(table);
        const std::vector<std::string> original = rows(m_database, table);
        EXPECT_FALSE(original.empty());
        EXPECT_EQ(original, rows(restored(), table));
    }
    Exec(m_connection, "drop database `" + restored() + "`");
}

TEST_F(Dump, PlainTableLinesAreTheFormatsBytes) {
    Exec(m_connection, "create table t (a int, b int, c varchar(5))");
    Exec(m_connection, "insert into t values (1, NULL, 'x')");
    Exec(m_connection, "create table empty_one (a int)");
    const std::string path = TestOutputPath("plain.sql");
    DumpOptions options;
    options.useStatement = true;
    options.dropTable = true;
    ASSERT_TRUE(DumpTables(m_connection, path, m_database, {"empty_one", "t"}, options, nullptr).ok);
    const std::vector<std::string> createT = QueryRows(m_connection, "show create table t");
    const std::vector<std::string> createE = QueryRows(m_connection, "show create table empty_one");
    const std::string expected =
        "-- Tessmark v1.71\r\n-- \r\n-- Host - 127.0.0.1 : Database - " + m_database + "\r\n-- " +
        std::string(62, '*') + "\r\n-- Server version " + mysql_get_server_info(m_connection) + "\r\n\r\n" +
        "USE " + m_database + ";\r\n\r\n" + kSessionStart +
        "-- \r\n-- Table struture for empty_one\r\n-- \r\n\r\nDROP TABLE IF EXISTS empty_one;\r\n" +
        createE.at(0).substr(createE[0].find('|') + 1) + ";\r\n\r\n" + "-- \r\n-- Table data for " +
        m_database + ".empty_one\r\n-- \r\n\r\n\r\n" + kTableCommit +
        "-- \r\n-- Table struture for t\r\n-- \r\n\r\nDROP TABLE IF EXISTS t;\r\n" +
        createT.at(0).substr(createT[0].find('|') + 1) + ";\r\n\r\n" + "-- \r\n-- Table data for " +
        m_database + ".t\r\n-- \r\n\r\n" + "INSERT INTO t VALUES ('1',NULL,'x');\r\n\r\n" + kTableCommit +
        kSessionEnd;
    EXPECT_EQ(expected, pm::test::readFile(path));
}

// A table that refers to one sorting after it restores, also over the tables of an earlier restore
// (dropping a table that another refers to), and the rows are committed even by a client that starts
// with autocommit off. A dump with its DROP lines also restores into a database that lacks its tables
// and views.
TEST_F(Dump, ForeignKeysRestoreAndRowsAreCommitted) {
    Exec(m_connection, "create table parent (id int primary key) engine=InnoDB");
    Exec(m_connection, "create table child (id int primary key, parent_id int, "
                       "foreign key (parent_id) references parent (id)) engine=InnoDB");
    Exec(m_connection, "insert into parent values (1), (2)");
    Exec(m_connection, "insert into child values (10, 1), (20, 2)");
    Exec(m_connection, "create view v as select parent_id from child");
    const std::string path = TestOutputPath("foreign_keys.sql"),
                      again = TestOutputPath("foreign_keys_drop.sql");
    ASSERT_TRUE(DumpTables(m_connection, path, m_database, {"child", "parent", "v"}, {}, nullptr).ok);
    DumpOptions dropping;
    dropping.dropTable = true;
    ASSERT_TRUE(DumpTables(m_connection, again, m_database, {"child", "parent", "v"}, dropping, nullptr).ok);
    const std::vector<std::vector<std::string>> restores = {{path, again}, {again}};
    for (const char* client : {"mariadb", "mariadb --init-command='SET autocommit=0'"}) {
        for (const std::vector<std::string>& files : restores) {
            SCOPED_TRACE(std::string(client) + " " + files.front());
            Exec(m_connection, "drop database if exists `" + restored() + "`");
            Exec(m_connection, "create database `" + restored() + "`");
            for (const std::string& file : files)
                ASSERT_EQ(0, RunServerClient(client, "'" + restored() + "'", file));
            EXPECT_EQ(rows(m_database, "child"), rows(restored(), "child"));
            EXPECT_EQ(rows(m_database, "parent"), rows(restored(), "parent"));
            EXPECT_EQ(rows(m_database, "v"), rows(restored(), "v"));
        }
    }
    Exec(m_connection, "drop database `" + restored() + "`");
}

TEST_F(Dump, AFailedWriteReleasesTheTableLock) {
    Exec(m_connection, "create table big (a int, b varchar(100))");
    Exec(m_connection, "insert into big select seq, repeat('b', 100) from seq_1_to_20000");
    Exec(m_connection, "create table other (a int)");
    DumpOptions options;
    options.structure = false;
    pm::test::ScratchDisk disk(pm::test::ScratchDisk::Full);
    const std::string target = disk.file("dump.sql");
    pm::test::writeFile(target, "-- an older dump");
    disk.seal();
    const DumpOutcome outcome =
        DumpTables(m_connection, target, m_database, {"big", "other"}, options, nullptr);
    disk.unseal();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(DumpFailure::File, outcome.failure.kind);
    EXPECT_NE(0, outcome.failure.code);
    EXPECT_EQ("Some error occured while exporting data", outcome.finalText);
    EXPECT_EQ(pm::test::readFile(target), "-- an older dump") << "a failed write leaves the old dump whole";
    EXPECT_EQ(disk.names(), std::vector<std::string>{"dump.sql"});
    Exec(m_connection, "insert into other values (1)");
}

// Stops once the given number of steps has been taken.
struct StoppingProgress : RecordingProgress {
    explicit StoppingProgress(int stopAfter) : stopAfter(stopAfter) {}
    bool Stopped() override { return steps >= stopAfter; }
    int stopAfter;
};

TEST_F(Dump, AStopInTheMiddleReleasesTheLockAndMarksTheFilePartial) {
    Exec(m_connection, "create table big (a int, b varchar(100))");
    Exec(m_connection, "insert into big select seq, repeat('b', 100) from seq_1_to_20000");
    Exec(m_connection, "create table other (a int)");
    const std::string path = TestOutputPath("stopped.sql");
    StoppingProgress progress(10);
    const DumpOutcome outcome = DumpTables(m_connection, path, m_database, {"big", "other"}, {}, &progress);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(DumpFailure::Stopped, outcome.failure.kind);
    EXPECT_EQ("Export stopped: the file holds part of the data", outcome.finalText);
    const std::string file = pm::test::readFile(path);
    EXPECT_TRUE(endsWith(file, kSessionEnd + "-- This dump is incomplete: it was stopped by the user.\r\n"));
    EXPECT_NE(std::string::npos, file.find("INSERT INTO big VALUES ('50',"));
    EXPECT_EQ(std::string::npos, file.find("INSERT INTO big VALUES ('20000',"));
    EXPECT_EQ(std::string::npos, file.find("Table struture for other"));
    // Under a leftover "lock tables big read" the other table could not be written.
    Exec(m_connection, "insert into other values (1)");
}

TEST_F(Dump, FailuresAreReported) {
    DumpOptions options;
    DumpOutcome outcome =
        DumpTables(m_connection, "/nonexistent-folder/x.sql", m_database, {"t"}, options, nullptr);
    EXPECT_EQ("Could not open the file specified.", outcome.failure.text);
    EXPECT_EQ(ENOENT, outcome.failure.code);

    outcome = DumpTables(m_connection, TestOutputPath("missing.sql"), m_database, {"nosuchtable"}, options,
                         nullptr);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(DumpFailure::Server, outcome.failure.kind);
    EXPECT_EQ(1146, outcome.failure.code);

    Exec(m_connection, "create table t (a int)");
    options.structure = options.data = false;
    const std::string path = TestOutputPath("header-only.sql");
    outcome = DumpTables(m_connection, path, m_database, {"t"}, options, nullptr);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ("Some error occured while exporting data", outcome.finalText);
    EXPECT_EQ(0u, pm::test::readFile(path).rfind("-- Tessmark v1.71\r\n", 0));
    EXPECT_TRUE(endsWith(pm::test::readFile(path), kIncomplete));
    Exec(m_connection, "insert into t values (1)");
}

namespace {

// Every byte value once, as a hexadecimal literal.
std::string allBytesLiteral() {
    static const char digits[] = "0123456789ABCDEF";
    std::string literal = "x'";
    for (int b = 0; b < 256; ++b) {
        literal += digits[b >> 4];
        literal += digits[b & 15];
    }
    return literal + "'";
}

} // namespace

// A table of awkward names and values, with a generated and an invisible column and a view over it,
// comes back cell by cell when its dump is restored by the standard client under a plain and a UTF-8
// locale, into a fresh database, with and without NO_BACKSLASH_ESCAPES as the server's mode.
TEST_F(Dump, EveryCellComesBackUnderAnyLocaleAndServerMode) {
    Exec(m_connection, "create table `a<b>&c` (id int auto_increment primary key, `1st` text, txt longtext, "
                       "b longblob, l varchar(20) character set latin1, big bigint, ubig bigint unsigned, "
                       "g int as (id * 2) virtual, gs varchar(30) as (concat('g', `1st`)) stored, "
                       "hid varchar(20) invisible)");
    Exec(m_connection, "set session sql_mode = concat(@@sql_mode, ',NO_AUTO_VALUE_ON_ZERO')");
    Exec(m_connection, "insert into `a<b>&c` (id, `1st`, txt, b, l, big, ubig, hid) values "
                       "(0, 'zero', concat('nul', char(0 using utf8mb4), 'cr\\r lf\\n tab\\t q'' dq\\\" "
                       "bs\\\\ \xF0\x9F\x98\x80 \\Z;'), " +
                           allBytesLiteral() +
                           ", 'caf\xC3\xA9', "
                           "-9223372036854775808, 18446744073709551615, 'hidden'),"
                           "(1, '(NULL)', repeat('0123456789abcde\xC3\xA9', 61681), NULL, NULL, "
                           "9223372036854775807, 0, NULL),"
                           "(2, 'NULL', '', '', '', NULL, NULL, '')");
    Exec(m_connection, "create view `my view` as select id, `1st`, g from `a<b>&c` where id < 2");
    Exec(m_connection, "create view v2 as select v.id, '`" + m_database + "`.`x`' as s from `" + m_database +
                           "`.`my view` v");
    const std::string path = TestOutputPath("awkward.sql");
    const DumpOutcome outcome =
        DumpTables(m_connection, path, m_database, {"a<b>&c", "my view", "v2"}, DumpOptions(), nullptr);
    ASSERT_TRUE(outcome.ok) << outcome.failure.text;

    const char* const restores[][2] = {
        {"C", ""},
        {"C.UTF-8", ""},
        {"C", "--init-command=\"set session sql_mode = 'NO_BACKSLASH_ESCAPES'\""},
        {"C.UTF-8", "--init-command=\"set session sql_mode = 'NO_BACKSLASH_ESCAPES,STRICT_ALL_TABLES'\""},
    };
    for (const auto& restore : restores) {
        SCOPED_TRACE(std::string(restore[0]) + " " + restore[1]);
        Exec(m_connection, "drop database if exists `" + restored() + "`");
        Exec(m_connection, "create database `" + restored() + "` character set latin1");
        const std::string client =
            std::string("env -u LC_ALL -u LC_CTYPE LANG=") + restore[0] + " mariadb --no-defaults";
        ASSERT_EQ(0, RunServerClient(client, std::string(restore[1]) + " '" + restored() + "'", path));
        for (const char* select :
             {"select *, hid from `%s`.`a<b>&c` order by id", "select * from `%s`.`my view` order by id",
              "select * from `%s`.v2 order by id"}) {
            const auto rowsOf = [&](const std::string& database) {
                std::string statement = select;
                statement.replace(statement.find("%s"), 2, database);
                return QueryRows(m_connection, statement);
            };
            const std::vector<std::string> original = rowsOf(m_database);
            EXPECT_FALSE(original.empty());
            EXPECT_TRUE(rowsOf(restored()) == original) << select;
        }
    }
    Exec(m_connection, "drop database `" + restored() + "`");
}

// Views restore whatever their names' order: each is written after the views it selects from.
TEST_F(Dump, AViewOverViewsThatSortAfterItRestores) {
    Exec(m_connection, "create table t (a int)");
    Exec(m_connection, "insert into t values (1), (2)");
    Exec(m_connection, "create view `z``v` as select a from t");
    Exec(m_connection, "create view m as select a, '`" + m_database + "`.`a_v`' as s from `z``v`");
    Exec(m_connection, "create view a_v as select m.a, z.a as b from m join `z``v` z on m.a = z.a");
    // The server qualifies the names of a view's text by its database unless that is the current one.
    for (const std::string& current : {m_database, std::string("mysql")}) {
        SCOPED_TRACE(current);
        ASSERT_EQ(0, mysql_select_db(m_connection, current.c_str()));
        const std::string path = TestOutputPath("views.sql");
        ASSERT_TRUE(DumpTables(m_connection, path, m_database, {"a_v", "m", "t", "z`v"}, {}, nullptr).ok);
        const std::string file = pm::test::readFile(path);
        EXPECT_LT(file.find("struture for z`v"), file.find("struture for m"));
        EXPECT_LT(file.find("struture for m"), file.find("struture for a_v"));
        Exec(m_connection, "drop database if exists `" + restored() + "`");
        Exec(m_connection, "create database `" + restored() + "`");
        ASSERT_EQ(0, RunServerClient("mariadb", "'" + restored() + "'", path));
        EXPECT_EQ(rows(m_database, "a_v"), rows(restored(), "a_v"));
        Exec(m_connection, "drop database `" + restored() + "`");
    }
}

// A dump whose connection is killed while it reads rows ends its file with the incomplete mark.
TEST_F(Dump, AKilledConnectionLeavesAFileMarkedIncomplete) {
    Exec(m_connection, "create table big (a int, b varchar(100))");
    Exec(m_connection, "insert into big select seq, repeat('b', 100) from seq_1_to_200000");
    MYSQL* dumping = ConnectToTestServer();
    ASSERT_NE(nullptr, dumping);
    ASSERT_EQ(0, mysql_select_db(dumping, m_database.c_str()));
    struct Killer : RecordingProgress {
        void SetText(const std::string& text) override {
            if (text == "Writing data for big") Exec(killer, "kill connection " + std::to_string(id));
        }
        MYSQL* killer = nullptr;
        unsigned long id = 0;
    } progress;
    progress.killer = m_connection;
    progress.id = mysql_thread_id(dumping);
    const std::string path = TestOutputPath("killed.sql");
    const DumpOutcome outcome = DumpTables(dumping, path, m_database, {"big"}, DumpOptions(), &progress);
    mysql_close(dumping);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(DumpFailure::Server, outcome.failure.kind);
    EXPECT_EQ("Some error occured while exporting data", outcome.finalText);
    EXPECT_TRUE(endsWith(pm::test::readFile(path), kSessionEnd + kIncomplete));
}
