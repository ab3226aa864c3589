#pragma once

#include <QListWidget>

// A list box with the program's event rules: setting the selection from code runs the Click
// handler before the setter returns, setting the same selection runs nothing, and adding,
// removing or clearing items runs nothing (a removed selection leaves no entry selected).
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int ListCount() const { return count(); }
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);        // -1 clears the selection
    QString List(int index) const;       // empty when out of range
    void setList(int index, const QString& text);
    void AddItem(const QString& text);
    void AddItems(const QStringList& texts);  // one AddItem each, in order, in one step
    void RemoveItem(int index);
    void Clear();

signals:
    void Click();
};
