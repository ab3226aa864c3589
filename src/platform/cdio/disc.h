#pragma once

#include "platform/cdio/cue_image.h"
#include "platform/cdio/form2_track_reader.h"
#include "platform/cdio/iso9660_directory.h"
#include "platform/drive_table.h"

#include <QString>
#include <memory>
#include <optional>

struct _CdIo;

// A disc in a drive, or a disc image, opened through libcdio (which reads both the same way).
// One thread at a time; each reader opens its own.
class Disc final : public SectorReader {
public:
    // Nothing when `source` is neither a drive nor a disc image, or it cannot be opened; then
    // `why` (when given) says why, `why->missingFile` naming an image's missing data file.
    static std::unique_ptr<Disc> open(const QString& source, DiscFolder* why = nullptr);
    ~Disc() override;
    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;

    // The ISO 9660 volume id; nothing when the disc's file system cannot be read (no disc, an
    // audio disc, a damaged image). The file system is read by our own checked reader: libcdio's
    // reads past its buffers on damaged directories.
    std::optional<QString> volumeId();
    // The files of `folder` ("MPEGAV/", "" for the root); names compare ignoring case.
    DiscFolder listFolder(const QString& folder);
    // Where the file `path` ("MPEGAV/AVSEQ01.DAT") lies, within its track.
    std::optional<DiscExtent> fileExtent(const QString& path);

    bool readForm2(std::int32_t lsn, int count, std::uint8_t* out) override;

private:
    Disc(_CdIo* cdio, std::unique_ptr<CueImage> image);
    // Why the file system cannot be read: an audio disc or a data disc without one is there
    // (NotFound), an empty drive is not ready.
    DiscFolderError unreadableFileSystem();
    // The disc's data sectors, for the file system reader.
    iso9660::ReadSector sectors();

    std::unique_ptr<CueImage> image_;  // kept while libcdio reads through it
    _CdIo* cdio_;
};
