// Picture geometry: reading device rectangles, stored size / 4:3, halving, doubling, typed sizes.
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "playback_fixture.h"

#include <functional>

namespace {

class GeometryTest : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        openEntries({"/m/a.mpg"});
        windows.moves.clear();
    }
    // The video window at (10, 10) in w x h, the movie window 345 twips larger.
    void expectPlaced(int w, int h)
    {
        ASSERT_FALSE(windows.moves.empty());
        EXPECT_EQ(lastMove(), (FakeWindowLayer::Move{FakeMediaEngine::DefaultVideoWindow, 10, 10, w, h, true}));
        EXPECT_EQ(QSize(form2().Width(), form2().Height()), QSize(w * 15 + 345, h * 15 + 345));
    }
};

TEST(WindXywh, ReadsFourNumbersAndLeavesMissingOnesZero)
{
    using Rect = std::array<std::int32_t, 4>;
    const std::pair<QString, Rect> cases[] = {
        {"5 7 320 240", {5, 7, 320, 240}}, {"0 0 352", {0, 0, 352, 0}},       {"12", {12, 0, 0, 0}},
        {"", {0, 0, 0, 0}},                {"デバイスが開かれていません", {}}, {"1 2 3.5 4.5", {1, 2, 4, 4}},
        {"0 0 352 240 9", {0, 0, 352, 240}},
    };
    for (const auto& [reply, expected] : cases) {
        Rect r{-1, -1, -1, -1};
        Geometry::wind_xywh(reply, r[0], r[1], r[2], r[3]);
        EXPECT_EQ(r, expected) << reply.toStdString();
    }
}

TEST_F(GeometryTest, StoredSizeAndFourThreeAlternate)
{
    engine.setSourceSize({352, 240});
    form1->Command4->click();
    EXPECT_EQ(sent(), QStringList({"where avfile source", "status avfile window handle"}));
    EXPECT_EQ(form1->Command4->text(), "4:3");
    expectPlaced(352, 240);
    const QLabel* strip = form2().Label1;  // the strip follows the window
    EXPECT_EQ(strip->geometry(), QRect(qRound(130 / 15.0), qRound((3945 - 200) / 15.0), qRound(5625 / 15.0), strip->height()));

    clearSent();
    form1->Command4->click();
    EXPECT_EQ(sent(), QStringList({"status avfile window handle"}));
    EXPECT_EQ(form1->Command4->text(), "Org");
    expectPlaced(320, 240);
}

// Halving and doubling, by button or menu item, from the device's current picture size (halves
// to even). A half under 80 wide, or a double not narrower than the screen (the height is not
// checked), is refused and changes nothing on the screen.
TEST_F(GeometryTest, HalvingAndDoubling)
{
    windows.screen = {1024, 768};
    const std::function<void()> halve[] = {[&] { form1->Command7->click(); },
                                           [&] { form2().me_wari->trigger(); }};
    const std::function<void()> twice[] = {[&] { form1->Command8->click(); },
                                           [&] { form2().me_kake->trigger(); }};
    const struct { QSize picture; std::function<void()> press; int w, h; bool applied; } cases[] = {
        {{175, 131}, halve[0], 88, 66, true},     {{165, 123}, halve[1], 82, 62, true},
        {{160, 120}, halve[0], 80, 60, true},     {{158, 118}, halve[1], 79, 59, false},
        {{511, 600}, twice[0], 1022, 1200, true}, {{512, 384}, twice[1], 1024, 768, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
        engine.setDestinationSize(c.picture);
        windows.moves.clear();
        const int widthBefore = form2().Width();
        clearSent();
        c.press();
        EXPECT_EQ(sent().first(), "where avfile destination");
        EXPECT_EQ(QSize(form1->geometry->mov_w, form1->geometry->mov_h), QSize(c.w, c.h));
        EXPECT_EQ(windows.moves.size(), c.applied ? 1u : 0u);
        EXPECT_EQ(form2().Width(), c.applied ? c.w * 15 + 345 : widthBefore);
    }
}

TEST_F(GeometryTest, TypedSizesOfTheSizeDialog)
{
    engine.setSourceSize({352, 288});
    const struct { std::int16_t flag; QString w, h; int expectW, expectH; } cases[] = {
        {1, "322", "", 322, 242},  // 241.5 -> 242
        {1, "318", "", 318, 238},  // 238.5 -> 238
        {2, "400", "123", 400, 123},
        {4, "", "", 352, 288},
        {3, "999", "999", 320, 240},
        {7, "", "", 320, 240},
    };
    for (const auto& c : cases) {
        form1->geometry->re_size(c.flag, c.w, c.h);
        expectPlaced(c.expectW, c.expectH);
    }
}

TEST_F(GeometryTest, PlacementWithoutAVideoWindowStillShapesTheMovieWindow)
{
    QString reply;
    mci.MciSend("close avfile", reply);  // the handle query now answers an error text
    form1->geometry->re_size(2, "200", "100");
    EXPECT_TRUE(windows.moves.empty());
    EXPECT_EQ(form2().Width(), 200 * 15 + 345);
    EXPECT_EQ(form2().Height(), 100 * 15 + 345);
}

}  // namespace
