#include "playlist/playlist.h"

#include "controls/list_box.h"
#include "playlist/file_kind.h"

#include <gtest/gtest.h>

namespace {

// List1 and List2 as the control window has them; every List2 Click is counted.
class PlaylistTest : public ::testing::Test {
protected:
    ListBox List1, List2;
    Playlist playlist{List1, List2};
    int clicks = 0;

    PlaylistTest()
    {
        QObject::connect(&List2, &ListBox::Click, [this] { ++clicks; });
    }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < playlist.count(); ++i)
            result << playlist.name(i);
        return result;
    }
};

TEST_F(PlaylistTest, AppendKeepsBothListsInStepUpToTheLimitAndOpensNothing)
{
    ASSERT_TRUE(playlist.append("/m/a.mpg"));
    ASSERT_TRUE(playlist.append("/m/a.mpg"));  // duplicates are separate entries
    ASSERT_TRUE(playlist.append("/m/c.avi", "Custom"));
    for (int i = 3; i < Playlist::MaxEntries; ++i)
        ASSERT_TRUE(playlist.append(QStringLiteral("/m/%1.mpg").arg(i)));
    EXPECT_FALSE(playlist.append("/m/one-too-many.mpg"));
    EXPECT_EQ(names().mid(0, 4) << playlist.path(1) << playlist.path(2)
                                << playlist.path(Playlist::MaxEntries - 1),
        QStringList({"a.mpg", "a.mpg", "Custom", "3.mpg", "/m/a.mpg", "/m/c.avi", "/m/32766.mpg"}));
    EXPECT_EQ(std::tuple(List1.ListCount(), List2.ListCount(), List2.ListIndex(), clicks),
        std::tuple(Playlist::MaxEntries, Playlist::MaxEntries, -1, 0));
}

// What a file is goes by its last four characters, whatever their case; shorter names are none.
TEST(FileKindTest, LastFourAsciiCharactersIgnoringCase)
{
    const std::pair<const char*, FileKind> cases[] = {{"a.dat", FileKind::MpegVideo},
        {"A.DAT", FileKind::MpegVideo}, {"/m/T.MPG", FileKind::MpegVideo},
        {"clip.mpeg", FileKind::MpegVideo}, {"xmpeg", FileKind::MpegVideo},
        {"x.Avi", FileKind::AviVideo}, {".Vep", FileKind::ListFile},
        {"vcd.Cue", FileKind::DiscImage}, {"a.mp4", FileKind::Other}, {"", FileKind::Other},
        {"dat", FileKind::Other}, {"a.mpg.txt", FileKind::Other}};
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(fileKindOf(QString::fromUtf8(path)), kind) << path;
}

}  // namespace
