#include "platform/mpv/mpv_engine.h"

#include "platform/mpv/cdxa_stream.h"
#include "platform/mpv/container_facts.h"
#include "platform/mpv/disc_track_stream.h"
#include "platform/mpv/mpv_log.h"
#include "platform/native_file_name.h"
#include "platform/startup_trace.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <mpv/client.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Far above the usual (70 ms to open, 5-15 ms to seek): a busy machine must not turn a slow
// open into a file the program throws out of its list.
constexpr double OpenTimeoutS = 10.0;
constexpr double SeekTimeoutS = 5.0;
constexpr double UnloadTimeoutS = 5.0;

// The properties the engine keeps in memory, by the id mpv hands back with each report.
enum Observe : std::uint64_t { TimePos = 1, Pause, EofReached, Speed };
// The ids of the replies to what is not waited for.
constexpr std::uint64_t SeekReply = 100;
constexpr std::uint64_t PauseReply = 101;
// mpv waits for us after opening a file, before it decodes anything.
constexpr std::uint64_t PreloadedHook = 102;

QByteArray envOr(const char* name, const char* fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QByteArray(fallback) : value;
}

}  // namespace

MpvEngine::MpvEngine(QObject* parent)
    : QObject(parent),
      stepper_([this](const std::function<bool()>& done, double timeout) {
          return waitUntil(timeout, done);
      }),
      backStep_([this](std::int64_t frame) {
          // A step's picture that could not be decoded beside mpv: mpv shows it.
          if (loaded_ && seekToFrame(frame) != MediaError::None)
              qCWarning(lcMpv, "frame %lld could not be shown", qlonglong(frame));
      })
{
}

MpvEngine::~MpvEngine()
{
    unload();
    stopPlayer();
}

