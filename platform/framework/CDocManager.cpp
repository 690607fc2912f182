// CDocManager: templates, File New (with a choice of type when there are several), File Open,
// and the file dialogs built from the templates' filters.

#include "platform/framework/CDocManager.h"

#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CommonDialogs.h"
#include "platform/framework/Controls.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/win/res/resources.h"

#include <sys/stat.h>

namespace {

const char* const kNewTypeDialog = "AfxNewTypeDialog";
const int kTypeList = 100;

// The dialog that asks which kind of document File New makes.
class CNewTypeDlg : public CDialog {
public:
    explicit CNewTypeDlg(const CPtrList* pList) : CDialog(kNewTypeDialog), m_pList(pList) {}
    CDocTemplate* m_pSelectedTemplate = nullptr;

protected:
    BOOL OnInitDialog() override {
        for (POSITION pos = m_pList->GetHeadPosition(); pos;) {
            auto* pTemplate = static_cast<CDocTemplate*>(m_pList->GetNext(pos));
            CString name;
            if (!pTemplate->GetDocString(name, CDocTemplate::fileNewName) || name.IsEmpty()) continue;
            LPCSTR text = name;
            LRESULT index = SendDlgItemMessage(kTypeList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            SendDlgItemMessage(kTypeList, LB_SETITEMDATA, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(pTemplate));
        }
        SendDlgItemMessage(kTypeList, LB_SETCURSEL, 0);
        return CDialog::OnInitDialog();
    }
    void OnOK() override {
        LRESULT index = SendDlgItemMessage(kTypeList, LB_GETCURSEL);
        if (index == LB_ERR) return;
        m_pSelectedTemplate = reinterpret_cast<CDocTemplate*>(
            SendDlgItemMessage(kTypeList, LB_GETITEMDATA, static_cast<WPARAM>(index)));
        CDialog::OnOK();
    }
    void OnDoubleClick() { OnOK(); }

private:
    const CPtrList* m_pList;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNewTypeDlg, CDialog)
    ON_CONTROL(LBN_DBLCLK, kTypeList, OnDoubleClick)
END_MESSAGE_MAP()

void declareNewTypeDialog() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 180;
        t.cy = 90;
        t.caption = "New";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        t.items.push_back({"STATIC", "&New", 0xFFFF, 7, 7, 110, 8, WS_CHILD | WS_VISIBLE, 0});
        t.items.push_back({"LISTBOX", "", static_cast<WORD>(kTypeList), 7, 18, 110, 65,
                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 0});
        t.items.push_back({"BUTTON", "OK", IDOK, 123, 18, 50, 14,
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0});
        t.items.push_back({"BUTTON", "Cancel", IDCANCEL, 123, 36, 50, 14,
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0});
        pm::res::addDialog(kNewTypeDialog, t);
        return true;
    }();
    (void)declared;
}

// "Name (*.a;*.b)|*.a;*.b|" for a template with a filter.
void appendFilter(CString& filter, CDocTemplate* pTemplate, CString* pDefaultExt) {
    CString name, extensions;
    if (!pTemplate->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty()) return;
    if (!pTemplate->GetDocString(extensions, CDocTemplate::filterExt) || extensions.IsEmpty()) return;
    CString patterns;
    CString rest = extensions;
    while (!rest.IsEmpty()) {
        int semicolon = rest.Find(';');
        CString one = semicolon >= 0 ? rest.Left(semicolon) : rest;
        rest = semicolon >= 0 ? rest.Mid(semicolon + 1) : CString();
        if (one.Left(1) == ".") one = "*" + one;
        if (pDefaultExt && pDefaultExt->IsEmpty()) *pDefaultExt = one.Mid(2);
        if (!patterns.IsEmpty()) patterns += ";";
        patterns += one;
    }
    filter += name + "|" + patterns + "|";
}

} // namespace

CDocManager::~CDocManager() {
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
    if (!pTemplate || m_templateList.Find(pTemplate)) return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

int CDocManager::GetOpenDocumentCount() {
    int count = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos;) {
            pTemplate->GetNextDoc(docPos);
            ++count;
        }
    }
    return count;
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName) {
    CString path(lpszFileName);
    struct stat st {};
    if (path.IsEmpty() || ::stat(path, &st) != 0 || S_ISDIR(st.st_mode)) {
        const bool folder = !path.IsEmpty() && S_ISDIR(st.st_mode);
        AfxMessageBox(path + (folder ? "\nThis is a folder, not a file." : "\nFile not found."),
                      MB_ICONEXCLAMATION);
        return nullptr;
    }
    CDocTemplate* pBest = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    CDocument* pOpen = nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pMatch);
        if (match > best) {
            best = match;
            pBest = pTemplate;
            pOpen = pMatch;
        }
        if (match == CDocTemplate::yesAlreadyOpen) break;
    }
    if (pOpen) {
        // Already open: its frame comes to the front.
        POSITION viewPos = pOpen->GetFirstViewPosition();
        if (viewPos) {
            CView* pView = pOpen->GetNextView(viewPos);
            if (CFrameWnd* pFrame = pView->GetParentFrame()) {
                pFrame->ActivateFrame();
                if (CFrameWnd* pApp = pFrame->GetParentFrame()) pApp->ActivateFrame();
            }
        }
        return pOpen;
    }
    return pBest ? pBest->OpenDocumentFile(path) : nullptr;
}

BOOL CDocManager::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
    CString filter, defaultExt;
    if (pTemplate) {
        appendFilter(filter, pTemplate, &defaultExt);
    } else {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
            appendFilter(filter, GetNextDocTemplate(pos), defaultExt.IsEmpty() ? &defaultExt : nullptr);
    }
    filter += AfxLoadString(AFX_IDS_ALLFILTER) + "|*|";
    CFileDialog dlg(
        bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(defaultExt), fileName,
        lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT), filter);
    CString title = AfxLoadString(nIDSTitle);
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CDocManager::OnFileNew() {
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    if (m_templateList.GetCount() > 1) {
        declareNewTypeDialog();
        CNewTypeDlg dlg(&m_templateList);
        if (dlg.DoModal() != IDOK || !dlg.m_pSelectedTemplate) return;
        pTemplate = dlg.m_pSelectedTemplate;
    }
    pTemplate->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    if (CWinApp* pApp = AfxGetApp())
        pApp->OpenDocumentFile(fileName);
    else
        OpenDocumentFile(fileName);
}
