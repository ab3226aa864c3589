// Frame steps through MciSend on 20 s clips made by ffmpeg, next to mpv's own frame-back-step.
//
//   cmake --build build --target frame_step_bench && build/bench/frame_step_bench
//
// Each session seeks to a start (not timed), then sends "step avfile" 30 times and "step avfile
// reverse" 30 times; the starts spread over the file and include the first frame, a keyframe
// boundary and the end. Counters: p50/p99 of each direction in ms, and the resident memory the
// stepping added (MB against the file just opened: the most after any session, and at the end).
// The movie has a window, where steps back show decoded pictures. Runs offscreen with vo=null and
// ao=null unless told otherwise; on a real X server with mpv's usual video output:
//
//   tests/support/run_in_xvfb.sh build/bench/frame_step_bench
//
// BM_StepBackCost splits the cost of one step back onto the frame before a keyframe, the worst
// case, into reading the keyframe range (demux), decoding it (FrameCache, reading included) and
// showing one picture (PictureCover); BM_RawFrameBackStep is mpv's own cost for the same.
//
// BM_FirstStepBack plays 1.5 s from the start, stops, waits 0.1, 0.5 or 2 s (handling the window's
// events), then times the first step back and ten more, to the answer and to the picture shown;
// gap_most_ms is the longest the window's events waited (a 1 ms timer on the window's thread)
// from the stop on. BM_RawFirstBackStep is mpv's own frame-back-step in the same sessions. These
// two alone (clips: 0 MPEG-4 AVI 720p GOP 300, 1 the same at 1080p, 2 MPEG-2 720p GOP 15,
// 3 Video-CD, 4 H.264 in AVI GOP 250; then the ms looked at the paused picture):
//
//   build/bench/frame_step_bench --benchmark_filter='FirstBackStep|FirstStepBack'
// BM_SizeChangeBackStep: what one step back keeps
// on a stream whose pictures grow from 176x144 to 3840x2160 (kept_mb against budget_mb).
#include "platform/mpv/frame_cache.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/mpv/picture_cover.h"
#include "platform/linux/qt_bell.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"

#include "bench_samples.h"
#include "clip_bench_main.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <mpv/client.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <clocale>
#include <thread>

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
    {"gop300_1080.avi", MediaClips::Numbered::Mpeg4Avi, 300, 1920, 1080},
};
const int Starts[] = {0, 100, 285, 410, 568};

// Runs a libmpv command and waits for the picture it leads to.
void rawCommand(mpv_handle* mpv, std::initializer_list<const char*> args)
{
    std::vector<const char*> cmd(args);
    cmd.push_back(nullptr);
    mpv_command(mpv, cmd.data());
    for (int id = -1; id != MPV_EVENT_PLAYBACK_RESTART && id != MPV_EVENT_NONE;)
        id = mpv_wait_event(mpv, 5)->event_id;
}

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

// The clip open in a movie window through the media channel, as the program has it.
struct Session {
    explicit Session(const Clip& clip)
    {
        host.setAttribute(Qt::WA_NativeWindow);
        host.resize(clip.width, clip.height);
        host.show();
        opened = send(QStringLiteral("open \"%1\" alias avfile style child parent %2")
                          .arg(clips->path(QString::fromLatin1(clip.name)))
                          .arg(host.winId())) == 0;
    }
    int send(const QString& cmd) { return mci.MciSend(cmd, reply); }

    QWidget host;
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    QtBell bell;
    MciChannel mci{interpreter, bell};
    QString reply;
    bool opened = false;
};

void BM_MciStepSession(benchmark::State& state)
{
    const Clip& clip = Clips[state.range(0)];
    state.SetLabel(clip.name);
    Session session(clip);
    if (!session.opened)
        return state.SkipWithError("open failed");
    const auto send = [&](const QString& cmd) { return session.send(cmd); };
    send(QStringLiteral("set avfile time format frames"));
    const double before = residentMb();
    double most = 0;
    Samples forward, backward;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        send(QStringLiteral("seek avfile to %1").arg(Starts[round++ % std::size(Starts)]));
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
        most = std::max(most, residentMb() - before);
    }
    report(state, "step", forward);
    report(state, "reverse", backward);
    state.counters["rss_added_mb"] = residentMb() - before;
    state.counters["rss_added_most_mb"] = most;
}
BENCHMARK(BM_MciStepSession)
    ->DenseRange(0, std::size(Clips) - 1)
    ->Iterations(std::size(Starts))
    ->Unit(benchmark::kMillisecond);