bool MpvEngine::start()
{
    mpv_ = mpv_create();
    if (!mpv_) {
        qCWarning(lcMpv, "mpv_create failed");
        return false;
    }
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
        {"pause", "yes"},  // a device opens stopped
        {"keep-open", "yes"},  // hold the last picture at the end
        {"hr-seek", "yes"},
        {"hr-seek-demuxer-offset", "1"},  // exact seeks in MPEG program streams too
        {"keepaspect", "no"},  // the picture fills the window: 4:3 comes from its size
        {"audio-display", "no"},
        {"sub-auto", "no"},
        {"audio-file-auto", "no"},
        {"hwdec", "no"},
        // EGL: the automatic choice fails on software GL, and a failing GLX start breaks Qt's
        // own X connection (the program exits). Without EGL, vo "x11" takes over.
        {"gpu-context", envOr("REELBOX_GPU_CONTEXT", "x11egl")},
        {"ao", envOr("REELBOX_AO", "pulse,alsa,null")},
        {"audio-fallback-to-null", "yes"},
        {"audio-client-name", "ReelBox"},  // what the desktop's sound settings call our stream
    };
    for (const Option& o : options)
        setOption(o.name, o.value);
    if (!mpvlog::ok(mpv_initialize(mpv_), "mpv_initialize", QByteArray())) {
        mpv_terminate_destroy(mpv_);
        mpv_ = nullptr;
        return false;
    }
    startup_trace::mark("mpv initialised");
    mpvlog::ok(mpv_request_log_messages(mpv_, mpvlog::requestedLevel()), "mpv_request_log_messages",
        mpvlog::requestedLevel());
    const struct {
        Observe id;
        const char* name;
        mpv_format format;
    } observed[] = {
        {TimePos, "time-pos", MPV_FORMAT_DOUBLE},
        {Pause, "pause", MPV_FORMAT_FLAG},
        {EofReached, "eof-reached", MPV_FORMAT_FLAG},
        {Speed, "speed", MPV_FORMAT_DOUBLE},
    };
    for (const auto& p : observed)
        mpvlog::ok(
            mpv_observe_property(mpv_, p.id, p.name, p.format), "mpv_observe_property", p.name);
    mpvlog::ok(mpv_hook_add(mpv_, PreloadedHook, "on_preloaded", 0), "mpv_hook_add", "on_preloaded");
    vo_.clear();
    videoAttached_ = false;
    idle_ = true;
    observed_ = Observed();
    mpv_set_wakeup_callback(
        mpv_,
        [](void* self) {
            // Called on mpv's threads: only post; the events are read on the GUI thread.
            auto* engine = static_cast<MpvEngine*>(self);
            if (!engine->drainQueued_.exchange(true))
                QMetaObject::invokeMethod(engine, &MpvEngine::drainEvents, Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvEngine::stopPlayer()
{
    if (!mpv_)
        return;
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    mpv_terminate_destroy(mpv_);  // returns after mpv has let go of every window
    mpv_ = nullptr;
    delete video_.data();
}

bool MpvEngine::setOption(const char* name, const QByteArray& value)
{
    return mpvlog::ok(mpv_set_option_string(mpv_, name, value.constData()), "mpv_set_option_string",
        QByteArray(name) + '=' + value);
}

bool MpvEngine::command(std::initializer_list<const char*> args)
{
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    const int rc = mpv_command(mpv_, argv.data());
    if (rc >= 0)
        return true;
    QByteArray what;
    for (const char* a : args)
        what += (what.isEmpty() ? "" : " ") + QByteArray(a);
    return mpvlog::ok(rc, "mpv_command", what);
}

MediaError MpvEngine::open(
    const QString& path, TypeHint /*type: mpv probes the content*/, WId parent)
{
    if (loaded_)
        return MediaError::Driver;
    // A track on a disc is no file of the file system: load() reads it off the disc.
    if (!isDiscTrackPath(path)) {
        // By the name's own bytes: Qt's file classes cannot reach a name that is not UTF-8.
        const QByteArray native = toNativeFileName(path);
        struct stat info { };
        if (::stat(native.constData(), &info) != 0)
            return refuse(path, MediaError::FileNotFound, "no such file");
        // Folders, pipes and devices are no movie files; a pipe would also block mpv's reader.
        if (!S_ISREG(info.st_mode))
            return refuse(path, MediaError::Unreadable, "not a regular file");
        // As the effective user, who opens it (access() would ask as the real one).
        if (::faccessat(AT_FDCWD, native.constData(), R_OK, AT_EACCESS) != 0)
            return refuse(path, MediaError::Unreadable, "no permission to read it");
    }
    if (!mpv_ && !start())
        return MediaError::Driver;

    const MediaError error = load(QFileInfo(path).absoluteFilePath(), parent);
    if (error != MediaError::None)
        unload();
    return error;
}

MediaError MpvEngine::refuse(const QString& path, MediaError error, const char* why)
{
    qCWarning(lcMpv, "cannot open %s: %s", qPrintable(path), why);
    return error;
}

MediaError MpvEngine::load(const QString& path, WId parent)
{
    if (parent == 0) {
        releaseVideo();
        useVideoOutput(envOr("REELBOX_VO", "null"));
    } else {
        QWidget* host = QWidget::find(parent);
        if (!host)
            return refuse(
                path, MediaError::NoWindow, "the parent window is none of this program's");
        if (video_ && video_->parentWidget() != host)
            releaseVideo();  // another movie window
        if (!video_ && !makeVideo(host))
            return MediaError::Driver;
        video_->setGeometry(0, 0, 352, 240);
        video_->show();
    }

    // A track on a disc, or copied off one with its sectors' framing, is read through a stream
    // of our own; only a plain file is also for libavformat (steps back).
    QByteArray target;
    if (const MediaError e = discTrackTarget(mpv_, path, target); e != MediaError::None)
        return e;
    if (target.isEmpty()) {
        if (const MediaError e = cdxaTarget(mpv_, path, target); e != MediaError::None)
            return refuse(path, e, "the Video-CD track reader could not be registered");
    }
    const QByteArray plainFile = target.isEmpty() ? toNativeFileName(path) : QByteArray();
    if (target.isEmpty())
        target = plainFile;
    const int loads = fileLoads_;
    const int ends = fileEnds_;
    facts_.reset();
    idle_ = false;
    normalSpeed();  // a newly opened device plays at 1000
    if (!command({"loadfile", target.constData()}))
        return MediaError::Driver;
    if (!waitUntil(OpenTimeoutS, [&] { return fileLoads_ != loads || fileEnds_ != ends; }))
        return refuse(path, MediaError::Timeout, "it neither loaded nor failed in time");
    if (fileEnds_ != ends)
        return loadFailure(lastEndError_, path);
    startup_trace::mark("mpv: file loaded");

    // What the container says is enough to answer: the first picture follows from the event
    // loop. While mpv decodes it, it answers no question, so none is asked of it here.
    firstOwed_ = true;
    bool rated = true;
    frames_ = 0;
    // A video output made for this file draws its first picture before its window is on screen,
    // where it is lost: the program's placing of the window (a resize) has it drawn again, so
    // that placing waits for the picture.
    const bool outputNew = std::exchange(outputNew_, false);
    if (facts_ && facts_->complete && !outputNew) {
        fps_ = facts_->fps;
        source_ = facts_->size;
        frames_ = wholeFrames(facts_->duration);
    }
    if (frames_ <= 0) {
        if (!waitUntil(OpenTimeoutS, [this] { return !firstOwed_; }))
            return refuse(path, MediaError::Timeout, "its first picture did not come in time");
        if (fileEnds_ != ends)
            return loadFailure(lastEndError_, path);
        // Only a file with a picture is a movie.
        source_ = decodedSize();
        if (source_.isEmpty())
            return refuse(path, MediaError::InvalidFile, "no picture");
        fps_ = 0;
        mpv_get_property(mpv_, "container-fps", MPV_FORMAT_DOUBLE, &fps_);
        // No rate in the file: any fixed one keeps frames and times consistent, but decoded
        // pictures could not be counted the same way.
        rated = fps_ > 0 && fps_ < 1000;
        if (!rated)
            fps_ = 25;
        double duration = 0;
        mpv_get_property(mpv_, "duration", MPV_FORMAT_DOUBLE, &duration);
        frames_ = wholeFrames(duration);
        // A scrap of a stream decodes to one made-up picture of no length; the end-of-movie
        // rule (position equals length) would take it for finished at once.
        if (frames_ <= 0)
            return refuse(path, MediaError::InvalidFile, "no whole picture");
    }
    atEnd_ = false;
    landed_.reset();
    observed_.paused = true;
    loaded_ = true;
    if (video_)
        video_->resize(source_);
    backStep_.opened(rated ? plainFile : QByteArray(), fps_);
    if (!firstOwed_)
        firstPictureCame();
    return MediaError::None;
}

namespace {

// The native child window mpv draws into. It has the engine let go of it before its native
// window goes, whoever deletes it (the engine, or the movie window it belongs to).
class VideoWindow : public QWidget {
public:
    VideoWindow(QWidget* parent, std::function<void()> going)
        : QWidget(parent), going_(std::move(going))
    {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::black);
        setPalette(palette);
        setAutoFillBackground(true);
    }
    ~VideoWindow() override
    {
        if (going_)
            going_();
    }

private:
    std::function<void()> going_;
};

}  // namespace

bool MpvEngine::makeVideo(QWidget* host)
{
    video_ = new VideoWindow(host, [this] { detachVideo(); });
    outputNew_ = true;
    std::int64_t wid = std::int64_t(video_->winId());
    // mpv reads these when it makes its video output, which it then keeps from file to file
    // (force-window): one output, and one GL context, for as long as the movie window stays.
    const bool ok = mpvlog::ok(mpv_set_property(mpv_, "wid", MPV_FORMAT_INT64, &wid),
                        "mpv_set_property", "wid=" + QByteArray::number(qlonglong(wid))) &&
                    useVideoOutput(envOr("REELBOX_VO",
                        QGuiApplication::platformName() == QLatin1String("xcb") ? "gpu,x11"
                                                                                : "null")) &&
                    mpvlog::ok(mpv_set_property_string(mpv_, "force-window", "yes"),
                        "mpv_set_property_string", "force-window=yes");
    videoAttached_ = true;
    if (!ok)
        releaseVideo();
    return ok;
}

bool MpvEngine::useVideoOutput(const QByteArray& vo)
{
    if (vo == vo_)
        return true;
    // Setting it replaces the video output at once (the old one lets go of its window).
    if (!mpvlog::ok(mpv_set_property_string(mpv_, "vo", vo.constData()), "mpv_set_property_string",
            "vo=" + vo))
        return false;
    vo_ = vo;
    outputNew_ = true;
    return true;
}

void MpvEngine::detachVideo()
{
    if (!mpv_ || !std::exchange(videoAttached_, false))
        return;
    std::int64_t none = -1;
    mpvlog::ok(mpv_set_property_string(mpv_, "force-window", "no"), "mpv_set_property_string",
        "force-window=no");
    mpvlog::ok(
        mpv_set_property(mpv_, "wid", MPV_FORMAT_INT64, &none), "mpv_set_property", "wid=-1");
    useVideoOutput("null");
}

void MpvEngine::releaseVideo()
{
    detachVideo();
    delete video_.data();
}

MediaError MpvEngine::loadFailure(int mpvError, const QString& path)
{
    const char* why = mpv_error_string(mpvError);
    switch (mpvError) {
    case MPV_ERROR_LOADING_FAILED: {  // the file could not be read
        const bool exists = ::access(toNativeFileName(path).constData(), F_OK) == 0;
        return refuse(path, exists ? MediaError::Unreadable : MediaError::FileNotFound, why);
    }
    case MPV_ERROR_AO_INIT_FAILED:
    case MPV_ERROR_VO_INIT_FAILED:
    case MPV_ERROR_NOMEM:
        return refuse(path, MediaError::Driver, why);
    default:  // MPV_ERROR_UNKNOWN_FORMAT, MPV_ERROR_NOTHING_TO_PLAY, ...
        return refuse(path, MediaError::InvalidFile, why);
    }
}

template <typename Done> bool MpvEngine::waitUntil(double seconds, Done done)
{
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(seconds));
    while (!done()) {
        const double left =
            std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return false;
        handleEvent(*mpv_wait_event(mpv_, left));
    }
    return true;
}

void MpvEngine::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* p = static_cast<const mpv_event_property*>(event.data);
        const auto flag = [p](bool otherwise) {
            return p->format == MPV_FORMAT_FLAG ? *static_cast<int*>(p->data) != 0 : otherwise;
        };
        const auto number = [p](double otherwise) {
            return p->format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(p->data) : otherwise;
        };
        switch (event.reply_userdata) {
        case TimePos:
            observed_.timePos = number(observed_.timePos);
            backStep_.reached(observed_.timePos);
            break;
        case Pause:
            observed_.paused = flag(true);
            break;
        case EofReached:
            observed_.eof = flag(false);
            break;
        case Speed:
            observed_.speed = number(1.0);
            break;
        default:
            break;
        }
        break;
    }
    case MPV_EVENT_LOG_MESSAGE:
        mpvlog::forward(*static_cast<const mpv_event_log_message*>(event.data));
        break;
    case MPV_EVENT_START_FILE:
        idle_ = false;
        break;
    case MPV_EVENT_HOOK: {
        // mpv stands still until it is told to go on, whoever reads the event.
        if (event.reply_userdata == PreloadedHook)
            facts_ = ContainerFacts::read(mpv_);
        mpv_hook_continue(mpv_, static_cast<const mpv_event_hook*>(event.data)->id);
        break;
    }
    case MPV_EVENT_FILE_LOADED:
        ++fileLoads_;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (firstOwed_)
            firstPictureCame();
        else if (seeks_.sent)
            seekLanded();
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (event.reply_userdata == PauseReply && event.error < 0)
            qCWarning(lcMpv, "mpv did not take the pause: %s", mpv_error_string(event.error));
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == SeekReply && event.error < 0) {
            qCWarning(lcMpv, "a seek failed: %s", mpv_error_string(event.error));
            seekLanded();  // no restart comes for it
        }
        break;
    case MPV_EVENT_END_FILE: {
        // With keep-open a file ends only on failure, a playlist redirect or a stop.
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        lastEndError_ = end->reason == MPV_END_FILE_REASON_ERROR ? end->error : 0;
        if (loaded_ && lastEndError_ < 0)
            qCWarning(lcMpv, "playback failed: %s", mpv_error_string(lastEndError_));
        ++fileEnds_;
        seeks_ = Seeks();
        if (firstOwed_ && loaded_ && end->reason != MPV_END_FILE_REASON_STOP)
            lose("it ended before its first picture");
        firstOwed_ = false;
        break;
    }
    case MPV_EVENT_IDLE:
        idle_ = true;
        break;
    case MPV_EVENT_SHUTDOWN:
        qCWarning(lcMpv, "mpv shut down on its own");
        break;
    default:
        break;
    }
}

