#pragma once
// CDKMDIClientTabs: takes over an MDI frame's client window, puts the tab strip around it in the
// frame's layout, and keeps the tabs in step with the MDI messages.

#include "docking/CDKMDITabStrip.h"

class CMDIFrameWnd;

class CDKMDIClientTabs : public CWnd {
public:
    static constexpr UINT kStripId = 1000;

    CDKMDIClientTabs() = default;

    BOOL Attach(CMDIFrameWnd* pFrame, DWORD dwTabStyle);
    BOOL Detach();
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
    CDKMDITabStrip& Strip() { return m_wndTabs; }
    CMDIFrameWnd* Frame() const { return m_pFrame; }

    CDKMDITabStrip m_wndTabs;
    CMDIFrameWnd* m_pFrame = nullptr;
    BOOL m_bChanged = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostTick();
    // The top of the strip's highest row of tabs, in the frame's client coordinates (the greatest LONG
    // without tabs).
    LONG ButtonRowsTop();
};
