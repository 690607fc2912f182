#pragma once
// Form1: the colour tool's main window. It edits one working colour with three sliders, three
// component boxes, four scale pictures or a custom palette, and writes it into the selected one of
// five document-colour samples shown in an HTML preview. Commands arrive from the tool bar, the
// pop-up menus and the key table; every colour change ends in UpdateSpectra.

#include "colourtool/app/tray_icon.h"
#include "colourtool/app/win_tool.h"
#include "colourtool/core/colour_value.h"
#include "colourtool/core/colour_transforms.h"
#include "colourtool/core/document_colours.h"

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/standard_controls.h"
#include "platform/forms/timer.h"
#include "platform/forms/windowless.h"

#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tintara {

class Form1Pictures;

class Form1 : public vb::Form {
public:
    // The window's size at start, in pixels (it has no border).
    static constexpr int kWidth = 376;
    static constexpr int kHeight = 121;

    Form1();
    ~Form1() override;

    // ---- Colour values ----

    // The components of a colour value (value And 255, (value \ 256) And 255, (value \ 65536) And 255).
    static int GetR(ColourValue colorref);
    static int GetG(ColourValue colorref);
    static int GetB(ColourValue colorref);

    // ---- Public operations ----

    // New untitled document with the default colours; the normal-text sample is selected.
    void Reset();
    // Clamps the components, mirrors them in the boxes and pointer marks, redraws the gradients
    // (while GradientsOn), writes the working colour into the selected sample and shows its name.
    void UpdateSpectra();
    // The tray menu's "Drop to clipboard": the screen picker, its colour going to the clipboard.
    void Drop_click();
    // The tray menu's web-page item: the tool-bar command "home".
    void URL_Click();
    // The tray menu's "Show".
    void Show_Click();
    // The tray menu's "Exit": removes the icon and ends the program, asking first only when the
    // colours were changed and not saved.
    void Exit_Click();

    // The working colour as the component Tags hold it (taken as numbers, not clamped).
    Rgb workingColour() const;
    // Writes the components into the Tags as decimal text; UpdateSpectra shows them.
    void setWorkingColour(const Rgb& rgb);
    // The five samples' Tags.
    DocumentColours documentColours() const;

    // ---- Sample selection and document files ----

    void Label1_Click(int index);
    void Preview_Click();
    // "Save HTML file" (0) and "Save HTML file as..." (1).
    void popup3b_Click(int index);
    // The open command: asks for an HTML file and loads its BODY colours.
    void openDocument();
    // The new command: asks, then Reset.
    void newDocument();
    // Files dropped on the window: one file becomes the document, as if chosen with Open.
    void dropFiles(const std::vector<std::string>& paths);

    // ---- Menus ----

    void popup0b_Click(int index); // copy colour: hexadecimal, decimal, VB hex, name
    void popup0c_Click(int index); // copy VB macro (DEC, HEX)
    void popup0d_Click(int index); // copy HTML code, BODY tag, STYLE code
    void popup0e_Click(int index); // copy Java object (DEC, HEX)
    void popup1b_Click(int index); // websafe this, all
    void popup2b_Click(int index); // negative this, all
    void popup4b_Click();          // red/green/blue view
    void popup4c_Click(int index); // scale view 0-3
    void popup6b_Click(int index); // named colours, standard colour dialog
    void mnuRandom_Click();
    // A custom palette: the bitmap of the item's Tag shown in ColorSyst.
    void mnuCustomItem_Click(int index);
    // "Import Palette...".
    void ImportPal_Click();

    // ---- Tool bar ----

    // The command dispatcher of the tool-bar keys; DropDown is true for a release on an arrow part.
    void Form1_Tool_ButtonClick(std::string& CurrentButton, bool& DropDown);

    // ---- State ----

    vb::Control* CON = nullptr; // the selected sample: Preview or one Label1 element
    float TYP = 0;              // 1: background (BackColor), other: text sample (ForeColor)
    bool GradientsOn = false;
    std::string DocText;
    std::string DefaultDoc;
    std::string FileName;
    int ViewIndex = 0; // 0: sliders, k: scale ColorSystem(k - 1)
    bool AlwaysOnTop = false;

    // ---- Controls ----

