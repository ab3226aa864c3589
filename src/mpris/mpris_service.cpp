#include "mpris/mpris_service.h"

#include "mpris/mpris_adaptors.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMpris, "reelbox.mpris", QtInfoMsg)

namespace {

const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// How often the bus is looked at, and the longest pause between tries to reach it again.
constexpr int WatchInterval = 1000;
constexpr int MaxRetryInterval = 8000;
const QString OwnConnection = QStringLiteral("reelbox-mpris-");

// The Player properties whose values differ between two states.
QVariantMap changedProperties(const mpris::PlayerState& a, const mpris::PlayerState& b)
{
    QVariantMap changed;
    const auto put = [&](const char* name, bool differs, const QVariant& value) {
        if (differs)
            changed.insert(QLatin1String(name), value);
    };
    put("PlaybackStatus", a.playbackStatus != b.playbackStatus, b.playbackStatus);
    put("LoopStatus", a.loopStatus != b.loopStatus, b.loopStatus);
    put("Rate", a.rate != b.rate, b.rate);
    put("Volume", a.volume != b.volume, b.volume);
    put("CanPlay", a.canPlay != b.canPlay, b.canPlay);
    put("CanPause", a.canPause != b.canPause, b.canPause);
    put("CanSeek", a.canSeek != b.canSeek, b.canSeek);
    put("CanGoNext", a.canGoNext != b.canGoNext, b.canGoNext);
    put("CanGoPrevious", a.canGoPrevious != b.canGoPrevious, b.canGoPrevious);
    put("Metadata",
        a.trackId != b.trackId || a.lengthUs != b.lengthUs || a.title != b.title || a.url != b.url,
        mpris::metadataOf(b));
    return changed;
}

}  // namespace

MprisService::MprisService(
    mpris::PlayerHandlers& handlers, const QString& desktopEntry, QDBusConnection bus)
    : handlers_(handlers),
      calls_([&handlers] { return handlers.busy(); }),
      desktopEntry_(desktopEntry),
      bus_(bus)
{
    if (!bus_.isConnected()) {
        qCInfo(lcMpris) << "no session bus: the desktop's media controls cannot reach the player";
        return;
    }
    auto* object = new MprisObject(this);
    new MprisRootAdaptor(object, *this);
    new MprisPlayerAdaptor(object, *this);
    object_ = object;
    if (!registerOnBus())
        return;
    watch_.callOnTimeout(this, &MprisService::watchBus);
    watch_.start(WatchInterval);
}

bool MprisService::registerOnBus()
{
    if (!bus_.registerObject(ObjectPath, object_)) {
        qCInfo(lcMpris) << "media controls: the object path is taken";
        return false;
    }
    // A second copy of the program takes a name of its own.
    const QString base = QStringLiteral("org.mpris.MediaPlayer2.reelbox");
    for (const QString& name : {base, base + QStringLiteral(".instance") +
                                          QString::number(QCoreApplication::applicationPid())}) {
        if (bus_.interface()
                ->registerService(name, QDBusConnectionInterface::DontQueueService,
                    QDBusConnectionInterface::DontAllowReplacement)
                .value() == QDBusConnectionInterface::ServiceRegistered) {
            serviceName_ = name;
            break;
        }
    }
    if (serviceName_.isEmpty()) {
        qCInfo(lcMpris) << "media controls: no bus name could be had";
        bus_.unregisterObject(ObjectPath);
        return false;
    }
    last_ = handlers_.state();
    return true;
}

// Qt does not connect again by itself: a lost bus is left for a new connection of our own,
// tried with growing pauses while no bus answers.
void MprisService::watchBus()
{
    if (isRegistered()) {
        if (bus_.isConnected())
            return;
        qCInfo(lcMpris) << "the session bus went away: waiting for it to come back";
        serviceName_.clear();
    }
    if (bus_.name().startsWith(OwnConnection))
        QDBusConnection::disconnectFromBus(bus_.name());
    const QString name = OwnConnection + QString::number(++connections_);
    bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (bus_.isConnected() && registerOnBus()) {
        qCInfo(lcMpris) << "back on the session bus as" << serviceName_;
        watch_.start(WatchInterval);
        return;
    }
    watch_.start(std::min(watch_.interval() * 2, MaxRetryInterval));
}

MprisService::~MprisService()
{
    if (isRegistered()) {
        bus_.unregisterService(serviceName_);
        bus_.unregisterObject(ObjectPath);
    }
}

void MprisService::refresh()
{
    if (!isRegistered())
        return;
    mpris::PlayerState now = handlers_.state();
    if (now == last_)
        return;
    const QVariantMap changed = changedProperties(last_, now);
    last_ = std::move(now);
    if (!changed.isEmpty())
        propertiesChanged(PlayerInterface, changed);
}

void MprisService::jumped()
{
    if (isRegistered())
        emit Seeked(handlers_.positionUs());
}

void MprisService::later(std::function<void(mpris::PlayerHandlers&)> action)
{
    calls_.post([this, action = std::move(action)] {
        action(handlers_);
        refresh();
    });
}

void MprisService::propertiesChanged(const QString& interface, const QVariantMap& changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    bus_.send(signal);
}
