#pragma once

#include "platform/mpv/frame_cache.h"

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

struct AVFrame;

// Decodes keyframe ranges for steps back on a thread of its own, at low priority, while the
// user looks at a paused picture: the first step back finds its picture ready. One that comes
// too early never decodes on the caller's thread: it says which frame it waits for (want()), the
// thread decodes toward it (going on with a range under way that reaches it), and `ready` tells
// the caller as soon as the picture is kept. The thread touches nothing but its FrameCache (no
// mpv, no widgets); finished pictures are handed to the caller's thread as references.
//
// One range at a time: a newer request replaces one not yet started.
class DecodeAhead {
public:
    // `ready` is called on the worker's thread once the frame wanted is kept, or once decoding
    // toward it ended without it; the caller then asks want() again, on its own thread.
    explicit DecodeAhead(std::function<void()> ready = {});
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The file to decode; empty: none. Ends what is under way first (within a picture's
    // decoding), so that no picture of the file before is kept or handed over afterwards. The
    // file is read on the thread with the first range asked for; the thread starts then too.
    void open(const QByteArray& path, double fps);
    // Ends what is under way and forgets the file and its pictures.
    void close();
    // Ends what is under way and gives back the pictures and the decoder's buffers, on the
    // decoding thread: returns at once.
    void release();

    // Decodes ahead toward frame n (the keyframe range up to it) unless it is kept or on its
    // way. A range under way toward another frame is left to finish first, unless `elsewhere`
    // (the picture moved: it is dropped); what a wanted frame waits for is never dropped.
    void request(std::int64_t n, bool elsewhere = false);

    enum class Wanted {
        Kept,  // take it with kept()
        Coming,  // decoding goes toward it; `ready` follows
        Never,  // the file cannot give exactly that frame
    };
    // The frame the caller waits for, answered at once. Decoding under way that reaches it goes
    // on; anything else gives way to a range toward it.
    Wanted want(std::int64_t n);
    // No frame is waited for any more.
    void unwant();
    // A new reference to the kept picture of frame n (the caller frees it), or null.
    AVFrame* kept(std::int64_t n) const { return n < 0 ? nullptr : cache_.copyOf(n); }

    // False once the file proved of no use (libavformat cannot read it, or no first picture):
    // later requests do nothing.
    bool usable();
    // What the kept pictures take, and the first of them (-1: none).
    std::int64_t keptBytes() const { return cache_.keptBytes(); }
    std::int64_t firstKept() const { return cache_.firstKept(); }

private:
    void run();
    // Starts the thread if need be, lets go of the mutex and tells the thread.
    void wake(std::unique_lock<std::mutex>& lock);
    // Ends the decoding under way and waits until the thread is idle.
    void cancelLocked(std::unique_lock<std::mutex>& lock);
    // Decodes toward frame n, with mutex_ held on entry and on return.
    void decode(std::int64_t n, std::unique_lock<std::mutex>& lock);
    // On the worker's thread: a whole picture of frame k was decoded.
    void decoded(std::int64_t k);
    // With mutex_ held.
    void setWanted(std::optional<std::int64_t> n);
    // With mutex_ held: whether decoding toward `toward` keeps frame n.
    bool reaches(std::optional<std::int64_t> toward, std::int64_t n) const;

    const std::function<void()> ready_;
    FrameCache cache_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    QByteArray path_;
    double fps_ = 0;
    bool unusable_ = false;
    // What running_ holds while the thread gives back what it holds.
    static constexpr std::int64_t Releasing = -2;
    std::optional<std::int64_t> waiting_;  // the next range to decode, toward that frame
    std::optional<std::int64_t> running_;  // the range under way
    std::optional<std::int64_t> wanted_;  // the frame the caller waits for
    // The same for the thread to read without the mutex; past every frame when none.
    std::atomic<std::int64_t> wantedFrom_{std::numeric_limits<std::int64_t>::max()};
    std::optional<std::int64_t> missed_;  // decoded toward, and not found
    std::atomic<bool> cancelled_{false};  // the range under way is to stop
    bool releasing_ = false;  // the thread is to give back what it holds
    bool quit_ = false;
    std::thread thread_;
};
