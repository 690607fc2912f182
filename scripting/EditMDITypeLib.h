#pragma once
// The "EditMDI" type library of the editor's automation objects "App" and "Doc", built in code:
// its ids, and the library itself (registered in this process on first use).

#include "platform/com/typeinfo.h"

extern const GUID LIBID_EditMDI;
extern const CLSID CLSID_AppObject;
extern const IID DIID_IAppObject;
extern const IID DIID_IAppObjectEvents;
extern const CLSID CLSID_ADoc;
extern const IID DIID_IADoc;
extern const IID DIID_IADocEvents;

// The library (no reference added; it lives as long as the program).
ITypeLib* GetEditMDITypeLib();
