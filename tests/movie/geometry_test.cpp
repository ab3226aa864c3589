// Picture geometry: reading device rectangles, stored size / 4:3, halving, doubling, typed sizes.
// Checks: geometry.cpp, geometry_helpers.cpp, form2.cpp (src/movie).
#include "form_fixture.h"

#include <gmock/gmock.h>

// Command4 alternates the stored size and 4:3. Halving and doubling, by button or menu item, from
// the device's current picture size (halves to even); a half under 80 wide, or a double not
// narrower than the screen (the height is not checked), is refused and changes nothing on the
// screen. The size dialog's kinds of size: typed width with the source's shape (halves to even),
// typed width and height, the source's size, and 4:3 for any other kind.
TEST_F(StartedForm, StoredSizeFourThreeHalvingDoublingAndTypedSizes)
{
    start({"/m/a.mpg"}, 0);
    engine.setSourceSize({352, 240});
    const std::tuple<QStringList, QString, int> presses[] = {
        {{"where avfile source", "status avfile window handle"}, "4:3", 352},
        {{"status avfile window handle"}, "Org", 320}};
    for (const auto& [commands, caption, width] : presses) {
        clearSent();
        windows.moves.clear();
        form1->Command4->click();
        // The video window at (10, 10), the movie window 345 twips larger, the strip following
        // the window 130 twips in.
        const QLabel* strip = form2().Label1;
        EXPECT_THAT(std::tuple(sent(), form1->Command4->text(), windows.moves,
                        QSize(form2().Width(), form2().Height()), strip->geometry()),
            testing::FieldsAre(commands, caption,
                std::vector<FakeWindowLayer::Move>{
                    {FakeMediaEngine::DefaultVideoWindow, 10, 10, width, 240, true}},
                QSize(width * 15 + 345, 240 * 15 + 345),
                QRect(qRound(130 / 15.0), qRound((3945 - 200) / 15.0),
                    qRound((width * 15 + 345) / 15.0), strip->height())));
    }

    windows.screen = {1024, 768};
    engine.setSourceSize({352, 288});
    const auto typed = [&](std::int16_t flag, QString w, QString h) {
        return std::function<void()>([=, this] { form1->geometry->re_size(flag, w, h); });
    };
    // The device's picture size, the press, the size asked for, whether it was applied.
    const std::tuple<QSize, std::function<void()>, int, int, bool> cases[] = {
        {{175, 131}, press(form1->Command7), 88, 66, true},
        {{165, 123}, press(form2().me_wari), 82, 62, true},
        {{158, 118}, press(form2().me_wari), 79, 59, false},
        {{511, 600}, press(form1->Command8), 1022, 1200, true},
        {{512, 384}, press(form2().me_kake), 1024, 768, false},
        {{}, typed(1, "322", ""), 322, 242, true},  // 241.5 -> 242
        {{}, typed(2, "400", "123"), 400, 123, true},
        {{}, typed(4, "", ""), 352, 288, true},  // Command4 offers 4:3 next
        {{}, typed(3, "999", "999"), 320, 240, true},  // Command4 offers the stored size next
        {{}, typed(7, "", ""), 320, 240, true},
    };
    for (const auto& [picture, press, w, h, applied] : cases) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        engine.setDestinationSize(picture);
        windows.moves.clear();
        const QSize before(form2().Width(), form2().Height());
        press();
        const FakeWindowLayer::Move placed{FakeMediaEngine::DefaultVideoWindow, 10, 10, w, h, true};
        EXPECT_EQ(std::tuple(QSize(form1->geometry->mov_w, form1->geometry->mov_h), windows.moves,
                      QSize(form2().Width(), form2().Height()), form1->Command4->text()),
            std::tuple(QSize(w, h),
                applied ? std::vector{placed} : std::vector<FakeWindowLayer::Move>(),
                applied ? QSize(w * 15 + 345, h * 15 + 345) : before, w == 352 ? "4:3" : "Org"));
    }
}
