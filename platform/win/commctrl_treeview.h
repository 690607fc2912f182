#pragma once
// The tree view control ("SysTreeView32"): its styles, messages, notifications and structures.
// Included by commctrl.h.

#include <cstring>

#define WC_TREEVIEWA "SysTreeView32"
#define WC_TREEVIEW WC_TREEVIEWA

// ---- Styles ------------------------------------------------------------------------------------------
#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000
#define TVS_NOHSCROLL 0x8000

// ---- Items -------------------------------------------------------------------------------------------
#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080
#define TVIF_DI_SETITEM 0x1000

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define I_CHILDRENCALLBACK (-1)

struct TVITEMA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
};
typedef TVITEMA TVITEM;
typedef TVITEMA TV_ITEM;
typedef TVITEMA* LPTVITEMA;
typedef TVITEMA* LPTVITEM;

struct TVITEMEXA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
};
typedef TVITEMEXA TVITEMEX;

struct TVINSERTSTRUCTA {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXA itemex;
        TVITEMA item;
    };
};
typedef TVINSERTSTRUCTA TVINSERTSTRUCT;
typedef TVINSERTSTRUCTA TV_INSERTSTRUCT;
typedef TVINSERTSTRUCTA* LPTVINSERTSTRUCTA;
typedef TVINSERTSTRUCTA* LPTVINSERTSTRUCT;

// ---- Messages ----------------------------------------------------------------------------------------
#define TV_FIRST 0x1100
#define TVM_INSERTITEMA (TV_FIRST + 0)
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEMA (TV_FIRST + 12)
#define TVM_SETITEMA (TV_FIRST + 13)
#define TVM_EDITLABELA (TV_FIRST + 14)
#define TVM_GETEDITCONTROL (TV_FIRST + 15)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SORTCHILDRENCB (TV_FIRST + 21)
#define TVM_ENDEDITLABELNOW (TV_FIRST + 22)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_SETBKCOLOR (TV_FIRST + 29)
#define TVM_SETTEXTCOLOR (TV_FIRST + 30)
#define TVM_GETBKCOLOR (TV_FIRST + 31)
#define TVM_GETTEXTCOLOR (TV_FIRST + 32)
#define TVM_GETITEMSTATE (TV_FIRST + 39)
#define TVM_INSERTITEM TVM_INSERTITEMA
#define TVM_GETITEM TVM_GETITEMA
#define TVM_SETITEM TVM_SETITEMA
#define TVM_EDITLABEL TVM_EDITLABELA

// TVM_EXPAND actions.
#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

// TVM_GETNEXTITEM and TVM_SELECTITEM codes.
#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

struct TVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
};
typedef TVHITTESTINFO* LPTVHITTESTINFO;

// TVM_SORTCHILDRENCB: negative, zero or positive as the first lParam sorts before, with or after
// the second.
typedef int(CALLBACK* PFNTVCOMPARE)(LPARAM, LPARAM, LPARAM);
struct TVSORTCB {
    HTREEITEM hParent;
    PFNTVCOMPARE lpfnCompare;
    LPARAM lParam;
};
typedef TVSORTCB* LPTVSORTCB;

// ---- Notifications -----------------------------------------------------------------------------------
#define TVN_FIRST (0U - 400U)
#define TVN_SELCHANGINGA (TVN_FIRST - 1)
#define TVN_SELCHANGEDA (TVN_FIRST - 2)
#define TVN_GETDISPINFOA (TVN_FIRST - 3)
#define TVN_SETDISPINFOA (TVN_FIRST - 4)
#define TVN_ITEMEXPANDINGA (TVN_FIRST - 5)
#define TVN_ITEMEXPANDEDA (TVN_FIRST - 6)
#define TVN_BEGINDRAGA (TVN_FIRST - 7)
#define TVN_BEGINRDRAGA (TVN_FIRST - 8)
#define TVN_DELETEITEMA (TVN_FIRST - 9)
#define TVN_BEGINLABELEDITA (TVN_FIRST - 10)
#define TVN_ENDLABELEDITA (TVN_FIRST - 11)
#define TVN_KEYDOWN (TVN_FIRST - 12)
#define TVN_SELCHANGING TVN_SELCHANGINGA
#define TVN_SELCHANGED TVN_SELCHANGEDA
#define TVN_GETDISPINFO TVN_GETDISPINFOA
#define TVN_SETDISPINFO TVN_SETDISPINFOA
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGA
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDA
#define TVN_BEGINDRAG TVN_BEGINDRAGA
#define TVN_BEGINRDRAG TVN_BEGINRDRAGA
#define TVN_DELETEITEM TVN_DELETEITEMA
#define TVN_BEGINLABELEDIT TVN_BEGINLABELEDITA
#define TVN_ENDLABELEDIT TVN_ENDLABELEDITA

// The cause of a selection change.
#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

