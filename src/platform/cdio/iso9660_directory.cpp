#include "platform/cdio/iso9660_directory.h"

#include <array>
#include <cstring>
#include <limits>

namespace iso9660 {

namespace {

using Sector = std::array<std::uint8_t, SectorSize>;

constexpr int RecordHeader = 33;  // the fixed part of a directory record, up to its name
constexpr int RootRecordAt = 156;
constexpr int VolumeIdAt = 40;
constexpr int VolumeIdSize = 32;

std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

bool isNameChar(std::uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '-';
}

// The record of `size` bytes at `p`, which lie inside the sector; nothing for the folder itself,
// its parent and records that are damaged.
std::optional<Record> parseRecord(const std::uint8_t* p, int size)
{
    const int nameSize = p[32];
    if (size < RecordHeader + nameSize || nameSize == 0)
        return std::nullopt;
    const std::uint8_t* name = p + RecordHeader;
    if (nameSize == 1 && name[0] <= 1)
        return std::nullopt;  // "." and ".."
    int length = 0;
    while (length < nameSize && name[length] != ';')
        ++length;
    if (length == 0)
        return std::nullopt;
    for (int i = 0; i < length; ++i)
        if (!isNameChar(name[i]))
            return std::nullopt;
    const std::uint32_t extent = le32(p + 2);
    if (extent > std::uint32_t(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    Record record;
    record.name = QString::fromLatin1(reinterpret_cast<const char*>(name), length);
    record.folder = (p[25] & 0x02) != 0;
    record.lsn = std::int32_t(extent);
    record.bytes = le32(p + 10);
    return record;
}

}  // namespace

std::optional<Volume> readVolume(const ReadSector& read)
{
    Sector s{};
    if (!read(DescriptorSector, s.data()) || s[0] != 1 ||
        std::memcmp(s.data() + 1, "CD001", 5) != 0)
        return std::nullopt;
    const std::uint8_t* root = s.data() + RootRecordAt;
    if (root[0] != 34 || !(root[25] & 0x02))
        return std::nullopt;
    const std::uint32_t extent = le32(root + 2);
    if (extent > std::uint32_t(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    Volume volume;
    volume.id = QString::fromLatin1(
        reinterpret_cast<const char*>(s.data() + VolumeIdAt), VolumeIdSize);
    volume.id.truncate(
        volume.id.indexOf(QChar(u'\0')) < 0 ? volume.id.size() : volume.id.indexOf(QChar(u'\0')));
    volume.id = volume.id.trimmed();
    volume.root = Record{QString(), true, std::int32_t(extent), le32(root + 10)};
    return volume;
}

std::optional<std::vector<Record>> readFolder(const ReadSector& read, const Record& dir)
{
    const std::uint32_t sectors = dir.sectors();
    if (!dir.folder || sectors == 0 || sectors > MaxDirectorySectors ||
        dir.lsn > std::numeric_limits<std::int32_t>::max() - std::int32_t(sectors))
        return std::nullopt;
    std::vector<Record> records;
    Sector s{};
    for (std::uint32_t k = 0; k < sectors; ++k) {
        if (!read(dir.lsn + std::int32_t(k), s.data()))
            return std::nullopt;
        // Records never cross a sector's end; a zero length pads the rest of the sector.
        for (int at = 0; at < SectorSize && s[at] != 0;) {
            const int size = s[at];
            if (size < RecordHeader + 1 || at + size > SectorSize)
                break;
            if (std::optional<Record> record = parseRecord(s.data() + at, size))
                records.push_back(std::move(*record));
            at += size;
        }
    }
    return records;
}

std::optional<Record> find(const ReadSector& read, const Volume& volume, const QString& path)
{
    Record at = volume.root;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::optional<std::vector<Record>> entries = readFolder(read, at);
        if (!entries)
            return std::nullopt;
        const Record* next = nullptr;
        for (const Record& entry : *entries)
            if (entry.name.compare(part, Qt::CaseInsensitive) == 0) {
                next = &entry;
                break;
            }
        if (!next)
            return std::nullopt;
        at = *next;
    }
    return at;
}

}  // namespace iso9660
