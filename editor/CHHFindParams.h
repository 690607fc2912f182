#pragma once
// CHHFindParams: what to find and what to replace it with, and how; one instance for the whole
// process, shared by every edit control. The find and replace histories live beside it.

#include "platform/framework/CString.h"

#include <string>
#include <vector>

class CHHFindParams {
public:
    CString m_strFind;
    CString m_strReplace;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bWholeWord = FALSE;
    BOOL m_bSearchDown = TRUE;
    BOOL m_bRegularExpression = FALSE;

    // The process's parameters.
    static CHHFindParams& Get();
    // The find and replace histories, most recent first.
    static std::vector<std::string>& FindHistory();
    static std::vector<std::string>& ReplaceHistory();
    // Puts text in front of history, removing an equal (case-sensitive) older copy.
    static void Remember(std::vector<std::string>& history, const std::string& text);
};
