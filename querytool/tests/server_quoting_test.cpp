#include "querytool/sql_quote.h"

#include "support/test_server.h"

#include <gtest/gtest.h>

class ServerQuoting : public ServerTest {};

TEST_F(ServerQuoting, ValuesAreEscapedForTheConnection) {
    EXPECT_EQ("'plain'", quoteValue(m_connection, "plain"));
    EXPECT_EQ("'it\\'s \\\\ \\n'", quoteValue(m_connection, "it's \\ \n"));
    EXPECT_EQ("'a\\0b'", quoteValue(m_connection, std::string("a\0b", 3)));
    const std::string tricky = std::string("x'); drop table t; -- \\\0\r\n\"\x1a", 26);
    const std::vector<std::string> rows =
        QueryRows(m_connection, "select " + quoteValue(m_connection, tricky));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(tricky, rows[0]);
}

// Every word the server knows either gets quotes or works bare as a table and column name.
TEST_F(ServerQuoting, EveryServerKeywordLeftBareIsAUsableName) {
    const std::vector<std::string> words =
        QueryRows(m_connection, "select word from information_schema.keywords");
    ASSERT_GT(words.size(), 500u);
    for (const std::string& word : words) {
        const std::string name = quoteIdent(word);
        if (name != word) continue;
        const std::string create = "create temporary table " + name + " (" + name + " int)";
        if (mysql_real_query(m_connection, create.data(), create.size()) != 0) {
            ADD_FAILURE() << word << " needs quotes: " << mysql_error(m_connection);
            continue;
        }
        Exec(m_connection, "drop temporary table " + name);
    }
}
