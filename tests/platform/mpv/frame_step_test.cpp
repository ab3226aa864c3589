// Frame steps over the real libmpv engine, checked after every command by the position the
// channel reports and by the frame number read off the screen (a barcode ffmpeg draws into every
// frame): what the movie window shows, whether mpv drew it or a decoded picture covers mpv's.
// Runs on an X server of its own (run_in_xvfb.sh), with mpv's usual video output and ao=null.
// Checks: mpv_engine.cpp, frame_stepper.cpp, back_step_picture.cpp, decode_ahead.cpp,
// frame_cache.cpp, picture_cover.cpp (src/platform/mpv).
#include "platform/mpv/frame_cache.h"
#include "platform/mpv/picture_cover.h"

#include "engine_fixture.h"

#include <QScreen>
#include <mpv/client.h>

namespace {

using Numbered = MediaClips::Numbered;
struct Clip {
    const char* name;
    Numbered kind;
    int gop;  // asked of ffmpeg; 0: the Video-CD default
    int range;  // frames from one keyframe to the next
    int width = 1280, height = 720;
};
// 11 s: 329 frames, past the second keyframe of the long GOP. H.264 decodes its B-frames out of
// order. WebM and Matroska keep times in milliseconds, not in frames.
const Clip Clips[] = {{"numbered.mpg", Numbered::VideoCd, 0, 18},
    {"gop15.mpeg", Numbered::Mpeg2, 15, 15}, {"gop300.avi", Numbered::Mpeg4Avi, 300, 300},
    {"gop24.mp4", Numbered::H264Mp4, 24, 24}, {"gop24.webm", Numbered::Vp9WebM, 24, 24, 640, 360},
    {"gop30.mkv", Numbered::H264Mkv, 30, 30, 640, 360}};

// Play: play a few frames, then stop. Glance: play and stop at once, which leaves the picture.
// Presses: the command sent |arg| times in a row, nothing checked in between (steps that come
// while the range before the picture is still being decoded).
// Drag, DragPlaying: seeks on to `arg` in a row, as a dragged slider sends them (each followed by
// a play while playing); each answer must be its target at once, before any picture came.
enum Kind { Step, Seek, Play, Glance, Presses, Drag, DragPlaying };
struct Action {
    Kind kind;
    const char* cmd;
    int arg;  // how far the command moves, or where the seek goes
};
// Steps around whatever else the user does: seeks, speed changes, play and stop.
const Action Around[] = {
    {Drag, "", 310},
    {Step, "step avfile reverse", -1},
    {DragPlaying, "", 200},
    {Step, "step avfile reverse", -1},
    {Seek, "seek avfile to 299", 299},
    {Presses, "step avfile reverse", -3},
    {Presses, "step avfile", 2},
    {Seek, "seek avfile to 310", 310},
    {Presses, "step avfile reverse", -14},  // across the keyframe at 300
    {Seek, "seek avfile to 302", 302},
    {Step, "step avfile reverse", -1},
    {Step, "step avfile reverse", -1},
    {Step, "set avfile speed 1500", 0},
    {Step, "step avfile", 1},
    {Step, "step avfile reverse", -1},
    {Glance, "", 0},
    {Step, "step avfile reverse", -1},
    {Play, "", 0},
    {Step, "step avfile reverse", -1},
    {Step, "step avfile", 1},
    {Step, "stop avfile", 0},
    {Step, "step avfile reverse", -1},
    {Step, "set avfile speed 1000", 0},
    {Seek, "seek avfile to 1", 1},
    {Step, "step avfile reverse", -1},
    {Step, "step avfile reverse", 0},
    {Step, "step avfile", 1},
    {Play, "", 0},
    {Step, "step avfile reverse", -1},
};

class FrameStepTest : public EngineFixture, public ::testing::WithParamInterface<Clip> {
protected:
    static void SetUpTestSuite()
    {
        for (const Clip& c : Clips)
            clips().makeNumbered(QString::fromLatin1(c.name), c.kind, 11, c.gop, c.width, c.height);
    }

