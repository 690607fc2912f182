#pragma once
// The sample's tool bar and status bar: plain controls that take their place in the frame's layout
// (WM_SIZEPARENT) and update themselves at idle (WM_IDLEUPDATECMDUI).

#include "platform/framework/afxwin.h"

#include <vector>

namespace sample {

class CSampleToolBar : public CWnd {
public:
    // Buttons for the commands (0: a separator), with pictures drawn here.
    BOOL Create(CFrameWnd* pParent, const std::vector<UINT>& commands);
    // The button state of a command: TBSTATE_ bits, or -1 when it has no button.
    int ButtonState(UINT nID) const;
    int Height() const;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<UINT> m_commands;
    CBitmap m_images;
};

class CSampleStatusBar : public CWnd {
public:
    BOOL Create(CFrameWnd* pParent);
    CString PaneText(int nPane) const;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

} // namespace sample
