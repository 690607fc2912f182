#pragma once
// Dispatch maps and the parameter-type strings of automation calls.
//
// A dispatch map names the members of an automation object; each class's map chains to its base
// class's map, so a dispid can say at which level of the chain its member lives (the level in the
// high 16 bits). A parameter-type string has one character per argument: the argument's VARTYPE,
// with 0x40 added for an argument passed by reference.

#include "platform/com/comtypes.h"

struct AFX_DISPMAP_ENTRY {
    LPCSTR lpszName; // member name; null ends the map
    DISPID lDispID;
};

struct AFX_DISPMAP {
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

#define DECLARE_DISPATCH_MAP()                                                                               \
protected:                                                                                                   \
    static const AFX_DISPMAP* GetThisDispatchMap();                                                          \
    const AFX_DISPMAP* GetDispatchMap() const override;

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                                              \
    const AFX_DISPMAP* theClass::GetDispatchMap() const {                                                    \
        return GetThisDispatchMap();                                                                         \
    }                                                                                                        \
    const AFX_DISPMAP* theClass::GetThisDispatchMap() {                                                      \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

#define DISP_ID(name, dispid) {name, dispid},

#define END_DISPATCH_MAP()                                                                                   \
    { nullptr, 0 }                                                                                           \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_DISPMAP dispatchMap = {&TheBaseClass::GetThisDispatchMap, &_dispatchEntries[0]};        \
    return &dispatchMap;                                                                                     \
    }

// Parameter types, one character each.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_UI2 "\x12"
#define VTS_UI4 "\x13"
// By reference: the VARTYPE with 0x40 added (VT_BYREF in one character).
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PCY "\x46"
#define VTS_PDATE "\x47"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x51"
