#pragma once

// Shared by the benchmarks. Per-iteration timings of a benchmark, reported as p50_us and p99_us counters beside Google
// Benchmark's own mean (the mean hides the outliers that matter for a player).
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <mpv/client.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <utility>
#include <vector>

using Clock = std::chrono::steady_clock;

class Samples {
public:
    void add(Clock::duration d)
    {
        us_.push_back(std::chrono::duration<double, std::micro>(d).count());
    }
    void report(benchmark::State& state)
    {
        if (us_.empty())
            return;
        std::sort(us_.begin(), us_.end());
        state.counters["p50_us"] = us_[us_.size() / 2];
        state.counters["p99_us"] = us_[std::min(us_.size() - 1, us_.size() * 99 / 100)];
    }

private:
    std::vector<double> us_;
};

// Benchmarks run without a display or sound card unless told otherwise.
inline void useHeadlessDefaults()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("REELBOX_AO"))
        qputenv("REELBOX_AO", "null");
}

// Runs the benchmarks the command line asks for (Google Benchmark's own flags).
inline void runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

// The baseline the engine is measured against: plain libmpv with the same kind of options, a new
// handle, loadfile, and back once the first picture is there. The handle is the caller's to
// destroy.
inline mpv_handle* rawLibmpvToFirstPicture(const char* path)
{
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* mpv = mpv_create();
    for (const auto& [k, v] :
        {std::pair{"vo", "null"}, {"ao", "null"}, {"pause", "yes"}, {"keep-open", "yes"},
            {"config", "no"}, {"idle", "yes"}, {"hr-seek", "yes"}, {"terminal", "no"}})
        mpv_set_option_string(mpv, k, v);
    mpv_initialize(mpv);
    const char* cmd[] = {"loadfile", path, nullptr};
    mpv_command(mpv, cmd);
    while (mpv_wait_event(mpv, 5)->event_id != MPV_EVENT_PLAYBACK_RESTART) { }
    return mpv;
}
