#include "mci/mci_channel.h"

#include "mci/mci_errors.h"

#include <algorithm>

void MciDevice::writeReply(QString& buffer, const QString& text)
{
    const qsizetype n = std::min<qsizetype>(text.size(), ReplyBufferSize - 1);
    if (buffer.size() < n + 1)
        buffer.resize(n + 1);
    for (qsizetype i = 0; i < n; ++i)
        buffer[i] = text[i];
    buffer[n] = QChar(0);
}

MciChannel::MciChannel(MciDevice& device, Bell& bell) : device_(device), bell_(bell) { }

int MciChannel::MciSend(const QString& cmd, QString& reply)
{
    // The same buffer every time, filled anew: no allocation for the position timer's queries.
    buffer_.resize(MciDevice::ReplyBufferSize);
    std::fill_n(reinterpret_cast<char16_t*>(buffer_.data()), MciDevice::ReplyBufferSize, u'\0');
    const int rc = device_.sendString(cmd, buffer_);
    if (rc != mcierr::Success) {
        if (rc == mcierr::OutOfRange)
            bell_.beep();
        MciDevice::writeReply(buffer_, device_.errorText(rc));
    }
    const qsizetype nul = buffer_.indexOf(QChar(0));
    if (nul >= 0) {
        // Into the caller's own string where it has the room.
        reply.resize(nul);
        std::copy_n(buffer_.constData(), nul, reply.data());
    }
    return rc;
}
