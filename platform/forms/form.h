#pragma once
// Form: a top-level window holding controls. A program's form derives from it, declares its controls
// as members and overrides the Form_ event methods; control events are wired to the form's methods.

#include "platform/forms/drawing_surface.h"
#include "platform/forms/windowed_control.h"

#include <memory>

#include <string>
#include <vector>

namespace vb {

class CommandButton;
class Menu;

enum class FormBorderStyle { None = 0, Sizable = 2, FixedToolWindow = 4 };
enum WindowState { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum MousePointerKind { vbDefault = 0, vbCustom = 99 };
enum OLEDropMode { vbOLEDropNone = 0, vbOLEDropManual = 1 };

class Form : public WindowedControl, public Container {
public:
    // A hidden, unloaded form whose inner area is width x height pixels.
    Form(std::string name, int width, int height, FormBorderStyle border = FormBorderStyle::Sizable);
    ~Form() override;

    HWND hWnd() const override { return m_hwnd; }
    static Form* fromWindow(HWND hwnd);
    // The form that was active last, while it is visible; nullptr otherwise.
    static HWND lastActiveWindow();

    // Runs Form_Load unless the form is loaded already.
    void Load();
    // Loads the form when needed and shows it.
    void Show();
    void Hide();
    // Asks Form_Unload; unless it cancels, hides the form and marks it unloaded (the next Load runs
    // Form_Load again). False when cancelled.
    bool Unload();
    bool Loaded() const { return m_loaded; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    FormBorderStyle BorderStyle() const { return m_border; }
    void SetBorderStyle(FormBorderStyle border);
    int WindowState() const;
    void SetWindowState(int state);
    // Keeps the form above all others, or no longer.
    void SetTopMost(bool topMost);
    bool TopMost() const;
    // Shows the children of `menu` as a popup at (x, y) of the inner area, or at the cursor; returns
    // after the menu closed and the chosen item's Click ran.
    void PopupMenu(const Menu& menu, int x, int y);
    void PopupMenu(const Menu& menu);
    // Starts moving the form with the mouse, as a press on a title bar does.
    void StartSystemMove();
    // The form's icon, shown by the desktop's title bar and task list: `icon` large, `smallIcon`
    // (or `icon` when none is given) small. Not owned: the icons must live while the form shows them.
    void SetIcon(HICON icon, HICON smallIcon = nullptr);
    HICON Icon() const;

    // The pointer shown over the inner area: vbDefault or vbCustom (MouseIcon, with its hot spot).
    int MousePointer = 0;
    // The custom pointer; not owned.
    HCURSOR MouseIcon = nullptr;

    // With vbOLEDropManual, local files dropped from the desktop anywhere on the form reach
    // Form_OLEDragDrop with their full paths, in the order dropped.
    int OLEDropMode() const { return m_dropMode; }
    void SetOLEDropMode(int mode);

    // The inner area's size.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Setting the back colour clears what was drawn.
    void SetBackColor(COLORREF colour) override;

    // The inner area is a persistent surface, as a picture box's: what is drawn stays, the
    // windowless controls paint above it. Coordinates are pixels of the inner area.
    void Cls();
    void Line(int x1, int y1, int x2, int y2, COLORREF colour);
    void FillBox(int x1, int y1, int x2, int y2, COLORREF colour);
    void PaintPicture(HBITMAP picture, int x, int y, int width = -1, int height = -1);
    // The colour at (x, y) of the inner area, or -1 outside it.
    long Point(int x, int y) const;

    // The form's KeyDown and KeyPress run before the focused control's.
    bool KeyPreview = false;

    // Key routing for a control of this form: the form's preview first, then the control's own event.
    // True when the key was swallowed (its code set to 0).
    bool routeKeyDown(Control& target, int& keyCode);
    bool routeKeyPress(Control& target, int& keyAscii);
    bool routeSysChar(char letter) { return pressMnemonic(letter); }

    // The buttons that Enter and Escape click (nullptr for none).
    void setDefaultButton(CommandButton* button) { m_defaultButton = button; }
    void setCancelButton(CommandButton* button) { m_cancelButton = button; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int& /*keyAscii*/) {}
    virtual void Form_Resize() {}
    virtual void Form_OLEDragDrop(const std::vector<std::string>& /*files*/) {}

    void placementChanged() override;
    void stateChanged() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();
    void dropFiles(HDROP drop);
    // Enter clicks the focused or the default button, Escape the cancel button, Tab moves the focus
    // to the next (Shift: previous) tab stop. True when the key did one of these.
    bool pressDialogButton(Control& target, int keyCode);
    // Alt with a letter: clicks the button or check box whose caption marks that letter with '&'.
    bool pressMnemonic(char letter);
    // The form activated: the focus goes back to the control that had it when the form was left,
    // or else to the form's first control that can take it (the form itself when none can).
    void focusOnActivation();

    FormBorderStyle m_border;
    bool m_loaded = false;
    int m_dropMode = vbOLEDropNone;
    std::unique_ptr<DrawingSurface> m_surface;
    CommandButton* m_defaultButton = nullptr;
    CommandButton* m_cancelButton = nullptr;
    HWND m_activeControl = nullptr; // the control that had the focus when the form was left
};

// Sends a control's key messages through its form (preview, then the control's events). True when
// the message was handled and must go no further.
bool routeKeyMessage(Control& control, HWND hwnd, UINT msg, WPARAM wParam);

} // namespace vb
