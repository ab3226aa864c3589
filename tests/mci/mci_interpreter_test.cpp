// The command strings the windows send, through MciSend and the interpreter, over the fake engine.
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "fake_media_engine.h"
#include "recording_mci_device.h"

#include <algorithm>
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
    // Opens a clip of `frames` frames at 29.97 fps in the movie window 77.
    void openClip(std::int64_t frames = 150)
    {
        engine.setLength(frames);
        ASSERT_EQ(send(QStringLiteral("open \"/m/a.mpg\" type mpegvideo alias avfile style child "
                                      "parent 77")),
                  0)
            << reply.toStdString();
        engine.clearCalls();
    }
};

// The three open forms, any case and runs of blanks, and every character of the path between the
// first and the last quote reach the engine.
TEST_F(MciInterpreterTest, OpenReachesTheEngineWithPathTypeAndParent)
{
    const QString tail = QStringLiteral(" type mpegvideo alias avfile style child parent 8");
    struct Case {
        QString cmd;
        QString call;
    };
    const Case cases[] = {
        {"open \"/m/a.mpg\" type mpegvideo alias avfile style child parent 77", "open /m/a.mpg mpeg 77"},
        {"open \"/m/b.avi\" type avivideo alias avfile style child parent 1234567", "open /m/b.avi avi 1234567"},
        {"open \"/m/c.mp4\" alias avfile style child parent 0", "open /m/c.mp4 auto 0"},
        {"OPEN \"/m/d.dat\"   TYPE MpegVideo   ALIAS avfile STYLE Child PARENT 5", "open /m/d.dat mpeg 5"},
        {"open \"/m/a b  c.mpg\"" + tail, "open /m/a b  c.mpg mpeg 8"},
        {"open \"/m/x=1,y=2.mpg\"" + tail, "open /m/x=1,y=2.mpg mpeg 8"},
        {"open \"/m/映画 フォルダ/旅行.DAT\"" + tail, "open /m/映画 フォルダ/旅行.DAT mpeg 8"},
        {"open \"/m/say \"hi\".mpg\"" + tail, "open /m/say \"hi\".mpg mpeg 8"},
        {"open \"/m/trick\" type avivideo alias other style child parent 9 \".mpg\"" + tail,
         "open /m/trick\" type avivideo alias other style child parent 9 \".mpg mpeg 8"},
        {"open \"/m/ends with quote\"\"" + tail, "open /m/ends with quote\" mpeg 8"},
        {"open \" /m/lead and trail \"" + tail, "open  /m/lead and trail  mpeg 8"},
    };
    for (const Case& c : cases) {
        engine.clearCalls();
        EXPECT_EQ(send(c.cmd), 0) << c.cmd.toStdString();
        EXPECT_EQ(reply, QString());
        EXPECT_EQ(engine.calls(), QStringList{c.call});
        EXPECT_EQ(interpreter.alias(), QStringLiteral("avfile"));
        EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    }
}

// Commands refused before they reach the engine: their code, its text as the reply (whatever the
// reply held before), and no beep. The first group with no device open, the rest with a clip open.
TEST_F(MciInterpreterTest, RefusedCommandsGetTheirCodesAndTextsWithoutABeep)
{
    struct Case {
        const char* cmd;
        int rc;
    };
    const Case closed[] = {
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
        {"stop avfile", mcierr::InvalidDeviceName},
        {"seek avfile to  15000", mcierr::InvalidDeviceName},
        {"step avfile reverse", mcierr::InvalidDeviceName},
        {"set avfile speed 1250", mcierr::InvalidDeviceName},
        {"status avfile position", mcierr::InvalidDeviceName},
        {"set avfile time format frames", mcierr::InvalidDeviceName},
        {"status avfile window handle", mcierr::InvalidDeviceName},
        {"where avfile destination", mcierr::InvalidDeviceName},
    };
    const Case open[] = {
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
    };
    const auto refuse = [&](const Case& c) {
        reply = QStringLiteral("old");
        EXPECT_EQ(send(QString::fromUtf8(c.cmd)), c.rc) << c.cmd;
        EXPECT_EQ(reply, mcierr::text(c.rc)) << c.cmd;
    };
    std::for_each(std::begin(closed), std::end(closed), refuse);
    EXPECT_TRUE(engine.calls().isEmpty());
    openClip();
    std::for_each(std::begin(open), std::end(open), refuse);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_EQ(send(QStringLiteral("status avfile length")), 0);  // the first open still stands
    EXPECT_EQ(send(QStringLiteral("close avfile")), 0);
    EXPECT_EQ(send(QStringLiteral("close avfile")), mcierr::InvalidDeviceName);
    EXPECT_EQ(bell.beeps, 0);
}

