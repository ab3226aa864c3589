// What the command line does at start-up: which entries land and which one is opened. How the
// line is split is the command-line parser's own test; the Video-CD switch at start-up, the
// Video-CD tests'.
// Checks: form_load.cpp, command_line.cpp (src/app); file_kind.cpp, list_reader.cpp (src/playlist);
// open_list_item.cpp (src/playback).
#include "form_fixture.h"

#include <gmock/gmock.h>

// %L stands for a list file holding One and Two. The first entry is opened once, stopped; the
// placeholder is hidden once a picture stands. (A single movie, a quoted line, a list file alone
// and the Video-CD examples: the help page's command lines; a last "1": the parser's rows.)
TEST_F(FormFixture, StartupEntriesLandInOrderAndTheFirstIsOpenedStopped)
{
    const QString list = programFile("fav.VEP");
    writeFile(list, "/m/one.mpg=One\r\n/m/two.avi=Two\r\n");
    const std::tuple<QString, QStringList, QString> cases[] = {
        {"/a/b.mpeg /a/c.AVI /a/d.Dat /a/e.mpg /a/notes.txt /a/xmpeg",
            {"b.mpeg", "c.AVI", "d.Dat", "e.mpg", "xmpeg"}, "/a/b.mpeg"},
        {"/m/a.mpg %L /m/z.dat", {"a.mpg", "One", "Two", "z.dat"}, "/m/a.mpg"},
        {"/nowhere/missing.vep /m/a.mpg", {"a.mpg"}, "/m/a.mpg"},
        {"/a/v.MKV /a/s.m4a /a/p.jpg /a/w.webm", {"v.MKV", "w.webm"}, "/a/v.MKV"},
        {"/a/x.mp4", {"x.mp4"}, "/a/x.mp4"}};
    for (const auto& [line, landed, first] : cases) {
        SCOPED_TRACE(line.toStdString());
        form1 = std::make_unique<Form1>(*services);
        engine.clearCalls();
        load(QString(line).replace("%L", list));
        // No box; cmd_item is only there while start-up runs.
        EXPECT_THAT(std::tuple(names(), form1->List1->ListCount(), opened(),
                        form1->List2->ListIndex(), form1->List1->ListIndex(),
                        form1->Command2->isEnabled(), form2().Label2->isVisible(),
                        engine.isPlaying(), boxes(), form1->cmd_item, form1->Check5->Value()),
            testing::FieldsAre(
                landed, landed.size(), QStringList{first}, 0, 0, true, false, false, "", "", 0));
    }
}
