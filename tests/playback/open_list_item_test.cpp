// Opening a playlist entry: command sequence, device type, placement, labels, enables, and
// what happens to entries that cannot be opened.
#include "form_fixture.h"
#include "mci/mci_errors.h"
#include "playback/open_command.h"

namespace {

using OpenListItem = StartedForm;

// A stopped player shows the first picture and stays stopped; the labels, tool tips and enables
// describe the open movie.
TEST_F(OpenListItem, StoppedPlayerShowsTheFirstPictureAndDescribesTheMovie)
{
    engine.setSourceSize({352, 240});
    start({"/m/dir/a b.mpg"});
    form1->playlist->select(0);
    const QString open = "open \"/m/dir/a b.mpg\" type mpegvideo alias avfile style child parent " +
                         QString::number(form2().winId());
    EXPECT_EQ(sent(), QStringList({"close avfile", open, "where avfile source",
                          "status avfile window handle", "set avfile time format frames",
                          "status avfile length", "play avfile window", "stop avfile"}));
    EXPECT_EQ(std::tuple(caption2(), engine.isPlaying(), form1->Timer1->isActive()),
        std::tuple("|>", false, true));

    form1->playlist->rename(0, "Trip");
    form1->playback->List2_Click();
    EXPECT_EQ(QStringList({form1->Label1->text(), form1->Label1->toolTip(), form2().Label1->text(),
                  form2().Label1->toolTip(), form1->List2->toolTip()}),
        QStringList({"a b.mpg", "/m/dir/a b.mpg", "Trip　", "ｵﾘｼﾞﾅﾙｻｲｽﾞ：352×240",
            "再生ﾘｽﾄ一覧 Trip 選択中"}));
    EXPECT_FALSE(form2().Label2->isVisibleTo(&form2()));
    for (QWidget* w : movieControls())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QAction* item : movieMenuItems())
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
}

// An MPEG's device type is in the open above; the file kinds themselves are FileKindTest's.
TEST_F(OpenListItem, DeviceTypeFollowsTheFileKind)
{
    EXPECT_EQ(QStringList({open_command::typePart("/m/x.AVI"), open_command::typePart("/m/x.wmv")}),
        QStringList({" type avivideo alias avfile style child parent ",
            " alias avfile style child parent "}));
}

// The video window goes to (10, 10) at the movie window's picture size and gets the movie
// window's procedure, which passes presses on; the next open gives the old procedure back first.
TEST_F(OpenListItem, VideoWindowIsPlacedAndSubclassedForEachOpen)
{
    const WId first = FakeMediaEngine::DefaultVideoWindow;
    form2().setWidth(500 * 15 + 345);
    form2().setHeight(300 * 15 + 345);
    start({"/m/a.mpg", "/m/b.mpg"}, 0);
    EXPECT_EQ(std::tuple(windows.moves, form1->video.mci_hwnd),
        std::tuple(std::vector<FakeWindowLayer::Move>({{first, 10, 10, 500, 300, true}}), first));
    windows.pressLeft(first);  // counted by the movie window, and passed on
    EXPECT_EQ(
        std::tuple(form2().Timer3->isActive(), windows.defaultProcCalls), std::tuple(true, 1));

    engine.setVideoWindow(5151);
    form1->List2->setListIndex(1);
    EXPECT_EQ(std::tuple(windows.hooked(first), windows.hooked(5151)), std::tuple(false, true));
}

TEST_F(OpenListItem, ShorterMovieDoesNotSeekWhenTheSliderIsPulledBack)
{
    engine.setLength(1000);
    start({"/m/long.mpg", "/m/short.mpg"}, 0);
    form1->HScroll1->setValue(800);
    clearSent();
    engine.setLength(100);
    form1->List2->setListIndex(1);
    EXPECT_EQ(std::tuple(sent().filter(QRegularExpression("^seek")), engine.positionFrames()),
        std::tuple(QStringList(), 0));
}

// One box (the device's text and the removal, the movie window lifted for it), the entry goes,
// and the one that took its place opens; the only entry leaves nothing open. Which entry opens
// after a failed last one is the clicked-entry test's.
TEST_F(OpenListItem, UnplayableEntryGoesAndItsNeighbourOpens)
{
    struct Case {
        QStringList paths;
        int before, bad;
        MediaError error;
        int rc;
        QStringList left;
        int index;
    } const cases[] = {
        {{"/m/a.mpg", "/m/bad.mpg", "/m/c.mpg"}, 0, 1, MediaError::InvalidFile, mcierr::InvalidFile,
            {"a.mpg", "c.mpg"}, 1},
        {{"/m/bad.mpg"}, -1, 0, MediaError::FileNotFound, mcierr::FileNotFound, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths.join(' ').toStdString());
        start(c.paths);
        form1->playlist->select(c.before);
        engine.failNextOpen(c.error);
        form1->playlist->select(c.bad);

        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const FakeDialogs::Box& box = dialogs.boxes.front();
        EXPECT_EQ(std::tuple(box.text, box.title, box.buttons, box.icon, box.movieTopMost),
            std::tuple(mcierr::text(c.rc) + "リスト一覧から削除します。", QString("削除"),
                msgbox::OkOnly, msgbox::Information, std::optional(false)));
        const bool open = !c.left.isEmpty();
        EXPECT_EQ(std::tuple(names(), selected(), form1->List1->ListIndex(), form1->Label1->text(),
                      engine.isOpen(), form1->Timer1->isActive(), form1->Command2->isEnabled()),
            std::tuple(
                c.left, c.index, c.index, c.left.value(c.index, "ファイル名"), open, open, open));
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
        EXPECT_EQ(std::tuple(shown, names(), highlight(), selected(), form1->Label1->text()),
            std::tuple(row.whileShown, row.left, QList<int>{row.highlighted}, row.highlighted,
                row.left[row.highlighted]));
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
    EXPECT_EQ(std::count(depth.begin(), depth.end(), depth.front()), bad);
    EXPECT_EQ(std::tuple(opened(), names()),
        std::tuple(paths + QStringList{"/m/good.mpg"}, QStringList({"good.mpg"})));
}

}  // namespace
