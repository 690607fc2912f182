#pragma once
// "SysListView32" in report mode. Rows and columns are kept apart from painting; with LVS_OWNERDATA
// the control keeps no row of its own, only the count, the focus and the selected runs, and asks
// LVN_GETDISPINFO for what it paints.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/commctrl/list_view_selection.h"
#include "platform/win/controls/control.h"

#include <string>
#include <vector>

namespace pm::cc {

struct ListCell {
    std::string text;
    bool callback = false; // LPSTR_TEXTCALLBACK: asked with LVN_GETDISPINFO
};

struct ListRow {
    std::vector<ListCell> cells; // by sub-item
    int image = 0;
    LPARAM lParam = 0;
    UINT state = 0; // every state bit but LVIS_FOCUSED, which the control keeps as an index
    int indent = 0;
};

struct ListColumn {
    int fmt = LVCFMT_LEFT;
    int width = 0;
    std::string text;
    int image = -1;
    int subItem = 0;
};

class ListView final : public ctl::Control {
public:
    ListView(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- Rows and states (list_view.cpp)
    bool ownerData() const { return (style() & LVS_OWNERDATA) != 0; }
    int count() const { return ownerData() ? m_count : static_cast<int>(m_rows.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    LRESULT insertItem(const LVITEM* item);
    LRESULT setItem(const LVITEM* item);
    LRESULT getItem(LVITEM* item) const;
    LRESULT deleteItem(int i);
    LRESULT deleteAll();
    LRESULT setItemCount(int n);
    LRESULT getItemText(int i, LVITEM* item) const;
    LRESULT setItemText(int i, const LVITEM* item);
    // The text of a cell, asked with LVN_GETDISPINFO for owner data and callback cells.
    std::string cellText(int i, int sub) const;
    int rowImage(int i) const;
    LPARAM rowParam(int i) const;
    UINT itemState(int i, UINT mask) const;
    // LVN_GETDISPINFO for the fields in `mask`; the answer in `item`, its text in `buffer`.
    void askDispInfo(LVITEM& item, std::vector<char>& buffer) const;
    // Sets the states in mask of row i with LVN_ITEMCHANGING (which may refuse) and
    // LVN_ITEMCHANGED; the old focused row loses its focus first, and with LVS_SINGLESEL the other
    // rows their selection. False when refused.
    bool changeState(int i, UINT state, UINT mask);
    // Sets the states in mask of every row (owner data: one notice for all, item -1).
    void changeStateAll(UINT state, UINT mask);
    // Deselects every row but `keep`.
    void deselectOthers(int keep);
    // Selects rows first to last (LVN_ODSTATECHANGED for owner data).
    void selectRange(int first, int last);
    int nextItem(int start, UINT flags) const;
    bool isSelected(int i) const;
    long long selectedCount() const;
    LRESULT sortItems(PFNLVCOMPARE compare, LPARAM data);
    int sortedPosition(const std::string& text) const;
    void setExtendedStyle(DWORD mask, DWORD styles);

    // ---- Columns
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    LRESULT insertColumn(int i, const LVCOLUMN* column);
    LRESULT setColumn(int i, const LVCOLUMN* column);
    LRESULT getColumn(int i, LVCOLUMN* column) const;
    LRESULT deleteColumn(int i);
    LRESULT setColumnWidth(int i, int cx);
    int autoWidth(int i, bool useHeader) const;
    std::vector<int> columnOrder() const;
    void syncHeaderItem(int i, UINT mask) const;

    // ---- Notifications
    LRESULT notifyItem(UINT code, int item, int sub, UINT newState, UINT oldState, UINT changed,
                       POINT pt = POINT{0, 0}) const;
    LRESULT headerNotify(NMHDR* nm);

    // ---- Geometry (list_view_layout.cpp)
    int rowHeight() const;
    int headerHeight() const;
    int fullRows() const;
    int totalWidth() const;
    int columnLeft(int column) const; // in row coordinates (before horizontal scrolling)
    int rowTop(int i) const;
    int stateWidth() const;
    int iconWidth() const;
    RECT itemRect(int i, int code) const;
    RECT subItemRect(int i, int sub, int code) const;
    int hitTest(LVHITTESTINFO& info, bool subItems) const;
    void setTop(int top);
    // Moves the pixels of the rows' area by (dx, dy) and invalidates what they uncover.
    void scrollRows(int dx, int dy) const;
    void setScrollX(int x);
    void updateScrollBars();
    void layoutHeader();
    bool ensureVisible(int i, bool partial);
    LRESULT scroll(int dx, int dy);
    void onScroll(bool vertical, int code);
    void invalidateRow(int i) const;

    // ---- Input (list_view_input.cpp)
    static bool held(int vk);
    void mouseDown(POINT pt, WPARAM keys, bool right);
    void mouseMove(POINT pt);
    // True when the receiver handled the click (a handled right click shows no context menu).
    bool mouseUp(POINT pt, bool right);
    LRESULT clickNotify(UINT code, POINT pt) const;
    void keyDown(WPARAM vk);
    void moveFocus(int to, bool shift, bool control);
    void toggleCheck(int i);
    int pageTarget(bool down) const;

    // ---- Painting (list_view_paint.cpp)
    void paint();
    LRESULT customDraw(HDC dc, DWORD stage, const RECT& rc, int item, int sub, COLORREF& text,
                       COLORREF& back) const;
    void drawRow(HDC dc, int i, const std::vector<int>& order, DWORD drawFlags);
    void drawImages(HDC dc, int i, const RECT& cell, bool selected);
    void drawCell(HDC dc, int i, int sub, const RECT& cell, COLORREF text, COLORREF back, bool customColours);
    void drawGrid(HDC dc, const std::vector<int>& order, const RECT& client) const;
    void cacheHint(int first, int last);
    COLORREF textColour() const;
    COLORREF backColour() const;

    std::vector<ListRow> m_rows;
    std::vector<ListColumn> m_columns;
    int m_count = 0;         // rows of an owner-data list
    SelectionRanges m_owned; // selected rows of an owner-data list
    int m_focus = -1;
    int m_mark = -1;
    int m_top = 0;
    int m_scrollX = 0;
    DWORD m_exStyle = 0;
    HWND m_header = nullptr;
    HIMAGELIST m_small = nullptr;
    HIMAGELIST m_normal = nullptr;
    HIMAGELIST m_state = nullptr;
    COLORREF m_text = CLR_DEFAULT;
    COLORREF m_back = CLR_DEFAULT;
    COLORREF m_textBack = CLR_DEFAULT;
    bool m_updatingBars = false;
    mutable int m_rowHeight = 0; // once measured from the font and images
    int m_hintFrom = -1;
    int m_hintTo = -1;
    // A left or right press on a row, waiting to become a click or a drag.
    bool m_pressed = false;
    bool m_pressRight = false;
    int m_pressItem = -1;
    POINT m_pressAt{0, 0};
};

} // namespace pm::cc
