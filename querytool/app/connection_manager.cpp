// The connection manager: the connect dialog, the connection count, the database combo and the
// current database after "use".

#include "querytool/app/application.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/wait_cursor.h"

#include "querytool/connection.h"

#include "platform/win/commctrl.h"

namespace {

struct ConnectDialog {
    CApplication* application;
    MYSQL* connection = nullptr;
};

std::string itemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLength(item)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(item, &text[0], static_cast<int>(text.size()))));
    return text;
}

void fillConnectFields(HWND dialog, const CApplication& app) {
    ConnectionKeys keys;
    if (app.Settings().ReadConnectionKeys(keys)) {
        SetDlgItemText(dialog, IDC_HOST, keys.host.c_str());
        SetDlgItemText(dialog, IDC_USER, keys.user.c_str());
        SetDlgItemText(dialog, IDC_PORT, keys.port.c_str());
    }
    SetFocus(GetDlgItem(dialog, IDC_PASSWORD));
}

// OK: connects with the fields (a fresh handle for each try); on success stores host, user and
// port and ends the dialog with the handle.
void connect(HWND dialog, ConnectDialog& record) {
    ConnectParams params{itemText(dialog, IDC_HOST), itemText(dialog, IDC_USER),
                         itemText(dialog, IDC_PASSWORD), itemText(dialog, IDC_PORT)};
    std::string error;
    MYSQL* connection;
    {
        WaitCursor wait;
        connection = ConnectToServer(params, error);
    }
    if (!connection) {
        TessmarkBox(dialog, error, MB_ICONERROR);
        SetFocus(GetDlgItem(dialog, IDC_PASSWORD));
        return;
    }
    record.application->Settings().WriteConnectionKeys({params.host, params.user, params.port});
    EndDialog(dialog, reinterpret_cast<INT_PTR>(connection));
}

INT_PTR CALLBACK connectProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<ConnectDialog*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        SendDlgItemMessage(dialog, IDC_HOST, EM_LIMITTEXT, 255, 0);
        SendDlgItemMessage(dialog, IDC_USER, EM_LIMITTEXT, 255, 0);
        SendDlgItemMessage(dialog, IDC_PASSWORD, EM_LIMITTEXT, 255, 0);
        SendDlgItemMessage(dialog, IDC_PORT, EM_LIMITTEXT, 9, 0);
        PostMessage(dialog, WM_USER_CONNECTFILL, 0, 0);
        return TRUE;
    case WM_USER_CONNECTFILL:
        fillConnectFields(dialog, *record->application);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            connect(dialog, *record);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

void CApplication::NewConnection() {
    ConnectDialog record{this};
    const INT_PTR result = DialogBoxParam(m_instance, MAKEINTRESOURCE(IDD_CONNECT), m_mdiClient, connectProc,
                                          reinterpret_cast<LPARAM>(&record));
    if (result == 1 || result <= 0) return;
    OpenConnection(reinterpret_cast<MYSQL*>(result));
}

bool CApplication::OpenConnection(MYSQL* connection) {
    auto* window = new CQueryWindow(m_mdiClient, connection);
    if (!window->Window()) {
        delete window;
        return false;
    }
    ++g_appGlobals->connectionCount;
    ShowConnectionCount();
    UpdateMenuState();
    return true;
}

void CApplication::SetDatabaseComboText(const std::string& name) {
    SendMessage(m_combo, CB_RESETCONTENT, 0, 0);
    const std::string text = DatabaseComboText(name);
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = 0;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessage(m_combo, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    SendMessage(m_combo, CB_SETCURSEL, 0, 0);
}

void CApplication::SyncCurrentDatabase(MYSQL* connection) {
    const CurrentDatabase current = ReadCurrentDatabase(connection);
    if (!current.ok) {
        ShowServerError(m_frame, connection);
        return;
    }
    SetDatabaseComboText(current.name);
    // A dropped current database reads as NULL: no name is kept, so none is reselected later.
    CQueryWindow* window = ActiveQueryWindow();
    if (window) window->SetDatabaseName(DatabaseComboText(current.name));
    g_appGlobals->currentDatabase = current.name;
}

void CApplication::onComboNotice(int code) {
    if (!ActiveQueryWindow()) return;
    if (code == CBN_DROPDOWN) fillCombo();
    if (code == CBN_SELCHANGE) chooseDatabase();
    if (code == CBN_SELENDCANCEL) SetDatabaseComboText(ActiveQueryWindow()->DatabaseName());
}

void CApplication::fillCombo() {
    WaitCursor wait;
    SendMessage(m_combo, CB_RESETCONTENT, 0, 0);
    SendMessage(m_combo, CB_SETCURSEL, 0, 0);
    std::vector<std::string> names;
    if (!ReadFirstColumn(ActiveQueryWindow()->Connection(), "show databases", names)) {
        ShowServerError(m_frame, ActiveQueryWindow()->Connection());
        return;
    }
    for (const std::string& name : names) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessage(m_combo, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(m_combo, CB_SETCURSEL, 0, 0);
}

void CApplication::chooseDatabase() {
    WaitCursor wait;
    const LRESULT selected = SendMessage(m_combo, CB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    char text[1024] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = selected;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(m_combo, CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    CQueryWindow* window = ActiveQueryWindow();
    if (mysql_select_db(window->Connection(), text) != 0) {
        ShowServerError(m_frame, window->Connection());
        return;
    }
    window->SetDatabaseName(text);
    g_appGlobals->currentDatabase = text;
    SetFocus(m_combo);
    SetDatabaseComboText(text);
}
