#include "controls/check_box.h"

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this](int) { emit Click(); });
}

int CheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void CheckBox::setValue(int value)
{
    const Qt::CheckState state = value == 1   ? Qt::Checked
                                 : value == 2 ? Qt::PartiallyChecked
                                              : Qt::Unchecked;
    setCheckState(state);  // emits stateChanged -> Click only on a change
    if (value != 2)
        setTristate(false);  // the grayed state is for code only, not for the user's clicks
}

void CheckBox::nextCheckState() { setValue(Value() == 1 ? 0 : 1); }
