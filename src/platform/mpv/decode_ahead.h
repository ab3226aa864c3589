#pragma once

#include "platform/mpv/frame_cache.h"

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

struct AVFrame;

// Decodes keyframe ranges for steps back on a thread of its own, at low priority, while the
// user looks at a paused picture: the first step back finds its picture ready. One that comes
// too early decodes it itself, as without the thread. The thread touches nothing but its FrameCache (no mpv, no
// widgets); finished pictures are handed to the caller's thread as references.
//
// One request at a time: a newer one replaces one not yet started; cancel() ends the one under
// way at once (within a frame's decoding).
class DecodeAhead {
public:
    DecodeAhead();
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The file to decode; empty: none. Cancels what is under way.
    void open(const QByteArray& path, double fps);
    // Cancels what is under way and forgets the file and its pictures.
    void close();
    // Cancels what is under way and gives back the pictures and the decoder's buffers.
    void release();
    // Cancels what is under way or waiting; returns once the thread is idle.
    void cancel();

    // Starts decoding toward frame n (the keyframe range up to it) unless it is kept or on its
    // way. A range under way toward a frame before n is left to finish first.
    void request(std::int64_t n);
    // A new reference to the picture of frame n (the caller frees it): the kept one, or one
    // decoded now on the calling thread; null when the file cannot give exactly n.
    AVFrame* picture(std::int64_t n);

    // False once the file proved of no use (libavformat cannot read it, or no first picture):
    // later requests do nothing.
    bool usable();
    // What the kept pictures take, and how many there are.
    std::int64_t keptBytes() const { return cache_.keptBytes(); }
    std::int64_t firstKept() const { return cache_.firstKept(); }

private:
    void run();
    void cancelLocked(std::unique_lock<std::mutex>& lock);
    // Decodes toward frame n on the calling thread, with mutex_ held on entry and on return.
    void decode(std::int64_t n, std::unique_lock<std::mutex>& lock);

    FrameCache cache_;
    std::mutex mutex_;
    std::condition_variable changed_;
    QByteArray path_;
    double fps_ = 0;
    bool unusable_ = false;
    std::optional<std::int64_t> waiting_;  // the next request
    std::optional<std::int64_t> running_;  // the request under way
    std::atomic<bool> cancelled_{false};  // the one under way is to stop
    bool quit_ = false;
    std::thread thread_;
};