void MpvEngine::drainEvents()
{
    drainQueued_.store(false, std::memory_order_release);
    while (mpv_) {
        const mpv_event* event = mpv_wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void MpvEngine::close() { unload(); }

void MpvEngine::unload()
{
    firstOwed_ = false;  // the file goes: nothing is owed
    stepper_.closed();
    backStep_.closed();
    if (mpv_) {
        drainEvents();
        if (loaded_ && lcMpv().isInfoEnabled()) {
            // What the file's playing dropped, for benchmarks and users of a slow machine.
            std::int64_t decoder = 0, output = 0;
            mpv_get_property(mpv_, "decoder-frame-drop-count", MPV_FORMAT_INT64, &decoder);
            mpv_get_property(mpv_, "frame-drop-count", MPV_FORMAT_INT64, &output);
            qCInfo(lcMpv, "dropped frames: decoder %lld, output %lld", qlonglong(decoder),
                qlonglong(output));
        }
        if (!idle_) {
            // The file is gone once mpv is idle; the next load starts from there.
            if (!command({"stop"}) || !waitUntil(UnloadTimeoutS, [this] { return idle_; })) {
                qCWarning(lcMpv, "mpv did not unload the file in %g s; starting it afresh",
                    UnloadTimeoutS);
                stopPlayer();
            }
        }
        if (mpv_)
            normalSpeed();
        // mpv's messages come after its events: what it said about the file is read now.
        drainEvents();
    }
    if (video_)
        video_->hide();  // kept, with mpv's video output in it, for the next file
    forget();
    malloc_trim(0);
}

QSize MpvEngine::decodedSize()
{
    char* vid = mpv_get_property_string(mpv_, "vid");
    const bool selected = vid && std::strcmp(vid, "no") != 0;
    mpv_free(vid);
    std::int64_t w = 0, h = 0;
    if (selected) {
        mpv_get_property(mpv_, "video-params/w", MPV_FORMAT_INT64, &w);
        mpv_get_property(mpv_, "video-params/h", MPV_FORMAT_INT64, &h);
    }
    return w > 0 && h > 0 ? QSize(int(w), int(h)) : QSize();
}

std::int64_t MpvEngine::wholeFrames(double duration) const
{
    // Whole frames only: mpv's own frame count truncates the same way.
    return duration > 0 ? std::int64_t(std::floor(duration * fps_ + 1e-3)) : 0;
}

void MpvEngine::firstPictureCame()
{
    firstOwed_ = false;
    if (!loaded_)
        return;  // still opening: load() reads what it needs
    // mpv holds its first picture, paused, until a play that came before it is passed on here: its
    // time is the start of the frame count.
    first_ = timePos();
    observed_.timePos = first_;
    const QSize decoded = decodedSize();
    if (decoded.isEmpty()) {
        lose("its container promised a picture the decoder could not give");
        return;
    }
    if (decoded != source_)
        qCInfo(lcMpv, "the decoded picture is %dx%d, not the size its container gave",
            decoded.width(), decoded.height());
    source_ = decoded;
    stepper_.opened(mpv_, {fps_, first_, frames_});
    startup_trace::mark("mpv: first picture decoded");
    if (std::exchange(playOwed_, false))
        play();
}

MediaError MpvEngine::awaitFirstPicture()
{
    if (firstOwed_ && !waitUntil(OpenTimeoutS, [this] { return !firstOwed_; }))
        lose("its first picture did not come in time");
    return lost_ ? MediaError::InvalidFile : MediaError::None;
}

void MpvEngine::lose(const char* why)
{
    qCWarning(lcMpv, "the open movie has no picture: %s", why);
    firstOwed_ = false;
    playOwed_ = false;
    observed_.paused = true;
    lost_ = true;
    // Told from the event loop: this may run inside any call, and the handler closes the file.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (loaded_ && lost_ && whenLost_)
                whenLost_();
        },
        Qt::QueuedConnection);
}

