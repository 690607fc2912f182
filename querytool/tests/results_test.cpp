#include "querytool/query_batch.h"
#include "querytool/result_export.h"
#include "querytool/result_text.h"

#include "cmake/test_files.h"
#include "platform/win/tests/support/scratch_disk.h"
#include "support/test_data.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

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
        return pm::test::readFile(path);
    }

    std::unique_ptr<QueryBatch> m_batch;
};

} // namespace

TEST_F(Results, ExportsMatchTheirGoldenFiles) {
    const QueryResult& sample = query("select * from r order by id");
    pm::test::expectGolden(TestDataPath("exports/sample.csv"), exported(sample, ExportFormat::Csv));
    pm::test::expectGolden(TestDataPath("exports/sample.xml"), exported(sample, ExportFormat::Xml));
    pm::test::expectGolden(TestDataPath("exports/sample.html"), exported(sample, ExportFormat::Html));
}

TEST_F(Results, EmptyResultExports) {
    const QueryResult& empty = query("select * from e");
    EXPECT_EQ("", exported(empty, ExportFormat::Csv));
    EXPECT_EQ("<data></data>", exported(empty, ExportFormat::Xml));
    pm::test::expectGolden(TestDataPath("exports/empty.html"), exported(empty, ExportFormat::Html));
}

TEST_F(Results, FailedWritesAreReportedOnceAndLeaveTheOldFileWhole) {
    const QueryResult& sample = query("select * from r");
    pm::test::ScratchDisk disk(pm::test::ScratchDisk::Full);
    const std::string target = disk.file("x.csv");
    pm::test::writeFile(target, "old export");
    disk.seal();
    const ExportOutcome full = ExportResult(sample, ExportFormat::Csv, target);
    const ExportOutcome xml = ExportResult(sample, ExportFormat::Xml, target);
    disk.unseal();
    EXPECT_FALSE(full.ok);
    EXPECT_EQ("Error writing into file", full.errorText);
    EXPECT_NE(0, full.errorCode);
    EXPECT_EQ("Error writing in file.", xml.errorText);
    EXPECT_EQ(pm::test::readFile(target), "old export");
    EXPECT_EQ(disk.names(), std::vector<std::string>{"x.csv"});
    const ExportOutcome missing = ExportResult(sample, ExportFormat::Html, "/nonexistent-folder/x.html");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ("Could not create file.", missing.errorText);
    EXPECT_EQ(ENOENT, missing.errorCode);
}

TEST_F(Results, FailureInTheMiddleOfALargeExportStopsIt) {
    const QueryResult& many = query("select seq, repeat('x', 100) from seq_1_to_20000");
    pm::test::ScratchDisk disk(pm::test::ScratchDisk::Full);
    disk.seal();
    OutputFile file;
    ASSERT_TRUE(file.Create(disk.file("big.csv")));
    EXPECT_FALSE(WriteCsv(many, file));
    EXPECT_NE(0, file.Error());
    EXPECT_FALSE(file.Write("more"));
    EXPECT_FALSE(file.Close());
    disk.unseal();
    EXPECT_TRUE(disk.names().empty()) << "nothing is left of a failed export";
}

TEST_F(Results, TextTableMatchesItsGoldenFile) {
    pm::test::expectGolden(TestDataPath("text_table/sample.txt"),
                           RenderTextTable(query("select * from r order by id")));
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

namespace {

std::string hexOf(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    if (bytes.empty()) return "-";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// What the standard reader gives back for the export at path, one line per row.
std::vector<std::string> readBack(const char* kind, const std::string& path) {
    const std::string output = path + ".read";
    const std::string command = "python3 '" + TestDataPath("exports/read_back.py") + "' " + kind + " '" +
                                path + "' > '" + output + "'";
    EXPECT_EQ(0, std::system(command.c_str())) << command;
    std::vector<std::string> lines;
    const std::string text = pm::test::readFile(output);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// A row as the reader should give it back: each value (NULL as "(NULL)") in hexadecimal, for XML
// after the field's name with its blanks as "_".
std::string expectedLine(const QueryResult& result, std::uint64_t r, bool withNames) {
    std::string line;
    const ResultRow row = result.Row(r);
    for (unsigned int i = 0; i < result.FieldCount(); ++i) {
        if (i > 0) line += ' ';
        if (withNames) {
            std::string name = result.Field(i).name;
            std::replace(name.begin(), name.end(), ' ', '_');
            line += hexOf(name) + "=";
        }
        line += hexOf(row.IsNull(i) ? std::string_view("(NULL)") : row.Value(i));
    }
    return line;
}

} // namespace

// Awkward names and values come back from the XML and CSV exports through standard readers, and the
// HTML export escapes names as it escapes values.
TEST_F(Results, ExportsReadBackWithStandardReaders) {
    Exec(m_connection, "create table w (`a<b>&c` text, `1st` varchar(20), `x:y` int, `caf\xC3\xA9 n` text, "
                       "`-\xE2\x82\xAC` longblob)");
    std::string bytes = "x'";
    for (int b = 0; b < 256; ++b) {
        static const char digits[] = "0123456789ABCDEF";
        bytes += digits[b >> 4];
        bytes += digits[b & 15];
    }
    bytes += "'";
    Exec(m_connection, "insert into w values "
                       "('nul\\0 cr\\r lf\\n crlf\\r\\n tab\\t', '(NULL)', 1, 'q\"uo,te''s', " +
                           bytes +
                           "),"
                           "(NULL, 'NULL', NULL, '\xF0\x9F\x98\x80 <&> \x01', x'E9FF00'),"
                           "('', ' lead, trail ', -2147483648, 'a\r', '')");
    const QueryResult& result = query("select * from w");
    ASSERT_EQ(3u, result.RowCount());
    const std::string xml = TestOutputPath("w.xml");
    const std::string csv = TestOutputPath("w.csv");
    ASSERT_TRUE(ExportResult(result, ExportFormat::Xml, xml).ok);
    ASSERT_TRUE(ExportResult(result, ExportFormat::Csv, csv).ok);
    const std::vector<std::string> xmlRows = readBack("xml", xml);
    const std::vector<std::string> csvRows = readBack("csv", csv);
    ASSERT_EQ(3u, xmlRows.size());
    ASSERT_EQ(3u, csvRows.size());
    for (std::uint64_t r = 0; r < 3; ++r) {
        EXPECT_EQ(expectedLine(result, r, true), xmlRows[r]) << "xml row " << r;
        EXPECT_EQ(expectedLine(result, r, false), csvRows[r]) << "csv row " << r;
    }
    const std::string csvText = pm::test::readFile(csv);
    EXPECT_NE(std::string::npos, csvText.find(",\"(NULL)\",1,")) << "the text (NULL) is quoted";
    EXPECT_NE(std::string::npos, csvText.find("\r\n(NULL),NULL,(NULL),")) << "NULL is bare";
    EXPECT_NE(std::string::npos, pm::test::readFile(xml).find("<_x0031_st>(NULL)</_x0031_st>"));

    const std::string html = TestOutputPath("w.html");
    ASSERT_TRUE(ExportResult(result, ExportFormat::Html, html).ok);
    EXPECT_NE(std::string::npos, pm::test::readFile(html).find("<td bgcolor=silver>a&lt;b&gt;&amp;c</td>"));
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
