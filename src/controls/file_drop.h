#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// The local files of a drop from a file manager (text/uri-list), in the order the source gives
// them. Paths keep the bytes of names that are not UTF-8 (see platform/native_file_name.h); a
// trailing "/" (some file managers add one to folders) is dropped, so a folder counts by its name.
QStringList droppedFiles(const QMimeData& data);

// Makes a widget a drop target for files. For an item view, pass its viewport.
class FileDropTarget : public QObject {
    Q_OBJECT
public:
    explicit FileDropTarget(QWidget* target);

signals:
    void dropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
