#include "platform/cdio/form2_track_reader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int Payload = SectorReader::Form2Payload;
}

Form2TrackReader::Form2TrackReader(SectorReader& disc, DiscExtent extent)
    : disc_(disc), extent_(extent), chunk_(std::size_t(ChunkSectors) * Payload)
{
}

std::int64_t Form2TrackReader::read(std::int64_t pos, char* buf, std::int64_t n)
{
    if (gone_)
        return -1;
    if (pos < 0 || n <= 0 || pos >= size())
        return 0;
    const std::int64_t chunkBytes = std::int64_t(ChunkSectors) * Payload;
    const auto chunk = std::int32_t(pos / chunkBytes);
    if (!load(chunk))
        return -1;
    const std::int64_t chunkEnd = std::min(size(), (chunk + 1) * chunkBytes);
    const std::int64_t got = std::min(n, chunkEnd - pos);
    std::memcpy(buf, chunk_.data() + (pos - chunk * chunkBytes), std::size_t(got));
    return got;
}

bool Form2TrackReader::load(std::int32_t chunk)
{
    if (chunk == loaded_)
        return true;
    const std::int32_t first = chunk * ChunkSectors;
    const int count = int(std::min<std::int32_t>(ChunkSectors, extent_.sectors - first));
    if (disc_.readForm2(extent_.lsn + first, count, chunk_.data()))
        failedRun_ = 0;
    else
        readSectorBySector(first, count);
    if (gone_)
        return false;
    loaded_ = chunk;
    return true;
}

// The chunk failed as a whole: find the sectors that fail, try each a few times, skip the rest.
void Form2TrackReader::readSectorBySector(std::int32_t first, int count)
{
    for (int i = 0; i < count && !gone_; ++i) {
        std::uint8_t* out = chunk_.data() + std::size_t(i) * Payload;
        bool ok = false;
        for (int attempt = 0; attempt < Attempts && !ok; ++attempt)
            ok = disc_.readForm2(extent_.lsn + first + i, 1, out);
        if (ok) {
            failedRun_ = 0;
            continue;
        }
        std::memset(out, 0, Payload);
        ++skipped_;
        gone_ = ++failedRun_ >= GoneAfter;
    }
}
