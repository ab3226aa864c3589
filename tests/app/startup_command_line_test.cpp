// What the command line does at start-up: which entries land, which one is opened, the Video-CD
// switch. How the line is split is the command-line parser's own test.
#include "form_fixture.h"

namespace {

class StartupCommandLine : public FormFixture {
protected:
    QString writeList(const QString& name, const QStringList& lines)
    {
        writeFile(programFile(name), (lines.join("\r\n") + "\r\n").toUtf8());
        return programFile(name);
    }
    int opens() const { return engine.calls().filter(QRegularExpression("^open ")).size(); }
};

// %L stands for a list file holding One and Two, %M for a list file that does not exist.
struct LineCase {
    const char* line;
    QStringList names;
    const char* opened;  // the first entry, opened stopped; "" when nothing is
};

class StartupLines : public StartupCommandLine, public testing::WithParamInterface<LineCase> { };

}  // namespace

TEST_P(StartupLines, EntriesLandInOrderAndTheFirstIsOpenedStopped)
{
    const LineCase& c = GetParam();
    const QString list = writeList("fav.VEP", {"/m/one.mpg=One", "/m/two.avi=Two"});
    load(QString::fromUtf8(c.line).replace("%L", list).replace("%M", programFile("missing.vep")));

    EXPECT_EQ(std::tuple(names(), form1->List1->ListCount(), engine.path()),
        std::tuple(c.names, c.names.size(), QString::fromUtf8(c.opened)));
    // Opened once, stopped; the placeholder hidden once a picture stands.
    const int opened = c.names.isEmpty() ? 0 : 1;
    EXPECT_EQ(std::tuple(opens(), form1->List2->ListIndex(), form1->List1->ListIndex(),
                  form1->Command2->isEnabled(), form2().Label2->isVisible(), engine.isPlaying()),
        std::tuple(opened, opened - 1, opened - 1, opened == 1, opened == 0, false));
    // No box; cmd_item is only there while start-up runs.
    EXPECT_EQ(std::tuple(boxes(), form1->cmd_item, form1->Check5->Value()), std::tuple("", "", 0));
}

INSTANTIATE_TEST_SUITE_P(Lines, StartupLines,
    testing::Values(LineCase{"", {}, ""},
        LineCase{"/films/Trip.MPG", {"Trip.MPG"}, "/films/Trip.MPG"},
        LineCase{"/a/b.mpeg /a/c.AVI /a/d.Dat /a/e.mpg /a/notes.txt /a/xmpeg",
            {"b.mpeg", "c.AVI", "d.Dat", "e.mpg", "xmpeg"}, "/a/b.mpeg"},
        LineCase{"/a/readme.txt", {}, ""},
        LineCase{
            "\"/my films/a b.mpg\" \"/my films/c.mpg\"", {"a b.mpg", "c.mpg"}, "/my films/a b.mpg"},
        LineCase{"%L", {"One", "Two"}, "/m/one.mpg"},
        LineCase{"/m/a.mpg %L /m/z.dat", {"a.mpg", "One", "Two", "z.dat"}, "/m/a.mpg"},
        LineCase{"/nowhere/missing.vep /m/a.mpg", {"a.mpg"}, "/m/a.mpg"}, LineCase{"%M", {}, ""},
        LineCase{"/m/a.mpg 1", {"a.mpg"}, "/m/a.mpg"}));  // a last "1" is no switch

// Lines missing a piece land as "ErrorList" without a word; opening one fails and removes it.
TEST_F(StartupCommandLine, ErrorListEntriesAreRemovedWhenOpened)
{
    const QString list = writeList(
        "bad.vep", {"no separator", "/m/good.mpg=Good", "=x=Name", "/m/q.mpg="});
    engine.failNextOpen(MediaError::FileNotFound);
    load(list);
    EXPECT_EQ(items(form1->List1), QStringList({"/m/good.mpg", "ErrorList", "/m/q.mpg"}));
    EXPECT_EQ(names(), QStringList({"Good", "Name", "ErrorList"}));
    EXPECT_EQ(std::tuple(form1->List2->ListIndex(), engine.path(), dialogs.boxes.size()),
        std::tuple(0, QString("/m/good.mpg"), 1u));
}

// The Video-CD switch alone, or inside a longer line: a.mpg is added, then entering Video-CD mode
// empties the list; what stands behind "1" is kept, not read as files.
TEST_F(StartupCommandLine, VideoCdSwitch)
{
    const struct {
        const char* line;
        const char* vcd;
        const char* item;
    } cases[] = {{"1", "1", ""}, {"/m/a.mpg 1 /m/names.vep /m/b.mpg", "", "/m/names.vep /m/b.mpg"}};
    for (const auto& c : cases) {
        form1 = std::make_unique<Form1>(*services);
        screenSaver.changes.clear();
        load(c.line);
        EXPECT_EQ(QStringList({form1->cmd_vcd, form1->cmd_item}), QStringList({c.vcd, c.item}));
        EXPECT_EQ(std::tuple(form1->Check5->Value(), form1->mode_flg, form1->List2->ListCount(),
                      opens(), form2().isVisible(), screenSaver.changes),
            std::tuple(1, 0, 0, 0, true, std::vector<bool>{false}));
    }
}
