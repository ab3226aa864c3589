#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ListBox;

// The playlist: paths in the hidden list box List1 and display names in the visible List2, at
// the same index. Every change keeps the two in step.
class Playlist {
public:
    static constexpr int MaxEntries = 32767;

    Playlist(ListBox& paths, ListBox& names);

    // The text after the last "/" of the path, or the whole path when it has none.
    static QString displayName(const QString& path);
    // The folder of a path with its closing "/" (empty when the path has no "/").
    static QString folderOf(const QString& path);

    int count() const;
    QString path(int index) const;
    QString name(int index) const;

    // Appends an entry; false (and nothing added) when the list already holds MaxEntries.
    bool append(const QString& path, const QString& name);
    // Appends path with its display name.
    bool append(const QString& path) { return append(path, displayName(path)); }
    // Appends the entries in order, as many as fit; returns how many were added.
    qsizetype append(const QStringList& paths, const QStringList& names);

    // Selects entry i: List1 first, then List2, which opens it when the selection changes.
    void select(int index);

    // Removes entry i; when entries remain, selects the one that took its place (or the new
    // last one); when none remain, calls resetAll.
    void removeAndReselect(int index, const std::function<void()>& resetAll);

    // Exchanges entries i and i + 1 in both lists (selections are not touched).
    void exchange(int index);

    void rename(int index, const QString& name);

private:
    ListBox& paths_;
    ListBox& names_;
};
