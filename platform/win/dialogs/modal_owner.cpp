#include "platform/win/dialogs/modal_owner.h"

#include "platform/win/wm/desktop_services.h"

namespace pm::dialogs {

ModalOwner::ModalOwner(HWND parent) : m_owner(parent ? GetAncestor(parent, GA_ROOT) : nullptr) {
    // The modal window is placed over the owner where the desktop has it, also just after it was shown.
    if (m_owner) wm::desktopServices().settlePlacement(m_owner);
    m_focus = GetFocus();
    if (!m_owner || !IsWindowEnabled(m_owner)) return;
    EnableWindow(m_owner, FALSE);
    m_disabled = true;
}

void ModalOwner::enable() {
    if (!m_disabled) return;
    m_disabled = false;
    if (IsWindow(m_owner)) EnableWindow(m_owner, TRUE);
}

void ModalOwner::end() {
    if (m_ended) return;
    m_ended = true;
    enable();
    if (!m_owner || !IsWindow(m_owner)) return;
    SetActiveWindow(m_owner);
    // Activation alone puts the focus on the owner itself; the control that had it gets it back.
    if (m_focus && IsWindow(m_focus) && GetAncestor(m_focus, GA_ROOT) == m_owner && GetFocus() != m_focus &&
        GetActiveWindow() == m_owner)
        SetFocus(m_focus);
}

} // namespace pm::dialogs
