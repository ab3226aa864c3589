// Opening a playlist entry: command sequence, device type, placement, labels, enables, and
// what happens to entries that cannot be opened.
#include "controls/menu_item.h"
#include "mci/mci_errors.h"
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
}

// The video window goes to (10, 10) at the movie window's picture size and gets the movie
// window's procedure, which passes presses on; the next open gives the old procedure back first.
// A handle that is no number (no video window) leaves both alone.
TEST_F(OpenListItem, VideoWindowIsPlacedAndSubclassedForEachOpen)
{
    const WId first = FakeMediaEngine::DefaultVideoWindow;
    form2().setWidth(500 * 15 + 345);
    form2().setHeight(300 * 15 + 345);
    openEntries({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    EXPECT_EQ(windows.moves, std::vector<FakeWindowLayer::Move>({{first, 10, 10, 500, 300, true}}));
    EXPECT_EQ(form1->geometry->mov_w, 500);
    EXPECT_EQ(form1->geometry->mov_h, 300);
    EXPECT_EQ(form1->video.mci_hwnd, first);
    EXPECT_TRUE(windows.hooked(first));
    windows.pressLeft(first);
    EXPECT_TRUE(form2().Timer3->isActive());  // the movie window's press counting
    EXPECT_EQ(windows.defaultProcCalls, 1);

    engine.setVideoWindow(5151);
    form1->List2->setListIndex(1);
    EXPECT_FALSE(windows.hooked(first));
    EXPECT_TRUE(windows.hooked(5151));
    EXPECT_EQ(form1->video.mci_hwnd, 5151u);

    engine.setVideoWindow(0);  // the handle query then answers an error text
    form1->List2->setListIndex(2);
    EXPECT_EQ(windows.moves.size(), 2u);
    EXPECT_FALSE(windows.hooked(5151));
    EXPECT_EQ(windows.procChanges.size(), 4u);  // hook, give back, hook, give back
    EXPECT_EQ(sent().mid(sent().size() - 4), QStringList({"set avfile time format frames", "status avfile length",
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
    openEntries({"/m/a.mpg"});
    for (const auto& [length, steps] : {std::pair{30000, QSize(10, 50)}, std::pair{30001, QSize(30, 150)}}) {
        engine.setLength(length);
        form1->playback->List2_Click();
        EXPECT_EQ(form1->playback->media_len, length);
        EXPECT_EQ(form1->HScroll1->Max(), 30000);
        EXPECT_EQ(QSize(form1->HScroll1->SmallChange(), form1->HScroll1->LargeChange()), steps);
    }
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

    for (QWidget* w : movieControls())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QAction* item : movieMenuItems())
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
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < form1->List2->ListCount(); ++i)
            out << form1->List2->List(i);
        return out;
    }
};

// One box (the device's text and the removal, the movie window lifted for it), the entry goes,
// and the one that took its place opens (the one before when it was the last); the only entry
// leaves nothing open.
TEST_F(UnplayableEntries, TheEntryGoesAndItsNeighbourOpens)
{
    struct Case {
        QStringList paths;
        int before, bad;
        MediaError error;
        int rc;
        QStringList left;
        int index;
    };
    const Case cases[] = {
        {{"/m/bad.mpg", "/m/b.mpg", "/m/c.mpg"}, -1, 0, MediaError::FileNotFound, mcierr::FileNotFound, {"b.mpg", "c.mpg"}, 0},
        {{"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"}, 0, 1, MediaError::InvalidFile, mcierr::InvalidFile, {"a.mpg", "c.mpg"}, 1},
        {{"/m/a.mpg", "/m/b.mpg", "/m/bad.mpg"}, 0, 2, MediaError::InvalidFile, mcierr::InvalidFile, {"a.mpg", "b.mpg"}, 1},
        {{"/m/bad.mpg"}, -1, 0, MediaError::FileNotFound, mcierr::FileNotFound, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths.join(' ').toStdString());
        form1->reset_all();
        dialogs.boxes.clear();
        addEntries(c.paths);
        form1->playlist->select(c.before);
        engine.failNextOpen(c.error);
        form1->playlist->select(c.bad);

        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const FakeDialogs::Box& box = dialogs.boxes.front();
        EXPECT_EQ(box.text, mcierr::text(c.rc) + QStringLiteral("リスト一覧から削除します。"));
        EXPECT_EQ(box.title, "削除");
        EXPECT_EQ(box.buttons, msgbox::OkOnly);
        EXPECT_EQ(box.icon, msgbox::Information);
        EXPECT_EQ(box.movieTopMost, false);
        EXPECT_EQ(names(), c.left);
        EXPECT_EQ(form1->List2->ListIndex(), c.index);
        EXPECT_EQ(form1->List1->ListIndex(), c.index);
        EXPECT_EQ(form1->Label1->text(), c.left.value(c.index, "ファイル名"));
        EXPECT_EQ(engine.isOpen(), !c.left.isEmpty());
        EXPECT_EQ(form1->Timer1->isActive(), !c.left.isEmpty());
        EXPECT_EQ(form1->Command2->isEnabled(), !c.left.isEmpty());
    }
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
