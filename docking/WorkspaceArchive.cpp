#include "docking/WorkspaceArchive.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/Exceptions.h"

#include <unordered_set>
#include <vector>

namespace dock {

void WritePlacement(CArchive& ar, const WINDOWPLACEMENT& wp) {
    ar << wp.flags << wp.showCmd << wp.ptMinPosition << wp.ptMaxPosition << wp.rcNormalPosition;
}

void ReadPlacement(CArchive& ar, WINDOWPLACEMENT& wp) {
    wp = WINDOWPLACEMENT{};
    wp.length = kPlacementLength;
    ar >> wp.flags >> wp.showCmd >> wp.ptMinPosition >> wp.ptMaxPosition >> wp.rcNormalPosition;
}

void CheckObjectSchema(CArchive& ar, int* pSchema) {
    const UINT schema = ar.GetObjectSchema();
    if (schema == static_cast<UINT>(-1)) return;
    if (schema > 1) AfxThrowArchiveException(CArchiveException::badSchema);
    *pSchema = static_cast<int>(schema);
}

void DeleteAll(CObArray& array) {
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}

namespace {

using ObjectSet = std::unordered_set<const CObject*>;

// The objects taken by their owners while the outermost owned array is read: the arrays read
// inside its elements (a child frame's splitters) are read within it and add to the same set.
thread_local ObjectSet* t_pOwned = nullptr;

class OwnedScope {
public:
    OwnedScope() : m_bOutermost(t_pOwned == nullptr) {
        if (m_bOutermost) t_pOwned = &m_owned;
    }
    ~OwnedScope() {
        if (m_bOutermost) t_pOwned = nullptr;
    }
    OwnedScope(const OwnedScope&) = delete;
    OwnedScope& operator=(const OwnedScope&) = delete;
    ObjectSet& Owned() const { return *t_pOwned; }

private:
    bool m_bOutermost;
    ObjectSet m_owned;
};

void Claim(const CObject* pOb) {
    if (t_pOwned) t_pOwned->insert(pOb);
}

[[noreturn]] void Refuse() {
    AfxThrowArchiveException(CArchiveException::badClass);
}

// Every element made by this array's read, of pClass, taken by no one else and listed once.
bool ElementsAreOwnable(const CObArray& array, const CRuntimeClass* pClass, const ObjectSet& made,
                        const ObjectSet& owned) {
    ObjectSet seen;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        const CObject* element = array[i];
        if (!element || element == &array || !element->IsKindOf(pClass) || !made.count(element) ||
            owned.count(element) || !seen.insert(element).second)
            return false;
    }
    return true;
}

// The elements of the array read next are asked to be of a class, so that nothing else is made
// for them; asked of one array only.
class ElementClassScope {
public:
    ElementClassScope(CArchive& ar, const CRuntimeClass* pClass) : m_ar(ar) {
        ar.SetNextElementClass(pClass);
    }
    ~ElementClassScope() { m_ar.SetNextElementClass(nullptr); }
    ElementClassScope(const ElementClassScope&) = delete;
    ElementClassScope& operator=(const ElementClassScope&) = delete;

private:
    CArchive& m_ar;
};

} // namespace

CObject* ReadOwnedObject(CArchive& ar, const CRuntimeClass* pClass) {
    bool created = false;
    CObject* object = ar.ReadObject(pClass, &created);
    if (!created) Refuse();
    Claim(object);
    return object;
}

OwnedArray ReadOwnedArray(CArchive& ar, const CRuntimeClass* pClass) {
    OwnedScope scope;
    const size_t mark = ar.GetLoadMark();
    bool created = false;
    CObject* read = nullptr;
    {
        ElementClassScope elements(ar, pClass);
        read = ar.ReadObject(RUNTIME_CLASS(CObArray), &created);
    }
    if (!read) return OwnedArray(new CObArray);
    if (!created) Refuse(); // another part's array: nothing of it is this read's to free
    auto* array = static_cast<CObArray*>(read);
    const std::vector<CObject*> made = ar.GetObjectsLoadedSince(mark);
    if (!ElementsAreOwnable(*array, pClass, ObjectSet(made.begin(), made.end()), scope.Owned())) {
        // What this read made and no part took (the array, its elements, whatever they read that
        // is not theirs) goes; what the elements own goes with them.
        for (CObject* object : made)
            if (!scope.Owned().count(object)) delete object;
        Refuse();
    }
    Claim(array);
    for (INT_PTR i = 0; i < array->GetSize(); ++i)
        Claim((*array)[i]);
    return OwnedArray(array);
}

} // namespace dock
