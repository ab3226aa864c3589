#pragma once

#include "platform/media_engine.h"
#include "platform/mpv/back_step_picture.h"
#include "platform/mpv/container_facts.h"
#include "platform/mpv/frame_stepper.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>

struct mpv_handle;
struct mpv_event;
class QWidget;

// The media engine over libmpv. Lives on the GUI thread; needs a QApplication.
//
// One mpv handle for the engine's life, made at the first open; each open loads a file into it
// and each close unloads it. Starting a player per file holds on to memory that is never given
// back (tens of MB over a hundred files), and costs a start-up each time.
//
// With a parent window, the engine makes a native child widget of it that mpv draws into
// (through "wid"). Close hides it; the next open into the same parent shows it again, with mpv's
// video output still in it. Another parent, or none, replaces it; mpv lets go of the widget
// before it goes, however it goes. Every wait is bounded: open waits until mpv has opened the
// file, a step forward until its frame is on screen.
//
// An open is answered from what the container says (size, rate, length); the first picture
// follows from the event loop, and what needs its time (frame numbers, seeks, steps) waits for
// it. A file whose container does not say is answered once its first picture is decoded.
//
// A seek is answered as soon as mpv has it: the position is the target from then on, and the
// picture follows from the event loop. mpv works on one seek at a time; a newer target waits
// behind it, replacing any that waited, and goes to its keyframe first when it had to wait (the
// picture keeps up with a dragged slider), then exactly.
//
// Steps forward are mpv's own (FrameStepper); steps back show pictures decoded beside mpv over
// mpv's own, in the video window (BackStepPicture). A step back is answered at once, its position
// exact; a picture not decoded yet follows from the event loop (never decoded on this thread),
// or, when it cannot be decoded beside mpv, mpv's exact seek shows it.
//
// Playing state comes from memory: mpv reports time, pause, end and speed as they change
// (mpv_observe_property); the GUI thread reads those reports when mpv wakes it, and before each
// answer when a report is waiting. Stopped positions are read from mpv itself.
//
// Environment:
//   REELBOX_VO  video outputs to use (default "gpu,x11" with a window on X11; "null" without a
//               parent window or on another Qt platform, e.g. offscreen)
//   REELBOX_AO  audio outputs to use (default "pulse,alsa,null": no sound card is no error)
//   REELBOX_GPU_CONTEXT  mpv's gpu-context for vo "gpu" (default "x11egl")
// mpv's messages and failed calls go to the logging category "reelbox.mpv" (mpv_log.h).
class MpvEngine : public QObject, public MediaEngine {
    Q_OBJECT
public:
    explicit MpvEngine(QObject* parent = nullptr);
    ~MpvEngine() override;

    MediaError open(const QString& path, TypeHint type, WId parent) override;
    void close() override;
    bool isOpen() const override { return loaded_; }
    MediaError play() override;
    MediaError pause() override;
    bool isPlaying() override;
    std::int64_t lengthFrames() override { return loaded_ ? frames_ : 0; }
    std::int64_t positionFrames() override;
    std::int64_t lengthMs() override;
    std::int64_t positionMs() override;
    MediaError seekFrame(std::int64_t frame) override;
    MediaError seekMs(std::int64_t ms) override;
    MediaError step(int delta) override;
    double speed() override;
    MediaError setSpeed(double speed) override;
    QSize sourceSize() override { return loaded_ ? source_ : QSize(); }
    QSize destinationSize() override;
    WId videoWindow() override;
    void whenLost(std::function<void()> lost) override { whenLost_ = std::move(lost); }

