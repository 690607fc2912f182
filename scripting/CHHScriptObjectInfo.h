#pragma once
// CHHScriptObjectInfo: what a script view knows about a name that code may use: a section list
// (such as "(Declarations)" of "(General)"), a dispatch object, or type information.

#include "platform/com/comptr.h"
#include "platform/com/oleauto.h"
#include "platform/com/typeinfo.h"
#include "platform/framework/framework.h"

#include <vector>

// Object flags.
#define HHOBJ_GLOBAL_MEMBERS 0x1
#define HHOBJ_MEMBER_KIND1 0x2
#define HHOBJ_MEMBER_KIND2 0x4
#define HHOBJ_CODE_ONLY 0x8
#define HHOBJ_NO_EVENTS 0x20

// Kinds.
#define HHOBJ_SECTIONS 1
#define HHOBJ_DISPATCH 2
#define HHOBJ_COCLASS 3
#define HHOBJ_INTERFACE 4

class CHHScriptObjectInfo {
public:
    CString m_strName;
    DWORD m_dwFlags = 0;
    int m_bCodeOnly = 0;
    int m_nKind = 0;
    std::vector<CString> m_sections;   // kind 1
    pm::ComPtr<IDispatch> m_pDispatch; // kind 2
    pm::ComPtr<ITypeInfo> m_pTypeInfo; // kinds 3 and 4
};
