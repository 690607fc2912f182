// The sample editor.

#include "platform/framework/sample/SampleEditor.h"

#include "platform/win/richedit.h"

namespace sample {

// ---- Frames ----

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndToolBar.Create(
            this, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}))
        return -1;
    if (!m_wndStatusBar.Create(this)) return -1;
    RecalcLayout();
    return 0;
}

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

void CChildFrame::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || !pDoc || !pDoc->IsModified()) return;
    CString title;
    GetWindowText(title);
    SetWindowText(title + " *");
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) pFrame->OnUpdateFrameTitle(TRUE);
}

// ---- Documents ----

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)
IMPLEMENT_DYNCREATE(CNoteDoc, CTextDoc)

CString CTextDoc::GetText() const {
    // Unedited, the document keeps its bytes as read (the control shows line breaks its own way).
    if (!m_bModified) return m_strText;
    POSITION pos = GetFirstViewPosition();
    if (!pos) return m_strText;
    auto* pView = dynamic_cast<CTextView*>(GetNextView(pos));
    return pView && pView->m_hWnd ? pView->GetText() : m_strText;
}

void CTextDoc::SetModifiedFlag(BOOL bModified) {
    BOOL changed = (IsModified() != 0) != (bModified != 0);
    CDocument::SetModifiedFlag(bModified);
    if (changed) UpdateFrameCounts();
}

void CTextDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_strText = GetText();
        ar.Write(static_cast<LPCSTR>(m_strText), static_cast<UINT>(m_strText.GetLength()));
        return;
    }
    auto length = static_cast<int>(ar.GetFile()->GetLength());
    char* buffer = m_strText.GetBufferSetLength(length);
    UINT read = ar.Read(buffer, static_cast<UINT>(length));
    m_strText.ReleaseBuffer(static_cast<int>(read));
}

// ---- View ----

IMPLEMENT_DYNCREATE(CTextView, CCtrlView)

BEGIN_MESSAGE_MAP(CTextView, CCtrlView)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

CTextView::CTextView() : CCtrlView("RICHEDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL) {}

CString CTextView::GetText() const {
    CString text;
    GetWindowText(text);
    return text;
}

void CTextView::OnInitialUpdate() {
    SendMessage(EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
    SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    m_bLoading = TRUE;
    SetWindowText(GetDocument() ? static_cast<LPCSTR>(GetDocument()->m_strText) : "");
    m_bLoading = FALSE;
}

void CTextView::OnChange() {
    if (!m_bLoading && GetDocument()) GetDocument()->SetModifiedFlag();
}

void CTextView::OnUpdateNeedSelection(CCmdUI* pCmdUI) {
    CHARRANGE range{0, 0};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    pCmdUI->Enable(range.cpMax > range.cpMin);
}

void CTextView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT));
}

// ---- Application ----

BEGIN_MESSAGE_MAP(CSampleApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CSampleApp::InitInstance() {
    declareResources();
    AfxInitRichEdit();
    SetRegistryKey("Framework Sample");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CTextView)));
    AddDocTemplate(new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CTextView)));
    auto* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME)) return FALSE;
    m_pMainWnd = pMainFrame;
    pMainFrame->MoveWindow(40, 40, 760, 520);
    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}

} // namespace sample
