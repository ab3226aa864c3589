#include "controls/press.h"

#include <QAbstractButton>
#include <QAbstractSlider>

bool press(QWidget& control, Press how)
{
    if (!control.isEnabled())
        return false;
    if (auto* button = qobject_cast<QAbstractButton*>(&control); button && how == Press::Click) {
        button->click();
        return true;
    }
    if (auto* slider = qobject_cast<QAbstractSlider*>(&control); slider && how != Press::Click) {
        slider->triggerAction(how == Press::Up ? QAbstractSlider::SliderSingleStepAdd
                                               : QAbstractSlider::SliderSingleStepSub);
        return true;
    }
    return false;
}
