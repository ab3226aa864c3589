#include "app/controls/menu_item.h"

#include <QSignalBlocker>

MenuItem::MenuItem(const QString& name, const QString& caption, QObject* parent) : QAction(caption, parent)
{
    setObjectName(name);
    if (caption == QLatin1String("-"))
        setSeparator(true);
    else
        setCheckable(true);
    connect(this, &QAction::triggered, this, [this] {
        {
            const QSignalBlocker blocker(this);
            QAction::setChecked(checked_);  // undo Qt's own toggle
        }
        emit Click();
    });
}

void MenuItem::setChecked(bool on)
{
    checked_ = on;
    const QSignalBlocker blocker(this);
    QAction::setChecked(on);
}
