#include "controls/list_box.h"
#include "file_tree.h"
#include "platform/dialogs.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist.h"

#include <gtest/gtest.h>

namespace {

const char* const AllMovies = "*.dat;*.mpg;*.mpeg;*.avi";

struct Walked {
    QStringList added;     // paths relative to the root, in playlist order
    QStringList messages;  // "text|title"
    bool stopped = false;
};

struct Walker {
    ListBox List1, List2;
    Playlist playlist{List1, List2};
    QStringList shown;  // folders shown while events ran

    Walked walk(const FileTree& tree, const QString& pattern, bool subfolders,
                const QByteArray& top = {})
    {
        const folder_listing::Pattern filter(pattern);
        Walked result;
        FolderWalk::Hooks hooks;
        hooks.letEventsRun = [this](const QString& path) {
            shown << path;
            return true;
        };
        hooks.message = [&result](const QString& text, int, const QString& title) {
            result.messages << text + u'|' + title;
        };
        FolderWalk walk(playlist, filter, subfolders, hooks);
        const QString start = top.isEmpty() ? tree.root() : tree.path(top);
        const int before = playlist.count();
        result.stopped = walk.run(start, folder_listing::read(start));
        for (int i = before; i < playlist.count(); ++i) {
            result.added << playlist.path(i).mid(tree.root().size() + 1);
            EXPECT_EQ(playlist.name(i), Playlist::displayName(playlist.path(i)));
        }
        return result;
    }
};

}  // namespace

