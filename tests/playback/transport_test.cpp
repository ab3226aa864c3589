// Transport controls: play/pause, stop, frame steps, speed and the position slider.
#include "playback_fixture.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

class Transport : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        openEntries({"/m/a.mpg"});
    }
    // Closes the device behind the program's back: every status reply becomes an error text.
    void loseTheDevice()
    {
        QString reply;
        services.mci.MciSend("close avfile", reply);
        clearSent();
    }
};

TEST_F(Transport, PlayInTheMiddleContinuesWithoutSeeking)
{
    engine.setPosition(40);
    form1->playback->Command2_Click();
    EXPECT_EQ(sent(), QStringList({"status avfile position", "play avfile window"}));
    EXPECT_EQ(caption2(), "II");
    EXPECT_TRUE(engine.isPlaying());
}

TEST_F(Transport, PlayAtTheEndStartsAgainFromTheBeginning)
{
    engine.setPosition(engine.lengthFrames());
    form1->playback->Command2_Click();
    EXPECT_EQ(sent(), QStringList({"status avfile position", "seek avfile to 0", "play avfile window"}));
    EXPECT_EQ(engine.positionFrames(), 0);
}

TEST_F(Transport, PauseStopsAndLeavesTheTimerAlone)
{
    startPlaying();
    form1->playback->Command2_Click();
    EXPECT_EQ(sent(), QStringList({"stop avfile"}));
    EXPECT_EQ(caption2(), "|>");
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_TRUE(form1->Timer1->isActive());
}

TEST_F(Transport, StopGoesBackToTheFirstPicture)
{
    engine.setPosition(90);
    startPlaying();
    form1->playback->Command9_Click();
    EXPECT_EQ(sent(), QStringList({"seek avfile to 0", "play avfile window", "stop avfile"}));
    EXPECT_EQ(caption2(), "|>");
    EXPECT_EQ(engine.positionFrames(), 0);
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_TRUE(form1->Timer1->isActive());
}

TEST_F(Transport, FrameForwardPausesAndStepsOnce)
{
    engine.setPosition(10);
    startPlaying();
    form1->playback->Command5_Click();
    EXPECT_EQ(sent(), QStringList({"stop avfile", "step avfile"}));
    EXPECT_EQ(engine.positionFrames(), 11);
    EXPECT_EQ(caption2(), "|>");
    EXPECT_TRUE(form1->Timer1->isActive());
}

TEST_F(Transport, FrameBackSeeksToTheStartFromTheFirstTwoFrames)
{
    for (int position : {0, 1}) {
        engine.setPosition(position);
        clearSent();
        form1->playback->Command6_Click();
        EXPECT_EQ(sent(), QStringList({"stop avfile", "status avfile position", "seek avfile to 0",
                                       "play avfile window", "stop avfile"}))
            << position;
        EXPECT_EQ(engine.positionFrames(), 0);
    }
    engine.setPosition(2);
    clearSent();
    form1->playback->Command6_Click();
    EXPECT_EQ(sent(), QStringList({"stop avfile", "status avfile position", "step avfile reverse"}));
    EXPECT_EQ(engine.positionFrames(), 1);
    EXPECT_EQ(caption2(), "|>");
    EXPECT_TRUE(form1->Timer1->isActive());
}

// The stop has gone out before the position turns out to be no number: the caption says
// stopped, as the device is.
TEST_F(Transport, FrameBackWithoutANumberLeavesCaptionAndDeviceStopped)
{
    startPlaying();
    loseTheDevice();
    form1->playback->Command6_Click();
    EXPECT_EQ(sent(), QStringList({"stop avfile", "status avfile position"}));
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_EQ(caption2(), "|>");
    EXPECT_TRUE(form1->Timer1->isActive());
}

