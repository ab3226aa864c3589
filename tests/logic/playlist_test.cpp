#include "playlist/playlist.h"

#include "app/controls/list_box.h"

#include <gtest/gtest.h>

namespace {

// List1 and List2 as the control window has them; every List2 Click is recorded with the
// selection List1 had at that moment (the open handler reads the path through List1).
class PlaylistTest : public ::testing::Test {
protected:
    ListBox List1;
    ListBox List2;
    Playlist playlist{List1, List2};
    QList<int> clicks;           // List2's index at each Click
    QList<int> list1AtClick;     // List1's index at each Click
    int resets = 0;

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

    std::function<void()> resetAll()
    {
        return [this] {
            ++resets;
            List1.Clear();
            List2.Clear();
        };
    }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < playlist.count(); ++i)
            result << playlist.name(i);
        return result;
    }
};

}  // namespace

TEST(PlaylistDisplayName, TextAfterTheLastSeparator)
{
    EXPECT_EQ(Playlist::displayName("/media/cdrom/MPEGAV/MUSIC01.DAT"), "MUSIC01.DAT");
    EXPECT_EQ(Playlist::displayName(QString::fromUtf8("/home/u/動画/旅行 1.mpg")), QString::fromUtf8("旅行 1.mpg"));
    EXPECT_EQ(Playlist::displayName("trip.mpg"), "trip.mpg");
    EXPECT_EQ(Playlist::displayName("/"), "");
}

TEST_F(PlaylistTest, AppendKeepsBothListsInStepAndOpensNothing)
{
    fill({"/m/a.mpg", "/m/b.DAT"});
    ASSERT_TRUE(playlist.append("/m/c.avi", "Custom"));
    EXPECT_EQ(List1.ListCount(), 3);
    EXPECT_EQ(List2.ListCount(), 3);
    EXPECT_EQ(playlist.path(1), "/m/b.DAT");
    EXPECT_EQ(playlist.name(1), "b.DAT");
    EXPECT_EQ(playlist.path(2), "/m/c.avi");
    EXPECT_EQ(playlist.name(2), "Custom");
    EXPECT_EQ(List2.ListIndex(), -1);
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(PlaylistTest, DuplicatesAreSeparateEntries)
{
    fill({"/m/a.mpg", "/m/a.mpg"});
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_EQ(playlist.path(0), playlist.path(1));
}

TEST_F(PlaylistTest, RefusesEntriesBeyondTheLimit)
{
    for (int i = 0; i < Playlist::MaxEntries; ++i)
        ASSERT_TRUE(playlist.append(QStringLiteral("/m/%1.mpg").arg(i)));
    EXPECT_FALSE(playlist.append("/m/one-too-many.mpg"));
    EXPECT_EQ(List1.ListCount(), Playlist::MaxEntries);
    EXPECT_EQ(List2.ListCount(), Playlist::MaxEntries);
    EXPECT_EQ(playlist.path(Playlist::MaxEntries - 1), QStringLiteral("/m/%1.mpg").arg(Playlist::MaxEntries - 1));
}

TEST_F(PlaylistTest, SelectSetsList1BeforeList2Opens)
{
    fill({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    playlist.select(2);
    EXPECT_EQ(clicks, QList<int>{2});
    EXPECT_EQ(list1AtClick, QList<int>{2});
    playlist.select(2);  // already selected: nothing reopens
    EXPECT_EQ(clicks.size(), 1);
    playlist.select(0);
    EXPECT_EQ(clicks, (QList<int>{2, 0}));
    EXPECT_EQ(list1AtClick, (QList<int>{2, 0}));
}

TEST_F(PlaylistTest, RemovingTheOnlyEntryResets)
{
    fill({"/m/a.mpg"});
    playlist.select(0);
    clicks.clear();
    playlist.removeAndReselect(0, resetAll());
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(playlist.count(), 0);
    EXPECT_EQ(List1.ListCount(), 0);
    EXPECT_EQ(List2.ListIndex(), -1);
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(PlaylistTest, RemovingAnEntryOpensTheOneThatTookItsPlace)
{
    fill({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    playlist.select(1);
    clicks.clear();
    list1AtClick.clear();
    playlist.removeAndReselect(1, resetAll());
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(names(), (QStringList{"a.mpg", "c.mpg"}));
    EXPECT_EQ(playlist.path(1), "/m/c.mpg");
    EXPECT_EQ(clicks, QList<int>{1});  // same index, different entry: it opens
    EXPECT_EQ(list1AtClick, QList<int>{1});
}

TEST_F(PlaylistTest, RemovingTheLastEntryOpensTheOneBefore)
{
    fill({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    playlist.select(2);
    clicks.clear();
    playlist.removeAndReselect(2, resetAll());
    EXPECT_EQ(names(), (QStringList{"a.mpg", "b.mpg"}));
    EXPECT_EQ(clicks, QList<int>{1});
    EXPECT_EQ(List1.ListIndex(), 1);
}

TEST_F(PlaylistTest, RemovingOutOfRangeChangesNothing)
{
    fill({"/m/a.mpg"});
    playlist.select(0);
    clicks.clear();
    playlist.removeAndReselect(1, resetAll());
    playlist.removeAndReselect(-1, resetAll());
    EXPECT_EQ(playlist.count(), 1);
    EXPECT_EQ(resets, 0);
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(PlaylistTest, ExchangeSwapsNeighboursInBothLists)
{
    fill({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"});
    playlist.rename(1, "Bee");
    playlist.select(1);
    clicks.clear();
    playlist.exchange(1);
    EXPECT_EQ(names(), (QStringList{"a.mpg", "c.mpg", "Bee"}));
    EXPECT_EQ(playlist.path(1), "/m/c.mpg");
    EXPECT_EQ(playlist.path(2), "/m/b.mpg");
    EXPECT_EQ(List1.ListIndex(), 1);  // selections are the caller's business
    EXPECT_EQ(List2.ListIndex(), 1);
    EXPECT_TRUE(clicks.isEmpty());

    playlist.exchange(2);  // no entry below the last
    EXPECT_EQ(names(), (QStringList{"a.mpg", "c.mpg", "Bee"}));
}

TEST_F(PlaylistTest, RenameChangesTheNameOnly)
{
    fill({"/m/a.mpg"});
    playlist.select(0);
    clicks.clear();
    playlist.rename(0, QString::fromUtf8("夏の旅"));
    EXPECT_EQ(playlist.name(0), QString::fromUtf8("夏の旅"));
    EXPECT_EQ(playlist.path(0), "/m/a.mpg");
    EXPECT_TRUE(clicks.isEmpty());
}
