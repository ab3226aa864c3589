// A Video-CD track read raw from a disc image against the same clip as a plain file, same run:
// open to first picture, and CPU time while playing.
//
//   cmake --build build --target disc_bench
//   build/bench/disc_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//
// (Interleaved repetitions: on a shared machine the load changes faster than one benchmark
// runs; compare the medians.)
// Runs offscreen with vo=null and ao=null unless told otherwise (the decoding is the same; the
// difference under test is the reading). Targets: open <= 1.5x, CPU <= 1.1x the plain file.
#include "platform/mpv/mpv_engine.h"
#include "platform/process_setup.h"

#include "bench_samples.h"
#include "test_disc.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>

namespace {

TestDisc* disc = nullptr;
constexpr int PlaySeconds = 15;

QString pathOf(bool fromDisc) { return fromDisc ? disc->track(0) : disc->clip(0); }

void BM_OpenToFirstPicture(benchmark::State& state, bool fromDisc)
{
    Samples samples;
    MpvEngine engine;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (engine.open(pathOf(fromDisc), MediaEngine::TypeHint::MpegVideo, 0) != MediaError::None)
            return state.SkipWithError("open failed");
        samples.add(Clock::now() - t0);
        state.PauseTiming();
        engine.close();
        state.ResumeTiming();
    }
    samples.report(state);
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// CPU seconds of the whole process (mpv's threads included) over PlaySeconds of playback.
void BM_PlayCpu(benchmark::State& state, bool fromDisc)
{
    for (auto _ : state) {
        MpvEngine engine;
        if (engine.open(pathOf(fromDisc), MediaEngine::TypeHint::MpegVideo, 0) != MediaError::None)
            return state.SkipWithError("open failed");
        const double before = cpuSeconds();
        engine.play();
        QEventLoop playing;  // waits in the event loop, as the program does
        QTimer::singleShot(PlaySeconds * 1000, &playing, &QEventLoop::quit);
        playing.exec();
        state.counters["cpu_s"] = cpuSeconds() - before;
        state.counters["frames"] = double(engine.positionFrames());
    }
}

BENCHMARK_CAPTURE(BM_OpenToFirstPicture, plain_file, false)
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenToFirstPicture, disc_image, true)
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCpu, plain_file, false)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_PlayCpu, disc_image, true)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    useHeadlessDefaults();
    QApplication app(argc, argv);
    setUpMoviePlayerProcess();  // as the program has it
    disc = new TestDisc(PlaySeconds + 5, 3);
    if (!disc->ok()) {
        qWarning("%s", qPrintable(disc->why()));
        return 1;
    }
    runBenchmarks(argc, argv);
    delete disc;
    return 0;
}
