#pragma once
// CDKChildFrameState: one MDI child of a stored workspace: its placement, the document it shows
// (path and class names of document, frame and view) and its splitter sizes.

#include "platform/framework/CArray.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"
#include "platform/framework/afxwin.h"

class CFrameWnd;
class CMDIChildWnd;
class CDocTemplate;

class CDKChildFrameState : public CObject {
    DECLARE_SERIAL(CDKChildFrameState)
public:
    CDKChildFrameState();
    ~CDKChildFrameState() override;
    CDKChildFrameState(const CDKChildFrameState&) = delete;
    CDKChildFrameState& operator=(const CDKChildFrameState&) = delete;

    void Serialize(CArchive& ar) override;

    // Takes the child's placement, document and classes; FALSE without a view and document.
    virtual BOOL CaptureState(CMDIChildWnd* pChildFrame);
    // Opens the document again (or a new frame on it when it is open) and places its frame.
    virtual BOOL ApplyState();
    virtual BOOL CaptureSplitters(CFrameWnd* pFrame);
    virtual BOOL ApplySplitters(CFrameWnd* pFrame);
    virtual void WriteProperties(CArchive& ar);
    virtual void ReadProperties(CArchive& ar);

    WINDOWPLACEMENT m_placement{};
    CString m_strDocumentPath;
    CString m_strDocumentClass;
    CString m_strFrameClass;
    CString m_strViewClass;
    int m_bSaveSplitters = 1;
    CObArray* m_pSplitters;
    int m_nSchema = -1;

protected:
    // The template whose three classes match, else the first whose document class does.
    CDocTemplate* FindTemplate() const;
    CFrameWnd* OpenFrame(CDocTemplate* pTemplate) const;
};
