#include "platform/framework/CObject.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/Exceptions.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct ClassRegistry {
    std::mutex mutex;
    std::vector<const CRuntimeClass*> classes;
};

ClassRegistry& registry() {
    static ClassRegistry r;
    return r;
}

// Longest class name an archive may name; longer names are malformed.
constexpr WORD kMaxStoredClassName = 64;

} // namespace

pm::ClassRegistrar::ClassRegistrar(const CRuntimeClass* pClass) {
    ClassRegistry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.classes.push_back(pClass);
}

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                             nullptr};
static const pm::ClassRegistrar pmRegisterCObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
    if (!m_pfnCreateObject) return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == pBaseClass) return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (!lpszClassName) return nullptr;
    ClassRegistry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (const CRuntimeClass* c : r.classes)
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0) return const_cast<CRuntimeClass*>(c);
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    const CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const {
    const WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD wSchema = 0, nLen = 0;
    ar >> wSchema >> nLen;
    if (pwSchemaNum) *pwSchemaNum = wSchema;
    if (nLen == 0 || nLen > kMaxStoredClassName) return nullptr;
    char name[kMaxStoredClassName + 1];
    if (ar.Read(name, nLen) != nLen) AfxThrowArchiveException(CArchiveException::endOfFile);
    name[nLen] = '\0';
    return FromName(name);
}

bool pm::afx::isNull(const void* p) {
    return p == nullptr;
}
