#pragma once
// Small helpers over report-view list views shared by the tools' dialogs.

#include "platform/win/windows.h"

#include <string>
#include <vector>

// One column with the header text, as wide as the list's client area when width is 0.
void AddListColumn(HWND list, int index, const char* text, int width = 0);
// Appends an item (at the end, or at the front when atFront) and returns its index.
int AddListItem(HWND list, const std::string& text, bool atFront = false);
// The item's text (whole, however long) of column sub.
std::string ListItemText(HWND list, int item, int sub = 0);
// The texts of every item in list order.
std::vector<std::string> ListTexts(HWND list);
int ListCount(HWND list);
// The selected item, or -1.
int SelectedListItem(HWND list);
// Selects and focuses one item, or clears selection and focus of every item when item is -1.
void SelectListItem(HWND list, int item);
