// How long the window's thread stands still while the user seeks, on a 1920x1080 MPEG-4 AVI with
// keyframes 300 frames apart, next to mpv's own player on the same file in the same run.
//
//   cmake --build build --target seek_stall_bench && build/bench/seek_stall_bench
//
// The control window over the real engine (offscreen, vo=null and ao=null unless told otherwise).
// A 1 ms timer on the window's thread measures the longest wait between its ticks (gap_ms) in:
//   drag      the position slider's thumb held and moved across the whole movie in 10 s, a move
//             every 16 ms (as a mouse reports it), then let go;
//   drag-play the same while the movie plays;
//   next      20 presses of ">|" 150 ms apart over a list of the clip (each opens the next entry);
//   mpris     20 MPRIS SetPosition calls 250 ms apart, spread over the movie.
// mpv-drag   mpv itself (--input-ipc-server) on the same drag: a keyframe seek every 16 ms, an
//            exact one at the end; gap_ms is the longest its player took to answer a position
//            query sent every 5 ms (its core thread, which runs the seeks, stood still that long).
// mpv-next   mpv itself on the same 20 moves to the next of 21 entries, 150 ms apart.
// Each line also gives the slowest single call (call_ms): a seek's or press's own time.
#include "app/form1.h"
#include "app/mpris_bridge.h"
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "platform/linux/qt_bell.h"
#include "platform/mpv/mpv_engine.h"
#include "playback/playback.h"
#include "playlist/playlist.h"

#include "bench_samples.h"
#include "real_player.h"
#include "fake_services.h"
#include "media_clips.h"
#include "platform/process_setup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// The control window over the real engine, with the media controls beside it.
struct Player : RealPlayer {
    MprisBridge mpris{*form1, engine};
};

struct Result {
    double gapMs = 0;
    double callMs = 0;
};

// Times every event the window's thread handles; the slowest names what held the thread.
struct TimedApplication : QApplication {
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (depth++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --depth;
            return r;
        }
        const auto t0 = Clock::now();
        const bool r = QApplication::notify(receiver, event);
        const double ms = Ms(Clock::now() - t0).count();
        --depth;
        if (ms > slowestMs) {
            slowestMs = ms;
            slowest = QByteArray(receiver->metaObject()->className()) + "/" +
                      receiver->objectName().toUtf8() + " event " + QByteArray::number(event->type());
        }
        return r;
    }
    int depth = 0;
    double slowestMs = 0;
    QByteArray slowest;
};

// Runs `act(i)` for i = 0..count-1, `everyMs` apart, on the window's thread, then lets the
// pictures settle for `settleMs`; the longest gap between the 1 ms probe's ticks and the slowest
// act are the result.
Result probe(int count, int everyMs, int settleMs, const std::function<void(int)>& act)
{
    Result r;
    QEventLoop loop;
    QElapsedTimer since;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        r.gapMs = std::max(r.gapMs, double(since.nsecsElapsed()) / 1e6);
        since.restart();
    });
    int done = 0;
    QTimer acts;
    acts.setTimerType(Qt::PreciseTimer);
    QObject::connect(&acts, &QTimer::timeout, [&] {
        const auto t0 = Clock::now();
        act(done);
        r.callMs = std::max(r.callMs, Ms(Clock::now() - t0).count());
        if (++done == count) {
            acts.stop();
            QTimer::singleShot(settleMs, &loop, &QEventLoop::quit);
        }
    });
    since.start();
    tick.start(1);
    acts.start(everyMs);
    loop.exec();
    return r;
}

Result dragSlider(Player& p)
{
    ScrollBar& slider = *p.form1->HScroll1;
    const int moves = 10000 / 16;
    slider.setSliderDown(true);
    Result r = probe(moves, 16, 0,
        [&](int i) { slider.setSliderPosition(slider.Max() * (i + 1) / moves); });
    const Result release = probe(1, 0, 1500, [&](int) { slider.setSliderDown(false); });
    return {std::max(r.gapMs, release.gapMs), std::max(r.callMs, release.callMs)};
}

