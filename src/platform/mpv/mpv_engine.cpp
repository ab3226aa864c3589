#include "platform/mpv/mpv_engine.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <mpv/client.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Far above the usual (70 ms to open, 5-15 ms to seek): a busy machine must not turn a slow
// open into a file the program throws out of its list.
constexpr double OpenTimeoutS = 10.0;
constexpr double SeekTimeoutS = 5.0;

QByteArray envOr(const char* name, const char* fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QByteArray(fallback) : value;
}

double seconds(std::chrono::steady_clock::time_point deadline)
{
    return std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
}

}  // namespace

MpvEngine::MpvEngine(QObject* parent) : QObject(parent) {}

MpvEngine::~MpvEngine()
{
    teardown();
}

MediaError MpvEngine::open(const QString& path, TypeHint /*type: mpv probes the content*/,
                           WId parent)
{
    if (mpv_)
        return MediaError::Driver;
    const QFileInfo info(path);
    if (!info.exists())
        return MediaError::FileNotFound;
    if (!info.isFile() || !info.isReadable())
        return MediaError::InvalidFile;

    const MediaError error = load(info.absoluteFilePath(), parent);
    if (error != MediaError::None)
        teardown();
    return error;
}

MediaError MpvEngine::load(const QString& path, WId parent)
{
    QByteArray vo = "null";
    if (parent != 0) {
        QWidget* host = QWidget::find(parent);
        if (!host)
            return MediaError::NoWindow;
        video_ = new QWidget(host);
        video_->setAttribute(Qt::WA_NativeWindow);
        video_->setAttribute(Qt::WA_DontCreateNativeAncestors);
        QPalette palette = video_->palette();
        palette.setColor(QPalette::Window, Qt::black);
        video_->setPalette(palette);
        video_->setAutoFillBackground(true);
        video_->setGeometry(0, 0, 352, 240);
        video_->show();
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            vo = "gpu,x11";
    }
    vo = envOr("REELBOX_VO", vo.constData());

    // mpv refuses to start under a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    mpv_ = mpv_create();
    if (!mpv_)
        return MediaError::Driver;

    struct Option {
        const char* name;
        QByteArray value;
    };
    const Option options[] = {
        {"config", "no"},  // the user's mpv.conf must not change our behaviour
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"terminal", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},  // presses go to Qt, not to mpv
        {"input-cursor", "no"},
        {"osc", "no"},
        {"osd-level", "0"},
        {"cursor-autohide", "no"},
        {"stop-screensaver", "no"},  // the program handles the screen saver itself
        {"idle", "yes"},
        {"pause", "yes"},      // a device opens stopped
        {"keep-open", "yes"},  // hold the last picture at the end
        {"hr-seek", "yes"},
        {"hr-seek-demuxer-offset", "1"},  // exact seeks in MPEG program streams too
        {"keepaspect", "no"},             // the picture fills the window: 4:3 comes from its size
        {"audio-display", "no"},
        {"sub-auto", "no"},
        {"audio-file-auto", "no"},
        {"hwdec", "no"},
        {"vo", vo},
        // EGL: the automatic choice fails on software GL, and a failing GLX start breaks Qt's
        // own X connection (the program exits). Without EGL, vo "x11" takes over.
        {"gpu-context", envOr("REELBOX_GPU_CONTEXT", "x11egl")},
        {"ao", envOr("REELBOX_AO", "pulse,alsa,null")},
        {"audio-fallback-to-null", "yes"},
    };
    for (const Option& o : options)
        mpv_set_option_string(mpv_, o.name, o.value.constData());
    if (video_) {
        const std::int64_t wid = std::int64_t(video_->winId());
        mpv_set_option(mpv_, "wid", MPV_FORMAT_INT64, const_cast<std::int64_t*>(&wid));
    }
    if (mpv_initialize(mpv_) < 0)
        return MediaError::Driver;
    mpv_set_wakeup_callback(
        mpv_,
        [](void* self) {
            // Called on mpv's threads: only post; the events are read on the GUI thread.
            auto* engine = static_cast<MpvEngine*>(self);
            if (!engine->drainQueued_.exchange(true))
                QMetaObject::invokeMethod(engine, &MpvEngine::drainEvents, Qt::QueuedConnection);
        },
        this);

    QByteArray target = QFile::encodeName(path);
    if (auto layout = probeCdxa(path)) {
        cdxa_ = std::make_unique<CdxaLayout>(*layout);
        target = registerCdxaStream(mpv_, cdxa_.get());
        if (target.isEmpty())
            return MediaError::Driver;
    }
    const char* load[] = {"loadfile", target.constData(), nullptr};
    if (mpv_command(mpv_, load) < 0)
        return MediaError::Driver;

    int endError = 0;
    switch (waitForRestart(OpenTimeoutS, &endError)) {
    case Wait::TimedOut: return MediaError::Timeout;
    case Wait::Failed: return MediaError::InvalidFile;
    case Wait::Done: break;
    }

    // Only a file with a picture is a movie.
    char* vid = mpv_get_property_string(mpv_, "vid");
    const bool hasVideo = vid && std::strcmp(vid, "no") != 0;
    mpv_free(vid);
    std::int64_t w = 0, h = 0;
    mpv_get_property(mpv_, "video-params/w", MPV_FORMAT_INT64, &w);
    mpv_get_property(mpv_, "video-params/h", MPV_FORMAT_INT64, &h);
    if (!hasVideo || w <= 0 || h <= 0)
        return MediaError::InvalidFile;
    source_ = QSize(int(w), int(h));

    fps_ = 0;
    mpv_get_property(mpv_, "container-fps", MPV_FORMAT_DOUBLE, &fps_);
    if (!(fps_ > 0 && fps_ < 1000))
        fps_ = 25;  // no rate in the file: any fixed one keeps frames and times consistent
    double duration = 0;
    mpv_get_property(mpv_, "duration", MPV_FORMAT_DOUBLE, &duration);
    first_ = timePos();
    // Whole frames only: mpv's own frame count truncates the same way.
    frames_ = duration > 0 ? std::int64_t(std::floor(duration * fps_ + 1e-3)) : 0;
    atEnd_ = false;
    landed_.reset();
    if (video_)
        video_->resize(source_);
    return MediaError::None;
}

