// The "COMBOBOX" control: simple, drop-down and drop-down list combo boxes over an edit child and
// a "ComboLBox" list (a child for simple combos, else a popup shown below the box while dropped,
// with the mouse captured by the combo box). Owner-draw messages of the list are passed on to the
// combo box's parent under the combo box's id.

#include "platform/win/controls/control.h"
#include "platform/win/controls/system_classes.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pm::ctl {

namespace {

constexpr int kListId = 1000;
constexpr int kEditId = 1001;
constexpr char kComboProp[] = "pm.combo.editproc";

class ComboBox final : public Control {
public:
    ComboBox(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd), m_style(static_cast<DWORD>(cs.style)) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_NCCREATE:
            // WS_VSCROLL and WS_HSCROLL belong to the list, not to the box.
            setStyleBits(WS_VSCROLL | WS_HSCROLL, false);
            return defaultProc(msg, wParam, lParam);
        case WM_CREATE:
            return create(*reinterpret_cast<const CREATESTRUCT*>(lParam));
        case WM_DESTROY:
            if (m_list && kind() != CBS_SIMPLE) DestroyWindow(m_list);
            m_list = nullptr;
            return defaultProc(msg, wParam, lParam);
        case WM_SETFONT:
            return setFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font);
        case WM_SETTEXT:
            return setText(reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return getText(static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(fieldText().size());
        case WM_GETDLGCODE:
            return dialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_SIZE:
            sized();
            return 0;
        case WM_ENABLE:
            return enable(wParam != 0);
        case WM_SETFOCUS:
            return gotFocus();
        case WM_KILLFOCUS:
            return lostFocus(reinterpret_cast<HWND>(wParam));
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return mouseDown(lParam);
        case WM_MOUSEMOVE:
            return mouseMove(lParam);
        case WM_LBUTTONUP:
            return mouseUp(lParam);
        case WM_CAPTURECHANGED:
            if (m_dropped && reinterpret_cast<HWND>(lParam) != m_hwnd) close(false);
            return 0;
        case WM_KEYDOWN:
            return key(static_cast<int>(wParam));
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP) return toggle();
            return defaultProc(msg, wParam, lParam);
        case WM_CHAR:
            return typed(wParam);
        case WM_COMMAND:
            return childCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM:
            return forwardOwnerDraw(msg, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            return GetParent(m_hwnd) ? SendMessage(GetParent(m_hwnd), msg, wParam, lParam)
                                     : defaultProc(msg, wParam, lParam);
        default:
            return comboMessage(msg, wParam, lParam);
        }
    }

private:
    DWORD kind() const { return m_style & 3; }
    bool hasEdit() const { return kind() != CBS_DROPDOWNLIST; }
    bool ownerDraw() const { return (m_style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    LRESULT list(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return m_list ? SendMessage(m_list, msg, wParam, lParam) : CB_ERR;
    }
    int current() const { return static_cast<int>(list(LB_GETCURSEL)); }

    LRESULT comboMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case CB_ADDSTRING:
            return list(LB_ADDSTRING, 0, lParam);
        case CB_INSERTSTRING:
            return list(LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING: {
            LRESULT r = list(LB_DELETESTRING, wParam, lParam);
            updateField();
            return r;
        }
        case CB_RESETCONTENT:
            list(LB_RESETCONTENT);
            if (m_edit) SetWindowText(m_edit, "");
            redraw();
            return CB_OKAY;
        case CB_GETCOUNT:
            return list(LB_GETCOUNT);
        case CB_GETCURSEL:
            return list(LB_GETCURSEL);
        case CB_SETCURSEL: {
            LRESULT r = list(LB_SETCURSEL, wParam);
            updateField();
            return r;
        }
        case CB_GETLBTEXT:
            return list(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN:
            return list(LB_GETTEXTLEN, wParam);
        case CB_FINDSTRING:
            return list(LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT:
            return list(LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING: {
            LRESULT r = list(LB_SELECTSTRING, wParam, lParam);
            if (r != CB_ERR) updateField();
            return r;
        }
        case CB_GETITEMDATA:
            return list(LB_GETITEMDATA, wParam);
        case CB_SETITEMDATA:
            return list(LB_SETITEMDATA, wParam, lParam);
        case CB_GETTOPINDEX:
            return list(LB_GETTOPINDEX);
        case CB_SETTOPINDEX:
            return list(LB_SETTOPINDEX, wParam);
        case CB_GETITEMHEIGHT:
            return static_cast<int>(wParam) == -1 ? m_fieldHeight : list(LB_GETITEMHEIGHT, wParam);
        case CB_SETITEMHEIGHT:
            return setItemHeight(static_cast<int>(wParam), static_cast<int>(lParam));
        case CB_SHOWDROPDOWN:
            if (wParam)
                open();
            else
                close(false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return m_dropped;
        case CB_GETDROPPEDCONTROLRECT:
            return droppedRect(reinterpret_cast<RECT*>(lParam));
        case CB_LIMITTEXT:
            if (!m_edit) return CB_ERR;
            SendMessage(m_edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_GETEDITSEL:
            return m_edit ? SendMessage(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
        case CB_SETEDITSEL:
            if (!m_edit) return CB_ERR;
            SendMessage(m_edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                        static_cast<short>(HIWORD(lParam)));
            return TRUE;
        case CB_SETEXTENDEDUI:
            m_extendedUi = wParam != 0;
            return CB_OKAY;
        case CB_GETEXTENDEDUI:
            return m_extendedUi;
        case CB_GETDROPPEDWIDTH:
            return m_droppedWidth ? m_droppedWidth : clientRect().right;
        case CB_SETDROPPEDWIDTH:
            m_droppedWidth = static_cast<int>(wParam);
            return m_droppedWidth;
        default:
            break;
        }
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) return common;
        return defaultProc(msg, wParam, lParam);
    }

    // ---- Creation and layout ----

    LRESULT create(const CREATESTRUCT& cs) {
        DWORD listStyle = LBS_COMBOBOX | LBS_NOTIFY | (m_style & (WS_VSCROLL | WS_HSCROLL)) |
                          (m_style & CBS_SORT ? LBS_SORT : 0) |
                          (m_style & CBS_OWNERDRAWFIXED ? LBS_OWNERDRAWFIXED : 0) |
                          (m_style & CBS_OWNERDRAWVARIABLE ? LBS_OWNERDRAWVARIABLE : 0) |
                          (m_style & CBS_HASSTRINGS ? LBS_HASSTRINGS : 0) |
                          (m_style & CBS_DISABLENOSCROLL ? LBS_DISABLENOSCROLL : 0) | LBS_NOINTEGRALHEIGHT;
        measureField();
        if (kind() == CBS_SIMPLE) {
            m_list = CreateWindowEx(WS_EX_CLIENTEDGE, "ComboLBox", "", WS_CHILD | WS_VISIBLE | listStyle, 0,
                                    0, 10, 10, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                    cs.hInstance, m_hwnd);
        } else {
            m_dropHeight = std::max(cs.cy - totalHeight(), m_fieldHeight);
            m_list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "",
                                    WS_POPUP | WS_BORDER | listStyle, 0, 0, 10, 10, m_hwnd, nullptr,
                                    cs.hInstance, m_hwnd);
        }
        if (hasEdit()) createEdit(cs.hInstance);
        if (kind() != CBS_SIMPLE)
            SetWindowPos(m_hwnd, nullptr, 0, 0, cs.cx, totalHeight(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layout();
        return m_list ? 0 : -1;
    }

    void createEdit(HINSTANCE instance) {
        DWORD es = WS_CHILD | WS_VISIBLE | (m_style & CBS_AUTOHSCROLL ? ES_AUTOHSCROLL : 0) |
                   (m_style & CBS_UPPERCASE ? ES_UPPERCASE : 0) |
                   (m_style & CBS_LOWERCASE ? ES_LOWERCASE : 0);
        m_edit = CreateWindowEx(0, "EDIT", "", es, 0, 0, 10, 10, m_hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
        if (!m_edit) return;
        auto old = SetWindowLongPtr(m_edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
        SetProp(m_edit, kComboProp, reinterpret_cast<HANDLE>(old));
    }

    // Keys the combo box handles while its edit has the focus.
    static LRESULT CALLBACK editProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto old = reinterpret_cast<WNDPROC>(GetProp(edit, kComboProp));
        HWND combo = GetParent(edit);
        bool dropped = combo && SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0);
        if (msg == WM_KEYDOWN) {
            bool comboKey = wParam == VK_UP || wParam == VK_DOWN || wParam == VK_F4 || wParam == VK_PRIOR ||
                            wParam == VK_NEXT || (dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE));
            if (comboKey) return SendMessage(combo, msg, wParam, lParam);
        }
        if (msg == WM_SYSKEYDOWN && (wParam == VK_UP || wParam == VK_DOWN))
            return SendMessage(combo, msg, wParam, lParam);
        if (msg == WM_CHAR && dropped && (wParam == '\r' || wParam == 27)) return 0;
        if (msg == WM_GETDLGCODE) {
            LRESULT code = SendMessage(combo, WM_GETDLGCODE, wParam, lParam);
            return code | (old ? CallWindowProc(old, edit, msg, wParam, lParam) : 0);
        }
        if (msg == WM_NCDESTROY) RemoveProp(edit, kComboProp);
        return old ? CallWindowProc(old, edit, msg, wParam, lParam)
                   : DefWindowProc(edit, msg, wParam, lParam);
    }

    void measureField() {
        TEXTMETRIC tm = fontMetrics();
        m_fieldHeight = tm.tmHeight + 2;
        if (!ownerDraw()) return;
        MEASUREITEMSTRUCT mis{ODT_COMBOBOX,
                              static_cast<UINT>(id()),
                              static_cast<UINT>(-1),
                              0,
                              static_cast<UINT>(m_fieldHeight),
                              0};
        if (HWND parent = GetParent(m_hwnd))
            SendMessage(parent, WM_MEASUREITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&mis));
        m_fieldHeight = std::max<int>(static_cast<int>(mis.itemHeight), 1);
    }

    int totalHeight() const { return m_fieldHeight + 6; }

    RECT fieldRect() const {
        RECT rc = clientRect();
        RECT f{3, 3, rc.right - 3, 3 + m_fieldHeight};
        if (kind() != CBS_SIMPLE) f.right = std::max(f.left, rc.right - 2 - GetSystemMetrics(SM_CXVSCROLL));
        return f;
    }

    RECT buttonRect() const {
        RECT rc = clientRect();
        return RECT{rc.right - 2 - GetSystemMetrics(SM_CXVSCROLL), 2, rc.right - 2,
                    std::min<LONG>(rc.bottom - 2, totalHeight() - 2)};
    }

    // A drop-down combo stays as high as its field; a taller size given to it becomes the height of
    // its dropped list, as a size given at creation does.
    void sized() {
        RECT box{};
        GetWindowRect(m_hwnd, &box);
        const int height = box.bottom - box.top;
        if (kind() != CBS_SIMPLE && height != totalHeight()) {
            if (height > totalHeight()) m_dropHeight = height - totalHeight();
            SetWindowPos(m_hwnd, nullptr, 0, 0, box.right - box.left, totalHeight(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
        layout();
        InvalidateRect(m_hwnd, nullptr, FALSE); // the field and the drop button follow the width
    }

    void layout() {
        RECT f = fieldRect();
        if (m_edit) MoveWindow(m_edit, f.left, f.top, f.right - f.left, f.bottom - f.top, TRUE);
        if (kind() == CBS_SIMPLE && m_list) {
            RECT rc = clientRect();
            MoveWindow(m_list, 0, totalHeight(), rc.right, std::max<LONG>(rc.bottom - totalHeight(), 0),
                       TRUE);
        }
    }

    LRESULT setFont(HFONT f, bool repaint) {
        m_font = f;
        if (m_edit) SendMessage(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        if (m_list) SendMessage(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        if (!ownerDraw()) measureField();
        if (kind() != CBS_SIMPLE) {
            RECT rc = clientRect();
            SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right, totalHeight(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        layout();
        if (repaint) redraw();
        return 0;
    }

    LRESULT setItemHeight(int index, int h) {
        if (h <= 0 || h > 255) return CB_ERR;
        if (index != -1) return list(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), h);
        m_fieldHeight = h;
        if (kind() != CBS_SIMPLE) {
            RECT rc = clientRect();
            SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right, totalHeight(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        layout();
        redraw();
        return CB_OKAY;
    }

    LRESULT enable(bool on) {
        if (m_edit) EnableWindow(m_edit, on);
        if (m_list) EnableWindow(m_list, on);
        redraw();
        return 0;
    }

    // ---- Text ----

    std::string itemText(int i) const {
        LRESULT n = list(LB_GETTEXTLEN, static_cast<WPARAM>(i));
        if (n < 0 || !(m_style & CBS_HASSTRINGS || !ownerDraw())) return {};
        std::string s(static_cast<std::size_t>(n) + 1, '\0');
        list(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<std::size_t>(n));
        return s;
    }

    std::string fieldText() const {
        if (!m_edit) return current() >= 0 ? itemText(current()) : std::string();
        int n = GetWindowTextLength(m_edit);
        std::string s(static_cast<std::size_t>(n) + 1, '\0');
        s.resize(static_cast<std::size_t>(GetWindowText(m_edit, s.data(), n + 1)));
        return s;
    }

    LRESULT setText(LPCSTR s) {
        if (m_edit) {
            SetWindowText(m_edit, s ? s : "");
            return TRUE;
        }
        LRESULT i = list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s ? s : ""));
        if (i == LB_ERR) return CB_ERR;
        list(LB_SETCURSEL, static_cast<WPARAM>(i));
        redraw();
        return TRUE;
    }

    LRESULT getText(int size, LPSTR out) const {
        if (!out || size <= 0) return 0;
        std::string t = fieldText();
        std::size_t n = std::min(t.size(), static_cast<std::size_t>(size - 1));
        t.copy(out, n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    // Shows the selected item in the field: the edit's text, or the drawn selection.
    void updateField() {
        if (m_edit) {
            int i = current();
            SetWindowText(m_edit, i >= 0 ? itemText(i).c_str() : "");
            SendMessage(m_edit, EM_SETSEL, 0, -1);
        }
        redraw();
    }

    // ---- Dropping down ----

    LRESULT droppedRect(RECT* out) const {
        if (!out) return CB_ERR;
        if (kind() == CBS_SIMPLE) {
            GetWindowRect(m_list, out);
            return CB_OKAY;
        }
        *out = listRectOnScreen();
        return CB_OKAY;
    }

    RECT listRectOnScreen() const {
        RECT box{};
        GetWindowRect(m_hwnd, &box);
        int count = static_cast<int>(list(LB_GETCOUNT));
        int item = static_cast<int>(list(LB_GETITEMHEIGHT, 0));
        int h = std::min(m_dropHeight, std::max(1, count) * item + 2);
        int w = std::max<LONG>(m_droppedWidth, box.right - box.left);
        RECT r{box.left, box.bottom, box.left + w, box.bottom + h};
        if (r.bottom > GetSystemMetrics(SM_CYSCREEN) && box.top - h >= 0)
            OffsetRect(&r, 0, box.top - h - box.bottom);
        return r;
    }

    void open() {
        if (m_dropped || kind() == CBS_SIMPLE || !m_list) return;
        HWND self = m_hwnd;
        notify(CBN_DROPDOWN);
        if (!IsWindow(self)) return;
        if (GetFocus() != m_hwnd && (!m_edit || GetFocus() != m_edit)) SetFocus(m_edit ? m_edit : m_hwnd);
        if (m_edit) {
            std::string t = fieldText();
            LRESULT i =
                list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(t.c_str()));
            list(LB_SETCURSEL, static_cast<WPARAM>(i));
        }
        RECT r = listRectOnScreen();
        SetWindowPos(m_list, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        if (current() >= 0) list(LB_SETTOPINDEX, static_cast<WPARAM>(current()));
        m_dropped = true;
        m_pressed = true;
        m_trackedInList = false;
        SetCapture(m_hwnd);
        redraw();
    }

    // Hides the list; `accept` tells whether the user chose (Enter or a click in the list).
    void close(bool accept) {
        if (!m_dropped) return;
        m_dropped = false;
        m_pressed = false;
        HWND self = m_hwnd;
        if (GetCapture() == m_hwnd) ReleaseCapture();
        if (!IsWindow(self)) return;
        ShowWindow(m_list, SW_HIDE);
        if (accept && m_edit) updateField();
        redraw();
        notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
        if (IsWindow(self)) notify(CBN_CLOSEUP);
    }

    LRESULT toggle() {
        if (m_dropped)
            close(true);
        else
            open();
        return 0;
    }

    // ---- Mouse ----

    bool inList(POINT client, POINT& inListClient) const {
        POINT screen = client;
        ClientToScreen(m_hwnd, &screen);
        RECT lr{};
        GetWindowRect(m_list, &lr);
        if (!PtInRect(&lr, screen)) return false;
        inListClient = screen;
        ScreenToClient(m_list, &inListClient);
        return true;
    }

    LRESULT mouseDown(LPARAM lParam) {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!m_dropped && GetFocus() != m_hwnd && GetFocus() != m_edit && kind() != CBS_SIMPLE)
            SetFocus(m_edit ? m_edit : m_hwnd);
        if (!m_dropped) {
            if (kind() == CBS_SIMPLE) {
                if (m_edit) SetFocus(m_edit);
                return 0;
            }
            RECT button = buttonRect();
            if (kind() == CBS_DROPDOWN && !PtInRect(&button, p)) return 0;
            open();
            return 0;
        }
        POINT lp{};
        if (inList(p, lp)) {
            trackTo(lp);
            return 0;
        }
        RECT rc = clientRect();
        if (!PtInRect(&rc, p))
            close(false);
        else if (kind() == CBS_DROPDOWNLIST || PtInRect(&m_buttonCache, p))
            close(false);
        return 0;
    }

    void trackTo(POINT listClient) {
        LRESULT hit = list(LB_ITEMFROMPOINT, 0, MAKELPARAM(listClient.x, listClient.y));
        if (HIWORD(hit)) return;
        int i = LOWORD(hit);
        m_trackedInList = true;
        if (i == current()) return;
        list(LB_SETCURSEL, static_cast<WPARAM>(i));
        if (m_edit) updateField();
        redraw();
        notify(CBN_SELCHANGE);
    }

    LRESULT mouseMove(LPARAM lParam) {
        if (!m_dropped) return 0;
        POINT lp{};
        if (inList(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, lp)) trackTo(lp);
        return 0;
    }

    LRESULT mouseUp(LPARAM lParam) {
        if (!m_dropped) return 0;
        m_pressed = false;
        redraw();
        POINT lp{};
        if (inList(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, lp) && m_trackedInList) close(true);
        return 0;
    }

    // ---- Keyboard ----

    LRESULT dialogCode(const MSG* msg) const {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (m_dropped && msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            code |= DLGC_WANTALLKEYS;
        return code;
    }

    void step(int vk) {
        int before = current();
        int count = static_cast<int>(list(LB_GETCOUNT));
        if (!count) return;
        int page = std::max(1, m_dropHeight / std::max(1, static_cast<int>(list(LB_GETITEMHEIGHT, 0))) - 1);
        int target = before;
        switch (vk) {
        case VK_UP:
            target = before < 0 ? 0 : before - 1;
            break;
        case VK_DOWN:
            target = before + 1;
            break;
        case VK_PRIOR:
            target = before - page;
            break;
        case VK_NEXT:
            target = before + page;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        default:
            return;
        }
        target = std::clamp(target, 0, count - 1);
        if (target == before) return;
        list(LB_SETCURSEL, static_cast<WPARAM>(target));
        selectionChangedByUser();
    }

    // A user's change of selection: with the list closed it is also final (CBN_SELENDOK).
    void selectionChangedByUser() {
        updateField();
        HWND self = m_hwnd;
        if (!m_dropped) notify(CBN_SELENDOK);
        if (IsWindow(self)) notify(CBN_SELCHANGE);
    }

    LRESULT key(int vk) {
        switch (vk) {
        case VK_F4:
            return toggle();
        case VK_RETURN:
            if (m_dropped) close(true);
            return 0;
        case VK_ESCAPE:
            if (m_dropped) close(false);
            return 0;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            if (m_extendedUi && !m_dropped && vk == VK_DOWN && kind() != CBS_SIMPLE) {
                open();
                return 0;
            }
            step(vk);
            return 0;
        case VK_HOME:
        case VK_END:
            if (!m_edit) step(vk);
            return 0;
        default:
            return 0;
        }
    }

    LRESULT typed(WPARAM c) {
        if (m_edit || c < 0x20) return 0;
        int before = current();
        list(WM_CHAR, c);
        if (current() != before) selectionChangedByUser();
        return 0;
    }

    // ---- Focus ----

    LRESULT gotFocus() {
        if (m_edit) {
            SetFocus(m_edit);
            SendMessage(m_edit, EM_SETSEL, 0, -1);
            return 0;
        }
        redraw();
        notify(CBN_SETFOCUS);
        return 0;
    }

    LRESULT lostFocus(HWND to) {
        if (to && (to == m_edit || to == m_list)) return 0;
        close(false);
        redraw();
        if (!m_edit) notify(CBN_KILLFOCUS);
        return 0;
    }

    // ---- The children's notifications and owner-draw messages ----

    LRESULT childCommand(int child, int code) {
        if (child == kEditId) return editCommand(code);
        if (child != kListId) return 0;
        if (code == LBN_SELCHANGE && kind() == CBS_SIMPLE) {
            updateField();
            notify(CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
            notify(CBN_DBLCLK);
        }
        return 0;
    }

    LRESULT editCommand(int code) {
        switch (code) {
        case EN_CHANGE:
            notify(CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            notify(CBN_EDITUPDATE);
            break;
        case EN_SETFOCUS:
            notify(CBN_SETFOCUS);
            break;
        case EN_KILLFOCUS:
            if (GetFocus() != m_hwnd) {
                close(false);
                notify(CBN_KILLFOCUS);
            }
            break;
        default:
            break;
        }
        return 0;
    }

    LRESULT forwardOwnerDraw(UINT msg, LPARAM lParam) {
        HWND parent = GetParent(m_hwnd);
        if (!parent) return 0;
        UINT myId = static_cast<UINT>(id());
        switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID = myId;
            break;
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            d->CtlID = myId;
            d->hwndItem = m_hwnd;
            break;
        }
        case WM_COMPAREITEM: {
            auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
            c->CtlID = myId;
            c->hwndItem = m_hwnd;
            break;
        }
        case WM_DELETEITEM: {
            auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
            d->CtlID = myId;
            d->hwndItem = m_hwnd;
            break;
        }
        default:
            break;
        }
        return SendMessage(parent, msg, myId, lParam);
    }

    // ---- Painting ----

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        HGDIOBJ oldFont = SelectObject(dc, font());
        RECT rc = clientRect();
        RECT box{0, 0, rc.right, kind() == CBS_SIMPLE ? totalHeight() : rc.bottom};
        HBRUSH brush = controlColour(dc, m_edit ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX);
        FillRect(dc, &box, enabled() ? brush : GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
        if (kind() != CBS_SIMPLE) {
            RECT b = buttonRect();
            m_buttonCache = b;
            DrawFrameControl(dc, &b, DFC_SCROLL,
                             DFCS_SCROLLCOMBOBOX | (m_pressed ? DFCS_PUSHED | DFCS_FLAT : 0) |
                                 (enabled() ? 0 : DFCS_INACTIVE));
        }
        if (!m_edit) paintSelection(dc);
        SelectObject(dc, oldFont);
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    void paintSelection(HDC dc) {
        RECT f = fieldRect();
        int i = current();
        bool focused = hasFocus() && !m_dropped;
        if (ownerDraw()) {
            UINT state =
                ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
            ULONG_PTR data =
                i >= 0 ? static_cast<ULONG_PTR>(list(LB_GETITEMDATA, static_cast<WPARAM>(i))) : 0;
            sendDrawItem(ODT_COMBOBOX, static_cast<UINT>(i), ODA_DRAWENTIRE, state, dc, f, data);
            return;
        }
        if (focused) {
            FillRect(dc, &f, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        if (!enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        std::string t = i >= 0 ? itemText(i) : std::string();
        RECT text{f.left + 2, f.top, f.right, f.bottom};
        DrawText(dc, t.c_str(), static_cast<int>(t.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (focused && showFocus()) DrawFocusRect(dc, &f);
    }

    DWORD m_style;
    HWND m_edit = nullptr;
    HWND m_list = nullptr;
    int m_fieldHeight = 15;
    int m_dropHeight = 100;
    int m_droppedWidth = 0;
    bool m_dropped = false;
    bool m_pressed = false;
    bool m_trackedInList = false;
    bool m_extendedUi = false;
    RECT m_buttonCache{};
};

} // namespace

void registerComboBoxClass() {
    registerControlClass("COMBOBOX", controlProc<ComboBox>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::ctl
