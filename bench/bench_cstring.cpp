// CString on the editor's hot paths: appending one character at a time, copying (shared buffers),
// Format of numbers and strings, Find in a 50 MB text, Mid of short pieces and string-keyed map
// look-ups. Each figure is printed as a ratio to the same work done with std::string (or
// snprintf, or std::unordered_map) in the same run; below 1 means CString is faster.
#include "platform/framework/framework.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

volatile size_t g_sink;

template <class F> double seconds(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(const char* name, double ours, double baseline) {
    std::printf("%-40s %8.3f s  baseline %8.3f s  ratio %6.2f\n", name, ours, baseline, ours / baseline);
}

void appendChars() {
    const int n = 20'000'000;
    const double ours = seconds([&] {
        CString s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('a' + i % 26);
        g_sink = s.GetLength();
    });
    const double base = seconds([&] {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('a' + i % 26);
        g_sink = s.size();
    });
    report("append 20M single characters", ours, base);
}

void copies() {
    const int n = 2'000'000;
    const CString text(' ', 1000);
    const std::string plain(1000, ' ');
    const double ours = seconds([&] {
        std::vector<CString> v(16);
        for (int i = 0; i < n; ++i)
            v[i % 16] = text;
        g_sink = v[3].GetLength();
    });
    const double base = seconds([&] {
        std::vector<std::string> v(16);
        for (int i = 0; i < n; ++i)
            v[i % 16] = plain;
        g_sink = v[3].size();
    });
    report("2M copies of a 1000-byte string", ours, base);
}

void format() {
    const int n = 1'000'000;
    const CString name("item");
    const double ours = seconds([&] {
        CString s;
        for (int i = 0; i < n; ++i)
            s.Format("%s %d: %08X", name, i, i * 7u);
        g_sink = s.GetLength();
    });
    const double base = seconds([&] {
        std::string s;
        char buf[64];
        for (int i = 0; i < n; ++i) {
            const int len = std::snprintf(buf, sizeof buf, "%s %d: %08X", "item", i, i * 7u);
            s.assign(buf, static_cast<size_t>(len));
        }
        g_sink = s.size();
    });
    report("1M Format(\"%s %d: %08X\")", ours, base);
}

void findInLargeText() {
    const size_t size = 50u << 20;
    std::string plain;
    plain.reserve(size);
    while (plain.size() < size)
        plain += "function update(item, index) { return item.price * 3; }\r\n";
    const CString text(plain.data(), static_cast<int>(plain.size()));
    const double ours = seconds([&] {
        g_sink = static_cast<size_t>(text.Find("missingWord")) + static_cast<size_t>(text.Find('@'));
    });
    const double base = seconds([&] { g_sink = plain.find("missingWord") + plain.find('@'); });
    report("Find a missing word and byte in 50 MB", ours, base);
}

void midPieces() {
    const int n = 5'000'000;
    const CString line("    var total = item.price * 3 + index; // running sum");
    const std::string plain(static_cast<LPCTSTR>(line));
    const double ours = seconds([&] {
        size_t total = 0;
        for (int i = 0; i < n; ++i)
            total += line.Mid(i % 40, 8).GetLength();
        g_sink = total;
    });
    const double base = seconds([&] {
        size_t total = 0;
        for (int i = 0; i < n; ++i)
            total += plain.substr(static_cast<size_t>(i % 40), 8).size();
        g_sink = total;
    });
    report("5M Mid of 8 characters", ours, base);
}

void mapLookups() {
    const int keys = 2000, n = 5'000'000;
    CMapStringToPtr map;
    map.InitHashTable(4099);
    std::unordered_map<std::string, void*> plain;
    std::vector<CString> names;
    for (int i = 0; i < keys; ++i) {
        CString name;
        name.Format("identifier%d", i);
        names.push_back(name);
        map.SetAt(name, nullptr);
        plain[static_cast<LPCTSTR>(name)] = nullptr;
    }
    const double ours = seconds([&] {
        void* p = nullptr;
        size_t hits = 0;
        for (int i = 0; i < n; ++i)
            hits += map.Lookup(names[static_cast<size_t>(i % keys)], p);
        g_sink = hits;
    });
    const double base = seconds([&] {
        size_t hits = 0;
        for (int i = 0; i < n; ++i)
            hits += plain.count(static_cast<LPCTSTR>(names[static_cast<size_t>(i % keys)]));
        g_sink = hits;
    });
    report("5M map look-ups among 2000 keys", ours, base);
}

} // namespace

int main() {
    appendChars();
    copies();
    format();
    findInLargeText();
    midPieces();
    mapLookups();
    return 0;
}
