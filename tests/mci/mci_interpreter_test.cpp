// The command strings the windows send, through MciSend and the interpreter, over the fake engine.
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "fake_media_engine.h"
#include "recording_mci_device.h"

#include <gtest/gtest.h>

namespace {

class MciInterpreterTest : public ::testing::Test {
protected:
    FakeMediaEngine engine;
    MciInterpreter interpreter{engine};
    RecordingMciDevice device{interpreter};
    CountingBell bell;
    MciChannel mci{device, bell};
    QString reply;

    int send(const QString& cmd) { return mci.MciSend(cmd, reply); }
};

// The three open forms, any case and runs of blanks, and every character of the path between the
// first and the last quote reach the engine (names with quotes, "=", "," and Japanese: mpv_engine_test).
TEST_F(MciInterpreterTest, OpenReachesTheEngineWithPathTypeAndParent)
{
    const QString tail = QStringLiteral(" type mpegvideo alias avfile style child parent 8");
    const std::pair<QString, QString> cases[] = {
        {"open \"/m/a.mpg\" type mpegvideo alias avfile style child parent 77",
            "open /m/a.mpg mpeg 77"},
        {"open \"/m/b.avi\" type avivideo alias avfile style child parent 1234567",
            "open /m/b.avi avi 1234567"},
        {"open \"/m/c.mp4\" alias avfile style child parent 0", "open /m/c.mp4 auto 0"},
        {"OPEN \"/m/d.dat\"   TYPE MpegVideo   ALIAS avfile STYLE Child PARENT 5",
            "open /m/d.dat mpeg 5"},
        {"open \"/m/a b  c.mpg\"" + tail, "open /m/a b  c.mpg mpeg 8"},
        {"open \"/m/trick\" type avivideo alias other style child parent 9 \".mpg\"" + tail,
            "open /m/trick\" type avivideo alias other style child parent 9 \".mpg mpeg 8"},
        {"open \"/m/ends with quote\"\"" + tail, "open /m/ends with quote\" mpeg 8"},
        {"open \" /m/lead and trail \"" + tail, "open  /m/lead and trail  mpeg 8"},
    };
    for (const auto& [cmd, call] : cases) {
        engine.clearCalls();
        EXPECT_EQ(send(cmd), 0) << cmd.toStdString();
        EXPECT_EQ(reply, QString());
        EXPECT_EQ(engine.calls(), QStringList{call});
        EXPECT_EQ(
            send(QStringLiteral("close avfile")), 0);  // by that alias, whatever the path held
    }
}

// One session, in order: each command's code, its reply (the code's text on a refusal, whatever
// the reply held before), and the engine calls it made. Refusals never reach the engine and
// never beep; a blank or case does not matter; the time format chooses the unit of positions,
// lengths and seeks, and a new device starts in milliseconds.
TEST_F(MciInterpreterTest, ASessionGetsEachCommandsCodeReplyAndEngineCalls)
{
    const QString open = "open \"/m/a.mpg\" type mpegvideo alias avfile style child parent 77";
    const struct {
        QString cmd;
        int rc;
        QString reply = {};  // for rc 0
        QStringList calls = {};
    } session[] = {
        {"open \"/m/a.mpg type mpegvideo alias avfile", mcierr::NoClosingQuote},
        {"open \"\" alias avfile", mcierr::FilenameRequired},
        {"open", mcierr::FilenameRequired},
        {"open \"/m/a.mpg\"x alias avfile", mcierr::UnrecognizedKeyword},
        {"open \"/m/a.mpg\" type quicktime alias avfile", mcierr::InvalidDeviceName},
        {"open \"/m/a.mpg\" alias avfile style child parent abc", mcierr::BadInteger},
        {"open \"/m/a.mpg\" alias avfile style child parent -3", mcierr::BadInteger},
        {"open \"/m/a.mpg\" alias avfile style child parent", mcierr::MissingParameter},
        {"open \"/m/a.mpg\" alias avfile style fancy", mcierr::BadConstant},
        {"open \"/m/a.mpg\" alias avfile style popup", mcierr::UnsupportedFunction},
        {"open \"/m/a.mpg\" alias avfile colour blue", mcierr::UnrecognizedKeyword},
        {"open \"/m/a.mpg\" type mpegvideo style child parent 3", mcierr::MissingParameter},
        {"close avfile", mcierr::InvalidDeviceName},
        {"play avfile window", mcierr::InvalidDeviceName},
        {"step avfile reverse", mcierr::InvalidDeviceName},
        {"status avfile position", mcierr::InvalidDeviceName},
        {"where avfile destination", mcierr::InvalidDeviceName},
        {open, 0, "", {"open /m/a.mpg mpeg 77"}},
        {"status avfile time format", 0, "milliseconds"},
        {"status avfile length", 0, "10010"},  // 300 frames at 29.97 fps
        {"set avfile time format frames", 0, ""},
        {"status avfile length", 0, "300"},
        {"seek avfile to  150", 0, "", {"seekFrame 150"}},
        {"  status \t avfile   position  ", 0, "150"},
        {"STATUS AVFILE Window  Handle", 0, "4242"},
        {"set avfile time format ms", 0, ""},
        {"status avfile position", 0, "5005"},
        {"seek avfile to  8000", 0, "", {"seekMs 8000"}},
        {"set avfile time format frames", 0, ""},
        {"seek avfile to  299", 0, "", {"seekFrame 299"}},
        {"seek   avfile   to     16   wait", 0, "", {"seekFrame 16"}},
        {"play avfile window", 0, "", {"play"}},
        {"stop avfile", 0, "", {"pause"}},
        {"step avfile", 0, "", {"step 1"}},
        {"step avfile reverse", 0, "", {"step -1"}},
        {"set avfile speed 1250", 0, "", {"setSpeed 1.25"}},
        {"set avfile time format milliseconds", 0, ""},
        {"seek avfile to 0", 0, "", {"seekMs 0"}},
        {"open \"/m/b.mpg\" alias avfile style child parent 77", mcierr::DuplicateAlias},
        {"status other position", mcierr::InvalidDeviceName},
        {"", mcierr::MissingCommandString},
        {"rewind avfile", mcierr::UnrecognizedCommand},
        {"status", mcierr::MissingDeviceName},
        {"status avfile", mcierr::MissingParameter},
        {"status avfile volume", mcierr::UnrecognizedKeyword},
        {"where avfile middle", mcierr::UnrecognizedKeyword},
        {"play avfile fullscreen", mcierr::UnrecognizedKeyword},
        {"stop avfile now", mcierr::UnrecognizedKeyword},
        {"seek avfile to", mcierr::MissingParameter},
        {"seek avfile 10", mcierr::UnrecognizedKeyword},
        {"seek avfile to ten", mcierr::BadInteger},
        {"seek avfile to 1.5", mcierr::BadInteger},
        {"step avfile backwards", mcierr::UnrecognizedKeyword},
        {"set avfile speed fast", mcierr::BadInteger},
        {"set avfile time format seconds", mcierr::BadTimeFormat},
        {"set avfile time frames", mcierr::UnrecognizedKeyword},
        {"set avfile volume 5", mcierr::UnrecognizedKeyword},
        {"set avfile time format frames", 0, ""},
        {"close avfile", 0, "", {"close"}},
        {"close avfile", mcierr::InvalidDeviceName},
        {open, 0, "", {"open /m/a.mpg mpeg 77"}},
        {"status avfile time format", 0, "milliseconds"},
    };
    engine.setLength(300);
    for (const auto& row : session) {
        engine.clearCalls();
        reply = QStringLiteral("old");
        EXPECT_EQ(send(row.cmd), row.rc) << row.cmd.toStdString();
        EXPECT_EQ(reply, row.rc ? mcierr::text(row.rc) : row.reply) << row.cmd.toStdString();
        EXPECT_EQ(engine.calls(), row.calls) << row.cmd.toStdString();
    }
    EXPECT_EQ(bell.beeps, 0);
}

// Engine failures come back as codes without a beep; a failed open leaves no device.
TEST_F(MciInterpreterTest, EngineFailuresComeBackAsCodes)
{
    const std::pair<MediaError, int> atOpen[] = {{MediaError::FileNotFound, mcierr::FileNotFound},
        {MediaError::InvalidFile, mcierr::InvalidFile},
        {MediaError::NoWindow, mcierr::CreateWindow}, {MediaError::Timeout, mcierr::DeviceNotReady},
        {MediaError::Driver, mcierr::Driver}};
    for (const auto& [error, rc] : atOpen) {
        engine.failNextOpen(error);
        EXPECT_EQ(send(QStringLiteral("open \"/m/x.mpg\" alias avfile style child parent 7")), rc);
        EXPECT_EQ(reply, mcierr::text(rc));
        EXPECT_EQ(send(QStringLiteral("status avfile position")), mcierr::InvalidDeviceName);
    }
    ASSERT_EQ(send("open \"/m/a.mpg\" type mpegvideo alias avfile style child parent 77"), 0)
        << reply.toStdString();
    const std::tuple<const char*, MediaError, const char*, int> afterOpen[] = {
        {"play", MediaError::Driver, "play avfile window", mcierr::Driver},
        {"step", MediaError::Timeout, "step avfile", mcierr::DeviceNotReady}};
    for (const auto& [method, error, cmd, rc] : afterOpen) {
        engine.failNext(QLatin1String(method), error);
        EXPECT_EQ(send(QLatin1String(cmd)), rc);
        EXPECT_EQ(reply, mcierr::text(rc));
        EXPECT_EQ(send(QLatin1String(cmd)), 0);  // once
    }
    EXPECT_EQ(bell.beeps, 0);
}

}  // namespace
