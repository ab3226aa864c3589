#include "platform/mpv/back_step_picture.h"

#include "platform/mpv/picture_cover.h"

#include <QWidget>

BackStepPicture::~BackStepPicture()
{
    closed();
}

void BackStepPicture::opened(const QByteArray& path, double fps)
{
    closed();
    path_ = path;
    fps_ = fps;
}

void BackStepPicture::closed()
{
    uncover();
    decoded_.close();
    path_.clear();
    fps_ = 0;
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
    if ((!beneath_ && to > from) || !video || path_.isEmpty())
        return false;
    if (!decoded_.isOpen() && !decoded_.open(path_, fps_)) {
        path_.clear();  // not for libavformat: steps back seek
        return false;
    }
    const AVFrame* picture = decoded_.frame(to);
    if (!picture) {
        // A file whose first picture cannot be found is closed: no use trying it again.
        if (!decoded_.isOpen())
            path_.clear();
        return false;
    }
    if (!cover_)
        cover_ = new PictureCover(video);
    if (!cover_->cover(picture))
        return false;
    if (!beneath_)
        beneath_ = from;
    return true;
}

void BackStepPicture::landed(bool keep)
{
    if (keep)
        beneath_.reset();
    else
        uncover();
}

void BackStepPicture::playing(double until)
{
    if (cover_ && cover_->covering())
        coverUntil_ = until;
    decoded_.release();
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
}
