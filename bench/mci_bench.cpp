// Media channel timings on a Video-CD clip, against plain libmpv doing the same work.
//
//   cmake --build build --target mci_bench && build/bench/mci_bench
//
// Runs offscreen with vo=null and ao=null (set here unless already set). Each benchmark reports
// p50_us and p99_us over its iterations besides Google Benchmark's mean.
#include "platform/mpv/mpv_engine.h"
#include "platform/linux/qt_bell.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"

#include "bench_samples.h"
#include "clip_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <mpv/client.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <vector>

namespace {

MediaClips* clips = nullptr;

QString openCommand()
{
    return QStringLiteral("open \"%1\" type mpegvideo alias avfile style child parent 0")
        .arg(clips->path(QStringLiteral("vcd.mpg")));
}

struct Channel {
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    QtBell bell;
    MciChannel mci{interpreter, bell};
    QString reply;

    int send(const QString& cmd) { return mci.MciSend(cmd, reply); }
};

// Times `read` over and over, after `setup` has put the Video-CD clip where it is asked.
template <typename Read> void poll(benchmark::State& state, const QString& setup, Read read)
{
    Channel c;
    if (c.send(openCommand()) != 0)
        return state.SkipWithError("open failed");
    c.send(QStringLiteral("set avfile time format frames"));
    c.send(setup);
    Samples samples;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        read(c);
        samples.add(Clock::now() - t0);
    }
    samples.report(state);
}

void askPosition(Channel& c) { c.send(QStringLiteral("status avfile position")); }

// What the program's query is measured against: one plain property read.
void readTimePos(Channel& c)
{
    double t = 0;
    mpv_get_property(c.engine.handle(), "time-pos", MPV_FORMAT_DOUBLE, &t);
    benchmark::DoNotOptimize(t);
}

const QString StoppedOnAFrame = QStringLiteral("seek avfile to 75");
const QString Playing = QStringLiteral("play avfile window");

void BM_MciStatusPosition(benchmark::State& state) { poll(state, StoppedOnAFrame, askPosition); }
BENCHMARK(BM_MciStatusPosition);

// The position timer's case: the movie plays while it is asked.
void BM_MciStatusPositionPlaying(benchmark::State& state) { poll(state, Playing, askPosition); }
BENCHMARK(BM_MciStatusPositionPlaying)->Iterations(100000);

void BM_RawTimePos(benchmark::State& state) { poll(state, StoppedOnAFrame, readTimePos); }
BENCHMARK(BM_RawTimePos);

void BM_RawTimePosPlaying(benchmark::State& state) { poll(state, Playing, readTimePos); }
BENCHMARK(BM_RawTimePosPlaying)->Iterations(100000);

void BM_MciOpenToFirstPicture(benchmark::State& state)
{
    Channel c;
    Samples samples;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (c.send(openCommand()) != 0)
            return state.SkipWithError("open failed");
        samples.add(Clock::now() - t0);
        state.PauseTiming();
        c.send(QStringLiteral("close avfile"));
        state.ResumeTiming();
    }
    samples.report(state);
}
BENCHMARK(BM_MciOpenToFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(30);

// Plain libmpv: a new handle with the same kind of options, loadfile, first picture.
void BM_RawLoadfileToFirstPicture(benchmark::State& state)
{
    const QByteArray path = clips->path(QStringLiteral("vcd.mpg")).toLocal8Bit();
    Samples samples;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        mpv_handle* mpv = rawLibmpvToFirstPicture(path.constData());
        samples.add(Clock::now() - t0);
        state.PauseTiming();
        mpv_terminate_destroy(mpv);
        state.ResumeTiming();
    }
    samples.report(state);
}
BENCHMARK(BM_RawLoadfileToFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(30);

void stepBench(benchmark::State& state, const QString& cmd, int from)
{
    Channel c;
    if (c.send(openCommand()) != 0)
        return state.SkipWithError("open failed");
    c.send(QStringLiteral("set avfile time format frames"));
    Samples samples;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        c.send(QStringLiteral("seek avfile to %1").arg(from + (n++ % 40)));
        state.ResumeTiming();
        const auto t0 = Clock::now();
        c.send(cmd);
        samples.add(Clock::now() - t0);
    }
    samples.report(state);
}

void BM_MciStep(benchmark::State& state) { stepBench(state, QStringLiteral("step avfile"), 20); }
BENCHMARK(BM_MciStep)->Unit(benchmark::kMillisecond)->Iterations(80);

void BM_MciStepReverse(benchmark::State& state)
{
    stepBench(state, QStringLiteral("step avfile reverse"), 60);
}
BENCHMARK(BM_MciStepReverse)->Unit(benchmark::kMillisecond)->Iterations(80);

}  // namespace

int main(int argc, char** argv)
{
    return runOnClips(
        argc, argv, clips, [](MediaClips& c) { return c.makeVideoCd(QStringLiteral("vcd.mpg")); });
}
