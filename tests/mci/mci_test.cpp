// MciSend's reply and beep rules, over a scripted device.
#include "mci/mci_channel.h"

#include "counting_bell.h"

#include <gtest/gtest.h>

namespace {

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
        EXPECT_EQ(mci.MciSend(QStringLiteral("status avfile position"), reply), c.rc);
        EXPECT_EQ(device.sentCmd, QStringLiteral("status avfile position"));
        EXPECT_EQ(device.bufferSeen, QString(256, QChar(0)));
        EXPECT_EQ(reply, c.reply);
        EXPECT_EQ(bell.beeps, c.beeps);
    }
}

}  // namespace
