// reelbox-mci end to end: command strings on standard input, "code<TAB>reply" lines out.
#include "mci/mci_errors.h"

#include "media_clips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

MediaClips* clips = nullptr;

class ReelboxMciTool : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!clips) {
            clips = new MediaClips;
            clips->makeVideoCd(QStringLiteral("vcd.mpg"), 2);  // 60 frames
        }
    }
    void SetUp() override { ASSERT_TRUE(clips->ok()) << clips->why().toStdString(); }

    void start(const QStringList& args = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("REELBOX_AO"), QStringLiteral("null"));
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral(REELBOX_MCI), args);
        ASSERT_TRUE(tool.waitForStarted());
    }
    // Sends one line and waits for its answer line.
    QString ask(const QString& line)
    {
        tool.write(line.toUtf8() + '\n');
        while (!tool.canReadLine())
            if (!tool.waitForReadyRead(10000))
                return QStringLiteral("<no answer>");
        return QString::fromUtf8(tool.readLine()).chopped(1);
    }
    QString openLine(const QString& parent = QStringLiteral("0")) const
    {
        return QStringLiteral("open \"%1\" type mpegvideo alias avfile style child parent %2")
            .arg(clips->path(QStringLiteral("vcd.mpg")), parent);
    }
    static QString error(int code) { return QString::number(code) + u'\t' + mcierr::text(code); }

    QProcess tool;
};

TEST_F(ReelboxMciTool, APipedSessionAnswersEveryLineInOrder)
{
    start();
    const QString session = openLine() + QStringLiteral(
        "\nset avfile time format frames\r\n"
        "status avfile length\n"
        "\n"
        "seek avfile to  30\n"
        "step avfile reverse\n"
        "status avfile position\n"
        "where avfile source\n"
        "seek avfile to 61\n"
        "rewind avfile\n"
        "close avfile\n"
        "status avfile position");  // the last line has no line break
    tool.write(session.toUtf8());
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');
    const QStringList expected = {
        QStringLiteral("0\t"),          QStringLiteral("0\t"),
        QStringLiteral("0\t60"),        QStringLiteral("0\t"),
        QStringLiteral("0\t"),          QStringLiteral("0\t29"),
        QStringLiteral("0\t0 0 352 240"), error(mcierr::OutOfRange),
        error(mcierr::UnrecognizedCommand), QStringLiteral("0\t"),
        error(mcierr::InvalidDeviceName), QString()};
    EXPECT_EQ(lines, expected);
}

TEST_F(ReelboxMciTool, TheMovieKeepsPlayingBetweenLines)
{
    start();
    ASSERT_EQ(ask(openLine()), QStringLiteral("0\t"));
    ask(QStringLiteral("set avfile time format frames"));
    ask(QStringLiteral("seek avfile to 40"));
    ASSERT_EQ(ask(QStringLiteral("set avfile speed 4000")), QStringLiteral("0\t"));
    ASSERT_EQ(ask(QStringLiteral("play avfile window")), QStringLiteral("0\t"));
    QElapsedTimer guard;
    guard.start();
    while (ask(QStringLiteral("status avfile mode")) == QStringLiteral("0\tplaying") &&
           guard.elapsed() < 20000)
        tool.waitForReadyRead(50);  // idle on stdin: the tool's event loop runs
    EXPECT_EQ(ask(QStringLiteral("status avfile position")), QStringLiteral("0\t60"));
    tool.closeWriteChannel();
    EXPECT_TRUE(tool.waitForFinished(10000));
}

TEST_F(ReelboxMciTool, WindowOptionGivesAParentForTheVideoWindow)
{
    start({QStringLiteral("--window")});
    tool.setReadChannel(QProcess::StandardError);
    QString handle;
    while (handle.isEmpty() && (tool.canReadLine() || tool.waitForReadyRead(10000))) {
        const QString line = QString::fromUtf8(tool.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("window ")))
            handle = line.mid(7);
    }
    tool.setReadChannel(QProcess::StandardOutput);
    ASSERT_FALSE(handle.isEmpty());
    ASSERT_EQ(ask(openLine(handle)), QStringLiteral("0\t"));
    const QString video = ask(QStringLiteral("status avfile window handle"));
    EXPECT_TRUE(video.startsWith(QStringLiteral("0\t")));
    EXPECT_GT(video.mid(2).toULongLong(), 0u);
    EXPECT_EQ(ask(QStringLiteral("where avfile destination")), QStringLiteral("0\t0 0 352 240"));
    tool.closeWriteChannel();
    EXPECT_TRUE(tool.waitForFinished(10000));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    delete clips;
    return rc;
}