// Plain libmpv with the engine's seeking options, the clip loaded and paused.
mpv_handle* rawMpv(const Clip& clip)
{
    mpv_handle* mpv = mpv_create();
    for (const auto& [k, v] : {std::pair{"vo", "null"}, {"ao", "null"}, {"pause", "yes"},
             {"keep-open", "yes"}, {"config", "no"}, {"idle", "yes"}, {"hr-seek", "yes"},
             {"hr-seek-demuxer-offset", "1"}, {"terminal", "no"}, {"hwdec", "no"}})
        mpv_set_option_string(mpv, k, v);
    mpv_initialize(mpv);
    const QByteArray path = clips->path(QString::fromLatin1(clip.name)).toLocal8Bit();
    rawCommand(mpv, {"loadfile", path.constData()});
    return mpv;
}

// mpv's own backward step on the same clip, same sessions (forward steps by exact seeks, untimed).
void BM_RawFrameBackStep(benchmark::State& state)
{
    const Clip& clip = Clips[state.range(0)];
    state.SetLabel(clip.name);
    mpv_handle* mpv = rawMpv(clip);
    const auto command = [mpv](std::initializer_list<const char*> args) { rawCommand(mpv, args); };
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
BENCHMARK(BM_RawFrameBackStep)
    ->DenseRange(0, std::size(Clips) - 1)
    ->Iterations(std::size(Starts))
    ->Unit(benchmark::kMillisecond);

// The clips of the first step back: MPEG-4 AVI 720p and 1080p GOP 300, MPEG-2 720p GOP 15,
// Video-CD, H.264 in AVI GOP 250.
const Clip FirstClips[] = {
    Clips[2],
    Clips[4],
    Clips[1],
    Clips[0],
    {"gop250_h264.avi", MediaClips::Numbered::H264Mp4, 250, 1280, 720},
};

// The longest the window's thread left its events waiting: a timer due every millisecond on it,
// and the longest time between two of its ticks (a command, a round of the loop, a decoding).
class GapMeter {
public:
    GapMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        most_ = 0;
        last_ = Clock::now();
        timer_.start();
    }
    // The longest gap since start(), the one under way included.
    double most()
    {
        tick();
        timer_.stop();
        return most_;
    }

private:
    void tick()
    {
        const auto now = Clock::now();
        most_ = std::max(most_, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }
    QTimer timer_;
    Clock::time_point last_;
    double most_ = 0;
};

// Runs the window's event loop for `seconds`.
void loopFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// After 1.5 s of play and a pause, range(1) ms of looking at the picture: the first step back,
// then ten more. Each is timed to its answer (reply) and to its picture on screen (shown: the
// event loop runs until no picture is to come); gap_most_ms is the longest the window's events
// waited, from the pause to the last picture shown.
void BM_FirstStepBack(benchmark::State& state)
{
    const Clip& clip = FirstClips[state.range(0)];
    const double look = double(state.range(1)) / 1000.0;
    state.SetLabel(clip.name);
    Session session(clip);
    if (!session.opened)
        return state.SkipWithError("open failed");
    const auto send = [&](const QString& cmd) { return session.send(cmd); };
    GapMeter gaps;
    Samples firstReply, firstShown, afterReply, afterShown;
    double most = 0;
    for (auto _ : state) {
        state.PauseTiming();
        send(QStringLiteral("seek avfile to start"));
        send(QStringLiteral("play avfile"));
        loopFor(1.5);
        gaps.start();
        send(QStringLiteral("stop avfile"));
        loopFor(look);
        state.ResumeTiming();
        for (int i = 0; i < 11; ++i) {
            const auto t0 = Clock::now();
            send(QStringLiteral("step avfile reverse"));
            (i == 0 ? firstReply : afterReply).add(Clock::now() - t0);
            const QDeadlineTimer guard(5000);
            while (session.engine.pictureComing() && !guard.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            (i == 0 ? firstShown : afterShown).add(Clock::now() - t0);
            QCoreApplication::processEvents();  // the next press comes through the event loop
        }
        most = std::max(most, gaps.most());
    }
    report(state, "first_reply", firstReply);
    report(state, "first_shown", firstShown);
    report(state, "after_reply", afterReply);
    report(state, "after_shown", afterShown);
    state.counters["gap_most_ms"] = most;
}
BENCHMARK(BM_FirstStepBack)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {100, 500, 2000}})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

