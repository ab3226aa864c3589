#include "controls/accessible_name.h"

#include <QEvent>
#include <QWidget>

namespace {

class ToolTipName : public QObject {
public:
    explicit ToolTipName(QWidget& control) : QObject(&control), control_(control) { }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTipChange)
            control_.setAccessibleName(control_.toolTip());
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& control_;
};

}  // namespace

void nameByToolTip(QWidget& control)
{
    control.setAccessibleName(control.toolTip());
    control.installEventFilter(new ToolTipName(control));
}