    // The raw handle, for measuring against plain libmpv; null before the first open.
    mpv_handle* handle() const { return mpv_; }
    // True while an open's, a step's or a seek's picture is still to come (for tests and
    // measuring).
    bool pictureComing() const
    {
        return firstOwed_ || backStep_.waiting() || seeks_.sent.has_value();
    }

private:
    bool start();
    void stopPlayer();
    MediaError load(const QString& path, WId parent);
    bool makeVideo(QWidget* host);
    bool useVideoOutput(const QByteArray& vo);
    void detachVideo();
    void releaseVideo();
    MediaError loadFailure(int mpvError, const QString& path);
    // The size of the picture mpv decoded; empty when it decoded none.
    QSize decodedSize();
    std::int64_t wholeFrames(double duration) const;
    void firstPictureCame();
    // The file's first picture cannot be decoded after all.
    void lose(const char* why);
    // Waits (bounded) for the first picture; an error when it could not be decoded.
    MediaError awaitFirstPicture();
    // Logs why `path` did not open and returns `error`.
    static MediaError refuse(const QString& path, MediaError error, const char* why);
    void unload();
    void forget();
    // Runs mpv's events through handleEvent until `done`; false when `seconds` ran out first.
    template <typename Done> bool waitUntil(double seconds, Done done);
    void handleEvent(const mpv_event& event);
    void drainEvents();
    // Reads the reports mpv has waiting, so that an answer is never older than mpv's news.
    void catchUp()
    {
        if (drainQueued_.load(std::memory_order_acquire))
            drainEvents();
    }
    bool setOption(const char* name, const QByteArray& value);
    bool command(std::initializer_list<const char*> args);
    MediaError setPaused(bool paused);
    void normalSpeed();
    // keepPicture: a decoded picture shown stays over mpv's until playing moves past it.
    MediaError seekToFrame(std::int64_t frame, bool keepPicture = false);
    // Hands mpv a seek to `time` without waiting for it; false when mpv refused it.
    bool sendSeek(double time, bool exact);
    // mpv has landed the seek it worked on (or given it up): the next one goes.
    void seekLanded();
    // The picture stands still (`elsewhere`: after a seek): the frames before it are decoded
    // ahead for steps back.
    void standStill(bool elsewhere);
    MediaError stopPlaying();
    // Where the movie stands: the end, a frame a seek landed on, or else a time.
    struct Standing {
        bool end = false;
        std::optional<std::int64_t> landed;
        double seconds = 0;  // from the first picture
    };
    Standing standing();
    bool eofReached();
    double timePos();
    bool observedPlaying() const { return !observed_.paused && !observed_.eof; }

    mpv_handle* mpv_ = nullptr;
    QPointer<QWidget> video_;
    QByteArray vo_;  // the video outputs mpv was last told to use
    bool videoAttached_ = false;  // mpv has been told to draw into video_
    bool outputNew_ = false;  // mpv's video output is new since the last open
    FrameStepper stepper_;
    BackStepPicture backStep_;
    std::atomic<bool> drainQueued_{false};

    // What mpv has reported (observed properties) and what its events said.
    struct Observed {
        double timePos = 0;
        bool paused = true;
        bool eof = false;
        double speed = 1.0;
    } observed_;
    bool idle_ = true;  // no file in mpv: its video output is gone
    int fileLoads_ = 0;  // files mpv has opened (before their first picture)
    int fileEnds_ = 0;  // files ended (failed, stopped)
    int lastEndError_ = 0;  // the mpv error of the last file that ended

    // The seeks mpv has been handed, as times in the file.
    struct Seeks {
        std::optional<double> sent;  // the one mpv works on
        std::chrono::steady_clock::time_point sentAt;
        std::optional<double> waiting;  // the newest target after it
        std::optional<double> exactOwed;  // the last one went to a keyframe: the exact one is due
        std::optional<std::int64_t> frame;  // the newest target, until mpv is there
    } seeks_;

    bool loaded_ = false;  // a file is open as the device
    double fps_ = 0;
    double first_ = 0;  // time of the first picture
    std::int64_t frames_ = 0;
    QSize source_;
    bool atEnd_ = false;  // a seek to the length: the end, whatever mpv says
    std::optional<std::int64_t> landed_;  // the frame the last seek reached, until played
    // Opened on what the container says, before mpv has decoded the first picture. Frames count
    // from that picture's time, so whatever needs it waits for it; a play before it is passed on
    // when it comes, and a stop before that leaves nothing to undo.
    bool firstOwed_ = false;
    bool playOwed_ = false;
    bool lost_ = false;  // the first picture could not be decoded after all
    std::optional<ContainerFacts> facts_;  // of the file being opened
    std::function<void()> whenLost_;

    // Where the last play began, kept until the event loop has run once after it (see pause()).
    struct PlayStart {
        std::int64_t frame = 0;
        double time = 0;
        bool eof = false;
        bool atEnd = false;
        std::optional<std::int64_t> landed;
    };
    std::optional<PlayStart> playStart_;
};
