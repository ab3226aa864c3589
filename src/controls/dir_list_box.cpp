#include "controls/dir_list_box.h"

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
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return false;
    const QString clean = QDir::cleanPath(dir.absolutePath());
    if (clean == path_)
        return true;
    path_ = clean;
    const QSignalBlocker blocker(this);
    clear();
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        addItem(dir.absoluteFilePath(name));
    emit Change();
    return true;
}

QString DirListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}
