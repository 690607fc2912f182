#pragma once
// The list view control ("SysListView32"): its styles, messages, notifications and structures.
// Included by commctrl.h.

#define WC_LISTVIEWA "SysListView32"
#define WC_LISTVIEW WC_LISTVIEWA

// Header notifications of a column drag (HDS_DRAGDROP, set by LVS_EX_HEADERDRAGDROP).
#ifndef HDN_BEGINDRAG
#define HDN_BEGINDRAG (HDN_FIRST - 10)
#define HDN_ENDDRAG (HDN_FIRST - 11)
#endif

// ---- Styles ------------------------------------------------------------------------------------------
#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_AUTOARRANGE 0x0100
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDATA 0x1000
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000

#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_ONECLICKACTIVATE 0x00000040
#define LVS_EX_TWOCLICKACTIVATE 0x00000080
#define LVS_EX_FLATSB 0x00000100
#define LVS_EX_INFOTIP 0x00000400
#define LVS_EX_LABELTIP 0x00004000
#define LVS_EX_DOUBLEBUFFER 0x00010000

// ---- Messages ----------------------------------------------------------------------------------------
#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEMA (LVM_FIRST + 5)
#define LVM_SETITEMA (LVM_FIRST + 6)
#define LVM_INSERTITEMA (LVM_FIRST + 7)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_GETCOLUMNA (LVM_FIRST + 25)
#define LVM_SETCOLUMNA (LVM_FIRST + 26)
#define LVM_INSERTCOLUMNA (LVM_FIRST + 27)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETVIEWRECT (LVM_FIRST + 34)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_GETORIGIN (LVM_FIRST + 41)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_GETITEMTEXTA (LVM_FIRST + 45)
#define LVM_SETITEMTEXTA (LVM_FIRST + 46)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_SETCOLUMNORDERARRAY (LVM_FIRST + 58)
#define LVM_GETCOLUMNORDERARRAY (LVM_FIRST + 59)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)
#define LVM_GETITEM LVM_GETITEMA
#define LVM_SETITEM LVM_SETITEMA
#define LVM_INSERTITEM LVM_INSERTITEMA
#define LVM_GETCOLUMN LVM_GETCOLUMNA
#define LVM_SETCOLUMN LVM_SETCOLUMNA
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNA
#define LVM_GETITEMTEXT LVM_GETITEMTEXTA
#define LVM_SETITEMTEXT LVM_SETITEMTEXTA
#define LVM_SETBKCOLOR_DEFAULT CLR_DEFAULT

// ---- Items -------------------------------------------------------------------------------------------
#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008
#define LVIF_INDENT 0x0010
#define LVIF_NORECOMPUTE 0x0800
#define LVIF_DI_SETITEM 0x1000

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)

#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)

struct LVITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
typedef LVITEMA LVITEM;
typedef LVITEMA LV_ITEM;
typedef LVITEMA* LPLVITEMA;
typedef LVITEMA* LPLVITEM;

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};
typedef LVHITTESTINFO* LPLVHITTESTINFO;

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

// LVM_SETITEMCOUNT flags.
#define LVSICF_NOINVALIDATEALL 0x00000001
#define LVSICF_NOSCROLL 0x00000002

// LVM_SORTITEMS: negative, zero or positive as the first item's lParam sorts before, with or after
// the second's.
typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);

// ---- Columns -----------------------------------------------------------------------------------------
#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

struct LVCOLUMNA {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
};
typedef LVCOLUMNA LVCOLUMN;
typedef LVCOLUMNA LV_COLUMN;
typedef LVCOLUMNA* LPLVCOLUMNA;
typedef LVCOLUMNA* LPLVCOLUMN;

// ---- Notifications -----------------------------------------------------------------------------------
#define LVN_FIRST (0U - 100U)
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_BEGINRDRAG (LVN_FIRST - 11)
#define LVN_ODCACHEHINT (LVN_FIRST - 13)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)
#define LVN_ODSTATECHANGED (LVN_FIRST - 15)
#define LVN_GETDISPINFOA (LVN_FIRST - 50)
#define LVN_SETDISPINFOA (LVN_FIRST - 51)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_GETDISPINFO LVN_GETDISPINFOA
#define LVN_SETDISPINFO LVN_SETDISPINFOA

// LVN_ITEMCHANGING/CHANGED, LVN_COLUMNCLICK, LVN_BEGINDRAG, LVN_DELETEITEM ...: the item, what
// changed (LVIF_*), the states before and after.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
typedef NMLISTVIEW NM_LISTVIEW;
typedef NMLISTVIEW* LPNMLISTVIEW;

// NM_CLICK, NM_DBLCLK, NM_RCLICK of a list view: the item and sub-item under the mouse.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

#define LVKF_ALT 0x0001
#define LVKF_CONTROL 0x0002
#define LVKF_SHIFT 0x0004

// LVN_GETDISPINFO: the receiver fills what item.mask asks for (text into pszText, at most
// cchTextMax bytes, or points pszText at its own text).
struct NMLVDISPINFOA {
    NMHDR hdr;
    LVITEMA item;
};
typedef NMLVDISPINFOA NMLVDISPINFO;
typedef NMLVDISPINFOA LV_DISPINFO;
typedef NMLVDISPINFOA* LPNMLVDISPINFOA;
typedef NMLVDISPINFOA* LPNMLVDISPINFO;

