// MciSend's reply and beep rules, over a scripted device.
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"

#include "counting_bell.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Answers every command with a scripted code and writes a scripted buffer content.
class ScriptedDevice : public MciDevice {
public:
    int rc = 0;
    QString write;            // written with writeReply (cut at 255, NUL ended)
    QString raw;              // or: copied over the buffer as is, without a NUL
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

class MciChannelTest : public ::testing::Test {
protected:
    ScriptedDevice device;
    CountingBell bell;
    MciChannel mci{device, bell};
};

TEST_F(MciChannelTest, PassesTheCommandAndAZeroedBufferOf256)
{
    QString reply;
    mci.MciSend(QStringLiteral("status avfile position"), reply);
    EXPECT_EQ(device.sentCmd, QStringLiteral("status avfile position"));
    EXPECT_EQ(device.bufferSeen, QString(256, QChar(0)));
}

TEST_F(MciChannelTest, SuccessGivesTheReplyTextOrAnEmptyReply)
{
    QString reply = QStringLiteral("old");
    device.write = QStringLiteral("1234");
    EXPECT_EQ(mci.MciSend(QStringLiteral("status avfile length"), reply), 0);
    EXPECT_EQ(reply, QStringLiteral("1234"));

    device.write = QString();  // nothing written: all NULs
    reply = QStringLiteral("old");
    EXPECT_EQ(mci.MciSend(QStringLiteral("play avfile window"), reply), 0);
    EXPECT_EQ(reply, QString());
    EXPECT_EQ(bell.beeps, 0);
}

TEST_F(MciChannelTest, FailureGivesTheErrorTextAndOnlyOutOfRangeBeeps)
{
    QString reply;
    device.write = QStringLiteral("ignored");
    for (const int code : {259, 261, 263, 275, 296}) {
        device.rc = code;
        EXPECT_EQ(mci.MciSend(QStringLiteral("x"), reply), code);
        EXPECT_EQ(reply, QStringLiteral("E%1").arg(code));
    }
    EXPECT_EQ(bell.beeps, 0);

    device.rc = 282;
    EXPECT_EQ(mci.MciSend(QStringLiteral("seek avfile to 999"), reply), 282);
    EXPECT_EQ(reply, QStringLiteral("E282"));
    EXPECT_EQ(bell.beeps, 1);
}

TEST_F(MciChannelTest, ABufferWithoutNulKeepsTheOldReply)
{
    device.raw = QString(256, QLatin1Char('x'));
    QString reply = QStringLiteral("old");
    EXPECT_EQ(mci.MciSend(QStringLiteral("status avfile mode"), reply), 0);
    EXPECT_EQ(reply, QStringLiteral("old"));
}

TEST_F(MciChannelTest, RepliesAreCutAt255Characters)
{
    device.write = QString(300, QLatin1Char('y'));
    QString reply;
    mci.MciSend(QStringLiteral("status avfile mode"), reply);
    EXPECT_EQ(reply, QString(255, QLatin1Char('y')));

    device.write = QString(255, QLatin1Char('z'));
    mci.MciSend(QStringLiteral("status avfile mode"), reply);
    EXPECT_EQ(reply, QString(255, QLatin1Char('z')));
}

TEST(MciErrorTexts, EveryCodeWeReturnHasItsOwnJapaneseText)
{
    const int codes[] = {257, 259, 261, 262, 263, 264, 266, 267, 269, 270, 273, 274, 275, 276,
                         277, 278, 282, 289, 290, 292, 293, 294, 296, 304, 346, 347};
    QStringList seen;
    for (const int code : codes) {
        const QString text = mcierr::text(code);
        EXPECT_TRUE(text.endsWith(QStringLiteral("。"))) << code;
        EXPECT_FALSE(seen.contains(text)) << code;
        EXPECT_LT(text.size(), 255);
        seen << text;
    }
    EXPECT_TRUE(mcierr::text(0).isEmpty());
    EXPECT_TRUE(mcierr::text(9999).contains(QStringLiteral("9999")));
}

}  // namespace
