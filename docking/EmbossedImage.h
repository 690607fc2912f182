#pragma once
// A disabled image: its shape in the highlight colour one pixel right and down, then in the shadow
// colour in place, the way disabled tool-bar buttons look.

#include "platform/framework/afxwin.h"

namespace docking {

void DrawEmbossedImage(CDC& dc, HIMAGELIST hImages, int nImage, CPoint at, CSize size);
// Text drawn the same way.
void DrawEmbossedText(CDC& dc, LPCSTR lpszText, CRect rect, UINT nFormat);

} // namespace docking
