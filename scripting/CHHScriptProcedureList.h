#pragma once
// CHHScriptProcedureList: a module's script text as objects with procedures, both kept sorted by
// name. The whole text is every procedure's head, body and tail in list order; it is stored as the
// procedure part of a module file (object count, then per object its name, procedure count and
// per procedure name, head, body and tail).

#include "scripting/CHHScriptObjectProcedures.h"
#include "scripting/CHHTextParser.h"

#include <vector>

class CHHScriptProcedureList {
public:
    // Where FindOrCreate found or made a procedure. The pointers stay valid until the list changes.
    struct Location {
        CHHScriptObjectProcedures* pObject = nullptr;
        CHHScriptProcedure* pProcedure = nullptr;
        int nObjectStart = 0;     // position of the object's text in the whole text
        int nProcedureOffset = 0; // position of the procedure's text in the object's text
    };

    // Finds the object and its procedure, names compared with or without case; with bCreate, makes
    // the missing ones in sorted place. Answers TRUE when the procedure existed.
    BOOL FindOrCreate(BOOL bCreate, BOOL bCaseSensitive, LPCTSTR lpszObject, LPCTSTR lpszProcedure,
                      Location& loc);
    // Adds a procedure (names without case); FALSE, changing nothing, when it exists. A non-empty
    // tail gets a CR LF more (the blank line between procedures).
    BOOL AddProcedure(LPCTSTR lpszObject, LPCTSTR lpszProcedure, const CString& strHead,
                      const CString& strBody, const CString& strTail);
    // Empties the array, then adds the module position of every breakpoint, in list order.
    void GetBreakpoints(CDWordArray& positions) const;
    // The whole script text.
    CString GetText() const;
    // Fills the list from a script text. Loose lines become "(Declarations)" of "(General)"; a
    // procedure whose names were taken already keeps its text there too (nothing is dropped).
    BOOL Parse(LPCTSTR lpszText, CHHTextParser* pParser);
    // Stores or loads the list. Loading checks every count against the bytes left, keeps the texts
    // exactly as stored, and changes the list only when the whole list was read (a failure raises
    // CArchiveException and leaves the list as it was).
    void Serialize(CArchive& ar);

    void RemoveAll() { m_objects.clear(); }
    void RemoveAt(int nIndex) { m_objects.erase(m_objects.begin() + nIndex); }
    int GetCount() const { return static_cast<int>(m_objects.size()); }
    CHHScriptObjectProcedures& GetAt(int nIndex) { return m_objects.at(static_cast<size_t>(nIndex)); }
    const CHHScriptObjectProcedures& GetAt(int nIndex) const {
        return m_objects.at(static_cast<size_t>(nIndex));
    }

    static const char* const kGeneral;      // "(General)"
    static const char* const kDeclarations; // "(Declarations)"

private:
    // Inserts a record as stored, in sorted place after any procedure of an equal name (so that a
    // name stored twice keeps both texts, in their order).
    void InsertLoaded(const CString& strObject, CHHScriptProcedure proc);

    std::vector<CHHScriptObjectProcedures> m_objects;
};
