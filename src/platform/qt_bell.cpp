#include "platform/qt_bell.h"

#include <QApplication>

void QtBell::beep()
{
    QApplication::beep();
}
