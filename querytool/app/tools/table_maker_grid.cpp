#include "querytool/app/tools/table_maker_grid.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/tools/tool_resource_ids.h"
#include "querytool/create_table.h"

#include "platform/win/richedit.h"

#include <algorithm>

namespace {

constexpr int kListId = 1094;
constexpr int kEditId = 1095;
constexpr int kTypeListId = 1096;
constexpr UINT WM_GRID_PREVIOUSCELL = 1095;
constexpr UINT WM_GRID_NEXTCELL = 1096;
constexpr int ID_SETPRIMARYKEY = 40103;
constexpr int ID_INSERTCOLUMN = 40104;
constexpr int ID_DELETECOLUMN = 40105;

struct GridColumn {
    const char* header;
    int width;
    bool centred;
};

const GridColumn kColumns[] = {
    {"", 25, false},        {"Field Name", 100, false},    {"Datatype", 95, false},
    {"Length", 60, false},  {"Default Value", 103, false}, {"Index", 48, true},
    {"Unique", 57, true},   {"Binary", 53, true},          {"Not Null", 63, true},
    {"Unsigned", 75, true}, {"Auto Increment", 118, true}, {"Zero Fill", 70, true},
};

bool isTextColumn(int column) {
    return column == CTableMakerGrid::kName || column == CTableMakerGrid::kLength ||
           column == CTableMakerGrid::kDefault;
}

std::string& textOf(ColumnRow& row, int column) {
    if (column == CTableMakerGrid::kLength) return row.length;
    if (column == CTableMakerGrid::kDefault) return row.defaultValue;
    return row.name;
}

bool* flagOf(ColumnRow& row, int column) {
    bool* const flags[] = {&row.index,      &row.unique,        &row.binary,  &row.notNull,
                           &row.isUnsigned, &row.autoIncrement, &row.zeroFill};
    return flags[column - CTableMakerGrid::kFirstFlag];
}

std::string windowText(HWND hwnd) {
    char text[256] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

// The type list's entry equal to the type (case counts), or entry 0.
int typeEntry(HWND typeList, const std::string& type) {
    const auto count = static_cast<int>(SendMessage(typeList, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        SendMessage(typeList, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        if (type == text) return i;
    }
    return 0;
}

// The key picture of a primary-key row.
void drawKey(HDC dc, int x, int y) {
    HBRUSH gold = CreateSolidBrush(RGB(210, 160, 20));
    RECT ring{x, y + 3, x + 6, y + 9};
    FillRect(dc, &ring, gold);
    RECT shaft{x + 6, y + 5, x + 14, y + 7};
    FillRect(dc, &shaft, gold);
    RECT bit{x + 11, y + 7, x + 13, y + 10};
    FillRect(dc, &bit, gold);
    DeleteObject(gold);
}

} // namespace

CTableMakerGrid::CTableMakerGrid(HWND parent, int x, int y, int cx, int cy) : m_parent(parent) {
    m_list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, x, y, cx,
                            cy, parent, reinterpret_cast<HMENU>(kListId), g_appGlobals->instance, nullptr);
    m_listFont = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    m_cellFont = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    if (!m_listFont) TessmarkBox(parent, "Could not create font for grid control", MB_ICONSTOP);
    if (m_listFont) SendMessage(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont), FALSE);
    m_edit = CreateWindowEx(0, RICHEDIT_CLASSA, "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, m_list,
                            reinterpret_cast<HMENU>(kEditId), g_appGlobals->instance, nullptr);
    m_typeList =
        CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 0, 0,
                       m_list, reinterpret_cast<HMENU>(kTypeListId), g_appGlobals->instance, nullptr);
    for (HWND editor : {m_edit, m_typeList})
        SendMessage(editor, WM_SETFONT, reinterpret_cast<WPARAM>(m_cellFont), FALSE);
    for (const char* type : kColumnTypes)
        SendMessage(m_typeList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    for (int i = 0; i <= kLastFlag; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<char*>(kColumns[i].header);
        column.cx = kColumns[i].width;
        column.fmt = kColumns[i].centred ? LVCFMT_CENTER : LVCFMT_LEFT;
        ListView_InsertColumn(m_list, i, &column);
    }
    SetWindowLongPtr(m_list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtr(m_edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_oldListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTableMakerGrid::ListProc)));
    m_oldEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTableMakerGrid::EditProc)));
}

