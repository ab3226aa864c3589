// The raw track reader over a disc whose sectors fail as each case says.
#include "platform/cdio/form2_track_reader.h"

#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int Payload = SectorReader::Form2Payload;
constexpr std::int32_t FirstLsn = 450;

// Sector n of the track holds the byte (n % 251) + 1 throughout; failures[n] is how many
// attempts at sector n fail before one succeeds.
class FlakyDisc : public SectorReader {
public:
    std::map<std::int32_t, int> failures;
    int calls = 0;
    std::int32_t dataFrom = 0, dataTo = 1 << 30;  // sectors outside hold zeros (margins)

    bool readForm2(std::int32_t lsn, int count, std::uint8_t* out) override
    {
        ++calls;
        for (int i = 0; i < count; ++i) {
            auto it = failures.find(lsn - FirstLsn + i);
            if (it != failures.end() && it->second > 0) {
                // One failing sector fails the whole read, as a drive does.
                if (count == 1)
                    --it->second;
                return false;
            }
        }
        for (int i = 0; i < count; ++i) {
            const std::int32_t n = lsn - FirstLsn + i;
            std::memset(out + std::size_t(i) * Payload, n >= dataFrom && n < dataTo ? fill(n) : 0,
                        Payload);
        }
        return true;
    }
    static int fill(std::int32_t n) { return n % 251 + 1; }
};

struct Case {
    const char* name;
    std::int32_t sectors;
    std::vector<std::pair<std::int32_t, int>> failures;  // sector, failing attempts
    std::vector<std::int32_t> zeroed;                     // sectors given as zeros
    bool gone;
    std::int32_t goneAt;  // first sector not delivered when gone
};

constexpr int Never = 1000;

std::vector<std::pair<std::int32_t, int>> run(std::int32_t from, int count, int attempts)
{
    std::vector<std::pair<std::int32_t, int>> r;
    for (int i = 0; i < count; ++i)
        r.push_back({from + i, attempts});
    return r;
}

std::vector<std::int32_t> range(std::int32_t from, int count)
{
    std::vector<std::int32_t> r;
    for (int i = 0; i < count; ++i)
        r.push_back(from + i);
    return r;
}

TEST(Form2TrackReaderTest, FailingSectorsAreRetriedThenSkippedUntilTheDiscIsGone)
{
    const int gone = Form2TrackReader::GoneAfter;
    const int tries = Form2TrackReader::Attempts;
    const Case cases[] = {
        {"clean", 100, {}, {}, false, 0},
        {"ends-inside-a-chunk", 37, {}, {}, false, 0},
        {"fails-once", 100, {{5, 1}}, {}, false, 0},
        {"fails-until-the-last-attempt", 100, {{40, tries - 1}}, {}, false, 0},
        {"scratch", 100, {{3, Never}, {4, Never}, {90, tries}}, {3, 4, 90}, false, 0},
        {"long-scratch", 300, run(20, gone - 1, Never), range(20, gone - 1), false, 0},
        {"disc-pulled-out", 300, run(20, 280, Never), range(20, gone - 1), true, 20 + gone - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlakyDisc flaky;
        for (const auto& [sector, attempts] : c.failures)
            flaky.failures[sector] = attempts;
        Form2TrackReader reader(flaky, DiscExtent{FirstLsn, c.sectors});
        ASSERT_EQ(reader.size(), std::int64_t(c.sectors) * Payload);

        std::string track;
        std::int64_t last = 0;
        char buf[5000];  // reads cross sector and chunk borders
        while ((last = reader.read(std::int64_t(track.size()), buf, sizeof buf)) > 0)
            track.append(buf, std::size_t(last));

        EXPECT_EQ(reader.gone(), c.gone);
        EXPECT_EQ(last, c.gone ? -1 : 0);
        const std::int32_t delivered = c.gone ? c.goneAt / Form2TrackReader::ChunkSectors *
                                                    Form2TrackReader::ChunkSectors
                                              : c.sectors;
        ASSERT_EQ(std::int64_t(track.size()), std::int64_t(delivered) * Payload);
        for (std::int32_t s = 0; s < delivered; ++s) {
            const bool zero = std::find(c.zeroed.begin(), c.zeroed.end(), s) != c.zeroed.end();
            const char want = zero ? 0 : char(FlakyDisc::fill(s));
            EXPECT_EQ(track.substr(std::size_t(s) * Payload, Payload), std::string(Payload, want))
                << "sector " << s;
        }
        EXPECT_EQ(reader.skippedSectors(), int(c.gone ? gone : c.zeroed.size()));
        // A failed chunk is read again sector by sector; a bad sector costs `tries` reads.
        std::set<std::int32_t> badChunks;
        for (const auto& failure : c.failures)
            badChunks.insert(failure.first / Form2TrackReader::ChunkSectors);
        const int chunks = (c.sectors + Form2TrackReader::ChunkSectors - 1) /
                           Form2TrackReader::ChunkSectors;
        EXPECT_LE(flaky.calls, chunks + int(badChunks.size()) * Form2TrackReader::ChunkSectors +
                                   int(c.failures.size()) * (tries - 1));
        EXPECT_EQ(reader.read(0, buf, sizeof buf), c.gone ? -1 : std::int64_t(sizeof buf));
    }
}

struct Margins {
    std::int32_t lead, data, tail;
    std::int32_t sectorsAfter;  // the track as read after trimming
    int firstByte;              // of the track as read: sector n holds n % 251 + 1
};

TEST(Form2TrackReaderTest, EmptyMarginsAreTrimmedOnlyAroundData)
{
    const int max = Form2TrackReader::MaxMargin;
    const Margins cases[] = {
        {30, 100, 45, 100, 31},
        {0, 50, 0, 50, 1},
        {1, 1, 1, 1, 2},
        {max - 1, 20, max + 5, 25, (max - 1) % 251 + 1},  // at most MaxMargin from the end
        {max, 10, 0, max + 10, 0},  // no data near the start: left whole
        {0, 0, 40, 40, 0},          // nothing but zeros: left whole
    };
    for (const Margins& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lead << "/" << c.data << "/" << c.tail);
        FlakyDisc disc;
        disc.dataFrom = c.lead;
        disc.dataTo = c.lead + c.data;
        Form2TrackReader reader(disc, DiscExtent{FirstLsn, c.lead + c.data + c.tail});
        reader.trimMargins();
        EXPECT_EQ(reader.size(), std::int64_t(c.sectorsAfter) * Payload);
        char first = 0;
        ASSERT_EQ(reader.read(0, &first, 1), 1);
        EXPECT_EQ(first, char(c.firstByte));
    }
}

}  // namespace
