#include "querytool/error_text.h"

#include <cstring>

std::string ServerErrorText(MYSQL* connection) {
    return "Error No. " + std::to_string(mysql_errno(connection)) + "\n" + mysql_error(connection);
}

std::string QueryErrorText(MYSQL* connection) {
    return "Error Code : " + std::to_string(mysql_errno(connection)) + "\n" + mysql_error(connection) +
           "\n\n";
}

std::string SystemErrorText(const std::string& text, int code) {
    return text + "\n" + std::to_string(code) + ":" + std::strerror(code);
}
