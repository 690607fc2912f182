#include "docking/CDKSplitterColRowState.h"

#include "docking/WorkspaceArchive.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CArray.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSplitterWnd.h"

IMPLEMENT_SERIAL(CDKSplitterColRowState, CObject, VERSIONABLE_SCHEMA | 1)

void CDKSplitterColRowState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_bRow << m_nIndex << m_nIdealSize << m_nMinSize;
        return;
    }
    dock::CheckObjectSchema(ar, &m_nSchema);
    ar >> m_bRow >> m_nIndex >> m_nIdealSize >> m_nMinSize;
}

namespace dock {

namespace {

CSplitterWnd* FirstSplitter(CFrameWnd* frame) {
    if (!frame) return nullptr;
    for (HWND h = ::GetWindow(frame->m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd))) return static_cast<CSplitterWnd*>(wnd);
    }
    return nullptr;
}

} // namespace

BOOL CaptureSplitters(CFrameWnd* pFrame, CObArray& splitters) {
    DeleteAll(splitters);
    CSplitterWnd* splitter = FirstSplitter(pFrame);
    if (!splitter) return TRUE;
    for (int row = 1; row >= 0; --row) {
        const int count = row ? splitter->GetRowCount() : splitter->GetColumnCount();
        for (int i = 0; i < count; ++i) {
            auto* state = new CDKSplitterColRowState;
            state->m_bRow = row;
            state->m_nIndex = i;
            if (row)
                splitter->GetRowInfo(i, state->m_nIdealSize, state->m_nMinSize);
            else
                splitter->GetColumnInfo(i, state->m_nIdealSize, state->m_nMinSize);
            splitters.Add(state);
        }
    }
    return TRUE;
}

BOOL ApplySplitters(CFrameWnd* pFrame, const CObArray& splitters) {
    CSplitterWnd* splitter = FirstSplitter(pFrame);
    if (!splitter) return TRUE;
    for (INT_PTR i = 0; i < splitters.GetSize(); ++i) {
        const auto* state = static_cast<const CDKSplitterColRowState*>(splitters[i]);
        const int count = state->m_bRow ? splitter->GetRowCount() : splitter->GetColumnCount();
        if (state->m_nIndex < 0 || state->m_nIndex >= count) continue;
        if (state->m_bRow)
            splitter->SetRowInfo(state->m_nIndex, state->m_nIdealSize, state->m_nMinSize);
        else
            splitter->SetColumnInfo(state->m_nIndex, state->m_nIdealSize, state->m_nMinSize);
    }
    splitter->RecalcLayout();
    return TRUE;
}

} // namespace dock
