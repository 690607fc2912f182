// The Tools dialog's list of tool names.

#include "app/program/CToolListBox.h"

#include "app/program/tool_commands.h"

#include <string>
#include <vector>

void CToolListBox::Load(CIniFile* pSettings, LPCTSTR section) {
    m_pSettings = pSettings;
    m_strSection = section ? section : "";
    if (!m_pSettings || m_strSection.IsEmpty()) return;
    for (const std::string& name : LoadToolNames(*m_pSettings, m_strSection))
        AddString(name.c_str());
}

BOOL CToolListBox::Save() {
    if (!m_pSettings || m_strSection.IsEmpty()) return FALSE;
    std::vector<std::string> names;
    for (int i = 0; i < GetCount(); ++i) {
        CString name;
        GetText(i, name);
        names.emplace_back(name);
    }
    SaveToolNames(*m_pSettings, names, m_strSection);
    return TRUE;
}
