#pragma once

#include "mci/mci_device.h"

#include <QList>
#include <QStringList>

// Passes every command on to another device and remembers it, with its result, so that tests
// can check the exact command strings a window sent:
//
//   MciInterpreter interpreter(engine);
//   RecordingMciDevice device(interpreter);
//   MciChannel mci(device, bell);
//   ...
//   EXPECT_EQ(device.commands().last(), "seek avfile to  15000");
class RecordingMciDevice : public MciDevice {
public:
    explicit RecordingMciDevice(MciDevice& inner) : inner_(inner) { }

    int sendString(const QString& cmd, QString& replyBuffer) override
    {
        commands_ << cmd;
        const int rc = inner_.sendString(cmd, replyBuffer);
        results_ << rc;
        return rc;
    }
    QString errorText(int rc) override { return inner_.errorText(rc); }

    const QStringList& commands() const { return commands_; }
    const QList<int>& results() const { return results_; }
    void clear()
    {
        commands_.clear();
        results_.clear();
    }

private:
    MciDevice& inner_;
    QStringList commands_;
    QList<int> results_;
};
