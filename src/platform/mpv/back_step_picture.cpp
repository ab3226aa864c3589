#include "platform/mpv/back_step_picture.h"

#include "platform/mpv/picture_cover.h"

#include <QWidget>

#include <memory>
#include <utility>

BackStepPicture::BackStepPicture(std::function<void(std::int64_t)> missed)
    : missed_(std::move(missed)), decoded_([this] {
          // On the decoding thread: only post; one piece of news on its way is enough.
          if (!posted_.exchange(true))
              QMetaObject::invokeMethod(
                  &receiver_, [this] { arrived(); }, Qt::QueuedConnection);
      })
{
}

BackStepPicture::~BackStepPicture() { closed(); }

void BackStepPicture::opened(const QByteArray& path, double fps)
{
    uncover();
    decoded_.open(path, fps);
}

void BackStepPicture::closed()
{
    uncover();
    decoded_.close();
}

void BackStepPicture::stepping()
{
    if (coverUntil_)
        uncover();
}

bool BackStepPicture::show(std::int64_t from, std::int64_t to, QWidget* video)
{
    if (beneath_ && to == *beneath_) {
        uncover();  // mpv's own picture is the one
        return true;
    }
    // Forward from mpv's picture, mpv's own step decodes just the next frame; without a window
    // there is nothing to show decoded pictures in.
    if ((!beneath_ && to > from) || !video || !decoded_.usable())
        return false;
    coverIn(video);
    switch (decoded_.want(to)) {
    case DecodeAhead::Wanted::Never:
        wanted_.reset();
        return false;
    case DecodeAhead::Wanted::Coming:
        wanted_ = to;  // shown by arrived()
        break;
    case DecodeAhead::Wanted::Kept:
        wanted_.reset();
        if (!put(to))
            return false;
        // Stepping back through the first picture kept: the range before it starts now.
        if (to < from && to == decoded_.firstKept())
            decoded_.request(to - 1);
        break;
    }
    if (!beneath_)
        beneath_ = from;
    return true;
}

bool BackStepPicture::put(std::int64_t frame)
{
    const std::unique_ptr<AVFrame, FrameDeleter> picture(decoded_.kept(frame));
    return picture && cover_ && cover_->cover(picture.get());
}

void BackStepPicture::arrived()
{
    posted_.store(false);
    if (!wanted_)
        return;  // news of a step since overtaken by a seek, a play or another file
    const std::int64_t frame = *wanted_;
    switch (decoded_.want(frame)) {
    case DecodeAhead::Wanted::Coming:
        return;
    case DecodeAhead::Wanted::Kept:
        wanted_.reset();
        if (put(frame))
            return;
        break;
    case DecodeAhead::Wanted::Never:
        wanted_.reset();
        break;
    }
    // Not to be had from the decoding thread after all: mpv's exact seek shows it.
    missed_(frame);
}

void BackStepPicture::landed(bool keep)
{
    if (keep && !wanted_)
        beneath_.reset();
    else
        uncover();
}

void BackStepPicture::playing(std::optional<double> until)
{
    if (until && cover_ && cover_->covering())
        coverUntil_ = until;
    decoded_.release();
}

void BackStepPicture::standing(std::int64_t frame, QWidget* video, bool elsewhere)
{
    if (!video || !decoded_.usable())
        return;
    decoded_.request(frame - 1, elsewhere);
    coverIn(video)->prepare();
}

PictureCover* BackStepPicture::coverIn(QWidget* video)
{
    if (!cover_)
        cover_ = new PictureCover(video);
    return cover_;
}

void BackStepPicture::reached(double time)
{
    if (coverUntil_ && time > *coverUntil_)
        uncover();
}

void BackStepPicture::uncover()
{
    if (cover_)
        cover_->uncover();
    beneath_.reset();
    coverUntil_.reset();
    if (std::exchange(wanted_, std::nullopt))
        decoded_.unwant();
}
