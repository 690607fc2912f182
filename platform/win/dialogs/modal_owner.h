#pragma once
// The owner of a modal loop (a dialog box, a message box, a common dialog): placed by the desktop
// first (the modal window goes over it), disabled while the loop runs, then enabled, active again
// and with the keyboard focus back where it was. Private to platform/win.

#include "platform/win/windows.h"

namespace pm::dialogs {

class ModalOwner {
public:
    explicit ModalOwner(HWND parent); // the owner is parent's top-level window
    ~ModalOwner() { end(); }
    ModalOwner(const ModalOwner&) = delete;
    ModalOwner& operator=(const ModalOwner&) = delete;

    HWND owner() const { return m_owner; }
    // Enabled again, before the modal window goes, so that the owner can take the activation.
    void enable();
    // Enabled, activated and given back its focus (once).
    void end();

private:
    HWND m_owner = nullptr;
    HWND m_focus = nullptr;
    bool m_disabled = false;
    bool m_ended = false;
};

} // namespace pm::dialogs
