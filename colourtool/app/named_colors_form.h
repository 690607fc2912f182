#pragma once
// NamedColors: the dialog "Chose named color" that picks one of the named colours by name. The
// names are listed sorted; typing in the box selects the first name beginning with the text; the
// buttons give the working colour the selected colour, close the dialog, or both.

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/standard_controls.h"

namespace tintara {

class NamedColors : public vb::Form {
public:
    NamedColors();

    // Opens the one dialog over the main window (menu "Named colors..."); a new opening lists the
    // table anew and selects the first name.
    static NamedColors& open();
    // The dialog when it exists, or nullptr.
    static NamedColors* instance();
    // Destroys the dialog (the next open creates it again).
    static void destroy();

    vb::ListBox List;
    vb::PictureBox Preview;
    vb::TextBox ListX;
    vb::CommandButton Command1; // "&Chose"
    vb::CommandButton Command2; // "C&lose"
    vb::CommandButton Command3; // "C&hose n Close"

    void List_Click();
    void ListX_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void Form_Load() override;
};

} // namespace tintara
