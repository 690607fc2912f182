// The main window's pop-up menus and their colour commands: the clipboard notations, web-safe and
// negative, the colour views, named and standard colour dialogs, random colour and custom palettes.

#include "colourtool/app/form1.h"
#include "colourtool/app/form1_pictures.h"

#include "colourtool/core/file_io.h"
#include "colourtool/core/notations.h"
#include "colourtool/core/palette.h"

#include "platform/forms/app.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/vb_numeric.h"

#include <algorithm>
#include <cmath>

namespace tintara {
namespace {

vb::Menu* findItem(const vb::Menu& menu, const std::string& name, int index) {
    for (const auto& child : menu.items()) {
        if (child->Name == name && child->Index == index) return child.get();
        if (vb::Menu* found = findItem(*child, name, index)) return found;
    }
    return nullptr;
}

// Adds the elements of a menu item array, each calling `click` with its index.
template <class Click>
void addArray(vb::Menu& menu, const char* name, std::initializer_list<const char*> captions, Click click) {
    int index = 0;
    for (const char* caption : captions)
        menu.add(name, caption, index++).Click = click;
}

// Larger files are no pictures a palette area shows.
constexpr std::size_t kMaxCustomPaletteBytes = 64 << 20;

// `picture`, or when it is larger than the palette area a copy shrunk to fit it with its shape
// kept (each pixel of the copy one of the picture's, so only its own colours are picked), in
// which case `picture` is deleted.
HBITMAP fittedToPaletteArea(HBITMAP picture) {
    BITMAP info{};
    GetObject(picture, sizeof info, &info);
    constexpr int areaWidth = Form1Pictures::kScaleWidth, areaHeight = Form1Pictures::kScaleHeight;
    if (info.bmWidth <= areaWidth && info.bmHeight <= areaHeight) return picture;
    const double scale = std::min(static_cast<double>(areaWidth) / info.bmWidth,
                                  static_cast<double>(areaHeight) / info.bmHeight);
    const int width = std::clamp(static_cast<int>(std::lround(info.bmWidth * scale)), 1, areaWidth);
    const int height = std::clamp(static_cast<int>(std::lround(info.bmHeight * scale)), 1, areaHeight);
    HDC screen = GetDC(nullptr);
    HBITMAP fitted = CreateCompatibleBitmap(screen, width, height);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldFrom = SelectObject(from, picture);
    HGDIOBJ oldTo = SelectObject(to, fitted);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(picture);
    return fitted;
}

// The picture of a custom palette file, or nullptr when it is none. A bitmap cut short would show
// its missing rows as black, so it is refused like any other bad picture.
HBITMAP loadCustomPalette(const std::string& path) {
    FileRead file = readWholeFile(path, kMaxCustomPaletteBytes);
    if (file.status != ReadStatus::Ok || isCutBitmap(file.bytes)) return nullptr;
    HBITMAP picture =
        static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    return picture ? fittedToPaletteArea(picture) : nullptr;
}

// A number as a plain text: whole numbers without a decimal part.
std::string plainNumber(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    return std::to_string(value);
}

} // namespace

void Form1::buildMenus() {
    vb::Menu& copy = popup0.add("mnuColorCopy", "Copy color");
    addArray(copy, "popup0b", {"Hexadecimal", "Decimal", "Visual Basic (HEX)", "Color Name"},
             [this](int i) { popup0b_Click(i); });
    addArray(popup0.add("mnuColorMacro", "Copy color macro"), "popup0c",
             {"Copy VB macro (DEC)", "Copy VB macro (HEX)"}, [this](int i) { popup0c_Click(i); });
    addArray(popup0.add("mnuColorObject", "Copy color object"), "popup0e",
             {"Copy Java object (DEC)", "Copy Java object (HEX)"}, [this](int i) { popup0e_Click(i); });
    addArray(popup0.add("mnuCodeCopy", "Copy HTML code"), "popup0d",
             {"Copy <HTML> code", "Copy <BODY> tag", "Copy <STYLE> code"},
             [this](int i) { popup0d_Click(i); });
    addArray(popup1, "popup1b", {"Websafe this", "Websafe all"}, [this](int i) { popup1b_Click(i); });
    addArray(popup2, "popup2b", {"Negative this", "Negative all"}, [this](int i) { popup2b_Click(i); });
    addArray(popup3, "popup3b", {"Save HTML file", "Save HTML file as..."},
             [this](int i) { popup3b_Click(i); });
    vb::Menu& rgb = popup4.add("popup4b", "Red/Green/Blue");
    rgb.Click = [this](int) { popup4b_Click(); };
    rgb.Checked = true;
    popup4.add("m3", "-");
    addArray(popup4, "popup4c", {"Websafe scale", "VB like scale", "PSP like scale", "Windows like scale"},
             [this](int i) { popup4c_Click(i); });
    popup4.add("m4", "-");
    vb::Menu& custom = popup4.add("mnuCustom", "Custom");
    custom.Enabled = false;
    custom.add("mnuCustomItem", "", 0).Click = [this](int i) { mnuCustomItem_Click(i); };
    addArray(popup6, "popup6b", {"Named colors...", "Standard color dialog..."},
             [this](int i) { popup6b_Click(i); });
    popup6.add("ImportPal", "Import Palette...").Click = [this](int) { ImportPal_Click(); };
    popup6.add("m2", "-");
    popup6.add("mnuRandom", "Randomize Color").Click = [this](int) { mnuRandom_Click(); };
    traymenu.add("Show", "Show").Click = [this](int) { Show_Click(); };
    traymenu.add("Drop", "Drop to clipboard").Click = [this](int) { Drop_click(); };
    traymenu.add("m5", "-");
    traymenu.add("URL", "Tintara Help && Hints").Click = [this](int) { URL_Click(); };
    traymenu.add("m6", "-");
    traymenu.add("Exit", "Exit").Click = [this](int) { Exit_Click(); };
}

vb::Menu* Form1::menuItem(const std::string& name, int index) const {
    for (const vb::Menu* menu : {&popup0, &popup1, &popup2, &popup3, &popup4, &popup6, &traymenu}) {
        if (vb::Menu* found = findItem(*menu, name, index)) return found;
    }
    return nullptr;
}

void Form1::copyText(const std::string& text) {
    vb::Clipboard().Clear();
    vb::Clipboard().SetText(text);
    pumpOnce();
}

void Form1::popup0b_Click(int index) {
    if (!CON) return;
    switch (index) {
    case 0:
        copyText(CON->Tag);
        break;
    case 1:
        copyText(
            decimalNotation(static_cast<ColourValue>(CON == &Preview ? CON->BackColor() : CON->ForeColor())));
        break;
    case 2:
        copyText(vbHexNotation(CON->Tag));
        break;
    case 3:
        copyText(Named.ToolTipText);
        break;
    default:
        break;
    }
}

void Form1::popup0c_Click(int index) {
    copyText(index == 0 ? vbMacroDec(workingColour()) : vbMacroHex(workingColour()));
}

void Form1::popup0e_Click(int index) {
    copyText(index == 0 ? javaObjectDec(workingColour()) : javaObjectHex(workingColour()));
}

void Form1::popup0d_Click(int index) {
    DocumentColours colours = documentColours();
    switch (index) {
    case 0:
        copyText(htmlCode(colours));
        break;
    case 1:
        copyText(bodyTagCode(colours));
        break;
    case 2:
        copyText(styleCode(colours));
        break;
    default:
        break;
    }
}

void Form1::popup1b_Click(int index) {
    if (index == 1) {
        transformAll(webSafe);
        return;
    }
    setWorkingColour(webSafe(workingColour()));
    UpdateSpectra();
}

void Form1::popup2b_Click(int index) {
    if (index == 1) {
        transformAll(negative);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        double value = 255 - vb::Val(txtColor[i].Text());
        txtColor[i].SetText(plainNumber(value));
        setComponent(i, static_cast<long long>(vb::Int(std::clamp(value, -1e9, 1e9))));
    }
    UpdateSpectra();
}

void Form1::transformAll(Rgb (*transform)(const Rgb&)) {
    GradientsOn = false;
    TYP = 2;
    for (int i = 0; i < 4; ++i) {
        CON = &Label1[i];
        TYP = 0;
        setWorkingColour(transform(rgbOfNotation(Label1[i].Tag)));
        UpdateSpectra();
    }
    GradientsOn = true;
    TYP = 1;
    CON = &Preview;
    setWorkingColour(transform(rgbOfNotation(Preview.Tag)));
    UpdateSpectra();
    Label1_Click(0);
}

void Form1::uncheckViews() {
    for (int k = 0; k < ColorSystem.Count(); ++k) {
        menuItem("popup4c", k)->Checked = false;
        ColorSystem[k].SetVisible(false);
    }
    for (int i = 0; vb::Menu* item = menuItem("mnuCustomItem", i); ++i)
        item->Checked = false;
    menuItem("popup4b")->Checked = false;
}

void Form1::popup4b_Click() {
    ViewIndex = 0;
    uncheckViews();
    ColorSyst.SetVisible(false);
    menuItem("popup4b")->Checked = true;
}

void Form1::popup4c_Click(int index) {
    if (!ColorSystem.exists(index)) return;
    ViewIndex = index + 1;
    uncheckViews();
    ColorSyst.SetVisible(false);
    ColorSystem[index].SetVisible(true);
    ColorSystem[index].ZOrder(true);
    menuItem("popup4c", index)->Checked = true;
}

void Form1::mnuCustomItem_Click(int index) {
    vb::Menu* item = menuItem("mnuCustomItem", index);
    if (!item) return;
    HBITMAP picture = loadCustomPalette(vb::App().Path() + "/" + item->Tag);
    if (!picture) {
        vb::MsgBox(kInvalidCustomPalette, vb::vbCritical);
        return;
    }
    m_customPalette.reset(picture);
    ColorSyst.SetPicture(picture);
    ColorSyst.Cls();
    uncheckViews();
    ColorSyst.SetVisible(false);
    item->Checked = true;
    ColorSyst.SetVisible(true);
    ColorSyst.ZOrder(true);
}

void Form1::popup6b_Click(int index) {
    if (index == 1) {
        // The dialog opens at the working colour.
        std::optional<COLORREF> chosen = vb::dialogs().ChooseColour(
            hWnd(), static_cast<COLORREF>(colourValue(workingColour())), CC_FULLOPEN | CC_RGBINIT);
        if (!chosen) return;
        ColourValue value = static_cast<ColourValue>(*chosen);
        setWorkingColour(Rgb{GetR(value), GetG(value), GetB(value)});
        UpdateSpectra();
        return;
    }
    showNamedColors();
}

void Form1::mnuRandom_Click() {
    setWorkingColour(m_random.next());
    UpdateSpectra();
}

} // namespace tintara
