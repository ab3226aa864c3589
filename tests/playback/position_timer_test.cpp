// The position timer: slider, labels, the end-of-movie rules, the frame/time switch and the
// previous/next buttons.
#include "controls/menu_item.h"
#include "playback/label_caption.h"
#include "playback_fixture.h"

#include <QSignalBlocker>
#include <functional>

namespace {

class PositionTimer : public PlaybackFixture {
protected:
    QString label2() const { return label_caption::captionOf(*form1->Label2); }
    void setTimeDisplay(bool on)
    {
        const QSignalBlocker quiet(form1->Check6);
        form1->Check6->setValue(on ? 1 : 0);
    }
    // The movie has played to its end, where the engine stops by itself.
    void atEnd()
    {
        engine.setPosition(engine.lengthFrames());
        engine.setPlaying(false);
    }
};

TEST_F(PositionTimer, TickAsksForPositionAndSpeedAndWritesTheLabels)
{
    engine.setLength(300);
    openEntries({"/m/a.mpg", "/m/b.mpg"});
    engine.setPosition(123);
    QMetaObject::invokeMethod(form1->Timer1, "timeout", Qt::DirectConnection);  // a real tick

    EXPECT_EQ(sent(), QStringList({"status avfile position", "status avfile speed"}));
    EXPECT_EQ(form1->HScroll1->Value(), 123);
    EXPECT_EQ(label2(), QStringLiteral(" 123\n\r    /300 (ﾌﾚｰﾑ)"));
    EXPECT_EQ(form1->Label2->text(), QStringLiteral(" 123\n    /300 (ﾌﾚｰﾑ)"));  // drawn as two clean lines
    form1->Label2->setText("ﾌﾚｰﾑor時間");  // written by something else: read back as written
    EXPECT_EQ(label2(), "ﾌﾚｰﾑor時間");
    EXPECT_EQ(form1->Label4->text(), "1/2");
    EXPECT_EQ(form1->Label3->text(), "|>|> ±0");
    EXPECT_EQ(form1->playback->seek_lock, 0);
    {
        const QSignalBlocker quiet(form1->List2);
        form1->List2->setListIndex(-1);
    }
    form1->playback->Timer1_Timer();
    EXPECT_EQ(form1->Label4->text(), "0/2");  // nothing selected
}

TEST_F(PositionTimer, SliderFollowsThePositionInBothScales)
{
    struct Case {
        int length, position, value;
    };
    // 30000 direct; 30001 scaled (15000 * 30000 / 30001 = 14999.5 -> 15000, even; 10001 ->
    // 10000.67 -> 10001); position 0 is 0 in either scale.
    const std::vector<Case> cases = {{30000, 29999, 29999}, {30001, 15000, 15000},
                                     {30001, 10001, 10001}, {60000, 45000, 22500},
                                     {60000, 0, 0}};
    openEntries({"/m/a.mpg"});
    for (const Case& c : cases) {
        engine.setLength(c.length);
        form1->playback->List2_Click();
        engine.setPosition(c.position);
        clearSent();
        form1->playback->Timer1_Timer();
        EXPECT_EQ(form1->HScroll1->Value(), c.value) << c.length << " " << c.position;
        EXPECT_EQ(sent().size(), 2) << "the timer's slider update must not seek";
    }
}

TEST_F(PositionTimer, TimeDisplayWritesClockTexts)
{
    setTimeDisplay(true);
    engine.setFps(1000);  // one frame per millisecond: positions are exact milliseconds
    engine.setLength(4000000);
    openEntries({"/m/a.mpg"});
    struct Case {
        int ms;
        QString text;
    };
    const std::vector<Case> cases = {{3723004, QStringLiteral(" 01:02:03:004\n\r    /01:06:40 (時間)")},
                                     {83450, QStringLiteral(" 00:01:23:450\n\r    /01:06:40 (時間)")}};
    for (const Case& c : cases) {
        engine.setPosition(c.ms);
        form1->playback->Timer1_Timer();
        EXPECT_EQ(label2(), c.text);
    }
}

TEST_F(PositionTimer, SpeedLabelFollowsTheTableAndKeepsUnknownSpeeds)
{
    openEntries({"/m/a.mpg"});
    const std::vector<std::pair<double, QString>> table = {
        {0.25, "|>|> -3"}, {0.5, "|>|> -2"}, {0.75, "|>|> -1"}, {1.0, "|>|> ±0"},
        {1.25, "|>|> ＋1"}, {1.5, "|>|> ＋2"}, {1.75, "|>|> ＋3"}, {2.0, "|>|> ＋4"}};
    for (const auto& [speed, caption] : table) {
        engine.setCurrentSpeed(speed);
        form1->playback->Timer1_Timer();
        EXPECT_EQ(form1->Label3->text(), caption);
    }
    engine.setCurrentSpeed(1.1);
    form1->playback->Timer1_Timer();
    EXPECT_EQ(form1->Label3->text(), "|>|> ＋4");
}

// ---- end of the movie ----------------------------------------------------------------------

// What two ticks at the end of the playing movie leave: the entry selected, the button's caption,
// whether it plays and from where. Loop (Check3) and "selected only" (Check7), one or two entries.
TEST_F(PositionTimer, EndOfTheMovie)
{
    struct After {
        int index;
        const char* caption;
        bool playing;
        bool atStart;
    };
    struct Case {
        int entries, loop, only;
        After first, second;
    };
    const Case cases[] = {
        {2, 1, 0, {1, "II", true, true}, {0, "II", true, true}},     // next entry, wraps after the last
        {2, 1, 1, {0, "|>", false, false}, {0, "II", true, true}},   // pauses, then the same again
        {1, 1, 0, {0, "|>", false, false}, {0, "II", true, true}},
        {1, 1, 1, {0, "II", true, true}, {0, "II", true, true}},     // restarts in the same tick
        // Without Loop it stays at the end, asking for nothing more.
        {1, 0, 0, {0, "|>", false, false}, {0, "|>", false, false}},
        {2, 0, 0, {0, "|>", false, false}, {0, "|>", false, false}},
    };
    const QStringList paths{"/m/a.mpg", "/m/b.mpg"};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries, Loop " << c.loop << ", selected only " << c.only);
        form1->reset_all();
        form1->Check3->setValue(1);
        form1->Check7->setValue(c.only);
        form1->Check3->setValue(c.loop);
        openEntries(paths.mid(0, c.entries));
        startPlaying();
        for (const After& after : {c.first, c.second}) {
            atEnd();
            clearSent();
            form1->playback->Timer1_Timer();
            EXPECT_EQ(form1->List2->ListIndex(), after.index);
            EXPECT_EQ(form1->List1->ListIndex(), after.index);
            EXPECT_EQ(engine.path(), paths[after.index]);
            EXPECT_EQ(caption2(), after.caption);
            EXPECT_EQ(engine.isPlaying(), after.playing);
            EXPECT_EQ(engine.positionFrames(), after.atStart ? 0 : engine.lengthFrames());
        }
    }
}

