// The procedure list: sorted objects and procedures, parsing, joining and archiving.

#include "scripting/CHHScriptProcedureList.h"

const char* const CHHScriptProcedureList::kGeneral = "(General)";
const char* const CHHScriptProcedureList::kDeclarations = "(Declarations)";

namespace {

int compareNames(const CString& a, LPCTSTR b, BOOL bCaseSensitive) {
    return bCaseSensitive ? a.Compare(b) : a.CompareNoCase(b);
}

// Procedure names are archived with three texts each: at least four length bytes.
constexpr UINT kMinProcedureBytes = 4;
// An object record is at least its name's length byte and its procedure count.
constexpr UINT kMinObjectBytes = 5;

} // namespace

BOOL CHHScriptProcedureList::FindOrCreate(BOOL bCreate, BOOL bCaseSensitive, LPCTSTR lpszObject,
                                          LPCTSTR lpszProcedure, Location& loc) {
    loc = Location();
    size_t o = 0;
    int cmp = 1;
    for (; o < m_objects.size(); ++o) {
        cmp = compareNames(m_objects[o].m_strName, lpszObject, bCaseSensitive);
        if (cmp >= 0) break;
        loc.nObjectStart += m_objects[o].GetLength();
    }
    if (o == m_objects.size() || cmp != 0) {
        if (!bCreate) return FALSE;
        CHHScriptObjectProcedures fresh;
        fresh.m_strName = lpszObject;
        m_objects.insert(m_objects.begin() + static_cast<std::ptrdiff_t>(o), std::move(fresh));
    }
    CHHScriptObjectProcedures& obj = m_objects[o];
    loc.pObject = &obj;
    size_t p = 0;
    cmp = 1;
    for (; p < obj.m_procedures.size(); ++p) {
        cmp = compareNames(obj.m_procedures[p].m_strName, lpszProcedure, bCaseSensitive);
        if (cmp >= 0) break;
        loc.nProcedureOffset += obj.m_procedures[p].GetLength();
    }
    if (p < obj.m_procedures.size() && cmp == 0) {
        loc.pProcedure = &obj.m_procedures[p];
        return TRUE;
    }
    if (!bCreate) return FALSE;
    CHHScriptProcedure proc;
    proc.m_strName = lpszProcedure;
    obj.m_procedures.insert(obj.m_procedures.begin() + static_cast<std::ptrdiff_t>(p), std::move(proc));
    loc.pProcedure = &obj.m_procedures[p];
    return FALSE;
}

BOOL CHHScriptProcedureList::AddProcedure(LPCTSTR lpszObject, LPCTSTR lpszProcedure, const CString& strHead,
                                          const CString& strBody, const CString& strTail) {
    Location loc;
    if (FindOrCreate(TRUE, FALSE, lpszObject, lpszProcedure, loc)) return FALSE;
    CString tail = strTail;
    if (!tail.IsEmpty()) tail += "\r\n";
    loc.pProcedure->SetTexts(strHead, strBody, tail);
    loc.pObject->AddToTotals(*loc.pProcedure);
    return TRUE;
}

void CHHScriptProcedureList::GetBreakpoints(CDWordArray& positions) const {
    positions.RemoveAll();
    int start = 0;
    for (const auto& obj : m_objects)
        for (const auto& proc : obj.m_procedures) {
            for (const auto& marker : proc.m_markers)
                if (marker.m_nFlags & HHMARK_BREAKPOINT)
                    positions.Add(static_cast<DWORD>(start + marker.m_nLineStart));
            start += proc.GetLength();
        }
}

CString CHHScriptProcedureList::GetText() const {
    CString text;
    for (const auto& obj : m_objects)
        for (const auto& proc : obj.m_procedures) {
            text += proc.m_strHead;
            text += proc.m_strBody;
            text += proc.m_strTail;
        }
    return text;
}

BOOL CHHScriptProcedureList::Parse(LPCTSTR lpszText, CHHTextParser* pParser) {
    if (!pParser || !lpszText || !*lpszText) return TRUE; // an empty text is an empty list
    CString declarations, object, procedure, head, body, tail;
    LPCTSTR pos = lpszText;
    while (pos) {
        pos = pParser->ParseNext(pos, object, procedure, head, body, tail);
        bool added = false;
        if (!procedure.IsEmpty())
            added = AddProcedure(object.IsEmpty() ? kGeneral : static_cast<LPCTSTR>(object), procedure, head,
                                 body, tail);
        if (!added) {
            declarations += head;
            declarations += body;
            if (!procedure.IsEmpty() && !tail.IsEmpty()) declarations += tail + "\r\n";
        }
    }
    if (!declarations.IsEmpty()) AddProcedure(kGeneral, kDeclarations, CString(), declarations, CString());
    return TRUE;
}

void CHHScriptProcedureList::InsertLoaded(const CString& strObject, CHHScriptProcedure proc) {
    auto o = m_objects.begin();
    while (o != m_objects.end() && o->m_strName.CompareNoCase(strObject) < 0)
        ++o;
    if (o == m_objects.end() || o->m_strName.CompareNoCase(strObject) != 0) {
        CHHScriptObjectProcedures fresh;
        fresh.m_strName = strObject;
        o = m_objects.insert(o, std::move(fresh));
    }
    auto& procs = o->m_procedures;
    auto at = procs.begin();
    while (at != procs.end() && at->m_strName.CompareNoCase(proc.m_strName) <= 0)
        ++at;
    o->AddToTotals(proc);
    procs.insert(at, std::move(proc));
}

void CHHScriptProcedureList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_objects.size());
        for (const auto& obj : m_objects) {
            ar << obj.m_strName << static_cast<DWORD>(obj.m_procedures.size());
            for (const auto& proc : obj.m_procedures)
                ar << proc.m_strName << proc.m_strHead << proc.m_strBody << proc.m_strTail;
        }
        return;
    }
    CHHScriptProcedureList loaded;
    DWORD objects = 0;
    ar >> objects;
    ar.CheckCount(objects, kMinObjectBytes);
    for (DWORD o = 0; o < objects; ++o) {
        CString name;
        DWORD procedures = 0;
        ar >> name >> procedures;
        ar.CheckCount(procedures, kMinProcedureBytes);
        for (DWORD p = 0; p < procedures; ++p) {
            CHHScriptProcedure proc;
            CString head, body, tail;
            ar >> proc.m_strName >> head >> body >> tail;
            proc.SetTexts(head, body, tail);
            loaded.InsertLoaded(name, std::move(proc));
        }
    }
    m_objects = std::move(loaded.m_objects);
}
