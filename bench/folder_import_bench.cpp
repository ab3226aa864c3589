// One folder import of the tree given, subfolders included, through the control window's own
// handlers over the fakes (the folder browser answers with the tree). Prints:
//   entries N            entries added
//   import_ms X          from folda_open's start to its end
//   import_cpu_ms X      the processor time the program used meanwhile (on a busy machine the
//                        wall time also holds the time spent waiting for a processor)
//   longest_gap_ms Y     the longest time the window went without handling its events: a 1 ms
//                        timer runs beside the import and its ticks are timed
// Used by bench/folder_import.sh, which makes the tree and compares with find.
//   build/bench/folder_import_bench TREE
#include "app/form1.h"
#include "controls/check_box.h"
#include "counting_bell.h"
#include "fake_media_engine.h"
#include "fake_services.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: folder_import_bench TREE\n");
        return 2;
    }

    FakeMediaEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    FakeServices fakes;
    Form1 form1(fakes.over(mci));
    form1.Form_Load(QString());
    form1.show();
    QApplication::processEvents();
    form1.Check1->setValue(1);
    fakes.dialogs.paths = {QString::fromLocal8Bit(argv[1])};

    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    ticker.start();

    clock.start();
    const double cpuBefore = cpuMs();
    form1.playlistHandlers->folda_open();
    const qint64 total = clock.nsecsElapsed();
    const double cpu = cpuMs() - cpuBefore;
    longestGap = std::max(longestGap, total - lastTick);  // the time after the last tick counts too
    ticker.stop();

    std::printf("entries %d\nimport_ms %.1f\nimport_cpu_ms %.1f\nlongest_gap_ms %.1f\n",
        form1.playlist->count(), total / 1e6, cpu, longestGap / 1e6);
    form1.Form_Unload();
    return 0;
}
