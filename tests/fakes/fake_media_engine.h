#pragma once

#include "platform/media_engine.h"

#include <QMap>
#include <QStringList>
#include <optional>

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
    void failNextOpen(MediaError error) { failures_.insert(QStringLiteral("open"), error); }
    // Makes the next call of `method` ("play", "pause", "seekFrame", "seekMs", "step",
    // "setSpeed") fail with `error` and change nothing.
    void failNext(const QString& method, MediaError error) { failures_.insert(method, error); }

    // --- observation ---
    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    QString path() const { return path_; }
    TypeHint typeHint() const { return type_; }
    WId parent() const { return parent_; }

    // --- MediaEngine ---
    MediaError open(const QString& path, TypeHint type, WId parent) override;
    void close() override;
    bool isOpen() const override { return open_; }
    MediaError play() override;
    MediaError pause() override;
    bool isPlaying() override { return open_ && playing_; }
    std::int64_t lengthFrames() override { return open_ ? length_ : 0; }
    std::int64_t positionFrames() override { return open_ ? position_ : 0; }
    std::int64_t lengthMs() override;
    std::int64_t positionMs() override;
    MediaError seekFrame(std::int64_t frame) override;
    MediaError seekMs(std::int64_t ms) override;
    MediaError step(int delta) override;
    double speed() override { return speed_; }
    // Refuses what the real engine refuses: 0 or less, more than 100.
    MediaError setSpeed(double speed) override;
    QSize sourceSize() override { return open_ ? source_ : QSize(); }
    QSize destinationSize() override;
    WId videoWindow() override { return open_ ? window_ : 0; }

private:
    std::optional<MediaError> scripted(const QString& method, const QString& call);
    MediaError enter(const QString& method, const QString& call = {});
    MediaError moveTo(MediaError error, std::int64_t frame);

    QStringList calls_;
    QMap<QString, MediaError> failures_;
    bool open_ = false;
    bool playing_ = false;
    QString path_;
    TypeHint type_ = TypeHint::Auto;
    WId parent_ = 0;
    WId window_ = 0;
    WId windowForOpen_ = DefaultVideoWindow;
    std::int64_t length_ = 150;
    std::int64_t position_ = 0;
    double fps_ = 30000.0 / 1001.0;
    double speed_ = 1.0;
    QSize source_{352, 240};
    QSize destination_;
};
