#pragma once

#include "platform/mpv/decode_ahead.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

class PictureCover;
class QWidget;

// Steps back shown from pictures decoded beside mpv, over mpv's own picture in the video window:
// one decoding of a keyframe range serves many steps, and it starts ahead (DecodeAhead) as soon
// as the picture stands still. mpv stays on the frame where
// the steps back began (the frame "beneath") until a step forward reaches it again, or a play or
// seek takes over.
//
// A step whose picture is not decoded yet is answered at once: its picture follows as soon as the
// decoding thread has it (the window's thread never waits for decoding), and steps meanwhile
// only move the frame waited for.
//
// The engine tells it what happens to the movie: opened, closed, a step, a seek that landed, a
// play, the frame the picture stands on, and the time mpv reports while playing.
class BackStepPicture {
public:
    // `missed`: on the window's thread, a step's picture that could not be decoded after all;
    // the engine seeks exactly to that frame.
    explicit BackStepPicture(std::function<void(std::int64_t)> missed);
    ~BackStepPicture();
    BackStepPicture(const BackStepPicture&) = delete;
    BackStepPicture& operator=(const BackStepPicture&) = delete;

    // `path`: the file as libavformat reads it, empty when it cannot read it as mpv does (steps
    // back then seek); `fps` counts its frames as the engine does.
    void opened(const QByteArray& path, double fps);
    void closed();

    // Before a step: a picture left up by a play goes (mpv holds the same frame).
    void stepping();
    // Shows frame `to` over mpv's picture in `video`, stepping from `from`, the frame the
    // position stands on: at once when its picture is kept, else once it is decoded. False when
    // the step has to go another way (mpv's own step forward, or an exact seek).
    bool show(std::int64_t from, std::int64_t to, QWidget* video);
    // True while a picture covers mpv's, or is to, and mpv holds another frame beneath.
    bool covering() const { return beneath_.has_value(); }
    // True while a step's picture is still to come.
    bool waiting() const { return wanted_.has_value(); }

    // A seek landed. `keep`: it went to the frame covered, whose picture stays up until playing
    // passes it (see playing()); otherwise mpv's own picture is the one.
    void landed(bool keep);
    // Playing starts: decoding ahead stops, the kept pictures are given back, and a picture kept
    // up by landed(true) goes once mpv reports a time past `until` (uncovered at once, mpv would
    // show the frame it held before the seek for a moment).
    void playing(std::optional<double> until);
    // mpv reports its time while playing.
    void reached(double time);
    // The picture stands still on `frame` in `video` (null: no window) after a pause, a seek or
    // a step forward; `elsewhere`: not where it stood before (a seek), whatever was being
    // decoded is dropped. The frames before it are decoded ahead, and the cover made ready.
    void standing(std::int64_t frame, QWidget* video, bool elsewhere);

private:
    void uncover();
    // The decoding thread has news of the frame waited for.
    void arrived();
    bool put(std::int64_t frame);
    // The cover over `video`, made the first time.
    PictureCover* coverIn(QWidget* video);

    // Declared before decoded_, whose thread posts to it until it ends.
    QObject receiver_;  // takes the decoding thread's news on the window's thread
    std::atomic<bool> posted_{false};  // news on its way
    const std::function<void(std::int64_t)> missed_;
    DecodeAhead decoded_;
    QPointer<PictureCover> cover_;
    std::optional<std::int64_t> beneath_;  // while covered: the frame mpv shows beneath
    std::optional<std::int64_t> wanted_;  // the frame whose picture is to come
    std::optional<double> coverUntil_;
};
