#pragma once
// The table maker's grid: a report list view with one row per column of the new table, every cell
// painted by the grid itself, text cells edited in a floating edit box and the type cell in a
// floating drop-down list, flags toggled by a click.

#include "querytool/column_row.h"

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include <vector>

class CTableMakerGrid {
public:
    // Grid columns: 0 the row header, 1-4 text and type cells, 5-11 flags.
    enum Column {
        kHeader = 0,
        kName = 1,
        kType = 2,
        kLength = 3,
        kDefault = 4,
        kFirstFlag = 5,
        kLastFlag = 11
    };

    CTableMakerGrid(HWND parent, int x, int y, int cx, int cy);
    virtual ~CTableMakerGrid();
    CTableMakerGrid(const CTableMakerGrid&) = delete;
    CTableMakerGrid& operator=(const CTableMakerGrid&) = delete;

    HWND List() const { return m_list; }
    HWND CellEdit() const { return m_edit; }
    HWND TypeList() const { return m_typeList; }
    int CurrentRow() const { return m_row; }
    int CurrentColumn() const { return m_column; }
    const std::vector<ColumnRow>& Rows() const { return m_rows; }

    // Adds an empty row (marked new) at index, or at the end when index is -1.
    void InsertEmptyRow(int index, bool isNew);
    // Stores the floating editor's text (or the type list's choice) into the current cell.
    void CommitCell();
    void HideEditors();
    // Opens the edit box on a text cell (1, 3, 4), or the type list on the row (2).
    void OpenCell(int row, int column);
    void NextCell();
    void PreviousCell();
    void MoveVertically(int delta);
    // The grid menu's commands on a row.
    void TogglePrimaryKey(int row);
    void InsertRow(int row);
    void DeleteRow(int row);
    void ToggleFlag(int row, int column);
    // The list's custom-draw notice; the dialog returns the result.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    // Row and column under a point of the list's client area; false when none.
    bool HitTest(POINT point, int& row, int& column) const;

private:
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onListMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onLeftButton(LPARAM position);
    void onRightButton(LPARAM position);
    void onTypeListNotice(int code);
    void openEdit(int row, int column);
    void openTypeList(int row);
    void paintCell(HDC dc, RECT cell, int row, int column);
    RECT cellRect(int row, int column) const;
    bool flag(const ColumnRow& row, int column) const;

    int m_row = 0;
    int m_column = 0;
    HWND m_parent;
    HWND m_list = nullptr;
    HWND m_edit = nullptr;
    HWND m_typeList = nullptr;
    HFONT m_listFont = nullptr;
    HFONT m_cellFont = nullptr;
    WNDPROC m_oldListProc = nullptr;
    WNDPROC m_oldEditProc = nullptr;
    std::vector<ColumnRow> m_rows;
};
