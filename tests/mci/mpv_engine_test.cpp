// The real libmpv engine behind the command strings, on clips made by ffmpeg at start.
// Runs with vo=null (offscreen Qt) and ao=null.
#include "platform/mpv/mpv_engine.h"
#include "platform/native_file_name.h"
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "media_clips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

MediaClips* clips = nullptr;

// What the engine logged ("reelbox.mpv") while the object lives.
class MpvLog {
public:
    MpvLog() : previous_(qInstallMessageHandler(collect)) { lines().clear(); }
    ~MpvLog() { qInstallMessageHandler(previous_); }
    QString text() const { return lines().join(u'\n'); }

private:
    static QStringList& lines()
    {
        static QStringList all;
        return all;
    }
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && qstrcmp(context.category, "reelbox.mpv") == 0)
            lines() << message;
    }
    QtMessageHandler previous_;
};

class MpvEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!clips) {
            clips = new MediaClips;
            clips->makeAll();
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(clips->ok()) << clips->why().toStdString();
        host.resize(800, 600);
        host.setAttribute(Qt::WA_NativeWindow);
        host.show();
    }

    int send(const QString& cmd) { return mci.MciSend(cmd, reply); }
    QString ask(const QString& cmd)
    {
        const int rc = send(cmd);
        EXPECT_EQ(rc, 0) << cmd.toStdString() << ": " << reply.toStdString();
        return reply;
    }
    // Opens `name` from the clip folder as the program does (into `parent`, else the host), in
    // frames.
    int open(const QString& name, const char* type = " type mpegvideo", QWidget* parent = nullptr)
    {
        const int rc = send(QStringLiteral("open \"") + clips->path(name) + QStringLiteral("\"") +
                            QLatin1String(type) + QStringLiteral(" alias avfile style child parent ") +
                            QString::number((parent ? parent : &host)->winId()));
        if (rc == 0)
            send(QStringLiteral("set avfile time format frames"));
        return rc;
    }
    QWidget* videoWindow()
    {
        return QWidget::find(ask(QStringLiteral("status avfile window handle")).toULongLong());
    }
    int position() { return ask(QStringLiteral("status avfile position")).toInt(); }
    void seek(int n)
    {
        ASSERT_EQ(send(QStringLiteral("seek avfile to  %1").arg(n)), 0) << reply.toStdString();
    }
    // Runs the event loop for `ms`, as the program does between a user's actions.
    static void idle(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // Runs the event loop until `done`; false after 20 s (a loaded machine still plays in time).
    static bool waitUntil(const std::function<bool()>& done)
    {
        QElapsedTimer guard;
        guard.start();
        while (!done()) {
            if (guard.elapsed() > 20000)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
    bool stopped() { return ask(QStringLiteral("status avfile mode")) == QStringLiteral("stopped"); }

    QWidget host;
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    QString reply;
};

TEST_F(MpvEngineTest, VideoCdClipOpensStoppedOnItsFirstFrame)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    EXPECT_EQ(ask(QStringLiteral("status avfile length")), QStringLiteral("150"));
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(ask(QStringLiteral("where avfile source")), QStringLiteral("0 0 352 240"));
    EXPECT_EQ(ask(QStringLiteral("status avfile mode")), QStringLiteral("stopped"));
    EXPECT_EQ(ask(QStringLiteral("status avfile speed")), QStringLiteral("1000"));
    send(QStringLiteral("set avfile time format milliseconds"));
    EXPECT_EQ(ask(QStringLiteral("status avfile length")), QStringLiteral("5005"));
    EXPECT_EQ(ask(QStringLiteral("status avfile position")), QStringLiteral("0"));
}

// The program places and subclasses the video window by its handle. mpv keeps drawing into it
// from file to file while the movie window stays, and lets go of it before it goes.
TEST_F(MpvEngineTest, TheVideoWindowIsAChildOfTheGivenWindow)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    QPointer<QWidget> video = videoWindow();
    ASSERT_TRUE(video);
    EXPECT_EQ(video->parentWidget(), &host);
    video->setGeometry(10, 10, 640, 480);  // what the program does with the handle
    EXPECT_EQ(ask(QStringLiteral("where avfile destination")), QStringLiteral("0 0 640 480"));
    EXPECT_EQ(ask(QStringLiteral("where avfile source")), QStringLiteral("0 0 352 240"));

    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    EXPECT_FALSE(video && video->isVisible());
    // Straight into the next open, as the playlist does.
    ASSERT_EQ(open(QStringLiteral("clip.avi"), " type avivideo"), 0) << reply.toStdString();
    ASSERT_TRUE(videoWindow());
    EXPECT_TRUE(videoWindow()->isVisible());
    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);

    // Another movie window takes the video window; then it goes while a movie is open.
    auto other = std::make_unique<QWidget>();
    other->setAttribute(Qt::WA_NativeWindow);
    other->show();
    ASSERT_EQ(open(QStringLiteral("vcd.mpg"), " type mpegvideo", other.get()), 0);
    ASSERT_TRUE(videoWindow());
    EXPECT_EQ(videoWindow()->parentWidget(), other.get());
    EXPECT_TRUE(video.isNull());
    other.reset();
    EXPECT_EQ(send(QStringLiteral("status avfile window handle")), mcierr::NoWindow);
    seek(42);
    EXPECT_EQ(position(), 42);
    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    EXPECT_EQ(videoWindow()->parentWidget(), &host);
}

