#pragma once

#include <QByteArray>
#include <QLoggingCategory>

struct mpv_event_log_message;

// Why libmpv did what it did: mpv's own messages and every mpv call that failed. Warnings and
// errors show by default; QT_LOGGING_RULES="reelbox.mpv.debug=true" adds mpv's verbose log.
Q_DECLARE_LOGGING_CATEGORY(lcMpv)

namespace mpvlog {

// The least severe level to ask mpv for, following the category: "warn", or "v" with debug on.
const char* requestedLevel();

// Passes one of mpv's log messages on at the matching Qt level (the decoders' complaints that come
// with every seek as info).
void forward(const mpv_event_log_message& message);

// True when `rc` (an mpv result) is a success; otherwise logs `call` and `what` with mpv's
// reason, and returns false.
bool ok(int rc, const char* call, const QByteArray& what);

}  // namespace mpvlog
