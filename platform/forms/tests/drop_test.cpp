#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"

#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/window.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

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
    void drop(const QList<QUrl>& urls, int x = 40, int y = 50) {
        QMimeData mime;
        mime.setUrls(urls);
        QWidget* widget = pm::wm::window(form.hWnd())->widget;
        QDragEnterEvent enter(QPoint(x, y), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
        QDropEvent e(QPointF(x, y), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &e);
        pumpMessages();
    }
    DropForm form;
};

TEST_F(FormDropTest, DroppedLocalFilesReachTheFormInOrder) {
    form.SetOLEDropMode(vb::vbOLEDropManual);
    drop({QUrl::fromLocalFile("/tmp/page one.html"), QUrl("https://example.org/"),
          QUrl::fromLocalFile("/tmp/b.htm")});
    ASSERT_EQ(form.drops.size(), 1u);
    EXPECT_EQ(form.drops[0], (std::vector<std::string>{"/tmp/page one.html", "/tmp/b.htm"}));
}

TEST_F(FormDropTest, ADropOnAControlReachesItsForm) {
    form.SetOLEDropMode(vb::vbOLEDropManual);
    RECT frame{};
    GetWindowRect(form.hWnd(), &frame);
    POINT inside{120, 40};
    ClientToScreen(form.hWnd(), &inside);
    drop({QUrl::fromLocalFile("/tmp/c.html")}, inside.x - frame.left, inside.y - frame.top);
    EXPECT_EQ(form.drops, (std::vector<std::vector<std::string>>{{"/tmp/c.html"}}));
}

TEST_F(FormDropTest, NothingArrivesWithoutDropModeOrWithoutFiles) {
    drop({QUrl::fromLocalFile("/tmp/a.html")});
    form.SetOLEDropMode(vb::vbOLEDropManual);
    drop({QUrl("https://example.org/")});
    form.SetOLEDropMode(vb::vbOLEDropNone);
    drop({QUrl::fromLocalFile("/tmp/a.html")});
    EXPECT_TRUE(form.drops.empty());
}

} // namespace