TEST_F(MpvEngineTest, SeeksLandOnTheExactFrame)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    for (const int n : {37, 1, 100, 148, 149, 0, 75, 13}) {
        seek(n);
        EXPECT_EQ(position(), n) << "seek to " << n;
    }
    EXPECT_EQ(bell.beeps, 0);
}

TEST_F(MpvEngineTest, TheLengthIsTheEndAndBeyondItIsOutOfRange)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    seek(40);
    seek(150);
    EXPECT_EQ(position(), 150);
    send(QStringLiteral("step avfile reverse"));
    EXPECT_EQ(position(), 149);

    seek(20);
    EXPECT_EQ(send(QStringLiteral("seek avfile to  151")), mcierr::OutOfRange);
    EXPECT_EQ(reply, mcierr::text(mcierr::OutOfRange));
    EXPECT_EQ(bell.beeps, 1);
    EXPECT_EQ(position(), 20);
}

TEST_F(MpvEngineTest, PlayingToTheEndStopsAtPositionEqualToLength)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    seek(135);
    ASSERT_EQ(send(QStringLiteral("set avfile speed 4000")), 0);
    ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
    EXPECT_EQ(ask(QStringLiteral("status avfile mode")), QStringLiteral("playing"));
    ASSERT_TRUE(waitUntil([&] { return stopped(); }));
    EXPECT_EQ(position(), 150);
    send(QStringLiteral("set avfile time format milliseconds"));
    EXPECT_EQ(ask(QStringLiteral("status avfile position")), QStringLiteral("5005"));
}

// The program moves to the next entry when position equals length: clips whose last frames
// cannot be decoded, or whose sound ends early, must get there too.
TEST_F(MpvEngineTest, PlaybackThatStopsShortOfTheLastFrameStillEndsAtTheLength)
{
    for (const QString& name : MediaClips::earlyEndings()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(open(name), 0) << reply.toStdString();
        const QString frames = ask(QStringLiteral("status avfile length"));
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        ASSERT_TRUE(waitUntil([&] { return stopped(); }));
        EXPECT_EQ(ask(QStringLiteral("status avfile position")), frames);
        send(QStringLiteral("set avfile time format milliseconds"));
        EXPECT_EQ(ask(QStringLiteral("status avfile position")),
                  ask(QStringLiteral("status avfile length")));
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
}

// mpv reports the end a moment after a seek to the last frame: that is still the last frame,
// and only playing on from it reaches the end.
TEST_F(MpvEngineTest, TheLastFrameIsNotTheEndUntilPlayReachesIt)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    seek(149);
    idle(300);
    EXPECT_EQ(position(), 149);
    EXPECT_TRUE(stopped());
    ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
    ASSERT_TRUE(waitUntil([&] { return stopped(); }));
    EXPECT_EQ(position(), 150);
}

