// The view's commands that ask through the template and table dialogs: Save as Template and
// Insert Table.

#include "app/program/CEditMDIView.h"

#include "app/file_helpers.h"
#include "app/program/CInsertTableDlg.h"
#include "app/program/CSaveTemplateDlg.h"
#include "app/program/snippets.h"
#include "app/program/template_index.h"
#include "platform/win/file_contents.h"

#include <string_view>

// The text goes straight to the template file: the document keeps its own file, title and
// modified state, so edits not yet saved are still asked about when it closes.
void CEditMDIView::OnSaveAsTemplate() {
    CSaveTemplateDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    const CString path = GetTemplateFolder() + dlg.m_strName;
    const CString text = m_pEdit->GetText();
    if (!pm::sys::replaceFileContents(static_cast<LPCTSTR>(path),
                                      std::string_view(text, static_cast<std::size_t>(text.GetLength())))) {
        AfxMessageBox(CString("The template could not be saved as ") + path + ".", MB_ICONEXCLAMATION);
        return;
    }
    SetTemplateDescription(dlg.m_descriptions, dlg.m_strName, dlg.m_strDescription);
    dlg.m_descriptions.Save();
}

// The table replaces the selection, with the caret after it.
void CEditMDIView::OnInsertTable() {
    CInsertTableDlg dlg(caretIndent(), this);
    if (dlg.DoModal() != IDOK) return;
    const long end = static_cast<long>(dlg.m_strTable.size());
    insertSnippet(SnippetInsertion{dlg.m_strTable, end, end});
}
