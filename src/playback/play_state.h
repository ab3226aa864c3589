#pragma once

#include <QString>

// Whether the device plays. Playback holds it; the play/pause button Command2 shows it in its
// caption, "II" while playing and "|>" otherwise, written from the state and never read back.
enum class PlayState { Stopped, Playing };

namespace play_state {
inline const QString Playing = QStringLiteral("II");
inline const QString Stopped = QStringLiteral("|>");

inline QString caption(PlayState state) { return state == PlayState::Playing ? Playing : Stopped; }
}  // namespace play_state
