#include "docking/tests/support/bar_frame.h"

namespace docking_test {

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND_RANGE(0x8100, 0x81FF, OnButton)
    ON_UPDATE_COMMAND_UI_RANGE(0x8100, 0x81FF, OnUpdateButton)
END_MESSAGE_MAP()

BOOL CBarFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pnm = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (pnm->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW)) return CFrameWnd::OnNotify(wParam, lParam, pResult);
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

HBITMAP MakeImages(int count) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16 * count, 15);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, 16 * count, 15};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < count; ++i) {
        RECT square{i * 16 + 2, 2, i * 16 + 14, 13};
        HBRUSH brush = ::CreateSolidBrush(RGB(40 + 50 * (i % 5), 180 - 30 * (i % 6), 90 + 40 * (i % 4)));
        ::FillRect(dc, &square, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

CBarFrame* MakeFrame() {
    pm::afx::registerStandardClasses();
    auto* frame = new CBarFrame;
    if (!frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 300))) return nullptr;
    frame->ShowWindow(SW_SHOW);
    return frame;
}

} // namespace docking_test