// TVN_SELCHANGING/CHANGED, TVN_ITEMEXPANDING/EXPANDED, TVN_DELETEITEM, TVN_BEGINDRAG: the action
// (TVC_* or TVE_*), the items before and after, and where a drag began.
struct NMTREEVIEWA {
    NMHDR hdr;
    UINT action;
    TVITEMA itemOld;
    TVITEMA itemNew;
    POINT ptDrag;
};
typedef NMTREEVIEWA NMTREEVIEW;
typedef NMTREEVIEWA NM_TREEVIEW;
typedef NMTREEVIEWA* LPNMTREEVIEWA;
typedef NMTREEVIEWA* LPNMTREEVIEW;

// TVN_GETDISPINFO (the receiver fills what item.mask asks for) and TVN_BEGIN/ENDLABELEDIT (the
// edited text in item.pszText, NULL when the edit was cancelled).
struct NMTVDISPINFOA {
    NMHDR hdr;
    TVITEMA item;
};
typedef NMTVDISPINFOA NMTVDISPINFO;
typedef NMTVDISPINFOA TV_DISPINFO;
typedef NMTVDISPINFOA* LPNMTVDISPINFOA;
typedef NMTVDISPINFOA* LPNMTVDISPINFO;

struct NMTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
typedef NMTVKEYDOWN TV_KEYDOWN;
typedef NMTVKEYDOWN* LPNMTVKEYDOWN;

// NM_CUSTOMDRAW of a tree view: colours the receiver may change and the item's depth.
struct NMTVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iLevel;
};
typedef NMTVCUSTOMDRAW* LPNMTVCUSTOMDRAW;

// ---- Helpers -----------------------------------------------------------------------------------------
inline HTREEITEM TreeView_InsertItem(HWND hwnd, const TVINSERTSTRUCTA* insert) {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(hwnd, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(insert)));
}
inline BOOL TreeView_DeleteItem(HWND hwnd, HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_DeleteAllItems(HWND hwnd) {
    return TreeView_DeleteItem(hwnd, TVI_ROOT);
}
inline BOOL TreeView_Expand(HWND hwnd, HTREEITEM item, UINT code) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}
inline HTREEITEM TreeView_GetNextItem(HWND hwnd, HTREEITEM item, UINT code) {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(hwnd, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}
inline HTREEITEM TreeView_GetRoot(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, nullptr, TVGN_ROOT);
}
inline HTREEITEM TreeView_GetChild(HWND hwnd, HTREEITEM item) {
    return TreeView_GetNextItem(hwnd, item, TVGN_CHILD);
}
inline HTREEITEM TreeView_GetNextSibling(HWND hwnd, HTREEITEM item) {
    return TreeView_GetNextItem(hwnd, item, TVGN_NEXT);
}
inline HTREEITEM TreeView_GetParent(HWND hwnd, HTREEITEM item) {
    return TreeView_GetNextItem(hwnd, item, TVGN_PARENT);
}
inline HTREEITEM TreeView_GetSelection(HWND hwnd) {
    return TreeView_GetNextItem(hwnd, nullptr, TVGN_CARET);
}
inline BOOL TreeView_Select(HWND hwnd, HTREEITEM item, UINT code) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_SelectItem(HWND hwnd, HTREEITEM item) {
    return TreeView_Select(hwnd, item, TVGN_CARET);
}
inline BOOL TreeView_GetItem(HWND hwnd, TVITEMA* item) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_SetItem(HWND hwnd, const TVITEMA* item) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(item)));
}
inline UINT TreeView_GetCount(HWND hwnd) {
    return static_cast<UINT>(SendMessage(hwnd, TVM_GETCOUNT, 0, 0));
}
inline BOOL TreeView_EnsureVisible(HWND hwnd, HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(hwnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}
inline HWND TreeView_EditLabel(HWND hwnd, HTREEITEM item) {
    return reinterpret_cast<HWND>(SendMessage(hwnd, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item)));
}
inline HIMAGELIST TreeView_SetImageList(HWND hwnd, HIMAGELIST images, int which) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(hwnd, TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
}
inline HIMAGELIST TreeView_GetImageList(HWND hwnd, int which) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(hwnd, TVM_GETIMAGELIST, static_cast<WPARAM>(which), 0));
}
// The rectangle of a visible item: the whole row, or with textOnly its label.
inline BOOL TreeView_GetItemRect(HWND hwnd, HTREEITEM item, RECT* rc, BOOL textOnly) {
    if (!rc) return FALSE;
    std::memcpy(rc, &item, sizeof item);
    return static_cast<BOOL>(SendMessage(hwnd, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rc)));
}
inline HTREEITEM TreeView_HitTest(HWND hwnd, TVHITTESTINFO* info) {
    return reinterpret_cast<HTREEITEM>(SendMessage(hwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
