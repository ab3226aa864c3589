// Entering and leaving full screen while a Video-CD clip plays, in the real program's windows on
// a real X server: the time from the call until the picture stands at its new size on the
// screen, and how far the position moved meanwhile.
//
//   bench/full_screen.sh            (starts Xvfb, with and without openbox, and runs this)
//
// The clip is plain red, so the picture is wherever the screen is red: entering is done when the
// full-screen picture's far corner is red, leaving when the normal picture's far corner is red
// and that full-screen corner no longer is. Counters: p50/max in ms each way (target <= 100 ms),
// and advance = frames played across the switches / frames the elapsed time should give (1.0:
// nothing lost).
#include "app/form1.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "movie/form2.h"
#include "movie/full_screen.h"
#include "movie/geometry_helpers.h"
#include "platform/linux/qt_bell.h"
#include "platform/linux/qt_window_layer.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/process_setup.h"
#include "playback/playback.h"
#include "vbnum/vb_number.h"

#include "bench_samples.h"
#include "fake_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtGui/qguiapplication_platform.h>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>
#include <memory>

#include <X11/Xlib.h>  // last: its macros clash with names in the headers above
#include <X11/Xutil.h>

namespace {

QString clip;

bool redAt(QPoint p)
{
    Display* d = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    XImage* image = XGetImage(d, DefaultRootWindow(d), p.x(), p.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return ((pixel >> 16) & 0xff) > 150 && ((pixel >> 8) & 0xff) < 90 && (pixel & 0xff) < 90;
}

// Lets events run until `done` holds; the time it took, or nothing after 5 s.
std::optional<Clock::duration> timeUntil(Clock::time_point start, const std::function<bool()>& done)
{
    while (!done()) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (Clock::now() - start > std::chrono::seconds(5))
            return std::nullopt;
    }
    return Clock::now() - start;
}

// The real window layer: the picture must reach the X server.
struct Player : FakeServices {
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    QtBell bell;
    MciChannel mci{interpreter, bell};
    QtWindowLayer realWindows;
    std::unique_ptr<Form1> form1 = std::make_unique<Form1>(over(mci, &realWindows));

    ~Player() { form1->Form_Unload(); }
    double position()
    {
        QString reply;
        mci.MciSend(QStringLiteral("status avfile position"), reply);
        return vbnum::leading(reply);
    }
};

void BM_FullScreenWhilePlaying(benchmark::State& state)
{
    Player p;
    p.form1->Form_Load(clip);
    p.form1->show();
    p.form1->playback->Command2_Click();
    Form2& movie = p.form1->form2();
    const QPoint normalCorner = [&] {
        const QPoint origin = movie.geometry().topLeft();
        return origin + QPoint(10 + movie.width() - 23 - 4, 10 + movie.height() - 23 - 4);
    }();
    const QRect screen = p.realWindows.screenOf(&movie);
    const geometry::FullScreenFit fit = geometry::fullScreenFit(screen.size());
    const QPoint fullCorner = screen.topLeft() + fit.video + QPoint(fit.w - 4, fit.h - 4);
    if (!timeUntil(Clock::now(), [&] { return redAt(normalCorner); })) {
        state.SkipWithError("no picture before full screen");
        return;
    }

    std::vector<double> enterMs, leaveMs, callMs;
    const double fps = 30000.0 / 1001;
    double played = 0, expected = 0;
    for (auto _ : state) {
        const double p0 = p.position();
        const auto t0 = Clock::now();
        p.form1->fullScreen->Command22_Click();
        callMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        const auto in = timeUntil(t0, [&] { return redAt(fullCorner); });
        const auto t1 = Clock::now();
        p.form1->fullScreen->Command22_Click();
        const auto out = timeUntil(t1, [&] { return redAt(normalCorner) && !redAt(fullCorner); });
        if (!in || !out) {
            state.SkipWithError("the picture did not come at its new size within 5 s");
            return;
        }
        enterMs.push_back(std::chrono::duration<double, std::milli>(*in).count());
        leaveMs.push_back(std::chrono::duration<double, std::milli>(*out).count());
        // Let it play a moment at the normal size, then see how far it got.
        timeUntil(Clock::now(),
            [t = Clock::now()] { return Clock::now() - t > std::chrono::milliseconds(200); });
        played += p.position() - p0;
        expected += std::chrono::duration<double>(Clock::now() - t0).count() * fps;
    }
    const auto report = [&](const char* name, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        state.counters[std::string(name) + "_p50_ms"] = ms[ms.size() / 2];
        state.counters[std::string(name) + "_max_ms"] = ms.back();
    };
    report("enter", enterMs);
    report("leave", leaveMs);
    report("enter_call", callMs);
    state.counters["advance"] = played / expected;
}
BENCHMARK(BM_FullScreenWhilePlaying)->Unit(benchmark::kMillisecond)->Iterations(15);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("REELBOX_AO"))
        qputenv("REELBOX_AO", "null");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    setUpMoviePlayerProcess();  // as the program has it
    QTemporaryDir dir;
    clip = dir.filePath(QStringLiteral("red.mpg"));
    // A plain red Video-CD clip, long enough for every round.
    if (QProcess::execute(QStringLiteral("ffmpeg"),
            {"-v", "error", "-y", "-f", "lavfi", "-i", "color=c=red:size=352x240:rate=30000/1001",
                "-f", "lavfi", "-i", "sine", "-t", "60", "-target", "ntsc-vcd", clip}) != 0) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    runBenchmarks(argc, argv);
    return 0;
}
