#include "colourtool/app/form1.h"

#include <stdexcept>

namespace tintara {

class Form1Pictures {};

namespace {

Form1* g_form1 = nullptr;

} // namespace

Form1& form1() {
    if (!g_form1) throw std::logic_error("the main window does not exist");
    return *g_form1;
}

Form1::Form1()
    : vb::Form("Form1", 376, 121, vb::FormBorderStyle::None), Image2(*this, "Image2", 0, 0, 334, 15),
      Image3(*this, "Image3", 333, 0, 16, 15), Image1(*this, "Image1", 348, 0, 13, 15),
      Image4(*this, "Image4", 360, 0, 16, 15), MeCaption(*this, "MeCaption", 1, 0, 330, 15),
      Tool(*this, "Tool", 0, 14, 376), Colors(*this, "Colors", 73, 40, 303, 81),
      ColorSyst(Colors, "ColorSyst", 6, 8, 292, 63), Named(Colors, "Named", 287, 68, 12, 12),
      Preview(*this, "Preview", 0, 40, 73, 81), Shape1(Preview, "Shape1", 0, 0, 72, 67),
      Label2(Preview, "Label2", 1, 68, 71, 12), Timer1("Timer1", 500, true) {
    g_form1 = this;
}

Form1::~Form1() {
    if (g_form1 == this) g_form1 = nullptr;
}

int Form1::GetR(ColourValue colorref) {
    return Globals_GetR(colorref);
}
int Form1::GetG(ColourValue colorref) {
    return Globals_GetG(colorref);
}
int Form1::GetB(ColourValue colorref) {
    return Globals_GetB(colorref);
}

void Form1::Reset() {}
void Form1::UpdateSpectra() {}
void Form1::Drop_click() {}
void Form1::URL_Click() {}
void Form1::Show_Click() {}
void Form1::Exit_Click() {}
Rgb Form1::workingColour() const {
    return {};
}
void Form1::setWorkingColour(const Rgb&) {}
DocumentColours Form1::documentColours() const {
    return DocumentColours::defaults();
}
void Form1::Label1_Click(int) {}
void Form1::Preview_Click() {}
void Form1::popup3b_Click(int) {}
void Form1::openDocument() {}
void Form1::newDocument() {}
void Form1::dropFiles(const std::vector<std::string>&) {}
void Form1::popup0b_Click(int) {}
void Form1::popup0c_Click(int) {}
void Form1::popup0d_Click(int) {}
void Form1::popup0e_Click(int) {}
void Form1::popup1b_Click(int) {}
void Form1::popup2b_Click(int) {}
void Form1::popup4b_Click() {}
void Form1::popup4c_Click(int) {}
void Form1::popup6b_Click(int) {}
void Form1::mnuRandom_Click() {}
void Form1::mnuCustomItem_Click(int) {}
void Form1::ImportPal_Click() {}
void Form1::Form1_Tool_ButtonClick(std::string&, bool&) {}
vb::Menu* Form1::menuItem(const std::string&, int) const {
    return nullptr;
}
void Form1::Form_Load() {}
void Form1::Form_Unload(int& cancel) {
    cancel = 1;
}
void Form1::Form_KeyDown(int&, int) {}
void Form1::Form_KeyPress(int&) {}

} // namespace tintara
