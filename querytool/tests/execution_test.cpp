#include "querytool/connection.h"
#include "querytool/query_batch.h"
#include "querytool/statements.h"

#include "support/test_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> pieces(const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view p : SplitStatements(text))
        out.emplace_back(p);
    return out;
}

} // namespace

TEST(Statements, SplitOnSemicolonsAlone) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"select 1;\nselect 2", {"select 1", "\nselect 2"}},
        {";;select 1;;;select 2;;", {"select 1", "select 2"}},
        {"select 'a;b'", {"select 'a", "b'"}},
        {"select 1 -- c;d\n", {"select 1 -- c", "d\n"}},
        {"/* ; */", {"/* ", " */"}},
        {";;;", {}},
        {"", {}},
        {" \n ", {" \n "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, pieces(c.text)) << c.text;
}

TEST(Statements, BlankAndUseTests) {
    EXPECT_TRUE(IsBlankStatement(" \t\n\v\f\r"));
    EXPECT_TRUE(IsBlankStatement(""));
    EXPECT_FALSE(IsBlankStatement(" x "));
    EXPECT_TRUE(MentionsUse("use db"));
    EXPECT_TRUE(MentionsUse("USE db"));
    EXPECT_TRUE(MentionsUse("select * from users"));
    EXPECT_FALSE(MentionsUse("Use db"));
}

TEST(Statements, CurrentStatementUnderTheCaret) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t caret;
        CurrentStatementPlan::Kind kind;
        const char* piece;
    };
    const char* two = "select 1;\nselect 2";
    const Case cases[] = {
        {"inside the first", two, 3, CurrentStatementPlan::RunPiece, "select 1"},
        {"at the start", two, 0, CurrentStatementPlan::RunPiece, "select 1"},
        {"just after the semicolon", two, 9, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"inside the second", two, 14, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"at the very end", two, 18, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"beyond the end", two, 500, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"nothing after the last semicolon", "select 1;", 9, CurrentStatementPlan::RunPiece, "select 1"},
        {"blank text runs all", "  \n ", 2, CurrentStatementPlan::RunAll, "  \n "},
        {"blank after semicolon runs all", "select 1; \n", 11, CurrentStatementPlan::RunAll, " \n"},
        {"only semicolons", ";;;", 2, CurrentStatementPlan::Nothing, ""},
        {"empty text", "", 0, CurrentStatementPlan::Nothing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CurrentStatementPlan plan = PlanCurrentStatement(c.text, c.caret);
        EXPECT_EQ(c.kind, plan.kind);
        EXPECT_EQ(c.piece, std::string(plan.piece));
    }
}

TEST(Connection, PortText) {
    EXPECT_EQ(3306u, PortFromText("3306"));
    EXPECT_EQ(0u, PortFromText(""));
    EXPECT_EQ(0u, PortFromText("root"));
    EXPECT_EQ(12345678u, PortFromText("123456789"));
    EXPECT_EQ("No database selected", DatabaseComboText(""));
    EXPECT_EQ("db", DatabaseComboText("db"));
}

TEST(Connection, ConnectsAndReportsAFailedLoginWithTheServerText) {
    std::string error;
    MYSQL* connection = ConnectToServer({"127.0.0.1", "root", "", TestServerPort()}, error);
    ASSERT_NE(nullptr, connection);
    mysql_close(connection);
    EXPECT_EQ(nullptr,
              ConnectToServer({"127.0.0.1", "nobody", std::string(300, 'p'), TestServerPort()}, error));
    EXPECT_EQ(0u, error.rfind("Error No. 1045\nAccess denied for user 'nobody'", 0)) << error;
}

class Execution : public ServerTest {};

TEST_F(Execution, MessagesForReturnedAffectedAndFailedStatements) {
    QueryBatch batch(m_connection);
    batch.RunText("create table t (a int, b varchar(10));\n"
                  "insert into t values (1,'x'),(2,NULL);\n"
                  "select * from t;\n"
                  "select * from t where a > 5;\n"
                  "select * from nosuchtable;\n"
                  "update t set a = a + 1",
                  nullptr);
    EXPECT_EQ("(0 row(s) affected)\n\n"
              "(2 row(s) affected)\n\n"
              "(2 row(s) returned)\n\n"
              "(0 row(s) returned)\n\n"
              "Error Code : 1146\nTable '" +
                  m_database +
                  ".nosuchtable' doesn't exist\n\n"
                  "(2 row(s) affected)\n\n",
              batch.Messages());
    EXPECT_TRUE(batch.HadError());
    EXPECT_STREQ(" Query batch completed with error(s)", batch.CompletionText());
    ASSERT_EQ(2u, batch.Results().size());
    EXPECT_EQ(2u, batch.Results()[0]->RowCount());
    EXPECT_EQ(0u, batch.Results()[1]->RowCount());
    EXPECT_EQ("\nupdate t set a = a + 1", batch.LastPiece());
}

