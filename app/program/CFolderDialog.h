#pragma once
// CFolderDialog: chooses a folder with the desktop's file dialog showing folders only, its accepting
// button labelled "Select". Select takes the folder the dialog shows, not one merely highlighted in
// it, and leaves it the current directory.

#include "platform/framework/CommonDialogs.h"

class CFolderDialog : public CFileDialog {
public:
    // strFolder gives the folder the dialog opens at (the current directory when empty) and takes
    // the chosen one when the user selects.
    CFolderDialog(CString& strFolder, LPCTSTR lpszTitle, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

private:
    CString& m_strFolder;
};
