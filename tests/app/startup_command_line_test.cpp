// The command line at start-up: which entries are added, which one is opened, Video-CD switch.
#include "app/controls/check_box.h"
#include "app/controls/list_box.h"
#include "form_fixture.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>

namespace {

class StartupCommandLine : public FormFixture {
protected:
    QString writeList(const QString& name, const QStringList& lines)
    {
        const QString path = programFile(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& line : lines)
            file.write((line + "\r\n").toUtf8());
        return path;
    }
    QStringList paths() const
    {
        QStringList out;
        for (int i = 0; i < form1->List1->ListCount(); ++i)
            out << form1->List1->List(i);
        return out;
    }
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < form1->List2->ListCount(); ++i)
            out << form1->List2->List(i);
        return out;
    }
    int opens() const { return engine.calls().filter(QRegularExpression("^open ")).size(); }
};

}  // namespace

TEST_F(StartupCommandLine, EmptyLineLeavesTheListEmpty)
{
    load("");
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_EQ(opens(), 0);
    EXPECT_TRUE(form2().Label2->isVisible());
}

TEST_F(StartupCommandLine, SingleMovieIsOpenedStopped)
{
    load("/films/Trip.MPG");
    EXPECT_EQ(paths(), QStringList({"/films/Trip.MPG"}));
    EXPECT_EQ(names(), QStringList({"Trip.MPG"}));
    EXPECT_EQ(form1->List2->ListIndex(), 0);
    EXPECT_EQ(form1->List1->ListIndex(), 0);
    EXPECT_EQ(engine.path(), "/films/Trip.MPG");
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_EQ(form1->Command2->text(), "|>");
    EXPECT_TRUE(form1->Command2->isEnabled());
    // The token being examined stays only while start-up runs.
    EXPECT_TRUE(form1->cmd_item.isEmpty());
}

TEST_F(StartupCommandLine, MovieEndingsIgnoreCaseAndLookAtFourCharacters)
{
    load("/a/b.mpeg /a/c.AVI /a/d.Dat /a/e.mpg /a/notes.txt /a/xmpeg");
    EXPECT_EQ(names(), QStringList({"b.mpeg", "c.AVI", "d.Dat", "e.mpg", "xmpeg"}));
    EXPECT_EQ(form1->List2->ListIndex(), 0);
    EXPECT_EQ(engine.path(), "/a/b.mpeg");
    EXPECT_EQ(opens(), 1);
}

TEST_F(StartupCommandLine, OtherTokenIsSkippedSilently)
{
    load("/a/readme.txt");
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StartupCommandLine, QuotedPathsLoseTheirQuotes)
{
    load("\"/my films/a b.mpg\" \"/my films/c.mpg\"");
    EXPECT_EQ(paths(), QStringList({"/my films/a b.mpg", "/my films/c.mpg"}));
    EXPECT_EQ(names(), QStringList({"a b.mpg", "c.mpg"}));
    EXPECT_EQ(engine.path(), "/my films/a b.mpg");
}

TEST_F(StartupCommandLine, SingleListFileOpensItsFirstEntry)
{
    const QString list = writeList("fav.VEP", {"/m/one.mpg=One", "/m/two.avi=Two"});
    load(list);
    EXPECT_EQ(paths(), QStringList({"/m/one.mpg", "/m/two.avi"}));
    EXPECT_EQ(names(), QStringList({"One", "Two"}));
    EXPECT_EQ(form1->List2->ListIndex(), 0);
    EXPECT_EQ(engine.path(), "/m/one.mpg");
}

TEST_F(StartupCommandLine, MoviesAndListsKeepCommandLineOrder)
{
    const QString list = writeList("l.vep", {"/m/x.mpg=X", "/m/y.mpg=Y"});
    load("/m/a.mpg " + list + " /m/z.dat");
    EXPECT_EQ(names(), QStringList({"a.mpg", "X", "Y", "z.dat"}));
    EXPECT_EQ(form1->List2->ListIndex(), 0);
    EXPECT_EQ(engine.path(), "/m/a.mpg");
    EXPECT_EQ(opens(), 1);
}

TEST_F(StartupCommandLine, UnreadableListFileIsSkipped)
{
    load("/nowhere/missing.vep /m/a.mpg");
    EXPECT_EQ(names(), QStringList({"a.mpg"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StartupCommandLine, SingleUnreadableListFileOpensNothing)
{
    load(programFile("missing.vep"));
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_EQ(opens(), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StartupCommandLine, ListLinesMissingAPieceReadAsErrorList)
{
    const QString list = writeList("e.vep", {"/m/p.mpg=Title", "=NameOnly", "=x=Name", "=",
                                             "/m/q.mpg=", "no separator", "/m/r.mpg=mid=Last"});
    load("/m/first.mpg " + list);
    EXPECT_EQ(paths(), QStringList({"/m/first.mpg", "/m/p.mpg", "ErrorList", "ErrorList",
                                    "ErrorList", "/m/q.mpg", "ErrorList", "/m/r.mpg"}));
    EXPECT_EQ(names(), QStringList({"first.mpg", "Title", "ErrorList", "Name", "ErrorList",
                                    "ErrorList", "ErrorList", "Last"}));
    EXPECT_TRUE(dialogs.boxes.empty());  // nothing reported at start-up
}

TEST_F(StartupCommandLine, ErrorListEntryFailsWhenOpenedAndIsRemoved)
{
    const QString list = writeList("bad.vep", {"no separator", "/m/good.mpg=Good"});
    engine.failNextOpen(MediaError::FileNotFound);
    load(list);
    EXPECT_EQ(paths(), QStringList({"/m/good.mpg"}));
    EXPECT_EQ(engine.path(), "/m/good.mpg");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "削除");
}

TEST_F(StartupCommandLine, VideoCdSwitchAlone)
{
    load("1");
    EXPECT_EQ(form1->cmd_vcd, "1");
    EXPECT_EQ(form1->Check5->Value(), 1);
    EXPECT_EQ(form1->mode_flg, 0);
    EXPECT_TRUE(form1->cmd_item.isEmpty());
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_TRUE(form2().isVisible());
    EXPECT_EQ(screenSaver.changes, std::vector<bool>{false});
}

TEST_F(StartupCommandLine, VideoCdSwitchInsideALongerLine)
{
    load("/m/a.mpg 1 /m/names.vep /m/b.mpg");
    EXPECT_EQ(names(), QStringList({"a.mpg"}));  // tokens behind "1" are not files
    EXPECT_EQ(form1->cmd_item, "/m/names.vep /m/b.mpg");
    EXPECT_TRUE(form1->cmd_vcd.isEmpty());
    EXPECT_EQ(form1->Check5->Value(), 1);
    EXPECT_EQ(form1->mode_flg, 0);
    EXPECT_EQ(opens(), 0);  // nothing selected on this branch
    EXPECT_TRUE(form2().isVisible());
    EXPECT_EQ(screenSaver.changes, std::vector<bool>{false});
}

TEST_F(StartupCommandLine, VideoCdSwitchAsLastTokenIsJustAnotherToken)
{
    load("/m/a.mpg 1");
    EXPECT_EQ(names(), QStringList({"a.mpg"}));
    EXPECT_EQ(form1->Check5->Value(), 0);
    EXPECT_TRUE(form1->cmd_item.isEmpty());
    EXPECT_EQ(engine.path(), "/m/a.mpg");
}
