#pragma once
// What the folder tree keeps for each of its items: where the item is and what it is.

#include "platform/framework/afxwin.h"

// Attribute bits of a shell item.
#define DK_SHELL_FOLDER 0x01       // a folder
#define DK_SHELL_HASSUBFOLDER 0x02 // a folder with folders (or, for files, anything) inside
#define DK_SHELL_FILESYSTEM 0x04   // a file or folder of the file system
#define DK_SHELL_CANRENAME 0x08    // the user may rename it

struct CDKShellItem {
    CString m_strPath; // the full path
    CString m_strName; // the name shown
    DWORD m_dwAttributes = 0;
};
