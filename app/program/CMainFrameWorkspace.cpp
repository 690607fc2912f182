// The main frame's workspace (the documents of the last run), its registration for the maker's
// other programs, and the files those hand over by WM_COPYDATA.

#include "app/program/CMainFrame.h"

#include "app/file_helpers.h"
#include "app/program/CEditMDIDoc.h"
#include "app/program/CEditMDIView.h"
#include "app/program/editor_globals.h"
#include "app/program_registration.h"
#include "app/text_helpers.h"

#include "platform/win/richedit.h"

#include <cstring>

namespace {

const char kWorkspace[] = "Workspace";

// The running program's own path: other programs start it from there.
CString executablePath() {
    char path[4096] = {};
    ::GetModuleFileName(nullptr, path, sizeof path);
    return path;
}

// Selects the first occurrence of text (with case) from the start of the control's text, a match
// at the very start included.
void selectFirst(CHHEditCtrl* edit, const CString& text) {
    if (text.IsEmpty()) return;
    edit->SetSel(0, 0);
    FINDTEXTEXA find{};
    find.chrg = {0, -1};
    find.lpstrText = text;
    if (edit->SendMessage(EM_FINDTEXTEX, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find)) < 0) return;
    edit->SetSel(find.chrgText);
    edit->SendMessage(EM_SCROLLCARET);
}

} // namespace

std::vector<std::string> CMainFrame::GetOpenFileList() const {
    std::vector<std::string> paths;
    for (CDocument* doc : GetAllDocuments()) {
        const CString& path = doc->GetPathName();
        if (!path.IsEmpty() && FileExists(path)) paths.emplace_back(static_cast<LPCSTR>(path));
    }
    return paths;
}

void CMainFrame::SaveWorkspace() {
    try {
        CIniFile& settings = GetSettings();
        const std::vector<std::string> paths = GetOpenFileList();
        for (size_t i = 0; i < paths.size(); ++i)
            settings.SetIndexedString(kWorkspace, static_cast<int>(i), paths[i].c_str());
        settings.SetIndexedString(kWorkspace, static_cast<int>(paths.size()), "");
        settings.Save();
        saveBarLayout();
    } catch (CException* e) {
        e->Delete();
    }
}

void CMainFrame::RestoreWorkspace() {
    std::vector<CString> paths;
    CString path;
    for (int i = 0; GetSettings().GetIndexedString(kWorkspace, i, path); ++i)
        paths.push_back(path);
    // A document open before (the file named on the command line) stays the active one.
    CMDIChildWnd* active = MDIGetActive();
    for (const CString& p : paths) {
        if (FileExists(p) && !IsRegularFile(p)) {
            AfxMessageBox(
                p + "\nis not a regular file (a folder, a pipe or a device) and is not opened again.",
                MB_ICONEXCLAMATION);
            continue;
        }
        AfxGetApp()->OpenDocumentFile(p);
    }
    if (active && ::IsWindow(active->m_hWnd)) MDIActivate(active);
}

void CMainFrame::registerProgram() {
    RegisterProgramWindow("PENMERE", executablePath(), m_hWnd);
}

BOOL CMainFrame::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct) {
    if (pCopyDataStruct && pCopyDataStruct->lpData) {
        const auto* bytes = static_cast<const char*>(pCopyDataStruct->lpData);
        const CString text(bytes, static_cast<int>(::strnlen(bytes, pCopyDataStruct->cbData)));
        if (pCopyDataStruct->dwData == kCopyDataOpen) AfxGetApp()->OpenDocumentFile(text);
        if (pCopyDataStruct->dwData == kCopyDataOpenAndFind) openAndFind(text);
    }
    // Just behind the sender (on top when it has no window of its own), and active.
    ::SetWindowPos(m_hWnd, pWnd ? pWnd->m_hWnd : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus();
    return TRUE;
}

// "path;text": opens the path and selects the first occurrence of the text. Without a ";" the
// path is empty.
void CMainFrame::openAndFind(const CString& text) {
    CString path, find = text;
    if (!SplitAtDelimiter(path, find, ';')) path.Empty();
    CDocument* doc = AfxGetApp()->OpenDocumentFile(path);
    CEditMDIView* view = doc ? static_cast<CEditMDIDoc*>(doc)->GetEditView() : nullptr;
    if (view) selectFirst(view->GetEditCtrl(), find);
}
