#pragma once
// The sample editor's classes: the application, the main and child frames, the documents (text and
// note) and the rich-edit view.

#include "platform/framework/afxwin.h"
#include "platform/framework/sample/SampleBars.h"
#include "platform/framework/sample/SampleResources.h"

namespace sample {

class CMainFrame : public CMDIFrameWnd {
public:
    CSampleToolBar m_wndToolBar;
    CSampleStatusBar m_wndStatusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    // The document's name, with " *" while it has unsaved changes.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
};

class CTextDoc : public CDocument {
    DECLARE_DYNCREATE(CTextDoc)
public:
    // The bytes of the document: as read while unedited, else the view's text.
    CString GetText() const;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { m_strText.Empty(); }

    CString m_strText;
};

class CNoteDoc : public CTextDoc {
    DECLARE_DYNCREATE(CNoteDoc)
};

class CTextView : public CCtrlView {
    DECLARE_DYNCREATE(CTextView)
public:
    CTextView();
    CTextDoc* GetDocument() const { return static_cast<CTextDoc*>(m_pDocument); }
    CString GetText() const;
    void OnInitialUpdate() override;

protected:
    afx_msg void OnChange();
    afx_msg void OnEditCut() { SendMessage(WM_CUT); }
    afx_msg void OnEditCopy() { SendMessage(WM_COPY); }
    afx_msg void OnEditPaste() { SendMessage(WM_PASTE); }
    afx_msg void OnEditSelectAll() { SendMessage(EM_SETSEL, 0, -1); }
    afx_msg void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bLoading = FALSE;
};

class CSampleApp : public CWinApp {
public:
    CSampleApp() : CWinApp("Sample Editor") {}
    BOOL InitInstance() override;
    CMainFrame* MainFrame() const { return static_cast<CMainFrame*>(m_pMainWnd); }

protected:
    afx_msg void OnAppAbout() {}
    DECLARE_MESSAGE_MAP()
};

} // namespace sample