void MpvEngine::forget()
{
    loaded_ = false;
    frames_ = 0;
    fps_ = 0;
    source_ = QSize();
    atEnd_ = false;
    landed_.reset();
    playStart_.reset();
    seeks_ = Seeks();
    firstOwed_ = false;
    playOwed_ = false;
    lost_ = false;
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
    // Not waited for: while mpv decodes towards a seek's target it answers only between
    // pictures. Whatever is asked of mpv after this is answered after it.
    int flag = paused ? 1 : 0;
    if (!mpvlog::ok(mpv_set_property_async(mpv_, PauseReply, "pause", MPV_FORMAT_FLAG, &flag),
            "mpv_set_property_async", paused ? "pause=yes" : "pause=no"))
        return MediaError::Driver;
    // mpv reports no older value once it has taken this one.
    observed_.paused = paused;
    return MediaError::None;
}

MediaError MpvEngine::play()
{
    if (!loaded_)
        return MediaError::NotOpen;
    if (lost_)
        return MediaError::InvalidFile;
    if (firstOwed_) {
        playOwed_ = true;
        observed_.paused = false;
        return MediaError::None;
    }
    // Stepping cut the picture loose from the sound: a seek to where it stands puts the sound
    // back in place.
    // So does a decoded picture shown over mpv's: mpv goes to it, and the pictures kept for
    // steps back are given back.
    std::optional<double> until;
    if (stepper_.stepping() || backStep_.covering()) {
        const std::int64_t frame = positionFrames();
        stepper_.leave();
        if (const MediaError e = seekToFrame(frame, backStep_.covering()); e != MediaError::None)
            return e;
        until = first_ + (double(frame) + 0.5) / fps_;
    }
    backStep_.playing(until);
    catchUp();
    // While mpv seeks, its time is not yet the target's: the target stands for it (and a stop
    // at once goes back to it).
    const bool seeking = seeks_.frame.has_value();
    if (observed_.paused && !playStart_) {
        playStart_ = seeking ? PlayStart{*seeks_.frame, std::nan(""), false, false, std::nullopt}
                             : PlayStart{positionFrames(), timePos(), eofReached(), atEnd_, landed_};
        // Forgotten once the event loop has run: from then on a pause is a real pause.
        QMetaObject::invokeMethod(
            this, [this] { playStart_.reset(); }, Qt::QueuedConnection);
    }
    atEnd_ = false;
    landed_.reset();
    // Playing goes on from here, whatever time mpv last reported; a seek clears mpv's end.
    if (seeking) {
        observed_.eof = false;
    } else {
        observed_.timePos = timePos();
        observed_.eof = eofReached();
    }
    return setPaused(false);
}

