// The main window's start-up, key table, title-bar images, tray icon, component boxes and status
// timer.

#include "colourtool/app/form1.h"

#include "colourtool/app/form1_pictures.h"
#include "colourtool/app/globals.h"
#include "colourtool/core/notations.h"
#include "colourtool/core/palette.h"

#include "platform/forms/app.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/forms/vb_numeric.h"

#include <cmath>

namespace tintara {
namespace {

constexpr char kExitTrayNote[] = "This will exit Tintara and remove it from the tray. To put Tintara in the "
                                 "tray use the minimize button instead.\n";
constexpr char kExitQuestion[] = "Are you sure you want to exit Tintara?";
constexpr char kDiscardForExit[] = "Discard changes and exit Tintara?";

struct ToolButtonRow {
    const char* key;
    int picture;
    const char* tip;
    bool dropDown;
    bool gap;
};

constexpr ToolButtonRow kToolButtons[] = {
    {"new", 0, "New HTML file", false, false},    {"open", 1, "Open HTML file...", false, false},
    {"save", 2, "Save HTML file", true, true},    {"copy", 3, "Copy current color", true, true},
    {"websafe", 6, "Websafe", true, false},       {"negative", 7, "Negative", true, false},
    {"filter", 10, "Brightness...", false, true}, {"dropper", 5, "Drop color from screen", false, true},
    {"mode", 8, "Palettes", true, true},          {"topmost", 4, "Always on top", false, true},
    {"system", 11, "Misc...", false, true},       {"home", 9, "Help & Hints", false, false},
};

} // namespace

void Form1::Form_Load() {
    MeCaption.Move(1, 0);
    m_random = RandomColourSource();
    for (int i = 0; i < 4; ++i)
        ColorSystem[i].Move(6, 8);
    ColorSyst.Move(6, 8);
    if (namedColors().count() == 0) Globals_LoadNamedColors();
    GradientsOn = true;
    Label1_Click(0);
    int heightTwips = Height() * vb::TwipsPerPixel;
    Move(vb::tw(500), vb::tw(vb::Screen().HeightTwips() - heightTwips - 1000));
    UpdateSpectra();
    addToolButtons();
    DefaultDoc = defaultDocument();
    Reset();
    Tray.SetVisible(false);
    TrayIcon.SetTrayIcon(Tray.Picture());
    TrayIcon.SetToolTipText("Tintara");
    TrayIcon.TaskVisible();
    // "-t" starts in the tray, or minimised where there is no notification area: never shown first.
    if (vb::Command() == "-t")
        hideWindow();
    else
        Show();
    Label1_Click(0);
    loadCustomPalettes();
}

void Form1::addToolButtons() {
    for (const ToolButtonRow& row : kToolButtons)
        Tool.AddButton(row.key, m_pictures->tools[static_cast<std::size_t>(row.picture)], row.tip,
                       row.dropDown, row.gap);
}

void Form1::loadCustomPalettes() {
    vb::Menu* custom = menuItem("mnuCustom");
    for (const std::string& file : listCustomPalettes(vb::App().Path())) {
        custom->Enabled = true;
        int next = 0;
        while (menuItem("mnuCustomItem", next))
            ++next;
        vb::Menu& item = custom->Load("mnuCustomItem", next);
        item.Visible = true;
        item.Tag = file;
        item.Caption = customPaletteCaption(file);
    }
    if (menuItem("mnuCustomItem", 1)) menuItem("mnuCustomItem", 0)->Visible = false;
}

// Whether a key with this shift state may run the window's command for it: the arrows and the
// component letters with any (they step or only clamp), Insert only alone (Shift+Insert pastes), and
// every other command key alone or with Shift; with Ctrl or Alt held a key is an editing or menu key
// (Ctrl+A, Ctrl+N), never a command.
bool Form1::keyCommandAllowed(int keyCode, int shift) {
    switch (keyCode) {
    case VK_LEFT:
    case VK_RIGHT:
    case 'R':
    case 'G':
    case 'B':
        return true;
    case VK_INSERT:
        return shift == 0;
    default:
        return (shift & (vb::vbCtrlMask | vb::vbAltMask)) == 0;
    }
}

void Form1::Form_KeyDown(int& keyCode, int shift) {
    if (componentBoxHasFocus() || !keyCommandAllowed(keyCode, shift)) return;
    auto step = [this](int i, int delta) {
        setComponent(i, component(i) + delta);
        UpdateSpectra();
    };
    auto letterStep = [&](int i) { step(i, shift == 0 ? 1 : shift == vb::vbShiftMask ? -1 : 0); };
    bool shiftAlone = shift == vb::vbShiftMask;
    std::string key;
    bool drop = false;
    switch (keyCode) {
    case VK_LEFT:
    case VK_RIGHT:
        for (int i = 0; i < 3; ++i)
            setComponent(i, component(i) + (keyCode == VK_LEFT ? -1 : 1));
        UpdateSpectra();
        return;
    case 'R':
        letterStep(0);
        return;
    case 'G':
        letterStep(1);
        return;
    case 'B':
        letterStep(2);
        return;
    case '1':
    case '2':
    case '3':
    case '4':
        Label1_Click(keyCode - '1');
        return;
    case '5':
        Preview_Click();
        return;
    case 'C':
        popup0b_Click(0);
        return;
    case 'W':
        popup1b_Click(shiftAlone ? 1 : 0);
        return;
    case 'N':
        popup2b_Click(shiftAlone ? 1 : 0);
        return;
    case 'E':
        popup6b_Click(0);
        return;
    case 'D':
        popup6b_Click(1);
        return;
    case 'S':
        popup3b_Click(0);
        return;
    case 'A':
        popup3b_Click(1);
        return;
    case 'O':
        key = "open";
        break;
    case VK_INSERT:
        key = "new";
        break;
    case 'P':
        key = "dropper";
        break;
    default:
        return;
    }
    Form1_Tool_ButtonClick(key, drop);
}

void Form1::Form_KeyPress(int& keyAscii) {
    if (componentBoxHasFocus()) return;
    if (keyAscii == '?') mnuRandom_Click();
}

void Form1::Form_Unload(int& cancel) {
    cancel = 1;
    hideWindow();
}

void Form1::applyBox(int index) {
    std::optional<double> number = vb::ParseNumber(txtColor[index].Text());
    if (number && std::isfinite(*number)) {
        double whole = std::floor(*number);
        setComponent(index, whole < -1e9  ? -1000000000LL
                            : whole > 1e9 ? 1000000000LL
                                          : static_cast<long long>(whole));
    }
    UpdateSpectra();
    KeyPreview = true;
}

bool Form1::componentBoxHasFocus() const {
    const HWND focus = GetFocus();
    for (int i = 0; i < 3; ++i) {
        if (focus && txtColor[i].hWnd() == focus) return true;
    }
    return false;
}

void Form1::rollUpOrDown() {
    // Rolled up, the title bar alone shows; rolled down, the window has its height at start.
    const int rolledUp = Image2.Height();
    Move(Left(), Top(), Width(), Height() == rolledUp ? kHeight : rolledUp);
}

void Form1::hideWindow() {
    hideToTray(*this, TrayIcon);
}

// The close image asks first. The question speaks of the tray only where there is one, and asks
// about the changes when the colours were not saved.
void Form1::closeImageClick() {
    const std::string question = std::string(TrayIcon.IconShown() ? kExitTrayNote : "") +
                                 (documentChanged() ? kDiscardForExit : kExitQuestion);
    if (vb::MsgBox(question, vb::vbOKCancel | vb::vbInformation | vb::vbDefaultButton2) != vb::vbOK) return;
    endProgram();
}

// The tray menu's Exit ends at once, unless the colours were changed and not saved.
void Form1::Exit_Click() {
    if (changesMayBeDiscarded(kDiscardForExit)) endProgram();
}

void Form1::endProgram() {
    TrayIcon.TaskInvisible();
    vb::End();
}

void Form1::Show_Click() {
    restoreFromTray(*this);
}

void Form1::trayMouseUp(int button) {
    if (button != vb::vbRightButton) return;
    PopupMenu(traymenu);
    Refresh();
}

void Form1::statusTick() {
    for (int i = 0; i < 4; ++i) {
        if (Label1[i].ToolTipText != Label1[i].Tag) Label1[i].ToolTipText = Label1[i].Tag;
    }
    if (Preview.ToolTipText != Preview.Tag) Preview.ToolTipText = Preview.Tag;
    if (CON && Label2.Caption() != CON->Tag) Label2.SetCaption(CON->Tag);
}

void Form1::URL_Click() {
    std::string key = "home";
    bool drop = false;
    Form1_Tool_ButtonClick(key, drop);
}

} // namespace tintara
