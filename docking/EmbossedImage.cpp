#include "docking/EmbossedImage.h"

namespace docking {

namespace {

constexpr DWORD kEmbossRop = 0x00B8074A; // the pattern where the source is black, else the destination

} // namespace

void DrawEmbossedImage(CDC& dc, HIMAGELIST hImages, int nImage, CPoint at, CSize size) {
    const int cx = size.cx, cy = size.cy;
    CDC colour, mono;
    colour.CreateCompatibleDC(&dc);
    mono.CreateCompatibleDC(&dc);
    CBitmap colourBitmap, monoBitmap;
    colourBitmap.CreateCompatibleBitmap(&dc, cx, cy);
    monoBitmap.CreateBitmap(cx, cy, 1, 1, nullptr);
    CBitmap* pOldColour = colour.SelectObject(&colourBitmap);
    CBitmap* pOldMono = mono.SelectObject(&monoBitmap);
    colour.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    ImageList_Draw(hImages, nImage, colour.m_hDC, 0, 0, ILD_TRANSPARENT);
    // White becomes 1 (kept), every other colour 0 (the image's ink).
    colour.SetBkColor(RGB(255, 255, 255));
    mono.BitBlt(0, 0, cx, cy, &colour, 0, 0, SRCCOPY);
    const COLORREF oldText = dc.SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBack = dc.SetBkColor(RGB(255, 255, 255));
    CBrush highlight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    CBrush* pOldBrush = dc.SelectObject(&highlight);
    dc.BitBlt(at.x + 1, at.y + 1, cx, cy, &mono, 0, 0, kEmbossRop);
    dc.SelectObject(&shadow);
    dc.BitBlt(at.x, at.y, cx, cy, &mono, 0, 0, kEmbossRop);
    dc.SelectObject(pOldBrush);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
    colour.SelectObject(pOldColour);
    mono.SelectObject(pOldMono);
}

void DrawEmbossedText(CDC& dc, LPCSTR lpszText, CRect rect, UINT nFormat) {
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldText = dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect shifted = rect;
    shifted.OffsetRect(1, 1);
    dc.DrawText(lpszText, &shifted, nFormat);
    dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    dc.DrawText(lpszText, &rect, nFormat);
    dc.SetTextColor(oldText);
    dc.SetBkMode(nOldMode);
}

} // namespace docking
