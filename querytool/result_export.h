#pragma once
// "Export Data": the current result set as an XML, CSV or HTML file.

#include "querytool/output_file.h"
#include "querytool/query_result.h"

#include <string>

// The save dialog's filter index picks the format.
enum class ExportFormat { Xml = 1, Csv = 2, Html = 3 };

// The chosen path with the format's extension forced: an extension of the file name (not of a
// folder) is replaced from its full stop on, else ".xml", ".csv" or ".html" is appended.
std::string ForceExportExtension(const std::string& path, ExportFormat format);

// The writers: the whole result in the format's bytes. Plain values are written as they are; CSV
// quotes a field holding ",", a quote or a line break, or equal to the NULL marker; XML writes names
// that are not XML names with _xHHHH_ escapes, CR as a character reference, and a value XML cannot
// hold (control characters, bytes that are not UTF-8) in hexadecimal with encoding="hex"; HTML
// escapes names as it escapes values. Each returns false at the first failed write and writes
// nothing more.
bool WriteCsv(const QueryResult& result, OutputFile& file);
bool WriteXml(const QueryResult& result, OutputFile& file);
bool WriteHtml(const QueryResult& result, OutputFile& file);

struct ExportOutcome {
    bool ok = false;
    std::string errorText; // "Could not create file." or the format's write-error text
    int errorCode = 0;     // the system error number
};

// Creates the file, writes the result and closes the file; reports the first failure once.
ExportOutcome ExportResult(const QueryResult& result, ExportFormat format, const std::string& path);
