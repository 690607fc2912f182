#include "querytool/connection.h"
#include "querytool/query_batch.h"
#include "querytool/statements.h"

#include "cmake/test_files.h"
#include "support/test_data.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The script between two reads of the session's statement count; the last line gives the count.
std::string countedScript(const std::string& script) {
    const std::string count = "show session status like 'Questions';\n";
    return count + script + "\ndelimiter ;\n" + count;
}

std::uint64_t statementsSent(const std::string& firstCount, const std::string& lastCount) {
    return std::stoull(lastCount) - std::stoull(firstCount) - 1;
}

// The count lines ("Questions<TAB>N") of the standard client's batch output.
std::vector<std::string> countsPrinted(const std::string& output) {
    std::vector<std::string> counts;
    for (std::size_t at = output.find("Questions\t"); at != std::string::npos;
         at = output.find("Questions\t", at + 1))
        counts.push_back(output.substr(at + 10, output.find('\n', at) - at - 10));
    return counts;
}

} // namespace

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

// Scripts whose text values and comments hold ';', and stored routines between DELIMITER lines, run
// without an error and send as many statements as the standard client sends for them.
TEST_F(Execution, ScriptsRunAsTheStandardClientRunsThem) {
    const std::string clientDatabase = m_database + "_client";
    Exec(m_connection, "drop database if exists `" + clientDatabase + "`");
    Exec(m_connection, "create database `" + clientDatabase + "` character set utf8mb4");
    for (const char* name : {"scripts/help_tables.sql", "scripts/procedures.sql"}) {
        SCOPED_TRACE(name);
        const std::string script = countedScript(pm::test::readFile(TestDataPath(name)));
        const std::string input = TestOutputPath("script.sql");
        const std::string output = TestOutputPath("client.out");
        pm::test::writeFile(input, script);
        ASSERT_EQ(0, RunServerClient("mariadb --no-defaults", "--batch " + clientDatabase, input, output));
        const std::vector<std::string> clientCounts = countsPrinted(pm::test::readFile(output));
        ASSERT_EQ(2u, clientCounts.size());

        QueryBatch batch(m_connection);
        batch.RunText(script, nullptr);
        EXPECT_FALSE(batch.HadError()) << batch.Messages();
        const auto& results = batch.Results();
        ASSERT_GE(results.size(), 2u);
        EXPECT_EQ(statementsSent(clientCounts[0], clientCounts[1]),
                  statementsSent(std::string(results.front()->Row(0).Value(1)),
                                 std::string(results.back()->Row(0).Value(1))));
    }
    EXPECT_EQ(QueryRows(m_connection, "select * from `" + clientDatabase + "`.help_topic order by id"),
              QueryRows(m_connection, "select * from help_topic order by id"));
    EXPECT_EQ((std::vector<std::string>{"0", "1", "2"}),
              QueryRows(m_connection, "select n from log order by n"));
    EXPECT_EQ(6u, QueryRows(m_connection, "select * from help_topic").size());
    Exec(m_connection, "drop database `" + clientDatabase + "`");
}

// The statement at the caret inside a DELIMITER block runs whole, and again as the previous statement.
TEST_F(Execution, APieceFromADelimiterBlockRunsWhole) {
    const std::string text =
        "DELIMITER $$\ncreate procedure p() begin select 1; select 2; end$$\ncall p()$$\n";
    const CurrentStatementPlan plan = PlanCurrentStatement(text, 20);
    ASSERT_EQ(CurrentStatementPlan::RunPiece, plan.kind);
    QueryBatch create(m_connection);
    create.RunPiece(plan.piece, nullptr);
    EXPECT_EQ("(0 row(s) affected)\n\n", create.Messages());
    for (int run = 0; run < 2; ++run) {
        QueryBatch call(m_connection);
        call.RunPiece(PlanCurrentStatement(text, text.find("call") + 2).piece, nullptr);
        EXPECT_FALSE(call.HadError()) << call.Messages();
        EXPECT_EQ("\ncall p()", call.LastPiece());
    }
    QueryBatch comment(m_connection);
    comment.RunPiece("-- only a comment\n", nullptr);
    EXPECT_EQ("(comments only, not sent)\n\n", comment.Messages());
    EXPECT_TRUE(comment.HasLastPiece());
}
