#include "platform/forms/form.h"

#include "platform/forms/menu.h"
#include "platform/forms/standard_controls.h"
#include "platform/forms/tool_tips.h"
#include "platform/win/window_object.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace vb {
namespace {

std::map<HWND, Form*>& forms() {
    static std::map<HWND, Form*> map;
    return map;
}

// The form that was activated last, while it exists.
HWND g_lastActiveForm = nullptr;

DWORD styleOf(FormBorderStyle border) {
    switch (border) {
    case FormBorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case FormBorderStyle::FixedToolWindow:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case FormBorderStyle::Sizable:
        break;
    }
    return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

// Bounds on what a drop may hand over.
constexpr UINT kMaxDroppedFiles = 4096;
constexpr UINT kMaxDroppedPath = 32767;

DWORD exStyleOf(FormBorderStyle border) {
    return border == FormBorderStyle::FixedToolWindow ? WS_EX_TOOLWINDOW : 0;
}

} // namespace

Form::Form(std::string name, int width, int height, FormBorderStyle border)
    : WindowedControl(nullptr, std::move(name)), m_border(border) {
    m_visible = false;
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, styleOf(border), FALSE, exStyleOf(border));
    HWND hwnd = CreateWindowEx(exStyleOf(border), registerFormsClass("FormsForm", windowProc), Name.c_str(),
                               styleOf(border), 0, 0, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                               GetModuleHandle(nullptr), this);
    attach(hwnd);
    forms()[hwnd] = this;
    m_surface = std::make_unique<DrawingSurface>(width, height, m_backColor);
}

Form::~Form() {
    forms().erase(m_hwnd);
    if (g_lastActiveForm == m_hwnd) g_lastActiveForm = nullptr;
    destroyToolTipWindow(m_hwnd);
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

HWND Form::lastActiveWindow() {
    return g_lastActiveForm && IsWindowVisible(g_lastActiveForm) ? g_lastActiveForm : nullptr;
}

Form* Form::fromWindow(HWND hwnd) {
    auto it = forms().find(GetAncestor(hwnd, GA_ROOT));
    return it == forms().end() ? nullptr : it->second;
}

void Form::Load() {
    if (m_loaded) return;
    m_loaded = true;
    Form_Load();
}

void Form::Show() {
    Load();
    if (!m_loaded) return;
    m_visible = true;
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
}

void Form::Hide() {
    m_visible = false;
    ShowWindow(m_hwnd, SW_HIDE);
}

bool Form::Unload() {
    if (!m_loaded) return true;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) return false;
    Hide();
    m_loaded = false;
    return true;
}

std::string Form::Caption() const {
    char text[1024] = {};
    GetWindowText(m_hwnd, text, sizeof text);
    return text;
}

void Form::SetCaption(const std::string& caption) {
    SetWindowText(m_hwnd, caption.c_str());
}

void Form::SetBorderStyle(FormBorderStyle border) {
    int width = ScaleWidth();
    int height = ScaleHeight();
    m_border = border;
    SetWindowLong(m_hwnd, GWL_STYLE, static_cast<LONG>(styleOf(border) | (m_visible ? WS_VISIBLE : 0)));
    SetWindowLong(m_hwnd, GWL_EXSTYLE,
                  static_cast<LONG>(exStyleOf(border) | (TopMost() ? WS_EX_TOPMOST : 0)));
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, styleOf(border), FALSE, exStyleOf(border));
    SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int Form::WindowState() const {
    if (IsIconic(m_hwnd)) return vbMinimized;
    return IsZoomed(m_hwnd) ? vbMaximized : vbNormal;
}

void Form::SetWindowState(int state) {
    int command = state == vbMinimized ? SW_MINIMIZE : state == vbMaximized ? SW_MAXIMIZE : SW_RESTORE;
    ShowWindow(m_hwnd, command);
    // Each of these commands shows a hidden window too.
    m_visible = IsWindowVisible(m_hwnd) != FALSE;
}

