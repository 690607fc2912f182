// Scripting.Dictionary: items by key in the order they were added. Keys are Variants: numbers
// compare by value, strings by text (without case in text mode) and objects by identity.

#include "platform/script/runtime/scripting_runtime.h"
#include "platform/script/vbs_auto_object.h"

#include <cstring>
#include <functional>
#include <list>
#include <unordered_map>

namespace pm::vbs {

namespace {

constexpr int kElementNotFound = 32811;

// What a key is compared as: numbers by value (Boolean, Date and Currency too), strings by text
// and objects by identity.
enum class KeyKind : unsigned char { Empty, Null, Number, Text, Object };

KeyKind keyKind(const Value& key) {
    if (key.isArray()) throw ScriptError(kTypeMismatch);
    if (key.isObject()) return KeyKind::Object;
    if (key.isString()) return KeyKind::Text;
    if (key.isEmpty()) return KeyKind::Empty;
    if (key.isNull()) return KeyKind::Null;
    return KeyKind::Number;
}

// The number of a numeric key; -0 and 0 are one key.
double keyNumber(const Value& key) {
    double d = toDouble(key);
    return d == 0 ? 0 : d;
}

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// FNV-1a over the bytes with ASCII letters folded: the same for texts equal without case.
size_t foldedHash(const std::string& s) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (char c : s) {
        h ^= static_cast<unsigned char>(asciiLower(c));
        h *= 0x100000001b3ull;
    }
    return static_cast<size_t>(h);
}

// Texts compared without case, as lowerCase compares them; ASCII texts without copying.
bool sameTextWithoutCase(const std::string& a, const std::string& b) {
    if (!isAscii(a) || !isAscii(b)) return lowerCase(a) == lowerCase(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// The hash of a key, computed on the value itself (text: on its lower case).
size_t keyHash(const Value& key, bool text) {
    KeyKind kind = keyKind(key);
    size_t seed = static_cast<size_t>(kind) * 0x9e3779b97f4a7c15ull;
    switch (kind) {
    case KeyKind::Object:
        return seed ^ std::hash<const void*>()(key.obj());
    case KeyKind::Text:
        if (!text) return seed ^ std::hash<std::string>()(key.str());
        if (isAscii(key.str())) return seed ^ foldedHash(key.str());
        return seed ^ foldedHash(lowerCase(key.str()));
    case KeyKind::Number:
        return seed ^ std::hash<double>()(keyNumber(key));
    default:
        return seed;
    }
}

bool sameKey(const Value& a, const Value& b, bool text) {
    KeyKind kind = keyKind(a);
    if (kind != keyKind(b)) return false;
    switch (kind) {
    case KeyKind::Object:
        return a.obj() == b.obj();
    case KeyKind::Text:
        return text ? sameTextWithoutCase(a.str(), b.str()) : a.str() == b.str();
    case KeyKind::Number: {
        double x = keyNumber(a), y = keyNumber(b);
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    default:
        return true;
    }
}

class Dictionary final : public AutoObject {
public:
    enum : DISPID { kAdd = 1, kExists, kKeys, kItems, kRemove, kRemoveAll, kCount, kCompareMode, kKey };

    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {{"item", DISPID_VALUE},
                                           {"add", kAdd},
                                           {"exists", kExists},
                                           {"keys", kKeys},
                                           {"items", kItems},
                                           {"remove", kRemove},
                                           {"removeall", kRemoveAll},
                                           {"count", kCount},
                                           {"comparemode", kCompareMode},
                                           {"key", kKey}};
        return findMember(std::begin(names), std::end(names), key);
    }

    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) return setMember(id, args, *put);
        switch (id) {
        case DISPID_VALUE:
            checkArgCount(args, 1, 1);
            return entry(*args[0]).item; // reading a missing key adds it, as the language does
        case kAdd:
            checkArgCount(args, 2, 2);
            add(*args[0], *args[1]);
            return Value();
        case kExists:
            checkArgCount(args, 1, 1);
            return Value::boolean(contains(*args[0]));
        case kKeys:
        case kItems:
            checkArgCount(args, 0, 0);
            return list(id == kKeys);
        case kRemove:
            checkArgCount(args, 1, 1);
            remove(*args[0]);
            return Value();
        case kRemoveAll:
            checkArgCount(args, 0, 0);
            dropValues();
            return Value();
        case kCount:
            return Value::longInt(static_cast<int32_t>(m_entries.size()));
        case kCompareMode:
            return Value::longInt(m_compareMode);
        default:
            throw ScriptError(kNoSuchMember);
        }
    }

    std::string typeName() const override { return "Dictionary"; }
    const void* shape() const override { return &kShape; }
    // The index goes first: it refers to the keys, and releasing them may run script code.
    void dropValues() override {
        m_index.clear();
        std::list<Entry> old;
        old.swap(m_entries);
    }
    bool enumerate(std::vector<Value>& out) override {
        for (const Entry& e : m_entries)
            out.push_back(e.key);
        return true;
    }

private:
    static constexpr char kShape = 0;
    struct Entry {
        Value key;
        Value item;
    };
    using Iterator = std::list<Entry>::iterator;

    Value setMember(DISPID id, Args& args, const Value& value) {
        switch (id) {
        case DISPID_VALUE:
            checkArgCount(args, 1, 1);
            entry(*args[0]).item = value;
            return Value();
        case kKey:
            checkArgCount(args, 1, 1);
            rename(*args[0], value);
            return Value();
        case kCompareMode: {
            int32_t mode = toLong(value);
            if (!m_entries.empty() || mode < 0) throw ScriptError(kInvalidCall);
            m_compareMode = mode;
            return Value();
        }
        default:
            throw ScriptError(kNoSuchMember);
        }
    }

    bool contains(const Value& key) const { return m_index.count(KeyRef{&key, hashOf(key)}) != 0; }

    Entry& entry(const Value& key) {
        size_t hash = hashOf(key);
        auto found = m_index.find(KeyRef{&key, hash});
        if (found != m_index.end()) return *found->second;
        return *insert(key, Value(), hash);
    }

    void add(const Value& key, const Value& item) {
        size_t hash = hashOf(key);
        if (m_index.count(KeyRef{&key, hash})) throw ScriptError(kKeyExists);
        insert(key, item, hash);
    }

    // Appends an entry; its index entry refers to the key stored in the list.
    Iterator insert(const Value& key, const Value& item, size_t hash) {
        m_entries.push_back({key, item});
        Iterator it = std::prev(m_entries.end());
        m_index.emplace(KeyRef{&it->key, hash}, it);
        return it;
    }

    void remove(const Value& key) {
        auto found = m_index.find(KeyRef{&key, hashOf(key)});
        if (found == m_index.end()) throw ScriptError(kElementNotFound);
        Iterator it = found->second;
        m_index.erase(found);
        m_entries.erase(it);
    }

    void rename(const Value& from, const Value& to) {
        auto found = m_index.find(KeyRef{&from, hashOf(from)});
        if (found == m_index.end()) throw ScriptError(kElementNotFound);
        size_t hash = hashOf(to);
        if (m_index.count(KeyRef{&to, hash})) throw ScriptError(kKeyExists);
        Iterator it = found->second;
        m_index.erase(found);
        it->key = to;
        m_index.emplace(KeyRef{&it->key, hash}, it);
    }

    size_t hashOf(const Value& key) const { return keyHash(key, m_compareMode != 0); }

    Value list(bool keys) const {
        auto a = std::make_shared<Array>();
        a->dims.push_back({0, static_cast<uint32_t>(m_entries.size())});
        for (const Entry& e : m_entries)
            a->data.push_back(keys ? e.key : e.item);
        return Value::array(std::move(a));
    }

    // The index refers to the keys in m_entries; the compare mode only changes while it is empty.
    struct KeyRef {
        const Value* key;
        size_t hash;
    };
    struct KeyRefHash {
        size_t operator()(const KeyRef& k) const { return k.hash; }
    };
    struct KeyRefEqual {
        const int32_t* compareMode;
        bool operator()(const KeyRef& a, const KeyRef& b) const {
            return a.hash == b.hash && sameKey(*a.key, *b.key, *compareMode != 0);
        }
    };

    int32_t m_compareMode = 0;
    std::list<Entry> m_entries;
    std::unordered_map<KeyRef, Iterator, KeyRefHash, KeyRefEqual> m_index{0, KeyRefHash{},
                                                                          KeyRefEqual{&m_compareMode}};
};

} // namespace

Value newDictionary() {
    return objectValue(new Dictionary);
}

} // namespace pm::vbs
