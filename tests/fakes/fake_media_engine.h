#pragma once

#include "platform/media_engine.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

// A scripted media engine for tests: no decoding, no windows, no time. Positions change only
// through the calls (seek, step) or the script (setPosition). Every call is logged.
//
//   FakeMediaEngine engine;
//   engine.setLength(300);                        // frames; ms follow from fps (29.97 default)
//   engine.failNextOpen(MediaError::InvalidFile); // the next open fails once
//   ... run the code under test ...
//   EXPECT_EQ(engine.calls(), QStringList({"open /m/a.mpg mpeg 77", "seekFrame 15"}));
//
// Log entries: "open <path> auto|mpeg|avi <parent>", "close", "play", "pause", "seekFrame <n>",
// "seekMs <n>", "step <delta>", "setSpeed <v>". Queries are not logged.
class FakeMediaEngine : public MediaEngine {
public:
    static constexpr WId DefaultVideoWindow = 4242;

    // --- script ---
    void setLength(std::int64_t frames) { length_ = frames; }
    void setFps(double fps) { fps_ = fps; }
    void setPosition(std::int64_t frame) { position_ = frame; }
    void setCurrentSpeed(double speed) { speed_ = speed; }
    void setPlaying(bool playing) { playing_ = playing; }
    void setSourceSize(QSize size) { source_ = size; }
    void setDestinationSize(QSize size) { destination_ = size; }
    // The handle a later open with a parent reports (DefaultVideoWindow unless set).
    void setVideoWindow(WId handle) { windowForOpen_ = handle; }
    void failNextOpen(MediaError error) { openFailure_ = error; }
    // The open movie turns out to have no picture, as the real engine finds out after the open.
    void loseOpenMovie() { whenLost_(); }

    // --- observation ---
    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    QString path() const { return path_; }

    // --- MediaEngine ---
    void whenLost(std::function<void()> lost) override { whenLost_ = std::move(lost); }
    MediaError open(const QString& path, TypeHint type, WId parent) override
    {
        static const char* const names[] = {"auto", "mpeg", "avi"};
        const QString call =
            QStringLiteral("open %1 %2 %3").arg(path, QLatin1String(names[int(type)])).arg(parent);
        calls_ << call;
        if (const auto error = std::exchange(openFailure_, std::nullopt))
            return *error;
        std::tie(open_, playing_, path_, window_, position_, speed_) = std::tuple(
            true, false, path, parent ? windowForOpen_ : 0, 0, 1.0);
        return MediaError::None;
    }
    void close() override
    {
        calls_ << QStringLiteral("close");
        open_ = playing_ = false;
        window_ = 0;
    }
    bool isOpen() const override { return open_; }
    MediaError play() override
    {
        const MediaError error = enter(QStringLiteral("play"));
        playing_ = playing_ || error == MediaError::None;
        return error;
    }
    MediaError pause() override
    {
        const MediaError error = enter(QStringLiteral("pause"));
        playing_ = playing_ && error != MediaError::None;
        return error;
    }
    bool isPlaying() override { return open_ && playing_; }
    std::int64_t lengthFrames() override { return open_ ? length_ : 0; }
    std::int64_t positionFrames() override { return open_ ? position_ : 0; }
    std::int64_t lengthMs() override
    {
        return open_ ? std::llround(double(length_) * 1000.0 / fps_) : 0;
    }
    std::int64_t positionMs() override
    {
        return open_ ? std::llround(double(position_) * 1000.0 / fps_) : 0;
    }
    MediaError seekFrame(std::int64_t frame) override
    {
        return moveTo(enter(QStringLiteral("seekFrame %1").arg(frame)), frame);
    }
    MediaError seekMs(std::int64_t ms) override
    {
        const MediaError error = enter(QStringLiteral("seekMs %1").arg(ms));
        return moveTo(error, ms >= lengthMs()
                                 ? length_
                                 : std::int64_t(std::floor(double(ms) * fps_ / 1000.0 + 1e-6)));
    }
    MediaError step(int delta) override
    {
        return moveTo(enter(QStringLiteral("step %1").arg(delta)), position_ + delta);
    }
    double speed() override { return speed_; }
    // Refuses what the real engine refuses: 0 or less, more than 100.
    MediaError setSpeed(double speed) override
    {
        MediaError error = enter(QStringLiteral("setSpeed %1").arg(speed));
        if (error == MediaError::None && !(speed > 0.0 && speed <= 100.0))
            error = MediaError::OutOfRange;
        speed_ = error == MediaError::None ? speed : speed_;
        return error;
    }
    QSize sourceSize() override { return open_ ? source_ : QSize(); }
    QSize destinationSize() override
    {
        return !open_ ? QSize() : destination_.isValid() ? destination_ : source_;
    }
    WId videoWindow() override { return open_ ? window_ : 0; }

private:
    // Logs the call; NotOpen with no file open, None when the call may go ahead.
    MediaError enter(const QString& call)
    {
        calls_ << call;
        return open_ ? MediaError::None : MediaError::NotOpen;
    }
    // Moves to `frame` (held inside the movie) and pauses, unless the call fails.
    MediaError moveTo(MediaError error, std::int64_t frame)
    {
        if (error == MediaError::None) {
            position_ = std::clamp<std::int64_t>(frame, 0, length_);
            playing_ = false;
        }
        return error;
    }

    QStringList calls_;
    std::optional<MediaError> openFailure_;
    std::function<void()> whenLost_;
    bool open_ = false;
    bool playing_ = false;
    QString path_;
    WId window_ = 0;
    WId windowForOpen_ = DefaultVideoWindow;
    std::int64_t length_ = 150;
    std::int64_t position_ = 0;
    double fps_ = 30000.0 / 1001.0;
    double speed_ = 1.0;
    QSize source_{352, 240};
    QSize destination_;
};
