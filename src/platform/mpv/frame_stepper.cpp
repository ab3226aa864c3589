#include "platform/mpv/frame_stepper.h"

#include <mpv/client.h>

#include <cmath>
#include <utility>

namespace {

// Far above a step's few milliseconds; only a player that went wrong waits this long.
constexpr double StepTimeoutS = 5.0;

}  // namespace

FrameStepper::FrameStepper(WaitUntil waitUntil) : waitUntil_(std::move(waitUntil)) { }

void FrameStepper::opened(mpv_handle* mpv, const Movie& movie)
{
    closed();
    mpv_ = mpv;
    movie_ = movie;
}

void FrameStepper::closed()
{
    if (mpv_)
        leave();
    mpv_ = nullptr;
    movie_ = Movie();
}

bool FrameStepper::set(const char* name, const QByteArray& value)
{
    return mpv_set_property_string(mpv_, name, value.constData()) >= 0;
}

QByteArray FrameStepper::get(const char* name)
{
    char* value = mpv_get_property_string(mpv_, name);
    const QByteArray copy(value ? value : "");
    mpv_free(value);
    return copy;
}

bool FrameStepper::enter()
{
    if (stepping_)
        return true;
    // (Switching the sound track off instead made mpv splice the sound back in at play, which
    // sometimes left the picture a keyframe range late, or broken.)
    for (Saved& s : saved_) {
        s.value = get(s.name);
        if (s.value.isEmpty() || !set(s.name, s.stepping))
            return false;
        stepping_ = true;
    }
    return true;
}

void FrameStepper::leave()
{
    if (!stepping_)
        return;
    for (const Saved& s : saved_) {
        if (!s.value.isEmpty())
            set(s.name, s.value);
    }
    stepping_ = false;
}

bool FrameStepper::step(std::int64_t from, std::int64_t to)
{
    if (!mpv_ || to != from + 1 || to >= movie_.frames || !enter())
        return false;
    // mpv times the next frame when it shows one: at top speed, that is at once. (The first step
    // after playing still waits one frame duration.)
    const QByteArray speed = get("speed");
    set("speed", "100");
    const char* cmd[] = {"frame-step", nullptr};
    // frame-step unpauses at once and pauses again when its frame is on screen.
    const bool shown = mpv_command(mpv_, cmd) >= 0 &&
                       waitUntil_(
                           [this] {
                               int paused = 0;
                               mpv_get_property(mpv_, "pause", MPV_FORMAT_FLAG, &paused);
                               return paused != 0;
                           },
                           StepTimeoutS);
    set("speed", speed.isEmpty() ? QByteArray("1") : speed);
    if (!shown) {
        set("pause", "yes");
        return false;
    }
    // At the end of the file (or where its frames stop early) mpv stays put: the caller's exact
    // seek deals with it.
    double t = 0;
    mpv_get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &t);
    return std::llround((t - movie_.first) * movie_.fps) == to;
}
