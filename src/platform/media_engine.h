#pragma once

#include <QSize>
#include <QString>
#include <QtGui/qwindowdefs.h>
#include <cstdint>
#include <functional>

// What can go wrong in the media engine. The command interpreter turns these into MCI codes.
enum class MediaError {
    None,
    NotOpen,  // no file is open
    FileNotFound,  // the path names nothing
    Unreadable,  // the path names something that cannot be read as a file (no permission,
    // a folder, a pipe, a device)
    InvalidFile,  // the file holds no playable video (unknown format, no picture)
    NoWindow,  // the parent window handle names no window of this program
    Timeout,  // the file neither loaded nor failed in time
    OutOfRange,  // a value the engine refuses (speed)
    Driver,  // the engine itself failed
};

// The media engine behind the command strings: one file at a time, its picture shown in a video
// window of its own, created as a child of the window the caller names.
//
// Frame numbers start at 0 on the first picture. lengthFrames() is the number of frames; a
// position equal to the length means "at the end" (after playing to the end, or after a seek to
// the length). Milliseconds count from the first picture too. Seeks and steps are exact and have
// finished when the call returns.
class MediaEngine {
public:
    enum class TypeHint { Auto, MpegVideo, AviVideo };

    virtual ~MediaEngine() = default;

    // Opens `path` stopped on its first picture. `parent` is a native window id; 0 means no video
    // output at all. Closes nothing: the caller closes first.
    virtual MediaError open(const QString& path, TypeHint type, WId parent) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual MediaError play() = 0;
    virtual MediaError pause() = 0;
    virtual bool isPlaying() = 0;

    virtual std::int64_t lengthFrames() = 0;
    virtual std::int64_t positionFrames() = 0;
    virtual std::int64_t lengthMs() = 0;
    virtual std::int64_t positionMs() = 0;

    // Targets are 0..length; the length itself means the end. Both leave the engine paused.
    virtual MediaError seekFrame(std::int64_t frame) = 0;
    virtual MediaError seekMs(std::int64_t ms) = 0;
    // One frame forward (+1) or back (-1), paused afterwards; stays put at either end.
    virtual MediaError step(int delta) = 0;

    // 1.0 is normal speed.
    virtual double speed() = 0;
    virtual MediaError setSpeed(double speed) = 0;

    // The picture size stored in the file.
    virtual QSize sourceSize() = 0;
    // The current size of the video window (the source size when there is none).
    virtual QSize destinationSize() = 0;
    // The video window's native id; 0 when the file was opened without video output.
    virtual WId videoWindow() = 0;
    // An open may be answered before the first picture is decoded. Should that picture turn out
    // not to decode, `lost` runs from the event loop while the file is still the one open; until
    // it is closed, playing, seeking and stepping it fail.
    virtual void whenLost(std::function<void()> lost) { (void)lost; }
};
