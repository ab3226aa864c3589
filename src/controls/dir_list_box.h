#pragma once

#include <QListWidget>

// A folder browser: its path is the current folder, its list the current folder's subfolders as
// full paths, by name, as folder_listing reads them (hidden folders left out). Setting a different path lists the new folder and emits Change.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // False (and nothing changed) when `path` names no readable folder.
    bool setPath(const QString& path);
    int ListCount() const { return count(); }
    QString List(int index) const;  // empty when out of range

signals:
    void Change();

private:
    QString path_;
};
