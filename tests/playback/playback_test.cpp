// Playback against the scripted engine. Opening a playlist entry: command sequence, device type,
// placement, labels, enables, and what happens to entries that cannot be opened. Transport
// controls: play/pause, stop, frame steps, speed and the position slider, pressed the way the user
// presses them: the buttons, or the movie window's menu items. The position timer: slider, labels,
// the end-of-movie rules, the frame/time switch and the previous/next buttons.
// Checks: open_list_item.cpp, open_command.cpp, transport.cpp, slider_scale.cpp,
// position_timer.cpp, label_caption.cpp (src/playback); playlist.cpp (src/playlist);
// geometry_helpers.cpp, video_window.cpp (src/movie).
#include "form_fixture.h"
#include "mci/mci_errors.h"
#include "playback/label_caption.h"
#include "playback/open_command.h"

#include <gmock/gmock.h>

namespace {

// open_list_item.cpp: opening the selected entry.
using OpenListItem = StartedForm;

// A stopped player shows the first picture and stays stopped; the open names the device type the
// file's kind calls for; the labels, tool tips and enables describe the open movie.
TEST_F(OpenListItem, StoppedPlayerShowsTheFirstPictureAndDescribesTheMovie)
{
    engine.setSourceSize({352, 240});
    start({"/m/dir/a b.mpg"});
    form1->playlist->select(0);
    const QString open = "open \"/m/dir/a b.mpg\" type mpegvideo alias avfile style child parent " +
                         QString::number(form2().winId());
    EXPECT_EQ(std::tuple(sent(), caption2(), engine.isPlaying(), form1->Timer1->isActive()),
        std::tuple(QStringList({"close avfile", open, "where avfile source",
                       "status avfile window handle", "set avfile time format frames",
                       "status avfile length", "play avfile window", "stop avfile"}),
            "|>", false, true));
    // An AVI's device type, and none for other kinds (MP4 among them: the engine probes it); the
    // file kinds themselves are FileKindTest's.
    EXPECT_EQ(QStringList({open_command::typePart("/m/x.AVI"), open_command::typePart("/m/x.wmv"),
                  open_command::typePart("/m/x.mp4")}),
        QStringList({" type avivideo alias avfile style child parent ",
            " alias avfile style child parent ", " alias avfile style child parent "}));

    form1->playlist->rename(0, "Trip");
    form1->playback->List2_Click();
    EXPECT_THAT(std::tuple(form1->Label1->text(), form1->Label1->toolTip(), form2().Label1->text(),
                    form2().windowTitle(), form2().Label1->toolTip(), form1->List2->toolTip(),
                    form2().Label2->isVisibleTo(&form2())),
        testing::FieldsAre("a b.mpg", "/m/dir/a b.mpg", "Trip　", "Trip - ReelBox",
            "ｵﾘｼﾞﾅﾙｻｲｽﾞ：352×240", "再生ﾘｽﾄ一覧 Trip 選択中", false));
    for (QWidget* w : movieControls())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QAction* item : movieMenuItems())
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
}

// The video window goes to (10, 10) at the movie window's picture size and gets the movie
// window's procedure, which passes presses on; the next open gives the old procedure back first,
// and a shorter movie does not seek when the slider is pulled back.
TEST_F(OpenListItem, EachOpenPlacesAndSubclassesTheVideoWindowAndStartsAtTheStart)
{
    const WId first = FakeMediaEngine::DefaultVideoWindow;
    form2().setWidth(500 * 15 + 345);
    form2().setHeight(300 * 15 + 345);
    engine.setLength(1000);
    start({"/m/long.mpg", "/m/short.mpg"}, 0);
    EXPECT_EQ(std::tuple(windows.moves, form1->video.mci_hwnd),
        std::tuple(std::vector<FakeWindowLayer::Move>({{first, 10, 10, 500, 300, true}}), first));
    windows.pressLeft(first);  // counted by the movie window, and passed on
    EXPECT_EQ(
        std::tuple(form2().Timer3->isActive(), windows.defaultProcCalls), std::tuple(true, 1));

    form1->HScroll1->setValue(800);
    clearSent();
    engine.setVideoWindow(5151);
    engine.setLength(100);
    form1->List2->setListIndex(1);
    EXPECT_EQ(std::tuple(windows.hooked(first), windows.hooked(5151),
                  sent().filter(QRegularExpression("^seek")), engine.positionFrames()),
        std::tuple(false, true, QStringList(), 0));
}

