#pragma once
// CControlBarInfo: what a frame's saved layout keeps of one bar: where it is, whether it shows,
// and, for a dock bar, the ids of the bars it holds row by row (0 ends a row).

#include "platform/framework/CArray.h"
#include "platform/framework/CRect.h"

class CControlBar;

class CControlBarInfo {
public:
    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos{0, 0};
    int m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos{0, 0, 0, 0};
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos{-1, -1};
    // The floating size of a bar that keeps one of its own; (0, 0) when it keeps none.
    CSize m_sizeFloat{0, 0};
    CArray<UINT, UINT> m_arrBarID;
    CControlBar* m_pBar = nullptr; // while a state is applied or taken; never stored
};
