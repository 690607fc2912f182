// Automation dates: calendar arithmetic, texts in the fixed English locale, and parsing.

#include "platform/com/vardate.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <algorithm>
#include <vector>

namespace pm {

namespace {

const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
const char* const kMonthsShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kDaysShort[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Days since 1970-01-01 of a proleptic Gregorian date.
long long daysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long kEpochOffset = 25569; // days from 1899-12-30 to 1970-01-01

std::string lower(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int monthFromName(const std::string& word) {
    std::string w = lower(word);
    if (w.size() < 3) return 0;
    for (int i = 0; i < 12; ++i) {
        std::string full = lower(kMonths[i]);
        if (full.compare(0, w.size(), w) == 0) return i + 1;
    }
    return 0;
}

struct Token {
    enum Kind { Number, Word, Sep } kind;
    std::string text;
    char sep = 0;
};

std::vector<Token> tokenize(const std::string& s) {
    std::vector<Token> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isdigit(c)) {
            size_t j = i;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                ++j;
            out.push_back({Token::Number, s.substr(i, j - i)});
            i = j;
        } else if (std::isalpha(c)) {
            size_t j = i;
            while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
                ++j;
            out.push_back({Token::Word, s.substr(i, j - i)});
            i = j;
        } else if (c == ' ' || c == '\t' || c == ',') {
            ++i;
        } else {
            out.push_back({Token::Sep, std::string(1, s[i]), s[i]});
            ++i;
        }
    }
    return out;
}

bool validTime(int h, int mi, int se) {
    return h >= 0 && h < 24 && mi >= 0 && mi < 60 && se >= 0 && se < 60;
}

} // namespace

bool dateFromParts(int year, int month, int day, double& serial) {
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    long long m0 = static_cast<long long>(month) - 1;
    long long y = year + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
    long long m = ((m0 % 12) + 12) % 12 + 1;
    long long days = daysFromCivil(y, m, 1) + kEpochOffset + (static_cast<long long>(day) - 1);
    if (days < -657434 || days > 2958465) return false;
    serial = static_cast<double>(days);
    return true;
}

double timeFromParts(int hour, int minute, int second) {
    return (static_cast<double>(hour) * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateParts partsFromDate(DATE date) {
    DateParts p;
    double dayPart = std::trunc(date);
    double frac = std::fabs(date - dayPart);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        dayPart += date < 0 ? -1 : 1;
    }
    long long days = static_cast<long long>(dayPart);
    civilFromDays(days - kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    p.dayOfWeek = static_cast<int>(((days - kEpochOffset) % 7 + 7 + 4) % 7) + 1; // 1970-01-01 was a Thursday
    return p;
}

std::string formatDatePart(DATE date) {
    DateParts p = partsFromDate(date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", p.month, p.day, p.year);
    return buf;
}

std::string formatTimePart(DATE date) {
    DateParts p = partsFromDate(date);
    int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, p.minute, p.second, p.hour < 12 ? "AM" : "PM");
    return buf;
}

std::string formatDate(DATE date) {
    DateParts p = partsFromDate(date);
    bool hasTime = p.hour || p.minute || p.second;
    bool hasDate = std::trunc(date) != 0;
    if (!hasDate && hasTime) return formatTimePart(date);
    if (!hasTime) return formatDatePart(date);
    return formatDatePart(date) + " " + formatTimePart(date);
}

bool parseDate(const std::string& text, DATE& date) {
    std::vector<Token> t = tokenize(text);
    std::vector<int> dateNums, timeNums;
    int monthWord = 0, ampm = 0;
    bool inTime = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.kind == Token::Number) {
            if (k.text.size() > 4) return false;
            int v = std::stoi(k.text);
            bool timeNext = i + 1 < t.size() && t[i + 1].kind == Token::Sep && t[i + 1].sep == ':';
            if (timeNext || inTime) {
                timeNums.push_back(v);
                inTime = timeNext;
            } else {
                dateNums.push_back(v);
            }
        } else if (k.kind == Token::Word) {
            std::string w = lower(k.text);
            if (w == "am" || w == "a") {
                ampm = 1;
            } else if (w == "pm" || w == "p") {
                ampm = 2;
            } else if (int m = monthFromName(k.text)) {
                if (monthWord) return false;
                monthWord = m;
            } else if (!(w.size() >= 3 && std::any_of(kDays, kDays + 7, [&](const char* d) {
                             return lower(d).compare(0, w.size(), w) == 0;
                         }))) {
                return false;
            }
        } else if (k.sep != '/' && k.sep != '-' && k.sep != ':' && k.sep != '.') {
            return false;
        }
    }
    if (dateNums.empty() && timeNums.empty() && !monthWord) return false;
    double serial = 0;
    if (monthWord) {
        if (dateNums.size() != 2) return false;
        int day = dateNums[0], year = dateNums[1];
        if (day > 31) std::swap(day, year);
        if (day < 1 || day > 31 || !dateFromParts(year, monthWord, day, serial)) return false;
    } else if (dateNums.size() == 3) {
        int a = dateNums[0], b = dateNums[1], c = dateNums[2];
        int y, m, d;
        if (a > 31) {
            y = a, m = b, d = c; // year first (ISO)
        } else {
            m = a, d = b, y = c;
        }
        if (m < 1 || m > 12 || d < 1 || d > 31 || !dateFromParts(y, m, d, serial)) return false;
        if (partsFromDate(serial).day != d) return false; // 2/30 and the like
    } else if (dateNums.size() == 2) {
        if (dateNums[0] < 1 || dateNums[0] > 12 || dateNums[1] < 1 || dateNums[1] > 31) return false;
        std::time_t now = std::time(nullptr);
        std::tm tmNow{};
        localtime_r(&now, &tmNow);
        if (!dateFromParts(tmNow.tm_year + 1900, dateNums[0], dateNums[1], serial)) return false;
    } else if (!dateNums.empty()) {
        return false;
    }
    if (!timeNums.empty()) {
        if (timeNums.size() > 3) return false;
        int h = timeNums[0], mi = timeNums.size() > 1 ? timeNums[1] : 0,
            se = timeNums.size() > 2 ? timeNums[2] : 0;
        if (ampm) {
            if (h < 1 || h > 12) return false;
            h = h % 12 + (ampm == 2 ? 12 : 0);
        }
        if (!validTime(h, mi, se)) return false;
        serial += (serial < 0 ? -1 : 1) * timeFromParts(h, mi, se);
    } else if (ampm) {
        return false;
    }
    date = serial;
    return true;
}

const char* monthName(int month, bool abbreviate) {
    if (month < 1 || month > 12) return "";
    return abbreviate ? kMonthsShort[month - 1] : kMonths[month - 1];
}

const char* weekdayName(int weekday, bool abbreviate) {
    if (weekday < 1 || weekday > 7) return "";
    return abbreviate ? kDaysShort[weekday - 1] : kDays[weekday - 1];
}

DATE nowAsDate() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    double serial = 0;
    dateFromParts(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, serial);
    return serial + timeFromParts(t.tm_hour, t.tm_min, t.tm_sec);
}

} // namespace pm
