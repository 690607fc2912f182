// "ComboBoxEx32": a combo box whose items carry images, indents and data of their own. It holds an
// owner-drawn COMBOBOX child, draws its items, and passes the child's notifications on as its own.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kIndentStep = 10; // pixels per indent level
constexpr int kImageGap = 3;

class ComboBoxEx final : public ctl::Control {
public:
    ComboBoxEx(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd), m_style(static_cast<DWORD>(cs.style)) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::string text;
        bool textCallback = false;
        int image = 0;
        int selectedImage = 0;
        int overlay = 0;
        int indent = 0;
        LPARAM lParam = 0;
    };

    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(INT_PTR i) const { return i >= 0 && i < count(); }
    LRESULT combo(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessage(m_combo, msg, wParam, lParam);
    }
    HWND edit() const;
    void create();
    LRESULT notifyItem(UINT code, int i) const;
    void fill(COMBOBOXEXITEMA& out, const Item& item, INT_PTR i) const;
    // The item as drawn: callback parts asked with CBEN_GETDISPINFO.
    Item shown(int i);
    void apply(Item& item, const COMBOBOXEXITEMA& in);
    LRESULT insert(const COMBOBOXEXITEMA* in);
    LRESULT getItem(COMBOBOXEXITEMA* out);
    LRESULT setItem(const COMBOBOXEXITEMA* in);
    LRESULT deleteItem(INT_PTR i);
    void resetContent();
    void command(WORD code);
    void endEdit(int why);
    void draw(const DRAWITEMSTRUCT& d);
    void fitItemHeight();

    DWORD m_style; // as created: the scroll bar styles are the list's
    HWND m_combo = nullptr;
    std::vector<Item> m_items;
    HIMAGELIST m_images = nullptr;
    DWORD m_exStyle = 0;
    bool m_editChanged = false;
};

HWND ComboBoxEx::edit() const {
    for (HWND c = GetWindow(m_combo, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassName(c, name, sizeof name);
        if (std::string(name) == "Edit" || std::string(name) == "EDIT") return c;
    }
    return nullptr;
}

void ComboBoxEx::create() {
    RECT rc = clientRect();
    DWORD s = m_style;
    DWORD kind = s & (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST);
    DWORD keep = s & (WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DISABLENOSCROLL | CBS_NOINTEGRALHEIGHT);
    m_combo = CreateWindowEx(
        0, "COMBOBOX", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind | keep | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, 0,
        rc.right, rc.bottom, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id())), nullptr, nullptr);
    if (!m_combo) return;
    // The extended combo box is as high as its combo box shows itself.
    RECT shownRc{};
    GetWindowRect(m_combo, &shownRc);
    SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right, shownRc.bottom - shownRc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBoxEx::fill(COMBOBOXEXITEMA& out, const Item& item, INT_PTR i) const {
    out.iItem = i;
    out.iImage = item.image;
    out.iSelectedImage = item.selectedImage;
    out.iOverlay = item.overlay;
    out.iIndent = item.indent;
    out.lParam = item.lParam;
}

LRESULT ComboBoxEx::notifyItem(UINT code, int i) const {
    NMCOMBOBOXEXA nm{};
    nm.ceItem.mask =
        CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT | CBEIF_LPARAM;
    std::string text = m_items[static_cast<std::size_t>(i)].text;
    fill(nm.ceItem, m_items[static_cast<std::size_t>(i)], i);
    nm.ceItem.pszText = text.data();
    nm.ceItem.cchTextMax = static_cast<int>(text.size() + 1);
    return sendNotify(nm.hdr, code);
}

