#pragma once
// "MDICLIENT": the window that holds a frame's document windows. It keeps which child is active,
// which is maximised, the frame's window menu with its list of children, and the frame menu's
// items of a maximised child. Private to platform/win.

#include "platform/win/controls/control.h"

#include <string>
#include <vector>

namespace pm::mdi {

// Registers the system class "MDICLIENT" (once).
void registerMdiClientClass();

class MdiClient final : public ctl::Control {
public:
    MdiClient(HWND hwnd, const CREATESTRUCT& cs);

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The client object of a window of class "MDICLIENT"; nullptr for any other window.
    static MdiClient* of(HWND client);
    // The client of an MDI child window.
    static MdiClient* ofChild(HWND child);

    HWND frame() const { return GetParent(m_hwnd); }
    HWND active() const { return m_active; }
    bool maximised() const { return m_active && IsZoomed(m_active); }
    UINT firstChildId() const { return m_firstId; }
    // The frame's own title, without the maximised child's.
    const std::string& frameTitle() const { return m_frameTitle; }
    void setFrameTitle(const std::string& title);

    // Makes child the active one (WM_NCACTIVATE and WM_MDIACTIVATE to the old and the new one).
    void activate(HWND child);
    // WM_COMMAND of the frame: a window-list item; true when the command was one.
    bool windowListCommand(UINT id);
    // A child changed its title, state or visibility: the frame's title and menus follow.
    void childChanged(HWND child);
    // The child was minimised: it goes to the first free place along the bottom.
    void placeIcon(HWND child);
    // Rebuilds the window list in the window menu.
    void refreshWindowMenu();
    // Shows the scroll bars the client was created with where children reach beyond it, with
    // ranges covering them; hides them when everything fits or a child is maximised.
    void updateScrollBars();

private:
    LRESULT create(const MDICREATESTRUCT* mcs);
    void destroyChild(HWND child);
    void forget(HWND child);
    void next(HWND from, bool previous);
    void setMenus(HMENU frameMenu, HMENU windowMenu);
    void size();
    void paint();
    // Children in window-list order (creation order), without the dead ones.
    std::vector<HWND> children();
    void renumber();

    // The maximised child's items in the frame menu (mdi_menus.cpp).
    void syncMaximisedItems();
    void addMaximisedItems(HMENU menu, HWND child);
    void removeMaximisedItems();
    void removeWindowList();
    void syncFrameTitle();

    // Scrolling (mdi_scroll.cpp): moves the children for a WM_HSCROLL or WM_VSCROLL code.
    void scroll(int bar, WORD code, int thumb);
    void setScrollRange(int bar, int lo, int hi, int page);
    // Holds the bars while children move together, and brings them up to date afterwards.
    class HoldBars {
    public:
        explicit HoldBars(MdiClient& client) : m_client(client), m_was(client.m_holdBars) {
            client.m_holdBars = true;
        }
        ~HoldBars() {
            m_client.m_holdBars = m_was;
            m_client.updateScrollBars();
        }
        HoldBars(const HoldBars&) = delete;
        HoldBars& operator=(const HoldBars&) = delete;

    private:
        MdiClient& m_client;
        bool m_was;
    };

    // Arranging (mdi_arrange.cpp).
    void cascade(UINT how);
    void tile(UINT how);
    void arrangeIcons();
    std::vector<HWND> arrangeable(UINT how, bool minimised);
    RECT iconSlot(int index) const;
    int iconRows() const;

    std::vector<HWND> m_children;
    HWND m_active = nullptr;
    HMENU m_windowMenu = nullptr;
    UINT m_firstId = 0;
    std::string m_frameTitle;
    HMENU m_itemsMenu = nullptr; // the frame menu holding a maximised child's items
    HWND m_itemsChild = nullptr; // the child they belong to
    bool m_listed = false;       // the window list is in the window menu
    bool m_activating = false;
    bool m_titleComposed = false; // the frame shows "title - [child]"
    DWORD m_scrollBars = 0;       // WS_HSCROLL and WS_VSCROLL the client was created with
    bool m_holdBars = false;      // children are being moved together; the bars follow afterwards
};

// "More Windows...": a modal list of every shown child; the chosen one, or nullptr.
HWND chooseWindow(HWND owner, const std::vector<HWND>& shown);

// Ids of the window list after the first child's id: nine windows, then "More Windows...".
constexpr UINT kListedWindows = 9;

} // namespace pm::mdi
