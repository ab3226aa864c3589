// The real libmpv engine behind the command strings, on clips made by ffmpeg at start.
// Runs with vo=null (offscreen Qt) and ao=null.
// Checks: mpv_engine.cpp, container_facts.cpp, cdxa_stream.cpp, mpv_log.cpp (src/platform/mpv);
// mci_interpreter.cpp (src/mci).
#include "mci/mci_errors.h"

#include "engine_fixture.h"
#include "file_tree.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// What the engine logged ("reelbox.mpv") while the object lives.
QStringList logged;
struct MpvLog {
    MpvLog() { logged.clear(); }
    ~MpvLog() { qInstallMessageHandler(previous); }
    QString text() const { return logged.join(u'\n'); }
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& at, const QString& line) {
            if (at.category && qstrcmp(at.category, "reelbox.mpv") == 0)
                logged << line;
        });
};

// Runs the event loop for `ms`, as the program does between a user's actions.
void idle(int ms)
{
    waitUntil([] { return false; }, ms);
}

class MpvEngineTest : public EngineFixture {
protected:
    static void SetUpTestSuite() { clips().makeAll(); }

    QWidget* videoWindow()
    {
        return QWidget::find(ask("status avfile window handle").toULongLong());
    }
    bool stopped()
    {
        return ask(QStringLiteral("status avfile mode")) == QStringLiteral("stopped");
    }
    // The position or length in milliseconds; frames again afterwards.
    QString inMs(const char* what)
    {
        send(QStringLiteral("set avfile time format milliseconds"));
        const QString ms = ask(QStringLiteral("status avfile ") + QLatin1String(what));
        send(QStringLiteral("set avfile time format frames"));
        return ms;
    }
};

// Each container, and names with quotes, "=", ",", Japanese or bytes that are not UTF-8 (Latin-1
// "légende", as old discs and archives bring them), opens stopped on its first frame at normal
// speed, with its frame count and picture size, and every seek lands on the exact frame.
TEST_F(MpvEngineTest, EveryContainerOpensWithItsFrameCountAndExactSeeks)
{
    const QByteArray latin1 = toNativeFileName(clips().dir()) + "/l\xE9gende.mpg";
    ::unlink(latin1.constData());
    ASSERT_EQ(::link(toNativeFileName(clips().path(QStringLiteral("vcd.mpg"))).constData(),
                  latin1.constData()),
        0);
    const struct {
        QString name;
        const char* type;
        int frames;
        const char* ms;
        const char* source;
    } cases[] = {
        {"vcd.mpg", " type mpegvideo", 150, "5005", "0 0 352 240"},
        {"AVSEQ01.DAT", " type mpegvideo", 150, "5005", "0 0 352 240"},
        {"cdxa.dat", " type mpegvideo", 150, "5005", "0 0 352 240"},
        {"mpeg2.mpeg", " type mpegvideo", 50, "2000", "0 0 320 240"},
        {"cdxa-mpeg2.dat", " type mpegvideo", 50, "2000", "0 0 320 240"},
        {"clip.avi", " type avivideo", 50, "2000", "0 0 320 240"},
        {"clip.avi", "", 50, "2000", "0 0 320 240"},
        {"say \"hi\", a=b c.mpg", " type mpegvideo", 150, "5005", "0 0 352 240"},
        {"旅行 ビデオ.mpg", " type mpegvideo", 150, "5005", "0 0 352 240"},
        {fromNativeFileName("l\xE9gende.mpg"), " type mpegvideo", 150, "5005", "0 0 352 240"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        ASSERT_EQ(open(c.name, c.type), 0) << reply.toStdString();
        EXPECT_EQ(QStringList({ask("status avfile length"), ask("status avfile mode"),
                      ask("status avfile speed"), ask("where avfile source"), inMs("length"),
                      inMs("position")}),
            QStringList({QString::number(c.frames), "stopped", "1000", c.source, c.ms, "0"}));
        for (const int n : {37 % c.frames, 1, c.frames - 2, c.frames - 1, 0, c.frames / 2, 13}) {
            seek(n);
            EXPECT_EQ(position(), n) << "seek to " << n;
        }
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
    EXPECT_EQ(bell.beeps, 0);
    ::unlink(latin1.constData());  // QTemporaryDir cannot remove it
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
    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    EXPECT_FALSE(video && video->isVisible());
    // Straight into the next open, as the playlist does.
    ASSERT_EQ(open(QStringLiteral("clip.avi"), " type avivideo"), 0) << reply.toStdString();
    EXPECT_TRUE(videoWindow() && videoWindow()->isVisible());
    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);

    // Another movie window takes the video window; then it goes while a movie is open.
    auto other = std::make_unique<QWidget>();
    other->setAttribute(Qt::WA_NativeWindow);
    other->show();
    ASSERT_EQ(open(QStringLiteral("vcd.mpg"), " type mpegvideo", other->winId()), 0);
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

// mpv reports the end a moment after a seek to the last frame: that is still the last frame. The
// length is the end, and beyond it is out of range (with a beep, the position kept).
TEST_F(MpvEngineTest, TheLengthIsTheEndAndBeyondItIsOutOfRange)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    seek(149);
    idle(300);
    EXPECT_EQ(std::tuple(position(), stopped()), std::tuple(149, true));
    ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);  // only playing on reaches the end
    ASSERT_TRUE(waitUntil([&] { return stopped(); }));
    EXPECT_EQ(position(), 150);
    seek(40);
    seek(150);
    EXPECT_EQ(position(), 150);
    send(QStringLiteral("step avfile reverse"));
    EXPECT_EQ(position(), 149);

    seek(20);
    EXPECT_EQ(send(QStringLiteral("seek avfile to  151")), mcierr::OutOfRange);
    EXPECT_EQ(std::tuple(reply, bell.beeps), std::tuple(mcierr::text(mcierr::OutOfRange), 1));
    EXPECT_EQ(position(), 20);
}

