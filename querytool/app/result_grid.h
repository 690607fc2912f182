#pragma once
// The grid: an owner-data list view whose item count is the shown result's row count; each visible
// cell is fetched from the stored result when the list view asks for it.

#include "querytool/query_result.h"

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include <string>

class CResultTabs;

// The cell text the grid shows: "[BLOB]" for blob fields (types 249 to 252), "(NULL)", else the
// value up to its first NUL, at most 255 characters (a UTF-8 sequence is never split).
std::string GridCellText(const QueryResult& result, std::uint64_t row, unsigned int field);

class CResultGrid {
public:
    CResultGrid(CResultTabs& tabs, HWND tabControl);
    virtual ~CResultGrid();
    CResultGrid(const CResultGrid&) = delete;
    CResultGrid& operator=(const CResultGrid&) = delete;

    HWND Window() const { return m_list; }
    // Columns and item count for a result.
    void Show(const QueryResult& result);
    void OnGetDispInfo(NMLVDISPINFOA* info);
    // Scrolls so that the row is the top row (a remembered position coming back).
    void ScrollToRow(int row);
    void CopyAllToClipboard();
    void CopySelectedToClipboard();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    int columnWidth(HDC dc, const MYSQL_FIELD& field) const;
    void showMenu(POINT client);
    void showBlob(POINT client);
    void copyRows(std::uint64_t first, std::uint64_t last);

    CResultTabs& m_tabs;
    HWND m_tabControl;
    HWND m_list = nullptr;
    WNDPROC m_previous = nullptr;
    HFONT m_font = nullptr;
};
