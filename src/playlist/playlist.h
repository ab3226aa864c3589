#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ListBox;

// The playlist: paths in the hidden list box List1 and display names in the visible List2, at
// the same index. It is the only writer of the two lists (their items and their selections), so
// every change keeps them in step.
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
    // Selects entry i in both lists without opening it.
    void selectQuietly(int index);
    // Selects the entry after the selected one (the first after the last) / the one before it
    // (the last before the first, and with none selected).
    void selectNext();
    void selectPrevious();
    int selected() const;

    // Removes entry i from both lists; a removed selection leaves none.
    void remove(int index);
    // Empties both lists.
    void clear();

    // Removes entry i; when entries remain, selects the one that took its place (or the new
    // last one); when none remain, calls resetAll.
    void removeAndReselect(int index, const std::function<void()>& resetAll);

    // Exchanges entries i and i + 1 in both lists (selections are not touched).
    void exchange(int index);
    // Exchanges the selected entry with its neighbour (-1 above, +1 below) and selects it again
    // in its new place; false (nothing done) when there is no such neighbour.
    bool moveSelected(int step);

    void rename(int index, const QString& name);

private:
    ListBox& paths_;
    ListBox& names_;
};