MediaError MpvEngine::pause()
{
    if (!loaded_)
        return MediaError::NotOpen;
    const MediaError e = stopPlaying();
    if (e == MediaError::None)
        standStill(false);
    return e;
}

void MpvEngine::standStill(bool elsewhere)
{
    if (!atEnd_ && !firstOwed_ && !lost_)
        backStep_.standing(positionFrames(), video_.data(), elsewhere);
}

MediaError MpvEngine::stopPlaying()
{
    if (firstOwed_ || lost_) {
        // mpv has not moved off its first picture.
        playOwed_ = false;
        observed_.paused = true;
        return MediaError::None;
    }
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
    if (!loaded_)
        return false;
    catchUp();
    return observedPlaying();
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
    catchUp();
    if (firstOwed_ || lost_)
        return {false, 0, 0};
    // Played on while mpv still seeks: the target is where the movie stands.
    if (seeks_.frame)
        return {false, seeks_.frame, 0};
    if (observedPlaying())
        return {false, std::nullopt, observed_.timePos - first_};
    // Stopped: asked of mpv, which may reach the end while paused without reporting it.
    // Whatever stops playback for good is the end, even short of the last frame: a clip whose
    // last frames cannot be decoded, or whose sound ends early, stops there.
    return {eofReached(), std::nullopt, timePos() - first_};
}

