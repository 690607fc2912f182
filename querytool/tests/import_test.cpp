#include "querytool/error_text.h"
#include "querytool/load_data.h"

#include "cmake/test_files.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

class Import : public ServerTest {
protected:
    LoadDataOptions options(const std::string& path, std::vector<std::string> columns) {
        LoadDataOptions o;
        o.path = path;
        o.database = m_database;
        o.table = "imp";
        o.columns = std::move(columns);
        return o;
    }
    void load(const LoadDataOptions& o) {
        const std::string statement = BuildLoadDataStatement(m_connection, o);
        EXPECT_TRUE(RunLoadData(m_connection, statement)) << statement << "\n"
                                                          << QueryErrorText(m_connection);
    }
};

TEST_F(Import, StatementTexts) {
    LoadDataOptions o = options("/data/a.csv", {"a", "b"});
    o.database = "d";
    o.table = "t";
    EXPECT_EQ(
        "LOAD DATA LOCAL INFILE '/data/a.csv' INTO TABLE d.t CHARACTER SET utf8mb4 FIELDS TERMINATED BY "
        "',' ESCAPED BY '' LINES TERMINATED BY '\\r\\n' ( a,b )",
        BuildLoadDataStatement(m_connection, o));
    o.columns.clear();
    o.replace = true;
    o.terminatedBy = "1234567890";
    o.ignoreLines = true;
    o.ignoreLineCount = "1";
    o.path = "C:\\it's.csv";
    o.table = "my-table";
    EXPECT_EQ(
        "LOAD DATA LOCAL INFILE 'C:\\\\it\\'s.csv' REPLACE INTO TABLE d.`my-table` CHARACTER SET utf8mb4 "
        "FIELDS TERMINATED BY '123456789' ESCAPED BY '' LINES TERMINATED BY '\\r\\n' IGNORE 1 LINES ( )",
        BuildLoadDataStatement(m_connection, o));
    o.ignore = true;
    o.terminated = false;
    o.lines = false;
    o.ignoreLines = false;
    o.enclosed = true;
    o.enclosedBy = "'";
    o.escaped = true;
    o.escapedBy = "\\'";
    EXPECT_EQ(
        "LOAD DATA LOCAL INFILE 'C:\\\\it\\'s.csv' IGNORE INTO TABLE d.`my-table` CHARACTER SET utf8mb4 "
        "ENCLOSED BY '\\'' ESCAPED BY '\\'' ( )",
        BuildLoadDataStatement(m_connection, o));
    o.enclosed = o.escaped = false;
    EXPECT_EQ(
        "LOAD DATA LOCAL INFILE 'C:\\\\it\\'s.csv' IGNORE INTO TABLE d.`my-table` CHARACTER SET utf8mb4 "
        "FIELDS ESCAPED BY '' ( )",
        BuildLoadDataStatement(m_connection, o));
}

// Whatever is typed into an option edit, its literal ends where the statement ends it: the server
// never reads a broken statement (error 1064), though it may refuse an odd separator.
TEST_F(Import, OptionTextsAlwaysCloseTheirLiteral) {
    Exec(m_connection, "create table imp (a int, b varchar(20))");
    const std::string path = TestOutputPath("options.csv");
    pm::test::writeFile(path, "1,x\r\n");
    struct Case {
        const char* typed;
        const char* inStatement;
    };
    for (const Case& c :
         {Case{",", ","}, Case{"\\t", "\\t"}, Case{"\\", "\\\\"}, Case{"'", "\\'"}, Case{"\\'", "\\'"},
          Case{"\\\\'", "\\\\\\'"}, Case{"a'b'", "a\\'b\\'"}, Case{"\\t\\t\\t\\t\\t", "\\t\\t\\t\\t\\\\"}}) {
        LoadDataOptions o = options(path, {"a", "b"});
        o.escaped = true;
        o.escapedBy = c.typed;
        const std::string statement = BuildLoadDataStatement(m_connection, o);
        EXPECT_NE(std::string::npos, statement.find("ESCAPED BY '" + std::string(c.inStatement) + "' LINES"))
            << statement;
        RunLoadData(m_connection, statement);
        EXPECT_NE(1064u, mysql_errno(m_connection)) << statement << "\n" << QueryErrorText(m_connection);
    }
}

