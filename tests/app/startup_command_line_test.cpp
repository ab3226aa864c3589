// What the command line does at start-up: which entries land, which one is opened, the Video-CD
// switch. How the line is split is the command-line parser's own test.
#include "form_fixture.h"

// %L stands for a list file holding One and Two, %M for a list file that does not exist. The
// first entry is opened once, stopped; the placeholder is hidden once a picture stands. (A quoted
// line, a list file alone and the Video-CD examples: the help page's command lines; a last "1":
// the parser's rows.)
TEST_F(FormFixture, StartupEntriesLandInOrderAndTheFirstIsOpenedStopped)
{
    const QString list = programFile("fav.VEP");
    writeFile(list, "/m/one.mpg=One\r\n/m/two.avi=Two\r\n");
    const std::tuple<QString, QStringList, QString> cases[] = {
        {"/films/Trip.MPG", {"Trip.MPG"}, "/films/Trip.MPG"},
        {"/a/b.mpeg /a/c.AVI /a/d.Dat /a/e.mpg /a/notes.txt /a/xmpeg",
            {"b.mpeg", "c.AVI", "d.Dat", "e.mpg", "xmpeg"}, "/a/b.mpeg"},
        {"/a/readme.txt", {}, ""},
        {"/m/a.mpg %L /m/z.dat", {"a.mpg", "One", "Two", "z.dat"}, "/m/a.mpg"},
        {"/nowhere/missing.vep /m/a.mpg", {"a.mpg"}, "/m/a.mpg"}, {"%M", {}, ""}};
    for (const auto& [line, landed, first] : cases) {
        SCOPED_TRACE(line.toStdString());
        form1 = std::make_unique<Form1>(*services);
        engine.clearCalls();
        load(QString(line).replace("%L", list).replace("%M", programFile("missing.vep")));
        const int n = landed.isEmpty() ? 0 : 1;
        EXPECT_EQ(std::tuple(names(), form1->List1->ListCount(), opened()),
            std::tuple(landed, landed.size(), n ? QStringList{first} : QStringList()));
        EXPECT_EQ(
            std::tuple(form1->List2->ListIndex(), form1->List1->ListIndex(),
                form1->Command2->isEnabled(), form2().Label2->isVisible(), engine.isPlaying()),
            std::tuple(n - 1, n - 1, n == 1, n == 0, false));
        // No box; cmd_item is only there while start-up runs.
        EXPECT_EQ(
            std::tuple(boxes(), form1->cmd_item, form1->Check5->Value()), std::tuple("", "", 0));
    }
}

// Lines missing a piece land as "ErrorList" without a word; opening one fails and removes it.
TEST_F(FormFixture, ErrorListEntriesAreRemovedWhenOpened)
{
    writeFile(
        programFile("bad.vep"), "no separator\r\n/m/good.mpg=Good\r\n=x=Name\r\n/m/q.mpg=\r\n");
    engine.failNextOpen(MediaError::FileNotFound);
    load(programFile("bad.vep"));
    EXPECT_EQ(items(form1->List1), QStringList({"/m/good.mpg", "ErrorList", "/m/q.mpg"}));
    EXPECT_EQ(names(), QStringList({"Good", "Name", "ErrorList"}));
    EXPECT_EQ(std::tuple(form1->List2->ListIndex(), engine.path(), dialogs.boxes.size()),
        std::tuple(0, QString("/m/good.mpg"), 1u));
}

// The Video-CD switch alone, or inside a longer line: a.mpg is added, then entering Video-CD mode
// empties the list; what stands behind "1" is kept, not read as files.
TEST_F(FormFixture, VideoCdSwitch)
{
    // The line, then what start-up keeps of it as the switch and as the rest behind it.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1", "1", ""}, {"/m/a.mpg 1 /m/names.vep /m/b.mpg", "", "/m/names.vep /m/b.mpg"}};
    for (const auto& [line, vcd, item] : cases) {
        form1 = std::make_unique<Form1>(*services);
        screenSaver.changes.clear();
        load(line);
        EXPECT_EQ(QStringList({form1->cmd_vcd, form1->cmd_item}), QStringList({vcd, item}));
        EXPECT_EQ(std::tuple(form1->Check5->Value(), form1->mode_flg, form1->List2->ListCount(),
                      opened().size(), form2().isVisible(), screenSaver.changes),
            std::tuple(1, 0, 0, 0, true, std::vector<bool>{false}));
    }
}
