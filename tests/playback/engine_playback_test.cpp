// The program's playback over the real libmpv engine (no video or sound output), on clips made
// by ffmpeg when the test starts. What the engine itself must do is mpv_engine_test's; here the
// program's own rules meet real answers: failed opens, damaged clips, the end of each movie.
// Checks: open_list_item.cpp, position_timer.cpp (src/playback); mpv_engine.cpp (src/platform/mpv).
#include "form_fixture.h"
#include "media_clips.h"
#include "platform/mpv/mpv_engine.h"

namespace {

std::unique_ptr<MediaClips> clips;

class EnginePlayback : public FormFixtureOn<MpvEngine> {
protected:
    static void SetUpTestSuite()
    {
        clips = std::make_unique<MediaClips>();
        if (!clips->makeVideoCd("good.mpg", 1))
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
    void SetUp() override
    {
        ASSERT_TRUE(clips->ok()) << clips->why().toStdString();
        load();
    }
    void TearDown() override { form1->Form_Unload(); }

    QString playing() const { return form1->Label1->text(); }
};

// Files that cannot be played go with one message each; damaged ones play what they have and
// reach their end like any other, so the list goes on, and Loop wraps after the last.
TEST_F(EnginePlayback, AListPlaysThroughBadAndDamagedFilesAndWraps)
{
    const QStringList bad = {"missing.mpg", "text.mpg", "empty.mpg"};
    for (const QString& name : bad + QStringList{"truncated.mpg", "corrupted.mpg", "good.mpg"})
        form1->playlist->append(clips->path(name));
    form1->playlist->select(0);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
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
        std::tuple("II", 3, 3u));
}

}  // namespace
