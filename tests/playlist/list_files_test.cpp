#include "file_tree.h"
#include "platform/native_file_name.h"
#include "playlist_fixture.h"

#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace {

using ListFiles = PlaylistFixture;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

// Saving writes path=name lines with CR LF; the dialog offers the last list file; a name
// without ".vep" gets it. Rows in order: the name chosen, the file written, the dialog's folder
// and offered name.
TEST_F(ListFiles, SaveWritesEveryEntryAsALine)
{
    FileTree tree;
    const QString root = tree.root() + u'/';
    fill({"/m/a b.mpg", QString::fromUtf8("/動画/旅行.avi"), "/m/c.dat"}, 0);
    playlist().rename(2, "  C  ");
    const QByteArray lines = QString::fromUtf8("/m/a b.mpg=a b.mpg\r\n/動画/旅行.avi=旅行.avi\r\n/m/c.dat=  C  \r\n").toUtf8();
    struct Row {
        QString chosen;
        QString written;
        QString startsIn;
        QString offered;
    };
    const QString program = programDir.path() + u'/';
    const Row rows[] = {
        {root + "one.vep", root + "one.vep", program, ""},
        {root + "two", root + "two.vep", root, root + "one.vep"},
        {root + "Three.VeP", root + "Three.VeP", root, root + "two.vep"},
    };
    setKeepInFront(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen.toStdString());
        dialogs.paths = {row.chosen};
        handlers().Command19_Click();
        const FakeDialogs::FileDialog& shown = dialogs.fileDialogs.back();
        EXPECT_TRUE(shown.save);
        EXPECT_EQ(shown.setup.title, "ﾘｽﾄに名前を付けてﾌｧｲﾙに保存");
        EXPECT_EQ(shown.setup.filters, (std::vector<std::pair<QString, QString>>{{"LISTファイル (*.vep)", "*.vep"}}));
        EXPECT_EQ(shown.setup.folder, row.startsIn);
        EXPECT_EQ(shown.setup.fileName, row.offered);
        EXPECT_EQ(shown.movieTopMost, false);
        EXPECT_EQ(contents(row.written), lines);
        EXPECT_EQ(handlers().list_file, row.written);
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_TRUE(movieTopMost());
    }
    EXPECT_EQ(selected(), 0);
}

// A failed save says why by the error's class and leaves the previous file as it was. Rows:
// the file chosen, the modes given before the save (which runs as an unprivileged user), a file
// size limit, the message and title, the file afterwards.
TEST_F(ListFiles, SaveFailuresLeaveThePreviousFile)
{
    const QString protectedText = "リストファイルが保存できません。ライトプロテクトされている可能性があります。|書込みｴﾗｰ";
    struct Row {
        const char* chosen;
        std::vector<std::pair<QByteArray, mode_t>> modes;
        rlim_t sizeLimit;
        QString message;
        QByteArray after;
    };
    const QByteArray previous = "/m/old.mpg=old.mpg\r\n";
    const QByteArray saved = "/m/a.mpg=a.mpg\r\n";
    const Row rows[] = {
        {"gone/list.vep", {}, RLIM_INFINITY, protectedText, "<none>"},
        {"list.vep", {{"list.vep", 0444}}, RLIM_INFINITY, protectedText, previous},
        {"ro/new.vep", {{"ro", 0555}}, RLIM_INFINITY, protectedText, "<none>"},
        {"list.vep", {}, 8, "なにかしらのエラーがあります。エラーNo=61|ｴﾗｰ", previous},
        // The folder may not change but the file may: it is rewritten in place.
        {"ro/list.vep", {{"ro", 0555}}, RLIM_INFINITY, "", saved},
    };
    fill({"/m/a.mpg"}, 0);
    setKeepInFront(true);
    std::signal(SIGXFSZ, SIG_IGN);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen);
        FileTree tree;
        tree.add({"ro/"});
        for (const char* old : {"list.vep", "ro/list.vep"}) {
            write(tree.path(old), previous);
            ::chmod(FileTree::bytes(tree.path(old)).constData(), 0666);
        }
        for (const auto& [name, mode] : row.modes)
            ::chmod(FileTree::bytes(tree.path(name)).constData(), mode);
        dialogs.paths = {tree.path(row.chosen)};
        dialogs.boxes.clear();
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        {
            AsUnprivileged user;
            const rlimit limit{row.sizeLimit, saved.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            handlers().Command19_Click();
            ::setrlimit(RLIMIT_FSIZE, &saved);
        }
        QStringList shown;
        for (const auto& box : dialogs.boxes)
            shown << box.text + u'|' + box.title;
        EXPECT_EQ(shown.join(u'\n'), row.message);
        EXPECT_EQ(contents(tree.path(row.chosen)), row.after);
        EXPECT_TRUE(movieTopMost());
    }
}

