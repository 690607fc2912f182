#pragma once
// Test helpers for the window system: pictures of windows, a recorder of the messages windows
// receive, and input driven through the desktop's events into the real message queue. The Qt side
// of the pictures, for the platform's own tests, is in test_images.h.

#include "platform/win/windows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pm::test {

// ---- Pictures ----

// A picture held as one of our bitmaps, read pixel by pixel as 0xAARRGGBB (pixel() & 0xFFFFFF is
// 0xRRGGBB). It owns its bitmap.
class Picture {
public:
    Picture() = default;
    explicit Picture(HBITMAP bitmap); // takes the bitmap over
    ~Picture();
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool isNull() const { return m_bitmap == nullptr; }
    int width() const;
    int height() const;
    std::uint32_t pixel(int x, int y) const;
    // The part `r` of the picture (clipped to it) as a picture of its own.
    Picture copy(const RECT& r) const;
    // Same size and the same pixels.
    bool operator==(const Picture& other) const;
    bool operator!=(const Picture& other) const { return !(*this == other); }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HBITMAP m_bitmap = nullptr;
};

// The window as it shows on screen: its non-client area, client area and visible child windows.
Picture windowPicture(HWND hwnd);
// Writes a picture as a PNG file; the folder is created when missing.
bool savePng(const Picture& picture, const std::string& path);
// Saves windowPicture as a PNG file.
bool saveWindowPng(HWND hwnd, const std::string& path);
// The folder for test output (pictures): PM_TEST_OUTPUT_DIR.
std::string outputFolder();

// The bytes of a picture of one colour in a picture file format ("JPG", "PNG", "BMP"...).
std::string solidPictureBytes(int width, int height, COLORREF colour, const char* format);

// A message that scrolls a window, for expectScrollsRepaintWhole.
struct ScrollStep {
    const char* name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
// Sends each step to hwnd and paints what it invalidated (UpdateWindow); the picture must be the
// one a whole repaint of the window then gives: what scrolling moved and what it painted agree.
void expectScrollsRepaintWhole(HWND hwnd, const std::vector<ScrollStep>& steps);

// ---- Messages ----

struct Recorded {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Subclasses windows and records, in one list, every message they receive from then on.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void watch(HWND hwnd, const std::string& name);
    // The window procedure of a class that records into the active recorder, for windows that must
    // be watched from their very first message (WM_GETMINMAXINFO, WM_NCCREATE ...).
    static LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void name(HWND hwnd, const std::string& name);

    const std::vector<Recorded>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }
    // "name:WM_X" per message, optionally only those in `only` (empty: all).
    std::vector<std::string> trace(const std::vector<UINT>& only = {}) const;

private:
    friend LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM);
    std::vector<Recorded> m_messages;
};

const char* messageName(UINT message);

// Registers (once) a window class whose procedure is MessageRecorder::recordingProc.
const char* recordingClass();

// ---- Parents ----

// A visible top-level window at (100, 100) for controls under test to notify. Every message from
// WM_NCCREATE on goes to `handler`, which leaves what it does not answer to DefWindowProc.
// `faceBackground` erases it in COLOR_BTNFACE instead of not at all.
HWND createParent(WNDPROC handler, int cx, int cy, bool faceBackground = false);

// ---- Drops from other programs ----

// Drags data from another program over the window tree of `hwnd`'s top-level window and drops it
// at screen point `screen`: URLs (an entry starting with '/' is a local file) or plain text.
// Answers whether the window tree accepted the drag as it entered.
bool dropUrls(HWND hwnd, POINT screen, const std::vector<std::string>& urls);
bool dropText(HWND hwnd, POINT screen, const std::string& text);
// Drops URLs offered to be copied or moved, as a file manager offers files; the action the window
// tree took the drop with: "copy", "move", "link", or "" when it refused it.
std::string dropUrlsOfferedToMove(HWND hwnd, POINT screen, const std::vector<std::string>& urls);
// Only the drag's entry: whether the window tree would take the URLs there.
bool dragUrlsOver(HWND hwnd, POINT screen, const std::vector<std::string>& urls);

// ---- Time ----

// Moves the platform's clock (GetTickCount, message times, timers) on by `ms` without waiting; the
// timers it passes are due at the next look at the queue.
void advanceClock(DWORD ms);

// ---- Input ----

// Dispatches queued messages until nothing is left (paints and due timers included).
void pumpMessages();
// Clicks, double clicks, drags in a window's client coordinates (screen coordinates with the
// *Screen variants), through Qt and our queue. Call pumpMessages() to deliver them.
void click(HWND hwnd, POINT client, int button = VK_LBUTTON);
void doubleClick(HWND hwnd, POINT client);
void pressMouse(HWND hwnd, POINT client, int button = VK_LBUTTON);
void moveMouse(HWND hwnd, POINT client);
void releaseMouse(HWND hwnd, POINT client, int button = VK_LBUTTON);
void dragScreen(HWND any, POINT from, POINT to, int steps = 4);
// Presses and releases a virtual key (with VK_SHIFT / VK_CONTROL / VK_MENU held as given).
void pressKey(HWND any, int vk, bool shift = false, bool control = false, bool alt = false);
// Presses (down) or releases a virtual key and leaves it so, e.g. VK_MENU held through a drag.
void holdKey(HWND any, int vk, bool down);
// Types UTF-8 text: one key per character, non-ASCII characters as committed input-method text.
void typeText(HWND any, const std::string& text);

} // namespace pm::test
