#include "docking/CDKSplitterColRowState.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CArray.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSplitterWnd.h"
#include "platform/framework/Exceptions.h"

#include <memory>
#include <set>

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

void CheckObjectSchema(CArchive& ar, int* pSchema) {
    const UINT schema = ar.GetObjectSchema();
    if (schema == static_cast<UINT>(-1))
        return;
    if (schema > 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    *pSchema = static_cast<int>(schema);
}

void DeleteAll(CObArray& array) {
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}

namespace {
struct ArrayOwner {
    void operator()(CObArray* p) const {
        DeleteAll(*p);
        delete p;
    }
};
} // namespace

CObArray* ReadOwnedArray(CArchive& ar, const CRuntimeClass* pClass) {
    std::unique_ptr<CObArray, ArrayOwner> array(static_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray))));
    if (!array)
        return new CObArray;
    // Each element once (a back-reference would make the array own one object twice).
    std::set<CObject*> seen;
    for (INT_PTR i = 0; i < array->GetSize(); ++i) {
        CObject* element = (*array)[i];
        if (!element || !element->IsKindOf(pClass) || !seen.insert(element).second) {
            array->RemoveAll();
            for (CObject* ob : seen)
                delete ob;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
    }
    return array.release();
}

} // namespace dock

namespace dock {

namespace {

CSplitterWnd* FirstSplitter(CFrameWnd* frame) {
    if (!frame)
        return nullptr;
    for (HWND h = ::GetWindow(frame->m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
            return static_cast<CSplitterWnd*>(wnd);
    }
    return nullptr;
}

} // namespace

BOOL CaptureSplitters(CFrameWnd* pFrame, CObArray& splitters) {
    DeleteAll(splitters);
    CSplitterWnd* splitter = FirstSplitter(pFrame);
    if (!splitter)
        return TRUE;
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
    if (!splitter)
        return TRUE;
    for (INT_PTR i = 0; i < splitters.GetSize(); ++i) {
        const auto* state = static_cast<const CDKSplitterColRowState*>(splitters[i]);
        const int count = state->m_bRow ? splitter->GetRowCount() : splitter->GetColumnCount();
        if (state->m_nIndex < 0 || state->m_nIndex >= count)
            continue;
        if (state->m_bRow)
            splitter->SetRowInfo(state->m_nIndex, state->m_nIdealSize, state->m_nMinSize);
        else
            splitter->SetColumnInfo(state->m_nIndex, state->m_nIdealSize, state->m_nMinSize);
    }
    splitter->RecalcLayout();
    return TRUE;
}

} // namespace dock
