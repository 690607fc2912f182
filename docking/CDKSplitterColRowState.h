#pragma once
// CDKSplitterColRowState: the stored size of one splitter row or column.

#include "platform/framework/CArray.h"
#include "platform/framework/CObject.h"

class CDKSplitterColRowState : public CObject {
    DECLARE_SERIAL(CDKSplitterColRowState)
public:
    CDKSplitterColRowState() = default;

    void Serialize(CArchive& ar) override;

    int m_bRow = 1; // 1 a row, 0 a column
    int m_nIndex = 0;
    int m_nIdealSize = 0;
    int m_nMinSize = 0;
    int m_nSchema = -1;
};

class CFrameWnd;
namespace dock {
// The row and column sizes of the frame's splitter window (its first child that is one); a frame
// without one has nothing to keep. Stored rows or columns the splitter does not have are passed by.
BOOL CaptureSplitters(CFrameWnd* pFrame, CObArray& splitters);
BOOL ApplySplitters(CFrameWnd* pFrame, const CObArray& splitters);
} // namespace dock
