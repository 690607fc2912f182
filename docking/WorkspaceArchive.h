#pragma once
// The stored workspace's archive: its records' schema check, the placements they keep, and the
// reading of the objects they own. Stored state may come from a hand-made file: an owned object
// must be one made by its own read (not a reference to an object read before it), of the class
// asked for, and owned once; a refused read frees what it made and nothing it only referred to.

#include "platform/framework/CArray.h"
#include "platform/framework/afxwin.h"

#include <memory>

class CArchive;
struct CRuntimeClass;

namespace dock {

constexpr UINT kPlacementLength = 44;
void WritePlacement(CArchive& ar, const WINDOWPLACEMENT& wp);
// Reads flags, show command and positions; the length is set to kPlacementLength.
void ReadPlacement(CArchive& ar, WINDOWPLACEMENT& wp);

// Raises badSchema when the object being read was stored with a schema above 1.
void CheckObjectSchema(CArchive& ar, int* pSchema);
// Empties an array of owned objects, deleting them.
void DeleteAll(CObArray& array);
// An array that owns its elements.
struct OwnedArrayDeleter {
    void operator()(CObArray* pArray) const {
        DeleteAll(*pArray);
        delete pArray;
    }
};
using OwnedArray = std::unique_ptr<CObArray, OwnedArrayDeleter>;
// Reads an object of pClass that the caller owns; a null or a reference to another object raises
// badClass.
CObject* ReadOwnedObject(CArchive& ar, const CRuntimeClass* pClass);
// Reads an object array whose elements the caller owns, all of pClass (a stored null reads as an
// empty array); anything else raises badClass.
OwnedArray ReadOwnedArray(CArchive& ar, const CRuntimeClass* pClass);

} // namespace dock
