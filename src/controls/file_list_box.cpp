#include "controls/file_list_box.h"

#include "controls/folder_listing.h"

#include <QDir>

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int FileListBox::trySetPath(const QString& path)
{
    if (std::optional<Listing> listing = source_ ? source_(path) : std::nullopt) {
        if (listing->error != 0)
            return listing->error;
        path_ = QDir::cleanPath(path);
        QStringList names = listing->names;
        names.sort(Qt::CaseInsensitive);
        sourced_ = names;
        fill(names);
        return 0;
    }
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const folder_listing::Folder folder = folder_listing::read(clean);
    if (folder.error != 0)
        return PathNotFound;
    path_ = clean;
    sourced_.reset();
    fill(folder.files);
    return 0;
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    if (path_.isEmpty())
        fill({});
    else
        fill(sourced_ ? *sourced_ : folder_listing::read(path_).files);
}

QString FileListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void FileListBox::fill(const QStringList& files)
{
    clear();
    addItems(folder_listing::Pattern(pattern_).filter(files));
}
