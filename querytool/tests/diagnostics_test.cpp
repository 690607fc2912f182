#include "querytool/error_text.h"
#include "querytool/table_diagnostics.h"

#include "support/test_server.h"

#include <gtest/gtest.h>

TEST(Diagnostics, StatementTexts) {
    EXPECT_EQ("check table d.a, d.c QUICK ",
              BuildDiagnosticsStatement(DiagnosticOperation::Check, true, "d", {"a", "c"}));
    EXPECT_EQ("repair table d.a", BuildDiagnosticsStatement(DiagnosticOperation::Repair, false, "d", {"a"}));
    EXPECT_EQ("optimize table `my-db`.`order`",
              BuildDiagnosticsStatement(DiagnosticOperation::Optimize, true, "my-db", {"order"}));
    EXPECT_EQ("analyze table d.a", BuildDiagnosticsStatement(DiagnosticOperation::Analyze, true, "d", {"a"}));
    EXPECT_EQ("", BuildDiagnosticsStatement(DiagnosticOperation::Check, false, "d", {}));
    EXPECT_STREQ("Operation successful.", FlushResultText(true));
    EXPECT_STREQ("Error in operation.", FlushResultText(false));
}

class ServerDiagnostics : public ServerTest {};

TEST_F(ServerDiagnostics, EveryOperationRunsOnTheServer) {
    Exec(m_connection, "create table a (x int) engine=MyISAM");
    Exec(m_connection, "create table `my-table` (x int) engine=InnoDB");
    for (auto operation : {DiagnosticOperation::Optimize, DiagnosticOperation::Analyze,
                           DiagnosticOperation::Check, DiagnosticOperation::Repair}) {
        for (bool quick : {false, true}) {
            const std::string statement =
                BuildDiagnosticsStatement(operation, quick, m_database, {"a", "my-table"});
            SCOPED_TRACE(statement);
            std::vector<std::vector<std::string>> rows;
            ASSERT_TRUE(RunDiagnostics(m_connection, statement, rows)) << QueryErrorText(m_connection);
            ASSERT_GE(rows.size(), 2u);
            EXPECT_EQ(4u, rows[0].size());
            EXPECT_EQ(m_database + ".a", rows[0][0]);
        }
    }
    std::vector<std::vector<std::string>> rows;
    EXPECT_FALSE(RunDiagnostics(m_connection, "check table nosuchdb.x, ", rows));
    EXPECT_TRUE(rows.empty());
}

TEST_F(ServerDiagnostics, EveryFlushStatementRuns) {
    for (const char* statement : kFlushStatements) {
        EXPECT_TRUE(RunFlush(m_connection, statement)) << statement << ": " << mysql_error(m_connection);
    }
    Exec(m_connection, "unlock tables");
}
