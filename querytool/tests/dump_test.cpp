#include "querytool/sql_dump.h"

#include "support/golden.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

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
    std::string restored() const { return "t_dump_restored"; }
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
        "USE " + m_database + ";\r\n\r\n" +
        "-- \r\n-- Table struture for empty_one\r\n-- \r\n\r\nDROP TABLE empty_one;\r\n" +
        createE.at(0).substr(createE[0].find('|') + 1) + ";\r\n\r\n" + "-- \r\n-- Table data for " +
        m_database + ".empty_one\r\n-- \r\n\r\n\r\n" +
        "-- \r\n-- Table struture for t\r\n-- \r\n\r\nDROP TABLE t;\r\n" +
        createT.at(0).substr(createT[0].find('|') + 1) + ";\r\n\r\n" + "-- \r\n-- Table data for " +
        m_database + ".t\r\n-- \r\n\r\n" + "INSERT INTO t VALUES ('1',NULL,'x');\r\n\r\n";
    EXPECT_EQ(expected, ReadFileBytes(path));
}

TEST_F(Dump, AFailedWriteReleasesTheTableLock) {
    Exec(m_connection, "create table big (a int, b varchar(100))");
    Exec(m_connection, "insert into big select seq, repeat('b', 100) from seq_1_to_20000");
    Exec(m_connection, "create table other (a int)");
    DumpOptions options;
    options.structure = false;
    const DumpOutcome outcome =
        DumpTables(m_connection, "/dev/full", m_database, {"big", "other"}, options, nullptr);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(DumpFailure::File, outcome.failure.kind);
    EXPECT_EQ(ENOSPC, outcome.failure.code);
    EXPECT_EQ("Some error occured while exporting data", outcome.finalText);
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
    EXPECT_EQ(0u, ReadFileBytes(path).rfind("-- Tessmark v1.71\r\n", 0));
    Exec(m_connection, "insert into t values (1)");
}
