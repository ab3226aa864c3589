#include "mpris/mpris_adaptors.h"

#include "mpris/mpris_service.h"

#include <QDBusError>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace {

const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

}  // namespace

QVariantMap mpris::metadataOf(const PlayerState& state)
{
    if (state.trackId.isEmpty())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}};
    return {
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(state.trackId))},
        {QStringLiteral("mpris:length"), QVariant::fromValue(qlonglong(state.lengthUs))},
        {QStringLiteral("xesam:title"), state.title},
        {QStringLiteral("xesam:url"), state.url},
    };
}

// ---- org.mpris.MediaPlayer2 ---------------------------------------------------------------------

MprisRootAdaptor::MprisRootAdaptor(QObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object), service_(service)
{
}

QString MprisRootAdaptor::identity() const { return QStringLiteral("ReelBox"); }
QString MprisRootAdaptor::desktopEntry() const { return service_.desktopEntry(); }
QStringList MprisRootAdaptor::supportedUriSchemes() const { return {QStringLiteral("file")}; }

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("video/mpeg"), QStringLiteral("video/x-msvideo"),
        QStringLiteral("video/vnd.avi"), QStringLiteral("video/x-mpeg")};
}

void MprisRootAdaptor::Raise() { service_.handlers().raise(); }

// The reply goes out before the orderly end begins.
void MprisRootAdaptor::Quit()
{
    QTimer::singleShot(0, &service_, [this] { service_.handlers().quit(); });
}

// ---- org.mpris.MediaPlayer2.Player ---------------------------------------------------------------

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object), service_(service), object_(*object)
{
    connect(&service, &MprisService::Seeked, this, &MprisPlayerAdaptor::Seeked);
}

void MprisPlayerAdaptor::refuse(QDBusError::ErrorType error, const QString& why)
{
    if (object_.calledFromDBus())
        object_.sendErrorReply(error, why);
}

template <typename F> void MprisPlayerAdaptor::run(F&& call)
{
    call(service_.handlers());
    service_.refresh();
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return service_.handlers().state().playbackStatus;
}
QString MprisPlayerAdaptor::loopStatus() const { return service_.handlers().state().loopStatus; }
double MprisPlayerAdaptor::rate() const { return service_.handlers().state().rate; }
double MprisPlayerAdaptor::minimumRate() const { return mpris::MinimumRate; }
double MprisPlayerAdaptor::maximumRate() const { return mpris::MaximumRate; }
QVariantMap MprisPlayerAdaptor::metadata() const
{
    return mpris::metadataOf(service_.handlers().state());
}
double MprisPlayerAdaptor::volume() const { return service_.handlers().state().volume; }
qlonglong MprisPlayerAdaptor::position() const { return service_.handlers().positionUs(); }
bool MprisPlayerAdaptor::canGoNext() const { return service_.handlers().state().canGoNext; }
bool MprisPlayerAdaptor::canGoPrevious() const { return service_.handlers().state().canGoPrevious; }
bool MprisPlayerAdaptor::canPlay() const { return service_.handlers().state().canPlay; }
bool MprisPlayerAdaptor::canPause() const { return service_.handlers().state().canPause; }
bool MprisPlayerAdaptor::canSeek() const { return service_.handlers().state().canSeek; }

// Property writes have no reply to carry an error: values outside the range are ignored.
void MprisPlayerAdaptor::setLoopStatus(const QString& status)
{
    if (status == QLatin1String("None") || status == QLatin1String("Track") ||
        status == QLatin1String("Playlist"))
        run([&](mpris::PlayerHandlers& h) { h.setLoopStatus(status); });
}

// A rate of 0 pauses, as the interface asks.
void MprisPlayerAdaptor::setRate(double rate)
{
    if (rate == 0.0)
        run([](mpris::PlayerHandlers& h) { h.pause(); });
    else if (rate >= mpris::MinimumRate && rate <= mpris::MaximumRate)
        run([&](mpris::PlayerHandlers& h) { h.setRate(rate); });
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    run([&](mpris::PlayerHandlers& h) { h.setVolume(std::clamp(volume, 0.0, 1.0)); });
}

void MprisPlayerAdaptor::Play()
{
    run([](mpris::PlayerHandlers& h) { h.play(); });
}
void MprisPlayerAdaptor::Pause()
{
    run([](mpris::PlayerHandlers& h) { h.pause(); });
}
void MprisPlayerAdaptor::PlayPause()
{
    run([](mpris::PlayerHandlers& h) { h.playPause(); });
}
void MprisPlayerAdaptor::Next()
{
    run([](mpris::PlayerHandlers& h) { h.next(); });
}
void MprisPlayerAdaptor::Previous()
{
    run([](mpris::PlayerHandlers& h) { h.previous(); });
}

void MprisPlayerAdaptor::Stop()
{
    run([](mpris::PlayerHandlers& h) { h.stop(); });
    service_.jumped();
}

// Before the start is the start; past the end is the next entry, as the interface says.
void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    mpris::PlayerHandlers& h = service_.handlers();
    const mpris::PlayerState state = h.state();
    if (!state.canSeek)
        return;
    const qlonglong from = h.positionUs();
    if (offset > 0 && from > state.lengthUs - offset) {
        run([](mpris::PlayerHandlers& hh) { hh.next(); });
        return;
    }
    run([&](mpris::PlayerHandlers& hh) { hh.setPosition(std::max<qlonglong>(0, from + offset)); });
    service_.jumped();
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    const mpris::PlayerState state = service_.handlers().state();
    if (state.trackId.isEmpty() || trackId.path() != state.trackId) {
        refuse(QDBusError::InvalidArgs, QStringLiteral("stale track id: ") + trackId.path());
        return;
    }
    if (position < 0 || position > state.lengthUs) {
        refuse(QDBusError::InvalidArgs,
            QStringLiteral("position outside 0 ... %1").arg(state.lengthUs));
        return;
    }
    if (!state.canSeek)
        return;
    run([&](mpris::PlayerHandlers& h) { h.setPosition(position); });
    service_.jumped();
}

void MprisPlayerAdaptor::OpenUri(const QString& uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        refuse(QDBusError::InvalidArgs, QStringLiteral("not a URI: ") + uri);
        return;
    }
    if (!url.isLocalFile() || !url.host().isEmpty()) {
        refuse(QDBusError::NotSupported, QStringLiteral("only local files: ") + uri);
        return;
    }
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile()) {
        refuse(QDBusError::InvalidArgs, QStringLiteral("no such file: ") + file.filePath());
        return;
    }
    bool taken = false;
    run([&](mpris::PlayerHandlers& h) { taken = h.openFile(file.absoluteFilePath()); });
    if (!taken)
        refuse(QDBusError::NotSupported, QStringLiteral("not a movie: ") + file.filePath());
}
