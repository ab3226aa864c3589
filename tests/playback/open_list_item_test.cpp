// Opening a playlist entry: command sequence, device type, placement, labels, enables, and
// what happens to entries that cannot be opened.
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "playback/open_command.h"
#include "playback_fixture.h"

#include <QSignalBlocker>
#include <vector>

namespace {

class OpenListItem : public PlaybackFixture {
protected:
    QString parentHandle() { return QString::number(form2().winId()); }
    QString openOf(const QString& path, const QString& type)
    {
        return QStringLiteral("open \"") + path + QStringLiteral("\"") + type + parentHandle();
    }
    static QString mpeg() { return QStringLiteral(" type mpegvideo alias avfile style child parent "); }
};

TEST_F(OpenListItem, StoppedPlayerShowsTheFirstPictureAndStaysStopped)
{
    addEntries({"/m/a.mpg"});
    clearSent();
    form1->playlist->select(0);

    EXPECT_EQ(sent(), QStringList({"close avfile", openOf("/m/a.mpg", mpeg()), "where avfile source",
                                   "status avfile window handle", "set avfile time format frames",
                                   "status avfile length", "play avfile window", "stop avfile"}));
    EXPECT_EQ(caption2(), "|>");
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_TRUE(form1->Timer1->isActive());
    EXPECT_EQ(form1->Timer1->interval(), 100);
    EXPECT_EQ(form1->List1->ListIndex(), 0);
}

TEST_F(OpenListItem, PlayingPlayerStartsTheNewMovie)
{
    openEntries({"/m/a.mpg", "/m/b.mpg"});
    startPlaying();
    form1->List2->setListIndex(1);

    EXPECT_EQ(sent().mid(6), QStringList({"status avfile position", "play avfile window"}));
    EXPECT_EQ(caption2(), "II");
    EXPECT_TRUE(engine.isPlaying());
    EXPECT_EQ(engine.path(), "/m/b.mpg");
}

TEST_F(OpenListItem, DeviceTypeFollowsTheFileKind)
{
    const QString avi = QStringLiteral(" type avivideo alias avfile style child parent ");
    const QString none = QStringLiteral(" alias avfile style child parent ");
    const std::vector<std::pair<QString, QString>> cases = {
        {"/m/trip.MPG", mpeg()}, {"/m/x.AVI", avi}, {"/m/x.vep", none}, {"/m/x.wmv", none}};
    for (const auto& [path, type] : cases)
        EXPECT_EQ(open_command::typePart(path), type) << path.toStdString();

    addEntries({"/m/clip.Avi"});
    form1->playlist->select(0);
    EXPECT_TRUE(sent().contains(openOf("/m/clip.Avi", avi)));
    EXPECT_EQ(engine.typeHint(), MediaEngine::TypeHint::AviVideo);
}

TEST_F(OpenListItem, VideoWindowIsPlacedAtTheWindowsPictureSizeAndSubclassed)
{
    form2().setWidth(500 * 15 + 345);
    form2().setHeight(300 * 15 + 345);
    openEntries({"/m/a.mpg"});

    ASSERT_FALSE(windows.moves.empty());
    const auto& move = lastMove();
    EXPECT_EQ(move.hwnd, FakeMediaEngine::DefaultVideoWindow);
    EXPECT_EQ(move.x, 10);
    EXPECT_EQ(move.y, 10);
    EXPECT_EQ(move.width, 500);
    EXPECT_EQ(move.height, 300);
    EXPECT_TRUE(move.repaint);
    EXPECT_EQ(form1->geometry->mov_w, 500);
    EXPECT_EQ(form1->geometry->mov_h, 300);
    EXPECT_EQ(form1->video.mci_hwnd, FakeMediaEngine::DefaultVideoWindow);
    EXPECT_TRUE(windows.hooked(FakeMediaEngine::DefaultVideoWindow));

    // A press on the picture reaches the movie window's procedure (which starts its press
    // window) and goes on to the window's own procedure.
    windows.pressLeft(FakeMediaEngine::DefaultVideoWindow);
    EXPECT_TRUE(form2().Timer3->isActive());
    EXPECT_EQ(windows.defaultProcCalls, 1);
}

TEST_F(OpenListItem, ReopeningGivesTheOldProcedureBackFirst)
{
    openEntries({"/m/a.mpg", "/m/b.mpg"});
    engine.setVideoWindow(5151);
    form1->List2->setListIndex(1);

    ASSERT_EQ(windows.procChanges.size(), 3u);  // hook a, give a back, hook b
    EXPECT_EQ(windows.procChanges[1].hwnd, FakeMediaEngine::DefaultVideoWindow);
    EXPECT_TRUE(windows.procChanges[1].restoredDefault);
    EXPECT_FALSE(windows.hooked(FakeMediaEngine::DefaultVideoWindow));
    EXPECT_TRUE(windows.hooked(5151));
    EXPECT_EQ(form1->video.mci_hwnd, 5151u);
}

TEST_F(OpenListItem, NonNumericWindowHandleSkipsPlacementAndSubclassing)
{
    openEntries({"/m/a.mpg"});
    const auto movesBefore = windows.moves.size();
    const auto procsBefore = windows.procChanges.size();
    engine.setVideoWindow(0);  // the device then has no window and answers with an error text
    form1->playlist->append("/m/b.mpg");
    form1->List2->setListIndex(1);

    EXPECT_EQ(windows.moves.size(), movesBefore);
    EXPECT_EQ(windows.procChanges.size(), procsBefore + 1);  // only the old one given back
    EXPECT_EQ(form1->video.mci_hwnd, FakeMediaEngine::DefaultVideoWindow);
    EXPECT_EQ(sent().mid(sent().size() - 4),
              QStringList({"set avfile time format frames", "status avfile length",
                           "play avfile window", "stop avfile"}));
    EXPECT_TRUE(form1->Timer1->isActive());
}

TEST_F(OpenListItem, FullScreenFitsTheLargest43PictureIntoTheScreen)
{
    struct Case {
        QSize screen;
        int w, h, x, y;
    };
    // 1024x768: 751.5 rounds to 752. 1920x1080: too high, so fitted by height; x 253.5 -> 254.
    const std::vector<Case> cases = {{{1024, 768}, 1002, 752, 10, 11},
                                     {{1280, 1024}, 1258, 944, 10, 43},
                                     {{1920, 1080}, 1411, 1058, 254, 14}};
    openEntries({"/m/a.mpg"});
    form2().Label1->setToolTip(QString());
    form1->Command22->setText("F解");
    for (const Case& c : cases) {
        windows.screen = c.screen;
        form1->playback->List2_Click();
        const auto& move = lastMove();
        EXPECT_EQ(form1->geometry->mov_w, c.w) << c.screen.width();
        EXPECT_EQ(form1->geometry->mov_h, c.h) << c.screen.width();
        EXPECT_EQ(move.x, c.x) << c.screen.width();
        EXPECT_EQ(move.y, c.y) << c.screen.width();
        EXPECT_EQ(move.width, c.w);
        EXPECT_EQ(move.height, c.h);
    }
    EXPECT_TRUE(form2().Label1->toolTip().isEmpty());  // full screen leaves the size tip alone
}

TEST_F(OpenListItem, SliderScaleFollowsTheLength)
{
    addEntries({"/m/a.mpg"});
    engine.setLength(30000);
    form1->playlist->select(0);
    EXPECT_EQ(form1->playback->media_len, 30000);
    EXPECT_EQ(form1->HScroll1->Max(), 30000);
    EXPECT_EQ(form1->HScroll1->SmallChange(), 10);
    EXPECT_EQ(form1->HScroll1->LargeChange(), 50);

    engine.setLength(30001);
    form1->playback->List2_Click();
    EXPECT_EQ(form1->HScroll1->Max(), 30000);
    EXPECT_EQ(form1->HScroll1->SmallChange(), 30);
    EXPECT_EQ(form1->HScroll1->LargeChange(), 150);
}

TEST_F(OpenListItem, ShorterMovieDoesNotSeekWhenTheSliderIsPulledBack)
{
    engine.setLength(1000);
    openEntries({"/m/long.mpg", "/m/short.mpg"});
    form1->HScroll1->setValue(800);
    clearSent();
    engine.setLength(100);
    form1->List2->setListIndex(1);
    for (const QString& cmd : sent())
        EXPECT_FALSE(cmd.startsWith("seek")) << cmd.toStdString();
    EXPECT_EQ(engine.positionFrames(), 0);
}

TEST_F(OpenListItem, TimeDisplayOpensInMillisecondsAndBuildsTheLengthText)
{
    addEntries({"/m/a.mpg"});
    engine.setFps(25);
    engine.setLength(25 * 3723);  // 1 h 2 min 3 s
    {
        const QSignalBlocker quiet(form1->Check6);
        form1->Check6->setValue(1);
    }
    form1->playlist->select(0);
    EXPECT_TRUE(sent().contains("set avfile time format milliseconds"));
    EXPECT_EQ(form1->playback->media_len, 3723000);
    EXPECT_EQ(form1->playback->len_text, "01:02:03");
}

TEST_F(OpenListItem, LabelsToolTipsAndEnablesDescribeTheOpenMovie)
{
    engine.setSourceSize({352, 240});
    openEntries({"/m/dir/a b.mpg"});
    form1->playlist->rename(0, "Trip");
    form1->playback->List2_Click();

    EXPECT_EQ(form1->Label1->text(), "a b.mpg");
    EXPECT_EQ(form1->Label1->toolTip(), "/m/dir/a b.mpg");
    EXPECT_EQ(form2().Label1->text(), "Trip　");
    EXPECT_EQ(form2().Label1->toolTip(), "ｵﾘｼﾞﾅﾙｻｲｽﾞ：352×240");
    EXPECT_EQ(form1->List2->toolTip(), "再生ﾘｽﾄ一覧 Trip 選択中");
    EXPECT_FALSE(form2().Label2->isVisibleTo(&form2()));

    for (QWidget* w : std::initializer_list<QWidget*>{
             form1->Command2, form1->Command7, form1->Command8, form1->Command4, form1->Command5,
             form1->Command6, form1->Command9, form1->Command10, form1->Command11, form1->Command3,
             form1->Command13, form1->Command14, form1->Command15, form1->Command19,
             form1->Command21, form1->Command22, form1->Command23, form1->Check6, form1->cmdDown,
             form1->cmdUp, form1->HScroll1})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    Form2& m = form2();
    for (MenuItem* item : {m.me_kake, m.me_s_t, m.me_wari, m.m_mae, m.m_yugi, m.me_full, m.me_teisi})
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
}

TEST_F(OpenListItem, ReselectionAfterAMoveOnlyClearsTheFlag)
{
    openEntries({"/m/a.mpg"});
    form1->playback->move_flg = 1;
    form1->playback->List2_Click();
    EXPECT_EQ(form1->playback->move_flg, 0);
    EXPECT_TRUE(sent().isEmpty());
}

// ---- entries that cannot be opened ---------------------------------------------------------

class UnplayableEntries : public OpenListItem {
protected:
    // The text the program shows for the open that failed last.
    QString expectedMessage()
    {
        for (qsizetype i = device.commands().size() - 1; i >= 0; --i) {
            if (device.commands()[i].startsWith("open ") && device.results()[i] != 0)
                return interpreter.errorText(device.results()[i]) +
                       QStringLiteral("リスト一覧から削除します。");
        }
        return {};
    }
    void expectOneRemovalBox(const QString& text)
    {
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const auto& box = dialogs.boxes.front();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.title, "削除");
        EXPECT_EQ(box.buttons, msgbox::OkOnly);
        EXPECT_EQ(box.icon, msgbox::Information);
        EXPECT_EQ(box.movieTopMost, false);  // lifted for the box
    }
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < form1->List2->ListCount(); ++i)
            out << form1->List2->List(i);
        return out;
    }
};

