#include "editor/HHAssistResources.h"

#include "platform/framework/afxres.h"
#include "platform/win/res/resources.h"
#include "platform/win/winmenu.h"
#include "platform/win/winuser.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace hh {

namespace {

using Pixel = std::uint32_t; // 0xRRGGBB

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool inCircle(int x, int y, int cx, int cy, int r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// The margin's marks: 0 bookmark (a cyan tab), 1 breakpoint (a red disc), 2 the third mark (a
// yellow arrow), each 17 wide, magenta where transparent.
Pixel marginPixel(int x, int y) {
    constexpr Pixel kClear = 0xFF00FF;
    const int image = x / 17, u = x % 17;
    switch (image) {
    case 0:
        if (u >= 3 && u <= 13 && y >= 2 && y <= 10)
            return (u == 3 || u == 13 || y == 2 || y == 10) ? 0x004080 : 0x40C0FF;
        return kClear;
    case 1:
        if (inCircle(u, y, 8, 6, 5)) return inCircle(u, y, 7, 5, 2) ? 0xFF8080 : 0xC00000;
        return kClear;
    default:
        if (y >= 2 && y <= 10 && u >= 3 && u - 3 <= 6 - std::abs(y - 6) + 4)
            return (u <= 8 && (y < 4 || y > 8)) ? kClear : 0xE0C000;
        return kClear;
    }
}

// The list's icons, 16 wide, red where transparent: 0 object, 1 keyword, 2 property,
// 3 method or function, 4 constant, 5 event.
Pixel iconPixel(int x, int y) {
    constexpr Pixel kClear = 0xFF0000;
    const int icon = x / 16, u = x % 16;
    switch (icon) {
    case 0: // a box
        if (u >= 3 && u <= 12 && y >= 2 && y <= 11)
            return (u == 3 || u == 12 || y == 2 || y == 11) ? 0x404040 : 0xE0E0A0;
        return kClear;
    case 1: // a bar
        return (u >= 3 && u <= 12 && y >= 5 && y <= 8) ? 0x000080 : kClear;
    case 2: // a hand-like card
        if (u >= 3 && u <= 12 && y >= 3 && y <= 10)
            return (y == 3 || y == 10 || u == 3 || u == 12) ? 0x606060 : 0xFFFFFF;
        return (u == 7 && y > 10) ? 0x606060 : kClear;
    case 3: // a purple diamond
        return std::abs(u - 8) + std::abs(y - 6) <= 5
                   ? (std::abs(u - 8) + std::abs(y - 6) == 5 ? 0x400060 : 0xA040C0)
                   : kClear;
    case 4: // a square
        return (u >= 4 && u <= 11 && y >= 3 && y <= 10) ? 0x008080 : kClear;
    default: // a bolt
        return (std::abs((u - 4) - (12 - y)) <= 1 && y >= 1 && y <= 12) ? 0xE0A000 : kClear;
    }
}

} // namespace

std::vector<unsigned char> MakeBitmapFile(int width, int height,
                                          const std::function<std::uint32_t(int, int)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(54 + stride * height));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixel(x, y);
            out.push_back(static_cast<unsigned char>(p & 0xFF));
            out.push_back(static_cast<unsigned char>((p >> 8) & 0xFF));
            out.push_back(static_cast<unsigned char>((p >> 16) & 0xFF));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

void DeclareAssistResources() {
    static const bool declared = [] {
        static const std::vector<unsigned char> margin = MakeBitmapFile(17 * 3, 13, marginPixel);
        static const std::vector<unsigned char> icons = MakeBitmapFile(16 * 6, 13, iconPixel);
        pm::res::addImage(pm::res::ImageKind::Bitmap, IDB_HHASSIST_MARGIN, margin.data(), margin.size());
        pm::res::addImage(pm::res::ImageKind::Bitmap, IDB_HHASSIST_ICONS, icons.data(), icons.size());
        using pm::res::MenuItem;
        pm::res::addMenu(
            IDR_HHASSIST_MENU,
            {{MenuItem{
                "",
                0,
                MF_POPUP,
                {MenuItem{"Cu&t\tCtrl-X", ID_EDIT_CUT, 0, {}}, MenuItem{"&Copy\tCtrl-C", ID_EDIT_COPY, 0, {}},
                 MenuItem{"&Paste\tCtrl-V", ID_EDIT_PASTE, 0, {}}, MenuItem{"", 0, MF_SEPARATOR, {}},
                 MenuItem{"List &Objects", ID_HHASSIST_LIST_OBJECTS, 0, {}},
                 MenuItem{"List Properties/Met&hods", ID_HHASSIST_LIST_MEMBERS, 0, {}},
                 MenuItem{"List &Functions", ID_HHASSIST_LIST_FUNCTIONS, 0, {}},
                 MenuItem{"Quick &Info", ID_HHASSIST_QUICK_INFO, 0, {}}, MenuItem{"", 0, MF_SEPARATOR, {}},
                 MenuItem{"Toggle Brea&kpoint\tF9", ID_HHASSIST_TOGGLE_BREAKPOINT, 0, {}},
                 MenuItem{"Toggle &Bookmark\tF2", ID_HHASSIST_TOGGLE_BOOKMARK, 0, {}}}}}});
        const BYTE key = FVIRTKEY;
        pm::res::addAccelerators(IDR_HHASSIST_MENU,
                                 {
                                     {key, VK_F9, ID_HHASSIST_TOGGLE_BREAKPOINT},
                                     {static_cast<BYTE>(key | FCONTROL), VK_F2, ID_HHASSIST_TOGGLE_BOOKMARK},
                                     {static_cast<BYTE>(key | FSHIFT), VK_F2, ID_HHASSIST_PREV_BOOKMARK},
                                     {key, VK_F2, ID_HHASSIST_NEXT_BOOKMARK},
                                     {static_cast<BYTE>(key | FCONTROL), VK_SPACE, ID_HHASSIST_LIST_OBJECTS},
                                     {static_cast<BYTE>(key | FCONTROL), 'F', ID_EDIT_FIND},
                                     {key, VK_F3, ID_EDIT_REPEAT},
                                     {static_cast<BYTE>(key | FALT), VK_BACK, ID_EDIT_UNDO},
                                     {static_cast<BYTE>(key | FCONTROL), 'Z', ID_EDIT_UNDO},
                                     {static_cast<BYTE>(key | FSHIFT | FALT), VK_BACK, ID_EDIT_REDO},
                                     {static_cast<BYTE>(key | FCONTROL), 'Y', ID_EDIT_REDO},
                                 });
        pm::res::addStrings({
            {ID_HHASSIST_TOGGLE_BREAKPOINT, "Toggle breakpoint\nToggle Breakpoint"},
            {ID_HHASSIST_CLEAR_BREAKPOINTS, "Clear breakpoints\nClear Breakpoints"},
            {ID_HHASSIST_TOGGLE_BOOKMARK, "Toggle bookmark\nToggle Bookmark"},
            {ID_HHASSIST_PREV_BOOKMARK, "Go to previous bookmark\nPrevious Bookmark"},
            {ID_HHASSIST_NEXT_BOOKMARK, "Go to next bookmark\nNext Bookmark"},
            {ID_HHASSIST_CLEAR_BOOKMARKS, "Clear bookmark\nClear Bookmark"},
            {ID_HHASSIST_QUICK_INFO, "Show tooltip information\nTooltip Info"},
            {ID_HHASSIST_LIST_OBJECTS, "Show list of objects\nObjects"},
            {ID_HHASSIST_LIST_MEMBERS, "Show list of member properties and methods\nMembers"},
            {ID_HHASSIST_LIST_FUNCTIONS, "Show list of functions\nFunctions"},
        });
        return true;
    }();
    (void)declared;
}

} // namespace hh
