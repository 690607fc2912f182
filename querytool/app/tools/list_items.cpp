#include "querytool/app/tools/list_items.h"

#include "platform/win/commctrl.h"

void AddListColumn(HWND list, int index, const char* text, int width) {
    if (width == 0) {
        RECT client{};
        GetClientRect(list, &client);
        width = client.right - client.left;
    }
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(text);
    column.cx = width;
    ListView_InsertColumn(list, index, &column);
}

int AddListItem(HWND list, const std::string& text, bool atFront) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = atFront ? 0 : ListCount(list);
    item.pszText = const_cast<char*>(text.c_str());
    return ListView_InsertItem(list, &item);
}

std::string ListItemText(HWND list, int item, int sub) {
    std::vector<char> text(256);
    for (;;) {
        LVITEMA record{};
        record.iSubItem = sub;
        record.cchTextMax = static_cast<int>(text.size());
        record.pszText = text.data();
        const auto length = static_cast<std::size_t>(
            SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)));
        if (length + 1 < text.size()) return std::string(text.data(), length);
        text.resize(text.size() * 4);
    }
}

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = ListCount(list);
    for (int i = 0; i < count; ++i)
        texts.push_back(ListItemText(list, i));
    return texts;
}

int ListCount(HWND list) {
    return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedListItem(HWND list) {
    return static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListItem(HWND list, int item) {
    if (item < 0) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, item, FALSE);
}