MpvEngine::Wait MpvEngine::waitForRestart(double timeout, int* endError)
{
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(timeout));
    for (;;) {
        const double left = seconds(deadline);
        if (left <= 0)
            return Wait::TimedOut;
        const mpv_event* event = mpv_wait_event(mpv_, left);
        switch (event->event_id) {
        case MPV_EVENT_PLAYBACK_RESTART: return Wait::Done;
        case MPV_EVENT_END_FILE: {
            // With keep-open the file ends only on failure, a playlist redirect or a stop.
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            if (endError)
                *endError = end->error;
            return Wait::Failed;
        }
        case MPV_EVENT_SHUTDOWN: return Wait::Failed;
        default: break;  // MPV_EVENT_NONE: the timeout ran out; loop to check it
        }
    }
}

void MpvEngine::drainEvents()
{
    drainQueued_ = false;
    discardPendingEvents();
}

void MpvEngine::discardPendingEvents()
{
    // Nothing here needs the events: state is read from properties when asked.
    while (mpv_ && mpv_wait_event(mpv_, 0)->event_id != MPV_EVENT_NONE) {
    }
}

void MpvEngine::close()
{
    teardown();
}

void MpvEngine::teardown()
{
    if (mpv_) {
        mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
        mpv_terminate_destroy(mpv_);  // returns after mpv has let go of the window
        mpv_ = nullptr;
    }
    delete video_.data();
    cdxa_.reset();
    frames_ = 0;
    fps_ = 0;
    source_ = QSize();
    atEnd_ = false;
    landed_.reset();
    playStart_.reset();
}

bool MpvEngine::eofReached()
{
    int eof = 0;
    mpv_get_property(mpv_, "eof-reached", MPV_FORMAT_FLAG, &eof);
    return eof != 0;
}

double MpvEngine::timePos()
{
    double t = 0;
    mpv_get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &t);
    return t;
}

MediaError MpvEngine::setPaused(bool paused)
{
    int flag = paused ? 1 : 0;
    return mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &flag) < 0 ? MediaError::Driver
                                                                       : MediaError::None;
}

MediaError MpvEngine::play()
{
    if (!mpv_)
        return MediaError::NotOpen;
    int paused = 0;
    mpv_get_property(mpv_, "pause", MPV_FORMAT_FLAG, &paused);
    if (paused && !playStart_) {
        playStart_ = PlayStart{positionFrames(), timePos(), eofReached(), atEnd_, landed_};
        // Forgotten once the event loop has run: from then on a pause is a real pause.
        QMetaObject::invokeMethod(this, [this] { playStart_.reset(); }, Qt::QueuedConnection);
    }
    atEnd_ = false;
    landed_.reset();
    return setPaused(false);
}

MediaError MpvEngine::pause()
{
    if (!mpv_)
        return MediaError::NotOpen;
    if (const MediaError e = setPaused(true); e != MediaError::None)
        return e;
    // Play at once followed by stop (how a movie shows its first picture while stopped) must
    // leave the picture where it was. mpv shows a frame that has waited past its time as soon as
    // it is unpaused, so the pair often moves one frame on. A stop before the event loop has run
    // since the play puts back exactly what was there; going by the loop rather than by the
    // clock keeps this true on a loaded machine.
    const std::optional<PlayStart> start = std::exchange(playStart_, std::nullopt);
    if (!start)
        return MediaError::None;
    if (timePos() == start->time && eofReached() == start->eof) {
        atEnd_ = start->atEnd;  // nothing moved
        landed_ = start->landed;
        return MediaError::None;
    }
    return seekToFrame(start->frame);
}

bool MpvEngine::isPlaying()
{
    if (!mpv_)
        return false;
    int paused = 1;
    mpv_get_property(mpv_, "pause", MPV_FORMAT_FLAG, &paused);
    return !paused && !eofReached();
}

