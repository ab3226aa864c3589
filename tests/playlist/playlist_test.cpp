#include "playlist/playlist.h"

#include "controls/list_box.h"
#include "playlist/file_kind.h"

#include <gtest/gtest.h>

namespace {

// List1 and List2 as the control window has them; every List2 Click is recorded with the
// selection List1 had at that moment (the open handler reads the path through List1).
class PlaylistTest : public ::testing::Test {
protected:
    ListBox List1, List2;
    Playlist playlist{List1, List2};
    QList<int> clicks, list1AtClick;  // List2's and List1's index at each Click

    PlaylistTest()
    {
        QObject::connect(&List2, &ListBox::Click, [this] {
            clicks << List2.ListIndex();
            list1AtClick << List1.ListIndex();
        });
    }

    void fill(std::initializer_list<const char*> paths)
    {
        for (const char* p : paths)
            ASSERT_TRUE(playlist.append(QString::fromUtf8(p)));
    }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < playlist.count(); ++i)
            result << playlist.name(i);
        return result;
    }
};


TEST(PlaylistDisplayName, TextAfterTheLastSeparator)
{
    for (const auto& [path, name] : {std::pair{"/media/cdrom/MPEGAV/MUSIC01.DAT", "MUSIC01.DAT"},
             {"/home/u/動画/旅行 1.mpg", "旅行 1.mpg"}, {"trip.mpg", "trip.mpg"}, {"/", ""}})
        EXPECT_EQ(Playlist::displayName(QString::fromUtf8(path)), QString::fromUtf8(name));
}

TEST_F(PlaylistTest, AppendKeepsBothListsInStepUpToTheLimitAndOpensNothing)
{
    fill({"/m/a.mpg", "/m/a.mpg"});  // duplicates are separate entries
    ASSERT_TRUE(playlist.append("/m/c.avi", "Custom"));
    for (int i = 3; i < Playlist::MaxEntries; ++i)
        ASSERT_TRUE(playlist.append(QStringLiteral("/m/%1.mpg").arg(i)));
    EXPECT_FALSE(playlist.append("/m/one-too-many.mpg"));
    EXPECT_EQ(names().mid(0, 4) << playlist.path(1) << playlist.path(2)
                                << playlist.path(Playlist::MaxEntries - 1),
        QStringList({"a.mpg", "a.mpg", "Custom", "3.mpg", "/m/a.mpg", "/m/c.avi", "/m/32766.mpg"}));
    EXPECT_EQ(std::tuple(List1.ListCount(), List2.ListCount(), List2.ListIndex(), clicks.size()),
        std::tuple(Playlist::MaxEntries, Playlist::MaxEntries, -1, qsizetype(0)));
}

TEST_F(PlaylistTest, SelectSetsList1BeforeList2Opens)
{
    fill({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    playlist.select(2);
    playlist.select(2);  // already selected: nothing reopens
    playlist.select(0);
    EXPECT_EQ(std::tuple(clicks, list1AtClick), std::tuple(QList<int>{2, 0}, QList<int>{2, 0}));
}

// Removing the selected entry opens the one that took its place (same index, different entry),
// the one before when it was the last, and resets when it was the only one.
TEST_F(PlaylistTest, RemoveAndReselect)
{
    struct Case {
        int count, selected, removed;
        QStringList left;
        QList<int> clicks;
        int resets, selectedAfter;
    };
    const Case cases[] = {{1, 0, 0, {}, {}, 1, -1}, {3, 1, 1, {"a.mpg", "c.mpg"}, {1}, 0, 1},
        {3, 2, 2, {"a.mpg", "b.mpg"}, {1}, 0, 1}, {1, 0, 1, {"a.mpg"}, {}, 0, 0},
        {1, 0, -1, {"a.mpg"}, {}, 0, 0}};  // the last two out of range
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries, " << c.removed << " removed");
        List1.Clear();
        List2.Clear();
        for (const char* path : {"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"})
            if (List1.ListCount() < c.count)
                playlist.append(path);
        playlist.select(c.selected);
        clicks.clear();
        list1AtClick.clear();
        int resets = 0;
        playlist.removeAndReselect(c.removed, [&] { ++resets, List1.Clear(), List2.Clear(); });
        EXPECT_EQ(
            std::tuple(names(), List1.ListCount(), clicks, list1AtClick, resets, List2.ListIndex()),
            std::tuple(c.left, c.left.size(), c.clicks, c.clicks, c.resets, c.selectedAfter));
    }
}

// What a file is goes by its last four characters, ASCII case only.
TEST(FileKindTest, LastFourAsciiCharactersIgnoringCase)
{
    const std::pair<const char*, FileKind> cases[] = {
        {"a.dat", FileKind::MpegVideo}, {"A.DAT", FileKind::MpegVideo},
        {"/m/T.MPG", FileKind::MpegVideo}, {"clip.mpeg", FileKind::MpegVideo},
        {"CLIP.MPEG", FileKind::MpegVideo}, {"xmpeg", FileKind::MpegVideo},
        {"x.Avi", FileKind::AviVideo}, {"a.vep", FileKind::ListFile},
        {"/l/B.VEP", FileKind::ListFile}, {".Vep", FileKind::ListFile},
        {"vcd.cue", FileKind::DiscImage}, {"/i/VCD.Cue", FileKind::DiscImage},
        {"", FileKind::Other}, {"dat", FileKind::Other}, {"a.mp4", FileKind::Other},
        {"a.datx", FileKind::Other}, {"a.mpg ", FileKind::Other}, {"m/c.mp", FileKind::Other},
        {"a.mpg.txt", FileKind::Other}, {"a.ＤＡＴ", FileKind::Other},
        {"a.AVİ", FileKind::Other},  // dotted capital I
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(fileKindOf(QString::fromUtf8(path)), kind) << path;
}

}  // namespace