// Opening appends the file's entries by the open button's rule and opens the first of them,
// unless the load stopped. Rows: the file's bytes, names added, whether the first is opened.
TEST_F(ListFiles, OpenAppendsAndOpensTheFirstLoaded)
{
    struct Row {
        QByteArray bytes;
        QStringList paths;
        QStringList names;
        bool opens;
    };
    const Row rows[] = {
        {"/m/x.mpg=X\r\n/m/y.avi=Y\r\n", {"/m/x.mpg", "/m/y.avi"}, {"X", "Y"}, true},
        {"/m/a.mpg=mid=A\n=empty path\r\n/m/b.mpg=\r\n", {"/m/a.mpg", "", "/m/b.mpg"}, {"A", "empty path", ""}, true},
        {"/m/a.mpg=A\r\nno equals\r\n/m/b.mpg=B\r\n", {"/m/a.mpg"}, {"A"}, false},
        {"/m/a,b.mpg=a,b.mpg\r\n", {}, {}, false},
        {"\xEF\xBB\xBF/m/\x83\x65.mpg=\x83\x65\r\n", {QString::fromUtf8("/m/テ.mpg")}, {QString::fromUtf8("テ")}, true},
        {QByteArray("\x00\x01\xFF binary", 10), {}, {}, false},
    };
    FileTree tree;
    setKeepInFront(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes.toStdString());
        form1->reset_all();
        fill({"/m/1.mpg", "/m/2.mpg", "/m/3.mpg", "/m/4.mpg", "/m/5.mpg"}, 2);
        write(tree.path("list.vep"), row.bytes);
        dialogs.paths = {tree.path("list.vep")};
        handlers().Command20_Click();
        const FakeDialogs::FileDialog& shown = dialogs.fileDialogs.back();
        EXPECT_FALSE(shown.save);
        EXPECT_EQ(shown.setup.title, "ﾘｽﾄﾌｧｲﾙを開く");
        EXPECT_EQ(shown.setup.filters, (std::vector<std::pair<QString, QString>>{{"LISTファイル (*.vep)", "*.vep"}}));
        EXPECT_EQ(paths().mid(5), row.paths);
        EXPECT_EQ(names().mid(5), row.names);
        EXPECT_EQ(selected(), row.opens ? 5 : 2);
        EXPECT_EQ(opened(), row.opens ? QStringList{row.paths[0]} : QStringList());
        EXPECT_EQ(handlers().list_dir, tree.root() + u'/');
        EXPECT_EQ(handlers().list_file, tree.path("list.vep"));
        EXPECT_TRUE(movieTopMost());
    }
}

// What a save writes, an open reads back: as written, except where the field rule cuts a path
// or name holding "," or "=".
TEST_F(ListFiles, SavedListsReadBackByTheFieldRule)
{
    FileTree tree;
    fill({"/m/a b/c d.mpg", QString::fromUtf8("/ビデオ/夏 休み.avi"), fromNativeFileName("/m/\xE9t\xE9.dat"),
          "/m/x=y.mpg", "/m/p,q.mpg"},
         0);
    dialogs.paths = {tree.path("round.vep"), tree.path("round.vep")};
    handlers().Command19_Click();
    form1->reset_all();
    handlers().Command20_Click();
    // "/m/x=y.mpg=x=y.mpg" reads as the path before the first "=" and the name after the last;
    // "/m/p,q.mpg=p,q.mpg" splits at its comma, and "/m/p" without "=" stops the load.
    EXPECT_EQ(paths(), QStringList({"/m/a b/c d.mpg", QString::fromUtf8("/ビデオ/夏 休み.avi"),
                                    fromNativeFileName("/m/\xE9t\xE9.dat"), "/m/x"}));
    EXPECT_EQ(names(), QStringList({"c d.mpg", QString::fromUtf8("夏 休み.avi"),
                                    fromNativeFileName("\xE9t\xE9.dat"), "y.mpg"}));
    EXPECT_EQ(selected(), -1);
}
