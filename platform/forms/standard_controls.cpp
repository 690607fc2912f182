#include "platform/forms/standard_controls.h"

#include "platform/forms/form.h"
#include "platform/forms/user_control.h"

#include <algorithm>

namespace vb {
namespace {

const char* const kControlProperty = "FormsControl";

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void raise(const PlainEvent& event) {
    if (event) event();
}

} // namespace

StandardControl::StandardControl(Container& container, std::string name, const char* className, DWORD style,
                                 int left, int top, int width, int height, const std::string& text)
    : WindowedControl(&container, std::move(name)) {
    m_left = left;
    m_top = top;
    HWND hwnd = CreateWindowEx(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, top, width,
                               height, container.hWnd(), nullptr, GetModuleHandle(nullptr), nullptr);
    attach(hwnd);
    // Controls take the forms' own font (8-point sans serif), not the window system's bold default.
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetProp(hwnd, kControlProperty, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardControl::subclassProc)));
}

StandardControl::~StandardControl() {
    if (!IsWindow(m_hwnd)) return;
    SetWindowLongPtr(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    RemoveProp(m_hwnd, kControlProperty);
}

void StandardControl::becomeHiddenCopyOf(const StandardControl& element) {
    copyPropertiesFrom(element);
    SetEnabled(element.Enabled());
    SetVisible(false);
}

LRESULT CALLBACK StandardControl::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<StandardControl*>(GetProp(hwnd, kControlProperty));
    return self->handle(msg, wParam, lParam);
}

LRESULT StandardControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (routeKeyMessage(*this, m_hwnd, msg, wParam)) return 0;
    HWND hwnd = m_hwnd;
    // A release reports MouseUp before the control acts on it, so that a button's Click follows.
    if (isButtonUp(msg) && !mouseEvent(msg, wParam, lParam)) return 0;
    LRESULT result = CallWindowProc(m_previous, hwnd, msg, wParam, lParam);
    if (!IsWindow(hwnd)) return result;
    switch (msg) {
    case WM_SETFOCUS:
        raise(GotFocus);
        userControlFocusEntered(reinterpret_cast<HWND>(wParam), hwnd);
        break;
    case WM_KILLFOCUS:
        raise(LostFocus);
        userControlFocusLeft(hwnd, reinterpret_cast<HWND>(wParam));
        break;
    default:
        if (!isButtonUp(msg)) mouseEvent(msg, wParam, lParam);
        break;
    }
    return result;
}

bool StandardControl::isButtonUp(UINT msg) {
    return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
}

bool StandardControl::mouseEvent(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hwnd;
    int x = static_cast<short>(LOWORD(lParam));
    int y = static_cast<short>(HIWORD(lParam));
    int shift = currentShiftMask();
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (MouseDown) MouseDown(buttonOfMessage(msg), shift, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (MouseUp) MouseUp(buttonOfMessage(msg), shift, x, y);
        break;
    case WM_MOUSEMOVE:
        if (MouseMove) MouseMove(heldButtonsMask(wParam), shift, x, y);
        break;
    default:
        break;
    }
    return IsWindow(hwnd) != FALSE;
}

// ---- TextBox ----

TextBox::TextBox(Container& container, std::string name, int left, int top, int width, int height)
    : StandardControl(container, std::move(name), "EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, left, top,
                      width, height) {
    m_backColor = GetSysColor(COLOR_WINDOW);
}

std::string TextBox::Text() const {
    return windowText(m_hwnd);
}

void TextBox::SetText(const std::string& text) {
    SetWindowText(m_hwnd, text.c_str());
}

void TextBox::SetSelStart(int start) {
    SendMessage(m_hwnd, EM_SETSEL, start, start);
}

