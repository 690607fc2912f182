#pragma once
// CHHEditView: a view whose client area is one code-assistance edit control beside its margin. It
// builds the control and its language formater, hands the document's file to the control and back
// byte for byte, forwards focus, size, text and printing to it, and gives it the first chance at
// commands.
// CHHJScriptEditView and CHHVBScriptEditView are the same view with a language formater.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHFormater.h"
#include "platform/framework/CView.h"

#include <string>
#include <string_view>

class CArchive;

class CHHEditView : public CView {
    DECLARE_DYNCREATE(CHHEditView)
public:
    CHHEditView();
    ~CHHEditView() override;

    // The most characters the control holds; files needing more are refused at load.
    static constexpr long kMaxFileSize = 0xA00000;

    virtual BOOL CreateEditWindow();
    virtual void CreateEditCtrl();
    virtual void CreateFormater();

    // The control, built first when there is none yet (null when that fails).
    CHHEditCtrl* GetEditCtrl();
    CHHFormater* GetFormater() const { return m_pFormater; }

    void Serialize(CArchive& ar) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC*) override {}
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Why a file's bytes cannot be edited: "" when they can (the control holds them whole, no
    // NUL byte).
    static std::string RefusalReason(std::string_view bytes);
    // The characters the control takes for bytes: each line break is a CR LF pair there.
    static long long ControlLength(std::string_view bytes);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CHHEditCtrl* m_pEditCtrl = nullptr;
    CHHFormater* m_pFormater = nullptr;
};

class CHHJScriptEditView : public CHHEditView {
    DECLARE_DYNCREATE(CHHJScriptEditView)
public:
    void CreateFormater() override;
};

class CHHVBScriptEditView : public CHHEditView {
    DECLARE_DYNCREATE(CHHVBScriptEditView)
public:
    void CreateFormater() override;
};
