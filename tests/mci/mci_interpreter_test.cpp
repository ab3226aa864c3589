// The command strings the windows send, through MciSend and the interpreter, over the fake engine:
// the engine calls each makes (the real engine's answers are checked in mpv_engine_test).
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "fake_media_engine.h"

#include <gtest/gtest.h>

namespace {

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
        EXPECT_EQ(mci.MciSend(row.cmd, reply), row.rc) << row.cmd.toStdString();
        EXPECT_EQ(reply, mcierr::text(row.rc)) << row.cmd.toStdString();
        EXPECT_EQ(engine.calls(), row.calls) << row.cmd.toStdString();
    }
    EXPECT_EQ(bell.beeps, 0);
}

}  // namespace
