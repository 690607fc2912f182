#pragma once
// CDKDropTargetHelper: turns a drop target's callbacks into messages to the window it serves, so a
// window takes part in drag and drop by handling messages. Each message's lParam points to a block
// of words, all 0 before the call; a window that handles the message (answers non-zero) puts the
// callback's answer in the last word.

#include "platform/framework/COleDropTarget.h"

#define WM_DKDROP_DRAGENTER 0x0720
#define WM_DKDROP_DRAGLEAVE 0x0721
#define WM_DKDROP_DRAGOVER 0x0722
#define WM_DKDROP_DRAGSCROLL 0x0723
#define WM_DKDROP_DROP 0x0724
#define WM_DKDROP_DROPEX 0x0725

// The block of a drop-target message. Words carry pointers at their full size.
struct DKDROPTARGETPARAMS {
    INT_PTR words[8];
    enum { kResult = 7 };
};

class CDKDropTargetHelper : public COleDropTarget {
public:
    CDKDropTargetHelper() = default;

    // The window the messages go to (Register's window when not set).
    CWnd* m_pServed = nullptr;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;

private:
    // Sends the block; TRUE when the window handled it.
    BOOL Forward(CWnd* pWnd, UINT message, DKDROPTARGETPARAMS& params, LRESULT* pResult = nullptr);
};