TEST_F(Transport, FasterAndSlowerWalkTheSpeedStepsAndWrapToNormal)
{
    QStringList faster, slower;
    for (int i = 0; i < 5; ++i) {
        clearSent();
        form1->playback->Command3_Click();
        ASSERT_EQ(sent().size(), 2);
        EXPECT_EQ(sent()[0], "status avfile speed");
        faster << sent()[1];
    }
    EXPECT_EQ(faster, QStringList({"set avfile speed 1250", "set avfile speed 1500",
                                   "set avfile speed 1750", "set avfile speed 2000",
                                   "set avfile speed 1000"}));
    for (int i = 0; i < 4; ++i) {
        clearSent();
        form1->playback->Command14_Click();
        slower << sent().value(1);
    }
    EXPECT_EQ(slower, QStringList({"set avfile speed 750", "set avfile speed 500",
                                   "set avfile speed 250", "set avfile speed 1000"}));
    EXPECT_EQ(engine.speed(), 1.0);
}

TEST_F(Transport, OffGridSpeedMovesByTheSameStep)
{
    engine.setCurrentSpeed(1.1);
    form1->playback->Command3_Click();
    EXPECT_EQ(sent().last(), "set avfile speed 1350");
    engine.setCurrentSpeed(0.3);
    form1->playback->Command14_Click();
    EXPECT_EQ(sent().last(), "set avfile speed 1000");
}

TEST_F(Transport, SpeedButtonsWithoutANumberSendNothingFurther)
{
    loseTheDevice();
    form1->playback->Command3_Click();
    form1->playback->Command14_Click();
    EXPECT_EQ(sent(), QStringList({"status avfile speed", "status avfile speed"}));
}

TEST_F(Transport, SliderSeeksWithTwoBlanksAndScalesLongMovies)
{
    struct Case {
        int length, value;
        QString seek;
    };
    // Up to 30000 the value is the position; above, the value is scaled from 0..30000 onto the
    // length (60000 at the middle is 30000; 29999 of 30001 is 29999.99997 -> 30000).
    const std::vector<Case> cases = {{30000, 12345, "seek avfile to  12345"},
                                     {60000, 15000, "seek avfile to  30000"},
                                     {30001, 29999, "seek avfile to  30000"},
                                     {90000, 1, "seek avfile to  3"}};
    for (const Case& c : cases) {
        engine.setLength(c.length);
        form1->playback->List2_Click();
        form1->HScroll1->setValue(0);
        clearSent();
        form1->HScroll1->setValue(c.value);
        EXPECT_EQ(sent(), QStringList({c.seek})) << c.length << " " << c.value;
        EXPECT_EQ(form1->playback->seek_lock, 0);
        EXPECT_TRUE(form1->Timer1->isActive());
    }
}

TEST_F(Transport, SliderWhilePlayingGoesOnPlaying)
{
    startPlaying();
    form1->HScroll1->setValue(20);
    EXPECT_EQ(sent(), QStringList({"seek avfile to  20", "play avfile window"}));
    EXPECT_TRUE(engine.isPlaying());
    EXPECT_EQ(engine.positionFrames(), 20);
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
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.pageStep = slider.pageStep();
    const QPoint thumb =
        slider.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &slider).center();

    QTest::mousePress(&slider, Qt::LeftButton, {}, thumb);
    int value = slider.Value();
    for (int dx : {30, 60, 90}) {
        clearSent();
        QTest::mouseMove(&slider, thumb + QPoint(dx, 0));
        ASSERT_GT(slider.Value(), value) << dx;
        value = slider.Value();
        EXPECT_EQ(sent(), QStringList({"seek avfile to  " + QString::number(value), "play avfile window"}))
            << dx;
    }

    clearSent();
    for (int tick = 0; tick < 3; ++tick) {
        engine.setPosition(value + 5 * (tick + 1));  // the movie plays on
        form1->playback->Timer1_Timer();
    }
    EXPECT_EQ(sent(), QStringList({"status avfile position", "status avfile speed",
                                   "status avfile position", "status avfile speed",
                                   "status avfile position", "status avfile speed"}));
    EXPECT_EQ(slider.Value(), value);

    clearSent();
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, thumb + QPoint(90, 0));
    EXPECT_EQ(sent(), QStringList({"seek avfile to  " + QString::number(value), "play avfile window"}));
    EXPECT_EQ(engine.positionFrames(), value);
}

}  // namespace