// The entry that took the bad one's place opens (the one before when it was the last).
TEST_F(UnplayableEntries, FirstMiddleOrLastGivesWayToItsNeighbour)
{
    struct Case {
        QStringList paths;
        int bad;
        MediaError error;
        QStringList left;
        int index;
    };
    const Case cases[] = {
        {{"/m/bad.mpg", "/m/b.mpg", "/m/c.mpg"}, 0, MediaError::FileNotFound, {"b.mpg", "c.mpg"}, 0},
        {{"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"}, 1, MediaError::InvalidFile, {"a.mpg", "c.mpg"}, 1},
        {{"/m/a.mpg", "/m/b.mpg", "/m/bad.mpg"}, 2, MediaError::InvalidFile, {"a.mpg", "b.mpg"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bad);
        form1->reset_all();
        dialogs.boxes.clear();
        addEntries(c.paths);
        if (c.bad > 0)
            form1->playlist->select(0);
        engine.failNextOpen(c.error);
        form1->playlist->select(c.bad);

        expectOneRemovalBox(expectedMessage());
        EXPECT_EQ(names(), c.left);
        EXPECT_EQ(form1->List2->ListIndex(), c.index);
        EXPECT_EQ(form1->List1->ListIndex(), c.index);
        EXPECT_EQ(engine.path(), "/m/" + c.left[c.index]);
        EXPECT_TRUE(engine.isOpen());
        EXPECT_TRUE(form1->Timer1->isActive());
    }
}

TEST_F(UnplayableEntries, OnlyEntryLeavesNothingOpen)
{
    addEntries({"/m/bad.mpg"});
    engine.failNextOpen(MediaError::FileNotFound);
    form1->playlist->select(0);

    expectOneRemovalBox(expectedMessage());
    EXPECT_EQ(form1->List1->ListCount(), 0);
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_FALSE(form1->Command2->isEnabled());
    EXPECT_FALSE(form1->HScroll1->isEnabled());
    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_EQ(form1->Label1->text(), "ファイル名");
}

TEST_F(UnplayableEntries, RunOfBadEntriesGivesOneBoxEachInOrderWithoutNesting)
{
    const int bad = 200;
    QStringList paths;
    for (int i = 0; i < bad; ++i)
        paths << QStringLiteral("/m/bad%1.mpg").arg(i);
    paths << "/m/good.mpg";
    addEntries(paths);

    // Every box re-arms the failure for the next open, until the good entry is reached; the
    // address of a local in the box shows how deep the call stack is at that moment.
    int failuresLeft = bad;
    std::vector<const void*> depth;
    const auto probe = dialogs.topMostProbe;
    dialogs.topMostProbe = [&, probe] {
        int marker = 0;
        depth.push_back(&marker);
        if (--failuresLeft > 0)
            engine.failNextOpen(MediaError::FileNotFound);
        return probe();
    };
    engine.failNextOpen(MediaError::FileNotFound);
    form1->playlist->select(0);

    ASSERT_EQ(dialogs.boxes.size(), std::size_t(bad));
    const QString suffix = QStringLiteral("リスト一覧から削除します。");
    for (const auto& box : dialogs.boxes) {
        EXPECT_TRUE(box.text.endsWith(suffix));
        EXPECT_EQ(box.title, "削除");
    }
    for (const void* d : depth)
        EXPECT_EQ(d, depth.front());
    // The boxes came in list order: each open named the next bad file.
    QStringList opened;
    for (const QString& call : engine.calls())
        if (call.startsWith("open "))
            opened << call.section(' ', 1, 1);
    paths.removeLast();
    EXPECT_EQ(opened.mid(0, bad), paths);
    EXPECT_EQ(names(), QStringList({"good.mpg"}));
    EXPECT_EQ(engine.path(), "/m/good.mpg");
    EXPECT_TRUE(form1->Timer1->isActive());
}

}  // namespace
