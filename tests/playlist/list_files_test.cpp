#include "file_tree.h"
#include "form_fixture.h"

#include <csignal>
#include <sys/resource.h>

namespace {

using ListFiles = StartedForm;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
}

}  // namespace

// Saves in a row, as an unprivileged user, then the first file opened again. Rows: the name
// chosen, modes given before, a file size limit, the file written, its bytes afterwards, the
// message. A failed save leaves the previous file as it was; a folder that may not change but
// whose file may gets the file rewritten in place, and keeps it when the rewrite cannot finish.
// How each kind of entry is written is the round trip's below.
TEST_F(ListFiles, SaveWritesEveryEntryOrSaysWhyNot)
{
    FileTree tree;
    tree.add({"ro/"});
    writeFile(tree.path("old.vep"), "old\r\n");
    writeFile(tree.path("ro/old.vep"), "old\r\n");
    writeFile(tree.path("ro/short.vep"), "old\r\n");
    start({"/m/a b.mpg", "/m/p,q.mpg"}, 0);
    const QByteArray lines = "/m/a b.mpg=a b.mpg\r\n\"/m/p,q.mpg=p,q.mpg\"\r\n";
    const QString protect =
        "リストファイルが保存できません。ライトプロテクトされている可能性があります。|書込みｴﾗｰ";
    const struct {
        QByteArray chosen;
        std::vector<std::pair<QByteArray, mode_t>> modes;
        rlim_t sizeLimit;
        QByteArray written, after;
        QString message;
    } rows[] = {
        {"one.vep", {}, RLIM_INFINITY, "one.vep", lines, ""},
        {"two", {}, RLIM_INFINITY, "two.vep", lines, ""},
        {"old.vep", {}, 8, "old.vep", "old\r\n", "なにかしらのエラーがあります。エラーNo=61|ｴﾗｰ"},
        {"old.vep", {{"old.vep", 0444}}, RLIM_INFINITY, "old.vep", "old\r\n", protect},
        {"gone/list.vep", {}, RLIM_INFINITY, "gone/list.vep", "<none>", protect},
        {"ro/old.vep", {{"ro", 0555}}, RLIM_INFINITY, "ro/old.vep", lines, ""},
        // Rewritten in place only when the room for the whole list is there.
        {"ro/short.vep", {{"ro", 0555}}, 8, "ro/short.vep", "old\r\n",
            "なにかしらのエラーがあります。エラーNo=61|ｴﾗｰ"},
    };
    std::signal(SIGXFSZ, SIG_IGN);
    setKeepInFront(true);
    QString offered;
    QString folder = programDir.path() + u'/';
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen.constData());
        for (const auto& [name, mode] : row.modes)
            tree.chmod(name, mode);
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
        const FakeDialogs::FileDialog& shown = dialogs.fileDialogs.back();
        EXPECT_EQ(
            std::tuple(shown.setup.title, shown.setup.folder, shown.setup.fileName, shown.save,
                contents(tree.path(row.written)), boxes(), handlers().list_file, movieTopMost()),
            std::tuple(QString("ﾘｽﾄに名前を付けてﾌｧｲﾙに保存"), folder, offered, true, row.after,
                row.message, tree.path(row.written), true));
        offered = handlers().list_file;
        folder = Playlist::folderOf(tree.path(row.chosen));
    }
    EXPECT_EQ(selected(), 0);
}

