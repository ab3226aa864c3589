#include "controls/list_box.h"

#include <QSignalBlocker>

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of text; with uniform rows a list of 32,767 entries lays out at once.
    setUniformItemSizes(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) { emit Click(); });
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count() || index == currentRow())
        return;
    setCurrentRow(index);  // emits currentRowChanged -> Click, synchronously
}

QString ListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& text)
{
    if (QListWidgetItem* it = item(index))
        it->setText(text);
}

void ListBox::AddItem(const QString& text)
{
    const QSignalBlocker blocker(this);
    addItem(text);
}

void ListBox::AddItems(const QStringList& texts)
{
    const QSignalBlocker blocker(this);
    addItems(texts);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= count())
        return;
    const QSignalBlocker blocker(this);
    const bool wasSelected = index == currentRow();
    const int selected = currentRow();
    delete takeItem(index);
    // Qt moves the selection to a neighbour; here a removed selection leaves none, and the
    // entries behind a removed one keep their selection as it moves up.
    if (wasSelected)
        setCurrentRow(-1);
    else if (selected > index)
        setCurrentRow(selected - 1);
}

void ListBox::Clear()
{
    const QSignalBlocker blocker(this);
    clear();
}
