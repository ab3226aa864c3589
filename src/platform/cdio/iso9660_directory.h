#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The few parts of an ISO 9660 file system that Video-CD mode reads: the primary volume
// descriptor, the root and the folders below it. Every record is checked against the sector it
// lies in before a byte of it is used, so any bytes a disc or image holds give an answer or
// nothing, never a read outside what was read from the disc.
namespace iso9660 {

constexpr int SectorSize = 2048;
constexpr std::int32_t DescriptorSector = 16;
// Larger folders are damage, not Video-CDs: a Video-CD's folders fit in one sector or two.
constexpr std::uint32_t MaxDirectorySectors = 64;

// Reads the 2048 data bytes of sector `lsn`; false when it cannot be read.
using ReadSector = std::function<bool(std::int32_t lsn, std::uint8_t* out)>;

struct Record {
    QString name;  // without the version (";1"); "." and ".." are never listed
    bool folder = false;
    std::int32_t lsn = 0;
    std::uint32_t bytes = 0;
    std::uint32_t sectors() const { return bytes / SectorSize + (bytes % SectorSize ? 1 : 0); }
};

struct Volume {
    QString id;  // the volume id, blanks trimmed
    Record root;
};

// The primary volume descriptor; nothing when the disc holds no ISO 9660 file system.
std::optional<Volume> readVolume(const ReadSector& read);

// The entries of the folder `dir`; nothing when it is no folder, too large or unreadable.
// Records that make no sense (a length that runs past its sector, a name that is no ISO 9660
// name) end the sector they are in.
std::optional<std::vector<Record>> readFolder(const ReadSector& read, const Record& dir);

// Walks `path` ("MPEGAV/AVSEQ01.DAT", "" for the root) from the root, names compared ignoring
// case.
std::optional<Record> find(const ReadSector& read, const Volume& volume, const QString& path);

}  // namespace iso9660
