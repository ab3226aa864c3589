#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

// Runs the event loop until `done` holds; false when it still does not after `ms` (generous: a
// loaded machine must not fail a test that only waits on state).
inline bool waitUntil(const std::function<bool()>& done, int ms = 20000)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