int TextBox::SelStart() const {
    DWORD start = 0;
    SendMessage(m_hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

std::unique_ptr<TextBox> TextBox::clone() const {
    auto copy = std::make_unique<TextBox>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->SetText(Text());
    copy->becomeHiddenCopyOf(*this);
    return copy;
}

bool TextBox::reflect(UINT msg, WPARAM wParam) {
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return false;
    raise(Change);
    return true;
}

// ---- ListBox ----

ListBox::ListBox(Container& container, std::string name, int left, int top, int width, int height,
                 bool sorted)
    : StandardControl(container, std::move(name), "LISTBOX",
                      WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                          (sorted ? LBS_SORT : 0),
                      left, top, width, height) {
    m_backColor = GetSysColor(COLOR_WINDOW);
    fitWholeRows();
}

void ListBox::fitWholeRows() {
    const int row = static_cast<int>(SendMessage(m_hwnd, LB_GETITEMHEIGHT, 0, 0));
    RECT client{};
    GetClientRect(m_hwnd, &client);
    if (row <= 0 || client.bottom <= row) return;
    const int cut = client.bottom % row;
    if (cut > 0) Move(m_left, m_top, m_width, m_height - cut);
}

void ListBox::AddItem(const std::string& item) {
    SendMessage(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::Clear() {
    SendMessage(m_hwnd, LB_RESETCONTENT, 0, 0);
}

int ListBox::ListCount() const {
    return static_cast<int>(SendMessage(m_hwnd, LB_GETCOUNT, 0, 0));
}

std::string ListBox::List(int index) const {
    LRESULT length = SendMessage(m_hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(m_hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int ListBox::ListIndex() const {
    return static_cast<int>(SendMessage(m_hwnd, LB_GETCURSEL, 0, 0));
}

void ListBox::SetListIndex(int index) {
    SendMessage(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    raise(Click);
}

std::string ListBox::Text() const {
    int index = ListIndex();
    return index < 0 ? std::string() : List(index);
}

std::unique_ptr<ListBox> ListBox::clone() const {
    bool sorted = (GetWindowLong(m_hwnd, GWL_STYLE) & LBS_SORT) != 0;
    auto copy = std::make_unique<ListBox>(*m_container, Name, m_left, m_top, m_width, m_height, sorted);
    for (int i = 0, n = ListCount(); i < n; ++i)
        copy->AddItem(List(i));
    copy->becomeHiddenCopyOf(*this);
    return copy;
}

bool ListBox::reflect(UINT msg, WPARAM wParam) {
    if (msg != WM_COMMAND) return false;
    if (HIWORD(wParam) == LBN_SELCHANGE)
        raise(Click);
    else if (HIWORD(wParam) == LBN_DBLCLK)
        raise(DblClick);
    return true;
}

// ---- CommandButton ----

CommandButton::CommandButton(Container& container, std::string name, int left, int top, int width, int height,
                             const std::string& caption)
    : StandardControl(container, std::move(name), "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, left, top, width,
                      height, caption) {}

CommandButton::~CommandButton() {
    SetDefault(false);
    SetCancel(false);
}

std::string CommandButton::Caption() const {
    return windowText(m_hwnd);
}

void CommandButton::SetCaption(const std::string& caption) {
    SetWindowText(m_hwnd, caption.c_str());
}

void CommandButton::SetDefault(bool isDefault) {
    m_default = isDefault;
    SendMessage(m_hwnd, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (Form* form = Form::fromWindow(m_hwnd)) form->setDefaultButton(isDefault ? this : nullptr);
}

void CommandButton::SetCancel(bool isCancel) {
    m_cancel = isCancel;
    if (Form* form = Form::fromWindow(m_hwnd)) form->setCancelButton(isCancel ? this : nullptr);
}

void CommandButton::press() {
    raise(Click);
}

std::unique_ptr<CommandButton> CommandButton::clone() const {
    auto copy =
        std::make_unique<CommandButton>(*m_container, Name, m_left, m_top, m_width, m_height, Caption());
    copy->becomeHiddenCopyOf(*this);
    return copy;
}

bool CommandButton::reflect(UINT msg, WPARAM wParam) {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    press();
    return true;
}

// ---- CheckBox ----

CheckBox::CheckBox(Container& container, std::string name, int left, int top, int width, int height,
                   const std::string& caption)
    : StandardControl(container, std::move(name), "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, left, top, width,
                      height, caption) {}

std::string CheckBox::Caption() const {
    return windowText(m_hwnd);
}

int CheckBox::Value() const {
    return SendMessage(m_hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(int value) {
    if (value == Value()) return;
    SendMessage(m_hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    raise(Click);
}

std::unique_ptr<CheckBox> CheckBox::clone() const {
    auto copy = std::make_unique<CheckBox>(*m_container, Name, m_left, m_top, m_width, m_height, Caption());
    SendMessage(copy->m_hwnd, BM_SETCHECK, Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    copy->becomeHiddenCopyOf(*this);
    return copy;
}

bool CheckBox::reflect(UINT msg, WPARAM wParam) {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    raise(Click);
    return true;
}

// ---- ScrollBar ----

ScrollBar::ScrollBar(Container& container, std::string name, bool vertical, int left, int top, int width,
                     int height)
    : StandardControl(container, std::move(name), "SCROLLBAR", WS_TABSTOP | (vertical ? SBS_VERT : SBS_HORZ),
                      left, top, width, height) {
    updateBar();
}

void ScrollBar::copyFrom(const ScrollBar& other) {
    becomeHiddenCopyOf(other);
    m_min = other.m_min;
    m_max = other.m_max;
    m_value = other.m_value;
    SmallChange = other.SmallChange;
    LargeChange = other.LargeChange;
    updateBar();
}

int ScrollBar::positionOf(int value) const {
    return (value - m_min) * step();
}

int ScrollBar::valueAt(int position) const {
    return m_min + position * step();
}

void ScrollBar::updateBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = 0;
    info.nMax = (m_max - m_min) * step();
    info.nPage = 0;
    info.nPos = positionOf(m_value);
    SetScrollInfo(m_hwnd, SB_CTL, &info, TRUE);
}

void ScrollBar::SetMin(int min) {
    m_min = min;
    SetValue(m_value);
    updateBar();
}

void ScrollBar::SetMax(int max) {
    m_max = max;
    SetValue(m_value);
    updateBar();
}

void ScrollBar::SetValue(int value) {
    value = std::clamp(value, std::min(m_min, m_max), std::max(m_min, m_max));
    if (value == m_value) {
        updateBar();
        return;
    }
    m_value = value;
    updateBar();
    raise(Change);
}

bool ScrollBar::reflect(UINT msg, WPARAM wParam) {
    if (msg != WM_VSCROLL && msg != WM_HSCROLL) return false;
    int position = positionOf(m_value);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        position -= SmallChange;
        break;
    case SB_LINEDOWN:
        position += SmallChange;
        break;
    case SB_PAGEUP:
        position -= LargeChange;
        break;
    case SB_PAGEDOWN:
        position += LargeChange;
        break;
    case SB_THUMBTRACK:
        m_value = valueAt(static_cast<short>(HIWORD(wParam)));
        updateBar();
        raise(Scroll);
        return true;
    case SB_THUMBPOSITION:
        position = static_cast<short>(HIWORD(wParam));
        break;
    default:
        return true;
    }
    SetValue(valueAt(position));
    return true;
}

} // namespace vb
