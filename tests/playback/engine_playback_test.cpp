// The program's playback over the real libmpv engine (no video or sound output), on clips made
// by ffmpeg when the test starts.
#include "app/form1.h"
#include "app/services.h"
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "platform/mpv/mpv_engine.h"
#include "playback/label_caption.h"
#include "playback/playback.h"
#include "playlist/playlist.h"

#include "counting_bell.h"
#include "fake_desktop.h"
#include "fake_dialogs.h"
#include "fake_mixer.h"
#include "fake_screen_saver.h"
#include "fake_tray_icon.h"
#include "fake_window_layer.h"
#include "media_clips.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

MediaClips* clips = nullptr;

class EnginePlayback : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (clips)
            return;
        clips = new MediaClips;
        if (!(clips->makeVideoCd("a.mpg", 1) && clips->makeVideoCd("b.mpg", 1) &&
              clips->makeVideoCd("c.mpg", 1) && makeBadClips()))
            return;
    }

    // Files the player must cope with: unreadable ones, and damaged ones that still decode.
    static bool makeBadClips()
    {
        QFile a(clips->path("a.mpg"));
        if (!a.open(QIODevice::ReadOnly))
            return false;
        const QByteArray good = a.readAll();
        QByteArray corrupted = good;
        for (qsizetype i = corrupted.size() / 3; i < corrupted.size() / 3 + 20000 && i < corrupted.size(); i += 7)
            corrupted[i] = char(corrupted[i] ^ 0x5a);
        const std::pair<const char*, QByteArray> files[] = {
            {"text.mpg", "This is not a movie.\n"},
            {"empty.mpg", QByteArray()},
            {"truncated.mpg", good.left(good.size() / 2)},
            {"corrupted.mpg", corrupted},
            {"say \"hi\", a=b.mpg", good},
        };
        for (const auto& [name, data] : files) {
            QFile out(clips->path(name));
            if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size())
                return false;
        }
        return true;
    }

    void SetUp() override
    {
        ASSERT_TRUE(clips && clips->ok()) << (clips ? clips->why().toStdString() : "");
        form1 = std::make_unique<Form1>(services);
        form1->Form_Load(QString());
    }
    void TearDown() override
    {
        if (form1)
            form1->Form_Unload();
        form1.reset();
    }

    void add(const QStringList& names)
    {
        for (const QString& name : names)
            form1->playlist->append(name.startsWith('/') ? name : clips->path(name));
    }
    // Runs the event loop (the position timer ticks) until `done`, at most `seconds`.
    static bool waitUntil(const std::function<bool()>& done, int seconds)
    {
        QDeadlineTimer deadline(seconds * 1000);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
    QString ask(const QString& cmd)
    {
        QString reply;
        mci.MciSend(cmd, reply);
        return reply;
    }
    // The first line of the position label (a blank and the frame number).
    QString frameShown()
    {
        form1->playback->Timer1_Timer();
        return label_caption::captionOf(*form1->Label2).section(QLatin1Char('\n'), 0, 0);
    }

    MpvEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    FakeWindowLayer windows;
    FakeDialogs dialogs;
    FakeScreenSaver screenSaver;
    FakeMixer mixer;
    FakeTrayIcon tray;
    FakeDesktop desktop;
    QTemporaryDir programDir;
    Services services{mci, windows, dialogs, screenSaver, mixer, tray, desktop, programDir.path()};
    std::unique_ptr<Form1> form1;
};

