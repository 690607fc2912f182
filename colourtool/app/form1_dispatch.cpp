// The tool-bar command dispatcher and the secondary windows it opens.

#include "colourtool/app/form1.h"

#include "colourtool/app/brightness.h"
#include "colourtool/app/frm_palette.h"
#include "colourtool/app/named_colors_form.h"
#include "colourtool/app/pick_color.h"

#include "platform/forms/app.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/forms/url_opener.h"

namespace tintara {

void Form1::BitmapDeleter::operator()(HBITMAP bitmap) const {
    DeleteObject(bitmap);
}

void Form1::popupAt(const vb::Menu& menu, int x) {
    PopupMenu(menu, x, 38);
}

void Form1::openHelpPage() {
    const std::string path = vb::App().Path() + "/help.html";
    if (vb::urlOpener().OpenUrl("file://" + path)) return;
    vb::MsgBox("The help page could not be opened in a browser. It is at " + path, vb::vbExclamation);
}

void Form1::Form1_Tool_ButtonClick(std::string& CurrentButton, bool& DropDown) {
    const std::string& key = CurrentButton;
    if (key == "system") popupAt(popup6, 321);
    if (key == "filter") showBrightness();
    if (key == "mode") {
        if (DropDown) {
            popupAt(popup4, 254);
        } else {
            ++ViewIndex;
            if (ColorSystem.Count() < ViewIndex) ViewIndex = 0;
            if (ViewIndex == 0)
                popup4b_Click();
            else
                popup4c_Click(ViewIndex - 1);
        }
    }
    if (key == "new") newDocument();
    if (key == "dropper") openPicker(false);
    if (key == "open") openDocument();
    if (key == "save") DropDown ? popupAt(popup3, 56) : popup3b_Click(0);
    if (key == "copy") DropDown ? popupAt(popup0, 94) : popup0b_Click(0);
    if (key == "topmost") {
        AlwaysOnTop = !AlwaysOnTop;
        if (AlwaysOnTop)
            Tool.Check("topmost");
        else
            Tool.Clear("topmost");
        applyTopMost();
    }
    if (key == "negative") DropDown ? popupAt(popup2, 164) : popup2b_Click(0);
    if (key == "websafe") DropDown ? popupAt(popup1, 132) : popup1b_Click(0);
    if (key == "home") openHelpPage();
}

void Form1::Drop_click() {
    openPicker(true);
}

void Form1::applyTopMost() {
    SetTopMost(AlwaysOnTop);
    vb::Form* secondary[] = {frmPalette::instance(), NamedColors::instance(), Brightness::instance()};
    for (vb::Form* window : secondary) {
        if (window && window->Visible()) window->SetTopMost(AlwaysOnTop);
    }
}

void Form1::showNamedColors() {
    NamedColors::open();
}

void Form1::showBrightness() {
    Brightness::open();
}

void Form1::openPicker(bool toClipboard) {
    PickColor::open(toClipboard);
}

void Form1::ImportPal_Click() {
    importPalette();
}

} // namespace tintara
