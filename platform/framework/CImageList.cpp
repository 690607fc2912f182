// CImageList and its handle maps.

#include "platform/framework/CImageList.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/HandleMap.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

using ImageListMap = pm::afx::HandleMap<CImageList, HIMAGELIST, &CImageList::m_hImageList>;

ImageListMap& imageListMap() {
    static ImageListMap map;
    return map;
}

} // namespace

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
    return imageListMap().fromHandle(hImageList);
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
    return hImageList ? imageListMap().fromHandlePermanent(hImageList) : nullptr;
}

void CImageList::DeleteTempMap() {
    imageListMap().deleteTemporary();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (!hImageList || m_hImageList) return FALSE;
    m_hImageList = hImageList;
    imageListMap().setPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h && imageListMap().fromHandlePermanent(h) == this) imageListMap().removeHandle(h);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList() {
    HIMAGELIST h = Detach();
    return h ? ImageList_Destroy(h) : FALSE;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Attach(ImageList_LoadImageA(nullptr, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList) {
    return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, *pbmImage, pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, *pbmImage,
                             pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pm::afx::safeHdc(pDC), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg,
                        UINT nStyle) {
    return ImageList_DrawEx(m_hImageList, nImage, pm::afx::safeHdc(pDC), pt.x, pt.y, sz.cx, sz.cy, clrBk,
                            clrFg, nStyle);
}
