// A drag source for the Xvfb drop test: a window at the top left of the screen that, when
// pressed, drags the files named on its command line as a file manager does (text/uri-list) for
// as long as the button is held. The test moves the pointer with xdotool.
//   drag_files FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

class DragSource : public QWidget {
public:
    QList<QUrl> urls;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        drag->setMimeData(new QMimeData);
        drag->mimeData()->setUrls(urls);
        drag->exec(Qt::CopyAction);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DragSource source;
    for (int i = 1; i < argc; ++i)
        source.urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    source.setWindowTitle(QStringLiteral("drag_files"));
    source.setGeometry(0, 0, 120, 120);
    source.show();
    return app.exec();
}
