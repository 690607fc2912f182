#pragma once
// The window ("MDIChildWndDockWrapper") that holds a docked document window's view inside its
// pane. It is a frame to the view: whatever closes the view's frame (closing its document) closes
// the document window it came from, not the main window the pane sits in.

#include "platform/framework/CFrameWnd.h"

class CDKMDIChildWndSizeDock;

class CDockWrapperWnd : public CFrameWnd {
public:
    static constexpr const char* kClassName = "MDIChildWndDockWrapper";

    CDockWrapperWnd() = default;

    BOOL CreateIn(CWnd* pBar, LPCSTR lpszText, const RECT& rect);
    // Closing the view's frame closes the document window instead.
    BOOL DestroyWindow() override;

    CDKMDIChildWndSizeDock* m_pChild = nullptr;

protected:
    void PostNcDestroy() override {} // embedded in its pane
};
