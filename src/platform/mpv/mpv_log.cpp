#include "platform/mpv/mpv_log.h"

#include <mpv/client.h>

#include <cstring>

Q_LOGGING_CATEGORY(lcMpv, "reelbox.mpv", QtWarningMsg)

namespace mpvlog {

const char* requestedLevel() { return lcMpv().isDebugEnabled() ? "v" : "warn"; }

namespace {

// The audio and video decoders complain about the packet they start in after every exact seek in
// an MPEG stream ("Header missing", "Error decoding audio"): a matter of course, shown as info.
bool isDecoder(const char* prefix)
{
    for (const char* d : {"ad", "vd", "ffmpeg/audio", "ffmpeg/video"}) {
        if (std::strcmp(prefix, d) == 0)
            return true;
    }
    return false;
}

}  // namespace

void forward(const mpv_event_log_message& message)
{
    QByteArray text(message.text);
    while (text.endsWith('\n'))
        text.chop(1);
    if (text.isEmpty())
        return;
    int level = message.log_level;
    if (level != MPV_LOG_LEVEL_FATAL && level < MPV_LOG_LEVEL_INFO && isDecoder(message.prefix))
        level = MPV_LOG_LEVEL_INFO;
    switch (level) {
    case MPV_LOG_LEVEL_FATAL:
    case MPV_LOG_LEVEL_ERROR:
        qCCritical(lcMpv, "[%s] %s", message.prefix, text.constData());
        break;
    case MPV_LOG_LEVEL_WARN:
        qCWarning(lcMpv, "[%s] %s", message.prefix, text.constData());
        break;
    case MPV_LOG_LEVEL_INFO:
        qCInfo(lcMpv, "[%s] %s", message.prefix, text.constData());
        break;
    default:
        qCDebug(lcMpv, "[%s] %s", message.prefix, text.constData());
        break;
    }
}

bool ok(int rc, const char* call, const QByteArray& what)
{
    if (rc >= 0)
        return true;
    qCWarning(lcMpv, "%s(%s) failed: %s", call, what.constData(), mpv_error_string(rc));
    return false;
}

}  // namespace mpvlog