TEST_F(EnginePlayback, OpeningLoadsTheMovieStopped)
{
    add({"a.mpg"});
    form1->playlist->select(0);
    EXPECT_EQ(form1->playback->media_len, engine.lengthFrames());
    EXPECT_GE(form1->playback->media_len, 29);  // 1 s at 29.97 fps
    EXPECT_EQ(ask("status avfile mode"), "stopped");
    EXPECT_EQ(form1->Command2->text(), "|>");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Opening ends with "play avfile window" at once followed by "stop avfile": the device must
// still stand on the first picture.
TEST_F(EnginePlayback, OpeningShowsTheFirstPicture)
{
    for (int run = 0; run < 10; ++run) {
        add({"a.mpg"});
        form1->playlist->select(form1->List2->ListCount() - 1);
        ASSERT_EQ(frameShown(), " 0") << "run " << run;
    }
}

TEST_F(EnginePlayback, StepsChangeTheFrameDisplayByExactlyOne)
{
    add({"a.mpg"});
    form1->playlist->select(0);
    form1->HScroll1->setValue(5);  // an exact seek: a known frame to step from
    ASSERT_EQ(frameShown(), " 5");
    const QStringList expected = {" 6", " 7", " 6", " 5", " 4"};
    QStringList shown;
    for (bool forward : {true, true, false, false, false}) {
        forward ? form1->playback->Command5_Click() : form1->playback->Command6_Click();
        shown << frameShown();
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(form1->Command2->text(), "|>");
}

TEST_F(EnginePlayback, PlaysToTheEndAndStopsThereWithoutLoop)
{
    form1->Check3->setValue(0);
    add({"a.mpg"});
    form1->playlist->select(0);
    form1->playback->Command2_Click();
    ASSERT_EQ(form1->Command2->text(), "II");
    ASSERT_TRUE(waitUntil([&] { return form1->Command2->text() == "|>"; }, 10));
    EXPECT_EQ(ask("status avfile position"), QString::number(form1->playback->media_len));
    EXPECT_EQ(frameShown(), QStringLiteral(" %1").arg(form1->playback->media_len));
}

TEST_F(EnginePlayback, LoopPlaysTheNextEntryAndWrapsAfterTheLast)
{
    add({"a.mpg", "b.mpg"});
    form1->playlist->select(0);
    form1->playback->Command2_Click();
    ASSERT_TRUE(waitUntil([&] { return form1->List2->ListIndex() == 1; }, 10));
    EXPECT_TRUE(engine.isPlaying());
    ASSERT_TRUE(waitUntil([&] { return form1->List2->ListIndex() == 0; }, 10));
    EXPECT_TRUE(engine.isPlaying());
    EXPECT_EQ(form1->Command2->text(), "II");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(EnginePlayback, UnplayableFilesAreRemovedWithOneMessageEach)
{
    add({"/nonexistent/missing.mpg", "text.mpg", "empty.mpg", "b.mpg"});
    form1->playlist->select(0);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
    for (const auto& box : dialogs.boxes) {
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("リスト一覧から削除します。"))) << box.text.toStdString();
        EXPECT_GT(box.text.size(), QStringLiteral("リスト一覧から削除します。").size());
        EXPECT_EQ(box.title, "削除");
    }
    EXPECT_EQ(form1->List2->ListCount(), 1);
    EXPECT_EQ(form1->List2->List(0), "b.mpg");
    EXPECT_EQ(ask("status avfile length"), QString::number(form1->playback->media_len));
    EXPECT_GT(form1->playback->media_len, 0);
}

// Damaged clips open (what decodes of them plays) and must reach their end like any other, or
// the list would stop there.
TEST_F(EnginePlayback, DamagedClipsPlayToTheirEndAndTheListGoesOn)
{
    for (const char* damaged : {"truncated.mpg", "corrupted.mpg"}) {
        form1->reset_all();
        add({damaged, "c.mpg"});
        form1->playlist->select(0);
        if (form1->Command2->text() != "II")
            form1->playback->Command2_Click();
        EXPECT_TRUE(waitUntil([&] { return form1->List2->ListIndex() == 1; }, 10))
            << damaged << " stuck at " << ask("status avfile position").toStdString() << " of "
            << form1->playback->media_len << ", " << ask("status avfile mode").toStdString();
        EXPECT_TRUE(dialogs.boxes.empty()) << damaged;
        EXPECT_EQ(form1->List2->ListCount(), 2) << damaged;
    }
}

TEST_F(EnginePlayback, PathWithQuoteEqualsAndCommaPlays)
{
    add({"say \"hi\", a=b.mpg"});
    form1->playlist->select(0);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(form1->playback->media_len, engine.lengthFrames());
    form1->playback->Command5_Click();
    EXPECT_EQ(frameShown(), " 1");
}

}  // namespace
