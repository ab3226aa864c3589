#pragma once

#include <QString>

// Something that carries out MCI command strings. The command interpreter over the media engine
// is the real one; tests wrap it (tests/fakes/recording_mci_device.h) to see every command sent.
class MciDevice {
public:
    // The reply buffer has room for 255 characters and the NUL that ends them.
    static constexpr int ReplyBufferSize = 256;

    virtual ~MciDevice() = default;

    // Carries out `cmd`. `replyBuffer` arrives filled with ReplyBufferSize NULs; a command with
    // an answer writes it at the start, ended by a NUL (writeReply). Returns 0 or an mcierr code,
    // and writes nothing on failure.
    virtual int sendString(const QString& cmd, QString& replyBuffer) = 0;

    // The text for result code `rc`.
    virtual QString errorText(int rc) = 0;

    // Writes `text` (cut to ReplyBufferSize - 1 characters) and a NUL at the start of `buffer`.
    static void writeReply(QString& buffer, const QString& text);
};
