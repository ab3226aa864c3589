#pragma once

#include "platform/mpv/picture_buffers.h"

#include <QByteArray>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

// Frees a picture held by a std::unique_ptr.
struct FrameDeleter {
    void operator()(AVFrame* f) const;
};

// Decoded pictures just before a frame, for steps backward.
//
// A picture decodes only forward from its keyframe: the frame before the one on screen costs the
// whole keyframe range up to it (up to 300 frames, ~100 ms at 720p in DivX-style files). Here that
// range is decoded once, with libavcodec beside the player, and its last frames are kept, so that
// each step back through them costs no more than showing a picture. What is kept is bounded by
// a memory budget, counted in the bytes of the pictures as decoded: a stream may change its
// picture size on the way, whatever its container says.
//
// Frames are counted as the engine counts them: frame n is shown n / fps seconds after the first
// picture.
//
// Decoding (open, frame, release, close) belongs to one thread at a time; the kept pictures may
// be read from another meanwhile (has, copyOf, firstKept, lastKept, keptBytes, capacity).
class FrameCache {
public:
    FrameCache() = default;
    ~FrameCache();
    FrameCache(const FrameCache&) = delete;
    FrameCache& operator=(const FrameCache&) = delete;

    // Reads the file's video stream; false when libavformat cannot.
    bool open(const QByteArray& path, double fps);
    void close();
    bool isOpen() const { return format_ != nullptr; }
    // Starts the decoder and finds the first picture, where frames are counted from; a file
    // where it finds none is closed. What the first frame() would do before decoding its range.
    bool prepare();

    // The picture of frame n, decoding its keyframe range when it is not kept; null when the
    // file cannot give exactly that frame. Valid until the next call. Of the range, the last
    // `keep` frames are kept (0: as many as the budget holds); pictures kept before stay as long
    // as the budget allows, those after n going first.
    const AVFrame* frame(std::int64_t n, int keep = 0);
    // After frame(n, keep) left out whole pictures the budget holds: decodes the range again,
    // keeping them too.
    void fillBefore(std::int64_t n);
    // How many frames of the range a decoding keeps on memory still in hand since the last
    // release(): fewer than the budget holds, and out sooner after playing.
    int quickKeep() const;
    // Decoding stops as soon as `cancelled` is set (frame() then answers null).
    void setCancel(const std::atomic<bool>* cancelled) { cancelled_ = cancelled; }
    // Called on the decoding thread for each whole picture decoded on the way to the frame asked
    // for (up to it), once kept when it is.
    void onPicture(std::function<void(std::int64_t)> decoded) { onPicture_ = std::move(decoded); }
    // Whether frame n is kept; a new reference to its picture (the caller frees it), or null.
    bool has(std::int64_t n) const;
    AVFrame* copyOf(std::int64_t n) const;
    // Gives back the kept pictures and the decoder's buffers, but for a reserve of memory for the
    // next range (ReserveBytes); the file stays open.
    void release();

    // How many pictures of that size the budget holds.
    static int capacityFor(int width, int height);
    // How many pictures of the open file's size it holds, 0 before open (read from any thread).
    int capacity() const { return capacity_.load(std::memory_order_relaxed); }
    // The budget for the kept pictures (YUV 4:2:0, 1.5 bytes a pixel): 43 pictures at 1080p, 97 at
    // 720p. With the decoder's own pictures and the one shown, a 1080p movie stays under 200 MB.
    // The pictures kept take at most this, or one picture when a single one is larger.
    static constexpr std::int64_t BudgetBytes = 128LL << 20;
    // Kept while playing, for the pictures the first range after it decodes: at 1080p the
    // decoder's own and six kept ones.
    static constexpr std::int64_t ReserveBytes = 32LL << 20;
    // The bytes the kept pictures' buffers take.
    std::int64_t keptBytes() const;

    // The range of frames kept; -1 when none.
    std::int64_t firstKept() const;
    std::int64_t lastKept() const;

private:
    bool startDecoder();
    bool findFirstPicture();
    // Decodes from the keyframe at or before frame n up to n, keeping the last capacity frames.
    bool fill(std::int64_t n, int keep);
    bool reopen();
    bool decodeFrom(std::int64_t seekFrame, std::int64_t n, bool& tooLate);
    std::int64_t frameAt(std::int64_t pts) const;
    std::int64_t ptsOf(std::int64_t frame) const;
    void feed(AVPacket* packet, bool& draining);
    void keep(std::int64_t n, AVFrame* picture);
    void clearKept();
    bool stopped() const { return cancelled_ && cancelled_->load(std::memory_order_relaxed); }
    static int interrupted(void* self);
    // With lock_ held: the picture of frame n, or null.
    const AVFrame* keptLocked(std::int64_t n) const;

    QByteArray path_;
    PictureBuffers buffers_{ReserveBytes};
    AVFormatContext* format_ = nullptr;
    AVCodecContext* decoder_ = nullptr;
    int stream_ = -1;
    double fps_ = 0;
    double timeBase_ = 0;  // seconds per pts unit
    std::int64_t firstPts_ = 0;
    bool firstKnown_ = false;
    std::atomic<int> capacity_{0};  // the pictures of the container's size the budget holds
    const std::atomic<bool>* cancelled_ = nullptr;
    std::function<void(std::int64_t)> onPicture_;
    std::int64_t target_ = 0;  // the frame the decoding under way goes to
    int keep_ = 0;  // how many frames up to it that decoding keeps
    bool cut_ = false;  // it decoded whole pictures before those it keeps
    mutable std::mutex lock_;  // guards kept_ and keptBytes_
    std::int64_t keptBytes_ = 0;
    struct Kept {
        std::int64_t n;
        AVFrame* picture;
    };
    std::deque<Kept> kept_;  // ascending frame numbers
};