CTableMakerGrid::~CTableMakerGrid() {
    if (IsWindow(m_list)) {
        SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldEditProc));
        SetWindowLongPtr(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldListProc));
        DestroyWindow(m_list);
    }
    if (m_listFont) DeleteObject(m_listFont);
    if (m_cellFont) DeleteObject(m_cellFont);
}

// ---- Rows and cells ----

void CTableMakerGrid::InsertEmptyRow(int index, bool isNew) {
    if (index < 0 || index > static_cast<int>(m_rows.size())) index = static_cast<int>(m_rows.size());
    ColumnRow row;
    row.isNew = isNew;
    m_rows.insert(m_rows.begin() + index, row);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>("");
    ListView_InsertItem(m_list, &item);
    if (m_row >= index && m_column >= 0 && static_cast<int>(m_rows.size()) > 1) ++m_row;
}

RECT CTableMakerGrid::cellRect(int row, int column) const {
    RECT rect{};
    ListView_GetSubItemRect(m_list, row, column, LVIR_BOUNDS, &rect);
    if (column == 0) rect.right = rect.left + ListView_GetColumnWidth(m_list, 0);
    return rect;
}

void CTableMakerGrid::CommitCell() {
    if (m_row < 0 || m_column < 0 || m_row >= static_cast<int>(m_rows.size())) return;
    ColumnRow& row = m_rows[static_cast<std::size_t>(m_row)];
    if (isTextColumn(m_column)) textOf(row, m_column) = windowText(m_edit);
    if (m_column == kType) {
        const auto selected = static_cast<int>(SendMessage(m_typeList, CB_GETCURSEL, 0, 0));
        if (selected >= 0) row.type = windowText(m_typeList);
    }
    row.modified = true;
    InvalidateRect(m_list, nullptr, FALSE);
}

void CTableMakerGrid::HideEditors() {
    ShowWindow(m_edit, SW_HIDE);
    ShowWindow(m_typeList, SW_HIDE);
}

void CTableMakerGrid::OpenCell(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    if (column == kType) openTypeList(row);
    if (isTextColumn(column)) openEdit(row, column);
}

void CTableMakerGrid::openEdit(int row, int column) {
    ListView_EnsureVisible(m_list, row, FALSE);
    m_row = row;
    m_column = column;
    SetWindowText(m_edit, textOf(m_rows[static_cast<std::size_t>(row)], column).c_str());
    const RECT cell = cellRect(row, column);
    MoveWindow(m_edit, cell.left + 1, cell.top + 1, cell.right - cell.left - 3, cell.bottom - cell.top - 4,
               TRUE);
    ShowWindow(m_typeList, SW_HIDE);
    ShowWindow(m_edit, SW_SHOW);
    SetFocus(m_edit);
}

void CTableMakerGrid::openTypeList(int row) {
    ListView_EnsureVisible(m_list, std::min(row + 1, static_cast<int>(m_rows.size()) - 1), FALSE);
    m_row = row;
    m_column = kType;
    const std::string& type = m_rows[static_cast<std::size_t>(row)].type;
    SendMessage(m_typeList, CB_SETCURSEL, static_cast<WPARAM>(typeEntry(m_typeList, type)), 0);
    const RECT cell = cellRect(row, kType);
    SetWindowPos(m_typeList, HWND_TOP, cell.left - 2, cell.top - 2, cell.right - cell.left + 2, 200, 0);
    ShowWindow(m_edit, SW_HIDE);
    ShowWindow(m_typeList, SW_SHOW);
    SendMessage(m_typeList, CB_SHOWDROPDOWN, TRUE, 0);
    SetFocus(m_typeList);
}

void CTableMakerGrid::NextCell() {
    const int row = m_row, column = m_column;
    CommitCell();
    if (column == kName) openTypeList(row);
    if (column == kType) openEdit(row, kLength);
    if (column == kLength) openEdit(row, kDefault);
    if (column != kDefault) return;
    if (row + 1 >= static_cast<int>(m_rows.size())) InsertEmptyRow(-1, false);
    openEdit(row + 1, kName);
}

