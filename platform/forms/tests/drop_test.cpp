#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pm::test::pumpMessages;

class DropForm : public vb::Form {
public:
    DropForm() : vb::Form("DropForm", 200, 120) {}
    std::vector<std::vector<std::string>> drops;
    vb::PictureBox Picture1{*this, "Picture1", 100, 20, 80, 80};

protected:
    void Form_OLEDragDrop(const std::vector<std::string>& files) override { drops.push_back(files); }
};

class FormDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        pumpMessages();
    }
    // Drops the URLs on the form's window at (x, y) of its window rectangle, as the desktop does.
    void drop(const std::vector<std::string>& urls, int x = 40, int y = 50) {
        RECT frame{};
        GetWindowRect(form.hWnd(), &frame);
        pm::test::dropUrls(form.hWnd(), POINT{frame.left + x, frame.top + y}, urls);
        pumpMessages();
    }
    DropForm form;
};

TEST_F(FormDropTest, DroppedLocalFilesReachTheFormInOrder) {
    form.SetOLEDropMode(vb::vbOLEDropManual);
    drop({"/tmp/page one.html", "https://example.org/", "/tmp/b.htm"});
    ASSERT_EQ(form.drops.size(), 1u);
    EXPECT_EQ(form.drops[0], (std::vector<std::string>{"/tmp/page one.html", "/tmp/b.htm"}));
}

TEST_F(FormDropTest, ADropOnAControlReachesItsForm) {
    form.SetOLEDropMode(vb::vbOLEDropManual);
    RECT frame{};
    GetWindowRect(form.hWnd(), &frame);
    POINT inside{120, 40};
    ClientToScreen(form.hWnd(), &inside);
    drop({"/tmp/c.html"}, inside.x - frame.left, inside.y - frame.top);
    EXPECT_EQ(form.drops, (std::vector<std::vector<std::string>>{{"/tmp/c.html"}}));
}

TEST_F(FormDropTest, NothingArrivesWithoutDropModeOrWithoutFiles) {
    drop({"/tmp/a.html"});
    form.SetOLEDropMode(vb::vbOLEDropManual);
    drop({"https://example.org/"});
    form.SetOLEDropMode(vb::vbOLEDropNone);
    drop({"/tmp/a.html"});
    EXPECT_TRUE(form.drops.empty());
}

} // namespace
