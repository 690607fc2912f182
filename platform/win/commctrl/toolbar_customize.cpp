// Tool bar customising: the buttons kept in and restored from the registry (TB_SAVERESTORE), and
// the Customize dialog (TB_CUSTOMIZE) with the buttons the parent offers through TBN_GETBUTTONINFO.

#include "platform/win/commctrl/toolbar.h"

#include <algorithm>

namespace pm::cc {
namespace {

// The stored form: "TBS1", a 32-bit count, then per button its command id (32 bits), state and
// style (a byte each) and two zero bytes; little-endian.
constexpr char kMagic[4] = {'T', 'B', 'S', '1'};
constexpr std::size_t kRecord = 8;
constexpr std::size_t kMaxButtons = 10000;
constexpr int kMaxOffered = 10000;

void putU32(std::vector<BYTE>& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<BYTE>(v >> (8 * k)));
}

std::uint32_t getU32(const BYTE* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Control ids of the Customize dialog.
enum : WORD {
    kAvailable = 201,
    kCurrent = 202,
    kAdd = 203,
    kRemove = 204,
    kUp = 205,
    kDown = 206,
    kReset = 207,
};

void putDword(std::vector<WORD>& t, DWORD d) {
    t.push_back(LOWORD(d));
    t.push_back(HIWORD(d));
}

void putText(std::vector<WORD>& t, const char* s) {
    for (; *s; ++s)
        t.push_back(static_cast<WORD>(static_cast<unsigned char>(*s)));
    t.push_back(0);
}

// The template's item count: the fifth WORD, after the style and extended style.
constexpr std::size_t kItemCount = 4;

// Appends an item and counts it in the header.
void putItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
             const char* text) {
    ++t[kItemCount];
    if (t.size() % 2) t.push_back(0);
    putDword(t, WS_CHILD | WS_VISIBLE | style);
    putDword(t, 0);
    t.insert(t.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                       static_cast<WORD>(cy), id, 0xFFFF, cls});
    putText(t, text);
    t.push_back(0);
}

std::vector<WORD> customizeTemplate() {
    std::vector<WORD> t;
    putDword(t, DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    putDword(t, 0);
    t.insert(t.end(), {0, 0, 0, 300, 150, 0, 0});
    putText(t, "Customize Toolbar");
    t.push_back(8);
    putText(t, "MS Sans Serif");
    const DWORD list = LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    putItem(t, 0, 7, 4, 100, 9, 0xFFFF, 0x0082, "A&vailable toolbar buttons:");
    putItem(t, list, 7, 15, 100, 128, kAvailable, 0x0083, "");
    putItem(t, 0, 150, 4, 100, 9, 0xFFFF, 0x0082, "&Toolbar buttons:");
    putItem(t, list, 150, 15, 100, 128, kCurrent, 0x0083, "");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 110, 40, 36, 14, kAdd, 0x0080, "&Add ->");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 110, 60, 36, 14, kRemove, 0x0080, "<- &Remove");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 255, 15, 40, 14, IDCANCEL, 0x0080, "&Close");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 255, 33, 40, 14, kReset, 0x0080, "R&eset");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 255, 60, 40, 14, kUp, 0x0080, "Move &Up");
    putItem(t, BS_PUSHBUTTON | WS_TABSTOP, 255, 78, 40, 14, kDown, 0x0080, "Move &Down");
    return t;
}

} // namespace

std::vector<BYTE> writeSavedButtons(const std::vector<TBBUTTON>& buttons) {
    std::vector<BYTE> data(kMagic, kMagic + 4);
    putU32(data, static_cast<std::uint32_t>(buttons.size()));
    for (const TBBUTTON& b : buttons) {
        putU32(data, static_cast<std::uint32_t>(b.idCommand));
        data.insert(data.end(), {b.fsState, b.fsStyle, 0, 0});
    }
    return data;
}

