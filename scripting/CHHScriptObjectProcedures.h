#pragma once
// CHHScriptObjectProcedures: a script object ("(General)" for module-level code) with its
// procedures kept sorted by name, and the totals of their lengths.

#include "scripting/CHHScriptProcedure.h"

#include <vector>

class CHHScriptObjectProcedures {
public:
    CString m_strName;
    int m_nBodyTotal = 0;
    int m_nHeadTailTotal = 0;
    int m_bModified = 0;
    int m_bShown = 0;
    int m_bUndeclared = 0;
    std::vector<CHHScriptProcedure> m_procedures;

    // The length of the object's text: all its procedures' texts.
    int GetLength() const { return m_nBodyTotal + m_nHeadTailTotal; }
    // Adds a procedure's lengths to the totals.
    void AddToTotals(const CHHScriptProcedure& proc) {
        m_nBodyTotal += proc.m_nBodyLength;
        m_nHeadTailTotal += proc.m_nHeadLength + proc.m_nTailLength;
    }
};
