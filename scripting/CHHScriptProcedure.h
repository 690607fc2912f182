#pragma once
// CHHScriptProcedure: one procedure of a script object: its name and its three texts (head line,
// body, tail line) with their lengths, and the edit state the macro editor keeps on it.

#include "editor/CHHLineMarker.h"
#include "platform/framework/framework.h"

class CHHScriptProcedure {
public:
    CString m_strName;
    CString m_strHead;
    CString m_strBody;
    CString m_strTail;
    int m_nHeadLength = 0;
    int m_nBodyLength = 0;
    int m_nTailLength = 0;
    int m_bLocked = 0;
    int m_bDirty = 0;
    int m_bShown = 0;
    int m_bNotAnEvent = 0;
    // Breakpoints and bookmarks: lines relative to the procedure's first line, positions relative
    // to its start. Not stored in module files.
    CHHLineMarkerArray m_markers;

    // Stores the texts and their lengths.
    void SetTexts(const CString& strHead, const CString& strBody, const CString& strTail) {
        m_strHead = strHead;
        m_strBody = strBody;
        m_strTail = strTail;
        m_nHeadLength = strHead.GetLength();
        m_nBodyLength = strBody.GetLength();
        m_nTailLength = strTail.GetLength();
    }
    // Head, body and tail lengths together.
    int GetLength() const { return m_nHeadLength + m_nBodyLength + m_nTailLength; }
};