bool readSavedButtons(const BYTE* data, std::size_t size, std::vector<SavedButton>& out) {
    out.clear();
    if (!data || size < 8 || size > 8 + kRecord * kMaxButtons || !std::equal(kMagic, kMagic + 4, data))
        return false;
    std::size_t n = getU32(data + 4);
    if (n > (size - 8) / kRecord) return false;
    out.reserve(n);
    for (std::size_t r = 0; r < n; ++r) {
        const BYTE* p = data + 8 + r * kRecord;
        out.push_back(SavedButton{static_cast<int>(getU32(p)), p[4], p[5]});
    }
    return true;
}

// The state of one Customize session: the buttons the parent offers and the two lists.
class CustomizeDialog {
public:
    explicit CustomizeDialog(Toolbar& bar) : m_bar(bar) {}

    void run() {
        offer();
        std::vector<WORD> t = customizeTemplate();
        DialogBoxIndirectParam(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(t.data()), m_bar.m_hwnd, proc,
                               reinterpret_cast<LPARAM>(this));
    }

private:
    struct Offer {
        TBBUTTON button;
        std::string text;
    };

    // The buttons the parent offers, asked with TBN_GETBUTTONINFO until it answers FALSE.
    void offer() {
        for (int k = 0; k < kMaxOffered; ++k) {
            char text[128] = {};
            NMTOOLBAR nm{};
            nm.hdr.code = TBN_GETBUTTONINFO;
            nm.iItem = k;
            nm.pszText = text;
            nm.cchText = sizeof text;
            if (!m_bar.sendNotify(nm.hdr)) break;
            text[sizeof text - 1] = '\0';
            m_offers.push_back({nm.tbButton, text});
        }
    }

    std::string nameOf(const TBBUTTON& b, const std::string& own) const {
        if (b.fsStyle & BTNS_SEP) return "Separator";
        for (const Offer& o : m_offers)
            if (o.button.idCommand == b.idCommand && !o.text.empty()) return o.text;
        return own.empty() ? "Button " + std::to_string(b.idCommand) : own;
    }

