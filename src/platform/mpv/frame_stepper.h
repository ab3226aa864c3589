#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>

struct mpv_handle;

// One-frame steps forward of a paused mpv player that cost one frame's decoding.
//
// An exact seek decodes from the keyframe before its target: up to 300 frames (100 ms at 720p)
// in DivX-style files. mpv's frame-step decodes just the next frame, but shows it one frame
// duration after the last one, by the sound's clock. While the user steps, the picture is cut
// loose from the sound ("desync") and each frame is stepped at mpv's top speed, so the next
// frame is due as soon as it is decoded. The sound goes on muted meanwhile; the seek that ends
// the stepping (before playing) puts it back in place.
//
// Every step is checked against the frame it had to reach; anything else is left to the
// caller's exact seek, so a step is never wrong, only slower.
class FrameStepper {
public:
    // Runs mpv's events until `done` returns true; false when `seconds` ran out first.
    using WaitUntil = std::function<bool(const std::function<bool()>& done, double seconds)>;

    explicit FrameStepper(WaitUntil waitUntil);

    struct Movie {
        double fps = 0;
        double first = 0;  // time of the first picture
        std::int64_t frames = 0;
    };
    void opened(mpv_handle* mpv, const Movie& movie);
    // Before the file goes: the handle as configured, for whatever it plays next.
    void closed();

    // Moves the paused picture from frame `from` to `to` = from + 1, both shown frames. True
    // when `to` is on screen; false when the caller has to seek to it.
    bool step(std::int64_t from, std::int64_t to);

    // True while the picture is cut loose from the sound.
    bool stepping() const { return stepping_; }
    // Ends the stepping. The caller then seeks exactly to the frame on screen, which brings the
    // sound back in place.
    void leave();

private:
    bool enter();
    bool set(const char* name, const QByteArray& value);
    QByteArray get(const char* name);

    WaitUntil waitUntil_;
    mpv_handle* mpv_ = nullptr;
    Movie movie_;
    // What stepping changes, and the values to put back.
    struct Saved {
        const char* name;
        const char* stepping;
        QByteArray value;
    };
    Saved saved_[3] = {{"video-sync", "desync", {}}, {"mute", "yes", {}},
        {"audio-pitch-correction", "no", {}}};  // no time-stretching at top speed
    bool stepping_ = false;
};
