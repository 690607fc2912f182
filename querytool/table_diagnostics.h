#pragma once
// The statements of the table diagnostics and flush dialogs.

#include <mysql.h>

#include <string>
#include <vector>

enum class DiagnosticOperation { Optimize, Analyze, Check, Repair };

// "check table d.a, d.c QUICK " and the like, over the ticked tables in list order (quick applies to
// Check and Repair only); "" when no table is ticked (nothing is sent then).
std::string BuildDiagnosticsStatement(DiagnosticOperation operation, bool quick, const std::string& database,
                                      const std::vector<std::string>& tables);

// Sends the statement and collects the result rows, each with the connection's field count of
// columns (NULL as ""). False when the statement failed.
bool RunDiagnostics(MYSQL* connection, const std::string& statement,
                    std::vector<std::vector<std::string>>& rows);

// The flush dialog's six statements, in the order its radio buttons are tested: logs, hosts,
// privileges, tables, status, tables with read lock.
extern const char* const kFlushStatements[6];

// Sends one flush statement; false when it failed.
bool RunFlush(MYSQL* connection, const char* statement);

// The result line of the flush dialog.
const char* FlushResultText(bool succeeded);