// The program shows a movie's first picture with "play" at once followed by "stop" (after
// opening, and after "seek to 0" in the stop button): the pair must not move the picture, even
// when the next frame has long fallen due.
TEST_F(MpvEngineTest, PlayAtOnceFollowedByStopLeavesThePictureWhereItWas)
{
    const auto playAndStop = [&] {
        idle(100);  // the next frame falls due meanwhile
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
    };
    for (int run = 0; run < 6; ++run) {
        ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
        playAndStop();
        EXPECT_EQ(position(), 0) << "run " << run;
        EXPECT_TRUE(stopped());
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    for (const int n : {0, 40, 149, 150, 0}) {
        seek(n);
        playAndStop();
        EXPECT_EQ(position(), n) << "from " << n;
        EXPECT_TRUE(stopped());
    }
}

TEST_F(MpvEngineTest, AStopAfterPlaybackHasRunStaysWherePlaybackGot)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    seek(10);
    ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
    ASSERT_TRUE(waitUntil([&] { return position() > 12; }));
    ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
    const int stoppedAt = position();
    EXPECT_GT(stoppedAt, 12);
    EXPECT_TRUE(stopped());
    idle(100);
    EXPECT_EQ(position(), stoppedAt);
}

TEST_F(MpvEngineTest, SpeedIsSetAndReadInThousandthsAndRefusalsAreErrors)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    for (const char* n : {"250", "1750"}) {
        ASSERT_EQ(send(QStringLiteral("set avfile speed ") + QLatin1String(n)), 0);
        EXPECT_EQ(ask(QStringLiteral("status avfile speed")), QLatin1String(n));
    }
    EXPECT_EQ(send(QStringLiteral("set avfile speed 0")), mcierr::OutOfRange);
    EXPECT_EQ(send(QStringLiteral("set avfile speed 100001")), mcierr::OutOfRange);
    EXPECT_EQ(send(QStringLiteral("set avfile speed 1x")), mcierr::BadInteger);
    EXPECT_EQ(ask(QStringLiteral("status avfile speed")), QStringLiteral("1750"));
}

