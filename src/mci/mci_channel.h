#pragma once

#include "mci/mci_device.h"
#include "platform/bell.h"

#include <QString>

// The program's only path to the media layer.
//
// Production:  MpvEngine -> MciInterpreter (an MciDevice) -> MciChannel
// Tests:       FakeMediaEngine -> MciInterpreter -> RecordingMciDevice -> MciChannel, so a test
//              can read back every command string sent, blanks included (tests/fakes).
class MciChannel {
public:
    MciChannel(MciDevice& device, Bell& bell);

    // Sends one command string. Returns 0 or the MCI error code. `reply` gets the reply text on
    // success and the error text on failure; code 282 (out of range) also beeps once. Should the
    // reply buffer come back without any NUL, `reply` keeps its old value.
    int MciSend(const QString& cmd, QString& reply);

private:
    MciDevice& device_;
    Bell& bell_;
    QString buffer_;
};
