// The recent-file list: kept in the profile, shown in the File menu.

#include "platform/framework/CRecentFileList.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CWinApp.h"

#include <unistd.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(static_cast<std::size_t>(nSize > 0 ? nSize : 1)) {}

void CRecentFileList::Add(LPCSTR lpszPathName) {
    CString path(lpszPathName);
    if (path.IsEmpty()) return;
    // Find the entry to drop: the same file, or else the last one.
    std::size_t at = m_arrNames.size() - 1;
    for (std::size_t i = 0; i < m_arrNames.size(); ++i) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            at = i;
            break;
        }
    }
    for (std::size_t i = at; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize()) return;
    for (std::size_t i = static_cast<std::size_t>(nIndex); i + 1 < m_arrNames.size(); ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames.back().Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    const CString& path = m_arrNames[static_cast<std::size_t>(nIndex)];
    if (path.IsEmpty()) return FALSE;
    int slash = path.ReverseFind('/');
    CString name = slash >= 0 ? path.Mid(slash + 1) : path;
    // A file in the current folder shows by its name alone.
    if (lpszCurDir && nCurDir > 0 && slash == nCurDir && path.Left(nCurDir) == CString(lpszCurDir, nCurDir)) {
        strName = name;
        return TRUE;
    }
    if (path.GetLength() <= m_nMaxDisplayLength) {
        strName = path;
        return TRUE;
    }
    // Too long: the first folder, an ellipsis, and the name.
    int firstEnd = path.Find('/', 1);
    CString shortened = firstEnd > 0 && firstEnd < slash ? path.Left(firstEnd + 1) + ".../" + name : name;
    strName = (shortened.GetLength() <= m_nMaxDisplayLength || !bAtLeastName) ? shortened : name;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_arrNames[0].IsEmpty()) {
        // No files: the first item keeps its original text, disabled.
        if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (!pMenu) return;
    for (int i = 0; i < GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);

    char dir[4096] = {};
    const char* cwd = ::getcwd(dir, sizeof(dir));
    int cwdLength = cwd ? static_cast<int>(CString(cwd).GetLength()) : 0;
    for (int i = 0; i < GetSize(); ++i) {
        CString name;
        if (!GetDisplayName(name, i, cwd, cwdLength)) break;
        // Ampersands in names are doubled so they show.
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", (i + 1 + static_cast<int>(m_nStart)) % 10, static_cast<LPCSTR>(name));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, text);
    }
    // The loop of the caller goes on after the inserted items.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList() {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return;
    for (int i = 0; i < GetSize(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[static_cast<std::size_t>(i)] = pApp->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList() {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return;
    for (int i = 0; i < GetSize(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        const CString& name = m_arrNames[static_cast<std::size_t>(i)];
        if (name.IsEmpty())
            pApp->WriteProfileString(m_strSectionName, entry, nullptr);
        else
            pApp->WriteProfileString(m_strSectionName, entry, name);
    }
}