// The program moves to the next entry when position equals length (a whole clip: above): clips
// whose last frames cannot be decoded, or whose sound ends early, must get there too.
TEST_F(MpvEngineTest, PlayingToTheEndStopsAtPositionEqualToLength)
{
    for (const QString& name : MediaClips::earlyEndings()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(open(name), 0) << reply.toStdString();
        const int frames = ask(QStringLiteral("status avfile length")).toInt();
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        ASSERT_TRUE(waitUntil([&] { return stopped(); }));
        EXPECT_EQ(std::tuple(position(), inMs("position")), std::tuple(frames, inMs("length")));
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
}

// The program shows a movie's first picture with "play" at once followed by "stop" (after
// opening, and after "seek to 0" in the stop button): the pair must not move the picture, even
// when the next frame has long fallen due.
TEST_F(MpvEngineTest, PlayAtOnceFollowedByStopLeavesThePictureWhereItWas)
{
    for (const int n : {-1, -1, -1, -1, -1, -1, 0, 40, 149, 150, 0}) {  // -1: opened afresh
        SCOPED_TRACE(n);
        if (n < 0) {
            send(QStringLiteral("close avfile"));
            ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
        } else {
            seek(n);
        }
        idle(100);  // the next frame falls due meanwhile
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
        EXPECT_EQ(std::tuple(position(), stopped()), std::tuple(std::max(n, 0), true));
    }
}

// While playing, positions come from what mpv reported: never from before the last seek, never
// going back, and moving on even when the event loop does not run between two questions. A stop
// once playback has run stays where playback got.
TEST_F(MpvEngineTest, PositionsWhilePlayingFollowThePicture)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    for (const int from : {100, 20, 60}) {
        SCOPED_TRACE(from);
        seek(from);
        ASSERT_EQ(send(QStringLiteral("play avfile window")), 0);
        int last = from;
        const QDeadlineTimer guard(20000);
        while (last < from + 10 && !guard.hasExpired()) {
            const int now = position();
            EXPECT_GE(now, last);
            last = std::max(last, now);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(last, from + 10);
        idle(20);  // a stop at once after the play would put the picture back (see above)
        ASSERT_EQ(send(QStringLiteral("stop avfile")), 0);
        const int stoppedAt = position();
        EXPECT_GE(stoppedAt, last);
        EXPECT_TRUE(stopped());
        idle(100);
        EXPECT_EQ(position(), stoppedAt);
    }
}

// mpv's speed belongs to the whole player and outlives its file: a device opened again, after a
// close, plays at normal speed.
TEST_F(MpvEngineTest, SpeedIsSetAndReadInThousandthsAndRefusalsAreErrors)
{
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    const std::pair<const char*, int> cases[] = {{"250", 0}, {"1750", 0}, {"0", mcierr::OutOfRange},
        {"100001", mcierr::OutOfRange}, {"1x", mcierr::BadInteger}};
    for (const auto& [speed, rc] : cases) {
        EXPECT_EQ(send(QStringLiteral("set avfile speed ") + QLatin1String(speed)), rc) << speed;
        EXPECT_EQ(ask(QStringLiteral("status avfile speed")), rc ? "1750" : speed);
    }
    send(QStringLiteral("close avfile"));
    ASSERT_EQ(open(QStringLiteral("vcd.mpg")), 0) << reply.toStdString();
    EXPECT_EQ(ask(QStringLiteral("status avfile speed")), "1000");
}

// Every refusal says why in the log, leaves no device and no video window, and does not beep (a
// missing, empty or text file, and a cut-off one that plays what it has: engine_playback_test).
// Run as root (as CI does), the locked file is opened as an unprivileged user: root reads every
// file.
TEST_F(MpvEngineTest, BadFilesFailWithTheirCodeAndSayWhy)
{
    QDir(clips().dir()).mkdir(QStringLiteral("folder.mpg"));
    ::mkfifo(qPrintable(clips().path(QStringLiteral("pipe.mpg"))), 0644);
    const QString locked = clips().path(QStringLiteral("locked.mpg"));
    QFile::copy(clips().path(QStringLiteral("vcd.mpg")), locked);
    QFile::setPermissions(locked, QFileDevice::Permissions());
    ::chmod(toNativeFileName(clips().dir()).constData(), 0755);  // the folder may be passed
    const struct {
        const char* name;
        int rc;
        const char* logged;
        bool unprivileged = false;
    } cases[] = {
        {"sound.mpg", mcierr::InvalidFile, "no picture"},
        {"fragment.mpg", mcierr::InvalidFile, "no whole picture"},
        {"folder.mpg", mcierr::FileRead, "not a regular file"},
        {"pipe.mpg", mcierr::FileRead, "not a regular file"},
        {"locked.mpg", mcierr::FileRead, "no permission", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MpvLog log;
        const AsUnprivileged user(c.unprivileged);
        EXPECT_EQ(open(QString::fromUtf8(c.name)), c.rc);
        EXPECT_EQ(reply, mcierr::text(c.rc));
        EXPECT_TRUE(log.text().contains(QLatin1String(c.logged))) << log.text().toStdString();
        EXPECT_EQ(send(QStringLiteral("status avfile length")), mcierr::InvalidDeviceName);
    }
    EXPECT_EQ(bell.beeps, 0);
    const QList<QWidget*> children = host.findChildren<QWidget*>();
    EXPECT_TRUE(
        std::none_of(children.begin(), children.end(), [](QWidget* w) { return w->isVisible(); }));

    // Steps back next to frames that cannot be decoded (cut inside their group of pictures):
    // exact, and nothing waits for ever.
    ASSERT_EQ(open(QStringLiteral("cut-80.mpg")), 0) << reply.toStdString();
    const int cut = ask(QStringLiteral("status avfile length")).toInt();
    seek(cut - 1);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(send(QStringLiteral("step avfile reverse")), 0) << reply.toStdString();
    EXPECT_EQ(position(), cut - 4);
    EXPECT_TRUE(waitUntil([&] { return !engine.pictureComing(); }));
    EXPECT_EQ(position(), cut - 4);
}

// A call mpv refuses is logged with what was asked (here an option set when mpv starts).
TEST_F(MpvEngineTest, AFailedMpvCallIsLogged)
{
    qputenv("REELBOX_GPU_CONTEXT", "no-such-context");
    const MpvLog log;
    MpvEngine fresh;
    const MediaError opened = fresh.open(
        clips().path(QStringLiteral("vcd.mpg")), MediaEngine::TypeHint::Auto, 0);
    qunsetenv("REELBOX_GPU_CONTEXT");
    EXPECT_EQ(opened, MediaError::None);
    EXPECT_TRUE(log.text().contains(QLatin1String("gpu-context=no-such-context")))
        << log.text().toStdString();
}

}  // namespace
