#pragma once

#include <QListWidget>
#include <QStringList>
#include <functional>
#include <optional>

// A file list: the names (without folder) of the files of its folder that match its pattern
// ("*.dat;*.mpg", case ignored, since Video-CD and Windows-made files are often upper case),
// by name, as folder_listing reads them (hidden files left out).
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    // Errors of a change of folder, numbered as the program's file errors are.
    static constexpr int DeviceUnavailable = 68;
    static constexpr int PermissionDenied = 70;
    static constexpr int PathNotFound = 76;

    // The files of a folder that is not one of this file system (a folder on a disc, read from
    // the disc): the error reading it gave (0 for none) and the file names. Nothing for a path
    // the source does not hold.
    struct Listing {
        int error = 0;
        QStringList names;
    };
    using FolderSource = std::function<std::optional<Listing>(const QString& path)>;
    void setFolderSource(FolderSource source) { source_ = std::move(source); }

    QString Path() const { return path_; }
    // Moves to `path`: 0, or the error the move failed with (nothing changed then).
    int trySetPath(const QString& path);
    // False (and nothing changed) when `path` names no readable folder.
    bool setPath(const QString& path) { return trySetPath(path) == 0; }
    QString Pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    int ListCount() const { return count(); }
    QString List(int index) const;  // empty when out of range

private:
    void fill(const QStringList& files);

    QString path_;
    QString pattern_;
    FolderSource source_;
    std::optional<QStringList> sourced_;  // the names of a folder the source gave
};