// mpv's own player over its IPC socket: `count` commands (`command(i)`, a JSON array) `everyMs`
// apart, and a position query every 5 ms whose answer time is how long mpv's core thread was busy.
Result mpvRun(const QStringList& paths, int count, int everyMs,
    const std::function<QByteArray(int)>& command)
{
    const QByteArray socketPath = QByteArray("/tmp/reelbox-seek-bench-") +
                                  QByteArray::number(QCoreApplication::applicationPid());
    QProcess mpv;
    const QStringList options = {QStringLiteral("--no-config"), QStringLiteral("--pause"),
        QStringLiteral("--vo=null"), QStringLiteral("--ao=null"), QStringLiteral("--hr-seek=yes"),
        QStringLiteral("--input-ipc-server=") + QString::fromUtf8(socketPath)};
    mpv.start(QStringLiteral("mpv"), options + paths);
    Result r;
    if (!mpv.waitForStarted())
        return r;
    int fd = -1;
    for (int tries = 0; tries < 200 && fd < 0; ++tries) {
        fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.constData());
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            fd = -1;
            ::usleep(20000);
        }
    }
    if (fd < 0)
        return r;
    std::map<int, Clock::time_point> asked;
    int id = 0;
    const auto send = [&](const QByteArray& command) {
        const QByteArray line = "{\"command\":" + command + ",\"request_id\":" +
                                QByteArray::number(++id) + "}\n";
        asked[id] = Clock::now();
        return ::write(fd, line.constData(), size_t(line.size())) == line.size();
    };
    QByteArray pending;
    const auto readReplies = [&](int waitMs) {
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, waitMs) > 0) {
            char buffer[4096];
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return;
            pending += QByteArray(buffer, int(got));
            for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
                const QByteArray line = pending.left(end);
                const int at = line.indexOf("\"request_id\":");
                if (at < 0)
                    continue;
                const auto it = asked.find(line.mid(at + 13).split(',').value(0).split('}').value(0)
                                               .toInt());
                if (it == asked.end())
                    continue;
                r.gapMs = std::max(r.gapMs, Ms(Clock::now() - it->second).count());
                asked.erase(it);
            }
            waitMs = 0;
        }
    };
    send("[\"get_property\",\"duration\"]");
    readReplies(2000);
    r.gapMs = 0;
    const auto start = Clock::now();
    auto next = start;
    int sent = 0;
    while (sent < count || !asked.empty()) {
        const auto now = Clock::now();
        if (sent < count && now >= next) {
            send(command(sent++));
            next += std::chrono::milliseconds(everyMs);
        }
        send("[\"get_property\",\"time-pos\"]");
        readReplies(5);
        if (Clock::now() - start > std::chrono::seconds(30))
            break;
    }
    send("[\"quit\"]");
    ::close(fd);
    mpv.waitForFinished(5000);
    return r;
}

void print(const char* what, const Result& r)
{
    auto* app = static_cast<TimedApplication*>(qApp);
    std::printf("%-10s gap_ms %8.1f   call_ms %8.1f   slowest event %6.1f ms (%s)\n", what, r.gapMs,
        r.callMs, app->slowestMs, app->slowest.constData());
    app->slowestMs = 0;
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    useHeadlessDefaults();
    TimedApplication app(argc, argv);
    setUpMoviePlayerProcess();
    MediaClips clips;
    const QString name = QStringLiteral("gop300_1080.avi");
    if (!clips.makeNumbered(name, MediaClips::Numbered::Mpeg4Avi, 20, 300, 1920, 1080)) {
        std::fprintf(stderr, "%s\n", qPrintable(clips.why()));
        return 1;
    }
    const QString path = clips.path(name);
    {
        Player p;
        for (int i = 0; i < 21; ++i)
            p.form1->playlist->append(path);
        p.form1->playlist->select(0);
        // Loop off: a drag onto the end stops there instead of opening the next entry, which
        // "next" times.
        p.form1->Check3->setValue(0);
        print("drag", dragSlider(p));
        p.form1->Command2->click();  // the same drag while the movie plays
        print("drag-play", dragSlider(p));
        if (p.form1->playback->playState() == PlayState::Playing)
            p.form1->Command2->click();
        p.form1->Check3->setValue(1);
        print("next", probe(20, 150, 1500, [&](int) { p.form1->Command11->click(); }));
        const qint64 lengthUs = p.engine.lengthMs() * 1000;
        print("mpris", probe(20, 250, 1500, [&](int i) {
            p.mpris.setPosition(lengthUs * ((i * 7) % 20) / 20);
        }));
    }
    // The drag: keyframe seeks while the thumb moves, the exact one at the end.
    const int moves = 10000 / 16;
    print("mpv-drag", mpvRun({path}, moves, 16, [&](int i) {
        const double at = 20.0 * (i + 1) / moves;
        const char* how = i + 1 == moves ? "absolute+exact" : "absolute+keyframes";
        return "[\"seek\"," + QByteArray::number(at, 'f', 3) + ",\"" + how + "\"]";
    }));
    print("mpv-next", mpvRun(QStringList(21, path), 20, 150,
                          [](int) { return QByteArray("[\"playlist-next\"]"); }));
    return 0;
}
