// Scripting.Dictionary: items by key in the order they were added. Keys are Variants: numbers
// compare by value, strings by text (without case in text mode) and objects by identity.

#include "platform/script/runtime/scripting_runtime.h"
#include "platform/script/vbs_auto_object.h"

#include <cstring>
#include <list>
#include <unordered_map>

namespace pm::vbs {

namespace {

constexpr int kElementNotFound = 32811;

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
            return Value::boolean(m_index.count(hashKey(*args[0])) != 0);
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
            m_entries.clear();
            m_index.clear();
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
    void dropValues() override {
        std::list<Entry> old;
        old.swap(m_entries);
        m_index.clear();
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

    // The text a key is found by.
    std::string hashKey(const Value& key) const {
        if (key.isArray()) throw ScriptError(kTypeMismatch);
        if (key.isObject()) {
            char buf[2 + sizeof(void*)] = "o:";
            IDispatch* p = key.obj();
            std::memcpy(buf + 2, &p, sizeof p);
            return std::string(buf, sizeof buf);
        }
        if (key.isString()) return "s:" + (m_compareMode == 0 ? key.str() : lowerCase(key.str()));
        if (key.isEmpty()) return "e:";
        if (key.isNull()) return "z:";
        double d = toDouble(key);
        char buf[2 + sizeof d] = "n:";
        if (d == 0) d = 0; // -0 and 0 are one key
        std::memcpy(buf + 2, &d, sizeof d);
        return std::string(buf, sizeof buf);
    }

    Entry& entry(const Value& key) {
        std::string h = hashKey(key);
        auto found = m_index.find(h);
        if (found != m_index.end()) return *found->second;
        m_entries.push_back({key, Value()});
        m_index.emplace(std::move(h), std::prev(m_entries.end()));
        return m_entries.back();
    }

    void add(const Value& key, const Value& item) {
        std::string h = hashKey(key);
        if (m_index.count(h)) throw ScriptError(kKeyExists);
        m_entries.push_back({key, item});
        m_index.emplace(std::move(h), std::prev(m_entries.end()));
    }

    void remove(const Value& key) {
        auto found = m_index.find(hashKey(key));
        if (found == m_index.end()) throw ScriptError(kElementNotFound);
        m_entries.erase(found->second);
        m_index.erase(found);
    }

    void rename(const Value& from, const Value& to) {
        auto found = m_index.find(hashKey(from));
        if (found == m_index.end()) throw ScriptError(kElementNotFound);
        std::string h = hashKey(to);
        if (m_index.count(h)) throw ScriptError(kKeyExists);
        Iterator it = found->second;
        m_index.erase(found);
        it->key = to;
        m_index.emplace(std::move(h), it);
    }

    Value list(bool keys) const {
        auto a = std::make_shared<Array>();
        a->dims.push_back({0, static_cast<uint32_t>(m_entries.size())});
        for (const Entry& e : m_entries)
            a->data.push_back(keys ? e.key : e.item);
        return Value::array(std::move(a));
    }

    std::list<Entry> m_entries;
    std::unordered_map<std::string, Iterator> m_index;
    int32_t m_compareMode = 0;
};

} // namespace

Value newDictionary() {
    return objectValue(new Dictionary);
}

} // namespace pm::vbs
