#pragma once
// Dates as automation DATE values (days since 1899-12-30, time as the fraction) in a fixed locale
// (English month and day names, month/day/year order, 12-hour clock).

#include "platform/com/comtypes.h"

#include <string>

namespace pm {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 7; // 1 = Sunday
};

// Serial day of a calendar date; month and day may run over and are carried (DateSerial rules).
bool dateFromParts(int year, int month, int day, double& serial);
double timeFromParts(int hour, int minute, int second);
DateParts partsFromDate(DATE date);
// "12/9/2026 10:20:45 PM": the date part is left out at day 0 and the time part at midnight.
std::string formatDate(DATE date);
std::string formatDatePart(DATE date); // "12/9/2026"
std::string formatTimePart(DATE date); // "10:20:45 PM"
// Reads "m/d/yyyy", "yyyy-mm-dd", "d Month yyyy", "Month d, yyyy" and times "h:mm[:ss] [AM|PM]",
// either or both; false when the text is no date.
bool parseDate(const std::string& text, DATE& date);
const char* monthName(int month, bool abbreviate);
const char* weekdayName(int weekday, bool abbreviate); // 1 = Sunday
DATE nowAsDate();

} // namespace pm
