// System colours, metrics and parameters: a fixed classic table, with the screen's size and work area.
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/screen.h"

#include <cstring>

namespace {

constexpr int kColorCount = 31;

constexpr COLORREF kSysColors[kColorCount] = {
    RGB(192, 192, 192), // COLOR_SCROLLBAR
    RGB(0, 128, 128),   // COLOR_BACKGROUND
    RGB(0, 0, 128),     // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(192, 192, 192), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(192, 192, 192), // COLOR_ACTIVEBORDER
    RGB(192, 192, 192), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(0, 0, 128),     // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),       // COLOR_3DDKSHADOW
    RGB(223, 223, 223), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(0, 0, 0),       // 25: unused
    RGB(0, 0, 255),     // COLOR_HOTLIGHT
    RGB(16, 132, 208),  // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),     // COLOR_MENUHILIGHT
    RGB(192, 192, 192), // COLOR_MENUBAR
};

int width(const RECT& r) {
    return r.right - r.left;
}

int height(const RECT& r) {
    return r.bottom - r.top;
}

// The classic fixed metrics (96 dots per inch, 8-point dialog font).
int fixedMetric(int index) {
    switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
    case SM_NETWORK:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return 18;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINSPACING:
        return 24;
    case SM_CYSMCAPTION:
        return 16;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return 15;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    default:
        return 0;
    }
}

LOGFONTA messageFont(int weight) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return lf;
}

BOOL nonClientMetrics(NONCLIENTMETRICSA* m) {
    if (!m || m->cbSize < sizeof(NONCLIENTMETRICSA)) return FALSE;
    m->iBorderWidth = 1;
    m->iScrollWidth = m->iScrollHeight = 16;
    m->iCaptionWidth = m->iCaptionHeight = 18;
    m->lfCaptionFont = messageFont(FW_BOLD);
    m->iSmCaptionWidth = 12;
    m->iSmCaptionHeight = 15;
    m->lfSmCaptionFont = messageFont(FW_BOLD);
    m->iMenuWidth = m->iMenuHeight = 18;
    m->lfMenuFont = messageFont(FW_NORMAL);
    m->lfStatusFont = messageFont(FW_NORMAL);
    m->lfMessageFont = messageFont(FW_NORMAL);
    return TRUE;
}

} // namespace

DWORD GetSysColor(int index) {
    return index >= 0 && index < kColorCount ? kSysColors[index] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorCount) return nullptr;
    static HBRUSH brushes[kColorCount] = {};
    if (!brushes[index])
        brushes[index] =
            pm::gdi::addObject<HBRUSH>(pm::gdi::Brush{BS_SOLID, kSysColors[index], 0, {}, false}, true);
    return brushes[index];
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXMAXTRACK:
        return width(pm::gdi::screenRect());
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CYMAXTRACK:
        return height(pm::gdi::screenRect());
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
        return width(pm::gdi::workArea());
    case SM_CYFULLSCREEN:
        return height(pm::gdi::workArea()) - fixedMetric(SM_CYCAPTION);
    case SM_CYMAXIMIZED:
        return height(pm::gdi::workArea());
    case SM_XVIRTUALSCREEN:
        return pm::gdi::screenRect().left;
    case SM_YVIRTUALSCREEN:
        return pm::gdi::screenRect().top;
    default:
        return fixedMetric(index);
    }
}

BOOL SystemParametersInfoA(UINT action, UINT, LPVOID out, UINT) {
    if (!out) return FALSE;
    switch (action) {
    case SPI_GETWORKAREA: {
        *static_cast<RECT*>(out) = pm::gdi::workArea();
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS:
        return nonClientMetrics(static_cast<NONCLIENTMETRICSA*>(out));
    case SPI_GETICONTITLELOGFONT:
        *static_cast<LOGFONTA*>(out) = messageFont(FW_NORMAL);
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        *static_cast<UINT*>(out) = 3;
        return TRUE;
    default:
        return FALSE;
    }
}
