// Another program's drag of files, for the desktop tests: a small window titled "file drag
// source"; a press on it followed by a move starts a drag of the files named on the command line,
// offered to be copied, as a file manager offers them. It goes on running (the target may ask for
// the data after the drag has ended) until it is told to end.
//   file_drag_source FILE...

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : m_urls(std::move(urls)) {
        setWindowTitle(QStringLiteral("file drag source"));
        resize(160, 120);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { m_pressed = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        if ((e->position().toPoint() - m_pressed).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(m_urls);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
    QPoint m_pressed;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls.push_back(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
    DragSource source(urls);
    source.move(40, 40);
    source.show();
    return app.exec();
}
