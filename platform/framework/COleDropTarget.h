#pragma once
// COleDropTarget: a window that takes drops. Register hooks the window: files dropped from other
// programs (WM_DROPFILES) and drags started in this program (COleDataSource::DoDragDrop) reach the
// target's callbacks. The defaults take nothing; OnDropEx answers -1 so that OnDrop runs.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/COleDataObject.h"
#include "platform/framework/CRect.h"

class CWnd;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget() = default;
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The target registered for hwnd or the nearest of its parents, or nullptr.
    static COleDropTarget* FromWindow(HWND hwnd);
    HWND GetWindow() const { return m_hWnd; }

    // A drop at point (client coordinates): OnDropEx, and OnDrop when it answers -1; the effect.
    DROPEFFECT Drop(COleDataObject* pDataObject, DROPEFFECT effect, DROPEFFECT allowed, CPoint point);

protected:
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP drop);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnOldProc = nullptr;
};
