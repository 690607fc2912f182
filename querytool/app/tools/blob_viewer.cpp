#include "querytool/app/tools/blob_viewer.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include <string>

CBlobViewer::~CBlobViewer() {
    if (IsWindow(m_window)) DestroyWindow(m_window);
    forgetPicture();
}

void CBlobViewer::forgetPicture() {
    if (m_picture) DeleteObject(m_picture);
    m_picture = nullptr;
}

bool CBlobViewer::open() {
    if (m_window) return true;
    m_window =
        CreateDialogParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_BLOBFIELD),
                          g_appGlobals->application->Frame(), BlobDlgProc, reinterpret_cast<LPARAM>(this));
    if (!m_window) {
        TessmarkBox(nullptr, "Could not create the blob window.", MB_ICONSTOP);
        return false;
    }
    return true;
}

void CBlobViewer::ShowCell(HWND resultView, const QueryResult& result, std::uint64_t row,
                           unsigned int column) {
    if (row >= result.RowCount() || column < 1 || column > result.FieldCount() || !open()) return;
    const ResultRow values = result.Row(row);
    const bool isNull = values.IsNull(column - 1);
    const std::string_view value = isNull ? std::string_view() : values.Value(column - 1);
    RECT view{};
    GetWindowRect(resultView, &view);
    MoveWindow(m_window, view.left - 10, view.top - 200, 445, 215, TRUE);
    HWND edit = GetDlgItem(m_window, IDC_BLOBTEXT);
    ShowWindow(edit, SW_HIDE);
    forgetPicture();
    m_picture = isNull ? nullptr : LoadPictureFromMemory(value.data(), value.size());
    if (!m_picture) {
        SetWindowText(edit, std::string(value.substr(0, value.find('\0'))).c_str());
        ShowWindow(edit, SW_SHOW);
    }
    ShowWindow(m_window, SW_SHOW);
    InvalidateRect(m_window, nullptr, TRUE);
    SetFocus(GetDlgItem(m_window, IDCANCEL));
}

void CBlobViewer::Hide() {
    if (m_window) ShowWindow(m_window, SW_HIDE);
}

// The dialog face, and the picture (when one is shown) at its natural size from (6, 7).
void CBlobViewer::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    RECT client{};
    GetClientRect(m_window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (m_picture) {
        BITMAP info{};
        GetObject(m_picture, sizeof info, &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, m_picture);
        BitBlt(dc, 6, 7, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(m_window, &ps);
}

INT_PTR CALLBACK CBlobViewer::BlobDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        return TRUE;
    }
    auto* viewer = reinterpret_cast<CBlobViewer*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    if (!viewer) return FALSE;
    switch (msg) {
    case WM_PAINT:
        viewer->paint();
        return TRUE;
    case WM_SIZE:
        MoveWindow(GetDlgItem(dialog, IDC_BLOBTEXT), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL) return FALSE;
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        viewer->m_window = nullptr;
        viewer->forgetPicture();
        return TRUE;
    }
    return FALSE;
}
