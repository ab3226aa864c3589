#pragma once

#include <QLoggingCategory>

// Messages of the disc layer and of libcdio ("reelbox.disc"; debug output by QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcDisc)

// Sends libcdio's messages to lcDisc. libcdio's own handler ends the program on an error
// message; this one never does. Safe to call any number of times.
void installDiscLogHandler();
