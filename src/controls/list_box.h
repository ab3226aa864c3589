#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

// A list box with the program's event rules: setting the selection from code runs the Click
// handler before the setter returns, setting the same selection runs nothing, and adding,
// removing or clearing items runs nothing (a removed selection leaves no entry selected). A
// click runs Click once the clicked entry is selected, so the handler sees (and may change) the
// selection the user sees.
// Its items are plain texts in one list: a playlist of 32,767 entries costs a string each.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int ListCount() const { return int(items_.texts.size()); }
    int ListIndex() const { return currentIndex().row(); }
    void setListIndex(int index);  // -1 clears the selection
    QString List(int index) const;  // empty when out of range
    void setList(int index, const QString& text);
    void AddItem(const QString& text);
    void AddItems(const QStringList& texts);  // one AddItem each, in order, in one step
    void RemoveItem(int index);
    void Clear();

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    class Items : public QAbstractListModel {
    public:
        int rowCount(const QModelIndex& parent) const override;
        QVariant data(const QModelIndex& index, int role) const override;
        void append(const QStringList& more);
        void set(int row, const QString& text);
        void remove(int row);
        void clear();
        QStringList texts;
    };

    // Runs the view's own handling of a mouse event, then Click when the selection changed.
    template <typename Handle> void clickAfter(Handle handle);

    Items items_;
    bool pressing_ = false;  // the view is handling a mouse event
};
