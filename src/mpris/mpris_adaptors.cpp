#include "mpris/mpris_adaptors.h"

#include "mpris/mpris_service.h"

#include <QDBusError>
#include <QFileInfo>
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
        QStringLiteral("video/vnd.avi"), QStringLiteral("video/x-mpeg"),
        QStringLiteral("video/mp4"), QStringLiteral("video/x-matroska"),
        QStringLiteral("video/webm"), QStringLiteral("video/quicktime"),
        QStringLiteral("video/mp2t"), QStringLiteral("video/x-ms-wmv"),
        QStringLiteral("video/x-ms-asf"), QStringLiteral("application/vnd.ms-asf"),
        QStringLiteral("video/x-flv"), QStringLiteral("video/ogg"), QStringLiteral("video/3gpp")};
}

void MprisRootAdaptor::Raise()
{
    service_.later([](mpris::PlayerHandlers& h) { h.raise(); });
}

void MprisRootAdaptor::Quit()
{
    service_.later([](mpris::PlayerHandlers& h) { h.quit(); });
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

// Every action runs once the call has been answered (MprisService::later); what can be checked
// against the state now is checked now, so that a bad call gets its error.

// Property writes have no reply to carry an error: values outside the range are ignored.
void MprisPlayerAdaptor::setLoopStatus(const QString& status)
{
    if (status == QLatin1String("None") || status == QLatin1String("Track") ||
        status == QLatin1String("Playlist"))
        service_.later([status](mpris::PlayerHandlers& h) { h.setLoopStatus(status); });
}

// A rate of 0 pauses, as the interface asks.
void MprisPlayerAdaptor::setRate(double rate)
{
    if (rate == 0.0)
        service_.later([](mpris::PlayerHandlers& h) { h.pause(); });
    else if (rate >= mpris::MinimumRate && rate <= mpris::MaximumRate)
        service_.later([rate](mpris::PlayerHandlers& h) { h.setRate(rate); });
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    service_.later(
        [volume](mpris::PlayerHandlers& h) { h.setVolume(std::clamp(volume, 0.0, 1.0)); });
}

void MprisPlayerAdaptor::Play()
{
    service_.later([](mpris::PlayerHandlers& h) { h.play(); });
}
void MprisPlayerAdaptor::Pause()
{
    service_.later([](mpris::PlayerHandlers& h) { h.pause(); });
}
void MprisPlayerAdaptor::PlayPause()
{
    service_.later([](mpris::PlayerHandlers& h) { h.playPause(); });
}
void MprisPlayerAdaptor::Next()
{
    service_.later([](mpris::PlayerHandlers& h) { h.next(); });
}
void MprisPlayerAdaptor::Previous()
{
    service_.later([](mpris::PlayerHandlers& h) { h.previous(); });
}

void MprisPlayerAdaptor::Stop()
{
    service_.later([this](mpris::PlayerHandlers& h) {
        h.stop();
        service_.jumped();
    });
}

// Before the start is the start; past the end is the next entry, as the interface says. Measured
// from where the movie is when the seek's turn comes.
void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    service_.later([this, offset](mpris::PlayerHandlers& h) {
        const mpris::PlayerState state = h.state();
        if (!state.canSeek)
            return;
        const qlonglong from = h.positionUs();
        if (offset > 0 && from > state.lengthUs - offset) {
            h.next();
            return;
        }
        h.setPosition(std::max<qlonglong>(0, from + offset));
        service_.jumped();
    });
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
    // The entry may have changed by the action's turn: the position is for this one only.
    service_.later([this, id = state.trackId, position](mpris::PlayerHandlers& h) {
        const mpris::PlayerState now = h.state();
        if (!now.canSeek || now.trackId != id)
            return;
        h.setPosition(position);
        service_.jumped();
    });
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
    const QString path = file.absoluteFilePath();
    if (!service_.handlers().takes(path)) {
        refuse(QDBusError::NotSupported, QStringLiteral("not a movie: ") + file.filePath());
        return;
    }
    service_.later([path](mpris::PlayerHandlers& h) { h.openFile(path); });
}
