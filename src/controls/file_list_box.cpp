#include "controls/file_list_box.h"

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
        sourced_ = listing->names;
        refresh();
        return 0;
    }
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return PathNotFound;
    path_ = QDir::cleanPath(dir.absolutePath());
    sourced_.reset();
    refresh();
    return 0;
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    refresh();
}

QString FileListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void FileListBox::refresh()
{
    clear();
    if (path_.isEmpty())
        return;
    const QStringList filters = pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (sourced_) {
        QStringList names;
        for (const QString& name : *sourced_)
            if (QDir::match(filters, name))  // ignores case, as the listing below does
                names << name;
        names.sort(Qt::CaseInsensitive);
        addItems(names);
        return;
    }
    QDir dir(path_);
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // QDir matches name filters case-insensitively by default.
    addItems(dir.entryList());
}
