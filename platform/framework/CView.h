#pragma once
// CView: a window showing a document inside a frame. It joins its document when created from a
// create context, draws through OnDraw, is told of document changes through OnUpdate, and passes
// the commands it does not handle to its document.

#include "platform/framework/CFrameWnd.h"
#include "platform/framework/Exceptions.h"

class CDocument;
class CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT, CFrameWnd*) {}
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual BOOL IsSelected(const CObject*) const { return FALSE; }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // The frame holding the view (it must have one).
    CFrameWnd* EnsureParentFrame() const;

    CDocument* m_pDocument = nullptr;

    // ---- Printing and print preview (CViewPrinting.cpp) ----
    // Asks for the pages and the printer (or takes the default one); FALSE when the user cancels.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The commands (ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW) a program maps.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintDirect();
    afx_msg void OnFilePrintPreview();
    // Prints the pages of pInfo on its printer DC; FALSE when the printer refused.
    BOOL PrintPages(CPrintInfo* pInfo, LPCSTR lpszOutput);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// A view that is a control of a window class (a rich-edit control, for example): the control paints
// itself, and DefWindowProc reaches the control's own procedure.
class CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView() = default;
    CCtrlView(LPCSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC*) override {}

    CString m_strClass;
    DWORD m_dwDefaultStyle = 0;

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

namespace pm::afx {
CView* routingView();
} // namespace pm::afx