    // Stepping mutes the sound and cuts the picture loose from it: playing, or the next file in
    // the same player, has both back.
    void expectSoundBack()
    {
        for (const auto& [name, value] : {std::pair{"mute", "no"}, {"video-sync", "audio"}}) {
            char* now = mpv_get_property_string(engine.handle(), name);
            EXPECT_STREQ(now, value) << name;
            mpv_free(now);
        }
    }
    // Carries out `a` and checks that position and picture agree with where it had to go; the
    // length is the end, which shows the last frame.
    void run(const Action& a, const std::string& where)
    {
        if (a.kind == Play) {
            const int from = position();
            ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
            waitUntil([&] { return position() >= from + 5; });
            expectSoundBack();
            ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
            expected = position();  // where playing stopped: the picture must agree
        } else if (a.kind == Drag || a.kind == DragPlaying) {
            const bool playing = a.kind == DragPlaying;
            const auto playIf = [&] {
                if (playing) {
                    ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
                }
            };
            playIf();
            for (int target = a.arg - 11 * 15; target <= a.arg; target += 15) {
                ASSERT_EQ(send(QStringLiteral("seek avfile to %1").arg(target)), 0) << where;
                playIf();
                const int now = position();
                EXPECT_TRUE(playing ? now >= target && now < target + 15 : now == target)
                    << where << "seek to " << target << " answered " << now;
            }
            if (playing) {
                ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
            }
            expected = playing ? position() : a.arg;
            EXPECT_GE(expected, a.arg) << where;
        } else if (a.kind == Glance) {
            ASSERT_EQ(send(QStringLiteral("play avfile")), 0);
            ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
        } else {
            const int times = a.kind == Presses ? std::abs(a.arg) : 1;
            for (int i = 0; i < times; ++i)
                ASSERT_EQ(send(QString::fromLatin1(a.cmd)), 0) << where << reply.toStdString();
            expected = a.kind == Seek ? a.arg : std::clamp(expected + a.arg, 0, length);
        }
        EXPECT_EQ(position(), expected) << where << a.cmd;
        // The frame number on the screen, in the movie window's place. mpv draws a moment after it
        // answers, and a step back's picture may still be decoding: the screen is read until it
        // shows the frame (or long after it should have).
        const int frame = std::min(expected, length - 1);
        const QPoint at = host.mapToGlobal(QPoint(0, 0));
        const QSize size = engine.sourceSize();
        int seen = -1;
        waitUntil([&] {
            const QPixmap shown = host.screen()->grabWindow(
                0, at.x(), at.y(), size.width(), size.height());
            return (seen = barcodeOf(shown.toImage())) == frame;
        });
        EXPECT_EQ(seen, frame) << where << a.cmd;
    }

    int length = 0;
    int expected = 0;
};

TEST_P(FrameStepTest, EveryStepShowsAndReportsExactlyTheNextFrame)
{
    ASSERT_EQ(open(QString::fromLatin1(GetParam().name), ""), 0) << reply.toStdString();
    length = ask(QStringLiteral("status avfile length")).toInt();
    ASSERT_GT(length, 320);
    // 31 steps each way: from the first frame, across the keyframe at 300 (and the short GOPs'
    // every few frames), onto the last frame and the end.
    for (const int start : {0, 285, length - 31}) {
        const std::string where = "from " + std::to_string(start) + ": ";
        const QByteArray seek = "seek avfile to " + QByteArray::number(start);
        run({Seek, seek.constData(), start}, where);
        for (const Action& a : {Action{Step, "step avfile", 1}, {Step, "step avfile reverse", -1}})
            for (int i = 0; i < 31; ++i)
                run(a, where);
    }
    for (std::size_t i = 0; i < std::size(Around); ++i)
        run(Around[i], "action " + std::to_string(i) + ": ");
    EXPECT_EQ(bell.beeps, 0);
    run({Step, "step avfile", 1}, "before closing: ");
    // Closed while a step back's picture is being decoded: the next movie shows its own.
    run({Seek, "seek avfile to 299", 299}, "before closing: ");
    ASSERT_EQ(send(QStringLiteral("step avfile reverse")), 0);
    ASSERT_EQ(send(QStringLiteral("close avfile")), 0);
    ASSERT_EQ(open(QStringLiteral("numbered.mpg"), ""), 0) << reply.toStdString();
    expectSoundBack();
    expected = 0;
    run({Step, "status avfile mode", 0}, "the next movie: ");
}

// Steps back show these pictures: each must be exactly the frame asked for, and one decoding must
// serve the steps back through its range.
TEST_P(FrameStepTest, DecodedPicturesAreTheFramesAsked)
{
    const int range = GetParam().range;
    FrameCache cache;
    ASSERT_TRUE(cache.open(
        clips().path(QString::fromLatin1(GetParam().name)).toLocal8Bit(), 30000.0 / 1001.0));
    QWidget video;
    video.resize(640, 360);
    PictureCover cover(&video);
    const auto seen = [&](const AVFrame* picture) {
        return picture && cover.cover(picture) ? barcodeOf(cover.grab().toImage()) : -2;
    };
    // In this order: a range from the first picture, then the first picture, a keyframe, the
    // last of the 329 frames; past the end and before the start, none (-2).
    for (const int n : {range - 1, 0, range, range + 3, 328, 330, -1})
        EXPECT_EQ(seen(cache.frame(n)), n >= 0 && n < 329 ? n : -2) << "frame " << n;

    // The picture follows the window's size.
    video.resize(320, 180);
    const QImage resized = cover.grab().toImage();
    EXPECT_EQ(std::tuple(resized.size(), barcodeOf(resized)), std::tuple(QSize(320, 180), 328));

    ASSERT_EQ(seen(cache.frame(range - 1)), range - 1);
    const std::int64_t first = cache.firstKept();
    EXPECT_LE(first, range - 15);
    for (int n = range - 2; n >= first; --n) {
        EXPECT_EQ(seen(cache.frame(n)), n);
        EXPECT_EQ(cache.firstKept(), first) << "decoded again for frame " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, FrameStepTest, ::testing::ValuesIn(Clips));

}  // namespace