TEST_F(PositionTimer, OneEntrySelectedOnlyRestartsWithTheseCommands)
{
    openEntries({"/m/a.mpg"});
    form1->Check7->setValue(1);
    startPlaying();
    atEnd();
    form1->playback->Timer1_Timer();
    EXPECT_EQ(sent().mid(2), QStringList({"stop avfile", "status avfile position",
                                          "seek avfile to 0", "play avfile window"}));
}

TEST_F(PositionTimer, ZeroLengthCountsAsTheEndOnEveryTick)
{
    engine.setLength(0);
    openEntries({"/m/a.mpg"});
    form1->Check3->setValue(0);
    startPlaying();
    form1->playback->Timer1_Timer();
    EXPECT_EQ(caption2(), "|>");
}

TEST_F(PositionTimer, NextEntryThatFailsIsRemovedAndTheOneAfterPlays)
{
    openEntries({"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"});
    startPlaying();
    atEnd();
    engine.failNextOpen(MediaError::FileNotFound);
    form1->playback->Timer1_Timer();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(form1->List2->ListCount(), 2);
    EXPECT_EQ(engine.path(), "/m/c.mpg");
    EXPECT_TRUE(engine.isPlaying());
}

// ---- frame / time switch -------------------------------------------------------------------

TEST_F(PositionTimer, SwitchingToTimeReadsTheLengthInMilliseconds)
{
    engine.setFps(25);
    engine.setLength(25 * 1000);  // 1000 s
    openEntries({"/m/a.mpg"});
    engine.setPosition(25 * 500);
    form1->Check6->setValue(1);

    EXPECT_EQ(sent(), QStringList({"set avfile time format milliseconds", "status avfile length",
                                   "status avfile position"}));
    EXPECT_EQ(form1->playback->media_len, 1000000);
    EXPECT_EQ(form1->HScroll1->Max(), 30000);
    EXPECT_EQ(form1->HScroll1->Value(), 15000);
    EXPECT_EQ(form1->HScroll1->SmallChange(), 30);
    EXPECT_EQ(form1->HScroll1->LargeChange(), 150);
    EXPECT_EQ(form1->playback->len_text, "00:16:40");
    EXPECT_TRUE(form1->Timer1->isActive());
    EXPECT_EQ(form1->playback->seek_lock, 0);

    clearSent();
    form1->Check6->setValue(0);
    EXPECT_EQ(sent(), QStringList({"set avfile time format frames", "status avfile length",
                                   "status avfile position"}));
    EXPECT_EQ(form1->playback->media_len, 25000);
    EXPECT_EQ(form1->HScroll1->Max(), 25000);
    EXPECT_EQ(form1->HScroll1->Value(), 12500);
    EXPECT_EQ(form1->HScroll1->SmallChange(), 10);
    EXPECT_EQ(form1->HScroll1->LargeChange(), 50);
    EXPECT_EQ(form1->playback->len_text, "00:16:40");  // kept: not shown in frames
}

