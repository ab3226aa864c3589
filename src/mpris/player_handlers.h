#pragma once

#include <QString>
#include <QtGlobal>

namespace mpris {

// The slowest and fastest speeds the player offers (1.0 is normal).
inline constexpr double MinimumRate = 0.25;
inline constexpr double MaximumRate = 2.0;

// What the desktop's media controls see of the player, read from the controls themselves.
struct PlayerState {
    QString playbackStatus = QStringLiteral("Stopped");  // "Playing", "Paused" or "Stopped"
    QString loopStatus = QStringLiteral("None");  // "None", "Track" or "Playlist"
    double rate = 1.0;
    double volume = 0.0;
    bool canPlay = false;
    bool canPause = false;
    bool canSeek = false;
    bool canGoNext = false;
    bool canGoPrevious = false;
    QString trackId;  // an object path; empty while nothing is open
    qint64 lengthUs = 0;
    QString title;
    QString url;

    bool operator==(const PlayerState&) const = default;
};

// The player as the media controls drive it. Each call goes through the handler the matching
// control runs, so a control that is off refuses the call just as it refuses a click. Arguments
// have been checked against the state before they get here.
class PlayerHandlers {
public:
    virtual ~PlayerHandlers() = default;

    virtual PlayerState state() = 0;
    virtual qint64 positionUs() = 0;
    // A message box or modal dialog is up: the controls take no clicks now.
    virtual bool busy() = 0;

    virtual void raise() = 0;
    virtual void quit() = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // 0 <= us <= the length.
    virtual void setPosition(qint64 us) = 0;
    virtual void setLoopStatus(const QString& status) = 0;
    // MinimumRate <= rate <= MaximumRate.
    virtual void setRate(double rate) = 0;
    // 0 ... 1.
    virtual void setVolume(double volume) = 0;
    // Whether openFile would take this file: a movie the player plays.
    virtual bool takes(const QString& path) = 0;
    // An existing local file that takes() accepts.
    virtual void openFile(const QString& path) = 0;
};

}  // namespace mpris
