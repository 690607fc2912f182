#pragma once
// The process-wide record of the query tool: connection count, keyword tables, the current
// database, the MDI client and the application object.

#include "querytool/sql_keywords.h"

#include "platform/win/windows.h"

#include <string>

class CApplication;

struct AppGlobals {
    int connectionCount = 0;
    SqlKeywordTables keywords;
    std::string currentDatabase; // chosen in the combo or found after "use"; kept in the settings file
    HWND mdiClient = nullptr;
    CApplication* application = nullptr;
    HINSTANCE instance = nullptr;
    // The dump dialog's tables list and find box feed each other; these keep them from looping.
    bool listWriting = false;   // the tables list is writing the find box
    bool findSelecting = false; // the find box is selecting in the tables list
};

extern AppGlobals* g_appGlobals;
