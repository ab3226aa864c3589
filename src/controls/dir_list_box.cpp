#include "controls/dir_list_box.h"

#include "controls/folder_listing.h"

#include <QDir>
#include <QSignalBlocker>

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click enters the folder, as a folder browser does.
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->text()); });
}

bool DirListBox::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (clean == path_)
        return true;
    const folder_listing::Folder folder = folder_listing::read(clean);
    if (folder.error != 0)
        return false;
    path_ = clean;
    const QSignalBlocker blocker(this);
    clear();
    for (const QString& name : folder.folders)
        addItem(folder_listing::join(path_, name));
    emit Change();
    return true;
}

QString DirListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}
