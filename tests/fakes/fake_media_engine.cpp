#include "fake_media_engine.h"

#include <algorithm>
#include <cmath>

bool FakeMediaEngine::takeFailure(const QString& method, MediaError& error)
{
    const auto it = failures_.find(method);
    if (it == failures_.end())
        return false;
    error = it.value();
    failures_.erase(it);
    return true;
}

MediaError FakeMediaEngine::open(const QString& path, TypeHint type, WId parent)
{
    static const char* const names[] = {"auto", "mpeg", "avi"};
    calls_ << QStringLiteral("open %1 %2 %3")
                  .arg(path, QLatin1String(names[static_cast<int>(type)]))
                  .arg(parent);
    MediaError error;
    if (takeFailure(QStringLiteral("open"), error))
        return error;
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
    calls_ << QStringLiteral("play");
    MediaError error;
    if (takeFailure(QStringLiteral("play"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    playing_ = true;
    return MediaError::None;
}

MediaError FakeMediaEngine::pause()
{
    calls_ << QStringLiteral("pause");
    MediaError error;
    if (takeFailure(QStringLiteral("pause"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    playing_ = false;
    return MediaError::None;
}

std::int64_t FakeMediaEngine::lengthMs()
{
    return open_ ? std::llround(double(length_) * 1000.0 / fps_) : 0;
}

std::int64_t FakeMediaEngine::positionMs()
{
    return open_ ? std::llround(double(position_) * 1000.0 / fps_) : 0;
}

MediaError FakeMediaEngine::seekFrame(std::int64_t frame)
{
    calls_ << QStringLiteral("seekFrame %1").arg(frame);
    MediaError error;
    if (takeFailure(QStringLiteral("seekFrame"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    position_ = std::clamp<std::int64_t>(frame, 0, length_);
    playing_ = false;
    return MediaError::None;
}

MediaError FakeMediaEngine::seekMs(std::int64_t ms)
{
    calls_ << QStringLiteral("seekMs %1").arg(ms);
    MediaError error;
    if (takeFailure(QStringLiteral("seekMs"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    position_ = ms >= lengthMs() ? length_
                                 : std::clamp<std::int64_t>(
                                       std::int64_t(std::floor(double(ms) * fps_ / 1000.0 + 1e-6)),
                                       0, length_);
    playing_ = false;
    return MediaError::None;
}

MediaError FakeMediaEngine::step(int delta)
{
    calls_ << QStringLiteral("step %1").arg(delta);
    MediaError error;
    if (takeFailure(QStringLiteral("step"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    position_ = std::clamp<std::int64_t>(position_ + delta, 0, length_);
    playing_ = false;
    return MediaError::None;
}

MediaError FakeMediaEngine::setSpeed(double speed)
{
    calls_ << QStringLiteral("setSpeed %1").arg(speed);
    MediaError error;
    if (takeFailure(QStringLiteral("setSpeed"), error))
        return error;
    if (!open_)
        return MediaError::NotOpen;
    if (!(speed > 0.0 && speed <= 100.0))
        return MediaError::OutOfRange;
    speed_ = speed;
    return MediaError::None;
}

QSize FakeMediaEngine::destinationSize()
{
    if (!open_)
        return QSize();
    return destination_.isValid() ? destination_ : source_;
}
