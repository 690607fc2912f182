#pragma once
// CList, the framework's doubly-linked list addressed by POSITION, and its typed forms (CObList,
// CPtrList, CStringList). A POSITION stays valid until its element is removed.

#include "platform/framework/CollectionHelpers.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    CList() = default;
    explicit CList(INT_PTR) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return nonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return nonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return nonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return nonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return insertNode(nullptr, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return insertNode(m_pNodeTail, nullptr, newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return pos(m_pNodeTail); }
    // Answer the element at rPosition and move rPosition to the next (previous) one, or null.
    TYPE& GetNext(POSITION& rPosition) { return step(rPosition, true); }
    const TYPE& GetNext(POSITION& rPosition) const { return const_cast<CList*>(this)->step(rPosition, true); }
    TYPE& GetPrev(POSITION& rPosition) { return step(rPosition, false); }
    const TYPE& GetPrev(POSITION& rPosition) const {
        return const_cast<CList*>(this)->step(rPosition, false);
    }

    TYPE& GetAt(POSITION position) { return node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return node(position)->data; }
    void SetAt(POSITION position, ARG_TYPE newElement) { node(position)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // The first element equal to searchValue after startAfter (from the head when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The position of the nIndex-th element, or null when there is none.
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

private:
    static POSITION pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* node(POSITION position) {
        if (!position || position == BEFORE_START_POSITION) pm::throwIndexError();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* nonEmpty(CNode* p) {
        if (!p) pm::throwIndexError();
        return p;
    }
    TYPE& step(POSITION& rPosition, bool forward) {
        CNode* p = node(rPosition);
        rPosition = pos(forward ? p->pNext : p->pPrev);
        return p->data;
    }
    POSITION insertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::insertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement) {
    CNode* p = new (std::nothrow) CNode{pNext, pPrev, TYPE(newElement)};
    if (!p) AfxThrowMemoryException();
    (pPrev ? pPrev->pNext : m_pNodeHead) = p;
    (pNext ? pNext->pPrev : m_pNodeTail) = p;
    ++m_nCount;
    return pos(p);
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
    TYPE value = GetHead();
    RemoveAt(pos(m_pNodeHead));
    return value;
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
    TYPE value = GetTail();
    RemoveAt(pos(m_pNodeTail));
    return value;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
    if (!pNewList) AfxThrowInvalidArgException();
    std::vector<TYPE> items; // the list may be this one
    for (CNode* p = pNewList->m_pNodeHead; p; p = p->pNext)
        items.push_back(p->data);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        AddHead(*it);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
    if (!pNewList) AfxThrowInvalidArgException();
    std::vector<TYPE> items;
    for (CNode* p = pNewList->m_pNodeHead; p; p = p->pNext)
        items.push_back(p->data);
    for (const TYPE& item : items)
        AddTail(item);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAll() {
    for (CNode* p = m_pNodeHead; p;) {
        CNode* next = p->pNext;
        delete p;
        p = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
    CNode* p = node(position);
    (p->pPrev ? p->pPrev->pNext : m_pNodeHead) = p->pNext;
    (p->pNext ? p->pNext->pPrev : m_pNodeTail) = p->pPrev;
    delete p;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
    if (!position) return AddHead(newElement);
    CNode* p = node(position);
    return insertNode(p->pPrev, p, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
    if (!position) return AddTail(newElement);
    CNode* p = node(position);
    return insertNode(p, p->pNext, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
    CNode* p = startAfter ? node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext)
        if (CompareElements<TYPE, std::decay_t<ARG_TYPE>>(&p->data, &searchValue)) return pos(p);
    return nullptr;
}

template <class TYPE, class ARG_TYPE> POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex--)
        p = p->pNext;
    return pos(p);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CNode* p = m_pNodeHead; p; p = p->pNext)
            SerializeElements<TYPE>(ar, &p->data, 1);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.CheckCount(nCount, pm::MinArchivedSize<TYPE>());
    while (nCount--) {
        TYPE value{};
        SerializeElements<TYPE>(ar, &value, 1);
        AddTail(value);
    }
}

class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