// One box (the device's text and the removal, the movie window lifted for it), the entry goes,
// and the one that took its place opens; the only entry leaves nothing open. The same when the
// engine finds out only after the open that the movie has no picture. Which entry opens after a
// failed last one is the clicked-entry test's.
TEST_F(OpenListItem, UnplayableEntryGoesAndItsNeighbourOpens)
{
    struct Case {
        QStringList paths;
        int before, bad;
        MediaError error;
        int rc;
        QStringList left;
        int index;
        bool lostAfterOpen = false;
    } const cases[] = {
        {{"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"}, 0, 1, MediaError::InvalidFile, mcierr::InvalidFile,
            {"a.mpg", "c.mpg"}, 1},
        {{"/m/bad.mpg"}, -1, 0, MediaError::FileNotFound, mcierr::FileNotFound, {}, -1},
        {{"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"}, 0, 1, MediaError::None, mcierr::InvalidFile,
            {"a.mpg", "c.mpg"}, 1, true},
        {{"/m/bad.mpg"}, -1, 0, MediaError::None, mcierr::InvalidFile, {}, -1, true},
    };
    engine.whenLost([this] { form1->playback->openedMovieLost(); });  // as the program does
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths.join(' ').toStdString());
        start(c.paths);
        form1->playlist->select(c.before);
        if (c.lostAfterOpen) {
            form1->playlist->select(c.bad);
            engine.loseOpenMovie();
        } else {
            engine.failNextOpen(c.error);
            form1->playlist->select(c.bad);
        }

        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const FakeDialogs::Box& box = dialogs.boxes.front();
        const bool open = !c.left.isEmpty();
        EXPECT_THAT(std::tuple(box.text, box.title, box.informative, box.buttons, box.icon,
                        box.movieTopMost, names(), selected(), form1->List1->ListIndex(),
                        form1->Label1->text(), engine.isOpen(), form1->Timer1->isActive(),
                        form1->Command2->isEnabled()),
            testing::FieldsAre(mcierr::text(c.rc) + "リスト一覧から削除します。", QString("削除"),
                c.paths[c.bad], msgbox::OkOnly, msgbox::Information, std::optional(false), c.left,
                c.index, c.index, c.left.value(c.index, "ファイル名"), open, open, open));
    }
}

// Clicking entries with the mouse: while the removal's box is up the clicked entry is the one
// highlighted, and afterwards the highlight is on the entry that opened, selected, not only
// outlined. Rows: the entries clicked in turn (the list is a, missing1, b, missing2), the
// highlight while each box was up, the entries left, the one highlighted at the end.
TEST_F(OpenListItem, ClickedEntryThatFailsLeavesTheHighlightOnWhatOpens)
{
    const struct {
        QList<int> clicks, whileShown;
        QStringList left;
        int highlighted;
    } rows[] = {{{0, 3}, {3}, {"a.mpg", "missing1.mpg", "b.mpg"}, 2},
        {{1}, {1}, {"a.mpg", "b.mpg", "missing2.mpg"}, 1},
        {{2, 1}, {1}, {"a.mpg", "b.mpg", "missing2.mpg"}, 1}};
    const auto highlight = [this] {
        QList<int> rows;
        for (const QModelIndex& index : form1->List2->selectionModel()->selectedIndexes())
            rows << index.row();
        return rows;
    };
    for (const auto& row : rows) {
        start({"/m/a.mpg", "/m/missing1.mpg", "/m/b.mpg", "/m/missing2.mpg"});
        QList<int> shown;
        dialogs.whileShown = [&] { shown += highlight(); };
        for (const int click : row.clicks) {
            if (form1->playlist->path(click).contains("missing"))
                engine.failNextOpen(MediaError::FileNotFound);
            const QRect rect = form1->List2->visualRect(form1->List2->model()->index(click, 0));
            QTest::mouseClick(form1->List2->viewport(), Qt::LeftButton, {}, rect.center());
        }
        dialogs.whileShown = nullptr;
        EXPECT_THAT(std::tuple(shown, names(), highlight(), selected(), form1->Label1->text()),
            testing::FieldsAre(row.whileShown, row.left, QList<int>{row.highlighted},
                row.highlighted, row.left[row.highlighted]));
    }
}

