#include "support/form1_fixture.h"

#include "platform/win/tests/support/test_windows.h"

using pm::test::pumpMessages;

namespace {

using WindowTest = Form1Fixture;

TEST_F(WindowTest, PicturesOfEachView) {
    start();
    setColour(255, 128, 0);
    savePicture("tintara_main_sliders");
    const char* names[] = {"websafe", "vb", "psp", "windows"};
    for (int k = 0; k < 4; ++k) {
        form().popup4c_Click(k);
        savePicture(std::string("tintara_main_scale_") + names[k]);
    }
}

} // namespace
