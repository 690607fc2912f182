#pragma once
// Opaque handle types. Each is a distinct pointer type whose value is a slot and generation in the
// table of the part of the layer that owns it (see handle_table.h), never a real address.

#include "platform/win/wintypes.h"

#define DECLARE_HANDLE(name)                                                                                 \
    struct name##__ {                                                                                        \
        int unused;                                                                                          \
    };                                                                                                       \
    typedef struct name##__* name

typedef void* HANDLE;
typedef HANDLE* LPHANDLE;
typedef void* HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;

DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HRGN);
DECLARE_HANDLE(HPALETTE);
DECLARE_HANDLE(HICON);
typedef HICON HCURSOR;
DECLARE_HANDLE(HACCEL);
DECLARE_HANDLE(HKEY);
typedef HKEY* PHKEY;
DECLARE_HANDLE(HHOOK);
DECLARE_HANDLE(HDWP);
DECLARE_HANDLE(HMONITOR);
DECLARE_HANDLE(HDROP);
DECLARE_HANDLE(HRSRC);
DECLARE_HANDLE(HENHMETAFILE);
struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;
struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
