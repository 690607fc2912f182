#include "app/CTextSearch.h"

#include "app/file_helpers.h"

#include <cstring>
#include <string>

namespace {

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int MatchForward(const char* target, int length, const char* text, int textLength, int start) {
    for (int candidate = start; candidate < length; candidate++) {
        if (target[candidate] != text[0]) continue;
        int i = candidate + 1, k = 1;
        while (k < textLength && i < length) {
            if (target[i] == text[k])
                k++;
            else if (!IsBlank(target[i]))
                break;
            i++;
        }
        if (k == textLength) return candidate;
    }
    return -1;
}

int MatchBackward(const char* target, const char* text, int textLength, int start) {
    for (int candidate = start; candidate >= 0; candidate--) {
        if (target[candidate] != text[textLength - 1]) continue;
        int i = candidate - 1, k = textLength - 2;
        while (k >= 0 && i >= 0) {
            if (target[i] == text[k])
                k--;
            else if (!IsBlank(target[i]))
                break;
            i--;
        }
        if (k < 0) return i + 1;
    }
    return -1;
}

} // namespace

BOOL CTextSearch::ReplaceAll(LPCTSTR lpszName, LPCTSTR lpszReplacement, BOOL bFirstOnly) {
    if (!lpszName || !*lpszName) return FALSE;
    CString replacement = lpszReplacement ? CString(lpszReplacement) : ExpandMacro(lpszName);
    // One pass over the text: searching again after each replacement never looks inside it.
    std::string text(static_cast<LPCTSTR>(m_strTarget), static_cast<std::size_t>(m_strTarget.GetLength()));
    std::string name(lpszName), result;
    std::size_t from = 0;
    bool replaced = false;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, from)) {
        result.append(text, from, at - from);
        result.append(static_cast<LPCTSTR>(replacement), static_cast<std::size_t>(replacement.GetLength()));
        from = at + name.size();
        replaced = true;
        if (bFirstOnly) break;
    }
    if (!replaced) return FALSE;
    result.append(text, from, std::string::npos);
    m_strTarget = CString(result.data(), static_cast<int>(result.size()));
    return TRUE;
}

CString CTextSearch::FormatDate(const std::tm& date) {
    CString text;
    text.Format("%s, %s %d, %d", kWeekdays[(date.tm_wday % 7 + 7) % 7], kMonths[(date.tm_mon % 12 + 12) % 12],
                date.tm_mday, date.tm_year + 1900);
    return text;
}

CString CTextSearch::ExpandMacro(LPCTSTR lpszName) {
    CString name(lpszName ? lpszName : "");
    if (name == "Date") {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return FormatDate(local);
    }
    if (name == "App") {
        CString dir = GetAppDirectory();
        return dir.GetLength() > 1 ? dir.Left(dir.GetLength() - 1) : dir;
    }
    if (name == "Windows") return GetWindowsFolder();
    if (name == "System") return GetSystemFolder();
    return CString();
}

int CTextSearch::Find(LPCTSTR lpszText, int nStart, BOOL bForward, BOOL bMatchCase) const {
    if (bMatchCase) return FindSkippingBlanks(m_strTarget, lpszText, nStart, bForward);
    CString target = m_strTarget, text = lpszText ? lpszText : "";
    target.MakeLower();
    text.MakeLower();
    return FindSkippingBlanks(target, text, nStart, bForward);
}

int CTextSearch::FindSkippingBlanks(LPCTSTR lpszTarget, LPCTSTR lpszText, int nStart, BOOL bForward) {
    if (!lpszTarget || !lpszText || !*lpszText) return -1;
    int length = static_cast<int>(std::strlen(lpszTarget));
    int textLength = static_cast<int>(std::strlen(lpszText));
    if (nStart >= length || nStart < 0) return -1;
    return bForward ? MatchForward(lpszTarget, length, lpszText, textLength, nStart)
                    : MatchBackward(lpszTarget, lpszText, textLength, nStart);
}