ComboBoxEx::Item ComboBoxEx::shown(int i) {
    Item item = m_items[static_cast<std::size_t>(i)];
    UINT need = (item.textCallback ? CBEIF_TEXT : 0) | (item.image == I_IMAGECALLBACK ? CBEIF_IMAGE : 0) |
                (item.selectedImage == I_IMAGECALLBACK ? CBEIF_SELECTEDIMAGE : 0) |
                (item.indent == I_INDENTCALLBACK ? CBEIF_INDENT : 0);
    if (!need) return item;
    NMCOMBOBOXEXA nm{};
    char text[CBEMAXSTRLEN] = {};
    fill(nm.ceItem, item, i);
    nm.ceItem.mask = need;
    nm.ceItem.pszText = text;
    nm.ceItem.cchTextMax = sizeof text;
    sendNotify(nm.hdr, CBEN_GETDISPINFOA);
    if (need & CBEIF_TEXT) {
        text[sizeof text - 1] = '\0';
        item.text = nm.ceItem.pszText && nm.ceItem.pszText != LPSTR_TEXTCALLBACK ? nm.ceItem.pszText : "";
    }
    if (need & CBEIF_IMAGE) item.image = nm.ceItem.iImage;
    if (need & CBEIF_SELECTEDIMAGE) item.selectedImage = nm.ceItem.iSelectedImage;
    if (need & CBEIF_INDENT) item.indent = nm.ceItem.iIndent;
    item.textCallback = false;
    if ((nm.ceItem.mask & CBEIF_DI_SETITEM) && valid(i)) m_items[static_cast<std::size_t>(i)] = item;
    return item;
}

void ComboBoxEx::apply(Item& item, const COMBOBOXEXITEMA& in) {
    if (in.mask & CBEIF_TEXT) {
        item.textCallback = in.pszText == LPSTR_TEXTCALLBACK;
        item.text = (!item.textCallback && in.pszText) ? in.pszText : "";
    }
    if (in.mask & CBEIF_IMAGE) item.image = in.iImage;
    if (in.mask & CBEIF_SELECTEDIMAGE) item.selectedImage = in.iSelectedImage;
    if (in.mask & CBEIF_OVERLAY) item.overlay = in.iOverlay;
    if (in.mask & CBEIF_INDENT) item.indent = in.iIndent;
    if (in.mask & CBEIF_LPARAM) item.lParam = in.lParam;
}

LRESULT ComboBoxEx::insert(const COMBOBOXEXITEMA* in) {
    if (!in || !m_combo) return -1;
    INT_PTR at = (in->iItem < 0 || in->iItem > count()) ? count() : in->iItem;
    Item item;
    apply(item, *in);
    if (combo(CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(item.text.c_str())) < 0)
        return -1;
    m_items.insert(m_items.begin() + at, item);
    notifyItem(CBEN_INSERTITEM, static_cast<int>(at));
    return at;
}

// Item -1 is the edit field: its text, with the selected item's other parts.
LRESULT ComboBoxEx::getItem(COMBOBOXEXITEMA* out) {
    if (!out) return FALSE;
    INT_PTR i = out->iItem;
    std::string text;
    if (i == -1) {
        int sel = static_cast<int>(combo(CB_GETCURSEL));
        HWND e = edit();
        if (e) {
            char buffer[CBEMAXSTRLEN] = {};
            GetWindowText(e, buffer, sizeof buffer);
            text = buffer;
        }
        if (valid(sel)) {
            Item item = shown(sel);
            fill(*out, item, -1);
            if (!e) text = item.text;
        }
    } else {
        if (!valid(i)) return FALSE;
        Item item = shown(static_cast<int>(i));
        fill(*out, item, i);
        text = item.text;
    }
    if ((out->mask & CBEIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(out->cchTextMax - 1));
        std::memcpy(out->pszText, text.data(), n);
        out->pszText[n] = '\0';
    }
    return TRUE;
}

