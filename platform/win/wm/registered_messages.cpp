// RegisterWindowMessage: one number from 0xC000 up per name, names compared without regard to case.

#include "platform/win/winuser.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string>

UINT RegisterWindowMessage(LPCSTR name) {
    if (!name || !*name) return 0;
    static std::mutex lock;
    static std::map<std::string, UINT> numbers;
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::lock_guard<std::mutex> guard(lock);
    auto it = numbers.find(key);
    if (it != numbers.end()) return it->second;
    if (numbers.size() >= 0x4000) return 0;
    UINT number = 0xC000 + static_cast<UINT>(numbers.size());
    numbers.emplace(key, number);
    return number;
}
