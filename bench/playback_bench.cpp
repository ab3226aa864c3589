// The control window's playback paths over the real engine, on a Video-CD clip:
//   - one position tick (Timer1_Timer) while the movie plays;
//   - selecting a playlist entry until its first picture stands (List2_Click), against plain
//     libmpv loading the same file to its first picture.
//
//   cmake --build build --target playback_bench && build/bench/playback_bench
//
// Runs offscreen with vo=null and ao=null (set here unless already set). p50_us / p99_us are
// reported besides Google Benchmark's mean.
#include "controls/list_box.h"
#include "app/form1.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/linux/qt_bell.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "playback/playback.h"
#include "playlist/playlist.h"

#include "fake_services.h"
#include "bench_samples.h"
#include "real_player.h"
#include "clip_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <mpv/client.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <memory>
#include <vector>

namespace {

MediaClips* clips = nullptr;

using Player = RealPlayer;

void BM_Timer1TickWhilePlaying(benchmark::State& state)
{
    Player p;
    p.form1->playlist->append(clips->path(QStringLiteral("long.mpg")));
    p.form1->playlist->select(0);
    p.form1->playback->Command2_Click();
    Samples samples;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        p.form1->playback->Timer1_Timer();
        samples.add(Clock::now() - t0);
    }
    samples.report(state);
}
BENCHMARK(BM_Timer1TickWhilePlaying)->Iterations(2000);

void BM_SelectEntryToFirstPicture(benchmark::State& state)
{
    Player p;
    p.form1->playlist->append(clips->path(QStringLiteral("vcd.mpg")));
    p.form1->playlist->append(clips->path(QStringLiteral("vcd2.mpg")));
    p.form1->playlist->select(0);
    Samples samples;
    int next = 1;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        p.form1->List2->setListIndex(next);  // close, open, place, first picture
        samples.add(Clock::now() - t0);
        next = 1 - next;
    }
    samples.report(state);
}
BENCHMARK(BM_SelectEntryToFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(30);

// Plain libmpv: drop the previous handle, a new one, loadfile, first picture.
void BM_RawLibmpvSwitchToFirstPicture(benchmark::State& state)
{
    const QByteArray paths[] = {clips->path(QStringLiteral("vcd.mpg")).toLocal8Bit(),
        clips->path(QStringLiteral("vcd2.mpg")).toLocal8Bit()};
    Samples samples;
    mpv_handle* previous = nullptr;
    int next = 1;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (previous)
            mpv_terminate_destroy(previous);
        mpv_handle* mpv = rawLibmpvToFirstPicture(paths[next].constData());
        samples.add(Clock::now() - t0);
        previous = mpv;
        next = 1 - next;
    }
    if (previous)
        mpv_terminate_destroy(previous);
    samples.report(state);
}
BENCHMARK(BM_RawLibmpvSwitchToFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv)
{
    return runOnClips(argc, argv, clips, [](MediaClips& c) {
        return c.makeVideoCd(QStringLiteral("vcd.mpg")) &&
               c.makeVideoCd(QStringLiteral("vcd2.mpg")) &&
               c.makeVideoCd(QStringLiteral("long.mpg"), 20);
    });
}
