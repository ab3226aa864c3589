#include "platform/mpv/disc_track_stream.h"

#include "platform/cdio/disc.h"
#include "platform/cdio/disc_log.h"
#include "platform/cdio/disc_path.h"
#include "platform/mpv/stream_uri.h"

#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <memory>
#include <utility>

namespace {

constexpr char DiscTrackProtocol[] = "vcdtrack";

struct Track {
    std::unique_ptr<Disc> disc;
    std::unique_ptr<Form2TrackReader> reader;
    QString path;
    std::int64_t pos = 0;
    bool goneReported = false;
};

struct Opened {
    std::unique_ptr<Disc> disc;
    DiscExtent extent;
};

std::optional<Opened> openTrack(const QString& path)
{
    const std::optional<DiscPath> where = splitDiscPath(path);
    if (!where)
        return std::nullopt;
    std::unique_ptr<Disc> disc = Disc::open(where->source);
    const std::optional<DiscExtent> extent = disc ? disc->fileExtent(where->inner) : std::nullopt;
    if (!extent)
        return std::nullopt;
    return Opened{std::move(disc), *extent};
}

// The callbacks run on mpv's demuxer thread; each stream has its own disc handle.
std::int64_t discTrackRead(void* cookie, char* buf, std::uint64_t nbytes)
{
    auto* track = static_cast<Track*>(cookie);
    const std::int64_t got = track->reader->read(track->pos, buf, std::int64_t(nbytes));
    if (got < 0) {
        if (!std::exchange(track->goneReported, true))
            qCWarning(lcDisc, "%s: the disc cannot be read any more", qPrintable(track->path));
        return -1;
    }
    track->pos += got;
    return got;
}

std::int64_t discTrackSeek(void* cookie, std::int64_t offset)
{
    auto* track = static_cast<Track*>(cookie);
    if (offset < 0 || offset > track->reader->size())
        return MPV_ERROR_GENERIC;
    track->pos = offset;
    return offset;
}

std::int64_t discTrackSize(void* cookie) { return static_cast<Track*>(cookie)->reader->size(); }

void discTrackClose(void* cookie)
{
    auto* track = static_cast<Track*>(cookie);
    if (const int skipped = track->reader->skippedSectors())
        qCWarning(lcDisc, "%s: %d unreadable sectors skipped", qPrintable(track->path), skipped);
    delete track;
}

int discTrackOpen(void*, char* uri, mpv_stream_cb_info* info)
{
    const QString path = pathOfStreamUri(uri);
    std::optional<Opened> opened = openTrack(path);
    if (!opened)
        return MPV_ERROR_LOADING_FAILED;
    auto* track = new Track{std::move(opened->disc), nullptr, path};
    track->reader = std::make_unique<Form2TrackReader>(*track->disc, opened->extent);
    track->reader->trimMargins();
    return streamOpened(info, track, discTrackRead, discTrackSeek, discTrackSize, discTrackClose);
}

}  // namespace

bool isDiscTrackPath(const QString& path) { return splitDiscPath(path).has_value(); }

MediaError discTrackTarget(mpv_handle* mpv, const QString& path, QByteArray& target)
{
    target.clear();
    if (!splitDiscPath(path))
        return MediaError::None;
    if (!openTrack(path)) {
        qCWarning(lcDisc, "%s: no such file on a readable disc", qPrintable(path));
        return MediaError::FileNotFound;
    }
    return streamTarget(mpv, DiscTrackProtocol, discTrackOpen, path, target);
}