// Save, then open into an empty playlist: every entry comes back as it was, whatever its path and
// name hold, or is named before the save and left out of the file, so that it cannot stop the
// load of the entries behind it. Rows: path, name, the line written (nullptr: left out).
TEST_F(ListFiles, SavedEntriesOpenAgainAsTheyWere)
{
    const struct {
        QString path, name;
        const char* line;
    } rows[] = {
        {"/m/Tom, Jerry.mpg", "Tom, Jerry.mpg", "\"/m/Tom, Jerry.mpg=Tom, Jerry.mpg\""},
        {"/m/a.mpg", "x,y", "\"/m/a.mpg=x,y\""},
        {"/m/say \"hi\".mpg", "say \"hi\".mpg", "/m/say \"hi\".mpg=say \"hi\".mpg"},
        {"/m/a,\"b.mpg", "a,\"b.mpg", nullptr},
        {"/m/x=y.mpg", "x=y.mpg", nullptr},
        {"/m/b.mpg", "B=C", nullptr},
        {"/m/two\nlines.mpg", "two\nlines.mpg", nullptr},
        {" /m/lead.mpg", " lead ", "\" /m/lead.mpg= lead \""},
        {"/m/c.dat", "  C  ", "/m/c.dat=  C  "},
        {"\"/m/q.mpg", "q", nullptr},
        {"/m/ blank  name.mpg", "", "/m/ blank  name.mpg="},
        {"", "nameless", "=nameless"},
        {fromNativeFileName("/m/\xE9t\xE9 \xFF.dat"), fromNativeFileName("\xE9t\xE9 \xFF.dat"),
            "/m/\xE9t\xE9 \xFF.dat=\xE9t\xE9 \xFF.dat"},
        {QString::fromUtf8("/動画/旅行, 2 日目.mpg"), QString::fromUtf8("旅行"),
            "\"/動画/旅行, 2 日目.mpg=旅行\""},
    };
    FileTree tree;
    start({});
    QStringList keptPaths, keptNames, leftOut;
    QByteArray bytes;
    for (const auto& row : rows) {
        playlist().append(row.path, row.name);
        (row.line ? keptPaths : leftOut) << row.path;
        if (row.line) {
            keptNames << row.name;
            bytes += QByteArray(row.line) + "\r\n";
        }
    }
    dialogs.paths = {tree.path("round.vep")};
    handlers().Command19_Click();
    EXPECT_EQ(std::tuple(contents(tree.path("round.vep")), boxes()),
        std::tuple(bytes,
            "次のリストは「,」と「\"」の両方や「=」、改行を含むため、リストファイルに保存できません。\n" +
                leftOut.join(u'\n') + "|ﾘｽﾄ保存"));

    start({});
    dialogs.paths = {tree.path("round.vep")};
    handlers().Command20_Click();
    EXPECT_EQ(
        std::tuple(paths(), names(), selected(), boxes()), std::tuple(keptPaths, keptNames, 0, ""));
}

// Opening appends the file's entries and opens the first of them, unless the load stopped at a
// field without "=" (the field rules themselves are the list reader's). Rows: the file's bytes,
// paths and names added, whether the first opens.
TEST_F(ListFiles, OpenAppendsAndOpensTheFirstLoaded)
{
    const struct {
        QByteArray bytes;
        QStringList paths, names;
        bool opens;
    } rows[] = {{"/m/x.mpg=X\r\n/m/y.avi=Y\r\n", {"/m/x.mpg", "/m/y.avi"}, {"X", "Y"}, true},
        {"/m/a.mpg=A\r\nno equals\r\n/m/b.mpg=B\r\n", {"/m/a.mpg"}, {"A"}, false},
        {QByteArray("\x00\x01\xFF binary", 10), {}, {}, false}};
    FileTree tree;
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.toStdString());
        start({"/m/1.mpg", "/m/2.mpg", "/m/3.mpg", "/m/4.mpg", "/m/5.mpg"}, 2);
        writeFile(tree.path("list.vep"), row.bytes);
        dialogs.paths = {tree.path("list.vep")};
        handlers().Command20_Click();
        const FileDialogSetup& shown = dialogs.fileDialogs.back().setup;
        EXPECT_EQ(std::tuple(shown.title, shown.filters, paths().mid(5), names().mid(5), selected(),
                      opened(), handlers().list_dir, movieTopMost()),
            std::tuple("ﾘｽﾄﾌｧｲﾙを開く", decltype(shown.filters){{"LISTファイル (*.vep)", "*.vep"}},
                row.paths, row.names, row.opens ? 5 : 2, row.paths.mid(0, row.opens ? 1 : 0),
                tree.path(""), true));
    }
}