TEST_F(MpvEngineTest, EveryContainerOpensWithItsFrameCountAndExactSeeks)
{
    struct Case {
        const char* name;
        const char* type;
        int frames;
        QSize size;
    } cases[] = {
        {"AVSEQ01.DAT", " type mpegvideo", 150, {352, 240}},
        {"cdxa.dat", " type mpegvideo", 150, {352, 240}},
        {"mpeg2.mpeg", " type mpegvideo", 50, {320, 240}},
        {"cdxa-mpeg2.dat", " type mpegvideo", 50, {320, 240}},
        {"clip.avi", " type avivideo", 50, {320, 240}},
        {"clip.avi", "", 50, {320, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(open(QString::fromUtf8(c.name), c.type), 0) << reply.toStdString();
        EXPECT_EQ(ask(QStringLiteral("status avfile length")).toInt(), c.frames);
        EXPECT_EQ(ask(QStringLiteral("where avfile source")),
                  QStringLiteral("0 0 %1 %2").arg(c.size.width()).arg(c.size.height()));
        for (const int n : {c.frames / 2, c.frames - 1, 3}) {
            seek(n);
            EXPECT_EQ(position(), n);
        }
        send(QStringLiteral("step avfile"));
        EXPECT_EQ(position(), 4);
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
}

// Every refusal says why in the log, in mpv's words where mpv decided.
TEST_F(MpvEngineTest, BadFilesFailWithTheirCodeAndSayWhy)
{
    QDir(clips->dir()).mkdir(QStringLiteral("folder.mpg"));
    ::mkfifo(qPrintable(clips->path(QStringLiteral("pipe.mpg"))), 0644);
    struct Case {
        const char* name;
        int rc;
        const char* logged;
    } cases[] = {
        {"missing.mpg", mcierr::FileNotFound, "no such file"},
        {"text.mpg", mcierr::InvalidFile, "Failed to recognize file format"},
        {"empty.mpg", mcierr::InvalidFile, "unrecognized file format"},
        {"sound.mpg", mcierr::InvalidFile, "no picture"},
        {"fragment.mpg", mcierr::InvalidFile, "no whole picture"},
        {"folder.mpg", mcierr::FileRead, "not a regular file"},
        {"pipe.mpg", mcierr::FileRead, "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MpvLog log;
        EXPECT_EQ(open(QString::fromUtf8(c.name)), c.rc);
        EXPECT_EQ(reply, mcierr::text(c.rc));
        EXPECT_TRUE(log.text().contains(QLatin1String(c.logged))) << log.text().toStdString();
        EXPECT_EQ(send(QStringLiteral("status avfile length")), mcierr::InvalidDeviceName);
    }
    EXPECT_EQ(bell.beeps, 0);
    const QList<QWidget*> children = host.findChildren<QWidget*>();
    EXPECT_TRUE(std::none_of(children.begin(), children.end(), [](QWidget* w) { return w->isVisible(); }));

    // A cut-off file plays what it has.
    ASSERT_EQ(open(QStringLiteral("truncated.mpg")), 0) << reply.toStdString();
    const int length = ask(QStringLiteral("status avfile length")).toInt();
    EXPECT_GT(length, 10);
    seek(10);
    EXPECT_EQ(position(), 10);
}

TEST_F(MpvEngineTest, AFileWithoutReadPermissionIsUnreadable)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString locked = clips->path(QStringLiteral("locked.mpg"));
    QFile::copy(clips->path(QStringLiteral("vcd.mpg")), locked);
    QFile::setPermissions(locked, QFileDevice::Permissions());
    EXPECT_EQ(open(QStringLiteral("locked.mpg")), mcierr::FileRead);
    EXPECT_EQ(reply, mcierr::text(mcierr::FileRead));
}

TEST_F(MpvEngineTest, AFailedMpvCallIsLogged)
{
    qputenv("REELBOX_GPU_CONTEXT", "no-such-context");
    const MpvLog log;
    MpvEngine fresh;  // options are set when the engine starts mpv
    const MediaError opened =
        fresh.open(clips->path(QStringLiteral("vcd.mpg")), MediaEngine::TypeHint::Auto, 0);
    qunsetenv("REELBOX_GPU_CONTEXT");
    EXPECT_EQ(opened, MediaError::None);
    EXPECT_TRUE(log.text().contains(QLatin1String("gpu-context=no-such-context")))
        << log.text().toStdString();
}

// While playing, positions come from what mpv reported: never from before the last seek, never
// going back, and moving on even when the event loop does not run between two questions.
TEST_F(MpvEngineTest, PositionsWhilePlayingFollowThePicture)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    for (const int from : {100, 20, 60}) {
        seek(from);
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        int last = from;
        QElapsedTimer guard;
        guard.start();
        while (last < from + 10 && guard.elapsed() < 20000) {
            const int now = position();
            EXPECT_GE(now, last) << "from " << from;
            last = std::max(last, now);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(last, from + 10) << "from " << from;
        ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
    }
}

TEST_F(MpvEngineTest, PathsWithQuotesEqualsCommasJapaneseAndAnyBytesOpen)
{
    // A name that is not UTF-8 (Latin-1 "légende"), as old discs and archives bring them.
    const QByteArray latin1 = toNativeFileName(clips->dir()) + "/l\xE9gende.mpg";
    ::unlink(latin1.constData());
    ASSERT_EQ(::link(toNativeFileName(clips->path(QStringLiteral("vcd.mpg"))).constData(), latin1.constData()), 0);
    for (const QString& name : {QStringLiteral("say \"hi\", a=b c.mpg"),
                                QStringLiteral("旅行 ビデオ.mpg"), fromNativeFileName("l\xE9gende.mpg")}) {
        ASSERT_EQ(open(name), 0) << name.toStdString() << ": " << reply.toStdString();
        EXPECT_EQ(ask(QStringLiteral("status avfile length")), QStringLiteral("150"));
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
    ::unlink(latin1.constData());  // QTemporaryDir cannot remove it
}

TEST_F(MpvEngineTest, ParentHandlesDecideTheVideoWindow)
{
    const QString path = clips->path(QStringLiteral("vcd.mpg"));
    EXPECT_EQ(send(QStringLiteral("open \"%1\" type mpegvideo alias avfile style child parent "
                                  "123456789")
                       .arg(path)),
              mcierr::CreateWindow);

    ASSERT_EQ(send(QStringLiteral("open \"%1\" type mpegvideo alias avfile style child parent 0")
                       .arg(path)),
              0)
        << reply.toStdString();
    EXPECT_EQ(send(QStringLiteral("status avfile window handle")), mcierr::NoWindow);
    EXPECT_EQ(ask(QStringLiteral("where avfile destination")), QStringLiteral("0 0 352 240"));
    send(QStringLiteral("set avfile time format frames"));
    seek(42);
    EXPECT_EQ(position(), 42);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("REELBOX_AO"))
        qputenv("REELBOX_AO", "null");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    delete clips;
    return rc;
}
