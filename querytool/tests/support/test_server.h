#pragma once
// The private MariaDB server that the CTest fixture started for these tests (never any other).

#include <gtest/gtest.h>
#include <mysql.h>

#include <string>
#include <vector>

// The fixture's port; fails the test (no skipping) when the fixture's state file is missing.
std::string TestServerPort();

// A new connection as root to 127.0.0.1 on the fixture's port, or null after a test failure.
MYSQL* ConnectToTestServer();

// Sends the statement and drops any result; a failure is a test failure.
void Exec(MYSQL* connection, const std::string& statement);

// All rows of a query, each as its column values joined by "|" (NULL as "<NULL>").
std::vector<std::string> QueryRows(MYSQL* connection, const std::string& statement);

// Runs the server's command-line client program (e.g. "mariadb", "mariadb-dump") with the fixture's
// host, port and user before args; stdin from inputPath when not empty, stdout to outputPath when
// not empty. Returns the exit status.
int RunServerClient(const std::string& program, const std::string& args, const std::string& inputPath = "",
                    const std::string& outputPath = "");

// A test with its own connection and a fresh database named after the test, selected, dropped after.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    MYSQL* m_connection = nullptr;
    std::string m_database;
};

// A path in a fresh folder of the build's test output for this test.
std::string TestOutputPath(const std::string& fileName);
