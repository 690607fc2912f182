#pragma once
// "Export Data": the query window's current result set written as an XML, CSV or HTML file.

class CQueryWindow;

// Asks for the file (the save dialog's filter picks the format and forces its extension), writes
// the whole result and opens XML and HTML files with their program. Does nothing without a result.
void ExportQueryResult(CQueryWindow& window);
