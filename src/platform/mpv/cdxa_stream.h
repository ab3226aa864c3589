#pragma once

#include "platform/media_engine.h"

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

// For a RIFF/CDXA file: registers the stream that reads it on `mpv` (once per handle) and sets
// `target` to the URI to load; Driver when the stream cannot be registered. For any other file:
// None, and `target` is left empty.
MediaError cdxaTarget(mpv_handle* mpv, const QString& path, QByteArray& target);
