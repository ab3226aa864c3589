#pragma once

#include <QObject>

// A control given the name the program's handlers and tests know it by.
template <typename T> T* named(T* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}
