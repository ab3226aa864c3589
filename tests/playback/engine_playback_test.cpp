// The program's playback over the real libmpv engine (no video or sound output), on clips made
// by ffmpeg when the test starts. What the engine itself must do is mpv_engine_test's; here the
// program's own rules meet real answers: failed opens, damaged clips, the end of each movie, the
// containers of today coming in every way a movie comes in.
// Checks: open_list_item.cpp, position_timer.cpp, transport.cpp (src/playback); mpv_engine.cpp
// (src/platform/mpv); file_kind.cpp, add_files.cpp, list_writer.cpp, list_files.cpp (src/playlist);
// text_file.cpp (src/settings).
#include "file_tree.h"
#include "form_fixture.h"
#include "media_clips.h"
#include "platform/mpv/mpv_engine.h"

#include <filesystem>

namespace {

std::unique_ptr<MediaClips> clips;

class EnginePlayback : public FormFixtureOn<MpvEngine> {
protected:
    static void SetUpTestSuite()
    {
        clips = std::make_unique<MediaClips>();
        using N = MediaClips::Numbered;
        if (!clips->makeVideoCd("good.mpg", 1) || !clips->makeSoundOnly("sound.mp4"))
            return;
        for (const auto& [name, kind] : {std::pair{"h264.mp4", N::H264Mp4},
                 {"vp9.webm", N::Vp9WebM}, {"tracks.mkv", N::H264Mkv}})
            if (!clips->makeNumbered(name, kind, 1, 0, 352, 240))
                return;
        QFile good(clips->path("good.mpg"));
        ASSERT_TRUE(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QByteArray corrupted = bytes;
        for (qsizetype i = corrupted.size() / 3; i < corrupted.size() / 3 + 20000; i += 7)
            corrupted[i] = char(corrupted[i] ^ 0x5a);
        const std::pair<const char*, QByteArray> files[] = {
            {"text.mpg", "This is not a movie.\n"},
            {"empty.mpg", {}},
            {"truncated.mpg", bytes.left(bytes.size() / 2)},
            {"corrupted.mpg", corrupted},
        };
        for (const auto& [name, data] : files) {
            QFile out(clips->path(name));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(data) == data.size());
        }
    }
    void SetUp() override { ASSERT_TRUE(clips->ok()) << clips->why().toStdString(); }
    void TearDown() override { form1->Form_Unload(); }

