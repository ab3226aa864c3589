#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct mpv_handle;

// A Video-CD track copied off the disc sector by sector: a RIFF/CDXA header, then raw 2352-byte
// Mode 2 sectors (12 sync bytes, 4 header bytes, 8 subheader bytes, 2324 bytes of MPEG data,
// 4 EDC bytes). The stream below hands the demuxer only the MPEG data, so that it never sees
// the framing.
struct CdxaLayout {
    static constexpr std::int64_t SectorSize = 2352;
    static constexpr std::int64_t PayloadOffset = 24;
    static constexpr std::int64_t PayloadSize = 2324;

    QByteArray path;  // local 8-bit file name
    std::int64_t dataOffset = 0;
    std::int64_t sectors = 0;

    std::int64_t payloadBytes() const { return sectors * PayloadSize; }
    // Where payload byte `pos` lies in the file.
    std::int64_t fileOffset(std::int64_t pos) const
    {
        return dataOffset + (pos / PayloadSize) * SectorSize + PayloadOffset + pos % PayloadSize;
    }
};

// The layout of `path` when it is a RIFF/CDXA file of raw sectors; nothing otherwise.
std::optional<CdxaLayout> probeCdxa(const QString& path);

// Makes "cdxa://..." open the track `layout` describes when the stream opens (`layout` must
// outlive the handle). Returns the URI to load, empty on failure.
QByteArray registerCdxaStream(mpv_handle* mpv, const CdxaLayout* layout);
