#pragma once

#include "platform/media_engine.h"
#include "platform/mpv/cdxa_stream.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;
class QWidget;

// The media engine over libmpv. Lives on the GUI thread; needs a QApplication.
//
// Each open gets a fresh mpv handle and, when a parent window is given, a native child widget
// of that window that mpv draws into (through "wid"); close destroys the handle first, so mpv
// has let go of the widget before the widget goes. Every wait is bounded: open waits until the
// first picture is decoded (or the load failed), seeks and steps until the target frame is on
// screen.
//
// Environment:
//   REELBOX_VO  video outputs to use (default "gpu,x11" with a window on X11; "null" without a
//               parent window or on another Qt platform, e.g. offscreen)
//   REELBOX_AO  audio outputs to use (default "pulse,alsa,null": no sound card is no error)
//   REELBOX_GPU_CONTEXT  mpv's gpu-context for vo "gpu" (default "x11egl")
class MpvEngine : public QObject, public MediaEngine {
    Q_OBJECT
public:
    explicit MpvEngine(QObject* parent = nullptr);
    ~MpvEngine() override;

    MediaError open(const QString& path, TypeHint type, WId parent) override;
    void close() override;
    bool isOpen() const override { return mpv_ != nullptr; }
    MediaError play() override;
    MediaError pause() override;
    bool isPlaying() override;
    std::int64_t lengthFrames() override { return mpv_ ? frames_ : 0; }
    std::int64_t positionFrames() override;
    std::int64_t lengthMs() override;
    std::int64_t positionMs() override;
    MediaError seekFrame(std::int64_t frame) override;
    MediaError seekMs(std::int64_t ms) override;
    MediaError step(int delta) override;
    double speed() override;
    MediaError setSpeed(double speed) override;
    QSize sourceSize() override { return mpv_ ? source_ : QSize(); }
    QSize destinationSize() override;
    WId videoWindow() override;

    // The raw handle, for measuring against plain libmpv; null when nothing is open.
    mpv_handle* handle() const { return mpv_; }

private:
    enum class Wait { Done, Failed, TimedOut };

    MediaError load(const QString& path, WId parent);
    Wait waitForRestart(double seconds, int* endError = nullptr);
    void drainEvents();
    void discardPendingEvents();
    MediaError setPaused(bool paused);
    MediaError seekToFrame(std::int64_t frame);
    // Where the movie stands: the end, a frame a seek landed on, or else a time.
    struct Standing {
        bool end = false;
        std::optional<std::int64_t> landed;
        double seconds = 0;  // from the first picture
    };
    Standing standing();
    bool eofReached();
    double timePos();
    void teardown();

    mpv_handle* mpv_ = nullptr;
    QPointer<QWidget> video_;
    std::unique_ptr<CdxaLayout> cdxa_;
    std::atomic<bool> drainQueued_{false};

    double fps_ = 0;
    double first_ = 0;  // time of the first picture
    std::int64_t frames_ = 0;
    QSize source_;
    bool atEnd_ = false;                  // a seek to the length: the end, whatever mpv says
    std::optional<std::int64_t> landed_;  // the frame the last seek reached, until played

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
