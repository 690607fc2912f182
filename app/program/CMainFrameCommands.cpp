// The main frame's commands: closing and saving all documents, the VBScript macros, the help
// pages and web sites, and the Working Dir and Solutions commands of the panes.

#include "app/program/CMainFrame.h"

#include "app/file_helpers.h"
#include "app/program/CConfirmAllDlg.h"
#include "app/program/CEditMDIApp.h"
#include "app/program/CEditMDIView.h"
#include "app/program/CInputDlg.h"
#include "app/program/CScriptSelectDlg.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program_registration.h"
#include "app/window_helpers.h"

#include <cctype>
#include <cstdio>

namespace {

CHHModuleEdit* scriptModule() {
    auto* app = dynamic_cast<CEditMDIApp*>(AfxGetApp());
    return app ? &app->GetModule() : nullptr;
}

bool onDisk(const CString& path) {
    return !path.IsEmpty() && FileExists(path);
}

void discard(CDocument* doc) {
    doc->SetModifiedFlag(FALSE);
    doc->OnCloseDocument();
}

// A local page as a file URL, with the topic as its fragment: every byte but the unreserved ones
// and the separators written %XX.
CString fileUrl(const CString& path, const CString& topic) {
    auto encode = [](const CString& text, bool keepSlashes) {
        CString out;
        for (int i = 0; i < text.GetLength(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' ||
                (keepSlashes && c == '/')) {
                out += static_cast<char>(c);
                continue;
            }
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        }
        return out;
    };
    return "file://" + encode(NativePath(path), true) + "#" + encode(topic, false);
}

struct WebPage {
    UINT id;
    const char* address;
};

// The maker's pages (a page of the program folder stands in for them) and the outside sites of the
// Help menu.
const WebPage kWebPages[] = {
    {ID_HELP_WEBSITE, "Web/Corvane.htm"},
    {ID_HELP_MAILING_LIST, "Web/Corvane.htm"},
    {ID_HELP_DISCUSSION_BOARD, "Web/Corvane.htm"},
    {ID_HELP_EMAIL, "mailto:editor@corvane.example"},
    {ID_HELP_SITE_W3C, "https://www.w3.org/"},
    {ID_HELP_SITE_ECMA, "https://tc39.es/ecma262/"},
    {ID_HELP_SITE_JAVASCRIPT, "https://developer.mozilla.org/docs/Web/JavaScript"},
    {ID_HELP_SITE_HTML, "https://whatwg.org/html"},
    {ID_HELP_SITE_CSS, "https://www.w3.org/Style/CSS/"},
};

} // namespace

// ---- Close All and Save All ----

// Documents without a file are left for the framework's question, also after "Yes to all" when
// the user cancels their Save As: nothing is discarded unless the user answered No.
BOOL CMainFrame::closeAllPass(SaveAnswer& answer) {
    for (CDocument* doc : GetAllDocuments()) {
        if (!IsOpenDocument(doc)) continue; // closed while a question was shown
        if (!doc->IsModified()) {
            doc->OnCloseDocument();
            continue;
        }
        const CString path = doc->GetPathName();
        if (answer == SaveAnswer::NoToAll) {
            discard(doc);
            continue;
        }
        if (answer == SaveAnswer::YesToAll) {
            if (onDisk(path) ? doc->DoSave(path) : doc->DoFileSave()) doc->OnCloseDocument();
            continue;
        }
        if (!onDisk(path)) continue;
        CString question;
        question.Format("Save changes to %s?", static_cast<LPCSTR>(path));
        CConfirmAllDlg ask(question, this);
        ask.DoModal();
        if (!IsOpenDocument(doc)) continue;
        switch (ask.m_nAnswer) {
        case CConfirmAllDlg::kCancel:
            return FALSE;
        case CConfirmAllDlg::kYesToAll:
            answer = SaveAnswer::YesToAll;
            [[fallthrough]];
        case CConfirmAllDlg::kYes:
            if (doc->DoSave(path)) doc->OnCloseDocument(); // a failed save keeps the document open
            break;
        case CConfirmAllDlg::kNoToAll:
            answer = SaveAnswer::NoToAll;
            [[fallthrough]];
        default:
            discard(doc);
        }
    }
    return TRUE;
}

