#include "controls/menu_item.h"

#include <QSignalBlocker>

MenuItem::MenuItem(const QString& name, const QString& caption, QObject* parent, bool checkable)
    : QAction(parent)
{
    setObjectName(name);
    // A separator keeps no text: some styles draw a separator's text as a section title.
    if (caption == QLatin1String("-")) {
        setSeparator(true);
    } else {
        setText(caption);
        setCheckable(checkable);
    }
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
