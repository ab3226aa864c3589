#include "platform/mpv/back_step_picture.h"

#include "platform/mpv/picture_cover.h"

#include <QWidget>

extern "C" {
#include <libavutil/frame.h>
}

#include <memory>

namespace {

struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};

}  // namespace

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
    const std::unique_ptr<AVFrame, FrameDeleter> picture(decoded_.picture(to));
    if (!picture)
        return false;
    if (!cover_)
        cover_ = new PictureCover(video);
    if (!cover_->cover(picture.get()))
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

void BackStepPicture::playing(std::optional<double> until)
{
    if (until && cover_ && cover_->covering())
        coverUntil_ = until;
    decoded_.release();
}

void BackStepPicture::standing(std::int64_t frame, const QWidget* video, bool elsewhere)
{
    if (elsewhere)
        decoded_.cancel();
    if (video)
        decoded_.request(frame - 1);
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
