#include "querytool/query_batch.h"
#include "querytool/result_export.h"
#include "querytool/result_text.h"

#include "support/golden.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class Results : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        Exec(m_connection,
             "create table r (id int, `order date` varchar(40), note text, amount decimal(8,2), b blob)");
        Exec(m_connection, "insert into r values "
                           "(1, 'plain', 'simple', 1.50, NULL),"
                           "(2, '', 'a,b;c', NULL, 'x'),"
                           "(3, 'say \"hi\" & <b>', 'line1\\r\\nline2', -3.25, ''),"
                           "(4, 'it''s', 'one\\n\\ntwo\\rthree', 0, 'nul\\0inside'),"
                           "(5, NULL, 'h\xC3\xA9llo w\xC3\xB6rld \xE2\x82\xAC', 100, NULL)");
        Exec(m_connection, "create table e (id int, `order date` varchar(10))");
    }

    const QueryResult& query(const std::string& statement) {
        m_batch = std::make_unique<QueryBatch>(m_connection);
        EXPECT_TRUE(m_batch->RunStatement(statement)) << m_batch->Messages();
        return *m_batch->Results().at(0);
    }

    std::string exported(const QueryResult& result, ExportFormat format) {
        const std::string path = TestOutputPath("export");
        const ExportOutcome outcome = ExportResult(result, format, path);
        EXPECT_TRUE(outcome.ok) << outcome.errorText;
        return ReadFileBytes(path);
    }

    std::unique_ptr<QueryBatch> m_batch;
};

} // namespace

TEST_F(Results, ExportsMatchTheirGoldenFiles) {
    const QueryResult& sample = query("select * from r order by id");
    ExpectGolden(exported(sample, ExportFormat::Csv), "exports/sample.csv");
    ExpectGolden(exported(sample, ExportFormat::Xml), "exports/sample.xml");
    ExpectGolden(exported(sample, ExportFormat::Html), "exports/sample.html");
}

TEST_F(Results, EmptyResultExports) {
    const QueryResult& empty = query("select * from e");
    EXPECT_EQ("", exported(empty, ExportFormat::Csv));
    EXPECT_EQ("<data></data>", exported(empty, ExportFormat::Xml));
    ExpectGolden(exported(empty, ExportFormat::Html), "exports/empty.html");
}

TEST_F(Results, FailedWritesAreReportedOnce) {
    const QueryResult& sample = query("select * from r");
    const ExportOutcome full = ExportResult(sample, ExportFormat::Csv, "/dev/full");
    EXPECT_FALSE(full.ok);
    EXPECT_EQ("Error writing into file", full.errorText);
    EXPECT_EQ(ENOSPC, full.errorCode);
    EXPECT_EQ("Error writing in file.", ExportResult(sample, ExportFormat::Xml, "/dev/full").errorText);
    const ExportOutcome missing = ExportResult(sample, ExportFormat::Html, "/nonexistent-folder/x.html");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ("Could not create file.", missing.errorText);
    EXPECT_EQ(ENOENT, missing.errorCode);
}

TEST_F(Results, FailureInTheMiddleOfALargeExportStopsIt) {
    const QueryResult& many = query("select seq, repeat('x', 100) from seq_1_to_20000");
    OutputFile file;
    ASSERT_TRUE(file.Create("/dev/full"));
    EXPECT_FALSE(WriteCsv(many, file));
    EXPECT_EQ(ENOSPC, file.Error());
    EXPECT_FALSE(file.Write("more"));
    EXPECT_FALSE(file.Close());
}

TEST_F(Results, TextTableMatchesItsGoldenFile) {
    ExpectGolden(RenderTextTable(query("select * from r order by id")), "text_table/sample.txt");
}

TEST_F(Results, TextTableOfTwoNarrowColumns) {
    Exec(m_connection, "create table t2 (id int, name char(1))");
    Exec(m_connection, "insert into t2 values (1, 'a'), (2, NULL)");
    EXPECT_EQ("id      name  \r\n"
              "------  ------\r\n"
              "1       a     \r\n"
              "2       (NULL)\r\n",
              RenderTextTable(query("select * from t2")));
}

TEST_F(Results, RowsAsTextForTheClipboard) {
    const QueryResult& sample = query("select id, `order date` from r where id in (1, 5) order by id");
    EXPECT_EQ("1,plain\r\n5,(NULL)\r\n", RowsAsText(sample, 0, sample.RowCount()));
    EXPECT_EQ("5,(NULL)\r\n", RowsAsText(sample, 1, 2));
    EXPECT_EQ("", RowsAsText(sample, 1, 1));
    const QueryResult& nul = query("select b from r where id = 4");
    EXPECT_EQ(std::string("nul\0inside\r\n", 12), RowsAsText(nul, 0, 1));
    const QueryResult& wide = query("select repeat('w', 300)");
    EXPECT_EQ(std::string(300, 'w') + "\r\n", RowsAsText(wide, 0, 1));
}

TEST(ExportExtension, IsForcedOnTheFileName) {
    struct Case {
        const char* path;
        ExportFormat format;
        const char* expected;
    };
    const Case cases[] = {
        {"data.txt", ExportFormat::Csv, "data.csv"},
        {"out.html", ExportFormat::Xml, "out.xml"},
        {"noext", ExportFormat::Html, "noext.html"},
        {"/home/u/my.dir/data", ExportFormat::Csv, "/home/u/my.dir/data.csv"},
        {"/home/u/my.dir/a.b.c", ExportFormat::Xml, "/home/u/my.dir/a.b.xml"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ForceExportExtension(c.path, c.format)) << c.path;
}
