#include "fake_media_engine.h"

#include <algorithm>
#include <cmath>

// Logs the call and answers the scripted failure of `method`, if any.
std::optional<MediaError> FakeMediaEngine::scripted(const QString& method, const QString& call)
{
    calls_ << call;
    const auto it = failures_.find(method);
    if (it == failures_.end())
        return std::nullopt;
    const MediaError error = it.value();
    failures_.erase(it);
    return error;
}

// The same, and NotOpen with no file open; None when the call may go ahead.
MediaError FakeMediaEngine::enter(const QString& method, const QString& call)
{
    if (const auto error = scripted(method, call.isEmpty() ? method : call))
        return *error;
    return open_ ? MediaError::None : MediaError::NotOpen;
}

MediaError FakeMediaEngine::open(const QString& path, TypeHint type, WId parent)
{
    static const char* const names[] = {"auto", "mpeg", "avi"};
    const QString call = QStringLiteral("open %1 %2 %3").arg(path, QLatin1String(names[int(type)])).arg(parent);
    if (const auto error = scripted(QStringLiteral("open"), call))
        return *error;
    open_ = true;
    playing_ = false;
    path_ = path;
    type_ = type;
    parent_ = parent;
    window_ = parent ? windowForOpen_ : 0;
    position_ = 0;
    speed_ = 1.0;
    return MediaError::None;
}

void FakeMediaEngine::close()
{
    calls_ << QStringLiteral("close");
    open_ = false;
    playing_ = false;
    window_ = 0;
}

MediaError FakeMediaEngine::play()
{
    const MediaError error = enter(QStringLiteral("play"));
    playing_ = playing_ || error == MediaError::None;
    return error;
}

MediaError FakeMediaEngine::pause()
{
    const MediaError error = enter(QStringLiteral("pause"));
    playing_ = playing_ && error != MediaError::None;
    return error;
}

std::int64_t FakeMediaEngine::lengthMs()
{
    return open_ ? std::llround(double(length_) * 1000.0 / fps_) : 0;
}

std::int64_t FakeMediaEngine::positionMs()
{
    return open_ ? std::llround(double(position_) * 1000.0 / fps_) : 0;
}

// Moves to `frame` (held inside the movie) and pauses, unless the call fails.
MediaError FakeMediaEngine::moveTo(MediaError error, std::int64_t frame)
{
    if (error == MediaError::None) {
        position_ = std::clamp<std::int64_t>(frame, 0, length_);
        playing_ = false;
    }
    return error;
}

MediaError FakeMediaEngine::seekFrame(std::int64_t frame)
{
    return moveTo(enter(QStringLiteral("seekFrame"), QStringLiteral("seekFrame %1").arg(frame)), frame);
}

MediaError FakeMediaEngine::seekMs(std::int64_t ms)
{
    const MediaError error = enter(QStringLiteral("seekMs"), QStringLiteral("seekMs %1").arg(ms));
    return moveTo(error, ms >= lengthMs() ? length_ : std::int64_t(std::floor(double(ms) * fps_ / 1000.0 + 1e-6)));
}

MediaError FakeMediaEngine::step(int delta)
{
    return moveTo(enter(QStringLiteral("step"), QStringLiteral("step %1").arg(delta)), position_ + delta);
}

MediaError FakeMediaEngine::setSpeed(double speed)
{
    MediaError error = enter(QStringLiteral("setSpeed"), QStringLiteral("setSpeed %1").arg(speed));
    if (error == MediaError::None && !(speed > 0.0 && speed <= 100.0))
        error = MediaError::OutOfRange;
    speed_ = error == MediaError::None ? speed : speed_;
    return error;
}

QSize FakeMediaEngine::destinationSize()
{
    if (!open_)
        return QSize();
    return destination_.isValid() ? destination_ : source_;
}
