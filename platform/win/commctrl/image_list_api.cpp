// The ImageList_* functions over ImageList objects reached through handles.

#include "platform/win/commctrl/image_list.h"

#include <memory>

using pm::cc::ImageList;
using pm::cc::imageListOf;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    if (cx <= 0 || cy <= 0 || cInitial < 0) return nullptr;
    return pm::cc::registerImageList(std::make_unique<ImageList>(cx, cy, flags, cInitial, cGrow));
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
    return pm::cc::destroyImageList(himl);
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    return list ? list->count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count) {
    ImageList* list = imageListOf(himl);
    return list && count <= 0x7FFFFFFF && list->setCount(static_cast<int>(count));
}

int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask) {
    ImageList* list = imageListOf(himl);
    return list ? list->add(image, mask) : -1;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF mask) {
    ImageList* list = imageListOf(himl);
    return list ? list->addMasked(image, mask) : -1;
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon) {
    ImageList* list = imageListOf(himl);
    return list ? list->replaceIcon(i, icon) : -1;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask) {
    ImageList* list = imageListOf(himl);
    return list && list->replace(i, image, mask);
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
    ImageList* list = imageListOf(himl);
    return list && list->remove(i);
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdc, int x, int y, UINT style) {
    ImageList* list = imageListOf(himl);
    return list && list->draw(i, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT style) {
    ImageList* list = imageListOf(himl);
    return list && list->draw(i, hdc, x, y, dx, dy, rgbBk, rgbFg, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    ImageList* list = imageListOf(himl);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->width();
    *cy = list->height();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
    ImageList* list = imageListOf(himl);
    if (!list || cx <= 0 || cy <= 0) return FALSE;
    list->setSize(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info) {
    ImageList* list = imageListOf(himl);
    return list && info && list->info(i, *info);
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags) {
    ImageList* list = imageListOf(himl);
    return list ? list->icon(i, flags) : nullptr;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF colour) {
    ImageList* list = imageListOf(himl);
    return list ? list->setBkColor(colour) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    return list ? list->bkColor() : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int image, int overlay) {
    ImageList* list = imageListOf(himl);
    return list && list->setOverlay(image, overlay);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    return list ? pm::cc::registerImageList(std::unique_ptr<ImageList>(list->duplicate())) : nullptr;
}

HIMAGELIST ImageList_LoadImageA(HINSTANCE instance, LPCSTR name, int cx, int cGrow, COLORREF mask, UINT type,
                                UINT flags) {
    if (type != IMAGE_BITMAP || cx <= 0) return nullptr;
    auto bitmap = static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, flags));
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth < cx) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    UINT ilc = (mask == CLR_NONE ? 0 : ILC_MASK) | ILC_COLOR32;
    HIMAGELIST himl = ImageList_Create(cx, bm.bmHeight, ilc, bm.bmWidth / cx, cGrow);
    ImageList_AddMasked(himl, bitmap, mask);
    DeleteObject(bitmap);
    return himl;
}