// LVN_ODCACHEHINT: the rows about to be asked for, iFrom to iTo inclusive.
struct NMLVCACHEHINT {
    NMHDR hdr;
    int iFrom;
    int iTo;
};
typedef NMLVCACHEHINT* LPNMLVCACHEHINT;

// LVN_ODSTATECHANGED: the states of the rows iFrom to iTo changed together.
struct NMLVODSTATECHANGE {
    NMHDR hdr;
    int iFrom;
    int iTo;
    UINT uNewState;
    UINT uOldState;
};
typedef NMLVODSTATECHANGE* LPNMLVODSTATECHANGE;

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
typedef NMLVKEYDOWN LV_KEYDOWN;
typedef NMLVKEYDOWN* LPNMLVKEYDOWN;

// NM_CUSTOMDRAW of a list view: colours the receiver may change, and the sub-item of
// CDDS_SUBITEM stages.
struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iSubItem;
};
typedef NMLVCUSTOMDRAW* LPNMLVCUSTOMDRAW;

// ---- Helpers ---------------------------------------------------------------------------------------
inline int ListView_GetItemCount(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETITEMCOUNT, 0, 0));
}
inline HWND ListView_GetHeader(HWND hwnd) {
    return reinterpret_cast<HWND>(SendMessage(hwnd, LVM_GETHEADER, 0, 0));
}
inline int ListView_GetNextItem(HWND hwnd, int i, UINT flags) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(i), MAKELPARAM(flags, 0)));
}
inline int ListView_InsertItem(HWND hwnd, const LVITEMA* item) {
    return static_cast<int>(SendMessage(hwnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL ListView_DeleteItem(HWND hwnd, int i) {
    return static_cast<BOOL>(SendMessage(hwnd, LVM_DELETEITEM, static_cast<WPARAM>(i), 0));
}
inline BOOL ListView_DeleteAllItems(HWND hwnd) {
    return static_cast<BOOL>(SendMessage(hwnd, LVM_DELETEALLITEMS, 0, 0));
}
inline int ListView_InsertColumn(HWND hwnd, int i, const LVCOLUMNA* column) {
    return static_cast<int>(
        SendMessage(hwnd, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(column)));
}
inline BOOL ListView_SetColumnWidth(HWND hwnd, int i, int cx) {
    return static_cast<BOOL>(
        SendMessage(hwnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(cx, 0)));
}
inline int ListView_GetColumnWidth(HWND hwnd, int i) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
}
inline DWORD ListView_SetExtendedListViewStyle(HWND hwnd, DWORD styles) {
    return static_cast<DWORD>(
        SendMessage(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(styles)));
}
inline DWORD ListView_GetExtendedListViewStyle(HWND hwnd) {
    return static_cast<DWORD>(SendMessage(hwnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}
inline void ListView_SetItemCount(HWND hwnd, int count) {
    SendMessage(hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}
inline int ListView_GetTopIndex(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETTOPINDEX, 0, 0));
}
inline int ListView_GetCountPerPage(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETCOUNTPERPAGE, 0, 0));
}
inline BOOL ListView_EnsureVisible(HWND hwnd, int i, BOOL partial) {
    return static_cast<BOOL>(SendMessage(hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(i), partial));
}
inline int ListView_GetSelectionMark(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, LVM_GETSELECTIONMARK, 0, 0));
}
inline UINT ListView_GetItemState(HWND hwnd, int i, UINT mask) {
    return static_cast<UINT>(
        SendMessage(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(i), static_cast<LPARAM>(mask)));
}
inline void ListView_SetItemState(HWND hwnd, int i, UINT state, UINT mask) {
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    SendMessage(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}
// Check boxes are state images 1 (clear) and 2 (checked).
inline void ListView_SetCheckState(HWND hwnd, int i, BOOL check) {
    ListView_SetItemState(hwnd, i, INDEXTOSTATEIMAGEMASK(check ? 2u : 1u), LVIS_STATEIMAGEMASK);
}
inline UINT ListView_GetCheckState(HWND hwnd, int i) {
    return (ListView_GetItemState(hwnd, i, LVIS_STATEIMAGEMASK) >> 12) - 1;
}
inline void ListView_SetItemText(HWND hwnd, int i, int sub, LPSTR text) {
    LVITEMA item{};
    item.iSubItem = sub;
    item.pszText = text;
    SendMessage(hwnd, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}
inline void ListView_GetItemText(HWND hwnd, int i, int sub, LPSTR text, int size) {
    LVITEMA item{};
    item.iSubItem = sub;
    item.cchTextMax = size;
    item.pszText = text;
    SendMessage(hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}
// The rectangle `code` (LVIR_*) of sub-item `sub` of row i.
inline BOOL ListView_GetSubItemRect(HWND hwnd, int i, int sub, int code, RECT* rc) {
    if (!rc) return FALSE;
    rc->top = sub;
    rc->left = code;
    return static_cast<BOOL>(
        SendMessage(hwnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rc)));
}
inline BOOL ListView_GetItemRect(HWND hwnd, int i, RECT* rc, int code) {
    if (!rc) return FALSE;
    rc->left = code;
    return static_cast<BOOL>(
        SendMessage(hwnd, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rc)));
}
