#include "querytool/app/result_tabs.h"

#include "querytool/app/drawn_images.h"
#include "querytool/app/messages_pane.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_text.h"

#include "platform/win/commctrl.h"

namespace {

constexpr int kRecordsImage = 0;
constexpr int kMessagesImage = 1;

void insertTab(HWND tabs, int index, const char* text, int image, LPARAM param) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = param;
    SendMessage(tabs, TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

TCITEMA tabItem(HWND tabs, int index) {
    TCITEMA item{};
    item.mask = TCIF_IMAGE | TCIF_PARAM;
    item.iImage = -1;
    SendMessage(tabs, TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

} // namespace

CResultTabs::CResultTabs(CQueryWindow& window) : m_window(window) {
    m_tabs = CreateWindowEx(0, WC_TABCONTROL, "",
                            WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER | TCS_TOOLTIPS | TCS_FIXEDWIDTH, 0, 0, 0,
                            0, window.Window(), reinterpret_cast<HMENU>(IDC_RESULTTABS), nullptr, nullptr);
    SetWindowLongPtr(m_tabs, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CResultTabs::TabProc)));
    m_images = CreateTabImages();
    SendMessage(m_tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    insertTab(m_tabs, 0, "Records", kRecordsImage, 0);
    insertTab(m_tabs, 1, "Messages", kMessagesImage, 0);
    HDC dc = GetDC(m_tabs);
    m_font = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                        DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    ReleaseDC(m_tabs, dc);
    SendMessage(m_tabs, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    m_grid = std::make_unique<CResultGrid>(*this, m_tabs);
    m_messages = std::make_unique<CMessagesPane>(m_tabs);
    m_text = std::make_unique<CResultText>(*this, m_tabs);
    ShowViews(true);
}

CResultTabs::~CResultTabs() {
    m_text.reset();
    m_grid.reset();
    m_messages.reset();
    m_records.clear();
    if (IsWindow(m_tabs)) {
        SetWindowLongPtr(m_tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        DestroyWindow(m_tabs);
    }
    DeleteObject(m_font);
    ImageList_Destroy(m_images);
}

// The views are children of the tab control: their notices go on to the query window, which
// answers the grid's cell requests.
LRESULT CALLBACK CResultTabs::TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* tabs = reinterpret_cast<CResultTabs*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom != hwnd)
        return SendMessage(tabs->m_window.Window(), msg, wParam, lParam);
    return CallWindowProc(tabs->m_previous, hwnd, msg, wParam, lParam);
}

void CResultTabs::FreeResults() {
    SendMessage(m_grid->Window(), LVM_SETITEMCOUNT, 0, 0);
    SendMessage(m_tabs, TCM_DELETEALLITEMS, 0, 0);
    m_records.clear();
}

void CResultTabs::InsertRecordsTab(int index, std::unique_ptr<QueryResult> record) {
    insertTab(m_tabs, index, "Records", kRecordsImage, reinterpret_cast<LPARAM>(record.get()));
    m_records.push_back(std::move(record));
}

void CResultTabs::InsertMessagesTab(int index) {
    insertTab(m_tabs, index, "Messages", kMessagesImage, 0);
}

int CResultTabs::TabCount() const {
    return static_cast<int>(SendMessage(m_tabs, TCM_GETITEMCOUNT, 0, 0));
}

bool CResultTabs::IsRecordsTab(int index) const {
    return index >= 0 && index < TabCount() && tabItem(m_tabs, index).iImage == kRecordsImage;
}

QueryResult* CResultTabs::recordOf(int index) const {
    if (!IsRecordsTab(index)) return nullptr;
    return reinterpret_cast<QueryResult*>(tabItem(m_tabs, index).lParam);
}

QueryResult* CResultTabs::CurrentResult() const {
    return recordOf(static_cast<int>(SendMessage(m_tabs, TCM_GETCURSEL, 0, 0)));
}

void CResultTabs::ShowViews(bool records) {
    const bool text = m_window.TextMode();
    ShowWindow(m_grid->Window(), records && !text ? SW_SHOW : SW_HIDE);
    ShowWindow(m_text->Window(), records && text ? SW_SHOW : SW_HIDE);
    ShowWindow(m_messages->Window(), records ? SW_HIDE : SW_SHOW);
}

void CResultTabs::SelectTab(int index) {
    SendMessage(m_tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowResult();
}

void CResultTabs::ShowResult() {
    const int selected = static_cast<int>(SendMessage(m_tabs, TCM_GETCURSEL, 0, 0));
    CQueryStatusBar& status = *m_window.StatusBar();
    if (!IsRecordsTab(selected)) {
        ShowViews(false);
        status.ShowElapsed(0);
        status.ShowRowCount(0);
        return;
    }
    QueryResult* result = recordOf(selected);
    if (!result) {
        ShowViews(true);
        return;
    }
    if (m_window.TextMode())
        m_text->Render();
    else
        m_grid->Show(*result);
    status.ShowElapsed(result->ElapsedMs());
    status.ShowRowCount(result->RowCount());
    ShowViews(true);
    SetFocus(m_window.TextMode() ? m_text->Window() : m_grid->Window());
}

void CResultTabs::Layout(int x, int y, int width, int height) {
    MoveWindow(m_tabs, x, y, width, height, TRUE);
    for (HWND view : {m_grid->Window(), m_messages->Window(), m_text->Window()})
        MoveWindow(view, 5, 30, width - 10, height - 35, TRUE);
}

HWND CResultTabs::shownView() const {
    if (!IsRecordsTab(static_cast<int>(SendMessage(m_tabs, TCM_GETCURSEL, 0, 0))))
        return m_messages->Window();
    return m_window.TextMode() ? m_text->Window() : m_grid->Window();
}

void CResultTabs::FocusResults() {
    HWND shown = shownView();
    SetFocus(GetFocus() == shown ? m_tabs : shown);
}

void CResultTabs::OnSelChanging() {
    m_changeByStripKeys = GetFocus() == m_tabs;
    m_savedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    EnableWindow(m_tabs, FALSE);
    if (QueryResult* result = CurrentResult())
        result->SetScrollPosition(static_cast<int>(SendMessage(m_grid->Window(), LVM_GETTOPINDEX, 0, 0)));
}

void CResultTabs::OnSelChange() {
    ShowResult();
    SetCursor(m_savedCursor);
    EnableWindow(m_tabs, TRUE);
    // Walking the tabs with the strip's keys keeps the focus on the strip.
    if (m_changeByStripKeys) SetFocus(m_tabs);
    m_changeByStripKeys = false;
    QueryResult* result = CurrentResult();
    if (result && result->ScrollPosition() != 0 && !m_window.TextMode())
        m_grid->ScrollToRow(result->ScrollPosition());
}
