#include "controls/list_box.h"

#include <QSignalBlocker>

int ListBox::Items::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(texts.size());
}

QVariant ListBox::Items::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= texts.size())
        return {};
    return texts[index.row()];
}

void ListBox::Items::append(const QStringList& more)
{
    if (more.isEmpty())
        return;
    beginInsertRows({}, int(texts.size()), int(texts.size() + more.size() - 1));
    texts += more;
    endInsertRows();
}

void ListBox::Items::set(int row, const QString& text)
{
    texts[row] = text;
    emit dataChanged(index(row), index(row), {Qt::DisplayRole});
}

void ListBox::Items::remove(int row)
{
    beginRemoveRows({}, row, row);
    texts.removeAt(row);
    endRemoveRows();
}

void ListBox::Items::clear()
{
    beginResetModel();
    texts.clear();
    endResetModel();
}

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setModel(&items_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of text; with uniform rows a long list lays out at once.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!pressing_)
            emit Click();
    });
}

// The view makes the row under the mouse current before it selects it; a handler run in between
// would show a message over the old highlight, and a row it removed would leave the view
// selecting a stale place afterwards.
template <typename Handle> void ListBox::clickAfter(Handle handle)
{
    const int before = ListIndex();
    pressing_ = true;
    handle();
    pressing_ = false;
    if (ListIndex() != before)
        emit Click();
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    clickAfter([&] { QListView::mousePressEvent(event); });
}

void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    clickAfter([&] { QListView::mouseMoveEvent(event); });
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= ListCount() || index == ListIndex())
        return;
    // Emits currentChanged -> Click, synchronously.
    selectionModel()->setCurrentIndex(items_.index(index), QItemSelectionModel::ClearAndSelect);
}

QString ListBox::List(int index) const { return items_.texts.value(index); }

void ListBox::setList(int index, const QString& text)
{
    if (index >= 0 && index < ListCount())
        items_.set(index, text);
}

void ListBox::AddItem(const QString& text) { AddItems({text}); }

void ListBox::AddItems(const QStringList& texts)
{
    const QSignalBlocker blocker(selectionModel());
    items_.append(texts);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    const QSignalBlocker blocker(selectionModel());
    const int selected = ListIndex();
    items_.remove(index);
    // Qt moves the selection to a neighbour; here a removed selection leaves none, and the
    // entries behind a removed one keep their selection as it moves up.
    if (selected == index)
        selectionModel()->clear();
    else if (selected > index)
        selectionModel()->setCurrentIndex(
            items_.index(selected - 1), QItemSelectionModel::ClearAndSelect);
}

void ListBox::Clear()
{
    const QSignalBlocker blocker(selectionModel());
    items_.clear();
}
