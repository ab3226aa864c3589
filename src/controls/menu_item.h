#pragma once

#include <QAction>

// A popup-menu item: choosing it runs Click; setting its check mark from code runs nothing, and
// choosing it does not toggle the mark by itself (the handlers decide the mark). Only an item
// made `checkable` draws a check mark; the caption "-" makes a separator.
class MenuItem : public QAction {
    Q_OBJECT
public:
    MenuItem(const QString& name, const QString& caption, QObject* parent, bool checkable = false);

    bool Checked() const { return checked_; }
    void setChecked(bool on);

signals:
    void Click();

private:
    bool checked_ = false;
};
