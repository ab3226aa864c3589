#pragma once

#include <QListWidget>

// A file list: the names (without folder) of the files of its folder that match its pattern
// ("*.dat;*.mpg", case ignored, since Video-CD and Windows-made files are often upper case),
// by name, as folder_listing reads them (hidden files left out).
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // False (and nothing changed) when `path` names no readable folder.
    bool setPath(const QString& path);
    QString Pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    int ListCount() const { return count(); }
    QString List(int index) const;  // empty when out of range

private:
    void fill(const QStringList& files);

    QString path_;
    QString pattern_;
};
