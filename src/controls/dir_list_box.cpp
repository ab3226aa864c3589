#include "controls/dir_list_box.h"

#include "controls/folder_listing.h"

#include <QApplication>
#include <QDir>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

constexpr int DepthRole = Qt::UserRole + 1;

// Each line is drawn one indent step per level below the root.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        return index.data(DepthRole).toInt() * option.fontMetrics.height() / 2;
    }
};

// The folders from the root down to `path`, each a full path.
QStringList chainTo(const QString& path)
{
    QStringList chain;
    for (QString at = path;; at = QDir::cleanPath(at + QStringLiteral("/.."))) {
        chain.prepend(at);
        if (QDir(at).isRoot() || at == QStringLiteral("/"))
            break;
    }
    return chain;
}

QString shownName(const QString& folder)
{
    const QString name = folder.mid(folder.lastIndexOf(u'/') + 1);
    return name.isEmpty() ? folder : name;
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem* item) { enter(row(item)); });
}

bool DirListBox::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    const folder_listing::Folder folder = folder_listing::read(clean);
    if (folder.error != 0)
        return false;
    const bool moved = clean != path_;
    path_ = clean;
    folders_.clear();
    for (const QString& name : folder.folders)
        folders_ << folder_listing::join(path_, name);
    refill(chainTo(path_));
    // Also when the path stays: the folder may have changed, and the file box reads it again.
    if (moved)
        emit Change();
    return true;
}

void DirListBox::refill(const QStringList& chain)
{
    const QSignalBlocker blocker(this);  // refilling is no change of folder
    clear();
    rows_ = chain + folders_;
    const QStyle* style = QApplication::style();
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        const bool inChain = i < chain.size();
        auto* item = new QListWidgetItem(
            style->standardIcon(inChain ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
            shownName(rows_[i]), this);
        item->setData(DepthRole, int(inChain ? i : chain.size()));
        item->setToolTip(rows_[i]);
    }
    setCurrentRow(int(chain.size() - 1));
    // The current folder in the middle: its parents above, its subfolders below. Once laid out,
    // when the box is new.
    QTimer::singleShot(
        0, this, [this] { scrollToItem(currentItem(), QAbstractItemView::PositionAtCenter); });
}

QString DirListBox::folderAt(int row) const { return rows_.value(row); }

void DirListBox::enter(int row)
{
    for (QString folder = folderAt(row); !folder.isEmpty();) {
        if (setPath(folder))
            return;
        const QString up = QDir::cleanPath(folder + QStringLiteral("/.."));
        folder = up == folder ? QString() : up;
    }
}
