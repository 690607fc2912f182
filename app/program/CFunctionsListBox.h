#pragma once
// CFunctionsListBox: the information pane's list of the active document's functions. A double
// click goes to the function; the context menu is the Functions menu.

#include "app/program/CPaneListBox.h"
#include "app/program/resource_ids.h"

class CFunctionsListBox : public CPaneListBox {
public:
    CFunctionsListBox() : CPaneListBox(ID_FUNCTIONS_GOTO, IDR_FUNCTIONS_MENU) {}
};
