// The template files and their descriptions.

#include "app/program/template_index.h"

#include "app/CDirList.h"
#include "app/file_helpers.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"

CString GetTemplateFolder() {
    return GetAppDirectory() + "Template/";
}

void ListTemplates(CListBox& list) {
    CStringList names;
    CDirList lister;
    lister.ListFiles(names, "*.*", GetTemplateFolder());
    for (POSITION pos = names.GetHeadPosition(); pos;)
        list.AddString(names.GetNext(pos));
}

void LoadTemplateDescriptions(CIniFile& descriptions) {
    descriptions.Load(GetAppDirectory() + "Template.ini");
}

CString GetTemplateDescription(const CIniFile& descriptions, LPCTSTR lpszName) {
    CString description;
    if (!descriptions.GetString(ResourceString(IDS_TEMPLATE_DESCRIPTION), lpszName, description))
        description.Empty();
    return description;
}

void SetTemplateDescription(CIniFile& descriptions, LPCTSTR lpszName, LPCTSTR lpszDescription) {
    descriptions.SetString(ResourceString(IDS_TEMPLATE_DESCRIPTION), lpszName, lpszDescription);
}

CString GetSelectedText(const CListBox& list) {
    CString text;
    const int index = list.GetCurSel();
    if (index >= 0) list.GetText(index, text);
    return text;
}
