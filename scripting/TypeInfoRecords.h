#pragma once
// The records the type-information reader fills: parameters, methods, events, constants and
// properties of an automation object, with types as VARTYPE values.

#include "platform/com/com.h"
#include "platform/framework/framework.h"

#include <vector>

class CHHParamInfo {
public:
    CString m_strName;
    VARTYPE m_vt = VT_EMPTY;
    BOOL m_bByValue = TRUE; // the declared type is not a pointer
    BOOL m_bOptional = FALSE;
};

class CHHMethodInfo {
public:
    DISPID m_dispid = DISPID_UNKNOWN;
    CString m_strName;
    VARTYPE m_vtReturn = VT_VOID;
    std::vector<CHHParamInfo> m_params;
    CString m_strHelp;
};

class CHHEventInfo {
public:
    DISPID m_dispid = DISPID_UNKNOWN;
    CString m_strName;
    std::vector<CHHParamInfo> m_params;
};

class CHHConstantInfo {
public:
    CHHConstantInfo() { VariantInit(&m_value); }
    CHHConstantInfo(const CHHConstantInfo& o) : m_strName(o.m_strName) {
        VariantInit(&m_value);
        VariantCopy(&m_value, &o.m_value);
    }
    CHHConstantInfo& operator=(const CHHConstantInfo& o) {
        m_strName = o.m_strName;
        VariantCopy(&m_value, &o.m_value);
        return *this;
    }
    ~CHHConstantInfo() { VariantClear(&m_value); }

    CString m_strName;
    VARIANT m_value;
};

class CHHPropertyInfo {
public:
    DISPID m_dispid = DISPID_UNKNOWN;
    GUID m_typeGuid{}; // the user-defined type's GUID, else zero
    CString m_strName;
    VARTYPE m_vt = VT_EMPTY;
    BOOL m_bSettable = FALSE;
    std::vector<CHHConstantInfo> m_constants;
    CString m_strHelp;
};

using CHHParamInfoArray = std::vector<CHHParamInfo>;
using CHHMethodInfoArray = std::vector<CHHMethodInfo>;
using CHHEventInfoArray = std::vector<CHHEventInfo>;
using CHHPropertyInfoArray = std::vector<CHHPropertyInfo>;
