#include "querytool/app/result_grid.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/tools/blob_viewer.h"
#include "querytool/app/wait_cursor.h"

#include "querytool/result_text.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kMaxCellText = 255;

bool isBlobType(int type) {
    return type >= 249 && type <= 252;
}

// The length of the longest prefix of at most `limit` bytes that does not end inside a UTF-8
// sequence.
std::size_t utf8Prefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

int textWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void putClipboardText(HWND owner, const std::string& text) {
    if (text.empty() || !OpenClipboard(owner)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

} // namespace

std::string GridCellText(const QueryResult& result, std::uint64_t row, unsigned int field) {
    const ResultRow values = result.Row(row);
    if (values.IsNull(field)) return "(NULL)";
    if (isBlobType(result.Field(field).type)) return "[BLOB]";
    std::string_view value = values.Value(field);
    value = value.substr(0, std::min(value.find('\0'), value.size()));
    return std::string(value.substr(0, utf8Prefix(value, kMaxCellText)));
}

CResultGrid::CResultGrid(CResultTabs& tabs, HWND tabControl) : m_tabs(tabs), m_tabControl(tabControl) {
    m_list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_OWNERDATA | LVS_REPORT, 0, 0, 0, 0,
                            tabControl, reinterpret_cast<HMENU>(IDC_GRID), nullptr, nullptr);
    SendMessage(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    HDC dc = GetDC(m_list);
    m_font = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                        DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    ReleaseDC(m_list, dc);
    SendMessage(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 0;
    column.pszText = const_cast<char*>("");
    SendMessage(m_list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    SetWindowLongPtr(m_list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CResultGrid::SubclassProc)));
}

CResultGrid::~CResultGrid() {
    if (IsWindow(m_list)) {
        SetWindowLongPtr(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        DestroyWindow(m_list);
    }
    DeleteObject(m_font);
}

int CResultGrid::columnWidth(HDC dc, const MYSQL_FIELD& field) const {
    const std::string name = field.name ? field.name : "";
    // A blob column shows "[BLOB]" or "(NULL)", however long its values are.
    const unsigned long shown = std::min<unsigned long>(field.max_length, isBlobType(field.type) ? 6 : 255);
    const int n = textWidth(dc, name);
    const int d = textWidth(dc, std::string(shown, 'E'));
    const int s = textWidth(dc, "EEEEEE");
    if (n >= d) return shown == 0 || name.size() < 6 ? s + 20 : n + 20;
    return std::max(d, s) + 20;
}

void CResultGrid::Show(const QueryResult& result) {
    SendMessage(m_list, LVM_DELETEALLITEMS, 0, 0);
    HWND header = reinterpret_cast<HWND>(SendMessage(m_list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = columns - 1; i >= 1; --i)
        SendMessage(m_list, LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
    HDC dc = GetDC(m_list);
    HGDIOBJ old = SelectObject(dc, m_font);
    for (unsigned int i = 0; i < result.FieldCount(); ++i) {
        const MYSQL_FIELD& field = result.Field(i);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = field.type >= 250 && field.type <= 254 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = columnWidth(dc, field);
        column.pszText = field.name;
        column.iSubItem = static_cast<int>(i + 1);
        SendMessage(m_list, LVM_INSERTCOLUMN, i + 1, reinterpret_cast<LPARAM>(&column));
    }
    SelectObject(dc, old);
    ReleaseDC(m_list, dc);
    SendMessage(m_list, LVM_SETITEMCOUNT, static_cast<WPARAM>(result.RowCount()), 0);
}

void CResultGrid::OnGetDispInfo(NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 1 || !item.pszText || item.cchTextMax <= 0) return;
    const QueryResult* result = m_tabs.CurrentResult();
    if (!result || item.iItem < 0 || static_cast<std::uint64_t>(item.iItem) >= result->RowCount() ||
        static_cast<unsigned int>(item.iSubItem) > result->FieldCount()) {
        item.pszText[0] = '\0';
        return;
    }
    const std::string text = GridCellText(*result, static_cast<std::uint64_t>(item.iItem),
                                          static_cast<unsigned int>(item.iSubItem - 1));
    const std::size_t length = utf8Prefix(text, static_cast<std::size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}

void CResultGrid::ScrollToRow(int row) {
    RECT first{};
    first.left = LVIR_BOUNDS;
    if (!SendMessage(m_list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) return;
    const int top = static_cast<int>(SendMessage(m_list, LVM_GETTOPINDEX, 0, 0));
    SendMessage(m_list, LVM_SCROLL, 0, static_cast<LPARAM>(row - top) * (first.bottom - first.top));
}

void CResultGrid::copyRows(std::uint64_t first, std::uint64_t last) {
    const QueryResult* result = m_tabs.CurrentResult();
    if (!result || first >= last) return;
    std::string text;
    {
        WaitCursor wait;
        text = RowsAsText(*result, first, last);
        // Clipboard text ends at its first NUL byte: those of binary values are left out, so that
        // every row is copied.
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    }
    putClipboardText(m_list, text);
}

void CResultGrid::CopyAllToClipboard() {
    const QueryResult* result = m_tabs.CurrentResult();
    if (result) copyRows(0, result->RowCount());
}

void CResultGrid::CopySelectedToClipboard() {
    const int mark = static_cast<int>(SendMessage(m_list, LVM_GETSELECTIONMARK, 0, 0));
    if (mark < 0) return;
    const int count = static_cast<int>(SendMessage(m_list, LVM_GETITEMCOUNT, 0, 0));
    int end = mark;
    while (end < count && SendMessage(m_list, LVM_GETITEMSTATE, static_cast<WPARAM>(end), LVIS_SELECTED))
        ++end;
    copyRows(static_cast<std::uint64_t>(mark), static_cast<std::uint64_t>(end));
}

void CResultGrid::showMenu(POINT client) {
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_GRIDMENU));
    HMENU popup = GetSubMenu(menu, 0);
    const bool hasResult = m_tabs.CurrentResult() != nullptr;
    const bool hasSelection = SendMessage(m_list, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
    EnableMenuItem(popup, ID_COPYALL, MF_BYCOMMAND | (hasResult ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup, ID_COPYSELECTED,
                   MF_BYCOMMAND | (hasResult && hasSelection ? MF_ENABLED : MF_GRAYED));
    ClientToScreen(m_list, &client);
    HWND frame = GetAncestor(m_list, GA_ROOT);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, client.x, client.y, 0, frame, nullptr);
    DestroyMenu(menu);
}

// A released click on a blob cell shows the cell in the blob viewer.
void CResultGrid::showBlob(POINT client) {
    const QueryResult* result = m_tabs.CurrentResult();
    LVHITTESTINFO hit{};
    hit.pt = client;
    if (!result || SendMessage(m_list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) return;
    if (hit.iItem < 0 || hit.iSubItem < 1 || static_cast<unsigned int>(hit.iSubItem) > result->FieldCount())
        return;
    if (!isBlobType(result->Field(static_cast<unsigned int>(hit.iSubItem) - 1).type)) return;
    g_appGlobals->application->BlobViewer().ShowCell(m_list, *result, static_cast<std::uint64_t>(hit.iItem),
                                                     static_cast<unsigned int>(hit.iSubItem));
}

LRESULT CALLBACK CResultGrid::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* grid = reinterpret_cast<CResultGrid*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (msg == WM_RBUTTONUP) {
        grid->showMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    if (msg == WM_LBUTTONUP) grid->showBlob(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return CallWindowProc(grid->m_previous, hwnd, msg, wParam, lParam);
}
