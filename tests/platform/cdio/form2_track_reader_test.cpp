// The raw track reader over a disc whose sectors fail, or hold nothing, as each case says.
// Checks: form2_track_reader.cpp (src/platform/cdio).
#include "platform/cdio/form2_track_reader.h"

#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr int Payload = SectorReader::Form2Payload;
constexpr int Chunk = Form2TrackReader::ChunkSectors;
constexpr int Tries = Form2TrackReader::Attempts;
constexpr int Gone = Form2TrackReader::GoneAfter;
constexpr int Max = Form2TrackReader::MaxMargin;

// Sector n holds the byte n % 251 + 1 inside [dataFrom, dataTo), zeros outside. The first
// failures[n] attempts at sector n fail; a read of several sectors fails if one of them would.
struct FlakyDisc : SectorReader {
    std::map<std::int32_t, int> failures;
    std::int32_t dataFrom = 0, dataTo = 1 << 30;
    int calls = 0;

    bool readForm2(std::int32_t lsn, int count, std::uint8_t* out) override
    {
        ++calls;
        for (int i = 0; i < count; ++i) {
            if (auto it = failures.find(lsn + i); it != failures.end() && it->second > 0) {
                it->second -= count == 1;
                return false;
            }
        }
        for (int i = 0; i < count; ++i)
            std::memset(out + std::size_t(i) * Payload, fill(lsn + i), Payload);
        return true;
    }
    int fill(std::int32_t n) const { return n >= dataFrom && n < dataTo ? n % 251 + 1 : 0; }
};

TEST(Form2TrackReaderTest, FailingSectorsAreRetriedThenSkippedUntilTheDiscIsGone)
{
    const struct {
        const char* name;
        std::int32_t sectors, from, count;  // `count` sectors from `from` fail
        int attempts;  // that many times each
        bool zeroed, gone;
    } cases[] = {
        {"clean", 100, 0, 0, 0, false, false},
        {"ends-inside-a-chunk", 37, 0, 0, 0, false, false},
        {"fails-until-the-last-attempt", 100, 40, 1, Tries - 1, false, false},
        {"scratch", 100, 3, 2, Tries, true, false},
        {"long-scratch", 300, 20, Gone - 1, 1000, true, false},
        {"disc-pulled-out", 300, 20, 280, 1000, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FlakyDisc disc;
        for (std::int32_t s = c.from; s < c.from + c.count; ++s)
            disc.failures[s] = c.attempts;
        Form2TrackReader reader(disc, DiscExtent{0, c.sectors});
        std::string track;
        std::int64_t last = 0;
        char buf[5000];  // reads cross sector and chunk borders
        while ((last = reader.read(std::int64_t(track.size()), buf, sizeof buf)) > 0)
            track.append(buf, std::size_t(last));

        EXPECT_EQ(last, c.gone ? -1 : 0);
        // Gone: the chunk in which the last tolerated sector failed is not delivered.
        const std::int32_t delivered = c.gone ? (c.from + Gone - 1) / Chunk * Chunk : c.sectors;
        ASSERT_EQ(std::int64_t(track.size()), std::int64_t(delivered) * Payload);
        for (std::int32_t s = 0; s < delivered; ++s) {
            const bool zero = c.zeroed && s >= c.from && s < c.from + c.count;
            EXPECT_EQ(track.substr(std::size_t(s) * Payload, Payload),
                std::string(Payload, char(zero ? 0 : disc.fill(s))))
                << "sector " << s;
        }
        EXPECT_EQ(reader.skippedSectors(), c.zeroed ? std::min(c.count, Gone) : 0);
        // A failed chunk is read again sector by sector; a bad sector costs `Tries` reads.
        const int chunks = (c.sectors + Chunk - 1) / Chunk;
        const int badChunks = c.count ? (c.from + c.count - 1) / Chunk - c.from / Chunk + 1 : 0;
        EXPECT_LE(disc.calls, chunks + badChunks * Chunk + c.count * (Tries - 1));
        EXPECT_EQ(reader.read(track.size(), buf, 1), c.gone ? -1 : 0);  // again: no more
        EXPECT_EQ(reader.read(0, buf, 1), 1);  // a seek back reads again
    }
}

TEST(Form2TrackReaderTest, EmptyMarginsAreTrimmedOnlyAroundData)
{
    const struct {
        std::int32_t lead, data, tail;
        std::int32_t sectorsAfter;  // the track as read after trimming
        int firstByte;  // its first byte
    } cases[] = {
        {30, 100, 45, 100, 31}, {0, 50, 0, 50, 1}, {1, 1, 1, 1, 2},
        {Max - 1, 20, Max + 5, 25, (Max - 1) % 251 + 1},  // at most MaxMargin from the end
        {Max, 10, 0, Max + 10, 0},  // no data near the start: left whole
        {0, 0, 40, 40, 0},  // nothing but zeros: left whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lead << "/" << c.data << "/" << c.tail);
        FlakyDisc disc;
        disc.dataFrom = c.lead;
        disc.dataTo = c.lead + c.data;
        Form2TrackReader reader(disc, DiscExtent{0, c.lead + c.data + c.tail});
        reader.trimMargins();
        EXPECT_EQ(reader.size(), std::int64_t(c.sectorsAfter) * Payload);
        char first = 0;
        ASSERT_EQ(reader.read(0, &first, 1), 1);
        EXPECT_EQ(first, char(c.firstByte));
    }
}

}  // namespace
