#include "editor/CHHFindParams.h"

#include <algorithm>

CHHFindParams& CHHFindParams::Get() {
    static CHHFindParams params;
    return params;
}

std::vector<std::string>& CHHFindParams::FindHistory() {
    static std::vector<std::string> history;
    return history;
}

std::vector<std::string>& CHHFindParams::ReplaceHistory() {
    static std::vector<std::string> history;
    return history;
}

void CHHFindParams::Remember(std::vector<std::string>& history, const std::string& text) {
    history.erase(std::remove(history.begin(), history.end(), text), history.end());
    history.insert(history.begin(), text);
}