void Form::SetTopMost(bool topMost) {
    SetWindowPos(m_hwnd, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Form::TopMost() const {
    return (GetWindowLong(m_hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Form::PopupMenu(const Menu& menu, int x, int y) {
    POINT p{x, y};
    ClientToScreen(m_hwnd, &p);
    std::map<UINT, Menu*> commands;
    HMENU popup = menu.buildPopup(commands);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x, p.y, 0, m_hwnd, nullptr));
    DestroyMenu(popup);
    auto it = commands.find(chosen);
    if (it != commands.end() && it->second->Click) it->second->Click(it->second->Index);
}

void Form::PopupMenu(const Menu& menu) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(m_hwnd, &p);
    PopupMenu(menu, p.x, p.y);
}

void Form::StartSystemMove() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ReleaseCapture();
    SendMessage(m_hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

void Form::SetIcon(HICON icon, HICON smallIcon) {
    SendMessage(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon ? smallIcon : icon));
}

HICON Form::Icon() const {
    return reinterpret_cast<HICON>(SendMessage(m_hwnd, WM_GETICON, ICON_BIG, 0));
}

void Form::SetOLEDropMode(int mode) {
    m_dropMode = mode == vbOLEDropManual ? vbOLEDropManual : vbOLEDropNone;
    DragAcceptFiles(m_hwnd, m_dropMode == vbOLEDropManual);
}

void Form::dropFiles(HDROP drop) {
    std::vector<std::string> files;
    UINT count = std::min(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), kMaxDroppedFiles);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFile(drop, i, nullptr, 0);
        if (length == 0 || length > kMaxDroppedPath) continue;
        std::string path(length + 1, '\0');
        path.resize(DragQueryFile(drop, i, path.data(), length + 1));
        files.push_back(std::move(path));
    }
    DragFinish(drop);
    if (!files.empty() && m_dropMode == vbOLEDropManual) Form_OLEDragDrop(files);
}

int Form::ScaleWidth() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r.right;
}

int Form::ScaleHeight() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r.bottom;
}

void Form::SetBackColor(COLORREF colour) {
    m_backColor = colour;
    Cls();
}

void Form::Cls() {
    m_surface->clear(m_backColor, nullptr);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    m_surface->line(x1, y1, x2, y2, colour);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::FillBox(int x1, int y1, int x2, int y2, COLORREF colour) {
    m_surface->fillBox(x1, y1, x2, y2, colour);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::PaintPicture(HBITMAP picture, int x, int y, int width, int height) {
    m_surface->paintPicture(picture, x, y, width, height);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

long Form::Point(int x, int y) const {
    if (x >= ScaleWidth() || y >= ScaleHeight()) return -1;
    return m_surface->point(x, y);
}

void Form::placementChanged() {
    MoveWindow(m_hwnd, m_left, m_top, m_width, m_height, TRUE);
}

void Form::stateChanged() {
    if (m_visible)
        Show();
    else
        Hide();
    EnableWindow(m_hwnd, m_enabled);
}

bool Form::routeKeyDown(Control& target, int& keyCode) {
    int shift = currentShiftMask();
    if (KeyPreview && &target != this) {
        Form_KeyDown(keyCode, shift);
        if (keyCode == 0) return true;
    }
    if (&target == this)
        Form_KeyDown(keyCode, shift);
    else if (target.KeyDown)
        target.KeyDown(keyCode, shift);
    if (keyCode == 0) return true;
    return pressDialogButton(target, keyCode);
}

bool Form::pressDialogButton(Control& target, int keyCode) {
    if (keyCode == VK_TAB) {
        HWND next = GetNextDlgTabItem(m_hwnd, GetFocus(), (currentShiftMask() & vbShiftMask) != 0);
        if (next) ::SetFocus(next);
        return next != nullptr;
    }
    CommandButton* button = nullptr;
    if (keyCode == VK_RETURN)
        button =
            dynamic_cast<CommandButton*>(&target) ? static_cast<CommandButton*>(&target) : m_defaultButton;
    else if (keyCode == VK_ESCAPE)
        button = m_cancelButton;
    if (!button || !button->Enabled() || !button->Visible()) return false;
    button->press();
    return true;
}

bool Form::pressMnemonic(char letter) {
    std::string mark = std::string("&") + static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        WindowedControl* control = WindowedControl::fromWindow(child);
        if (!control || !control->Visible() || !control->Enabled()) continue;
        auto* button = dynamic_cast<CommandButton*>(control);
        auto* check = dynamic_cast<CheckBox*>(control);
        std::string caption = button ? button->Caption() : check ? check->Caption() : "";
        for (char& c : caption)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (caption.find(mark) == std::string::npos) continue;
        if (button) button->press();
        if (check) check->SetValue(1 - check->Value());
        return true;
    }
    return false;
}

void Form::focusOnActivation() {
    const auto takesFocus = [this](HWND control) {
        return control && IsChild(m_hwnd, control) && IsWindowVisible(control) && IsWindowEnabled(control);
    };
    HWND target = takesFocus(m_activeControl) ? m_activeControl : nullptr;
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); !target && child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowedControl::fromWindow(child) && takesFocus(child)) target = child;
    ::SetFocus(target ? target : m_hwnd);
}