std::int64_t MpvEngine::positionFrames()
{
    if (!loaded_)
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
    return loaded_ && fps_ > 0 ? std::llround(double(frames_) * 1000.0 / fps_) : 0;
}

std::int64_t MpvEngine::positionMs()
{
    if (!loaded_)
        return 0;
    const Standing s = standing();
    if (s.end)
        return lengthMs();
    if (s.landed)
        return std::llround(double(*s.landed) * 1000.0 / fps_);
    return std::clamp<std::int64_t>(std::llround(s.seconds * 1000.0), 0, lengthMs());
}

MediaError MpvEngine::seekToFrame(std::int64_t frame, bool keepPicture)
{
    if (const MediaError e = awaitFirstPicture(); e != MediaError::None)
        return e;
    // Seeking past the last frame leaves an MPEG stream in odd states: the end is shown as the
    // last frame instead.
    const bool end = frame >= frames_;
    const std::int64_t target = std::clamp<std::int64_t>(
        frame, 0, std::max<std::int64_t>(frames_ - 1, 0));
    playStart_.reset();
    drainEvents();  // what mpv has said so far: whether it still seeks, whether it pauses
    if (!observed_.paused) {
        if (const MediaError e = setPaused(true); e != MediaError::None)
            return e;
    }
    const double time = first_ + double(target) / fps_;
    if (seeks_.sent && std::chrono::steady_clock::now() - seeks_.sentAt >
                           std::chrono::duration<double>(SeekTimeoutS)) {
        qCWarning(lcMpv, "a seek to %.6f s did not finish in %g s", *seeks_.sent, SeekTimeoutS);
        seeks_ = Seeks();
    }
    if (seeks_.frame == target) {
        // mpv is on its way there already (a stop right after a play puts back the same frame).
    } else if (seeks_.sent) {
        seeks_.waiting = time;
        seeks_.exactOwed.reset();
    } else if (!sendSeek(time, true)) {
        return MediaError::Driver;
    }
    seeks_.frame = target;
    backStep_.landed(keepPicture);
    atEnd_ = end;
    // The last frame of an MPEG stream sometimes comes with the end of the stream, now or a
    // moment later: until the next play, the frame we landed on is the position.
    landed_ = target;
    return MediaError::None;
}

