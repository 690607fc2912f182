#pragma once
// The document templates: the files of the program folder's "Template" folder, described in the
// "Description" section of Template.ini in the program folder itself (one key per file name).

#include "app/CIniFile.h"

#include "platform/framework/afxwin.h"

// The folder of the templates, with its trailing separator.
CString GetTemplateFolder();

// Fills the list with the names of the template files (the folder becomes the current directory).
void ListTemplates(CListBox& list);

// Loads Template.ini into the store, which then saves back to it.
void LoadTemplateDescriptions(CIniFile& descriptions);

// The description of a template; empty when it has none.
CString GetTemplateDescription(const CIniFile& descriptions, LPCTSTR lpszName);
void SetTemplateDescription(CIniFile& descriptions, LPCTSTR lpszName, LPCTSTR lpszDescription);

// The selected line of a list, empty when none is selected.
CString GetSelectedText(const CListBox& list);
