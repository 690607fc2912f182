#include "colourtool/app/named_colors_form.h"

#include "colourtool/app/main_window_link.h"
#include "colourtool/app/secondary_window.h"
#include "colourtool/core/named_colors.h"

#include <string>
#include <vector>

namespace tintara {
namespace {

SingleWindow<NamedColors>& theDialog() {
    static SingleWindow<NamedColors> dialog;
    return dialog;
}

} // namespace

NamedColors::NamedColors()
    : vb::Form("NamedColors", 310, 196, vb::FormBorderStyle::FixedToolWindow),
      List(*this, "List", 8, 8, 176, 180, true), Preview(*this, "Preview", 192, 8, 110, 60),
      ListX(*this, "ListX", 192, 76, 110, 21), Command1(*this, "Command1", 192, 105, 110, 25, "&Chose"),
      Command2(*this, "Command2", 192, 134, 110, 25, "C&lose"),
      Command3(*this, "Command3", 192, 163, 110, 25, "C&hose n Close") {
    SetCaption("Chose named color");
    Command1.SetDefault(true);
    Command2.SetCancel(true);
    List.Click = [this] { List_Click(); };
    ListX.Change = [this] { ListX_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

NamedColors& NamedColors::open() {
    NamedColors& dialog = theDialog().get();
    showOverMainWindow(dialog);
    return dialog;
}

NamedColors* NamedColors::instance() {
    return theDialog().find();
}

void NamedColors::destroy() {
    theDialog().destroy();
}

void NamedColors::Form_Load() {
    List.Clear();
    const NamedColorTable& table = namedColors();
    for (std::size_t i = 0; i < table.count(); ++i)
        List.AddItem(table.name(i));
    ListX.SetText("");
    if (List.ListCount() > 0) List.SetListIndex(0);
}

void NamedColors::List_Click() {
    std::optional<std::size_t> index = namedColors().findByName(List.Text());
    if (!index) return;
    Preview.SetBackColor(static_cast<COLORREF>(namedColors().colour(*index)));
}

void NamedColors::ListX_Change() {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(List.ListCount()));
    for (int i = 0; i < List.ListCount(); ++i)
        shown.push_back(List.List(i));
    std::optional<std::size_t> match = firstPrefixMatch(shown, ListX.Text());
    if (match) List.SetListIndex(static_cast<int>(*match));
}

void NamedColors::Command1_Click() {
    mainWindow().applyColour(rgbOf(static_cast<ColourValue>(Preview.BackColor())));
}

void NamedColors::Command2_Click() {
    Unload();
}

void NamedColors::Command3_Click() {
    Command1_Click();
    Command2_Click();
}

} // namespace tintara
