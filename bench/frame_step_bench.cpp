// Frame steps through MciSend on 20 s clips made by ffmpeg, next to mpv's own frame-back-step.
//
//   cmake --build build --target frame_step_bench && build/bench/frame_step_bench
//
// Each session seeks to a start (not timed), then sends "step avfile" 30 times and "step avfile
// reverse" 30 times; the starts spread over the file and include the first frame, a keyframe
// boundary and the end. Counters: p50/p99 of each direction in ms, and the resident memory the
// stepping added (MB, after all sessions, against the file just opened). Runs offscreen with
// vo=null and ao=null unless told otherwise.
#include "platform/mpv/mpv_engine.h"
#include "platform/linux/qt_bell.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"

#include "bench_samples.h"
#include "media_clips.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <mpv/client.h>

#include <clocale>

namespace {

MediaClips* clips = nullptr;

struct Clip {
    const char* name;
    MediaClips::Numbered kind;
    int gop;
    int width, height;
};
const Clip Clips[] = {
    {"vcd.mpg", MediaClips::Numbered::VideoCd, 0, 352, 240},
    {"gop15.mpeg", MediaClips::Numbered::Mpeg2, 15, 1280, 720},
    {"gop300.avi", MediaClips::Numbered::Mpeg4Avi, 300, 1280, 720},
    {"gop24.mp4", MediaClips::Numbered::H264Mp4, 24, 1280, 720},
};
const int Starts[] = {0, 100, 285, 410, 568};

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

void report(benchmark::State& state, const char* name, Samples& samples)
{
    samples.report(state);
    state.counters[std::string(name) + "_p50_ms"] = state.counters["p50_us"] / 1000.0;
    state.counters[std::string(name) + "_p99_ms"] = state.counters["p99_us"] / 1000.0;
    state.counters.erase("p50_us");
    state.counters.erase("p99_us");
}

void BM_MciStepSession(benchmark::State& state)
{
    const Clip& clip = Clips[state.range(0)];
    state.SetLabel(clip.name);
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    QtBell bell;
    MciChannel mci{interpreter, bell};
    QString reply;
    const auto send = [&](const QString& cmd) { return mci.MciSend(cmd, reply); };
    if (send(QStringLiteral("open \"%1\" alias avfile style child parent 0")
                 .arg(clips->path(QString::fromLatin1(clip.name)))) != 0)
        return state.SkipWithError("open failed");
    send(QStringLiteral("set avfile time format frames"));
    const double before = residentMb();
    Samples forward, backward;
    int session = 0;
    for (auto _ : state) {
        state.PauseTiming();
        send(QStringLiteral("seek avfile to %1").arg(Starts[session++ % std::size(Starts)]));
        state.ResumeTiming();
        for (Samples* samples : {&forward, &backward}) {
            const QString cmd = samples == &forward ? QStringLiteral("step avfile")
                                                    : QStringLiteral("step avfile reverse");
            for (int i = 0; i < 30; ++i) {
                const auto t0 = Clock::now();
                send(cmd);
                samples->add(Clock::now() - t0);
            }
        }
    }
    report(state, "step", forward);
    report(state, "reverse", backward);
    state.counters["rss_added_mb"] = residentMb() - before;
}
BENCHMARK(BM_MciStepSession)->DenseRange(0, std::size(Clips) - 1)->Iterations(std::size(Starts))
    ->Unit(benchmark::kMillisecond);

// mpv's own backward step on the same clip, same sessions (forward steps by exact seeks, untimed).
void BM_RawFrameBackStep(benchmark::State& state)
{
    const Clip& clip = Clips[state.range(0)];
    state.SetLabel(clip.name);
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* mpv = mpv_create();
    for (const auto& [k, v] : {std::pair{"vo", "null"}, {"ao", "null"}, {"pause", "yes"},
                               {"keep-open", "yes"}, {"config", "no"}, {"idle", "yes"},
                               {"hr-seek", "yes"}, {"hr-seek-demuxer-offset", "1"},
                               {"terminal", "no"}, {"hwdec", "no"}})
        mpv_set_option_string(mpv, k, v);
    mpv_initialize(mpv);
    const QByteArray path = clips->path(QString::fromLatin1(clip.name)).toLocal8Bit();
    const auto command = [&](std::initializer_list<const char*> args) {
        std::vector<const char*> cmd(args);
        cmd.push_back(nullptr);
        mpv_command(mpv, cmd.data());
        for (int id = -1; id != MPV_EVENT_PLAYBACK_RESTART && id != MPV_EVENT_NONE;)
            id = mpv_wait_event(mpv, 5)->event_id;
    };
    command({"loadfile", path.constData()});
    double fps = 0, first = 0;
    mpv_get_property(mpv, "container-fps", MPV_FORMAT_DOUBLE, &fps);
    mpv_get_property(mpv, "time-pos", MPV_FORMAT_DOUBLE, &first);
    Samples samples;
    int session = 0;
    for (auto _ : state) {
        const int start = Starts[session++ % std::size(Starts)] + 30;
        const QByteArray t = QByteArray::number(first + start / fps, 'f', 6);
        state.PauseTiming();
        command({"seek", t.constData(), "absolute+exact"});
        state.ResumeTiming();
        for (int i = 0; i < 30; ++i) {
            const auto t0 = Clock::now();
            command({"frame-back-step"});
            samples.add(Clock::now() - t0);
        }
    }
    report(state, "back_step", samples);
    mpv_terminate_destroy(mpv);
}
BENCHMARK(BM_RawFrameBackStep)->DenseRange(0, std::size(Clips) - 1)->Iterations(std::size(Starts))
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    useHeadlessDefaults();
    QApplication app(argc, argv);
    clips = new MediaClips;
    for (const Clip& c : Clips) {
        if (!clips->makeNumbered(QString::fromLatin1(c.name), c.kind, 20, c.gop, c.width,
                                 c.height)) {
            std::fprintf(stderr, "%s\n", qPrintable(clips->why()));
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete clips;
    return 0;
}
