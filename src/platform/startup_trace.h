#pragma once

#include <QByteArray>
#include <QFile>
#include <QLoggingCategory>

#include <ctime>
#include <unistd.h>

// A timeline of start-up, for finding where the time to the first picture goes:
//   QT_LOGGING_RULES='reelbox.startup.info=true' reelbox movie.mpg
// prints each step's time since the program was started (the kernel counts that start in
// 10 ms ticks) and since the step before. Off, a step costs one flag test.
inline const QLoggingCategory& lcStartup()
{
    static const QLoggingCategory category("reelbox.startup", QtWarningMsg);
    return category;
}

namespace startup_trace {

inline double bootMs()
{
    timespec t { };
    clock_gettime(CLOCK_BOOTTIME, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// When the process was started, on the same clock: /proc/self/stat's 22nd field.
inline double startMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return bootMs();
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields[19].toDouble() * 1e3 / double(sysconf(_SC_CLK_TCK))
                              : bootMs();
}

// Whether start-up is over: later opens are no part of it.
inline bool& over()
{
    static bool done = false;
    return done;
}

inline void mark(const char* step)
{
    if (over() || !lcStartup().isInfoEnabled())
        return;
    static const double start = startMs();
    static double last = start;
    const double now = bootMs();
    qCInfo(lcStartup, "%8.1f ms %+7.1f ms  %s", now - start, now - last, step);
    last = now;
}

// The last step.
inline void finish(const char* step)
{
    mark(step);
    over() = true;
}

}  // namespace startup_trace