TEST(FolderWalk, OrderAndTypes)
{
    struct Case {
        const char* what;
        std::initializer_list<QByteArray> tree;
        const char* pattern;
        bool subfolders;
        QStringList expected;
    };
    const Case cases[] = {
        {"the example: subfolders last to first, then the folder's own files",
         {"f1.mpg", "f2.mpg", "A/a1.mpg", "B/b1.mpg"}, AllMovies, true,
         {"B/b1.mpg", "A/a1.mpg", "f1.mpg", "f2.mpg"}},
        {"subfolders off: the folder's own files only",
         {"f1.mpg", "f2.mpg", "A/a1.mpg", "B/b1.mpg"}, AllMovies, false, {"f1.mpg", "f2.mpg"}},
        {"deeper: each subfolder completely before the next",
         {"top.MPEG", "A/A1/x.mpg", "A/A2/y.dat", "A/a.avi", "B/z.avi", "B/B1/w.mpg", "C/"},
         AllMovies, true,
         {"B/B1/w.mpg", "B/z.avi", "A/A2/y.dat", "A/A1/x.mpg", "A/a.avi", "top.MPEG"}},
        {"name order ignores case; the pattern ignores case; other types skipped",
         {"b.MPG", "a.dat", "C.Avi", "d.txt", "e.mpg.bak", "f.mpeg"}, AllMovies, false,
         {"a.dat", "b.MPG", "C.Avi", "f.mpeg"}},
        {"only Video-CD and AVI", {"a.mpg", "b.dat", "c.avi", "d.mpeg"}, "*.dat;*.avi", false,
         {"b.dat", "c.avi"}},
        {"hidden files and folders are not listed",
         {".h.mpg", ".hid/x.mpg", "v/.y.mpg", "v/y.mpg"}, AllMovies, true, {"v/y.mpg"}},
        {"no movies: nothing", {"readme.txt", "A/"}, AllMovies, true, {}},
        {"names with any bytes",
         {"a b.mpg", "q\"uote.mpg", "x=y.mpg", "c,d.mpg", "l\xE9gende.mpg", "\xff\xfe.dat",
          "日本/旅行.avi"},
         AllMovies, true,
         {QString::fromUtf8("日本/旅行.avi"), "a b.mpg", "c,d.mpg",
          fromNativeFileName("l\xE9gende.mpg"), "q\"uote.mpg", "x=y.mpg",
          fromNativeFileName("\xff\xfe.dat")}},
        {"links to folders are walked; each real folder once, a loop ends",
         {"A/a.mpg", "A/up -> ..", "B -> A", "C/c.mpg", "C/self -> ."}, AllMovies, true,
         {"C/c.mpg", "B/a.mpg"}},
        {"links to files are listed; broken links and pipes are not",
         {"real.mpg", "link.mpg -> real.mpg", "broken.mpg -> nowhere.mpg"}, AllMovies, false,
         {"link.mpg", "real.mpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileTree tree;
        tree.add(c.tree);
        Walker walker;
        const Walked walked = walker.walk(tree, QString::fromLatin1(c.pattern), c.subfolders);
        EXPECT_EQ(walked.added, c.expected);
        EXPECT_EQ(walked.messages, QStringList());
        EXPECT_FALSE(walked.stopped);
        for (const QString& added : walked.added)
            EXPECT_EQ(::access(FileTree::bytes(tree.root() + u'/' + added).constData(), F_OK), 0)
                << added.toStdString();
    }
}

TEST(FolderWalk, UnreadableFolderIsReportedOnceAndSkipped)
{
    FileTree tree;
    tree.add({"A/a.mpg", "U/u.mpg", "U/deep/d.mpg", "Z/z.mpg", "f.mpg"});
    ::chmod(FileTree::bytes(tree.path("U")).constData(), 0);
    Walker walker;
    Walked walked;
    {
        AsUnprivileged user;
        walked = walker.walk(tree, AllMovies, true);
    }
    ::chmod(FileTree::bytes(tree.path("U")).constData(), 0755);
    EXPECT_EQ(walked.added, QStringList({"Z/z.mpg", "A/a.mpg", "f.mpg"}));
    EXPECT_EQ(walked.messages, QStringList{qt_error_string(EACCES) + u'|'});
}

TEST(FolderWalk, FullPlaylistIsReportedOnceAndEndsTheWalk)
{
    FileTree tree;
    tree.add({"A/a1.mpg", "A/a2.mpg", "B/b1.mpg", "B/b2.mpg", "f.mpg"});
    Walker walker;
    QStringList filler;
    for (int i = 0; i < Playlist::MaxEntries - 3; ++i)
        filler << QStringLiteral("/x.mpg");
    walker.playlist.append(filler, filler);
    const Walked walked = walker.walk(tree, AllMovies, true);
    EXPECT_EQ(walked.added, QStringList({"B/b1.mpg", "B/b2.mpg", "A/a1.mpg"}));
    EXPECT_EQ(walked.messages,
              QStringList{QString::fromUtf8("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。|ﾘｽﾄｵｰﾊﾞｰ")});
    EXPECT_TRUE(walked.stopped);
}

TEST(FolderWalk, EventsRunDuringTheWalkAndCanEndIt)
{
    FileTree tree;
    tree.add({"A/a.mpg", "B/b.mpg"});
    Walker walker;
    walker.walk(tree, AllMovies, true);
    ASSERT_FALSE(walker.shown.isEmpty());
    EXPECT_EQ(walker.shown.first(), tree.root());

    // The program closing while events run: nothing more is added.
    ListBox List1, List2;
    Playlist playlist(List1, List2);
    const folder_listing::Pattern filter(AllMovies);
    FolderWalk::Hooks hooks{[](const QString&) { return false; },
                            [](const QString&, int, const QString&) {}};
    FolderWalk walk(playlist, filter, true, hooks);
    EXPECT_TRUE(walk.run(tree.root(), folder_listing::read(tree.root())));
    EXPECT_EQ(playlist.count(), 0);
}

TEST(NativeFileName, AnyBytesComeBackAndUtf8IsPlainText)
{
    const QByteArray names[] = {"plain.mpg", "日本語.avi", "l\xE9gende", "\xff\xfe\x80", "\xC0\xAF",
                                "\xED\xA0\x80", "a\xF0\x9F\x8E\xA5z", "\xE6\x97", "\xF4\x90\x80\x80"};
    for (const QByteArray& bytes : names) {
        EXPECT_EQ(toNativeFileName(fromNativeFileName(bytes)), bytes) << bytes.toHex().constData();
        EXPECT_EQ(fromNativeFileName(bytes) == QString::fromUtf8(bytes),
                  QUtf8StringView(bytes).isValidUtf8())
            << bytes.toHex().constData();
    }
}