    vb::Image Image2;    // title bar: drag moves, double click rolls up or down
    vb::Image Image3;    // roll up
    vb::Image Image1;    // hide to the tray
    vb::Image Image4;    // close
    vb::Label MeCaption; // caption text
    WinTool Tool;
    vb::PictureBox Colors;
    vb::ControlArray<vb::PictureBox> Color{"Color"};             // the component sliders
    vb::ControlArray<vb::TextBox> txtColor{"txtColor"};          // the component boxes
    vb::ControlArray<vb::Image> Pointer{"Pointer"};              // the marks under the sliders
    vb::ControlArray<vb::PictureBox> ColorSystem{"ColorSystem"}; // the four scale pictures
    vb::PictureBox ColorSyst;                                    // the custom palette picture
    vb::Label Named;                                             // "N": the colour has a name
    vb::PictureBox Preview;                                      // background sample
    vb::ControlArray<vb::Label> Label1{"Label1"};                // text samples
    vb::Shape Shape1;                                            // selection frame around the sample
    vb::Label Label2;                                            // status line
    vb::PictureBox Tray;                                         // holds the notification-area picture
    tintara::TrayIcon TrayIcon;
    vb::Timer Timer1;

    // Menus: the pop-ups of the tool bar and the tray menu.
    vb::Menu popup0{"popup0"}, popup1{"popup1"}, popup2{"popup2"}, popup3{"popup3"}, popup4{"popup4"},
        popup6{"popup6"}, traymenu{"traymenu"};
    // Element `index` of a menu item array of the pop-ups, or nullptr.
    vb::Menu* menuItem(const std::string& name, int index = -1) const;

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_OLEDragDrop(const std::vector<std::string>& files) override;

private:
    // Construction, in form1.cpp and form1_menus.cpp.
    void createControls();
    void wireEvents();
    void buildMenus();

    // The component i (0 red, 1 green, 2 blue) as its Tag's number, and writing it back.
    long long component(int i) const;
    void setComponent(int i, long long value);
    // Takes the colour at (x, y) of a scale or palette picture; points outside it change nothing.
    void pickFromScale(int index, int x, int y);
    void pickFromCustomPalette(int x, int y);
    void pickFrom(const vb::PictureBox& picture, int x, int y);
    void drawGradients(const Rgb& rgb);
    void showColourName();
    // Lets waiting messages run once; a nested call (from a handler run meanwhile) does not.
    void pumpOnce();

    // Start-up and events, in form1_startup.cpp.
    void addToolButtons();
    static bool keyCommandAllowed(int keyCode, int shift);
    void loadCustomPalettes();
    void applyBox(int index);
    // Whether a component box has the keyboard focus: keys typed there are the box's, never the
    // window's key commands.
    bool componentBoxHasFocus() const;
    void rollUpOrDown();
    void hideWindow();
    void closeImageClick();
    void endProgram();
    void trayMouseUp(int button);
    void statusTick();

    // Documents, in form1_files.cpp.
    void loadDocument(const std::string& path);
    void showCaption(const std::string& name);
    // Whether the samples differ from the colours last opened, saved or started afresh.
    bool documentChanged() const;
    void markDocumentSaved();
    // True when nothing changed, or the user agrees to `question` (OK/Cancel) to lose the changes.
    bool changesMayBeDiscarded(const char* question);

    // While one lives, UpdateSpectra lets no waiting message run: input typed meanwhile acts on what
    // the command leaves, never on a half-done state.
    class HeldInput {
    public:
        explicit HeldInput(Form1& form) : m_form(form), m_held(form.m_pumping) { form.m_pumping = true; }
        ~HeldInput() { m_form.m_pumping = m_held; }
        HeldInput(const HeldInput&) = delete;
        HeldInput& operator=(const HeldInput&) = delete;

    private:
        Form1& m_form;
        bool m_held;
    };

    // Menus, in form1_menus.cpp.
    void copyText(const std::string& text);
    void transformAll(Rgb (*transform)(const Rgb&));
    void uncheckViews();

    // The dispatcher's helpers and the secondary windows, in form1_dispatch.cpp.
    // Opens a tool-bar pop-up below the bar at x.
    void popupAt(const vb::Menu& menu, int x);
    // Opens the help page of the program folder in a browser; where none opens, tells the user
    // where the page is.
    void openHelpPage();
    // Puts the window and the visible secondary windows above all others, or no longer.
    void applyTopMost();
    void showNamedColors();
    void showBrightness();
    // Opens the screen picker; its colour goes to the clipboard or into this window.
    void openPicker(bool toClipboard);

    struct BitmapDeleter {
        void operator()(HBITMAP bitmap) const;
    };

    std::unique_ptr<Form1Pictures> m_pictures;
    RandomColourSource m_random;
    bool m_pumping = false;
    DocumentColours m_savedColours;
    HFONT m_namedFont = nullptr;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> m_customPalette;
};

// The program's main window: the Form1 that exists (one at a time).
Form1& form1();

} // namespace tintara