    QString playing() const { return form1->Label1->text(); }
    QString speedReply()
    {
        QString reply;
        mci.MciSend(QStringLiteral("status avfile speed"), reply);
        return reply;
    }
};

// Files that cannot be played go with one message each; damaged ones play what they have and
// reach their end like any other, so the list goes on, and Loop wraps after the last.
TEST_F(EnginePlayback, AListPlaysThroughBadAndDamagedFilesAndWraps)
{
    load();
    const QStringList bad = {"missing.mpg", "text.mpg", "empty.mpg", "sound.mp4"};
    for (const QString& name : bad + QStringList{"truncated.mpg", "corrupted.mpg", "good.mpg"})
        form1->playlist->append(clips->path(name));
    form1->playlist->select(0);

    ASSERT_EQ(dialogs.boxes.size(), 4u);
    const QString removal = QStringLiteral("リスト一覧から削除します。");
    for (const auto& box : dialogs.boxes)  // the device's text, then the removal; the file below
        EXPECT_TRUE(box.text.endsWith(removal) && box.text.size() > removal.size() &&
                    box.title == "削除" &&
                    box.informative == clips->path(bad[&box - dialogs.boxes.data()]))
            << box.text.toStdString();
    ASSERT_EQ(std::tuple(playing(), caption2()), std::tuple("truncated.mpg", "|>"));

    form1->Command2->click();
    for (const char* next : {"corrupted.mpg", "good.mpg", "truncated.mpg"}) {
        EXPECT_TRUE(waitUntil([&] { return playing() == next; }))
            << playing().toStdString() << " stuck at " << form1->Label2->text().toStdString()
            << " of " << form1->playback->media_len << " frames";
    }
    EXPECT_EQ(std::tuple(caption2(), form1->List2->ListCount(), dialogs.boxes.size()),
        std::tuple("II", 3, 4u));
}

// MP4, WebM and Matroska (two sound tracks and subtitles) on the command line, then dropped,
// then saved to a list file and opened from it: each opens at its size and
// steps frame by frame both ways (what each step shows is frame_step_test's).
TEST_F(EnginePlayback, TodaysContainersComeInEveryWayAndStepBothWays)
{
    const QStringList made = {
        clips->path("h264.mp4"), clips->path("vp9.webm"), clips->path("tracks.mkv")};
    load(made.join(u' '));
    handlers().OLEDragDrop(made);  // the drops' handler (a real drop: playback_scenarios.sh)
    dialogs.paths = {clips->path("today.vep"), clips->path("today.vep")};
    handlers().Command19_Click();
    form1->reset_all();
    handlers().Command20_Click();
    ASSERT_EQ(paths(), made + made);
    QString position;
    for (int i = 0; i < paths().size(); ++i) {
        playlist().select(i);
        for (QPushButton* button : {form1->Command5, form1->Command5, form1->Command5,
                 form1->Command6, form1->Command5, form1->Command6, form1->Command6})
            button->click();
        mci.MciSend("status avfile position", position);
        EXPECT_EQ(std::tuple(playing(), form2().Label1->toolTip(), position),
            std::tuple(paths()[i].section(u'/', -1), "ｵﾘｼﾞﾅﾙｻｲｽﾞ：352×240", "1"));
    }
    EXPECT_EQ(boxes(), "");
}

// mpv keeps its speed from file to file: the next entry, by >| or by Loop, plays at normal speed.
TEST_F(EnginePlayback, TheNextEntryPlaysAtNormalSpeed)
{
    load();  // Loop ticked, as at start
    for (int i = 0; i < 3; ++i)
        form1->playlist->append(clips->path("good.mpg"));
    form1->playlist->select(0);
    for (int i = 0; i < 4; ++i)
        form1->Command3->click();
    form1->Command11->click();
    form1->playback->Timer1_Timer();
    EXPECT_EQ(std::tuple(form1->List2->ListIndex(), form1->Label3->text(), speedReply()),
        std::tuple(1, QStringLiteral("|>|> ±0"), QStringLiteral("1000")));
    form1->Command3->click();
    form1->Command2->click();
    EXPECT_TRUE(waitUntil([&] { return form1->List2->ListIndex() == 2; }));
    EXPECT_EQ(speedReply(), "1000");
}

// A name that is not UTF-8 (Shift-JIS bytes, valid CP932 too): imported with its folder, saved in
// a list file, opened from it again, and played.
TEST_F(EnginePlayback, ANameNotUtf8IsSavedOpenedAgainAndPlayed)
{
    FileTree tree;
    tree.add({"movies/"});
    const QByteArray name = "\x93\xFA\x96\x7B.mpg";
    std::filesystem::copy_file(toNativeFileName(clips->path("good.mpg")).toStdString(),
        (tree.root() + "/movies/" + name).toStdString());
    dialogs.paths = {tree.path("movies"), tree.path("list.vep")};
    handlers().folda_open();
    handlers().Command19_Click();
    form1->reset_all();  // an empty playlist
    dialogs.paths = {tree.path("list.vep")};
    handlers().Command20_Click();
    form1->Command2->click();
    EXPECT_TRUE(waitUntil([&] { return speedReply() == "1000" && form1->HScroll1->Value() > 0; }));
    EXPECT_EQ(std::tuple(paths(), playing(), boxes()),
        std::tuple(QStringList{tree.path("movies/" + name)}, fromNativeFileName(name), ""));
}

}  // namespace
