#include "docking/tests/support/bar_frame.h"

#include "platform/framework/tests/support/framework_test.h"

namespace docking_test {

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND_RANGE(0x8100, 0x81FF, OnButton)
    ON_UPDATE_COMMAND_UI_RANGE(0x8100, 0x81FF, OnUpdateButton)
END_MESSAGE_MAP()

BOOL CBarFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pnm = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (pnm->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return CFrameWnd::OnNotify(wParam, lParam, pResult);
    m_draws.push_back({pnm->dwDrawStage, pnm->dwItemSpec, pnm->uItemState});
    if (pnm->dwDrawStage == CDDS_PREPAINT) {
        *pResult = m_prePaintAnswer;
    } else if (pnm->dwDrawStage == CDDS_ITEMPREPAINT) {
        *pResult = pnm->dwItemSpec == m_nSkipItem ? CDRF_SKIPDEFAULT : m_itemAnswer;
    } else {
        *pResult = CDRF_DODEFAULT;
    }
    return TRUE;
}

CBarFrame* MakeFrame() {
    pm::afx::registerStandardClasses();
    auto* frame = new CBarFrame;
    if (!frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 300))) return nullptr;
    frame->ShowWindow(SW_SHOW);
    return frame;
}

} // namespace docking_test
