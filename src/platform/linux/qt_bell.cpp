#include "platform/linux/qt_bell.h"

#include <QApplication>

void QtBell::beep() { QApplication::beep(); }