// A run of bad entries gives one box each, in list order, without nesting one handler in the
// next: the address of a local in each box shows how deep the call stack is at that moment.
TEST_F(OpenListItem, RunOfBadEntriesGivesOneBoxEachInOrderWithoutNesting)
{
    const int bad = 200;
    QStringList paths;
    for (int i = 0; i < bad; ++i)
        paths << QStringLiteral("/m/bad%1.mpg").arg(i);
    start(paths + QStringList{"/m/good.mpg"});

    int failuresLeft = bad;
    std::vector<const void*> depth;
    dialogs.topMostProbe = [&] {
        int marker = 0;
        depth.push_back(&marker);
        if (--failuresLeft > 0)
            engine.failNextOpen(MediaError::FileNotFound);
        return false;
    };
    engine.failNextOpen(MediaError::FileNotFound);
    form1->playlist->select(0);

    ASSERT_EQ(dialogs.boxes.size(), std::size_t(bad));
    EXPECT_EQ(std::tuple(std::count(depth.begin(), depth.end(), depth.front()), opened(), names()),
        std::tuple(bad, paths + QStringList{"/m/good.mpg"}, QStringList({"good.mpg"})));
}

// transport.cpp: the transport buttons and menu items, and the position slider.
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
    const auto play = press(form1->Command2), back = press(form1->Command6);
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
        {"play at the end starts again", 150, false, press(form2().me_s_t),
            {"status avfile position", "seek avfile to 0", "play avfile window"}, "II", true, 0},
        {"pause", 40, true, play, {"stop avfile"}, "|>", false, 40},
        {"stop", 90, true, press(form2().me_teisi),
            {"seek avfile to 0", "play avfile window", "stop avfile"}, "|>", false, 0},
        {"frame forward", 10, true, press(form1->Command5), {"stop avfile", "step avfile"}, "|>",
            false, 11},
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
        form1->playback->setPlayState(c.playing ? PlayState::Playing : PlayState::Stopped);
        if (c.lost) {  // closed behind the program's back: every status reply is an error text
            QString reply;
            mci.MciSend("close avfile", reply);
        }
        clearSent();
        c.press();
        EXPECT_THAT(std::tuple(sent(), caption2(), form1->playback->playState(), engine.isPlaying(),
                        engine.positionFrames(), form1->Timer1->isActive()),
            testing::FieldsAre(c.sent, QString(c.caption),
                c.playingAfter ? PlayState::Playing : PlayState::Stopped, c.playingAfter,
                std::int64_t(c.positionAfter), true));
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
        EXPECT_THAT(
            std::tuple(form1->HScroll1->Value(), form1->HScroll1->Max(),
                form1->HScroll1->SmallChange(), form1->HScroll1->LargeChange(), sent().size()),
            testing::FieldsAre(c.value, 30000, c.small, c.large, 2));
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

// position_timer.cpp: the position timer.
using PositionTimer = StartedForm;

TEST_F(PositionTimer, TickAsksForPositionAndSpeedAndWritesTheLabels)
{
    const auto label2 = [this] { return label_caption::captionOf(*form1->Label2); };
    engine.setLength(300);
    start({"/m/a.mpg", "/m/b.mpg"}, 0);
    engine.setPosition(123);
    QMetaObject::invokeMethod(form1->Timer1, "timeout", Qt::DirectConnection);  // a real tick

    // The caption, and drawn as two clean lines.
    EXPECT_THAT(std::tuple(sent(), form1->HScroll1->Value(), label2(), form1->Label2->text(),
                    form1->Label4->text()),
        testing::FieldsAre(QStringList({"status avfile position", "status avfile speed"}), 123,
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
            EXPECT_THAT(std::tuple(form1->List2->ListIndex(), form1->List1->ListIndex(),
                            engine.path(), caption2(), engine.isPlaying(), engine.positionFrames()),
                testing::FieldsAre(after.index, after.index, paths[after.index],
                    QString(after.caption), after.playing,
                    after.atStart ? 0 : engine.lengthFrames()));
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
        EXPECT_THAT(std::tuple(sent(), form1->playback->media_len, form1->HScroll1->Max(),
                        form1->HScroll1->Value(), form1->playback->len_text),
            testing::FieldsAre(QStringList({"set avfile time format " + format,
                                   "status avfile length", "status avfile position"}),
                length, max, value, "00:16:40"));
    }
}

// By button or menu item: the neighbour opens, wrapping at both ends; next with nothing selected
// opens the first; one entry or none sends nothing.
TEST_F(PositionTimer, PreviousAndNextWrapAroundTheList)
{
    const QStringList paths{"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"};
    const std::tuple<int, std::function<void()>, int> cases[] = {{0, press(form1->Command10), 2},
        {2, press(form2().m_yugi), 0}, {0, press(form1->Command11), 1},
        {1, press(form2().m_mae), 0}, {-1, press(form2().m_yugi), 0}};
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