TEST_F(Execution, LongErrorTextsInABatchAreKeptWhole) {
    const std::string longText(400, 'y');
    const std::string failing = "signal sqlstate '45000' set message_text = '" + longText + "'";
    QueryBatch batch(m_connection);
    batch.RunText(failing + ";" + failing + ";select 1", nullptr);
    const std::string entry = "Error Code : 1644\n" + longText + "\n\n";
    EXPECT_EQ(entry + entry + "(1 row(s) returned)\n\n", batch.Messages());
}

TEST_F(Execution, CallOfAProcedureDoesNotBreakTheNextStatement) {
    Exec(m_connection, "create procedure p() begin select 7; select 8; end");
    QueryBatch batch(m_connection);
    batch.RunText("call p();select 1", nullptr);
    EXPECT_EQ("(1 row(s) returned)\n\n(1 row(s) returned)\n\n", batch.Messages());
    EXPECT_FALSE(batch.HadError());
    EXPECT_STREQ(" Query batch completed successfully", batch.CompletionText());
    ASSERT_EQ(2u, batch.Results().size());
    EXPECT_EQ("1", std::string(batch.Results()[1]->Row(0).Value(0)));
    const std::vector<std::unique_ptr<QueryResult>> taken = batch.TakeResults();
    EXPECT_EQ(2u, taken.size());
    EXPECT_TRUE(batch.Results().empty());
}

TEST_F(Execution, UseStatementsUpdateTheCurrentDatabase) {
    Exec(m_connection, "create database if not exists t_sync_a");
    Exec(m_connection, "create database if not exists t_sync_b");
    std::vector<std::string> seen;
    auto sync = [&] {
        const CurrentDatabase current = ReadCurrentDatabase(m_connection);
        ASSERT_TRUE(current.ok);
        seen.push_back(current.isNull ? "<none>" : current.name);
    };
    QueryBatch batch(m_connection);
    batch.RunText("use t_sync_a;select 1;USE nosuchdb;Use t_sync_b", sync);
    EXPECT_EQ((std::vector<std::string>{"t_sync_a", "t_sync_a"}), seen);
    EXPECT_EQ("t_sync_b", ReadCurrentDatabase(m_connection).name);
    Exec(m_connection, "drop database t_sync_b");
    const CurrentDatabase none = ReadCurrentDatabase(m_connection);
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.isNull);
    EXPECT_EQ("", none.name);
    Exec(m_connection, "drop database t_sync_a");
}

TEST_F(Execution, ResultRowsAreReachedInAnyOrder) {
    Exec(m_connection, "create table n (i int, s text)");
    Exec(m_connection,
         "insert into n select seq, if(seq % 3 = 0, NULL, repeat('v', seq % 50)) from seq_1_to_5000");
    QueryBatch batch(m_connection);
    ASSERT_TRUE(batch.RunStatement("select i, s from n order by i"));
    const QueryResult& result = *batch.Results().at(0);
    ASSERT_EQ(5000u, result.RowCount());
    EXPECT_EQ(2u, result.FieldCount());
    EXPECT_STREQ("i", result.Field(0).name);
    for (std::uint64_t row : {4999u, 0u, 2999u, 1u, 4999u, 2u}) {
        const ResultRow r = result.Row(row);
        EXPECT_EQ(std::to_string(row + 1), std::string(r.Value(0)));
        EXPECT_EQ((row + 1) % 3 == 0, r.IsNull(1));
        if (!r.IsNull(1)) {
            EXPECT_EQ(std::string((row + 1) % 50, 'v'), std::string(r.Value(1)));
        }
    }
}

TEST_F(Execution, ThePreviousStatementIsTheLastPieceRunAgain) {
    QueryBatch all(m_connection);
    all.RunText("select 1;\nselect 2;", nullptr);
    ASSERT_TRUE(all.HasLastPiece());
    QueryBatch previous(m_connection);
    previous.RunText(all.LastPiece(), nullptr);
    EXPECT_EQ("(1 row(s) returned)\n\n", previous.Messages());
    EXPECT_EQ("2", std::string(previous.Results().at(0)->Row(0).Value(0)));
    QueryBatch none(m_connection);
    none.RunText(";;", nullptr);
    EXPECT_FALSE(none.HasLastPiece());
    EXPECT_EQ("", none.Messages());
    EXPECT_STREQ(" Query batch completed successfully", none.CompletionText());
}

TEST_F(Execution, ListsAndDatabaseReads) {
    std::vector<std::string> names;
    ASSERT_TRUE(ReadFirstColumn(m_connection, "show databases", names));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), m_database));
    EXPECT_FALSE(ReadFirstColumn(m_connection, "show tables from nosuchdb", names));
    EXPECT_TRUE(names.empty());
}
