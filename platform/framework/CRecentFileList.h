#pragma once
// CRecentFileList: the most recently used files, kept in the profile and shown in the File menu in
// place of the item ID_FILE_MRU_FILE1 (numbered "&1 name" items, or the item disabled when empty).

#include "platform/framework/CString.h"

#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    // The path at nIndex (empty when none).
    CString& operator[](int nIndex) { return m_arrNames[static_cast<std::size_t>(nIndex)]; }
    // Puts the path first; an entry for the same file (any case of its name) moves.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The menu text of entry nIndex: a short form of its path.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // the menu text of the first item before the list replaced it
    std::vector<CString> m_arrNames;
};