void CMainFrame::OnFileCloseAll() {
    SaveAnswer answer = SaveAnswer::Ask;
    if (!closeAllPass(answer)) return;
    if (!AfxGetApp()->SaveAllModified()) return;
    // The framework has asked about every document left: they all close now.
    answer = SaveAnswer::NoToAll;
    closeAllPass(answer);
}

void CMainFrame::OnFileSaveAll() {
    for (CDocument* doc : GetAllDocuments()) {
        const CString path = doc->GetPathName();
        if (doc->IsModified() && onDisk(path)) doc->DoSave(path);
    }
    AfxGetApp()->SaveAllModified();
}

// ---- VBScript macros ----

void CMainFrame::loadScript(LPCTSTR lpszPath) {
    CHHModuleEdit* module = scriptModule();
    if (!module) return;
    module->Stop();
    module->LoadFromFile(lpszPath);
    m_bScriptSelected = TRUE;
    m_strScriptPath = lpszPath;
}

// The macro's full path is kept, so its edits go back to the file they came from whatever
// folder is current by then.
void CMainFrame::editScript() {
    CHHModuleEdit* module = scriptModule();
    if (!module || m_strScriptPath.IsEmpty()) return;
    module->Stop();
    module->EditScript(nullptr, nullptr, FALSE);
    saveScript();
}

void CMainFrame::saveScript() {
    CHHModuleEdit* module = scriptModule();
    if (module && !module->SaveToFile(m_strScriptPath))
        AfxMessageBox(AFX_IDP_FAILED_TO_SAVE_DOC, MB_ICONEXCLAMATION);
}

// The editor that opens at an ended error keeps its fixes in the module only: the user is asked
// before they can be lost with the program's end or the next macro loaded.
void CMainFrame::AskToSaveScript() {
    if (m_strScriptPath.IsEmpty()) return;
    CString question;
    question.Format("Save changes to %s?", static_cast<LPCSTR>(m_strScriptPath));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES) saveScript();
}

void CMainFrame::OnScriptRun() {
    if (CHHModuleEdit* module = scriptModule()) {
        module->Stop();
        module->Run();
    }
}

void CMainFrame::OnUpdateScriptRun(CCmdUI* pCmdUI) {
    CHHModuleEdit* module = scriptModule();
    pCmdUI->Enable(m_bScriptSelected && module && !module->IsRunning());
}

void CMainFrame::OnScriptNew() {
    CInputDlg prompt("Script name", "", this);
    if (prompt.DoModal() != IDOK) return;
    CString name = prompt.m_strText;
    CString lower = name;
    lower.MakeLower();
    if (lower.Find(".hbs") < 0) name += ".hbs";
    const CString target = GetAppDirectory() + "Scripts/" + name;
    if (FileExists(target) && AfxMessageBox("Script already exists. Overwrite?", MB_OKCANCEL) != IDOK) return;
    if (!::CopyFile(GetAppDirectory() + "Bin/Template.hbs", target, FALSE)) {
        AfxMessageBox("Script creation failed");
        return;
    }
    loadScript(target);
    editScript();
}

void CMainFrame::OnScriptEdit() {
    editScript();
}

void CMainFrame::OnUpdateScriptEdit(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bScriptSelected);
}

void CMainFrame::OnScriptStop() {
    if (CHHModuleEdit* module = scriptModule()) module->Stop();
}

void CMainFrame::OnScriptPause() {
    if (CHHModuleEdit* module = scriptModule()) module->Pause();
}

void CMainFrame::OnUpdateScriptRunning(CCmdUI* pCmdUI) {
    CHHModuleEdit* module = scriptModule();
    pCmdUI->Enable(module && module->IsRunning());
}

void CMainFrame::OnScriptSelect() {
    const CString folder = GetAppDirectory() + "Scripts";
    CScriptSelectDlg chooser("Scripts", "*.hbs", folder, this);
    if (chooser.DoModal() != IDOK || chooser.m_strName.IsEmpty()) return;
    loadScript(folder + "/" + chooser.m_strName);
    if (chooser.m_nCode == CScriptSelectDlg::kRun) {
        if (CHHModuleEdit* module = scriptModule()) module->Run();
    } else if (chooser.m_nCode == CScriptSelectDlg::kEdit) {
        editScript();
    }
}

