#pragma once
// A string-keyed map that lists its entries in the order of a 17-bucket hash table (hash
// h = h * 33 + byte, bytes taken as signed, newest entry first within a bucket), the order in which
// the settings store writes its files, while finding keys in constant time however many it holds.

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

template <class V> class BucketOrderedMap {
public:
    static const unsigned kBuckets = 17;

    static unsigned Bucket(const std::string& key) {
        std::uint32_t h = 0;
        for (char c : key)
            h = h * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        return h % kBuckets;
    }

    V* Find(const std::string& key) {
        auto it = m_entries.find(key);
        return it == m_entries.end() ? nullptr : &it->second.value;
    }
    const V* Find(const std::string& key) const {
        auto it = m_entries.find(key);
        return it == m_entries.end() ? nullptr : &it->second.value;
    }

    // The entry of key; a new one (default value) goes to the head of its bucket.
    V& FindOrAdd(const std::string& key) {
        auto it = m_entries.find(key);
        if (it == m_entries.end()) it = m_entries.emplace(key, Entry{V(), m_nextSequence++}).first;
        return it->second.value;
    }

    bool Remove(const std::string& key) { return m_entries.erase(key) > 0; }
    void Clear() { m_entries.clear(); }
    std::size_t Size() const { return m_entries.size(); }

    // Every entry in bucket order.
    std::vector<std::pair<const std::string*, const V*>> Ordered() const {
        struct Item {
            unsigned bucket;
            std::uint64_t sequence;
            const std::string* key;
            const V* value;
        };
        std::vector<Item> items;
        items.reserve(m_entries.size());
        for (const auto& e : m_entries)
            items.push_back({Bucket(e.first), e.second.sequence, &e.first, &e.second.value});
        std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
            return a.bucket != b.bucket ? a.bucket < b.bucket : a.sequence > b.sequence;
        });
        std::vector<std::pair<const std::string*, const V*>> out;
        out.reserve(items.size());
        for (const Item& i : items)
            out.emplace_back(i.key, i.value);
        return out;
    }

private:
    struct Entry {
        V value;
        std::uint64_t sequence;
    };
    std::unordered_map<std::string, Entry> m_entries;
    std::uint64_t m_nextSequence = 0;
};
