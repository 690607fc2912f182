#include "platform/win/registry/hive_format.h"

#include <cstdlib>
#include <vector>

namespace pm {

namespace {

const char kHeader[] = "pmreg 1";

std::string escape(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = ":";
    for (char c : bytes) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u > ' ' && u != 0x7F && u != '%') {
            out += c;
            continue;
        }
        out += '%';
        out += hex[u >> 4];
        out += hex[u & 15];
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool unescape(const std::string& token, std::string& out) {
    out.clear();
    if (token.empty() || token[0] != ':') return false;
    for (std::size_t i = 1; i < token.size(); ++i) {
        if (token[i] != '%') {
            out += token[i];
            continue;
        }
        int hi = i + 2 < token.size() ? hexDigit(token[i + 1]) : -1;
        int lo = hi >= 0 ? hexDigit(token[i + 2]) : -1;
        if (lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

std::vector<std::string> splitTokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t space = line.find(' ', start);
        if (space == std::string::npos) space = line.size();
        tokens.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return tokens;
}

void writeKey(const RegistryKey& key, const std::string& path, std::string& out) {
    out += "K " + escape(path) + "\n";
    for (std::size_t i = 0; i < key.valueCount(); ++i) {
        const RegistryValue& v = key.valueAt(i);
        out += "V " + std::to_string(v.type) + " " + escape(v.name) + " " + escape(v.data) + "\n";
    }
    for (std::size_t i = 0; i < key.subkeyCount(); ++i) {
        const RegistryKey& sub = key.subkeyAt(i);
        writeKey(sub, path.empty() ? sub.name() : path + "\\" + sub.name(), out);
    }
}

// The key at a '\'-separated path below root, created as needed; nullptr for an empty segment.
RegistryKey* keyAtPath(RegistryKey& root, const std::string& path) {
    RegistryKey* key = &root;
    std::size_t start = 0;
    while (!path.empty() && start <= path.size()) {
        std::size_t sep = path.find('\\', start);
        if (sep == std::string::npos) sep = path.size();
        if (sep == start) return nullptr;
        key = &key->ensureSubkey(path.substr(start, sep - start));
        start = sep + 1;
    }
    return key;
}

bool parseType(const std::string& token, std::uint32_t& type) {
    if (token.empty() || token.size() > 10 || token.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long long value = std::strtoull(token.c_str(), nullptr, 10);
    if (value > 0xFFFFFFFFull) return false;
    type = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

std::string writeHive(const RegistryKey& root) {
    std::string out = std::string(kHeader) + "\n";
    writeKey(root, std::string(), out);
    return out;
}

void readHive(const std::string& text, RegistryKey& root) {
    RegistryKey* current = nullptr;
    std::size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (first) {
            first = false;
            if (line != kHeader) return;
            continue;
        }
        std::vector<std::string> t = splitTokens(line);
        std::string path, name, data;
        std::uint32_t type;
        if (t.size() == 2 && t[0] == "K")
            current = unescape(t[1], path) ? keyAtPath(root, path) : nullptr;
        else if (t.size() == 4 && t[0] == "V" && current && parseType(t[1], type) && unescape(t[2], name) &&
                 unescape(t[3], data))
            current->setValue(name, type, data);
    }
}

} // namespace pm
