#pragma once

#include <QListWidget>
#include <QStringList>

// A folder list box. Its path is the current folder; its list (ListCount, List) the current
// folder's subfolders as full paths, by name, as folder_listing reads them (hidden folders left
// out). It shows what a classic folder list box shows: the chain of folders from the root down
// to the current one, each indented one step below its parent, the current one open, and its
// subfolders one step further in. Double-clicking any line goes to that folder, up or down.
// Every change of path emits Change.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // False (and nothing changed) when `path` names no readable folder.
    bool setPath(const QString& path);
    int ListCount() const { return int(folders_.size()); }
    QString List(int index) const { return folders_.value(index); }  // empty when out of range

    // The folder a shown line stands for.
    QString folderAt(int row) const;
    // Goes to the folder of a shown line, as a double-click does. A folder removed since it was
    // shown is left out: the box goes to the nearest folder above it that can still be read.
    void enter(int row);

signals:
    void Change();

private:
    void refill(const QStringList& chain);

    QString path_;
    QStringList folders_;  // the subfolders of path_, full paths
    QStringList rows_;  // the folder of every shown line: the chain, then the subfolders
};