TEST_F(Import, DefaultOptionsLoadACsvFile) {
    Exec(m_connection, "create table imp (a int, b varchar(20), c int default 7)");
    const std::string path = TestOutputPath("plain.csv");
    pm::test::writeFile(path, "1,alpha\r\n2,beta\r\n3,\r\n");
    load(options(path, {"a", "b"}));
    EXPECT_EQ((std::vector<std::string>{"1|alpha|7", "2|beta|7", "3||7"}),
              QueryRows(m_connection, "select * from imp order by a"));
}

TEST_F(Import, EveryOptionSetAndAPathWithAQuote) {
    Exec(m_connection, "create table imp (a int primary key, `my col` varchar(40))");
    Exec(m_connection, "insert into imp values (2, 'old')");
    const std::string path = TestOutputPath("it's a \"file\".txt");
    pm::test::writeFile(path, "header;line\n1;\"semi;colon\"\n2;\"new\"\n3;back\\\\slash\n");
    LoadDataOptions o = options(path, {"a", "my col"});
    o.lowPriority = true;
    o.replace = true;
    o.terminatedBy = ";";
    o.enclosed = true;
    o.optionally = true;
    o.enclosedBy = "\"";
    o.escaped = true;
    o.escapedBy = "\\\\";
    o.linesTerminatedBy = "\\n";
    o.ignoreLines = true;
    o.ignoreLineCount = "1";
    load(o);
    EXPECT_EQ((std::vector<std::string>{"1|semi;colon", "2|new", "3|back\\slash"}),
              QueryRows(m_connection, "select * from imp order by a"));
}

TEST_F(Import, RefusedStatementsReportTheServerError) {
    Exec(m_connection, "create table imp (a int)");
    const std::string path = TestOutputPath("one.csv");
    pm::test::writeFile(path, "1\r\n");
    LoadDataOptions o = options(path, {"a"});
    o.table = "nosuch";
    EXPECT_FALSE(RunLoadData(m_connection, BuildLoadDataStatement(m_connection, o)));
    EXPECT_EQ(0u, QueryErrorText(m_connection).rfind("Error Code : 1146\n", 0))
        << QueryErrorText(m_connection);
}

// A UTF-8 file keeps its text whatever the session's database character set: with no database
// selected and with a latin1 database selected.
TEST_F(Import, AUtf8FileKeepsItsTextWithAnySelectedDatabase) {
    Exec(m_connection, "create table imp (a int, b varchar(40)) character set utf8mb4");
    const std::string path = TestOutputPath("utf8.csv");
    pm::test::writeFile(path, "1,caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n");
    MYSQL* fresh = ConnectToTestServer();
    ASSERT_NE(nullptr, fresh);
    Exec(fresh, "create database if not exists `" + m_database + "_latin1` character set latin1");
    for (bool selectLatin1 : {false, true}) {
        SCOPED_TRACE(selectLatin1 ? "latin1 database selected" : "no database selected");
        if (selectLatin1) {
            ASSERT_EQ(0, mysql_select_db(fresh, (m_database + "_latin1").c_str()));
        }
        Exec(m_connection, "delete from imp");
        const std::string statement = BuildLoadDataStatement(fresh, options(path, {"a", "b"}));
        EXPECT_TRUE(RunLoadData(fresh, statement)) << QueryErrorText(fresh);
        EXPECT_EQ((std::vector<std::string>{"1|caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"}),
                  QueryRows(m_connection, "select * from imp"));
    }
    Exec(fresh, "drop database `" + m_database + "_latin1`");
    mysql_close(fresh);
}

// With "escaped by" unticked, backslashes in the file are text.
TEST_F(Import, BackslashesAreKeptWithoutAnEscape) {
    Exec(m_connection, "create table imp (a int, b varchar(40))");
    const std::string path = TestOutputPath("paths.csv");
    pm::test::writeFile(path, "1,C:\\temp\\new\r\n2,end\\\r\n3,\\N\r\n");
    load(options(path, {"a", "b"}));
    EXPECT_EQ((std::vector<std::string>{"1|C:\\temp\\new", "2|end\\", "3|\\N"}),
              QueryRows(m_connection, "select * from imp order by a"));
}
