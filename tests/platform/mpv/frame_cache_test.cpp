// The kept pictures stay within their budget however the stream's picture size changes.
#include "platform/mpv/frame_cache.h"

#include "media_clips.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

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
    const struct {
        int frame;
        int width;
    } asks[] = {{78, 3840}, {60, 3840}, {48, 176}, {77, 3840}};
    for (const auto& a : asks) {
        const AVFrame* picture = cache.frame(a.frame);
        ASSERT_NE(picture, nullptr) << "frame " << a.frame;
        EXPECT_EQ(picture->width, a.width) << "frame " << a.frame;
        EXPECT_LE(cache.keptBytes(), FrameCache::BudgetBytes + large * 11 / 10)
            << "frame " << a.frame;
        EXPECT_GT(cache.lastKept() - cache.firstKept(), 0) << "frame " << a.frame;
    }
}

}  // namespace