bool Form::routeKeyPress(Control& target, int& keyAscii) {
    if (KeyPreview && &target != this) {
        Form_KeyPress(keyAscii);
        if (keyAscii == 0) return true;
    }
    if (&target == this)
        Form_KeyPress(keyAscii);
    else if (target.KeyPress)
        target.KeyPress(keyAscii);
    return keyAscii == 0;
}

bool routeKeyMessage(Control& control, HWND hwnd, UINT msg, WPARAM wParam) {
    if (msg != WM_KEYDOWN && msg != WM_CHAR && msg != WM_SYSCHAR) return false;
    Form* form = Form::fromWindow(hwnd);
    if (!form) return false;
    if (msg == WM_SYSCHAR) return form->routeSysChar(static_cast<char>(wParam));
    if (msg == WM_CHAR && wParam == '\t') return true;
    int code = static_cast<int>(wParam);
    return msg == WM_KEYDOWN ? form->routeKeyDown(control, code) : form->routeKeyPress(control, code);
}

void Form::paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    m_surface->drawTo(hdc);
    paintWindowless(hdc);
    EndPaint(m_hwnd, &ps);
}

LRESULT Form::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (MousePointer == vbCustom && MouseIcon && reinterpret_cast<HWND>(wParam) == m_hwnd &&
            LOWORD(lParam) == HTCLIENT) {
            SetCursor(MouseIcon);
            return TRUE;
        }
        break;
    case WM_NOTIFY:
        if (answerToolTip(lParam)) return 0;
        break;
    case WM_DROPFILES:
        dropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_activeControl = focus && IsChild(m_hwnd, focus) ? focus : nullptr;
            break;
        }
        g_lastActiveForm = m_hwnd;
        if (HIWORD(wParam)) break; // minimised: nothing takes the focus
        focusOnActivation();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_SIZE: {
        // The surface only grows, so that what was drawn survives rolling up or minimising.
        if (m_surface)
            m_surface->resize(std::max<int>(m_surface->width(), LOWORD(lParam)),
                              std::max<int>(m_surface->height(), HIWORD(lParam)), m_backColor);
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        m_width = r.right - r.left;
        m_height = r.bottom - r.top;
        Form_Resize();
        return 0;
    }
    case WM_MOVE: {
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        m_left = r.left;
        m_top = r.top;
        return 0;
    }
    default:
        break;
    }
    LRESULT colours = 0;
    if (colourChild(msg, wParam, lParam, colours)) return colours;
    if (reflectToChild(msg, wParam, lParam) || routeKeyMessage(*this, m_hwnd, msg, wParam) ||
        handleMouse(*this, msg, wParam, lParam))
        return 0;
    return DefWindowProc(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return pm::borrowedObjectProc<Form, &Form::m_hwnd, &Form::handle>(hwnd, msg, wParam, lParam);
}

} // namespace vb
