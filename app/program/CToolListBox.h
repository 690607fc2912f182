#pragma once
// CToolListBox: the list of tool names of the Tools dialog. It remembers the settings store and the
// section it was loaded from, so it writes the names back where they came from.

#include "platform/framework/afxwin.h"

class CIniFile;

class CToolListBox : public CListBox {
public:
    // Fills the list with the section's names ("Items" of them, indexed from "0"); a missing count is 0.
    void Load(CIniFile* pSettings, LPCTSTR section);
    // Writes the count and every name by index, and removes the key after the last; FALSE without a
    // store or a section.
    BOOL Save();

private:
    CIniFile* m_pSettings = nullptr;
    CString m_strSection;
};
