#pragma once
// CObject, the root of the framework's classes, and CRuntimeClass, the description of a class at
// run time: name, base class, dynamic creation and serial schema.

#include "platform/win/wintypes.h"

class CArchive;
class CObject;

// The schema flag that lets a class read archives written with other schemas of it.
#define VERSIONABLE_SCHEMA (0x80000000)

// A position in a list or map; opaque to the caller.
namespace pm {
struct Position;
}
typedef pm::Position* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF: not serializable; may carry VERSIONABLE_SCHEMA
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class; null when the class cannot be created dynamically or its
    // constructor raised a framework exception.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Looks a registered class up by its name; null when unknown.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);

    // The class as an archive records it: schema (16 bits), name length (16 bits), name bytes.
    void Store(CArchive& ar) const;
    // Reads a stored class and finds it by name; null when the name is unknown or malformed.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

namespace pm::afx {
// Whether an object pointer is null. The framework's GetSafeHwnd and friends answer for a null
// object, as callers rely on; the test is out of line so the compiler keeps it.
bool isNull(const void* p);
} // namespace pm::afx

namespace pm {
// Enters a class in the registry that FromName searches; used by the IMPLEMENT_ macros.
struct ClassRegistrar {
    explicit ClassRegistrar(const CRuntimeClass* pClass);
};
} // namespace pm

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
    static const CRuntimeClass class##class_name;                                                            \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                           \
    DECLARE_DYNCREATE(class_name)                                                                            \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define PM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)),  \
                                                         static_cast<UINT>(wSchema), pfnNew,                 \
                                                         RUNTIME_CLASS(base_class_name)};                    \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                                     \
        return RUNTIME_CLASS(class_name);                                                                    \
    }                                                                                                        \
    static const ::pm::ClassRegistrar pmRegister##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    PM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    PM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    PM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                            \
        return ar;                                                                                           \
    }
