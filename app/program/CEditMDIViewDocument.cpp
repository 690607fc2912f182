// The view's document commands: showing the file in the browser, handing it to the web-page
// editor, reloading it from disk and going to a line.

#include "app/program/CEditMDIView.h"

#include "app/file_helpers.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CInputDlg.h"
#include "app/program/CLinkFailedDlg.h"
#include "app/program/CMainFrame.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program_registration.h"
#include "app/window_helpers.h"

#include <algorithm>
#include <cstdlib>

namespace {

// JavaScript files are neither shown in the browser nor handed over: the name ends in ".js".
bool isJavaScriptFile(CString path) {
    path.MakeLower();
    return path.GetLength() >= 3 && path.Right(3) == ".js";
}

} // namespace

CString CEditMDIView::fileToShow() {
    CEditMDIDoc* doc = GetDocument();
    short saveFirst = 1;
    GetSettings().GetInt(ResourceString(IDS_INIT), ResourceString(IDS_SAVEONCOMPILE), saveFirst);
    // A save that failed or was cancelled shows nothing: the file would not be what the user sees.
    if (saveFirst != 0 && doc->IsModified() && !doc->DoFileSave()) return {};
    const CString path = doc->GetPathName();
    if (path.IsEmpty() || !FileExists(path) || isJavaScriptFile(path)) return {};
    return path;
}

void CEditMDIView::OnViewInBrowser() {
    const CString path = fileToShow();
    if (!path.IsEmpty()) OpenWithDesktop(m_hWnd, path);
}

void CEditMDIView::OnWebPageEditor() {
    const CString path = fileToShow();
    if (path.IsEmpty()) return;
    CWnd* main = AfxGetMainWnd();
    if (HandFileToProgram("Sarrowby", main ? main->m_hWnd : m_hWnd, kCopyDataOpen, path, 0)) return;
    CLinkFailedDlg failed(this);
    failed.DoModal();
}

void CEditMDIView::ReloadDocument() {
    CEditMDIDoc* doc = GetDocument();
    const CString path = doc->GetPathName();
    if (path.IsEmpty() || !FileExists(path) || !doc->OnOpenDocument(path)) return;
    // The Functions list shows the active document's headings: those of the text read again.
    auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow());
    if (frame && GetActiveEditView() == this) frame->RebuildFunctionsList(this, TRUE);
}

void CEditMDIView::OnReload() {
    ReloadDocument();
}

void CEditMDIView::OnGoToLine() {
    CInputDlg prompt("Enter line number to go to", "1", this);
    if (prompt.DoModal() != IDOK) return;
    // A number outside the text (or no number) goes to the nearest line there is.
    const int last = std::max(0, m_pEdit->GetLineCount() - 1);
    const int line = std::clamp(std::atoi(prompt.m_strText) - 1, 0, last);
    m_pEdit->GoToLine(line, 0);
    m_pEdit->SetFocus();
}
