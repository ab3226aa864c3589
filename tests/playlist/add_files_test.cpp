#include "form_fixture.h"

#include <QMimeData>

using AddFiles = StartedForm;

// Rows in order, each on the state the one before left: where the dialog opens, what a choice
// adds and opens, and whether the movie window is in front afterwards.
TEST_F(AddFiles, OpenDialogAddsTheChosenFileAndOpensIt)
{
    const QString longFolder = u'/' + QString(300, u'x') + u'/';  // beyond the old 256 limit
    const QString program = programDir.path() + u'/';
    const struct {
        bool keepInFront;
        QString answer;  // empty: cancelled
        QString startsIn;
        QStringList names, opened;
    } rows[] = {
        {false, "/m/dir/Trip.MPG", program, {"Trip.MPG"}, {"/m/dir/Trip.MPG"}},
        {true, "/m/dir/Trip.MPG", "/m/dir/", {"Trip.MPG", "Trip.MPG"}, {"/m/dir/Trip.MPG"}},
        {true, longFolder + "a.avi", "/m/dir/", {"Trip.MPG", "Trip.MPG", "a.avi"},
            {longFolder + "a.avi"}},
        {false, "", longFolder, {"Trip.MPG", "Trip.MPG", "a.avi"}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer.left(20).toStdString());
        setKeepInFront(row.keepInFront);
        dialogs.paths = {row.answer};
        engine.clearCalls();
        handlers().Command1_Click();
        const FileDialogSetup& shown = dialogs.fileDialogs.back().setup;
        EXPECT_EQ(std::tuple(shown.title, shown.filterIndex, shown.folder, shown.filters,
                      dialogs.fileDialogs.back().movieTopMost, names(), selected(), opened(),
                      movieTopMost()),
            std::tuple(QString("動画ﾌｧｲﾙを開く"), 1, row.startsIn,
                decltype(shown.filters){{"Mpegファイル(*.mpg,*.mpeg)", "*.mpg;*.mpeg"},
                    {"AVIファイル (*.avi)", "*.avi"}, {"VCDファイル (*.dat)", "*.dat"}},
                std::optional(false), row.names, row.names.size() - 1, row.opened,
                row.keepInFront));
    }
}

// Drops onto each of the four targets, with one body: the movies by their last four characters
// (and a disc image's tracks) in the drop's order, the first of them opened (playing when the
// player plays); no message, no change of the topmost state or of the dialogs' folders.
TEST_F(AddFiles, DropsAddTheMoviesAndOpenTheFirst)
{
    const struct {
        QWidget* target;
        QByteArray uris;
        bool playing;
        QStringList added;
    } rows[] = {
        {&form2(), "file:///m/A.MPEG\r\nfile:///m/b.Avi\r\nfile:///m/c.txt\r\n", false,
            {"/m/A.MPEG", "/m/b.Avi"}},
        {form2().Label1, "file:///m/xmpeg\r\nhttp://example.com/web.mpg\r\nfile:///m/a%20b.dat\r\n",
            false, {"/m/xmpeg", "/m/a b.dat"}},
        {form2().Label2, "file:///m/dir.avi/\r\nfile:///m/folder/\r\nfile:///m/e.mp4\r\n", true,
            {"/m/dir.avi"}},
        {form1->List2->viewport(), "file:///m/l%E9gende.mpg\r\n", true,
            {fromNativeFileName("/m/l\xE9gende.mpg")}},
        // A disc image adds its tracks where it lies in the drop.
        {form1->List2->viewport(), "file:///m/a.mpg\r\nfile:///v/disc.cue\r\nfile:///m/b.avi\r\n",
            false,
            {"/m/a.mpg", "/v/disc.cue/MPEGAV/AVSEQ01.DAT", "/v/disc.cue/MPEGAV/AVSEQ02.DAT",
                "/m/b.avi"}},
    };
    drives.table = {{"/v/disc.cue", FakeDriveTable::videoCd(QStringLiteral("MOVIE"))}};
    start({"/m/first.mpg"}, 0);
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.uris.constData());
        if (row.playing != (caption2() == "II"))
            form1->Command2->click();
        const QStringList before = paths();
        engine.clearCalls();
        QMimeData data;
        data.setData("text/uri-list", row.uris);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row.target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row.target, &drop);
        for (qsizetype i = 0; i < row.added.size(); ++i)
            EXPECT_EQ(names().value(before.size() + i), row.added[i].section(u'/', -1));
        EXPECT_EQ(std::tuple(paths(), selected(), opened(), engine.isPlaying(), boxes(),
                      movieTopMost(), handlers().file_dir),
            std::tuple(before + row.added, before.size(), row.added.mid(0, 1), row.playing, "",
                true, programDir.path() + u'/'));
    }
}
