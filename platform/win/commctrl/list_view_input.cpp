// The list view's mouse and keyboard: selection with Shift and Ctrl, check boxes, clicks and drags.

#include "platform/win/commctrl/list_view.h"

#include <algorithm>

namespace pm::cc {

bool ListView::held(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

LRESULT ListView::clickNotify(UINT code, POINT pt) const {
    LVHITTESTINFO info{pt, 0, -1, 0};
    hitTest(info, true);
    NMITEMACTIVATE nm{};
    nm.iItem = info.iItem;
    nm.iSubItem = info.iSubItem;
    nm.ptAction = pt;
    nm.lParam = valid(info.iItem) ? rowParam(info.iItem) : 0;
    nm.uKeyFlags = (held(VK_SHIFT) ? LVKF_SHIFT : 0u) | (held(VK_CONTROL) ? LVKF_CONTROL : 0u) |
                   (held(VK_MENU) ? LVKF_ALT : 0u);
    return sendNotify(nm.hdr, code);
}

void ListView::toggleCheck(int i) {
    UINT state = itemState(i, LVIS_STATEIMAGEMASK);
    UINT next = (state >> 12) == 2 ? INDEXTOSTATEIMAGEMASK(1) : INDEXTOSTATEIMAGEMASK(2);
    changeState(i, next, LVIS_STATEIMAGEMASK);
}

// Moves the focus to row `to`: alone it selects only that row, with Shift the rows from the
// selection mark, with Control it moves the focus and leaves the selection.
void ListView::moveFocus(int to, bool shift, bool control) {
    if (!valid(to)) return;
    bool single = (style() & LVS_SINGLESEL) != 0;
    if (control && !single) {
        changeState(to, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (shift && !single && valid(m_mark)) {
        int first = std::min(m_mark, to), last = std::max(m_mark, to);
        if (ownerData()) {
            changeStateAll(0, LVIS_SELECTED);
        } else {
            for (int i = 0; i < count(); ++i)
                if ((i < first || i > last) && isSelected(i)) changeState(i, 0, LVIS_SELECTED);
        }
        changeState(to, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        selectRange(first, last);
    } else {
        deselectOthers(to);
        changeState(to, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        m_mark = to;
    }
    ensureVisible(to, false);
}

void ListView::mouseDown(POINT pt, WPARAM keys, bool right) {
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    LVHITTESTINFO info{pt, 0, -1, 0};
    int i = hitTest(info, true);
    bool shift = (keys & MK_SHIFT) != 0, control = (keys & MK_CONTROL) != 0;
    if (i < 0) {
        if (!control || right) changeStateAll(0, LVIS_SELECTED);
    } else if (!right && (info.flags & LVHT_ONITEMSTATEICON) && (m_exStyle & LVS_EX_CHECKBOXES)) {
        toggleCheck(i);
    } else if (right) {
        if (!isSelected(i)) moveFocus(i, false, false);
    } else if (control && !(style() & LVS_SINGLESEL)) {
        changeState(i, LVIS_FOCUSED | (isSelected(i) ? 0u : LVIS_SELECTED), LVIS_FOCUSED | LVIS_SELECTED);
        m_mark = i;
    } else if (!shift && isSelected(i) && selectedCount() > 1) {
        changeState(i, LVIS_FOCUSED, LVIS_FOCUSED); // a press inside a selection may start dragging it
    } else {
        moveFocus(i, shift, false);
    }
    m_pressed = true;
    m_pressRight = right;
    m_pressItem = i;
    m_pressAt = pt;
    SetCapture(m_hwnd);
}

void ListView::mouseMove(POINT pt) {
    if (!m_pressed) return;
    if (!ctl::outsideDragRect(m_pressAt, pt)) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (valid(m_pressItem))
        notifyItem(m_pressRight ? LVN_BEGINRDRAG : LVN_BEGINDRAG, m_pressItem, 0, 0, 0, 0, m_pressAt);
}

bool ListView::mouseUp(POINT pt, bool right) {
    if (!m_pressed || m_pressRight != right) return false;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    // A plain click inside a selection of several rows selects the clicked row alone.
    if (!right && valid(m_pressItem) && !held(VK_SHIFT) && !held(VK_CONTROL) && isSelected(m_pressItem)) {
        LVHITTESTINFO info{pt, 0, -1, 0};
        if (hitTest(info, true) == m_pressItem && !(info.flags & LVHT_ONITEMSTATEICON))
            moveFocus(m_pressItem, false, false);
    }
    return clickNotify(right ? NM_RCLICK : NM_CLICK, pt) != 0;
}

int ListView::pageTarget(bool down) const {
    int page = std::max(1, fullRows());
    int focus = valid(m_focus) ? m_focus : m_top;
    if (down) {
        int bottom = m_top + page - 1;
        return std::min(count() - 1, focus < bottom ? bottom : focus + page - 1);
    }
    return std::max(0, focus > m_top ? m_top : focus - page + 1);
}

void ListView::keyDown(WPARAM vk) {
    NMLVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(vk);
    sendNotify(nm.hdr, LVN_KEYDOWN);
    if (count() == 0) return;
    bool shift = held(VK_SHIFT), control = held(VK_CONTROL);
    int focus = valid(m_focus) ? m_focus : -1;
    switch (vk) {
    case VK_UP:
        moveFocus(focus < 0 ? 0 : std::max(0, focus - 1), shift, control);
        return;
    case VK_DOWN:
        moveFocus(focus < 0 ? 0 : std::min(count() - 1, focus + 1), shift, control);
        return;
    case VK_PRIOR:
        moveFocus(pageTarget(false), shift, control);
        return;
    case VK_NEXT:
        moveFocus(pageTarget(true), shift, control);
        return;
    case VK_LEFT:
    case VK_RIGHT:
        onScroll(false, vk == VK_LEFT ? SB_LINEUP : SB_LINEDOWN); // one column of rows: the arrows scroll
        return;
    case VK_HOME:
        moveFocus(0, shift, control);
        return;
    case VK_END:
        moveFocus(count() - 1, shift, control);
        return;
    case VK_SPACE:
        if (focus < 0) return;
        if (m_exStyle & LVS_EX_CHECKBOXES) {
            toggleCheck(focus);
        } else if (control) {
            changeState(focus, isSelected(focus) ? 0u : LVIS_SELECTED, LVIS_SELECTED);
            m_mark = focus;
        } else {
            moveFocus(focus, shift, false);
        }
        return;
    default:
        return;
    }
}

} // namespace pm::cc
