#include "test_server.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

const std::string& statePath() {
    static const std::string path = std::string(PM_TEST_OUTPUT_DIR) + "/tessmark-server.state";
    return path;
}

std::string lowerTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return static_cast<char>(std::isalnum(c) ? std::tolower(c) : '_');
    });
    return name;
}

} // namespace

std::string TestServerPort() {
    std::ifstream in(statePath());
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("PORT=", 0) == 0) return line.substr(5);
    ADD_FAILURE() << "the test server is not running (no " << statePath()
                  << "); run the tests through ctest, which starts it";
    return std::string();
}

MYSQL* ConnectToTestServer() {
    const std::string port = TestServerPort();
    if (port.empty()) return nullptr;
    MYSQL* connection = mysql_init(nullptr);
    if (mysql_real_connect(connection, "127.0.0.1", "root", "", nullptr, std::stoi(port), nullptr, 0) ==
        nullptr) {
        ADD_FAILURE() << "cannot connect to the test server: " << mysql_error(connection);
        mysql_close(connection);
        return nullptr;
    }
    return connection;
}

void Exec(MYSQL* connection, const std::string& statement) {
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) {
        ADD_FAILURE() << statement << "\n -> " << mysql_errno(connection) << " " << mysql_error(connection);
        return;
    }
    do {
        mysql_free_result(mysql_store_result(connection));
    } while (mysql_next_result(connection) == 0);
}

std::vector<std::string> QueryRows(MYSQL* connection, const std::string& statement) {
    std::vector<std::string> rows;
    if (mysql_real_query(connection, statement.data(), statement.size()) != 0) {
        ADD_FAILURE() << statement << "\n -> " << mysql_error(connection);
        return rows;
    }
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) return rows;
    const unsigned int fields = mysql_num_fields(result);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        std::string line;
        for (unsigned int i = 0; i < fields; ++i) {
            if (i > 0) line += '|';
            line += row[i] ? std::string(row[i], lengths[i]) : std::string("<NULL>");
        }
        rows.push_back(line);
    }
    mysql_free_result(result);
    return rows;
}

int RunServerClient(const std::string& program, const std::string& args, const std::string& inputPath,
                    const std::string& outputPath) {
    std::string command = program + " -h 127.0.0.1 -P " + TestServerPort() + " -u root " + args;
    if (!inputPath.empty()) command += " < '" + inputPath + "'";
    if (!outputPath.empty()) command += " > '" + outputPath + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ServerTest::SetUp() {
    m_connection = ConnectToTestServer();
    ASSERT_NE(nullptr, m_connection);
    m_database = "t_" + lowerTestName();
    Exec(m_connection, "drop database if exists `" + m_database + "`");
    Exec(m_connection, "create database `" + m_database + "` character set utf8mb4");
    ASSERT_EQ(0, mysql_select_db(m_connection, m_database.c_str()));
}

void ServerTest::TearDown() {
    if (m_connection == nullptr) return;
    Exec(m_connection, "drop database if exists `" + m_database + "`");
    mysql_close(m_connection);
}

std::string TestOutputPath(const std::string& fileName) {
    const std::string folder = std::string(PM_TEST_OUTPUT_DIR) + "/querytool/" + lowerTestName();
    std::filesystem::create_directories(folder);
    return folder + "/" + fileName;
}
