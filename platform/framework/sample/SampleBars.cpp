// The sample's bars.

#include "platform/framework/sample/SampleBars.h"

namespace sample {
namespace {

const int kImage = 16;
const int kImageHeight = 15;

// A small picture per command: a coloured square with a mark, enough to tell buttons apart.
void drawPicture(CDC& dc, int index, UINT command) {
    static const COLORREF colours[] = {RGB(255, 255, 255), RGB(230, 200, 60), RGB(40, 80, 200),
                                       RGB(200, 60, 60),   RGB(60, 160, 60),  RGB(140, 90, 180)};
    CRect rc(index * kImage + 2, 1, index * kImage + kImage - 2, kImageHeight - 1);
    dc.FillSolidRect(&rc, colours[command % 6]);
    dc.Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
    CRect mark(rc.left + 4, rc.top + 4, rc.right - 4, rc.bottom - 4);
    dc.FillSolidRect(&mark, RGB(0, 0, 0));
}

// The tool bar's view of one command for update handlers.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(HWND toolBar) : m_toolBar(toolBar) {}
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        ::SendMessage(m_toolBar, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override {
        ::SendMessage(m_toolBar, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck ? TRUE : FALSE, 0));
    }
    void SetText(LPCSTR) override {}

private:
    HWND m_toolBar;
};

} // namespace

BEGIN_MESSAGE_MAP(CSampleToolBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BOOL CSampleToolBar::Create(CFrameWnd* pParent, const std::vector<UINT>& commands) {
    m_commands = commands;
    ::InitCommonControls();
    DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                  CCS_NODIVIDER;
    if (!CreateEx(0, TOOLBARCLASSNAME, nullptr, style, CRect(0, 0, 100, 26), pParent, AFX_IDW_TOOLBAR))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));

    CClientDC screen(pParent);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    int count = static_cast<int>(commands.size());
    m_images.CreateCompatibleBitmap(&screen, kImage * count, kImageHeight);
    CBitmap* old = dc.SelectObject(&m_images);
    dc.FillSolidRect(0, 0, kImage * count, kImageHeight, ::GetSysColor(COLOR_BTNFACE));
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT command : commands) {
        TBBUTTON b{};
        if (command == 0) {
            b.fsStyle = TBSTYLE_SEP;
        } else {
            drawPicture(dc, image, command);
            b.iBitmap = image++;
            b.idCommand = static_cast<int>(command);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
        buttons.push_back(b);
    }
    dc.SelectObject(old);
    TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(static_cast<HBITMAP>(m_images))};
    SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap));
    SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return TRUE;
}

int CSampleToolBar::Height() const {
    DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return HIWORD(size) + 4;
}

int CSampleToolBar::ButtonState(UINT nID) const {
    return static_cast<int>(SendMessage(TB_GETSTATE, nID));
}

LRESULT CSampleToolBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!IsWindowVisible()) return 0;
    int height = Height();
    CRect rc(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + height);
    layout->rect.top += height;
    layout->sizeTotal.cy += height;
    if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rc);
    return 0;
}

LRESULT CSampleToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!IsWindowVisible()) return 0;
    CFrameWnd* pTarget = GetParentFrame();
    if (!pTarget) return 0;
    CToolCmdUI state(m_hWnd);
    for (UINT command : m_commands) {
        if (command == 0) continue;
        state.m_nID = command;
        state.DoUpdate(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

BEGIN_MESSAGE_MAP(CSampleStatusBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CSampleStatusBar::Create(CFrameWnd* pParent) {
    ::InitCommonControls();
    return CreateEx(0, STATUSCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN,
                    CRect(0, 0, 100, 20), pParent, AFX_IDW_STATUS_BAR);
}

CString CSampleStatusBar::PaneText(int nPane) const {
    CString text;
    auto length = LOWORD(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(nPane)));
    SendMessage(SB_GETTEXT, static_cast<WPARAM>(nPane),
                reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer();
    return text;
}

LRESULT CSampleStatusBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!IsWindowVisible()) return 0;
    const int height = 20;
    CRect rc(layout->rect.left, layout->rect.bottom - height, layout->rect.right, layout->rect.bottom);
    layout->rect.bottom -= height;
    layout->sizeTotal.cy += height;
    if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rc);
    return 0;
}

} // namespace sample
