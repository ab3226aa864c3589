#pragma once
// The program's windows over the real engine and fake window-system services, loaded as at start
// and unloaded at the end: what the benchmarks that time the real player drive.
#include "app/form1.h"
#include "fake_services.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "platform/linux/qt_bell.h"
#include "platform/mpv/mpv_engine.h"

#include <memory>

struct RealPlayer : FakeServices {
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    QtBell bell;
    MciChannel mci{interpreter, bell};
    std::unique_ptr<Form1> form1 = std::make_unique<Form1>(over(mci));

    RealPlayer() { form1->Form_Load(QString()); }
    ~RealPlayer()
    {
        form1->Form_Unload();
        form1.reset();
    }
};