void CTableMakerGrid::PreviousCell() {
    const int row = m_row, column = m_column;
    CommitCell();
    if (column == kName && row > 0) openEdit(row - 1, kName);
    if (column == kType) openEdit(row, kName);
    if (column == kLength) openTypeList(row);
    if (column == kDefault) openEdit(row, kLength);
}

void CTableMakerGrid::MoveVertically(int delta) {
    const int target = m_row + delta;
    if (!isTextColumn(m_column) || target < 0 || target >= static_cast<int>(m_rows.size())) return;
    CommitCell();
    SendMessage(m_list, WM_SETREDRAW, FALSE, 0);
    openEdit(target, m_column);
    SendMessage(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, FALSE);
}

void CTableMakerGrid::TogglePrimaryKey(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    ColumnRow& record = m_rows[static_cast<std::size_t>(row)];
    record.primaryKey = !record.primaryKey;
    record.modified = true;
    const RECT cell = cellRect(row, kHeader);
    InvalidateRect(m_list, &cell, FALSE);
}

void CTableMakerGrid::InsertRow(int row) {
    if (row < 0 || row > static_cast<int>(m_rows.size())) return;
    CommitCell();
    InsertEmptyRow(row, true);
    InvalidateRect(m_list, nullptr, FALSE);
    openEdit(std::min(row + 1, static_cast<int>(m_rows.size()) - 1), kName);
}

// Deleting a row keeps the edited cell on its own row, or forgets it when that row went.
void CTableMakerGrid::DeleteRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    ListView_DeleteItem(m_list, row);
    m_rows.erase(m_rows.begin() + row);
    SetWindowText(m_edit, "");
    HideEditors();
    if (m_row == row) m_row = m_column = -1;
    if (m_row > row) --m_row;
    InvalidateRect(m_list, nullptr, FALSE);
}

void CTableMakerGrid::ToggleFlag(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < kFirstFlag || column > kLastFlag)
        return;
    ColumnRow& record = m_rows[static_cast<std::size_t>(row)];
    bool* value = flagOf(record, column);
    *value = !*value;
    record.modified = true;
    const RECT cell = cellRect(row, column);
    InvalidateRect(m_list, &cell, FALSE);
}

bool CTableMakerGrid::flag(const ColumnRow& row, int column) const {
    return *flagOf(const_cast<ColumnRow&>(row), column);
}

bool CTableMakerGrid::HitTest(POINT point, int& row, int& column) const {
    const int top = ListView_GetTopIndex(m_list);
    const int last = std::min(top + ListView_GetCountPerPage(m_list), static_cast<int>(m_rows.size()) - 1);
    bool found = false;
    for (int r = top; r <= last; ++r)
        for (int c = 0; c <= kLastFlag; ++c) {
            const RECT cell = cellRect(r, c);
            if (!PtInRect(&cell, point)) continue;
            row = r;
            column = c;
            found = true;
        }
    return found;
}

// ---- Painting ----

LRESULT CTableMakerGrid::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_SUBITEM | CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_SUBITEM | CDDS_ITEMPOSTPAINT: {
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (row < static_cast<int>(m_rows.size()))
            paintCell(draw->nmcd.hdc, cellRect(row, draw->iSubItem), row, draw->iSubItem);
        return CDRF_SKIPDEFAULT;
    }
    }
    return CDRF_DODEFAULT;
}

void CTableMakerGrid::paintCell(HDC dc, RECT cell, int row, int column) {
    const ColumnRow& record = m_rows[static_cast<std::size_t>(row)];
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (column == kHeader) {
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
        if (record.primaryKey) drawKey(dc, cell.left + 5, cell.top + 2);
        return;
    }
    if (column >= kFirstFlag) {
        RECT box{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (flag(record, column) ? DFCS_CHECKED : 0));
        return;
    }
    const std::string& text = column == kType ? record.type : textOf(const_cast<ColumnRow&>(record), column);
    HGDIOBJ oldFont = SelectObject(dc, m_cellFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOut(dc, cell.left + 2, cell.top + 1, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, oldFont);
}

// ---- Input ----

LRESULT CALLBACK CTableMakerGrid::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CTableMakerGrid*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProc(hwnd, msg, wParam, lParam);
    return self->onListMessage(msg, wParam, lParam);
}

