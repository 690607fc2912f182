#include "querytool/create_table.h"
#include "querytool/error_text.h"

#include "support/test_server.h"

#include <gtest/gtest.h>

namespace {

ColumnRow column(const char* name, const char* type, const char* length = "") {
    ColumnRow row;
    row.name = name;
    row.type = type;
    row.length = length;
    return row;
}

class CreateTable : public ServerTest {
protected:
    bool create(const std::string& statement) {
        if (mysql_real_query(m_connection, statement.data(), statement.size()) == 0) return true;
        m_error = QueryErrorText(m_connection);
        return false;
    }
    std::string m_error;
};

} // namespace

TEST_F(CreateTable, StatementOfTheOneColumnExample) {
    ColumnRow id = column("id", "int", "11");
    id.isUnsigned = id.notNull = id.autoIncrement = id.primaryKey = true;
    const std::string statement = BuildCreateTableStatement(m_connection, "d", "t", "MyISAM", {id});
    EXPECT_EQ(
        "create table d.t ( \n \t`id` int (11) UNSIGNED NOT NULL AUTO_INCREMENT ,\n PRIMARY KEY ( `id` )  \n)"
        "ENGINE=MyISAM",
        statement);
}

TEST_F(CreateTable, RowsEndAtTheFirstWithoutAName) {
    EXPECT_EQ("", BuildCreateTableStatement(m_connection, "d", "t", "InnoDB", {}));
    EXPECT_EQ("", BuildCreateTableStatement(m_connection, "d", "t", "InnoDB",
                                            {column("", "int"), column("a", "int")}));
    ColumnRow a = column("a", "varchar", "10");
    a.index = a.unique = true;
    ColumnRow b = column("b`q", "int");
    b.index = b.unique = b.zeroFill = b.binary = true;
    b.defaultValue = "it's";
    EXPECT_EQ("create table `my db`.`order` ( \n \t`a` varchar (10) DEFAULT '' NULL ,\n"
              "\t`b``q` int ZEROFILL BINARY DEFAULT 'it\\'s' NULL  ,\n INDEX ( `a`, `b``q` ),\n UNIQUE ( "
              "`a`, `b``q` )\n"
              ")ENGINE=InnoDB",
              BuildCreateTableStatement(m_connection, "my db", "order", "InnoDB",
                                        {a, b, column("", "int"), column("c", "int")}));
}

TEST_F(CreateTable, EveryColumnTypeAndKeyIsAccepted) {
    const char* lengths[][2] = {{"varchar", "20"},  {"char", "5"},       {"decimal", "10,2"},
                                {"numeric", "8,3"}, {"enum", "'a','b'"}, {"set", "'x','y'"}};
    std::vector<ColumnRow> rows;
    ColumnRow id = column("id", "int", "11");
    id.primaryKey = id.notNull = id.autoIncrement = id.isUnsigned = true;
    rows.push_back(id);
    for (const char* type : kColumnTypes) {
        ColumnRow row = column((std::string("c ") + type).c_str(), type);
        for (const auto& pair : lengths)
            if (row.type == pair[0]) row.length = pair[1];
        rows.push_back(row);
    }
    rows[1].index = rows[2].index = rows[3].unique = rows[4].unique =
        true; // tinyint, smallint, mediumint, int
    rows[5].notNull = true;
    rows[5].defaultValue = "42";
    rows[18].defaultValue = "it's"; // varchar
    rows[18].notNull = true;
    const std::string statement =
        BuildCreateTableStatement(m_connection, m_database, "new `table", "InnoDB", rows);
    ASSERT_TRUE(create(statement)) << statement << "\n" << m_error;
    Exec(m_connection, "insert into `new ``table` (`c tinyint`) values (1)");
    EXPECT_EQ((std::vector<std::string>{"1|42|it's"}),
              QueryRows(m_connection, "select id, `c integer`, `c varchar` from `new ``table`"));
    EXPECT_EQ(5u, QueryRows(m_connection, "show index from `new ``table`").size());
}

TEST_F(CreateTable, EnginesTheServerLacksFailWithItsMessage) {
    for (const char* engine : kTableTypes) {
        SCOPED_TRACE(engine);
        const std::string table = std::string("e_") + engine;
        const std::string statement =
            BuildCreateTableStatement(m_connection, m_database, table, engine, {column("a", "int", "11")});
        const bool known = std::string(engine) != "ISAM" && std::string(engine) != "BDB";
        EXPECT_EQ(known, create(statement)) << m_error;
        if (!known) {
            EXPECT_EQ(0u, m_error.rfind("Error Code : 1286\nUnknown storage engine", 0)) << m_error;
        }
    }
}