LRESULT ComboBoxEx::setItem(const COMBOBOXEXITEMA* in) {
    if (!in) return FALSE;
    if (in->iItem == -1) {
        HWND e = edit();
        if (!e || !(in->mask & CBEIF_TEXT)) return FALSE;
        SetWindowText(e, in->pszText && in->pszText != LPSTR_TEXTCALLBACK ? in->pszText : "");
        return TRUE;
    }
    if (!valid(in->iItem)) return FALSE;
    Item& item = m_items[static_cast<std::size_t>(in->iItem)];
    std::string before = item.text;
    apply(item, *in);
    if (item.text != before) {
        // The combo box's own copy of the text follows, keeping the selection.
        LRESULT sel = combo(CB_GETCURSEL);
        auto at = static_cast<WPARAM>(in->iItem);
        combo(CB_DELETESTRING, at);
        combo(CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (sel >= 0) combo(CB_SETCURSEL, static_cast<WPARAM>(sel));
    }
    InvalidateRect(m_combo, nullptr, TRUE);
    return TRUE;
}

LRESULT ComboBoxEx::deleteItem(INT_PTR i) {
    if (!valid(i)) return CB_ERR;
    notifyItem(CBEN_DELETEITEM, static_cast<int>(i));
    if (!valid(i)) return CB_ERR;
    m_items.erase(m_items.begin() + i);
    return combo(CB_DELETESTRING, static_cast<WPARAM>(i));
}

void ComboBoxEx::resetContent() {
    for (int i = 0; i < count(); ++i)
        notifyItem(CBEN_DELETEITEM, i);
    m_items.clear();
    combo(CB_RESETCONTENT);
}

void ComboBoxEx::endEdit(int why) {
    if (!edit()) return;
    NMCBEENDEDITA nm{};
    nm.fChanged = m_editChanged;
    nm.iNewSelection = static_cast<int>(combo(CB_GETCURSEL));
    GetWindowText(edit(), nm.szText, sizeof nm.szText);
    nm.iWhy = why;
    m_editChanged = false;
    sendNotify(nm.hdr, CBEN_ENDEDITA);
}

// The combo box's notifications: editing is reported as CBEN_BEGINEDIT and CBEN_ENDEDIT, and
// every one goes on to the parent as the extended combo box's own.
void ComboBoxEx::command(WORD code) {
    switch (code) {
    case CBN_SETFOCUS:
        if (edit()) {
            NMHDR nm{};
            sendNotify(nm, CBEN_BEGINEDIT);
        }
        break;
    case CBN_EDITCHANGE:
        m_editChanged = true;
        break;
    case CBN_KILLFOCUS:
        endEdit(CBENF_KILLFOCUS);
        break;
    case CBN_DROPDOWN:
        if (m_editChanged) endEdit(CBENF_DROPDOWN);
        break;
    default:
        break;
    }
    if (HWND parent = GetParent(m_hwnd))
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(id(), code), reinterpret_cast<LPARAM>(m_hwnd));
}

void ComboBoxEx::draw(const DRAWITEMSTRUCT& d) {
    HDC dc = d.hDC;
    RECT rc = d.rcItem;
    bool selected = d.itemState & ODS_SELECTED;
    bool field = d.itemState & ODS_COMBOBOXEDIT;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!valid(static_cast<INT_PTR>(static_cast<int>(d.itemID)))) return;
    Item item = shown(static_cast<int>(d.itemID));
    int x = rc.left + 2;
    if (!field || !(m_exStyle & CBES_EX_NOEDITIMAGEINDENT)) x += std::max(item.indent, 0) * kIndentStep;
    int cx = 0, cy = 0;
    bool image = m_images && ImageList_GetIconSize(m_images, &cx, &cy) &&
                 !(field && (m_exStyle & CBES_EX_NOEDITIMAGE));
    if (image) {
        int index = selected && !field ? item.selectedImage : item.image;
        if (index >= 0)
            ImageList_Draw(m_images, index, dc, x, (rc.top + rc.bottom - cy) / 2,
                           ILD_TRANSPARENT | (item.overlay > 0 ? INDEXTOOVERLAYMASK(item.overlay) : 0));
        x += cx + kImageGap;
    }
    RECT text{x, rc.top, rc.right - 2, rc.bottom};
    HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawText(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    if ((d.itemState & ODS_FOCUS) && !field) DrawFocusRect(dc, &rc);
}

