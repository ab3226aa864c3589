// Decoding ahead on its own thread: frames wanted while decoding (several in a row, as presses
// come), switched to another file while decoding or while a frame is waited for, and on files that
// end or fail part way; every picture handed over is exactly the frame asked for (the barcode
// ffmpeg drew into it), and every frame waited for is either handed over or refused.
// Checks: decode_ahead.cpp, frame_cache.cpp, picture_buffers.cpp (src/platform/mpv).
#include "platform/mpv/decode_ahead.h"

#include "media_clips.h"

#include <gtest/gtest.h>
#include <chrono>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

// The barcode of a decoded picture, read off its luma (black or white blocks).
int seen(AVFrame* picture)
{
    if (!picture)
        return -2;
    const int row = picture->height / 16;
    std::vector<uchar> pixels(std::size_t(picture->width) * 4);
    for (int x = 0; x < picture->width; ++x) {
        const uchar y = picture->data[0][row * picture->linesize[0] + x];
        std::fill_n(pixels.begin() + x * 4, 3, y < 128 ? 0 : 255);
    }
    const int n = MediaClips::barcode(pixels.data(), picture->width, picture->height, 0);
    av_frame_free(&picture);
    return n;
}

// The worker's news counted, and a frame taken as a step takes it: at once when kept, else once
// the worker has news of it.
struct Waiter {
    std::mutex mutex;
    std::condition_variable told;
    int news = 0;
    DecodeAhead ahead{[this] {
        std::lock_guard<std::mutex> lock(mutex);
        ++news;
        told.notify_all();
    }};

    AVFrame* picture(std::int64_t n)
    {
        while (true) {
            std::unique_lock<std::mutex> lock(mutex);
            const int before = news;
            lock.unlock();
            switch (ahead.want(n)) {
            case DecodeAhead::Wanted::Never:
                return nullptr;
            case DecodeAhead::Wanted::Kept:
                if (AVFrame* picture = ahead.kept(n))
                    return picture;
                continue;  // given back meanwhile: wanted again
            case DecodeAhead::Wanted::Coming:
                lock.lock();
                // Generous: the worker runs at low priority on a machine that may be busy.
                if (!told.wait_for(lock, std::chrono::seconds(60), [&] { return news != before; }))
                    return nullptr;
            }
        }
    }
};

TEST(DecodeAheadTest, HandsOverExactlyTheFrameAskedWhateverTheWorkerIsDoing)
{
    MediaClips clips;
    ASSERT_TRUE(clips.makeNumbered(QStringLiteral("gop300.avi"), MediaClips::Numbered::Mpeg4Avi, 11,
                    300, 640, 360) &&
                clips.makeNumbered(QStringLiteral("vcd.mpg"), MediaClips::Numbered::VideoCd, 11))
        << clips.why().toStdString();
    const QByteArray whole = MediaClips::readFile(clips.path("gop300.avi"));
    ASSERT_TRUE(MediaClips::writeFile(clips.path("cut.avi"), whole.left(whole.size() / 2)) &&
                MediaClips::writeFile(clips.path("text.avi"), "not a movie\n"));  // cut: to ~160
    const auto file = [&](const char* name) { return clips.path(name).toLocal8Bit(); };

    Waiter waiter;
    DecodeAhead& ahead = waiter.ahead;
    const struct {
        const char* open;  // null: the file open before
        int request;  // decoding asked ahead of the step; -1: none
        int pressed;  // frames wanted before, one a step back, without waiting; 0: none
        int ask;
        int seen;  // -2: no picture; -3: wanted, not waited for
    } steps[] = {
        {"gop300.avi", 298, 0, 290, 290},  // asked while the range toward 298 is decoded
        {nullptr, -1, 0, 297, 297},
        {"gop300.avi", 298, 0, 150, 150},  // before the frames a range keeps first
        {nullptr, 320, 0, 299, 299},  // the next range under way: the kept ones still answer
        {nullptr, 320, 0, 5, 5},  // before what is under way and kept
        {"gop300.avi", 298, 6, 292, 292},  // steps back pressed while the range is decoded
        {"gop300.avi", 310, 12, 298, 298},  // ... and across the keyframe at 300
        {"vcd.mpg", 140, 0, 100, 100},  // another file while decoding: only its own pictures
        {"gop300.avi", 298, 0, -1, -2},
        {"gop300.avi", -1, 0, 250, -3},  // left waiting for 250 ...
        {"vcd.mpg", -1, 0, 120, 120},  // ... when another file opens
        {"cut.avi", 298, 0, 298, -2},  // past where the file fails: none, and no waiting for ever
        {nullptr, -1, 0, 100, 100},
        {nullptr, -1, 2, 297, -2},  // presses past where it fails
        {"text.avi", 20, 0, 10, -2},
        {"gop300.avi", 100, 0, 99, 99},
    };
    for (const auto& s : steps) {
        const std::string where = std::string(s.open ? s.open : "") + " ask " +
                                  std::to_string(s.ask);
        if (s.open)
            ahead.open(file(s.open), 30000.0 / 1001.0);
        if (s.request >= 0)
            ahead.request(s.request);
        for (int i = s.pressed; i > 0; --i)
            ahead.want(s.ask + i);
        if (s.seen == -3)
            ahead.want(s.ask);
        else
            EXPECT_EQ(seen(waiter.picture(s.ask)), s.seen) << where;
        EXPECT_LE(ahead.keptBytes(), FrameCache::BudgetBytes) << where;
    }
    EXPECT_FALSE((ahead.open(file("text.avi"), 25), waiter.picture(1), ahead.usable()));

    // A picture handed over outlives the decoder and its memory: the window shows it on.
    AVFrame* held = nullptr;
    {
        Waiter other;
        other.ahead.open(file("gop300.avi"), 30000.0 / 1001.0);
        held = other.picture(40);
        other.ahead.release();
    }
    EXPECT_EQ(seen(held), 40);
}

// The kept pictures stay within their budget however the stream's picture size changes:
// 50 frames of 176x144 (what the container reports), then 30 of 3840x2160 (frames 50 to 78 are
// counted; the first of them comes without a time): a keyframe range of
// 4K pictures that the small size's count would keep whole (about 370 MB).
TEST(FrameCacheTest, KeptPicturesStayWithinTheBudgetWhenThePictureSizeGrows)
{
    MediaClips clips;
    ASSERT_TRUE(clips.makeSizeChanging(QStringLiteral("sizes.mpg"), 50, 30))
        << clips.why().toStdString();
    FrameCache cache;
    ASSERT_TRUE(cache.open(clips.path(QStringLiteral("sizes.mpg")).toLocal8Bit(), 25));
    const std::int64_t large = 3840LL * 2160 * 3 / 2;
    for (const auto& [frame, width] : {std::pair{78, 3840}, {60, 3840}, {48, 176}, {77, 3840}}) {
        SCOPED_TRACE(frame);
        const AVFrame* picture = cache.frame(frame);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width, width);
        EXPECT_LE(cache.keptBytes(), FrameCache::BudgetBytes + large * 11 / 10);
        EXPECT_GT(cache.lastKept() - cache.firstKept(), 0);
    }
}

}  // namespace
