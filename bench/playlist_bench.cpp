// List files of the largest playlist, 32,767 entries with 100-character paths, from the button's
// handler to the last list row, dialogs scripted, over the scripted media engine:
//   BM_ListFileOpen32767  Command20_Click into an empty playlist (read, append, open the first)
//   BM_ListFileSave32767  Command19_Click (write, replace the previous file)
//
//   cmake --build build --target playlist_bench && build/bench/playlist_bench
//
// Target: 50 ms or less each. p50_us / p99_us are reported besides Google Benchmark's mean.
#include "app/form1.h"
#include "bench_samples.h"
#include "counting_bell.h"
#include "fake_media_engine.h"
#include "fake_services.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Player : FakeServices {
    FakeMediaEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    std::unique_ptr<Form1> form1 = std::make_unique<Form1>(over(mci));

    Player()
    {
        form1->Form_Load(QString());
        form1->show();
    }
    ~Player()
    {
        form1->Form_Unload();
        form1.reset();
    }
    QString listFile() const { return programDir.filePath(QStringLiteral("big.vep")); }
};

// Entry i: /movies/<folder>/<file>.mpg, 100 characters in all.
QStringList bigPaths()
{
    QStringList paths;
    for (int i = 0; i < Playlist::MaxEntries; ++i) {
        QString path = QStringLiteral("/movies/%1/clip_%2_")
                           .arg(i / 100, 4, 10, QLatin1Char('0'))
                           .arg(i, 5, 10, QLatin1Char('0'));
        path += QString(100 - path.size() - 4, u'x') + QStringLiteral(".mpg");
        paths << path;
    }
    return paths;
}

void BM_ListFileOpen32767(benchmark::State& state)
{
    Player p;
    const QStringList paths = bigPaths();
    p.form1->playlist->append(paths, paths);
    p.form1->playlist->select(0);
    p.dialogs.paths = {p.listFile()};
    p.form1->playlistHandlers->Command19_Click();
    Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        p.form1->reset_all();
        p.dialogs.paths = {p.listFile()};
        state.ResumeTiming();
        const auto t0 = Clock::now();
        p.form1->playlistHandlers->Command20_Click();
        samples.add(Clock::now() - t0);
        if (p.form1->playlist->count() != Playlist::MaxEntries)
            state.SkipWithError("not every entry loaded");
    }
    samples.report(state);
}
BENCHMARK(BM_ListFileOpen32767)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ListFileSave32767(benchmark::State& state)
{
    Player p;
    const QStringList paths = bigPaths();
    p.form1->playlist->append(paths, paths);
    p.form1->playlist->select(0);
    Samples samples;
    for (auto _ : state) {
        p.dialogs.paths = {p.listFile()};
        const auto t0 = Clock::now();
        p.form1->playlistHandlers->Command19_Click();
        samples.add(Clock::now() - t0);
    }
    if (QFile(p.listFile()).size() < 100LL * Playlist::MaxEntries)
        state.SkipWithError("the list file is short");
    samples.report(state);
}
BENCHMARK(BM_ListFileSave32767)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    useHeadlessDefaults();
    QApplication app(argc, argv);
    runBenchmarks(argc, argv);
    return 0;
}
