// The GDI object wrappers and their temporary map.

#include "platform/framework/CGdiObject.h"

#include "platform/framework/CDC.h"
#include "platform/framework/HandleMap.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

using GdiMap = pm::afx::HandleMap<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>;

GdiMap& gdiMap() {
    static GdiMap map;
    return map;
}

} // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

namespace {

// A temporary wrapper of the handle's own kind, so a typed FromHandle gets an object of its type.
CGdiObject* makeTemporary(HGDIOBJ hObject) {
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_REGION:
        return new CRgn;
    case OBJ_PAL:
        return new CPalette;
    default:
        return new CGdiObject;
    }
}

} // namespace

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return gdiMap().fromHandle(hObject, &makeTemporary);
}

void CGdiObject::DeleteTempMap() {
    gdiMap().deleteTemporary();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject) return FALSE;
    if (m_hObject) DeleteObject();
    m_hObject = hObject;
    gdiMap().setPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h && gdiMap().fromHandlePermanent(h) == this) gdiMap().removeHandle(h);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    HGDIOBJ h = Detach();
    return h ? ::DeleteObject(h) : FALSE;
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
    // A stock object belongs to the system: attach it without owning it.
    m_hObject = ::GetStockObject(nIndex);
    return m_hObject != nullptr;
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pm::afx::safeHandle(pBitmap))));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                                nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    std::strncpy(lf.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to pixels at the device's resolution, as a character height.
    lf.lfHeight = -::MulDiv(lf.lfHeight, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    if (!pDC) ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const {
    SIZE size{0, 0};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return CSize(size);
}

int CPalette::GetEntryCount() const {
    WORD count = 0;
    GetObject(sizeof(count), &count);
    return count;
}
