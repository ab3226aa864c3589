#include "controls/file_list_box.h"

#include "controls/folder_listing.h"

#include <QDir>

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool FileListBox::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const folder_listing::Folder folder = folder_listing::read(clean);
    if (folder.error != 0)
        return false;
    path_ = clean;
    fill(folder.files);
    return true;
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    fill(path_.isEmpty() ? QStringList() : folder_listing::read(path_).files);
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
