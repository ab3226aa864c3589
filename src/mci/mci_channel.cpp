#include "mci/mci_channel.h"

#include "mci/mci_errors.h"

void MciDevice::writeReply(QString& buffer, const QString& text)
{
    const qsizetype n = std::min<qsizetype>(text.size(), ReplyBufferSize - 1);
    if (buffer.size() < n + 1)
        buffer.resize(n + 1);
    for (qsizetype i = 0; i < n; ++i)
        buffer[i] = text[i];
    buffer[n] = QChar(0);
}

MciChannel::MciChannel(MciDevice& device, Bell& bell) : device_(device), bell_(bell) {}

int MciChannel::MciSend(const QString& cmd, QString& reply)
{
    QString buffer(MciDevice::ReplyBufferSize, QChar(0));
    const int rc = device_.sendString(cmd, buffer);
    if (rc != mcierr::Success) {
        if (rc == mcierr::OutOfRange)
            bell_.beep();
        MciDevice::writeReply(buffer, device_.errorText(rc));
    }
    const qsizetype nul = buffer.indexOf(QChar(0));
    if (nul >= 0)
        reply = buffer.left(nul);
    return rc;
}
