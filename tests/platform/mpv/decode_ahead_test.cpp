// Decoding ahead on its own thread: asked for a frame while decoding, switched to another file
// while decoding, and on files that end or fail part way; every picture handed over is exactly
// the frame asked for (the barcode ffmpeg drew into it).
#include "platform/mpv/decode_ahead.h"

#include "media_clips.h"

#include <QFile>
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

#include <vector>

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
        const uchar level = y < 128 ? 0 : 255;
        std::fill_n(pixels.begin() + x * 4, 3, level);
    }
    const int n = MediaClips::barcode(pixels.data(), picture->width, picture->height, 0);
    av_frame_free(&picture);
    return n;
}

TEST(DecodeAheadTest, HandsOverExactlyTheFrameAskedWhateverTheWorkerIsDoing)
{
    MediaClips clips;
    ASSERT_TRUE(clips.makeNumbered(QStringLiteral("gop300.avi"), MediaClips::Numbered::Mpeg4Avi, 11,
                    300, 640, 360) &&
                clips.makeNumbered(QStringLiteral("vcd.mpg"), MediaClips::Numbered::VideoCd, 11))
        << clips.why().toStdString();
    QFile whole(clips.path(QStringLiteral("gop300.avi"))),
        cut(clips.path(QStringLiteral("cut.avi")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));  // frames up to about 160
    cut.close();
    QFile text(clips.path(QStringLiteral("text.avi")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a movie\n") > 0);
    text.close();

    DecodeAhead ahead;
    const struct {
        const char* open;  // null: the file open before
        int request;  // decoding asked ahead of the step; -1: none
        int ask;
        int seen;  // -2: no picture
    } steps[] = {
        {"gop300.avi", 298, 290, 290},  // asked while the range toward 298 is decoded
        {nullptr, -1, 297, 297},
        {nullptr, 320, 299, 299},  // the next range under way: the kept ones still answer
        {nullptr, 320, 5, 5},  // before what is under way and kept
        {"vcd.mpg", 140, 100, 100},  // another file while decoding: only its own pictures
        {"gop300.avi", 298, -1, -2},
        {"cut.avi", 298, 298, -2},  // past where the file fails: none, and no waiting for ever
        {nullptr, -1, 100, 100},
        {"text.avi", 20, 10, -2},
        {"gop300.avi", 100, 99, 99},
    };
    for (const auto& s : steps) {
        const std::string where = std::string(s.open ? s.open : "") + " ask " +
                                  std::to_string(s.ask);
        if (s.open)
            ahead.open(clips.path(QString::fromLatin1(s.open)).toLocal8Bit(), 30000.0 / 1001.0);
        if (s.request >= 0)
            ahead.request(s.request);
        EXPECT_EQ(seen(ahead.picture(s.ask)), s.seen) << where;
        EXPECT_LE(ahead.keptBytes(), FrameCache::BudgetBytes) << where;
    }
    EXPECT_FALSE((ahead.open(clips.path(QStringLiteral("text.avi")).toLocal8Bit(), 25),
        ahead.picture(1), ahead.usable()));
}

}  // namespace
