#pragma once
// CMap, the framework's hash map, and its typed forms. Keys hash with HashKey into a fixed number
// of buckets (17 unless InitHashTable says otherwise); a new key goes to the head of its bucket's
// chain, and iteration walks the buckets in order, each chain from its head. That order is part of
// the contract: callers list map contents in it.

#include "platform/framework/CollectionHelpers.h"

#include <vector>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR = 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The value for the key, added (value-initialised) when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration: GetStartPosition, then GetNextAssoc until the position is null.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (entries already present are rehashed).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc* find(ARG_KEY key, UINT& nBucket) const;

private:
    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::find(ARG_KEY key, UINT& nBucket) const {
    nBucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (m_table.empty()) return nullptr;
    for (CAssoc* p = m_table[nBucket]; p; p = p->pNext)
        if (CompareElements<KEY, std::decay_t<ARG_KEY>>(&p->key, &key)) return p;
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const {
    UINT nBucket = 0;
    const CAssoc* p = find(key, nBucket);
    if (!p) return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
    UINT nBucket = 0;
    if (CAssoc* p = find(key, nBucket)) return p->value;
    if (m_table.empty()) InitHashTable(m_nHashTableSize);
    CAssoc* p = new (std::nothrow) CAssoc{m_table[nBucket], nBucket, KEY(key), VALUE()};
    if (!p) AfxThrowMemoryException();
    m_table[nBucket] = p;
    ++m_nCount;
    return p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
    UINT nBucket = 0;
    CAssoc* p = find(key, nBucket);
    if (!p) return FALSE;
    CAssoc** link = &m_table[nBucket];
    while (*link != p)
        link = &(*link)->pNext;
    *link = p->pNext;
    delete p;
    --m_nCount;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
    for (CAssoc* head : m_table) {
        while (head) {
            CAssoc* next = head->pNext;
            delete head;
            head = next;
        }
    }
    m_table.clear();
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const {
    const CAssoc* p = reinterpret_cast<const CAssoc*>(rNextPosition);
    if (rNextPosition == BEFORE_START_POSITION) {
        p = nullptr;
        for (UINT b = 0; b < m_table.size() && !p; ++b)
            p = m_table[b];
    }
    if (!p) pm::throwIndexError();
    const CAssoc* next = p->pNext;
    for (UINT b = p->nHashValue + 1; !next && b < m_table.size(); ++b)
        next = m_table[b];
    rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(next));
    rKey = p->key;
    rValue = p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow) {
    if (hashSize == 0) hashSize = 17;
    // Re-enter present entries in iteration order into the new buckets.
    std::vector<CAssoc*> present;
    for (CAssoc* head : m_table)
        for (CAssoc* p = head; p; p = p->pNext)
            present.push_back(p);
    m_nHashTableSize = hashSize;
    m_table.clear();
    if (!bAllocNow && present.empty()) return;
    try {
        m_table.assign(hashSize, nullptr);
    } catch (const std::exception&) {
        AfxThrowMemoryException();
    }
    for (CAssoc* p : present) {
        p->nHashValue = HashKey<ARG_KEY>(p->key) % m_nHashTableSize;
        p->pNext = m_table[p->nHashValue];
        m_table[p->nHashValue] = p;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        POSITION pos = GetStartPosition();
        while (pos) {
            KEY key{};
            VALUE value{};
            GetNextAssoc(pos, key, value);
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &value, 1);
        }
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.CheckCount(nCount, pm::MinArchivedSize<KEY>() + pm::MinArchivedSize<VALUE>());
    while (nCount--) {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &value, 1);
        SetAt(key, value);
    }
}

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    // Finds the key as stored in the map.
    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const {
        UINT nBucket = 0;
        const CAssoc* p = find(key, nBucket);
        if (p) rKey = p->key;
        return p ? TRUE : FALSE;
    }
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