// mpv's own frame-back-step in the same sessions.
void BM_RawFirstBackStep(benchmark::State& state)
{
    const Clip& clip = FirstClips[state.range(0)];
    state.SetLabel(clip.name);
    mpv_handle* mpv = rawMpv(clip);
    Samples first, after;
    for (auto _ : state) {
        state.PauseTiming();
        rawCommand(mpv, {"seek", "0", "absolute+exact"});
        mpv_set_property_string(mpv, "pause", "no");
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        mpv_set_property_string(mpv, "pause", "yes");
        std::this_thread::sleep_for(std::chrono::milliseconds(state.range(1)));
        while (mpv_wait_event(mpv, 0)->event_id != MPV_EVENT_NONE) { }
        state.ResumeTiming();
        for (int i = 0; i < 11; ++i) {
            const auto t0 = Clock::now();
            rawCommand(mpv, {"frame-back-step"});
            (i == 0 ? first : after).add(Clock::now() - t0);
        }
    }
    report(state, "first", first);
    report(state, "after", after);
    mpv_terminate_destroy(mpv);
}
BENCHMARK(BM_RawFirstBackStep)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {100, 500, 2000}})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Reads the packets of the video stream from the keyframe before `frame` up to it: the part of a
// step back no decoder can save.
double demuxMs(const QByteArray& path, int frame, double fps)
{
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.constData(), nullptr, nullptr) < 0)
        return -1;
    avformat_find_stream_info(format, nullptr);
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVStream* s = format->streams[video];
    const std::int64_t target = std::llround(frame / fps / av_q2d(s->time_base));
    AVPacket* packet = av_packet_alloc();
    const auto t0 = Clock::now();
    av_seek_frame(format, video, target, AVSEEK_FLAG_BACKWARD);
    while (av_read_frame(format, packet) >= 0) {
        const bool past = packet->stream_index == video && packet->pts != AV_NOPTS_VALUE &&
                          packet->pts >= target;
        av_packet_unref(packet);
        if (past)
            break;
    }
    const double ms = msSince(t0);
    av_packet_free(&packet);
    avformat_close_input(&format);
    return ms;
}

void BM_StepBackCost(benchmark::State& state)
{
    const Clip& clip = Clips[state.range(0)];
    state.SetLabel(clip.name);
    const QByteArray path = clips->path(QString::fromLatin1(clip.name)).toLocal8Bit();
    const double fps = 30000.0 / 1001.0;
    const int frame = clip.gop > 0 ? clip.gop - 1 : 17;  // the frame before the second keyframe
    QWidget video;
    video.setAttribute(Qt::WA_NativeWindow);
    video.resize(clip.width, clip.height);
    video.show();
    PictureCover cover(&video);
    FrameCache cache;
    cache.open(path, fps);
    Samples demux, decode, show;
    const double before = residentMb();
    double most = 0;
    for (auto _ : state) {
        demux.add(std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double, std::milli>(demuxMs(path, frame, fps))));
        cache.release();  // a decoder of its own, as at the first step back after playing
        auto t0 = Clock::now();
        const AVFrame* picture = cache.frame(frame);
        decode.add(Clock::now() - t0);
        if (!picture)
            return state.SkipWithError("not decoded");
        t0 = Clock::now();
        cover.cover(picture);
        show.add(Clock::now() - t0);
        most = std::max(most, residentMb() - before);
    }
    report(state, "demux", demux);
    report(state, "decode", decode);
    report(state, "show", show);
    state.counters["kept"] = double(cache.lastKept() - cache.firstKept() + 1);
    state.counters["rss_added_most_mb"] = most;
}
BENCHMARK(BM_StepBackCost)
    ->DenseRange(0, std::size(Clips) - 1)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// A stream whose pictures grow from 176x144 (the size its container gives) to 3840x2160: what one
// step back onto its last frame keeps, against the budget.
void BM_SizeChangeBackStep(benchmark::State& state)
{
    const QByteArray path = clips->path(QStringLiteral("sizes.mpg")).toLocal8Bit();
    const double before = residentMb();
    double most = 0;
    FrameCache cache;
    for (auto _ : state) {
        cache.open(path, 25);
        if (!cache.frame(78))
            return state.SkipWithError("not decoded");
        most = std::max(most, residentMb() - before);
        state.counters["kept_mb"] = double(cache.keptBytes()) / (1 << 20);
        cache.close();
    }
    state.counters["budget_mb"] = double(FrameCache::BudgetBytes) / (1 << 20);
    state.counters["rss_added_most_mb"] = most;
}
BENCHMARK(BM_SizeChangeBackStep)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runOnClips(argc, argv, clips, [](MediaClips& c) {
        const auto make = [&c](const Clip& clip) {
            return c.makeNumbered(
                QString::fromLatin1(clip.name), clip.kind, 20, clip.gop, clip.width, clip.height);
        };
        for (const Clip& clip : Clips)
            if (!make(clip))
                return false;
        for (const Clip& clip : FirstClips)
            if (!QFile::exists(c.path(QString::fromLatin1(clip.name))) && !make(clip))
                return false;
        return c.makeSizeChanging(QStringLiteral("sizes.mpg"), 50, 30);
    });
}
