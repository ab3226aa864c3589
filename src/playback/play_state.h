#pragma once

#include <QString>

// The play/pause button Command2 holds the playing state in its caption: "II" while playing,
// "|>" otherwise. Every part of the program reads and writes the state by these captions.
namespace play_state {
inline const QString Playing = QStringLiteral("II");
inline const QString Stopped = QStringLiteral("|>");
}  // namespace play_state