LRESULT CTableMakerGrid::onListMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE: {
        int row = 0, column = 0;
        const bool text =
            HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, row, column) && isTextColumn(column);
        SetCursor(LoadCursor(nullptr, text ? IDC_IBEAM : IDC_ARROW));
        return 0;
    }
    case WM_LBUTTONDOWN:
        onLeftButton(lParam);
        return 0;
    case WM_RBUTTONDOWN:
        onRightButton(lParam);
        return 0;
    case WM_GRID_NEXTCELL:
        NextCell();
        return 0;
    case WM_GRID_PREVIOUSCELL:
        PreviousCell();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kTypeListId) onTypeListNotice(HIWORD(wParam));
        return 0;
    case WM_VSCROLL: {
        const LRESULT result = CallWindowProc(m_oldListProc, m_list, msg, wParam, lParam);
        if (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_ENDSCROLL)
            InvalidateRect(m_list, nullptr, TRUE);
        return result;
    }
    }
    return CallWindowProc(m_oldListProc, m_list, msg, wParam, lParam);
}

void CTableMakerGrid::onLeftButton(LPARAM position) {
    int row = 0, column = 0;
    if (!HitTest({GET_X_LPARAM(position), GET_Y_LPARAM(position)}, row, column) || column == kHeader) return;
    CommitCell();
    if (column >= kFirstFlag) {
        HideEditors();
        ToggleFlag(row, column);
        return;
    }
    OpenCell(row, column);
}

void CTableMakerGrid::onRightButton(LPARAM position) {
    int row = 0, column = 0;
    if (!HitTest({GET_X_LPARAM(position), GET_Y_LPARAM(position)}, row, column)) return;
    HMENU menu = LoadMenu(g_appGlobals->instance, MAKEINTRESOURCE(IDR_TABLEMAKERMENU));
    POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ClientToScreen(m_list, &screen);
    const auto command = static_cast<int>(TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                         screen.x, screen.y, 0, m_list, nullptr));
    DestroyMenu(menu);
    if (command == ID_SETPRIMARYKEY) TogglePrimaryKey(row);
    if (command == ID_INSERTCOLUMN) InsertRow(row);
    if (command == ID_DELETECOLUMN) DeleteRow(row);
}

void CTableMakerGrid::onTypeListNotice(int code) {
    if (code == CBN_SELENDOK) {
        const int row = m_row;
        CommitCell();
        openEdit(row, kLength);
    }
    if (code == CBN_CLOSEUP && m_column == kType) {
        const int row = m_row;
        CommitCell();
        openEdit(row, (GetKeyState(VK_SHIFT) & 0x8000) ? kName : kLength);
    }
}

LRESULT CALLBACK CTableMakerGrid::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CTableMakerGrid*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProc(hwnd, msg, wParam, lParam);
    return self->onEditMessage(msg, wParam, lParam);
}

LRESULT CTableMakerGrid::onEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    // Tab and Enter move to another cell on their key press; their characters are no cell text.
    if (msg == WM_CHAR && (wParam == '\t' || wParam == '\r' || wParam == '\n')) return 0;
    if (msg != WM_KEYDOWN) return CallWindowProc(m_oldEditProc, m_edit, msg, wParam, lParam);
    switch (wParam) {
    case VK_TAB:
        PostMessage(m_list, (GetKeyState(VK_SHIFT) & 0x8000) ? WM_GRID_PREVIOUSCELL : WM_GRID_NEXTCELL, 0, 0);
        return 0;
    case VK_RETURN:
        NextCell();
        return 0;
    case VK_UP:
    case VK_NUMPAD8:
        MoveVertically(-1);
        return 0;
    case VK_DOWN:
    case VK_NUMPAD2:
        MoveVertically(1);
        return 0;
    }
    return CallWindowProc(m_oldEditProc, m_edit, msg, wParam, lParam);
}
