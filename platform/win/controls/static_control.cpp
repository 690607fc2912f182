// The "STATIC" control: text with its alignment, icons and bitmaps, rectangles, frames and etched
// lines, owner-drawn statics; with SS_NOTIFY it reports clicks, otherwise the mouse passes through.

#include "platform/win/controls/control.h"
#include "platform/win/controls/system_classes.h"

namespace pm::ctl {

namespace {

class Static final : public Control {
public:
    Static(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd), m_instance(cs.hInstance) {}
    // A bitmap the control loaded itself (from its text) goes with it; images set by the program
    // stay the program's.
    ~Static() override {
        if (m_loaded) DeleteObject(m_loaded);
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) return common;
        switch (msg) {
        case WM_CREATE:
            loadNamedImage();
            return 0;
        case STM_SETICON:
            return setImage(IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(m_icon);
        case STM_SETIMAGE:
            return setImage(wParam, reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_NCHITTEST:
            return (style() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_SETTEXT: {
            LRESULT r = defaultProc(msg, wParam, lParam);
            loadNamedImage();
            redraw();
            return r;
        }
        case WM_ENABLE:
            redraw();
            if (style() & SS_NOTIFY) notify(wParam ? STN_ENABLE : STN_DISABLE);
            return 0;
        case WM_LBUTTONDOWN:
            if (style() & SS_NOTIFY) notify(STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (style() & SS_NOTIFY) notify(STN_DBLCLK);
            return 0;
        default:
            return defaultProc(msg, wParam, lParam);
        }
    }

private:
    DWORD type() const { return style() & SS_TYPEMASK; }

    // SS_ICON and SS_BITMAP statics take their image from the resource their text names.
    void loadNamedImage() {
        if (type() != SS_ICON && type() != SS_BITMAP) return;
        std::string name = text();
        if (name.empty()) return;
        LPCSTR id = name.c_str();
        std::string digits = name[0] == '#' ? name.substr(1) : name;
        bool numeric = !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
        if (numeric) id = MAKEINTRESOURCE(std::stoi(digits.substr(0, 5)));
        if (type() == SS_ICON) {
            if (HICON icon = LoadIcon(m_instance, id)) setImage(IMAGE_ICON, icon);
        } else if (HBITMAP bm = LoadBitmap(m_instance, id)) {
            setImage(IMAGE_BITMAP, bm);
            if (m_loaded) DeleteObject(m_loaded);
            m_loaded = bm;
        }
    }

    LRESULT setImage(WPARAM kind, HANDLE image) {
        if (kind != IMAGE_ICON && kind != IMAGE_BITMAP && kind != IMAGE_CURSOR) return 0;
        HANDLE& slot = kind == IMAGE_BITMAP ? m_bitmap : m_icon;
        HANDLE old = slot;
        slot = image;
        fitToImage();
        redraw();
        return reinterpret_cast<LRESULT>(old);
    }

    // Icon and bitmap statics take the image's size unless they centre it.
    void fitToImage() {
        if (style() & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)) return;
        SIZE size = imageSize();
        if (size.cx <= 0 || size.cy <= 0) return;
        SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    SIZE imageSize() const {
        if (type() == SS_BITMAP && m_bitmap) {
            BITMAP bm{};
            GetObject(m_bitmap, sizeof bm, &bm);
            return SIZE{bm.bmWidth, bm.bmHeight};
        }
        if (type() == SS_ICON && m_icon)
            return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        return SIZE{0, 0};
    }

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        HGDIOBJ oldFont = SelectObject(dc, font());
        RECT rc = clientRect();
        if (style() & SS_SUNKEN) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        paintContent(dc, rc);
        SelectObject(dc, oldFont);
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    void paintContent(HDC dc, const RECT& rc) {
        switch (type()) {
        case SS_OWNERDRAW:
            controlColour(dc, WM_CTLCOLORSTATIC);
            sendDrawItem(ODT_STATIC, 0, ODA_DRAWENTIRE, enabled() ? 0 : ODS_DISABLED, dc, rc, 0);
            return;
        case SS_BLACKRECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
            return;
        case SS_GRAYRECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_BACKGROUND));
            return;
        case SS_WHITERECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
            return;
        case SS_BLACKFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
            return;
        case SS_GRAYFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_BACKGROUND));
            return;
        case SS_WHITEFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
            return;
        case SS_ETCHEDHORZ:
            paintEtched(dc, rc, BF_TOP);
            return;
        case SS_ETCHEDVERT:
            paintEtched(dc, rc, BF_LEFT);
            return;
        case SS_ETCHEDFRAME:
            paintEtched(dc, rc, BF_RECT);
            return;
        case SS_ICON:
        case SS_BITMAP:
            paintImage(dc, rc);
            return;
        default:
            paintText(dc, rc);
            return;
        }
    }

    void paintEtched(HDC dc, RECT rc, UINT edges) {
        FillRect(dc, &rc, controlColour(dc, WM_CTLCOLORSTATIC));
        DrawEdge(dc, &rc, EDGE_ETCHED, edges);
    }

    void paintImage(HDC dc, const RECT& rc) {
        FillRect(dc, &rc, controlColour(dc, WM_CTLCOLORSTATIC));
        SIZE size = imageSize();
        int x = (style() & SS_CENTERIMAGE) ? (rc.left + rc.right - size.cx) / 2 : rc.left;
        int y = (style() & SS_CENTERIMAGE) ? (rc.top + rc.bottom - size.cy) / 2 : rc.top;
        if (type() == SS_ICON && m_icon) {
            DrawIconEx(dc, x, y, static_cast<HICON>(m_icon), size.cx, size.cy, 0, nullptr, DI_NORMAL);
            return;
        }
        if (!m_bitmap) return;
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, m_bitmap);
        BitBlt(dc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    }

    void paintText(HDC dc, const RECT& rc) {
        HBRUSH back = controlColour(dc, WM_CTLCOLORSTATIC);
        FillRect(dc, &rc, back);
        DWORD s = style();
        UINT flags = DT_EXPANDTABS;
        switch (type()) {
        case SS_CENTER:
            flags |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            flags |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            flags |= DT_SINGLELINE | DT_NOCLIP;
            break;
        case SS_LEFTNOWORDWRAP:
            break;
        default:
            flags |= DT_WORDBREAK;
            break;
        }
        if (s & SS_NOPREFIX) flags |= DT_NOPREFIX;
        if (s & SS_CENTERIMAGE) flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
        switch (s & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS:
            flags |= DT_END_ELLIPSIS;
            break;
        case SS_PATHELLIPSIS:
            flags |= DT_PATH_ELLIPSIS;
            break;
        case SS_WORDELLIPSIS:
            flags |= DT_WORD_ELLIPSIS;
            break;
        default:
            break;
        }
        if ((s & SS_ELLIPSISMASK) && (flags & DT_WORDBREAK)) flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE;
        drawText(dc, text(), rc, flags, !enabled());
    }

    HINSTANCE m_instance = nullptr;
    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
    HBITMAP m_loaded = nullptr; // the bitmap loaded from the text, deleted with the control
};

} // namespace

void registerStaticClass() {
    registerControlClass("STATIC", controlProc<Static>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::ctl
