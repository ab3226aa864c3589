// reelbox-mci end to end: command strings on standard input, "code<TAB>reply" lines out.
// Checks: reelbox_mci.cpp (tools); mci_interpreter.cpp, mci_channel.cpp, mci_errors.cpp (src/mci);
// mpv_engine.cpp (src/platform/mpv).
#include "mci/mci_errors.h"

#include "media_clips.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// One session with a window for the video (--window): every line is answered in order, in
// frames once asked, errors with their code and text; CR LF and blank lines are read as lines,
// the last line needs no line break; the movie plays on between lines to its end.
TEST(ReelboxMciTool, APipedSessionAnswersEveryLineInOrder)
{
    MediaClips clips;
    ASSERT_TRUE(clips.makeVideoCd(QStringLiteral("vcd.mpg"), 2))
        << clips.why().toStdString();  // 60 frames

    QProcess tool;
    qputenv("REELBOX_AO", "null");  // the platform is offscreen already (qt_test_main)
    tool.start(QStringLiteral(REELBOX_MCI), {QStringLiteral("--window")});
    ASSERT_TRUE(tool.waitForStarted());

    tool.setReadChannel(QProcess::StandardError);
    QString window;
    while (window.isEmpty() && (tool.canReadLine() || tool.waitForReadyRead(10000)))
        window = QString::fromUtf8(tool.readLine()).trimmed().section(QStringLiteral("window "), 1);
    ASSERT_FALSE(window.isEmpty());
    tool.setReadChannel(QProcess::StandardOutput);

    const auto ask = [&](const QString& lines) {
        tool.write(lines.toUtf8());
        while (!tool.canReadLine())
            if (!tool.waitForReadyRead(10000))
                return QStringLiteral("<no answer>");
        return QString::fromUtf8(tool.readLine()).chopped(1);
    };
    const auto error = [](int code) { return QString::number(code) + u'\t' + mcierr::text(code); };
    const QString open = QStringLiteral(
        "open \"%1\" type mpegvideo alias avfile style child parent %2\n")
                             .arg(clips.path(QStringLiteral("vcd.mpg")), window);

    const std::pair<QString, QString> session[] = {
        {open, "0\t"},
        {"set avfile time format frames\r\n", "0\t"},
        {"\nseek avfile to  30\n", "0\t"},
        {"status avfile position\n", "0\t30"},
        {"rewind avfile\n", error(mcierr::UnrecognizedCommand)},
        {"set avfile speed 4000\n", "0\t"},
        {"play avfile window\n", "0\t"},
    };
    for (const auto& [line, answer] : session)
        EXPECT_EQ(ask(line).toStdString(), answer.toStdString()) << line.toStdString();

    // Idle on standard input, the tool's event loop plays the movie to its end.
    for (int i = 0; i < 400 && ask("status avfile mode\n") == "0\tplaying"; ++i)
        tool.waitForReadyRead(50);
    EXPECT_EQ(ask("status avfile position\n"), "0\t60");
    EXPECT_EQ(ask("close avfile\n"), "0\t");
    tool.write("status avfile position");
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(tool.readAll()), error(mcierr::InvalidDeviceName) + u'\n');
}

}  // namespace
