#include "controls/file_drop.h"
#include "movie/form2.h"
#include "platform/native_file_name.h"
#include "playlist_fixture.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

namespace {
using AddFiles = PlaylistFixture;
}

// One run of dialogs, each row after the one before: where the dialog opens, what a choice adds
// and opens, and the movie window's place in front afterwards.
TEST_F(AddFiles, OpenDialogAddsTheChosenFileAndOpensIt)
{
    const QString longFolder = u'/' + QString(300, u'x') + u'/';
    struct Row {
        const char* what;
        bool keepInFront;
        QString answer;  // empty: cancelled
        QString startsIn;
        QStringList names;
        QStringList opened;
    };
    const QString program = programDir.path() + u'/';
    const Row rows[] = {
        {"cancelled", true, "", program, {}, {}},
        {"the first choice", false, "/m/dir/Trip.MPG", program, {"Trip.MPG"}, {"/m/dir/Trip.MPG"}},
        {"the same file again", true, "/m/dir/Trip.MPG", "/m/dir/", {"Trip.MPG", "Trip.MPG"},
         {"/m/dir/Trip.MPG"}},
        {"a path longer than 255 characters", true, longFolder + "a.avi", "/m/dir/",
         {"Trip.MPG", "Trip.MPG", "a.avi"}, {longFolder + "a.avi"}},
        {"cancelled again", false, "", longFolder, {"Trip.MPG", "Trip.MPG", "a.avi"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        setKeepInFront(row.keepInFront);
        dialogs.paths = {row.answer};
        engine.clearCalls();
        handlers().Command1_Click();

        ASSERT_FALSE(dialogs.fileDialogs.empty());
        const FakeDialogs::FileDialog& shown = dialogs.fileDialogs.back();
        EXPECT_FALSE(shown.save);
        EXPECT_EQ(shown.setup.title, "動画ﾌｧｲﾙを開く");
        EXPECT_EQ(shown.setup.filters,
                  (std::vector<std::pair<QString, QString>>{{"Mpegファイル(*.mpg,*.mpeg)", "*.mpg;*.mpeg"},
                                                            {"AVIファイル (*.avi)", "*.avi"},
                                                            {"VCDファイル (*.dat)", "*.dat"}}));
        EXPECT_EQ(shown.setup.filterIndex, 1);
        EXPECT_EQ(shown.setup.folder, row.startsIn);
        EXPECT_EQ(shown.movieTopMost, false);
        EXPECT_EQ(names(), row.names);
        EXPECT_EQ(selected(), row.names.size() - 1);
        EXPECT_EQ(opened(), row.opened);
        EXPECT_EQ(movieTopMost(), row.keepInFront);
    }
}

// Rows in order: what is dropped, whether the player plays, the names added, what is opened and
// whether it plays.
TEST_F(AddFiles, DropAddsTheMoviesAndOpensTheFirst)
{
    struct Row {
        QStringList dropped;
        bool playing;
        QStringList added;
        QStringList opened;
    };
    const Row rows[] = {
        {{"/m/A.MPEG", "/m/b.Avi", "/m/c.txt"}, false, {"A.MPEG", "b.Avi"}, {"/m/A.MPEG"}},
        {{"/m/xmpeg", "/m/d.DAT", "/m/dir.mpg", "/m/e.mp4"}, false, {"xmpeg", "d.DAT", "dir.mpg"}, {"/m/xmpeg"}},
        {{"/m/e.wmv", "/m/folder"}, false, {}, {}},
        {{"/m/f.avi", "/m/g.mpg"}, true, {"f.avi", "g.mpg"}, {"/m/f.avi"}},
    };
    setKeepInFront(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dropped.join(u' ').toStdString());
        if (row.playing && form1->Command2->text() != "II")
            form1->Command2->click();
        const QStringList before = names();
        const int selectedBefore = selected();
        engine.clearCalls();
        handlers().OLEDragDrop(row.dropped);
        EXPECT_EQ(names(), before + row.added);
        EXPECT_EQ(selected(), row.added.isEmpty() ? selectedBefore : before.size());
        EXPECT_EQ(opened(), row.opened);
        EXPECT_EQ(engine.isPlaying(), row.playing);
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_TRUE(movieTopMost());
        EXPECT_EQ(handlers().file_dir, programDir.path() + u'/');
    }
}

// Each drop target takes a drop with the same body; the paths come from the drop's file URLs.
TEST_F(AddFiles, EveryDropTargetTakesFileUrls)
{
    const QList<QWidget*> targets = {form1->List2->viewport(), &form2(), form2().Label1, form2().Label2};
    for (QWidget* target : targets) {
        SCOPED_TRACE(target->objectName().toStdString());
        QMimeData data;
        data.setData("text/uri-list", "file:///m/a%20b.mpg\r\n"
                                      "http://example.com/web.mpg\r\n"
                                      "file:///m/l%E9gende.dat\r\n"
                                      "file:///m/dir.avi/\r\n"
                                      "file:///m/notes.txt\r\n");
        const int before = playlist().count();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
        EXPECT_EQ(paths().mid(before),
                  QStringList({"/m/a b.mpg", fromNativeFileName("/m/l\xE9gende.dat"), "/m/dir.avi"}));
        EXPECT_EQ(selected(), before);
    }
}
