// "Export Data" on a query window's result: the save dialog's filter picks the format, the file
// matches the core's fixtures, XML and HTML are opened afterwards, failures are reported once.

#include "support/tessmark_fixture.h"

#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"

#include "cmake/test_files.h"
#include "platform/win/commdlg.h"
#include "platform/win/shell/shell.h"

#include <filesystem>

namespace {

std::string fixture(const std::string& name) {
    // The core's export fixtures, made from the same table: querytool/tests/data/exports.
    const std::filesystem::path appData(PM_TEST_DATA_DIR);
    return pm::test::readFile(
        (appData.parent_path().parent_path().parent_path() / "tests/data/exports" / name).string());
}

} // namespace

class ExportData : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        MYSQL* c = m_window->Connection();
        ASSERT_EQ(0, mysql_query(c, "create table r (id int, `order date` varchar(40), note text, "
                                    "amount decimal(8,2), b blob) character set utf8mb4"));
        ASSERT_EQ(0, mysql_query(c, "insert into r values (1, 'plain', 'simple', 1.50, NULL),"
                                    "(2, '', 'a,b;c', NULL, 'x'),"
                                    "(3, 'say \"hi\" & <b>', 'line1\\r\\nline2', -3.25, ''),"
                                    "(4, 'it''s', 'one\\n\\ntwo\\rthree', 0, 'nul\\0inside'),"
                                    "(5, NULL, 'h\xC3\xA9llo w\xC3\xB6rld \xE2\x82\xAC', 100, NULL)"));
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& request) {
            m_titles.push_back(request.title);
            pm::CommonDialogAnswer answer;
            answer.accepted = true;
            answer.paths = {m_typedPath};
            answer.filterIndex = m_filter;
            return answer;
        });
        pm::setShellOpenHook([this](const pm::ShellOpenRequest& request) {
            m_opened.push_back(request.target);
            return true;
        });
    }
    void TearDown() override {
        pm::setCommonDialogHook(nullptr);
        pm::setShellOpenHook(nullptr);
        TessmarkTest::TearDown();
    }
    std::string status() { return m_window->StatusBar()->PartText(0); }

    CQueryWindow* m_window = nullptr;
    std::string m_typedPath;
    int m_filter = 0;
    std::vector<std::string> m_titles;
    std::vector<std::string> m_opened;
};

TEST_F(ExportData, EachFilterWritesItsFormatUnderItsExtension) {
    Command(ID_EXPORTDATA);
    EXPECT_TRUE(m_titles.empty()); // no result yet: nothing happens

    SetEditorText(*m_window, "select * from r order by id");
    Command(ID_EXECUTECURRENT);
    struct Case {
        int filter;
        const char* typed;
        const char* written;
        const char* fixture;
        bool opened;
    };
    for (const Case& c : {Case{0, "out.html", "out.xml", "sample.xml", true},
                          Case{1, "data.txt", "data.csv", "sample.csv", false},
                          Case{2, "page", "page.html", "sample.html", true}}) {
        m_filter = c.filter;
        m_typedPath = m_folder + "/" + c.typed;
        m_opened.clear();
        Command(ID_EXPORTDATA_KEY);
        const std::string written = m_folder + "/" + c.written;
        EXPECT_EQ(fixture(c.fixture), pm::test::readFile(written)) << c.written;
        EXPECT_EQ(" Data Exported Successfully....", status());
        const std::vector<std::string> opened =
            c.opened ? std::vector<std::string>{"file://" + written} : std::vector<std::string>{};
        EXPECT_EQ(opened, m_opened);
    }
    EXPECT_EQ("Save Data As...", m_titles.at(0));
    EXPECT_TRUE(m_boxes.empty());
}

// The save dialog asked about the name typed; the file the forced extension names is asked about
// too, and kept unless the answer is Yes.
TEST_F(ExportData, AnotherFileNamedByTheForcedExtensionIsReplacedOnlyWhenTheUserSaysSo) {
    SetEditorText(*m_window, "select * from r order by id");
    Command(ID_EXECUTECURRENT);
    const std::string kept = m_folder + "/out.xml";
    pm::test::writeFile(kept, "mine");
    m_filter = 0;
    m_typedPath = m_folder + "/out.csv";
    m_boxAnswer = IDNO;
    Command(ID_EXPORTDATA);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Save Data As...: " + kept + " already exists.\nDo you want to replace it?", m_boxes[0]);
    EXPECT_EQ("mine", pm::test::readFile(kept));
    EXPECT_TRUE(m_opened.empty());

    m_boxAnswer = IDYES;
    Command(ID_EXPORTDATA);
    EXPECT_EQ(fixture("sample.xml"), pm::test::readFile(kept));
}

TEST_F(ExportData, AFileThatCannotBeMadeIsReportedOnceAndNotAsSuccess) {
    SetEditorText(*m_window, "select * from r");
    Command(ID_EXECUTECURRENT);
    m_filter = 1;
    m_typedPath = m_folder + "/missing-folder/x";
    Command(ID_EXPORTDATA);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].find("Tessmark: Could not create file.\n2:")) << m_boxes[0];
    EXPECT_EQ(" Data Not Exported", status());
    EXPECT_TRUE(m_opened.empty());
}