// Items are as high as the taller of the text and the images.
void ComboBoxEx::fitItemHeight() {
    int cx = 0, cy = 0;
    if (!m_images || !ImageList_GetIconSize(m_images, &cx, &cy)) return;
    LRESULT height = combo(CB_GETITEMHEIGHT, 0);
    if (height >= 0 && height < cy + 2) {
        combo(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cy + 2);
        combo(CB_SETITEMHEIGHT, 0, cy + 2);
    }
}

LRESULT ComboBoxEx::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFONT && m_combo) SendMessage(m_combo, WM_SETFONT, wParam, lParam);
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    switch (msg) {
    case WM_NCCREATE:
        setStyleBits(WS_VSCROLL | WS_HSCROLL, false);
        return defaultProc(msg, wParam, lParam);
    case WM_CREATE:
        create();
        return m_combo ? 0 : -1;
    case WM_SIZE: {
        RECT r{};
        GetWindowRect(m_combo, &r);
        SetWindowPos(m_combo, nullptr, 0, 0, LOWORD(lParam), r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETFOCUS:
        if (m_combo) SetFocus(m_combo);
        return 0;
    case WM_ENABLE:
        if (m_combo) EnableWindow(m_combo, static_cast<BOOL>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(m_hwnd, &ps);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_combo) command(HIWORD(wParam));
        return 0;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int cx = 0, cy = 0;
        if (m_images && ImageList_GetIconSize(m_images, &cx, &cy))
            mis->itemHeight = std::max<UINT>(mis->itemHeight, static_cast<UINT>(cy + 2));
        return TRUE;
    }
    case WM_DRAWITEM:
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case CBEM_INSERTITEMA:
        return insert(reinterpret_cast<const COMBOBOXEXITEMA*>(lParam));
    case CBEM_GETITEMA:
        return getItem(reinterpret_cast<COMBOBOXEXITEMA*>(lParam));
    case CBEM_SETITEMA:
        return setItem(reinterpret_cast<const COMBOBOXEXITEMA*>(lParam));
    case CBEM_DELETEITEM:
        return deleteItem(static_cast<INT_PTR>(wParam));
    case CB_RESETCONTENT:
        resetContent();
        return CB_OKAY;
    case CB_GETITEMDATA:
        return valid(static_cast<INT_PTR>(wParam)) ? m_items[wParam].lParam : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid(static_cast<INT_PTR>(wParam))) return CB_ERR;
        m_items[wParam].lParam = lParam;
        return TRUE;
    case CBEM_SETIMAGELIST: {
        HIMAGELIST old = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        fitItemHeight();
        InvalidateRect(m_combo, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case CBEM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case CBEM_GETCOMBOCONTROL:
        return reinterpret_cast<LRESULT>(m_combo);
    case CBEM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(edit());
    case CBEM_SETEXSTYLE:
    case CBEM_SETEXTENDEDSTYLE: {
        DWORD old = m_exStyle;
        DWORD mask = (msg == CBEM_SETEXTENDEDSTYLE && wParam) ? static_cast<DWORD>(wParam) : ~0u;
        m_exStyle = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        InvalidateRect(m_combo, nullptr, TRUE);
        return old;
    }
    case CBEM_GETEXSTYLE:
        return m_exStyle;
    case CBEM_HASEDITCHANGED:
        return m_editChanged;
    default:
        if (msg >= CB_GETEDITSEL && msg <= CB_SETDROPPEDWIDTH && m_combo)
            return SendMessage(m_combo, msg, wParam, lParam);
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerComboBoxExClass() {
    ctl::registerControlClass(WC_COMBOBOXEX, ctl::controlProc<ComboBoxEx>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::cc