bool MpvEngine::sendSeek(double time, bool exact)
{
    const QByteArray at = QByteArray::number(time, 'f', 6);
    const char* argv[] = {"seek", at.constData(), exact ? "absolute+exact" : "absolute+keyframes",
        nullptr};
    if (!mpvlog::ok(mpv_command_async(mpv_, SeekReply, argv), "mpv_command_async", "seek " + at))
        return false;
    seeks_.sent = time;
    seeks_.sentAt = std::chrono::steady_clock::now();
    seeks_.exactOwed = exact ? std::nullopt : std::optional<double>(time);
    return true;
}

void MpvEngine::seekLanded()
{
    const std::optional<double> landed = std::exchange(seeks_.sent, std::nullopt);
    // Playing goes on from an exact target; a paused picture may stop at the keyframe first.
    if (const std::optional<double> next = std::exchange(seeks_.waiting, std::nullopt))
        sendSeek(*next, !observed_.paused);
    else if (const std::optional<double> owed = std::exchange(seeks_.exactOwed, std::nullopt))
        sendSeek(*owed, true);
    if (seeks_.sent)
        return;
    // The last one is there. mpv's report of its new time may come after this event: playing
    // goes on from the target, not from a time reported before it.
    seeks_.frame.reset();
    if (landed)
        observed_.timePos = *landed;
}