// ---- previous / next -----------------------------------------------------------------------

// By button or menu item: the neighbour opens, wrapping at both ends; with nothing selected,
// previous starts from the last entry and next from the first.
TEST_F(PositionTimer, PreviousAndNextWrapAroundTheList)
{
    const QStringList paths{"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"};
    openEntries(paths);
    const std::function<void()> previous[] = {[&] { form1->Command10->click(); },
                                              [&] { form2().m_mae->trigger(); }};
    const std::function<void()> next[] = {[&] { form1->Command11->click(); },
                                          [&] { form2().m_yugi->trigger(); }};
    struct Case {
        int from;
        std::function<void()> press;
        int to;
    };
    const Case cases[] = {{0, previous[0], 2}, {2, next[1], 0}, {0, next[0], 1},
                          {1, previous[1], 0}, {-1, previous[0], 2}, {-1, next[1], 0}};
    for (const Case& c : cases) {
        {
            const QSignalBlocker quiet(form1->List2);
            form1->List2->setListIndex(c.from);
        }
        c.press();
        EXPECT_EQ(form1->List2->ListIndex(), c.to) << c.from;
        EXPECT_EQ(form1->List1->ListIndex(), c.to) << c.from;
        EXPECT_EQ(engine.path(), paths[c.to]) << c.from;
    }
}

TEST_F(PositionTimer, PreviousAndNextOnAnEmptyOrOneEntryListSendNothing)
{
    for (const QStringList& paths : {QStringList(), QStringList{"/m/a.mpg"}}) {
        openEntries(paths);
        form1->Command10->click();
        form1->Command11->click();
        EXPECT_TRUE(sent().isEmpty()) << paths.size();
    }
}

}  // namespace
