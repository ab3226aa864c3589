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

// Counts the empty sectors from `from` (at most `limit`) walking forward (step 1) or backward
// (step -1), reading a chunk at a time; stops at data or at a sector that cannot be read.
std::int32_t Form2TrackReader::countEmpty(std::int32_t from, int step, std::int32_t limit)
{
    std::int32_t counted = 0;
    while (counted < limit) {
        const int count = int(std::min<std::int32_t>(ChunkSectors, limit - counted));
        const std::int32_t first = step > 0 ? from + counted : from - counted - count + 1;
        if (!disc_.readForm2(extent_.lsn + first, count, chunk_.data()))
            break;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = chunk_.data() +
                                    std::size_t(step > 0 ? i : count - 1 - i) * Payload;
            if (std::any_of(p, p + Payload, [](std::uint8_t b) { return b != 0; }))
                return counted;
            ++counted;
        }
    }
    return counted;
}

void Form2TrackReader::trimMargins()
{
    const std::int32_t lead = countEmpty(0, 1, std::min<std::int32_t>(MaxMargin, extent_.sectors));
    if (lead == extent_.sectors || lead == MaxMargin)
        return;  // no data near the start: that is no margin
    const std::int32_t tail = countEmpty(
        extent_.sectors - 1, -1, std::min<std::int32_t>(MaxMargin, extent_.sectors - lead - 1));
    extent_.lsn += lead;
    extent_.sectors -= lead + tail;
    loaded_ = -1;
}

std::int64_t Form2TrackReader::read(std::int64_t pos, char* buf, std::int64_t n)
{
    if (pos < 0 || n <= 0 || pos >= size())
        return 0;
    const std::int64_t chunkBytes = std::int64_t(ChunkSectors) * Payload;
    const auto chunk = std::int32_t(pos / chunkBytes);
    if (chunk == goneAt_ || !load(chunk))
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
    if (chunk != loaded_ + 1)
        failedRun_ = 0;  // read from elsewhere: a fresh start
    loaded_ = -1;
    const std::int32_t first = chunk * ChunkSectors;
    const int count = int(std::min<std::int32_t>(ChunkSectors, extent_.sectors - first));
    if (disc_.readForm2(extent_.lsn + first, count, chunk_.data()))
        failedRun_ = 0;
    else if (!readSectorBySector(first, count)) {
        goneAt_ = chunk;
        return false;
    }
    loaded_ = chunk;
    return true;
}

// The chunk failed as a whole: find the sectors that fail, try each a few times, skip the rest.
// False once GoneAfter sectors in a row have failed.
bool Form2TrackReader::readSectorBySector(std::int32_t first, int count)
{
    for (int i = 0; i < count; ++i) {
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
        if (++failedRun_ >= GoneAfter)
            return false;
    }
    return true;
}
