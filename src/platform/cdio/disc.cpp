#include "platform/cdio/disc.h"

#include "platform/cdio/disc_log.h"
#include "platform/cdio/disc_path.h"

#include <QFile>

#include <cdio/cdio.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <cstring>
#include <vector>

namespace {

// libcdio's raw Mode 2 read gives the subheader, the payload and the EDC of each sector.
constexpr int RawMode2 = M2RAW_SECTOR_SIZE;  // 2336
constexpr int SubheaderSize = 8;

}  // namespace

std::unique_ptr<Disc> Disc::open(const QString& source, DiscFolder* why)
{
    installDiscLogHandler();
    DiscFolder ignored;
    DiscFolder& result = why ? *why : ignored;
    result = DiscFolder{DiscFolderError::NotReady, {}, {}};
    const QByteArray name = QFile::encodeName(source);
    CdIo_t* cdio = nullptr;
    std::unique_ptr<CueImage> image;
    switch (discSourceKind(source)) {
    case DiscSourceKind::None:
        return nullptr;
    case DiscSourceKind::Drive:
        if (::faccessat(AT_FDCWD, name.constData(), R_OK, AT_EACCESS) != 0 && errno == EACCES) {
            result.error = DiscFolderError::NoPermission;
            return nullptr;
        }
        cdio = cdio_open(name.constData(), DRIVER_LINUX);
        break;
    case DiscSourceKind::Image:
        image = CueImage::prepare(source);
        switch (image->problem()) {
        case CueImage::Problem::None:
            break;
        case CueImage::Problem::Unreadable:
            return nullptr;
        case CueImage::Problem::NoPermission:
            result.error = DiscFolderError::NoPermission;
            return nullptr;
        case CueImage::Problem::DataMissing:
            result.error = DiscFolderError::DataMissing;
            result.missingFile = image->missing();
            return nullptr;
        }
        cdio = cdio_open_cue(image->cueForLibcdio().constData());
        break;
    }
    if (!cdio)
        return nullptr;
    result.error = DiscFolderError::None;
    return std::unique_ptr<Disc>(new Disc(cdio, std::move(image)));
}

Disc::Disc(CdIo_t* cdio, std::unique_ptr<CueImage> image)
    : image_(std::move(image)), cdio_(cdio) { }

Disc::~Disc() { cdio_destroy(cdio_); }

DiscFolderError Disc::unreadableFileSystem()
{
    const track_t tracks = cdio_get_num_tracks(cdio_);
    return tracks != CDIO_INVALID_TRACK && tracks > 0 ? DiscFolderError::NotFound
                                                      : DiscFolderError::NotReady;
}

iso9660::ReadSector Disc::sectors()
{
    return [cdio = cdio_](std::int32_t lsn, std::uint8_t* out) {
        return lsn >= 0 &&
               cdio_read_data_sectors(cdio, out, lsn, iso9660::SectorSize, 1) == DRIVER_OP_SUCCESS;
    };
}

std::optional<QString> Disc::volumeId()
{
    const std::optional<iso9660::Volume> volume = iso9660::readVolume(sectors());
    if (!volume)
        return std::nullopt;
    return volume->id;
}

DiscFolder Disc::listFolder(const QString& folder)
{
    const iso9660::ReadSector read = sectors();
    const std::optional<iso9660::Volume> volume = iso9660::readVolume(read);
    if (!volume)
        return {unreadableFileSystem(), {}, {}};
    const std::optional<iso9660::Record> dir = iso9660::find(read, *volume, folder);
    const std::optional<std::vector<iso9660::Record>> entries = dir ? iso9660::readFolder(
                                                                          read, *dir)
                                                                    : std::nullopt;
    if (!entries)
        return {DiscFolderError::NotFound, {}, {}};
    DiscFolder result;
    for (const iso9660::Record& entry : *entries)
        if (!entry.folder)
            result.files << entry.name;
    return result;
}

std::optional<DiscExtent> Disc::fileExtent(const QString& path)
{
    const iso9660::ReadSector read = sectors();
    const std::optional<iso9660::Volume> volume = iso9660::readVolume(read);
    const std::optional<iso9660::Record> file = volume ? iso9660::find(read, *volume, path)
                                                       : std::nullopt;
    if (!file || file->folder)
        return std::nullopt;
    // A Form 2 file's recorded size may count 2324-byte sectors as 2048: never read past the
    // track that holds it.
    const track_t track = cdio_get_track(cdio_, file->lsn);
    if (track == CDIO_INVALID_TRACK)
        return std::nullopt;
    const lsn_t last = cdio_get_track_last_lsn(cdio_, track);
    if (last == CDIO_INVALID_LSN || last < file->lsn)
        return std::nullopt;
    const auto sectors = std::int32_t(
        std::min<std::int64_t>(file->sectors(), last - file->lsn + 1));
    return DiscExtent{file->lsn, sectors};
}

bool Disc::readForm2(std::int32_t lsn, int count, std::uint8_t* out)
{
    std::vector<std::uint8_t> raw(std::size_t(count) * RawMode2);
    if (cdio_read_mode2_sectors(cdio_, raw.data(), lsn, true, std::uint32_t(count)) !=
        DRIVER_OP_SUCCESS)
        return false;
    for (int i = 0; i < count; ++i)
        std::memcpy(out + std::size_t(i) * Form2Payload,
            raw.data() + std::size_t(i) * RawMode2 + SubheaderSize, Form2Payload);
    return true;
}
