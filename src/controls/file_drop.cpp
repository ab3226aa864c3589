#include "controls/file_drop.h"

#include "platform/native_file_name.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

QStringList droppedFiles(const QMimeData& data)
{
    QStringList paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        // The path's bytes as the URL carries them: Qt's own decoding would turn bytes that are
        // not UTF-8 into U+FFFD.
        QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (bytes.size() > 1 && bytes.endsWith('/'))
            bytes.chop(1);
        paths << fromNativeFileName(bytes);
    }
    return paths;
}

FileDropTarget::FileDropTarget(QWidget* target) : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        const QStringList paths = droppedFiles(*drop->mimeData());
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        emit dropped(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
