// The main frame's commands that ask through the template, solutions and folder dialogs: New from
// Template, Developer Solutions and Change Working Directory.

#include "app/program/CMainFrame.h"

#include "app/program/CDevSolutionsDlg.h"
#include "app/program/CFolderDialog.h"
#include "app/program/CNewFromTemplateDlg.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program/template_index.h"

// The new document's view takes the template's text as it is made.
void CMainFrame::OnFileNewFromTemplate() {
    CNewFromTemplateDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    SetPendingTemplate(dlg.m_strName.IsEmpty() ? CString() : GetTemplateFolder() + dlg.m_strName);
    AfxGetApp()->OnFileNew();
    // Should no view have been made, no later document takes the template.
    SetPendingTemplate("");
}

void CMainFrame::OnHelpDevSolutions() {
    CDevSolutionsDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnWorkDirChange() {
    CString folder = GetWorkingDir();
    CFolderDialog dlg(folder, "Select  working folder", this);
    if (dlg.DoModal() != IDOK) return;
    GetSettings().SetString(ResourceString(IDS_GENERAL), ResourceString(IDS_PROJECTDIR), folder);
    GetSettings().Save();
    FillWorkingDirList();
}
