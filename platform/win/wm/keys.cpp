#include "platform/win/wm/keys.h"

#include <Qt>

namespace pm::wm {
namespace {

struct KeyPair {
    int qt;
    int vk;
};

// Keys whose virtual-key code is not their own character.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// Scan codes (set 1) by virtual key, for lParam bits 16-23.
struct ScanPair {
    int vk;
    UINT scan;
};
constexpr ScanPair kScans[] = {
    {VK_ESCAPE, 1},    {'1', 2},          {'2', 3},           {'3', 4},
    {'4', 5},          {'5', 6},          {'6', 7},           {'7', 8},
    {'8', 9},          {'9', 10},         {'0', 11},          {VK_OEM_MINUS, 12},
    {VK_OEM_PLUS, 13}, {VK_BACK, 14},     {VK_TAB, 15},       {'Q', 16},
    {'W', 17},         {'E', 18},         {'R', 19},          {'T', 20},
    {'Y', 21},         {'U', 22},         {'I', 23},          {'O', 24},
    {'P', 25},         {VK_OEM_4, 26},    {VK_OEM_6, 27},     {VK_RETURN, 28},
    {VK_CONTROL, 29},  {'A', 30},         {'S', 31},          {'D', 32},
    {'F', 33},         {'G', 34},         {'H', 35},          {'J', 36},
    {'K', 37},         {'L', 38},         {VK_OEM_1, 39},     {VK_OEM_7, 40},
    {VK_OEM_3, 41},    {VK_SHIFT, 42},    {VK_OEM_5, 43},     {'Z', 44},
    {'X', 45},         {'C', 46},         {'V', 47},          {'B', 48},
    {'N', 49},         {'M', 50},         {VK_OEM_COMMA, 51}, {VK_OEM_PERIOD, 52},
    {VK_OEM_2, 53},    {VK_MULTIPLY, 55}, {VK_MENU, 56},      {VK_SPACE, 57},
    {VK_CAPITAL, 58},  {VK_F1, 59},       {VK_F2, 60},        {VK_F3, 61},
    {VK_F4, 62},       {VK_F5, 63},       {VK_F6, 64},        {VK_F7, 65},
    {VK_F8, 66},       {VK_F9, 67},       {VK_F10, 68},       {VK_NUMLOCK, 69},
    {VK_SCROLL, 70},   {VK_HOME, 71},     {VK_UP, 72},        {VK_PRIOR, 73},
    {VK_SUBTRACT, 74}, {VK_LEFT, 75},     {VK_RIGHT, 77},     {VK_ADD, 78},
    {VK_END, 79},      {VK_DOWN, 80},     {VK_NEXT, 81},      {VK_INSERT, 82},
    {VK_DELETE, 83},   {VK_F11, 87},      {VK_F12, 88},       {VK_DIVIDE, 53},
    {VK_LWIN, 91},     {VK_APPS, 93},
};

struct NamePair {
    int vk;
    const char* name;
};
constexpr NamePair kNames[] = {
    {VK_ESCAPE, "Esc"},
    {VK_BACK, "Backspace"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_CONTROL, "Ctrl"},
    {VK_SHIFT, "Shift"},
    {VK_MENU, "Alt"},
    {VK_SPACE, "Space"},
    {VK_CAPITAL, "Caps Lock"},
    {VK_NUMLOCK, "Num Lock"},
    {VK_SCROLL, "Scroll Lock"},
    {VK_HOME, "Home"},
    {VK_UP, "Up"},
    {VK_PRIOR, "Page Up"},
    {VK_LEFT, "Left"},
    {VK_RIGHT, "Right"},
    {VK_END, "End"},
    {VK_DOWN, "Down"},
    {VK_NEXT, "Page Down"},
    {VK_INSERT, "Insert"},
    {VK_DELETE, "Delete"},
    {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"},
    {VK_DIVIDE, "Num /"},
    {VK_PAUSE, "Pause"},
    {VK_SNAPSHOT, "Prnt Scrn"},
    {VK_APPS, "Application"},
    {VK_OEM_1, ";"},
    {VK_OEM_PLUS, "="},
    {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},
    {VK_OEM_3, "`"},
    {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},
    {VK_OEM_6, "]"},
    {VK_OEM_7, "'"},
};

} // namespace

int virtualKeyFromQt(int qtKey, bool keypad) {
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
            return VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey) return k.vk;
    return 0;
}

UINT scanCodeOf(int vk) {
    for (const ScanPair& s : kScans)
        if (s.vk == vk) return s.scan;
    return 0;
}

int virtualKeyOfScanCode(UINT scan) {
    for (const ScanPair& s : kScans)
        if (s.scan == scan) return s.vk;
    return 0;
}

bool isExtendedKey(int vk) {
    switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
        return true;
    default:
        return false;
    }
}

QString keyName(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return QString(QChar(vk));
    if (vk >= VK_F1 && vk <= VK_F24) return QStringLiteral("F%1").arg(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return QStringLiteral("Num %1").arg(vk - VK_NUMPAD0);
    for (const NamePair& n : kNames)
        if (n.vk == vk) return QString::fromLatin1(n.name);
    return QString();
}

int charOfKey(int vk, bool shift, bool control, bool capsLock) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) return vk - 'A' + 1;
        return (shift != capsLock) ? vk : vk + ('a' - 'A');
    }
    if (control) return vk == VK_RETURN ? '\n' : 0;
    if (vk >= '0' && vk <= '9' && !shift) return vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return '0' + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_TAB:
        return '\t';
    case VK_BACK:
        return 8;
    case VK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}

} // namespace pm::wm
