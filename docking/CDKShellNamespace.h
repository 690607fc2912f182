#pragma once
// The shell operations of the folder tree over the file system: the "Desktop" (the user's home
// folder), the children of a folder, renaming, new folders, opening an item with the desktop's
// handler and showing its properties. Tests put a namespace of their own in its place.

#include "docking/CDKShellItem.h"

#include <vector>

class CDKShellNamespace {
public:
    virtual ~CDKShellNamespace() = default;

    // The window shell calls may show their own windows over; NULL for none.
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    CWnd* GetOwner() const { return m_pOwner; }

    virtual CString GetDesktopPath() const;
    // Whether the path names a folder.
    virtual BOOL IsFolder(const CString& strPath) const;
    // The children of a folder, hidden ones included, in no particular order; FALSE when the
    // folder cannot be read.
    virtual BOOL EnumChildren(const CString& strFolder, std::vector<CDKShellItem>& items) const;
    // Renames the item in its folder; the new path, or an empty text on failure.
    virtual CString Rename(const CString& strPath, const CString& strNewName);
    // Makes "New Folder" (or "New Folder (2)" ...) inside the folder; its path, or empty.
    virtual CString CreateFolder(const CString& strFolder);
    virtual BOOL OpenItem(const CString& strPath);
    virtual void ShowProperties(const CString& strPath);

    // The order of items under one folder: folders first, then by name regardless of case.
    static int Compare(const CDKShellItem& a, const CDKShellItem& b);

private:
    CWnd* m_pOwner = nullptr;
};
