// The position timer: slider, labels, the end-of-movie rules, the frame/time switch and the
// previous/next buttons.
#include "form_fixture.h"
#include "playback/label_caption.h"

namespace {

using PositionTimer = StartedForm;

TEST_F(PositionTimer, TickAsksForPositionAndSpeedAndWritesTheLabels)
{
    const auto label2 = [this] { return label_caption::captionOf(*form1->Label2); };
    engine.setLength(300);
    start({"/m/a.mpg", "/m/b.mpg"}, 0);
    engine.setPosition(123);
    QMetaObject::invokeMethod(form1->Timer1, "timeout", Qt::DirectConnection);  // a real tick

    // The caption, and drawn as two clean lines.
    EXPECT_EQ(std::tuple(sent(), form1->HScroll1->Value(), label2(), form1->Label2->text(),
                  form1->Label4->text()),
        std::tuple(QStringList({"status avfile position", "status avfile speed"}), 123,
            " 123\n\r    /300 (ﾌﾚｰﾑ)", " 123\n    /300 (ﾌﾚｰﾑ)", "1/2"));

    // Opened with the time display on: in milliseconds, the length text built at the open.
    quietly(form1->Check6, [this] { form1->Check6->setValue(1); });
    engine.setFps(25);
    engine.setLength(25 * 4000);
    clearSent();
    form1->playback->List2_Click();
    EXPECT_TRUE(sent().contains("set avfile time format milliseconds"));
    engine.setPosition(25 * 3723);
    form1->playback->Timer1_Timer();
    EXPECT_EQ(label2(), " 01:02:03:000\n\r    /01:06:40 (時間)");
}

// What two ticks at the end of the playing movie leave: the entry selected, the button's caption,
// whether it plays and from where. Loop (Check3) and "selected only" (Check7), one or two entries:
// the next entry, wrapping after the last; with "selected only", a pause, then the same again
// (with one entry, a restart in the same tick); without Loop it stays at the end, asking for
// nothing more.
TEST_F(PositionTimer, EndOfTheMovie)
{
    struct After {
        int index;
        const char* caption;
        bool playing, atStart;
    };
    const struct {
        int entries, loop, only;
        After first, second;
    } cases[] = {{2, 1, 0, {1, "II", true, true}, {0, "II", true, true}},
        {2, 1, 1, {0, "|>", false, false}, {0, "II", true, true}},
        {1, 1, 0, {0, "|>", false, false}, {0, "II", true, true}},
        {1, 1, 1, {0, "II", true, true}, {0, "II", true, true}},
        {1, 0, 0, {0, "|>", false, false}, {0, "|>", false, false}},
        {2, 0, 0, {0, "|>", false, false}, {0, "|>", false, false}}};
    const QStringList paths{"/m/a.mpg", "/m/b.mpg"};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        form1->Check3->setValue(1);
        form1->Check7->setValue(c.only);
        form1->Check3->setValue(c.loop);
        engine.setLength(150);
        start(paths.mid(0, c.entries), 0);
        startPlaying();
        for (const After& after : {c.first, c.second}) {
            engine.setPosition(engine.lengthFrames());  // at the end, where the engine stops
            engine.setPlaying(false);
            form1->playback->Timer1_Timer();
            EXPECT_EQ(std::tuple(form1->List2->ListIndex(), form1->List1->ListIndex(),
                          engine.path(), caption2(), engine.isPlaying(), engine.positionFrames()),
                std::tuple(after.index, after.index, paths[after.index], QString(after.caption),
                    after.playing, after.atStart ? 0 : engine.lengthFrames()));
        }
    }
}

// The switch reads the length again in the new format; the length text stays from the time format.
TEST_F(PositionTimer, SwitchingBetweenFramesAndTime)
{
    engine.setFps(25);
    engine.setLength(25 * 1000);  // 1000 s
    start({"/m/a.mpg"}, 0);
    engine.setPosition(25 * 500);
    const std::tuple<int, QString, int, int, int> cases[] = {
        {1, "milliseconds", 1000000, 30000, 15000}, {0, "frames", 25000, 25000, 12500}};
    for (const auto& [check6, format, length, max, value] : cases) {
        clearSent();
        form1->Check6->setValue(check6);
        EXPECT_EQ(std::tuple(sent(), form1->playback->media_len, form1->HScroll1->Max(),
                      form1->HScroll1->Value(), form1->playback->len_text),
            std::tuple(QStringList({"set avfile time format " + format, "status avfile length",
                           "status avfile position"}),
                length, max, value, "00:16:40"));
    }
}

// By button or menu item: the neighbour opens, wrapping at both ends; next with nothing selected
// opens the first; one entry or none sends nothing.
TEST_F(PositionTimer, PreviousAndNextWrapAroundTheList)
{
    const QStringList paths{"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"};
    const std::function<void()> previous[] = {press(form1->Command10), press(form2().m_mae)};
    const std::function<void()> next[] = {press(form1->Command11), press(form2().m_yugi)};
    const std::tuple<int, std::function<void()>, int> cases[] = {{0, previous[0], 2},
        {2, next[1], 0}, {0, next[0], 1}, {1, previous[1], 0}, {-1, next[1], 0}};
    start(paths, 0);
    for (const auto& [from, press, to] : cases) {
        quietly(form1->List2, [&, from = from] { form1->List2->setListIndex(from); });
        press();
        EXPECT_EQ(std::tuple(selected(), form1->List1->ListIndex(), engine.path()),
            std::tuple(to, to, paths[to]))
            << from;
    }
    for (const QStringList& few : {QStringList(), QStringList{"/m/a.mpg"}}) {
        start(few, 0);
        form1->Command10->click();
        form1->Command11->click();
        EXPECT_TRUE(sent().isEmpty()) << few.size();
    }
}

}  // namespace
