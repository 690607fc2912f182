#pragma once
// Element helpers shared by the collection templates: comparison, hashing and archiving of
// elements. Each may be specialised for an element type of the caller's.

#include "platform/framework/CArchive.h"
#include "platform/framework/Exceptions.h"

#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
    return *pElement1 == *pElement2 ? TRUE : FALSE;
}

// Hash of a map key: strings hash as h = h * 33 + c over their signed characters; integers and
// pointers hash as their value shifted right by 4.
template <class ARG_KEY> inline UINT HashKey(ARG_KEY key) {
    using K = std::decay_t<ARG_KEY>;
    if constexpr (std::is_convertible_v<K, LPCTSTR>) {
        UINT nHash = 0;
        for (LPCTSTR p = static_cast<LPCTSTR>(key); p && *p; ++p)
            nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*p)));
        return nHash;
    } else if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
    } else {
        static_assert(std::is_integral_v<K> || std::is_enum_v<K>, "HashKey: specialise it for this key type");
        return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
    }
}

namespace pm {

template <class T, class = void> struct IsArchivable : std::false_type {};
template <class T>
struct IsArchivable<T, std::void_t<decltype(std::declval<CArchive&>() << std::declval<const T&>()),
                                   decltype(std::declval<CArchive&>() >> std::declval<T&>())>>
    : std::bool_constant<!std::is_pointer_v<T>> {};

template <class T>
using UnsignedOfSize = std::conditional_t<
    sizeof(T) == 1, BYTE,
    std::conditional_t<sizeof(T) == 2, WORD, std::conditional_t<sizeof(T) == 4, DWORD, ULONGLONG>>>;

// Fewest bytes an archived element of the type takes (bounds counts read from an archive).
template <class T> constexpr UINT MinArchivedSize() {
    if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) return sizeof(T);
    if constexpr (std::is_pointer_v<T>) return 2;
    return 1;
}

[[noreturn]] inline void throwIndexError() {
    AfxThrowInvalidArgException();
}

} // namespace pm

// Reads nCount object pointers. Should one fail, the objects this call made are deleted and their
// slots cleared before the exception goes on: the array holds them but does not own them, and no
// one else has seen them yet. Back-references belong to whoever read them first and are kept.
template <class TYPE> void ReadObjectElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
    const CRuntimeClass* pElementClass = ar.TakeNextElementClass();
    std::vector<INT_PTR> created;
    try {
        for (INT_PTR i = 0; i < nCount; ++i) {
            bool bCreated = false;
            CObject* pOb = ar.ReadObject(pElementClass, &bCreated);
            if (bCreated) created.push_back(i);
            pElements[i] = dynamic_cast<TYPE>(pOb);
            if (pOb && !pElements[i]) {
                if (bCreated) {
                    created.pop_back();
                    delete pOb;
                }
                AfxThrowArchiveException(CArchiveException::badClass);
            }
        }
    } catch (...) {
        for (INT_PTR i : created) {
            delete pElements[i];
            pElements[i] = nullptr;
        }
        throw;
    }
}

// Writes or reads nCount elements: numbers little-endian at their size, strings with their length
// prefix, CObject pointers as archived objects, other types through their own archive operators.
template <class TYPE> void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
    for (INT_PTR i = 0; i < nCount; ++i) {
        TYPE& e = pElements[i];
        if constexpr (std::is_same_v<TYPE, bool> || std::is_floating_point_v<TYPE>) {
            if (ar.IsStoring())
                ar << e;
            else
                ar >> e;
        } else if constexpr (std::is_integral_v<TYPE> || std::is_enum_v<TYPE>) {
            using U = pm::UnsignedOfSize<TYPE>;
            U v = static_cast<U>(e);
            if (ar.IsStoring()) {
                ar << v;
            } else {
                ar >> v;
                e = static_cast<TYPE>(v);
            }
        } else if constexpr (std::is_pointer_v<TYPE> &&
                             std::is_base_of_v<CObject, std::remove_cv_t<std::remove_pointer_t<TYPE>>>) {
            if (!ar.IsStoring()) {
                ReadObjectElements(ar, pElements, nCount);
                return;
            }
            ar.WriteObject(e);
        } else if constexpr (pm::IsArchivable<TYPE>::value) {
            if (ar.IsStoring())
                ar << e;
            else
                ar >> e;
        } else {
            AfxThrowNotSupportedException(); // raw memory is never stored
        }
    }
}
