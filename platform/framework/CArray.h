#pragma once
// CArray, the framework's growable array, and its typed forms (CStringArray, CDWordArray ...).
// Indexes out of range raise CInvalidArgException. SetSize grows the allocation by the grow-by
// count, or when that is 0 by max(4, min(1024, size / 8)) elements; new elements are zero
// (value-initialised).

#include "platform/framework/CollectionHelpers.h"

#include <algorithm>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
    static_assert(!std::is_same_v<TYPE, bool>, "CArray<bool> is not supported; use BOOL");

public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // Sets the number of elements; nGrowBy -1 keeps the current grow-by.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { SetSize(0); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // Sets the element, growing the array when nIndex is beyond its end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement) {
        const INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends the other array's elements; answers the index of the first appended one.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;

private:
    size_t checked(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= GetSize()) pm::throwIndexError();
        return static_cast<size_t>(nIndex);
    }
    void reserveFor(size_t nNewSize);

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::reserveFor(size_t nNewSize) {
    const size_t capacity = m_data.capacity();
    if (nNewSize <= capacity) return;
    size_t newCapacity = nNewSize;
    if (capacity == 0) {
        newCapacity = std::max(nNewSize, static_cast<size_t>(m_nGrowBy));
    } else {
        size_t grow = static_cast<size_t>(m_nGrowBy);
        if (grow == 0) grow = std::clamp<size_t>(m_data.size() / 8, 4, 1024);
        newCapacity = std::max(nNewSize, capacity + grow);
    }
    try {
        m_data.reserve(newCapacity);
    } catch (const std::exception&) {
        AfxThrowMemoryException();
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
    if (nNewSize < 0) AfxThrowInvalidArgException();
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
        std::vector<TYPE>().swap(m_data);
        return;
    }
    reserveFor(static_cast<size_t>(nNewSize));
    m_data.resize(static_cast<size_t>(nNewSize));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) AfxThrowInvalidArgException();
    if (nIndex < GetSize()) {
        m_data[static_cast<size_t>(nIndex)] = newElement;
        return;
    }
    TYPE value(newElement); // newElement may be an element of this array
    SetSize(nIndex + 1, -1);
    m_data[static_cast<size_t>(nIndex)] = std::move(value);
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
    const INT_PTR nOldSize = GetSize();
    const std::vector<TYPE> copy = src.m_data; // src may be this array
    reserveFor(m_data.size() + copy.size());
    m_data.insert(m_data.end(), copy.begin(), copy.end());
    return nOldSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
    if (&src == this) return;
    SetSize(src.GetSize());
    std::copy(src.m_data.begin(), src.m_data.end(), m_data.begin());
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0) AfxThrowInvalidArgException();
    if (nCount == 0) return;
    TYPE value(newElement);
    if (nIndex >= GetSize()) {
        SetSize(nIndex + nCount, -1);
    } else {
        reserveFor(m_data.size() + static_cast<size_t>(nCount));
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), TYPE());
    }
    std::fill_n(m_data.begin() + nIndex, nCount, value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (!pNewArray || nStartIndex < 0) AfxThrowInvalidArgException();
    const std::vector<TYPE> copy = pNewArray->m_data; // the array may be this one
    if (copy.empty()) return;
    InsertAt(nStartIndex, copy.front(), static_cast<INT_PTR>(copy.size()));
    std::copy(copy.begin(), copy.end(), m_data.begin() + nStartIndex);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    } else {
        const DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(nCount, pm::MinArchivedSize<TYPE>());
        if (nCount > 0x7FFFFFFF) AfxThrowArchiveException(CArchiveException::badIndex);
        SetSize(static_cast<INT_PTR>(nCount), -1);
    }
    SerializeElements<TYPE>(ar, GetData(), GetSize());
}

// The typed arrays of the framework.
#define PM_DECLARE_TYPED_ARRAY(class_name, TYPE, ARG_TYPE)                                                   \
    class class_name : public CArray<TYPE, ARG_TYPE> {                                                       \
        DECLARE_SERIAL(class_name)                                                                           \
    public:                                                                                                  \
        class_name() = default;                                                                              \
    };

PM_DECLARE_TYPED_ARRAY(CStringArray, CString, const CString&)
PM_DECLARE_TYPED_ARRAY(CDWordArray, DWORD, DWORD)
PM_DECLARE_TYPED_ARRAY(CWordArray, WORD, WORD)
PM_DECLARE_TYPED_ARRAY(CByteArray, BYTE, BYTE)
PM_DECLARE_TYPED_ARRAY(CUIntArray, UINT, UINT)
PM_DECLARE_TYPED_ARRAY(CObArray, CObject*, CObject*)
#undef PM_DECLARE_TYPED_ARRAY

// Pointers to anything: not archivable.
class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
};