// ---- Help ----

void CMainFrame::openHelpPage(LPCTSTR lpszRelative, LPCTSTR lpszTopic) {
    const CString page = GetAppDirectory() + lpszRelative;
    CString topic(lpszTopic ? lpszTopic : "");
    topic.MakeLower();
    OpenWithDesktop(m_hWnd, topic.IsEmpty() ? page : fileUrl(page, topic), page);
}

void CMainFrame::OnHelpReference() {
    openHelpPage(ResourceString(IDS_HELPFILE), nullptr);
}

// The reference's index heads the page, so a word it does not hold shows the index.
void CMainFrame::OnHelpKeyword() {
    CEditMDIView* view = GetActiveEditView();
    const std::string word = view ? view->GetWordAtCaret() : std::string();
    openHelpPage(ResourceString(IDS_HELPFILE), word.c_str());
}

BOOL CMainFrame::OnHelpWebPage(UINT nID) {
    for (const WebPage& page : kWebPages) {
        if (page.id != nID) continue;
        const CString address(page.address);
        if (address.Find(':') < 0)
            openHelpPage(page.address, nullptr);
        else
            OpenWithDesktop(m_hWnd, address);
    }
    return TRUE;
}

void CMainFrame::OnHelpUpgrades() {
    openHelpPage("Help/Updates.htm", nullptr);
}

// ---- Working folder and samples ----

void CMainFrame::storeWorkingDirDefaults() {
    CIniFile& settings = GetSettings();
    const CString general = ResourceString(IDS_GENERAL);
    CString value;
    if (!settings.GetString(general, ResourceString(IDS_PROJECTDIR), value))
        settings.SetString(general, ResourceString(IDS_PROJECTDIR), GetAppDirectory() + "Projects");
    if (!settings.GetString(general, ResourceString(IDS_PROJECTMASK), value))
        settings.SetString(general, ResourceString(IDS_PROJECTMASK), "*.*");
    settings.Save();
}

void CMainFrame::OnWorkDirOpenNative() {
    const CString name = selectedText(m_wndInfoBar.m_wndWorkDir);
    if (!name.IsEmpty()) OpenWithDesktop(m_hWnd, GetWorkingDir() + name);
}

void CMainFrame::OnWorkDirExplorer() {
    OpenWithDesktop(m_hWnd, GetWorkingDir());
}

void CMainFrame::OnSolutionsOpenNative() {
    const CString relative = m_wndProjBar.m_wndTree.GetSelectedPath();
    const CString path = NativePath(GetAppDirectory() + relative);
    if (!relative.IsEmpty() && FileExists(path)) OpenWithDesktop(m_hWnd, path);
}

void CMainFrame::OnSolutionsCopy() {
    CNotifyTreeCtrl& tree = m_wndProjBar.m_wndTree;
    HTREEITEM item = tree.GetSelectedItem();
    const CString relative = tree.GetSelectedPath();
    if (!item || relative.IsEmpty()) return;
    const CString source = NativePath(GetAppDirectory() + relative);
    if (!FileExists(source)) return;
    const CString name = tree.GetItemText(item);
    const CString target = GetWorkingDir() + name;
    const BOOL existed = FileExists(target);
    if (existed && AfxMessageBox(ResourceString(IDS_FILE_EXISTS), MB_OKCANCEL) != IDOK) return;
    if (!::CopyFile(source, target, FALSE)) {
        AfxMessageBox(ResourceString(IDS_COPY_FAILED));
        return;
    }
    if (!existed) m_wndInfoBar.m_wndWorkDir.AddString(name);
}

void CMainFrame::OnSolutionsExplorer() {
    const CString relative = m_wndProjBar.m_wndTree.GetSelectedPath();
    if (!relative.IsEmpty()) OpenWithDesktop(m_hWnd, NativePath(GetAppDirectory() + relative));
}

void CMainFrame::OnShowWindowHandle() {
    AfxMessageBox(FormatWindowHandle(m_hWnd));
}
