#pragma once

#include "platform/cdio/form2_track_reader.h"
#include "platform/drive_table.h"

#include <QString>
#include <memory>
#include <optional>

struct _CdIo;

// A disc in a drive, or a disc image, opened through libcdio (which reads both the same way).
// One thread at a time; each reader opens its own.
class Disc final : public SectorReader {
public:
    // Nothing when `source` is neither a drive nor a disc image, or libcdio cannot open it (an
    // image whose .bin is missing).
    static std::unique_ptr<Disc> open(const QString& source);
    ~Disc() override;
    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;

    // The ISO 9660 volume id; nothing when the disc's file system cannot be read (no disc, an
    // audio disc, a damaged image).
    std::optional<QString> volumeId();
    // The files of `folder` ("MPEGAV/", "" for the root); names compare ignoring case.
    DiscFolder listFolder(const QString& folder);
    // Where the file `path` ("MPEGAV/AVSEQ01.DAT") lies, within its track.
    std::optional<DiscExtent> fileExtent(const QString& path);

    bool readForm2(std::int32_t lsn, int count, std::uint8_t* out) override;

private:
    explicit Disc(_CdIo* cdio) : cdio_(cdio) {}
    struct Entry;
    std::optional<Entry> find(const QString& path);
    struct _CdioList* readDirectory(const Entry& dir);

    _CdIo* cdio_;
};
