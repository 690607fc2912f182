#pragma once
// CWorkDirListBox: the information pane's list of the working folder's files. A double click opens
// the file; the context menu is the Working Dir menu.

#include "app/program/CPaneListBox.h"
#include "app/program/resource_ids.h"

class CWorkDirListBox : public CPaneListBox {
public:
    CWorkDirListBox() : CPaneListBox(ID_WORKDIR_OPEN, IDR_WORKDIR_MENU) {}
};