MediaError MpvEngine::seekFrame(std::int64_t frame)
{
    if (!loaded_)
        return MediaError::NotOpen;
    if (frames_ <= 0)
        return MediaError::None;
    const MediaError e = seekToFrame(std::clamp<std::int64_t>(frame, 0, frames_));
    if (e == MediaError::None)
        standStill(true);
    return e;
}

MediaError MpvEngine::seekMs(std::int64_t ms)
{
    if (!loaded_)
        return MediaError::NotOpen;
    if (frames_ <= 0)
        return MediaError::None;
    // The frame on screen at that time; the length in ms is the end.
    const std::int64_t frame = ms >= lengthMs()
                                   ? frames_
                                   : std::int64_t(std::floor(double(ms) * fps_ / 1000.0 + 1e-6));
    return seekFrame(frame);
}

MediaError MpvEngine::step(int delta)
{
    if (!loaded_)
        return MediaError::NotOpen;
    if (const MediaError e = awaitFirstPicture(); e != MediaError::None)
        return e;
    playStart_.reset();
    if (const MediaError e = setPaused(true); e != MediaError::None)
        return e;
    backStep_.stepping();
    const std::int64_t from = positionFrames();
    const std::int64_t to = std::clamp<std::int64_t>(from + delta, 0, frames_);
    if (to == from || frames_ <= 0)
        return MediaError::None;
    // From the last frame to the end: the picture stays.
    if (to == frames_ && landed_ == frames_ - 1) {
        atEnd_ = true;
        return MediaError::None;
    }
    // From the end the picture may be short of the last frame (playback that stopped early):
    // only a seek is sure to show it.
    if (!atEnd_ &&
        (backStep_.show(from, to, video_) ||
            (!backStep_.covering() && !seeks_.sent && stepper_.step(from, to)))) {
        landed_ = to;
        if (to > from)
            standStill(false);
        return MediaError::None;
    }
    const MediaError e = seekToFrame(to);
    if (e == MediaError::None)
        standStill(to < from);
    return e;
}

// mpv's speed belongs to the player and outlives the file: each device starts at normal speed.
void MpvEngine::normalSpeed()
{
    double one = 1.0;
    mpvlog::ok(mpv_set_property(mpv_, "speed", MPV_FORMAT_DOUBLE, &one), "mpv_set_property",
        "speed=1");
    observed_.speed = one;
}

double MpvEngine::speed()
{
    if (!loaded_)
        return 1.0;
    catchUp();
    return observed_.speed;
}

MediaError MpvEngine::setSpeed(double speed)
{
    if (!loaded_)
        return MediaError::NotOpen;
    if (!(speed >= 0.01 && speed <= 100.0))
        return MediaError::OutOfRange;
    if (!mpvlog::ok(mpv_set_property(mpv_, "speed", MPV_FORMAT_DOUBLE, &speed), "mpv_set_property",
            "speed=" + QByteArray::number(speed)))
        return MediaError::OutOfRange;
    observed_.speed = speed;
    return MediaError::None;
}

QSize MpvEngine::destinationSize()
{
    if (!loaded_)
        return QSize();
    return video_ ? video_->size() : source_;
}

WId MpvEngine::videoWindow() { return loaded_ && video_ ? video_->winId() : 0; }
