#pragma once
// CHHNamedItem: one script-visible object: its name, its ProgID or CLSID text (empty for program
// objects), the SCRIPTITEM flags it is added with, its interface, and whether the record holds a
// reference of its own (then copying adds one and destroying releases it).

#include "platform/com/unknwn.h"
#include "platform/framework/CString.h"

#include <utility>

class CHHNamedItem {
public:
    CHHNamedItem() = default;
    CHHNamedItem(const CString& strName, const CString& strText, DWORD dwFlags, IUnknown* pUnknown,
                 BOOL bOwnRef)
        : m_strName(strName), m_strText(strText), m_dwFlags(dwFlags), m_pUnknown(pUnknown),
          m_bOwnRef(bOwnRef) {
        AddRef();
    }
    CHHNamedItem(const CHHNamedItem& other)
        : m_strName(other.m_strName), m_strText(other.m_strText), m_dwFlags(other.m_dwFlags),
          m_pUnknown(other.m_pUnknown), m_bOwnRef(other.m_bOwnRef) {
        AddRef();
    }
    CHHNamedItem& operator=(const CHHNamedItem& other) {
        CHHNamedItem copy(other);
        Swap(copy);
        return *this;
    }
    ~CHHNamedItem() {
        if (m_bOwnRef && m_pUnknown) m_pUnknown->Release();
    }

    CString m_strName;
    CString m_strText;
    DWORD m_dwFlags = 0;
    IUnknown* m_pUnknown = nullptr;
    BOOL m_bOwnRef = FALSE;

private:
    void AddRef() {
        if (m_bOwnRef && m_pUnknown) m_pUnknown->AddRef();
    }
    void Swap(CHHNamedItem& o) {
        std::swap(m_strName, o.m_strName);
        std::swap(m_strText, o.m_strText);
        std::swap(m_dwFlags, o.m_dwFlags);
        std::swap(m_pUnknown, o.m_pUnknown);
        std::swap(m_bOwnRef, o.m_bOwnRef);
    }
};
