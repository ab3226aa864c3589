#include "platform/cdio/disc_log.h"

#include <cdio/logging.h>

#include <mutex>

Q_LOGGING_CATEGORY(lcDisc, "reelbox.disc", QtWarningMsg)

void installDiscLogHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        cdio_log_set_handler([](cdio_log_level_t level, const char message[]) {
            // A missing disc or a failed read is reported by the caller; libcdio's own words
            // are detail.
            if (level >= CDIO_LOG_ASSERT)
                qCWarning(lcDisc, "libcdio: %s", message);
            else
                qCDebug(lcDisc, "libcdio: %s", message);
        });
    });
}
