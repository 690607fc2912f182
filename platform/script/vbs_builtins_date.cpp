// Date and time builtins, in the fixed English locale.

#include "platform/script/vbs_builtins.h"
#include "platform/script/vbs_runtime.h"

#include <cmath>

namespace pm::vbs {

namespace {

double serialOf(const Value& v) {
    return toDateValue(v).doubleValue();
}

DateParts partsOf(const Value& v) {
    return partsFromDate(serialOf(v));
}

Value checkedDate(double serial) {
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0) throw ScriptError(kOverflow);
    return Value::date(serial);
}

Value today(Runtime&, std::vector<Value>&) {
    return Value::date(std::trunc(nowAsDate()));
}
Value now(Runtime&, std::vector<Value>&) {
    return Value::date(nowAsDate());
}

Value timeNow(Runtime&, std::vector<Value>&) {
    double n = nowAsDate();
    return Value::date(n - std::trunc(n));
}

template <int DateParts::*Field> Value part(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    return Value::integer(partsOf(a[0]).*Field);
}

// The weekday of a date counted from the given first day (1 = Sunday).
int weekdayFrom(const DateParts& p, int firstDay) {
    return (p.dayOfWeek - firstDay + 7) % 7 + 1;
}

Value weekday(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    int first = optionalLong(a, 1, 1);
    if (first == 0) first = 1;
    if (first < 1 || first > 7) throw ScriptError(kInvalidCall);
    return Value::integer(weekdayFrom(partsOf(a[0]), first));
}

Value dateSerial(Runtime&, std::vector<Value>& a) {
    double serial;
    if (!dateFromParts(toInteger(a[0]), toInteger(a[1]), toInteger(a[2]), serial))
        throw ScriptError(kInvalidCall);
    return checkedDate(serial);
}

Value timeSerial(Runtime&, std::vector<Value>& a) {
    double secs = toInteger(a[0]) * 3600.0 + toInteger(a[1]) * 60.0 + toInteger(a[2]);
    return checkedDate(secs / 86400.0);
}

Value dateValue(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    return Value::date(std::trunc(serialOf(a[0])));
}

Value timeValue(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double s = serialOf(a[0]);
    return Value::date(std::fabs(s - std::trunc(s)));
}

int monthsBetween(const DateParts& a, const DateParts& b) {
    return (b.year - a.year) * 12 + (b.month - a.month);
}

double addMonths(double serial, int64_t months) {
    DateParts p = partsFromDate(serial);
    int64_t m = static_cast<int64_t>(p.month) - 1 + months;
    int64_t year = p.year + (m >= 0 ? m / 12 : (m - 11) / 12);
    int month = static_cast<int>(((m % 12) + 12) % 12) + 1;
    if (year < 100 || year > 9999) throw ScriptError(kInvalidCall);
    double first, next;
    dateFromParts(static_cast<int>(year), month, 1, first);
    dateFromParts(static_cast<int>(year), month + 1, 1, next);
    int day = std::min<int>(p.day, static_cast<int>(next - first));
    double frac = std::fabs(serial - std::trunc(serial));
    return first + day - 1 + frac;
}

std::string lowerText(const Value& v) {
    return lowerCase(toStr(v));
}

Value dateAdd(Runtime&, std::vector<Value>& a) {
    std::string unit = lowerText(a[0]);
    double n = std::trunc(toDouble(a[1]));
    double d = serialOf(a[2]);
    if (unit == "yyyy") return checkedDate(addMonths(d, static_cast<int64_t>(n) * 12));
    if (unit == "q") return checkedDate(addMonths(d, static_cast<int64_t>(n) * 3));
    if (unit == "m") return checkedDate(addMonths(d, static_cast<int64_t>(n)));
    if (unit == "y" || unit == "d" || unit == "w") return checkedDate(d + n);
    if (unit == "ww") return checkedDate(d + n * 7);
    if (unit == "h") return checkedDate(d + n / 24.0);
    if (unit == "n") return checkedDate(d + n / 1440.0);
    if (unit == "s") return checkedDate(d + n / 86400.0);
    throw ScriptError(kInvalidCall);
}

// Whole units of a time part counted on the absolute time line (so 23:59 to 0:01 is one hour).
int64_t timeUnits(double serial, double perDay) {
    return static_cast<int64_t>(std::floor(serial * perDay + 1e-7));
}

Value dateDiff(Runtime&, std::vector<Value>& a) {
    std::string unit = lowerText(a[0]);
    double d1 = serialOf(a[1]), d2 = serialOf(a[2]);
    DateParts p1 = partsFromDate(d1), p2 = partsFromDate(d2);
    int first = optionalLong(a, 3, 1);
    if (first == 0) first = 1;
    int64_t r;
    if (unit == "yyyy")
        r = p2.year - p1.year;
    else if (unit == "q")
        r = (p2.year - p1.year) * 4 + (p2.month - 1) / 3 - (p1.month - 1) / 3;
    else if (unit == "m")
        r = monthsBetween(p1, p2);
    else if (unit == "y" || unit == "d")
        r = static_cast<int64_t>(std::floor(d2) - std::floor(d1));
    else if (unit == "w")
        r = static_cast<int64_t>(std::floor(d2) - std::floor(d1)) / 7;
    else if (unit == "ww") {
        double s1 = std::floor(d1) - (weekdayFrom(p1, first) - 1),
               s2 = std::floor(d2) - (weekdayFrom(p2, first) - 1);
        r = static_cast<int64_t>((s2 - s1) / 7);
    } else if (unit == "h")
        r = timeUnits(d2, 24) - timeUnits(d1, 24);
    else if (unit == "n")
        r = timeUnits(d2, 1440) - timeUnits(d1, 1440);
    else if (unit == "s")
        r = timeUnits(d2, 86400) - timeUnits(d1, 86400);
    else
        throw ScriptError(kInvalidCall);
    return Value::fromInt64(r, VT_I4);
}

Value datePart(Runtime&, std::vector<Value>& a) {
    std::string unit = lowerText(a[0]);
    double d = serialOf(a[1]);
    DateParts p = partsFromDate(d);
    int first = optionalLong(a, 2, 1);
    if (first == 0) first = 1;
    double jan1;
    dateFromParts(p.year, 1, 1, jan1);
    int dayOfYear = static_cast<int>(std::floor(d) - jan1) + 1;
    if (unit == "yyyy") return Value::integer(p.year);
    if (unit == "q") return Value::integer((p.month - 1) / 3 + 1);
    if (unit == "m") return Value::integer(p.month);
    if (unit == "y") return Value::integer(dayOfYear);
    if (unit == "d") return Value::integer(p.day);
    if (unit == "w") return Value::integer(weekdayFrom(p, first));
    if (unit == "ww") {
        int jan1Weekday = weekdayFrom(partsFromDate(jan1), first);
        return Value::integer((dayOfYear + jan1Weekday - 2) / 7 + 1);
    }
    if (unit == "h") return Value::integer(p.hour);
    if (unit == "n") return Value::integer(p.minute);
    if (unit == "s") return Value::integer(p.second);
    throw ScriptError(kInvalidCall);
}

Value formatDateTime(Runtime&, std::vector<Value>& a) {
    if (a[0].isNull()) return Value::null();
    double d = serialOf(a[0]);
    DateParts p = partsFromDate(d);
    char buf[64];
    switch (optionalLong(a, 1, 0)) {
    case 0:
        return Value::string(formatDate(d));
    case 1:
        std::snprintf(buf, sizeof buf, "%s, %s %d, %d", weekdayName(p.dayOfWeek, false),
                      monthName(p.month, false), p.day, p.year);
        return Value::string(buf);
    case 2:
        return Value::string(formatDatePart(d));
    case 3:
        return Value::string(formatTimePart(d));
    case 4:
        std::snprintf(buf, sizeof buf, "%02d:%02d", p.hour, p.minute);
        return Value::string(buf);
    default:
        throw ScriptError(kInvalidCall);
    }
}

Value monthNameOf(Runtime&, std::vector<Value>& a) {
    int m = toLong(a[0]);
    if (m < 1 || m > 12) throw ScriptError(kInvalidCall);
    bool abbreviate = a.size() > 1 && !isMissing(a[1]) && toBool(a[1]);
    return Value::string(monthName(m, abbreviate));
}

Value weekdayNameOf(Runtime&, std::vector<Value>& a) {
    int w = toLong(a[0]);
    int first = optionalLong(a, 2, 1);
    if (first == 0) first = 1;
    if (w < 1 || w > 7 || first < 1 || first > 7) throw ScriptError(kInvalidCall);
    bool abbreviate = a.size() > 1 && !isMissing(a[1]) && toBool(a[1]);
    return Value::string(weekdayName((w - 1 + first - 1) % 7 + 1, abbreviate));
}

} // namespace

const std::vector<Builtin>& dateBuiltins() {
    static const std::vector<Builtin> table = {
        {"date", 0, 0, today},
        {"now", 0, 0, now},
        {"time", 0, 0, timeNow},
        {"year", 1, 1, part<&DateParts::year>},
        {"month", 1, 1, part<&DateParts::month>},
        {"day", 1, 1, part<&DateParts::day>},
        {"hour", 1, 1, part<&DateParts::hour>},
        {"minute", 1, 1, part<&DateParts::minute>},
        {"second", 1, 1, part<&DateParts::second>},
        {"weekday", 1, 2, weekday},
        {"dateserial", 3, 3, dateSerial},
        {"timeserial", 3, 3, timeSerial},
        {"datevalue", 1, 1, dateValue},
        {"timevalue", 1, 1, timeValue},
        {"dateadd", 3, 3, dateAdd},
        {"datediff", 3, 5, dateDiff},
        {"datepart", 2, 4, datePart},
        {"formatdatetime", 1, 2, formatDateTime},
        {"monthname", 1, 2, monthNameOf},
        {"weekdayname", 1, 3, weekdayNameOf},
    };
    return table;
}

} // namespace pm::vbs
