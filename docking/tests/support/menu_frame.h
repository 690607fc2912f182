#pragma once
// A frame for the menu-bar and tool-bar tests: a menu bar over a small menu, two cool tool bars
// (texts below the images, texts right of them), and a log of the commands and menu-loop messages
// the frame receives.

#include "docking/CDKMenuBar.h"
#include "platform/framework/afxwin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace docktest {

enum : UINT {
    ID_NEW = 0x8301,
    ID_OPEN = 0x8302,
    ID_EXIT = 0x8303,
    ID_UNDO = 0x8311,
    ID_CUT = 0x8312,
    ID_PASTE = 0x8313,
    ID_FIND = 0x8314,
    ID_ABOUT = 0x8321,
    ID_BOLD = 0x8331,
};

// File (New, Open, -, Exit), Edit (Undo, Cut grayed, Paste), Find & Replace (no mnemonic of its
// own: "&&"), Help (About); Find's item is grayed.
HMENU makeTestMenu();

class CMenuFrame : public CFrameWnd {
public:
    CDKMenuBar m_wndMenuBar;
    CDKCoolToolBar m_wndTextBelow;
    CDKCoolToolBar m_wndTextRight;
    CWnd m_wndView;
    std::vector<std::string> m_log; // "command <id>", "WM_ENTERMENULOOP", ...
    BOOL m_bPasteEnabled = TRUE;
    BOOL m_bCutEnabled = TRUE;
    CString m_strPasteText; // set by Paste's update handler when not empty
    int m_nBoldCheck = 1;
    // Non-zero: the frame takes custom draw over and answers this.
    LRESULT m_lTakeCustomDraw = 0;
    // The answer to the bars' command notifications and to the bitmap menus' customisation ones
    // (non-zero cancels the command or operation).
    LRESULT m_lCoolCommandAnswer = 0;
    // The popup the menu bar last asked the frame to show in customisation mode.
    MenuBarDropDown m_lastDropDown{};

    // The menu bar takes the frame's whole width while the frame lays out its rows.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_bPasteEnabled);
        if (!m_strPasteText.IsEmpty()) pCmdUI->SetText(m_strPasteText);
    }
    afx_msg void OnUpdateCut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCutEnabled); }
    afx_msg void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nBoldCheck); }
    afx_msg void OnCommandStub(UINT) {}
    DECLARE_MESSAGE_MAP()
};

class CMenuApp : public CWinApp {
public:
    CMenuApp() : CWinApp("MenuBarTest") {}
};

// Runs the steps one by one, 10 ms apart, from inside the message loops that follow (menu loops).
void inLoops(HWND hwnd, std::vector<std::function<void()>> steps);
// The popup menu windows on the screen.
std::vector<HWND> popupWindows();

// Creates the application (profile in the registry under a test key) and the frame.
struct MenuFrameFixture {
    void setUp();
    void tearDown();
    void recreateFrame();
    std::unique_ptr<CMenuApp> app;
    CMenuFrame* frame = nullptr;
    HWND main = nullptr;
    HMENU menu = nullptr;
};

} // namespace docktest
