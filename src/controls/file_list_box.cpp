#include "controls/file_list_box.h"

#include <QDir>

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool FileListBox::setPath(const QString& path)
{
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return false;
    path_ = QDir::cleanPath(dir.absolutePath());
    refresh();
    return true;
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
    QDir dir(path_);
    dir.setNameFilters(pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // QDir matches name filters case-insensitively by default.
    addItems(dir.entryList());
}
