#pragma once

#include <cstdint>
#include <vector>

// Sectors of a disc as a track reader needs them.
class SectorReader {
public:
    static constexpr int Form2Payload = 2324;  // MPEG bytes in a Mode 2 Form 2 sector

    virtual ~SectorReader() = default;
    // Reads the Form 2 payloads of `count` sectors from `lsn` into `out` (count * 2324 bytes).
    virtual bool readForm2(std::int32_t lsn, int count, std::uint8_t* out) = 0;
};

// Where a file lies on the disc, in sectors.
struct DiscExtent {
    std::int32_t lsn = 0;
    std::int32_t sectors = 0;
};

// A Video-CD track as one byte stream: the Form 2 payloads of its sectors, back to back.
//
// A sector that cannot be read is tried `Attempts` times and then given as zeros (the MPEG
// demuxer finds the next pack), so a scratch breaks the picture up for a moment instead of
// stopping the movie. Only when `GoneAfter` sectors in a row fail does the read fail: the disc
// has been taken out, or is unreadable from here on. Reading elsewhere (a seek) tries again.
class Form2TrackReader {
public:
    static constexpr int Attempts = 3;
    static constexpr int GoneAfter = 75;  // one second of a Video-CD
    static constexpr int ChunkSectors = 16;

    Form2TrackReader(SectorReader& disc, DiscExtent extent);

    // A Video-CD track begins and ends with empty sectors (margins of zeros where MPEG data
    // would be); behind them the demuxer takes far longer to find the stream. The track is read
    // from its first sector with data to its last, trimming at most MaxMargin sectors at either
    // end; a track without data near its start, and sectors that cannot be read, stay.
    static constexpr int MaxMargin = 300;
    void trimMargins();

    std::int64_t size() const { return std::int64_t(extent_.sectors) * SectorReader::Form2Payload; }
    // Reads up to `n` bytes from `pos` (at most to the end of one chunk): the number read, 0 at
    // the end of the track, -1 where the disc has gone.
    std::int64_t read(std::int64_t pos, char* buf, std::int64_t n);

    int skippedSectors() const { return skipped_; }

private:
    bool load(std::int32_t chunk);
    std::int32_t countEmpty(std::int32_t from, int step, std::int32_t limit);
    bool readSectorBySector(std::int32_t first, int count);

    SectorReader& disc_;
    DiscExtent extent_;
    std::vector<std::uint8_t> chunk_;
    std::int32_t loaded_ = -1;  // chunk held in chunk_
    int failedRun_ = 0;  // sectors in a row that could not be read
    int skipped_ = 0;
    std::int32_t goneAt_ = -1;  // the chunk where GoneAfter failed sectors in a row ended
};
