#pragma once
// The text view: the current result as a plain text table in a rich edit, with its own Find and
// Replace handling and context menu.

#include "platform/win/commdlg.h"
#include "platform/win/windows.h"

class CResultTabs;

class CResultText {
public:
    CResultText(CResultTabs& tabs, HWND tabControl);
    virtual ~CResultText();
    CResultText(const CResultText&) = delete;
    CResultText& operator=(const CResultText&) = delete;

    HWND Window() const { return m_window; }
    // Replaces the text with the current result's table (nothing without one).
    void Render();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void showMenu(POINT client);

    CResultTabs& m_tabs;
    HWND m_window = nullptr;
    HWND m_tabControl;
    FINDREPLACEA m_findReplace{};
    HFONT m_font = nullptr;
    WNDPROC m_previous = nullptr;
};
