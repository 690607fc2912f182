#pragma once
// The docking test program: an MDI frame with sizeable dock bars on its four sides, three sizeable
// panes ("Information" and "Project" docked left, "Output" at the bottom) and three documents in
// MDI children that can dock as panes, with a tab strip around the MDI client. Tests drive it with scripted
// input and save its pictures.

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKMDIClientTabs.h"
#include "docking/CDKMDIFrameWndSizeDock.h"
#include "docking/CDKSizeControlBar.h"
#include "docking/CDKSizeDockBar.h"
#include "platform/framework/afxwin.h"

#include <string>
#include <vector>

namespace docktest {

constexpr UINT ID_PANE_INFORMATION = 0xE840;
constexpr UINT ID_PANE_PROJECT = 0xE841;
constexpr UINT ID_PANE_OUTPUT = 0xE842;
constexpr UINT WM_TAKE_PICTURE = WM_APP + 5;
// Posted by DragBar while the drag runs: the frame notes whether the desktop is locked.
constexpr UINT WM_PROBE_DRAG = WM_APP + 6;

// A pane that records what it was told about its size, and whether a drag held the desktop then.
class CPaneBar : public CDKSizeControlBar {
public:
    explicit CPaneBar(DWORD dwBarStyle) : CDKSizeControlBar(dwBarStyle) {}
    void OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) override {
        // Another window can be locked only while the desktop is not.
        const bool locked = !::LockWindowUpdate(m_hWnd);
        if (!locked) ::LockWindowUpdate(nullptr);
        resizes.push_back({cx, cy, bFloating, nChangeMask, locked});
    }
    struct Resize {
        int cx, cy;
        BOOL floating;
        UINT mask;
        bool desktopLocked;
    };
    std::vector<Resize> resizes;
};

class CFixtureFrame : public CDKMDIFrameWndSizeDock {
public:
    CPaneBar m_wndInformation{SZBAR_CONTEXTMENU};
    CPaneBar m_wndProject{SZBAR_CONTEXTMENU | SZBAR_SOLIDCAPTION};
    CPaneBar m_wndOutput{SZBAR_CONTEXTMENU | SZBAR_MDIFLOAT};
    CDKMDIClientTabs m_wndTabs;
    // Puts the panes back where the program starts them.
    void DockPanesAtStart();
    // The picture WM_TAKE_PICTURE saves (taken while a drag runs).
    std::string m_strPicture;
    bool m_bPictureSaved = false;
    // What the last drag found: the desktop locked while it ran.
    bool m_bDesktopLockedInDrag = false;
    // The prompts the frame was asked to show (WM_SETMESSAGESTRING ids).
    std::vector<UINT> m_prompts;

protected:
    afx_msg LRESULT OnTakePicture(WPARAM, LPARAM);
    afx_msg LRESULT OnProbeDrag(WPARAM, LPARAM);
    afx_msg LRESULT OnPrompt(WPARAM, LPARAM);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

class CFixtureApp : public CWinApp {
public:
    BOOL InitInstance() override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    CFixtureFrame* Frame() const { return static_cast<CFixtureFrame*>(m_pMainWnd); }
    CDocTemplate* m_pTemplate = nullptr;
    // The help contexts asked for.
    std::vector<DWORD_PTR> m_helpAsked;
};

// While set, every document refuses to be closed (as when the user cancels the save question).
extern bool g_refuseClose;
// How often a document was asked whether it may close.
extern int g_closeQuestions;

// Starts the program (with documents "one", "two", "three" unless told otherwise) and ends it.
void StartProgram(CFixtureApp& app, int nDocuments = 3);
void EndProgram(CFixtureApp& app);

// A drag of a bar scripted as the pointer would do it: pressed at from (client coordinates of the
// bar), moved through the points (screen coordinates), then released, or ended by key (VK_ESCAPE)
// or a right click (VK_RBUTTON). With control, Ctrl is held for the moves. With pictureOf, that
// frame saves its picture after the last move, while the drag still runs.
void DragBar(CControlBar* bar, CPoint from, const std::vector<CPoint>& screenPoints, bool control = false,
             int endKey = 0, CWnd* pictureOf = nullptr);
CRect WindowRect(CWnd* wnd);
// Saves the frame with anything drawn on the desktop (drag outlines, floating frames) over it.
bool SaveScreenPng(CWnd* frame, const std::string& name);

} // namespace docktest
