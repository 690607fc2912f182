#pragma once
// One row of the table maker's grid: one column of the table to be created.

#include <string>

struct ColumnRow {
    bool primaryKey = false;
    bool index = false;
    bool unique = false;
    bool binary = false;
    bool notNull = false;
    bool isUnsigned = false;
    bool autoIncrement = false;
    bool zeroFill = false;
    bool modified = false; // a cell was committed or a flag toggled
    bool isNew = false;    // made at start-up or by "Insert Column"
    std::string type;
    std::string length;
    std::string defaultValue;
    std::string name;
};
