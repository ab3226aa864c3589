#include "playlist/playlist.h"

#include "controls/list_box.h"

#include <QSignalBlocker>
#include <algorithm>

Playlist::Playlist(ListBox& paths, ListBox& names) : paths_(paths), names_(names) { }

QString Playlist::displayName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);  // -1 when there is none: the whole path
}

QString Playlist::folderOf(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }

int Playlist::count() const { return names_.ListCount(); }

QString Playlist::path(int index) const { return paths_.List(index); }

QString Playlist::name(int index) const { return names_.List(index); }

bool Playlist::append(const QString& path, const QString& name)
{
    if (count() >= MaxEntries)
        return false;
    paths_.AddItem(path);
    names_.AddItem(name);
    return true;
}

qsizetype Playlist::append(const QStringList& paths, const QStringList& names)
{
    const qsizetype room = MaxEntries - count();
    const qsizetype n = std::min({paths.size(), names.size(), std::max<qsizetype>(room, 0)});
    paths_.AddItems(paths.mid(0, n));
    names_.AddItems(names.mid(0, n));
    return n;
}

void Playlist::select(int index)
{
    paths_.setListIndex(index);
    names_.setListIndex(index);  // runs List2's Click when the selection changes
}

void Playlist::selectQuietly(int index)
{
    paths_.setListIndex(index);
    const QSignalBlocker quiet(names_);
    names_.setListIndex(index);
}

void Playlist::selectNext()
{
    if (count() > 0)
        select(selected() + 1 == count() ? 0 : selected() + 1);
}

void Playlist::selectPrevious()
{
    if (count() > 0)
        select(selected() > 0 ? selected() - 1 : count() - 1);
}

int Playlist::selected() const { return names_.ListIndex(); }

void Playlist::remove(int index)
{
    paths_.RemoveItem(index);
    names_.RemoveItem(index);
}

void Playlist::clear()
{
    paths_.Clear();
    names_.Clear();
}

void Playlist::removeAndReselect(int index, const std::function<void()>& resetAll)
{
    if (index < 0 || index >= count())
        return;
    remove(index);
    if (count() == 0)
        resetAll();
    else if (count() > index)
        select(index);
    else
        select(index - 1);
}

void Playlist::exchange(int index)
{
    if (index < 0 || index + 1 >= count())
        return;
    for (ListBox* list : {&paths_, &names_}) {
        const QString upper = list->List(index);
        list->setList(index, list->List(index + 1));
        list->setList(index + 1, upper);
    }
}

bool Playlist::moveSelected(int step)
{
    const int i = selected();
    const int to = i + step;
    if (i < 0 || to < 0 || to >= count())
        return false;
    exchange(std::min(i, to));
    select(to);
    return true;
}

void Playlist::rename(int index, const QString& name) { names_.setList(index, name); }
