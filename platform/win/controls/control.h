#pragma once
// The base of the standard controls: one object per control window, kept in the window's extra
// bytes, with the helpers every control shares (notifying the parent, WM_CTLCOLOR*, fonts).

#include "platform/win/window_object.h"
#include "platform/win/windows.h"

#include <optional>
#include <string>

namespace pm::ctl {

class Control {
public:
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's answer to one message; messages it leaves go to defaultProc.
    virtual LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    HWND hwnd() const { return m_hwnd; }

protected:
    LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProc(m_hwnd, msg, wParam, lParam);
    }
    DWORD style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }
    void setStyleBits(DWORD bits, bool on);
    int id() const { return static_cast<int>(GetWindowLongPtr(m_hwnd, GWL_ID)); }
    bool enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    bool hasFocus() const { return GetFocus() == m_hwnd; }
    RECT clientRect() const;
    // WM_COMMAND with the control's id and `code` to the parent.
    void notify(int code) const;
    // WM_NOTIFY to the parent with hdr's sender, id and `code` filled in; the parent's answer (0
    // without a parent).
    LRESULT sendNotify(NMHDR& hdr, UINT code) const;
    // Where a WM_HSCROLL / WM_VSCROLL request `code` moves the scroll position from `pos`: steps of
    // `line` and `page`, 0 or `end` for SB_TOP and SB_BOTTOM, the thumb's track position; nothing
    // for codes that do not move.
    std::optional<int> scrollTarget(bool vertical, int code, int pos, int line, int page, int end) const;
    // The brush and colours the parent chooses with WM_CTLCOLOR* (msg), selected into dc.
    HBRUSH controlColour(HDC dc, UINT msg) const;
    // The font of WM_SETFONT, or the system font.
    HFONT font() const { return m_font ? m_font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }
    // The metrics of font() on the control's screen.
    TEXTMETRIC fontMetrics() const;
    // WM_SETFONT, WM_GETFONT and the UI-state messages; true when msg was one of them.
    bool handleCommon(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool showFocus() const { return !(m_uiState & UISF_HIDEFOCUS); }
    bool showAccel() const { return !(m_uiState & UISF_HIDEACCEL); }
    void redraw() const { InvalidateRect(m_hwnd, nullptr, TRUE); }
    // The window text.
    std::string text() const;
    // Fills area with `back` and readies dc for text in the control's font on a transparent
    // background; the font it replaced, to select again.
    HGDIOBJ beginPaintText(HDC dc, const RECT& area, COLORREF back) const;
    // DrawText in the control's colours; disabled text is drawn embossed.
    void drawText(HDC dc, const std::string& text, RECT rc, UINT flags, bool disabled) const;
    // WM_DRAWITEM to the parent for an owner-drawn control or item.
    void sendDrawItem(UINT type, UINT item, UINT action, UINT state, HDC dc, const RECT& rc,
                      ULONG_PTR data) const;

    HWND m_hwnd;
    HFONT m_font = nullptr;
    WORD m_uiState = 0;
};

template <class T> Control* makeControl(HWND hwnd, const CREATESTRUCT& create) {
    return new T(hwnd, create);
}

// Window procedure of a control class T (T(HWND, const CREATESTRUCT&)): each window owns its T.
template <class T> constexpr WNDPROC controlProc = ownedObjectProc<Control, makeControl<T>>;

// Compares two texts ignoring ASCII case: -1, 0 or 1.
int compareNoCase(const std::string& a, const std::string& b);

// True when `to` has left the drag rectangle (SM_CXDRAG by SM_CYDRAG) around `from`.
bool outsideDragRect(POINT from, POINT to);

// Fills a rectangle (nothing when empty) with a solid colour.
void fillSolid(HDC dc, const RECT& rc, COLORREF colour);

// Copies text into a caller's buffer of `size` bytes, cut to fit and always terminated; the bytes
// copied without the terminator. Nothing is written to a null buffer or one of no size.
int copyText(const std::string& text, char* out, int size);

// Registers a system class whose windows keep a Control pointer in their extra bytes.
void registerControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor);

} // namespace pm::ctl
