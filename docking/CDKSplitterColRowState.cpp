#include "docking/CDKSplitterColRowState.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CArray.h"
#include "platform/framework/Exceptions.h"

#include <memory>
#include <set>

IMPLEMENT_SERIAL(CDKSplitterColRowState, CObject, VERSIONABLE_SCHEMA | 1)

void CDKSplitterColRowState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_bRow << m_nIndex << m_nIdealSize << m_nMinSize;
        return;
    }
    dock::CheckObjectSchema(ar, &m_nSchema);
    ar >> m_bRow >> m_nIndex >> m_nIdealSize >> m_nMinSize;
}

namespace dock {

void CheckObjectSchema(CArchive& ar, int* pSchema) {
    const UINT schema = ar.GetObjectSchema();
    if (schema == static_cast<UINT>(-1))
        return;
    if (schema > 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    *pSchema = static_cast<int>(schema);
}

void DeleteAll(CObArray& array) {
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}

namespace {
struct ArrayOwner {
    void operator()(CObArray* p) const {
        DeleteAll(*p);
        delete p;
    }
};
} // namespace

CObArray* ReadOwnedArray(CArchive& ar, const CRuntimeClass* pClass) {
    std::unique_ptr<CObArray, ArrayOwner> array(static_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray))));
    if (!array)
        return new CObArray;
    // Each element once (a back-reference would make the array own one object twice).
    std::set<CObject*> seen;
    for (INT_PTR i = 0; i < array->GetSize(); ++i) {
        CObject* element = (*array)[i];
        if (!element || !element->IsKindOf(pClass) || !seen.insert(element).second) {
            array->RemoveAll();
            for (CObject* ob : seen)
                delete ob;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
    }
    return array.release();
}

} // namespace dock

namespace dock {

BOOL CaptureSplitters(CFrameWnd*, CObArray& splitters) {
    DeleteAll(splitters);
    return TRUE;
}

BOOL ApplySplitters(CFrameWnd*, const CObArray&) { return TRUE; }

} // namespace dock
