#pragma once
// The window manager's records: a registered class and a window. Private to platform/win.

#include "platform/win/winuser.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pm::wm {

class WindowWidget;
struct WindowSurface;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr; // an id, or a pointer into menuNameText
    std::string menuNameText;
    int windowExtra = 0;
    std::vector<unsigned char> extra;
    int windows = 0;
};

struct Window {
    HWND handle = nullptr;
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr; // the desktop for top-level windows
    Window* owner = nullptr;
    std::vector<Window*> children; // Z-order, topmost first
    RECT rect{};                   // in the parent's client coordinates (screen for top-level windows)
    RECT client{};                 // in window coordinates
    std::string text;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::vector<unsigned char> extra;
    std::map<std::string, HANDLE> props; // keys lower-cased
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    HWND lastActivePopup = nullptr;

    bool created = false;    // WM_NCCREATE accepted
    bool destroying = false; // WM_DESTROY sent or under way
    bool minimized = false;
    bool maximized = false;
    bool ncActive = false; // caption drawn active (WM_NCACTIVATE)
    RECT normalRect{};     // restored rectangle while minimised or maximised
    POINT minPosition{-1, -1};
    POINT maxPosition{-1, -1};

    // Painting
    std::unique_ptr<WindowSurface> surface; // its image and invalid area (window_surface.h)
    bool eraseNeeded = false;               // WM_ERASEBKGND still due
    bool frameDirty = false;                // WM_NCPAINT still due
    bool internalPaint = false;
    bool inDirtyList = false;
    bool redrawOff = false; // WM_SETREDRAW FALSE

    WindowWidget* widget = nullptr; // owned through Qt's parent chain or deleteLater

    Window(); // made and destroyed where the surface is known (painting.cpp)
    ~Window();

    bool isChild() const { return (style & WS_CHILD) != 0; }
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};

} // namespace pm::wm