TEST_F(MciInterpreterTest, EngineFailuresAtOpenLeaveNoDeviceAndDoNotBeep)
{
    struct Case {
        MediaError error;
        int rc;
    } cases[] = {
        {MediaError::FileNotFound, mcierr::FileNotFound},
        {MediaError::InvalidFile, mcierr::InvalidFile},
        {MediaError::NoWindow, mcierr::CreateWindow},
        {MediaError::Timeout, mcierr::DeviceNotReady},
        {MediaError::Driver, mcierr::Driver},
    };
    for (const Case& c : cases) {
        engine.failNextOpen(c.error);
        EXPECT_EQ(send(QStringLiteral("open \"/m/x.mpg\" alias avfile style child parent 7")),
                  c.rc);
        EXPECT_EQ(reply, mcierr::text(c.rc));
        EXPECT_EQ(send(QStringLiteral("status avfile position")), mcierr::InvalidDeviceName);
    }
    EXPECT_EQ(bell.beeps, 0);
}

TEST_F(MciInterpreterTest, RunsOfBlanksAndCaseDoNotMatter)
{
    openClip();
    engine.setPosition(42);
    EXPECT_EQ(send(QStringLiteral("set avfile time format frames")), 0);
    EXPECT_EQ(send(QStringLiteral("  status \t avfile   position  ")), 0);
    EXPECT_EQ(reply, QStringLiteral("42"));
    EXPECT_EQ(send(QStringLiteral("STATUS AVFILE Window  Handle")), 0);
    EXPECT_EQ(send(QStringLiteral("seek avfile to  15")), 0);
    EXPECT_EQ(send(QStringLiteral("seek   avfile   to     16   wait")), 0);
    EXPECT_EQ(engine.calls(),
              QStringList({QStringLiteral("seekFrame 15"), QStringLiteral("seekFrame 16")}));
}

TEST_F(MciInterpreterTest, SuccessfulCommandsWithoutAnswerLeaveAnEmptyReply)
{
    openClip();
    const char* cmds[] = {"play avfile window", "stop avfile", "seek avfile to 0", "step avfile",
                          "step avfile reverse", "set avfile speed 1250",
                          "set avfile time format frames", "set avfile time format milliseconds"};
    for (const char* cmd : cmds) {
        reply = QStringLiteral("old");
        EXPECT_EQ(send(QString::fromUtf8(cmd)), 0) << cmd;
        EXPECT_EQ(reply, QString()) << cmd;
    }
    EXPECT_EQ(engine.calls(),
              QStringList({"play", "pause", "seekMs 0", "step 1", "step -1", "setSpeed 1.25"}));
}

TEST_F(MciInterpreterTest, TimeFormatChoosesTheUnitOfPositionsLengthsAndSeeks)
{
    openClip(300);  // 300 frames at 29.97 fps = 10010 ms
    engine.setPosition(150);

    send(QStringLiteral("status avfile length"));  // milliseconds after open
    EXPECT_EQ(reply, QStringLiteral("10010"));
    send(QStringLiteral("status avfile position"));
    EXPECT_EQ(reply, QStringLiteral("5005"));
    send(QStringLiteral("status avfile time format"));
    EXPECT_EQ(reply, QStringLiteral("milliseconds"));

    send(QStringLiteral("set avfile time format frames"));
    send(QStringLiteral("status avfile length"));
    EXPECT_EQ(reply, QStringLiteral("300"));
    send(QStringLiteral("status avfile position"));
    EXPECT_EQ(reply, QStringLiteral("150"));
    EXPECT_EQ(send(QStringLiteral("seek avfile to  299")), 0);

    send(QStringLiteral("set avfile time format ms"));
    EXPECT_EQ(send(QStringLiteral("seek avfile to  8000")), 0);
    EXPECT_EQ(engine.calls(), QStringList({"seekFrame 299", "seekMs 8000"}));

    // A new device starts in milliseconds again.
    send(QStringLiteral("set avfile time format frames"));
    send(QStringLiteral("close avfile"));
    openClip(300);
    send(QStringLiteral("status avfile time format"));
    EXPECT_EQ(reply, QStringLiteral("milliseconds"));
}

TEST_F(MciInterpreterTest, EngineFailuresAfterOpenComeBackAsCodes)
{
    openClip();
    engine.failNext(QStringLiteral("play"), MediaError::Driver);
    EXPECT_EQ(send(QStringLiteral("play avfile window")), mcierr::Driver);
    EXPECT_EQ(reply, mcierr::text(mcierr::Driver));
    engine.failNext(QStringLiteral("step"), MediaError::Timeout);
    EXPECT_EQ(send(QStringLiteral("step avfile")), mcierr::DeviceNotReady);
    EXPECT_EQ(bell.beeps, 0);
    EXPECT_EQ(send(QStringLiteral("step avfile")), 0);
}

}  // namespace
