#pragma once
// The notifications of the combo button and its drop-down popup: WM_NOTIFY with this record, the
// sender's control id as wParam.

#include "platform/framework/afxwin.h"

#define CCN_HOT 1975     // hot item changed: grid index
#define CCN_SHOWN 1976   // popup shown
#define CCN_CLOSED 1977  // popup closed
#define CCN_SELECT 1978  // grid item chosen: grid index
#define CCN_CANCEL 1979  // cancelled
#define CCN_DEFAULT 1980 // default text item chosen
#define CCN_EXTRA 1981   // extra text item chosen: extra item index
#define CCN_TORNOFF 1982 // popup torn off, now floating
#define CCN_QUERYUPDATE                                                                                      \
    1984 // to a target: < 0 disable, 0 as without handler, 1 enable, 2 enable indeterminate

// Items of a combo and its popup besides grid indexes.
#define CC_ITEM_NONE (-1)
#define CC_ITEM_DEFAULT (-2)
#define CC_ITEM_INDETERMINATE (-3)
#define CC_ITEM_EXTRA 1000 // 1000 + i: extra text item i

struct NMCOOLCOMBO {
    NMHDR hdr;
    int iItem;
};