MpvEngine::Standing MpvEngine::standing()
{
    if (atEnd_)
        return {true, std::nullopt, 0};
    // Until the next play the frame a seek landed on is the position. mpv's own time can't be
    // trusted there anyway: on the last frame of an MPEG stream it may report the end of the
    // sound, or of the stream, instead of the picture's time.
    if (landed_)
        return {false, landed_, 0};
    const double t = timePos() - first_;
    // Whatever stops playback for good is the end, even short of the last frame: a clip whose
    // last frames cannot be decoded, or whose sound ends early, stops there.
    return {eofReached(), std::nullopt, t};
}

std::int64_t MpvEngine::positionFrames()
{
    if (!mpv_)
        return 0;
    const Standing s = standing();
    if (s.end)
        return frames_;
    if (s.landed)
        return *s.landed;
    return std::clamp<std::int64_t>(std::lrint(s.seconds * fps_), 0, frames_);
}

std::int64_t MpvEngine::lengthMs()
{
    return mpv_ && fps_ > 0 ? std::llround(double(frames_) * 1000.0 / fps_) : 0;
}

std::int64_t MpvEngine::positionMs()
{
    if (!mpv_)
        return 0;
    const Standing s = standing();
    if (s.end)
        return lengthMs();
    if (s.landed)
        return std::llround(double(*s.landed) * 1000.0 / fps_);
    return std::clamp<std::int64_t>(std::llround(s.seconds * 1000.0), 0, lengthMs());
}

MediaError MpvEngine::seekToFrame(std::int64_t frame)
{
    // Seeking past the last frame leaves an MPEG stream in odd states: the end is shown as the
    // last frame instead.
    const bool end = frame >= frames_;
    const std::int64_t target = std::clamp<std::int64_t>(frame, 0, std::max<std::int64_t>(frames_ - 1, 0));
    playStart_.reset();
    if (const MediaError e = setPaused(true); e != MediaError::None)
        return e;
    discardPendingEvents();
    const QByteArray time = QByteArray::number(first_ + double(target) / fps_, 'f', 6);
    const char* cmd[] = {"seek", time.constData(), "absolute+exact", nullptr};
    if (mpv_command(mpv_, cmd) < 0)
        return MediaError::Driver;
    switch (waitForRestart(SeekTimeoutS)) {
    case Wait::TimedOut: return MediaError::Timeout;
    case Wait::Failed: return MediaError::Driver;
    case Wait::Done: break;
    }
    atEnd_ = end;
    // The last frame of an MPEG stream sometimes comes with the end of the stream, now or a
    // moment later: until the next play, the frame we landed on is the position.
    landed_ = target;
    return MediaError::None;
}

MediaError MpvEngine::seekFrame(std::int64_t frame)
{
    if (!mpv_)
        return MediaError::NotOpen;
    if (frames_ <= 0)
        return MediaError::None;
    return seekToFrame(std::clamp<std::int64_t>(frame, 0, frames_));
}

MediaError MpvEngine::seekMs(std::int64_t ms)
{
    if (!mpv_)
        return MediaError::NotOpen;
    if (frames_ <= 0)
        return MediaError::None;
    // The frame on screen at that time; the length in ms is the end.
    const std::int64_t frame = ms >= lengthMs()
                                   ? frames_
                                   : std::int64_t(std::floor(double(ms) * fps_ / 1000.0 + 1e-6));
    return seekToFrame(std::clamp<std::int64_t>(frame, 0, frames_));
}

MediaError MpvEngine::step(int delta)
{
    if (!mpv_)
        return MediaError::NotOpen;
    playStart_.reset();
    if (const MediaError e = setPaused(true); e != MediaError::None)
        return e;
    // An exact seek to the neighbour: 5-6 ms on Video-CD material, where frame-step plays a
    // whole frame in real time and frame-back-step misbehaves on the last frame.
    const std::int64_t from = positionFrames();
    const std::int64_t to = std::clamp<std::int64_t>(from + delta, 0, frames_);
    if (to == from || frames_ <= 0)
        return MediaError::None;
    return seekToFrame(to);
}

double MpvEngine::speed()
{
    double speed = 1.0;
    if (mpv_)
        mpv_get_property(mpv_, "speed", MPV_FORMAT_DOUBLE, &speed);
    return speed;
}

MediaError MpvEngine::setSpeed(double speed)
{
    if (!mpv_)
        return MediaError::NotOpen;
    if (!(speed >= 0.01 && speed <= 100.0))
        return MediaError::OutOfRange;
    return mpv_set_property(mpv_, "speed", MPV_FORMAT_DOUBLE, &speed) < 0 ? MediaError::OutOfRange
                                                                         : MediaError::None;
}

QSize MpvEngine::destinationSize()
{
    if (!mpv_)
        return QSize();
    return video_ ? video_->size() : source_;
}

WId MpvEngine::videoWindow()
{
    return mpv_ && video_ ? video_->winId() : 0;
}
