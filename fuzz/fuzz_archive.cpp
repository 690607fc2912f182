// Reads framework archives of arbitrary bytes: strings, counts, classes, objects and object arrays.
// Any malformed input must end in a CArchiveException (or CMemoryException), never a crash.

#include "platform/framework/framework.h"

#include <cstddef>
#include <cstdint>
#include <set>

namespace {

// Archived objects may refer to each other in any pattern, so none owns another: every object
// made during a run is listed here and deleted at its end.
std::set<CObject*>& live() {
    static std::set<CObject*> objects;
    return objects;
}

class CFuzzLeaf : public CObject {
    DECLARE_SERIAL(CFuzzLeaf)
public:
    CFuzzLeaf() { live().insert(this); }
    ~CFuzzLeaf() override { live().erase(this); }
    CString m_text;
    DWORD m_value = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_text << m_value;
        else
            ar >> m_text >> m_value;
    }
};
IMPLEMENT_SERIAL(CFuzzLeaf, CObject, VERSIONABLE_SCHEMA | 1)

class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode() { live().insert(this); }
    ~CFuzzNode() override { live().erase(this); }
    CObArray m_children;
    void Serialize(CArchive& ar) override { m_children.Serialize(ar); }
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 1)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    CMemFile file;
    file.Write(data, static_cast<UINT>(size));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 128);
    try {
        CString s;
        ar >> s;
        CStringArray strings;
        strings.Serialize(ar);
        CDWordArray numbers;
        numbers.Serialize(ar);
        ar.ReadObject(nullptr);
    } catch (CException* e) {
        e->Delete();
    }
    const std::set<CObject*> made = live();
    for (CObject* p : made)
        delete p;
    return 0;
}
