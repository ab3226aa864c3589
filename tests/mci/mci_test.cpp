// MciSend's reply and beep rules, over a scripted device; the command strings the windows send,
// through MciSend and the interpreter, over the fake engine: the engine calls each makes (the real
// engine's answers are checked in mpv_engine_test).
// Checks: mci_channel.cpp, mci_interpreter.cpp (src/mci).
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "fake_media_engine.h"

#include <gmock/gmock.h>

namespace {

// mci_channel.cpp: MciSend.

// Answers every command with a scripted code and writes a scripted buffer content.
class ScriptedDevice : public MciDevice {
public:
    int rc = 0;
    QString write;  // written with writeReply (cut at 255, NUL ended)
    QString raw;  // or: copied over the buffer as is, without a NUL
    QString sentCmd;
    QString bufferSeen;

    int sendString(const QString& cmd, QString& buffer) override
    {
        sentCmd = cmd;
        bufferSeen = buffer;
        if (!raw.isEmpty())
            buffer = raw;
        else if (!write.isNull())
            writeReply(buffer, write);
        return rc;
    }
    QString errorText(int code) override { return QStringLiteral("E%1").arg(code); }
};

// The command and a zeroed buffer of 256 reach the device. Success gives what the device wrote
// (cut at 255, empty when it wrote nothing; a buffer without a NUL keeps the old reply); a failure
// gives the code's text, and only "out of range" beeps.
TEST(MciChannelTest, RepliesAndBeeps)
{
    const struct {
        int rc;
        QString write, raw, reply;
        int beeps;
    } cases[] = {{0, "1234", {}, "1234", 0}, {0, {}, {}, "", 0},
        {0, {}, QString(256, u'x'), "old", 0}, {0, QString(300, u'y'), {}, QString(255, u'y'), 0},
        {0, QString(255, u'z'), {}, QString(255, u'z'), 0}, {259, "ignored", {}, "E259", 0},
        {263, {}, {}, "E263", 0}, {282, "ignored", {}, "E282", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply.left(10).toStdString());
        ScriptedDevice device;
        CountingBell bell;
        MciChannel mci{device, bell};
        device.rc = c.rc;
        device.write = c.write;
        device.raw = c.raw;
        QString reply = QStringLiteral("old");
        const int rc = mci.MciSend(QStringLiteral("status avfile position"), reply);
        EXPECT_THAT(std::tuple(rc, device.sentCmd, device.bufferSeen, reply, bell.beeps),
            testing::FieldsAre(
                c.rc, "status avfile position", QString(256, QChar(0)), c.reply, c.beeps));
    }
}

// mci_interpreter.cpp: the command strings.

// One session, in order: each command's code, its reply (the code's text on a refusal, whatever
// the reply held before), and the engine calls it made. The time format chooses the unit of
// seeks; commands to a closed device are refused without a beep.
TEST(MciInterpreterTest, ASessionGetsEachCommandsCodeReplyAndEngineCalls)
{
    FakeMediaEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    const struct {
        QString cmd;
        int rc;
        QStringList calls = {};
    } session[] = {
        {"close avfile", mcierr::InvalidDeviceName},
        {"open \"/m/a.mpg\" type mpegvideo alias avfile style child parent 77", 0,
            {"open /m/a.mpg mpeg 77"}},
        {"set avfile time format frames", 0},
        {"seek avfile to  150", 0, {"seekFrame 150"}},
        {"set avfile time format milliseconds", 0},
        {"seek avfile to  8000", 0, {"seekMs 8000"}},
        {"close avfile", 0, {"close"}},
        {"seek avfile to  8000", mcierr::InvalidDeviceName},
    };
    engine.setLength(300);
    for (const auto& row : session) {
        engine.clearCalls();
        QString reply = QStringLiteral("old");
        const int rc = mci.MciSend(row.cmd, reply);
        EXPECT_EQ(std::tuple(rc, reply, engine.calls()),
            std::tuple(row.rc, mcierr::text(row.rc), row.calls))
            << row.cmd.toStdString();
    }
    EXPECT_EQ(bell.beeps, 0);
}

}  // namespace
