// Transport controls: play/pause, stop, frame steps, speed and the position slider, pressed the
// way the user presses them: the buttons, or the movie window's menu items.
#include "form_fixture.h"

namespace {

class Transport : public FormFixture {
protected:
    void SetUp() override
    {
        load();
        start({"/m/a.mpg"}, 0);
    }
};

// Each press from a position, playing or not: what it sends, and the caption, the device's state
// and its position after it. The position timer runs on after every one of them. The stop of a
// frame back has gone out before the position turns out to be no number (the device lost): the
// caption says stopped, as the device is.
TEST_F(Transport, PressesSendTheirCommands)
{
    const auto play = press(form1->Command2), playFromMenu = press(form2().me_s_t),
               stop = press(form2().me_teisi), forward = press(form1->Command5),
               back = press(form1->Command6);
    const QStringList backToStart = {"stop avfile", "status avfile position", "seek avfile to 0",
        "play avfile window", "stop avfile"};
    const struct {
        const char* what;
        int position;
        bool playing;
        std::function<void()> press;
        QStringList sent;
        const char* caption;
        bool playingAfter;
        int positionAfter;
        bool lost = false;
    } cases[] = {
        {"play in the middle", 40, false, play, {"status avfile position", "play avfile window"},
            "II", true, 40},
        {"play at the end starts again", 150, false, playFromMenu,
            {"status avfile position", "seek avfile to 0", "play avfile window"}, "II", true, 0},
        {"pause", 40, true, play, {"stop avfile"}, "|>", false, 40},
        {"stop", 90, true, stop, {"seek avfile to 0", "play avfile window", "stop avfile"}, "|>",
            false, 0},
        {"frame forward", 10, true, forward, {"stop avfile", "step avfile"}, "|>", false, 11},
        {"frame back from 1", 1, true, back, backToStart, "|>", false, 0},
        {"frame back from 2", 2, true, back,
            {"stop avfile", "status avfile position", "step avfile reverse"}, "|>", false, 1},
        {"frame back, the device lost", 2, true, back, {"stop avfile", "status avfile position"},
            "|>", false, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        engine.setPosition(c.position);
        engine.setPlaying(c.playing);
        form1->Command2->setText(c.playing ? "II" : "|>");
        if (c.lost) {  // closed behind the program's back: every status reply is an error text
            QString reply;
            mci.MciSend("close avfile", reply);
        }
        clearSent();
        c.press();
        EXPECT_EQ(std::tuple(sent(), caption2(), engine.isPlaying(), engine.positionFrames(),
                      form1->Timer1->isActive()),
            std::tuple(
                c.sent, QString(c.caption), c.playingAfter, std::int64_t(c.positionAfter), true));
    }
}

// The eight speeds the buttons reach have their captions; any other keeps the last one. Faster and
// slower move by 250 from the device's speed, and past either end fall back to normal.
TEST_F(Transport, SpeedLabelAndStepsWrapToNormal)
{
    QPushButton *faster = form1->Command3, *slower = form1->Command14;
    const std::tuple<double, QString, QPushButton*, int> cases[] = {{0.25, "|>|> -3", slower, 1000},
        {0.5, "|>|> -2", slower, 250}, {0.75, "|>|> -1", slower, 500},
        {1.0, "|>|> ±0", slower, 750}, {1.0, "|>|> ±0", faster, 1250},
        {1.25, "|>|> ＋1", faster, 1500}, {1.5, "|>|> ＋2", faster, 1750},
        {1.75, "|>|> ＋3", faster, 2000}, {2.0, "|>|> ＋4", faster, 1000},
        {1.1, "|>|> ＋4", faster, 1350}};
    for (const auto& [speed, caption, button, set] : cases) {
        engine.setCurrentSpeed(speed);
        form1->playback->Timer1_Timer();
        clearSent();
        button->click();
        EXPECT_EQ(std::tuple(form1->Label3->text(), sent()),
            std::tuple(caption,
                QStringList({"status avfile speed", "set avfile speed " + QString::number(set)})))
            << speed;
    }
}

// Up to 30000 frames the slider is the position; above, it is scaled (0..30000 onto the length)
// and its steps grow with it. The timer's update of the slider does not seek; the user's seeks,
// with two blanks.
TEST_F(Transport, SliderFollowsThePositionAndSeeksInBothScales)
{
    const struct {
        int length, position, value, small, large, moved;
        QString seek;
    } cases[] = {{30000, 29999, 29999, 10, 50, 12345, "seek avfile to  12345"},
        {60000, 45000, 22500, 30, 150, 15000, "seek avfile to  30000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        engine.setLength(c.length);
        form1->playback->List2_Click();
        engine.setPosition(c.position);
        clearSent();
        form1->playback->Timer1_Timer();
        EXPECT_EQ(
            std::tuple(form1->HScroll1->Value(), form1->HScroll1->Max(),
                form1->HScroll1->SmallChange(), form1->HScroll1->LargeChange(), sent().size()),
            std::tuple(c.value, 30000, c.small, c.large, 2));
        clearSent();
        form1->HScroll1->setValue(c.moved);
        EXPECT_EQ(sent(), QStringList({c.seek}));
    }
}

// The user drags the thumb of the real slider with the mouse: every movement seeks to where the
// thumb now is (and goes on playing); while the thumb is held, the position tick neither seeks
// nor moves it; letting go settles there.
TEST_F(Transport, DraggingTheThumbSeeksWhereItIsAndTheTickLeavesItAlone)
{
    ScrollBar& slider = *form1->HScroll1;
    slider.resize(320, 20);
    startPlaying();
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = Qt::Horizontal;
    option.maximum = slider.maximum();
    option.pageStep = slider.pageStep();
    const QPoint thumb = slider.style()
                             ->subControlRect(
                                 QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &slider)
                             .center();

    const auto seekTo = [](int value) {
        return QStringList({"seek avfile to  " + QString::number(value), "play avfile window"});
    };
    QTest::mousePress(&slider, Qt::LeftButton, {}, thumb);
    int value = slider.Value();
    for (int dx : {30, 60, 90}) {
        clearSent();
        QTest::mouseMove(&slider, thumb + QPoint(dx, 0));
        ASSERT_GT(slider.Value(), value) << dx;
        value = slider.Value();
        EXPECT_EQ(sent(), seekTo(value)) << dx;
    }

    for (int tick = 1; tick <= 3; ++tick) {
        clearSent();
        engine.setPosition(value + 5 * tick);  // the movie plays on
        form1->playback->Timer1_Timer();
        EXPECT_EQ(std::tuple(sent(), slider.Value()),
            std::tuple(QStringList({"status avfile position", "status avfile speed"}), value));
    }

    clearSent();
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, thumb + QPoint(90, 0));
    EXPECT_EQ(std::tuple(sent(), engine.positionFrames()), std::tuple(seekTo(value), value));
}

}  // namespace