    void fill() {
        HWND available = GetDlgItem(m_dialog, kAvailable), current = GetDlgItem(m_dialog, kCurrent);
        SendMessage(available, LB_RESETCONTENT, 0, 0);
        SendMessage(current, LB_RESETCONTENT, 0, 0);
        m_shown.clear();
        SendMessage(available, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Separator"));
        m_shown.push_back(-1);
        for (std::size_t k = 0; k < m_offers.size(); ++k) {
            if (m_bar.indexOf(m_offers[k].button.idCommand) >= 0) continue;
            std::string name = nameOf(m_offers[k].button, m_offers[k].text);
            SendMessage(available, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            m_shown.push_back(static_cast<int>(k));
        }
        for (int i = 0; i < m_bar.count(); ++i) {
            std::string name = nameOf(m_bar.at(i), m_bar.textOf(i));
            SendMessage(current, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        // The end of the list: new buttons go there.
        SendMessage(current, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    }

    int selected(int list) const {
        return static_cast<int>(SendDlgItemMessage(m_dialog, list, LB_GETCURSEL, 0, 0));
    }

    void changed(int select) {
        m_bar.notifyChange();
        fill();
        SendDlgItemMessage(m_dialog, kCurrent, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    }

    void add() {
        int from = selected(kAvailable), to = selected(kCurrent);
        if (from < 0 || from >= static_cast<int>(m_shown.size())) return;
        if (to < 0 || to > m_bar.count()) to = m_bar.count();
        if (!m_bar.notifyButton(TBN_QUERYINSERT, to)) return;
        TBBUTTON b{};
        b.fsStyle = BTNS_SEP;
        if (m_shown[static_cast<std::size_t>(from)] >= 0)
            b = m_offers[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(from)])].button;
        m_bar.insert(to, &b, 1);
        changed(to + 1);
    }

    void remove() {
        int i = selected(kCurrent);
        if (!m_bar.valid(i) || !m_bar.notifyButton(TBN_QUERYDELETE, i)) return;
        m_bar.erase(i);
        changed(i);
    }

    void shift(int step) {
        int i = selected(kCurrent);
        if (!m_bar.valid(i) || !m_bar.valid(i + step)) return;
        m_bar.move(i, i + step);
        changed(i + step);
    }

    INT_PTR command(WORD id, WORD code) {
        switch (id) {
        case kAdd:
            add();
            return TRUE;
        case kAvailable:
            if (code == LBN_DBLCLK) add();
            return TRUE;
        case kRemove:
            remove();
            return TRUE;
        case kCurrent:
            if (code == LBN_DBLCLK) remove();
            return TRUE;
        case kUp:
        case kDown:
            shift(id == kUp ? -1 : 1);
            return TRUE;
        case kReset: {
            NMHDR nm{};
            nm.code = TBN_RESET;
            m_bar.sendNotify(nm);
            fill();
            return TRUE;
        }
        case IDCANCEL:
        case IDOK:
            EndDialog(m_dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    }

    static INT_PTR CALLBACK proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            auto* self = reinterpret_cast<CustomizeDialog*>(lParam);
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            self->m_dialog = dialog;
            self->fill();
            return TRUE;
        }
        auto* self = reinterpret_cast<CustomizeDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
        if (!self || msg != WM_COMMAND) return FALSE;
        return self->command(LOWORD(wParam), HIWORD(wParam));
    }

    Toolbar& m_bar;
    HWND m_dialog = nullptr;
    std::vector<Offer> m_offers;
    std::vector<int> m_shown; // available list row -> offer index, -1 for the separator
};

void Toolbar::customize() {
    NMHDR nm{};
    nm.code = TBN_BEGINADJUST;
    sendNotify(nm);
    if (!IsWindow(m_hwnd)) return;
    CustomizeDialog(*this).run();
    if (!IsWindow(m_hwnd)) return;
    nm.code = TBN_ENDADJUST;
    sendNotify(nm);
}

LRESULT Toolbar::saveRestore(bool save, const TBSAVEPARAMSA* params) {
    if (!params || !params->pszValueName) return FALSE;
    HKEY key = nullptr;
    if (save) {
        if (RegCreateKeyEx(params->hkr, params->pszSubKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                           nullptr) != ERROR_SUCCESS)
            return FALSE;
        std::vector<BYTE> data = writeSavedButtons(m_buttons);
        LSTATUS r = RegSetValueEx(key, params->pszValueName, 0, REG_BINARY, data.data(),
                                  static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        return r == ERROR_SUCCESS;
    }
    if (RegOpenKeyEx(params->hkr, params->pszSubKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
    DWORD type = 0, size = 0;
    std::vector<BYTE> data;
    bool ok = RegQueryValueEx(key, params->pszValueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
              type == REG_BINARY && size >= 8 && size <= 8 + kRecord * kMaxButtons;
    if (ok) {
        data.resize(size);
        ok = RegQueryValueEx(key, params->pszValueName, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    std::vector<SavedButton> saved;
    if (!ok || !readSavedButtons(data.data(), size, saved)) return FALSE;
    // Each stored button is found among the bar's buttons or those its parent offers.
    std::vector<TBBUTTON> known(m_buttons);
    std::vector<Extra> knownExtra(m_extra);
    for (int k = 0; k < kMaxOffered; ++k) {
        NMTOOLBAR nm{};
        nm.hdr.code = TBN_GETBUTTONINFO;
        nm.iItem = k;
        if (!sendNotify(nm.hdr)) break;
        known.push_back(nm.tbButton);
        knownExtra.emplace_back();
    }
    std::vector<TBBUTTON> buttons;
    std::vector<Extra> extras;
    for (const SavedButton& r : saved) {
        int command = r.command;
        BYTE state = r.state, style = r.style;
        if (style & BTNS_SEP) {
            TBBUTTON sep{};
            sep.idCommand = command;
            sep.fsState = state;
            sep.fsStyle = style;
            buttons.push_back(sep);
            extras.emplace_back();
            continue;
        }
        auto at = std::find_if(known.begin(), known.end(), [&](const TBBUTTON& b) {
            return b.idCommand == command && !(b.fsStyle & BTNS_SEP);
        });
        if (at == known.end()) continue;
        buttons.push_back(*at);
        buttons.back().fsState = state;
        extras.push_back(knownExtra[static_cast<std::size_t>(at - known.begin())]);
    }
    m_buttons = std::move(buttons);
    m_extra = std::move(extras);
    m_pressed = m_hot = -1;
    m_mark = TBINSERTMARK{-1, 0};
    m_dirty = true;
    redraw();
    notifyChange();
    return TRUE;
}

namespace {

// Whether image i has the same size and colours in both lists.
bool sameImage(HIMAGELIST a, HIMAGELIST b, int i) {
    if (a == b) return true;
    IMAGEINFO ia{}, ib{};
    if (!ImageList_GetImageInfo(a, i, &ia) || !ImageList_GetImageInfo(b, i, &ib)) return false;
    int cx = ia.rcImage.right - ia.rcImage.left, cy = ia.rcImage.bottom - ia.rcImage.top;
    if (cx != ib.rcImage.right - ib.rcImage.left || cy != ib.rcImage.bottom - ib.rcImage.top) return false;
    HDC da = CreateCompatibleDC(nullptr), db = CreateCompatibleDC(nullptr);
    HGDIOBJ oldA = SelectObject(da, ia.hbmImage), oldB = SelectObject(db, ib.hbmImage);
    bool same = true;
    for (int y = 0; same && y < cy; ++y)
        for (int x = 0; same && x < cx; ++x)
            same = GetPixel(da, ia.rcImage.left + x, ia.rcImage.top + y) ==
                   GetPixel(db, ib.rcImage.left + x, ib.rcImage.top + y);
    SelectObject(da, oldA);
    SelectObject(db, oldB);
    DeleteDC(da);
    DeleteDC(db);
    return same;
}

} // namespace

int Toolbar::dropIndex(POINT pt) const {
    int hit = hitTest(pt);
    int to = hit < 0 ? -hit : hit;
    if (valid(to) && pt.x > (rectOf(to).left + rectOf(to).right) / 2) ++to;
    return to;
}

Toolbar* Toolbar::otherAdjustableBarAt(POINT screen) const {
    for (HWND h = WindowFromPoint(screen); h; h = GetParent(h)) {
        char name[32] = {};
        GetClassNameA(h, name, sizeof name);
        if (std::string(name) != TOOLBARCLASSNAMEA) continue;
        auto* bar = dynamic_cast<Toolbar*>(reinterpret_cast<ctl::Control*>(GetWindowLongPtr(h, 0)));
        if (!bar || bar == this || !(bar->style() & CCS_ADJUSTABLE)) return nullptr;
        return bar;
    }
    return nullptr;
}

bool Toolbar::takeButton(const Toolbar& from, int i, POINT screen) {
    POINT pt = screen;
    ScreenToClient(m_hwnd, &pt);
    int to = dropIndex(pt);
    if (!notifyButton(TBN_QUERYINSERT, to)) return false;
    TBBUTTON b = from.at(i);
    b.fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
    std::string text = from.textOf(i);
    b.iString = text.empty() ? -1 : reinterpret_cast<INT_PTR>(text.c_str());
    // The image goes into this bar's list unless that holds it at the same index already (bars
    // made from one strip of images), so that the index stays right when the bars are rebuilt.
    if (b.iBitmap >= 0 && from.m_images && m_images && !sameImage(from.m_images, m_images, b.iBitmap)) {
        HICON icon = ImageList_GetIcon(from.m_images, b.iBitmap, ILD_NORMAL);
        b.iBitmap = icon ? ImageList_AddIcon(m_images, icon) : -1;
        if (icon) DestroyIcon(icon);
    }
    // Through the window, so that a window subclassing the bar sees the insertion.
    SendMessage(m_hwnd, TB_INSERTBUTTONA, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(&b));
    notifyChange();
    return true;
}

} // namespace pm::cc
