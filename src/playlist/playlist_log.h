#pragma once

#include <QLoggingCategory>

// What the adders put into the playlist, for a developer following a session:
// QT_LOGGING_RULES="reelbox.playlist.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlaylist)
