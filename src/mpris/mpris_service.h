#pragma once

#include "mpris/call_queue.h"
#include "mpris/player_handlers.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

// The player on the session bus as org.mpris.MediaPlayer2.reelbox (with ".instance<pid>" when
// another copy holds that name), which is how media keys, the desktops' player widgets and
// playerctl reach it. Without a session bus it stays away, with one line in the log. A bus that
// goes away once the player is on it (the session's services restarted) is watched for: the
// player registers again on the bus that answers at the same address.
class MprisService : public QObject {
    Q_OBJECT
public:
    // desktopEntry: the installed .desktop file's name without ".desktop".
    MprisService(mpris::PlayerHandlers& handlers, const QString& desktopEntry,
        QDBusConnection bus = QDBusConnection::sessionBus());
    ~MprisService() override;

    bool isRegistered() const { return !serviceName_.isEmpty(); }
    QString serviceName() const { return serviceName_; }

    // Reads the state again and tells listeners what changed; nothing when nothing did.
    void refresh();
    // The position jumped (a seek, a step, a stop): listeners are told the new position.
    void jumped();
    // Runs `action` on the handlers once the call has been answered, then tells listeners what
    // it changed (see CallQueue: one at a time, refused while the player is busy).
    void later(std::function<void(mpris::PlayerHandlers&)> action);

    mpris::PlayerHandlers& handlers() { return handlers_; }
    const mpris::PlayerState& lastState() const { return last_; }
    QString desktopEntry() const { return desktopEntry_; }

signals:
    void Seeked(qlonglong position);

private:
    bool registerOnBus();
    void watchBus();
    void propertiesChanged(const QString& interface, const QVariantMap& changed);

    mpris::PlayerHandlers& handlers_;
    mpris::CallQueue calls_;
    QString desktopEntry_;
    QDBusConnection bus_;
    QObject* object_ = nullptr;  // what the bus calls, with its two adaptors
    QString serviceName_;
    mpris::PlayerState last_;
    QTimer watch_;  // whether the bus is still there; while not, the next try to reach it
    int connections_ = 0;  // connections of our own made so far, to name the next one
};
