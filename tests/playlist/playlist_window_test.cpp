// The playlist window's buttons and drops over the fakes: adding files, importing a folder,
// editing entries, and saving and opening list files.
// Checks: add_files.cpp, folder_import.cpp, folder_options_dialog.cpp, folder_walk.cpp,
// edit_entries.cpp, rename_dialog.cpp, list_files.cpp, list_writer.cpp, list_reader.cpp,
// file_error_number.cpp, playlist_handlers.cpp, playlist.cpp (src/playlist); file_drop.cpp,
// folder_listing.cpp (src/controls); file_save.cpp (src/settings).
#include "file_tree.h"
#include "form_fixture.h"
#include "playlist/folder_options_dialog.h"
#include "playlist/rename_dialog.h"

#include <QLineEdit>
#include <QMimeData>
#include <csignal>
#include <gmock/gmock.h>
#include <sys/resource.h>

namespace {

using PlaylistWindow = StartedForm;

const QString AllMovies =
    "*.dat;*.mpg;*.mpeg;*.avi;*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.ts;*.m2ts;*.mts;"
    "*.wmv;*.asf;*.flv;*.ogv;*.3gp";

// add_files.cpp: the file dialog and drops.

// Rows in order, each on the state the one before left: where the dialog opens, what a choice
// adds and opens, and whether the movie window is in front afterwards.
TEST_F(PlaylistWindow, OpenDialogAddsTheChosenFileAndOpensIt)
{
    const QString longFolder = u'/' + QString(300, u'x') + u'/';  // beyond the old 256 limit
    const struct {
        bool keepInFront;
        QString answer;  // empty: cancelled
        QString startsIn;
        QStringList names, opened;
    } rows[] = {
        {false, "/m/dir/Trip.MPG", programDir.path() + u'/', {"Trip.MPG"}, {"/m/dir/Trip.MPG"}},
        {true, "/m/dir/Trip.MPG", "/m/dir/", {"Trip.MPG", "Trip.MPG"}, {"/m/dir/Trip.MPG"}},
        {true, longFolder + "a.avi", "/m/dir/", {"Trip.MPG", "Trip.MPG", "a.avi"},
            {longFolder + "a.avi"}},
        {false, "", longFolder, {"Trip.MPG", "Trip.MPG", "a.avi"}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer.left(20).toStdString());
        setKeepInFront(row.keepInFront);
        dialogs.paths = {row.answer};
        engine.clearCalls();
        handlers().Command1_Click();
        const FileDialogSetup& shown = dialogs.fileDialogs.back().setup;
        EXPECT_THAT(std::tuple(shown.title, shown.filterIndex, shown.folder, shown.filters,
                        dialogs.fileDialogs.back().movieTopMost, names(), selected(), opened(),
                        movieTopMost()),
            testing::FieldsAre(QString("動画ﾌｧｲﾙを開く"), 1, row.startsIn,
                decltype(shown.filters){{"Mpegファイル(*.mpg,*.mpeg)", "*.mpg;*.mpeg"},
                    {"AVIファイル (*.avi)", "*.avi"}, {"VCDファイル (*.dat)", "*.dat"},
                    {"すべての動画", AllMovies}},
                std::optional(false), row.names, row.names.size() - 1, row.opened,
                row.keepInFront));
    }
}

// Drops onto each of the four targets, with one body: the movies by their last four characters
// (and a disc image's tracks) in the drop's order, the first of them opened (playing when the
// player plays); no message, no change of the topmost state or of the dialogs' folders.
TEST_F(PlaylistWindow, DropsAddTheMoviesAndOpenTheFirst)
{
    const struct {
        QWidget* target;
        QByteArray uris;
        bool playing;
        QStringList added;
    } rows[] = {
        {&form2(), "file:///m/A.MPEG\r\nfile:///m/b.Avi\r\nfile:///m/c.txt\r\n", false,
            {"/m/A.MPEG", "/m/b.Avi"}},
        {form2().Label1, "file:///m/xmpeg\r\nhttp://example.com/web.mpg\r\nfile:///m/a%20b.dat\r\n",
            false, {"/m/xmpeg", "/m/a b.dat"}},
        {form2().Label2,
            "file:///m/dir.avi/\r\nfile:///m/folder/\r\nfile:///m/e.mp4\r\nfile:///m/s.m4a\r\n"
            "file:///m/F.MKV\r\n",
            true, {"/m/dir.avi", "/m/e.mp4", "/m/F.MKV"}},
        {form1->List2->viewport(), "file:///m/l%E9gende.mpg\r\n", true,
            {fromNativeFileName("/m/l\xE9gende.mpg")}},
        // A disc image adds its tracks where it lies in the drop.
        {form1->List2->viewport(), "file:///m/a.mpg\r\nfile:///v/disc.cue\r\nfile:///m/b.avi\r\n",
            false,
            {"/m/a.mpg", "/v/disc.cue/MPEGAV/AVSEQ01.DAT", "/v/disc.cue/MPEGAV/AVSEQ02.DAT",
                "/m/b.avi"}},
    };
    drives.table = {{"/v/disc.cue", FakeDriveTable::videoCd(QStringLiteral("MOVIE"))}};
    start({"/m/first.mpg"}, 0);
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.uris.constData());
        if (row.playing != (caption2() == "II"))
            form1->Command2->click();
        const QStringList before = paths();
        engine.clearCalls();
        QMimeData data;
        data.setData("text/uri-list", row.uris);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row.target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(row.target, &drop);
        for (qsizetype i = 0; i < row.added.size(); ++i)
            EXPECT_EQ(names().value(before.size() + i), row.added[i].section(u'/', -1));
        EXPECT_THAT(std::tuple(paths(), selected(), opened(), engine.isPlaying(), boxes(),
                        movieTopMost(), handlers().file_dir),
            testing::FieldsAre(before + row.added, before.size(), row.added.mid(0, 1), row.playing,
                "", true, programDir.path() + u'/'));
    }
}

// folder_import.cpp (and folder_options_dialog.cpp): importing a folder.

// folda_open on a tree. Rows: the tree, the paths added (relative), subfolders, the messages,
// the folder chosen (nullptr: cancelled), the pattern folda_op left, whether the walk runs as an
// unprivileged user; the folder browser ends where it started.
TEST_F(PlaylistWindow, FolderImportWalkOrderTypesAndFailures)
{
    const struct {
        QList<QByteArray> tree;
        QStringList added;
        bool subfolders = true;
        QString messages = {};
        const char* chosen = ".";
        QString pattern = AllMovies;
        bool unprivileged = false;
    } rows[] = {
        // Subfolders from the last to the first, each completely, then the folder's own files.
        {{"f1.mpg", "f2.mpg", "A/a1.mpg", "B/b1.mpg"},
            {"B/b1.mpg", "A/a1.mpg", "f1.mpg", "f2.mpg"}},
        {{"f1.mpg", "f2.mpg", "A/a1.mpg", "B/b1.mpg"}, {"f1.mpg", "f2.mpg"}, false},
        // Name order ignores case, so does the pattern; hidden names are not listed.
        {{"b.MPG", "a.dat", "C.Avi", "d.txt", "e.mpg.bak", ".h.mpg", ".hid/x.mpg"},
            {"a.dat", "b.MPG", "C.Avi"}},
        {{"a.mpg", "b.dat", "c.avi", "d.mpeg"}, {"b.dat", "c.avi"}, false, "", ".", "*.dat;*.avi"},
        // Any bytes in names; each real folder once, however links lead there.
        {{"a b.mpg", "q\"u=o,te.mpg", "l\xE9gende.dat", "日本/旅.avi",
             "\xEF\xBB\xBF"
             "bom.mpg"},
            {QString::fromUtf8("日本/旅.avi"), "a b.mpg", fromNativeFileName("l\xE9gende.dat"),
                "q\"u=o,te.mpg", QChar(0xFEFF) + QStringLiteral("bom.mpg")}},
        {{"A/a.mpg", "A/up -> ..", "B -> A", "C/c.mpg", "C/self -> .", "broken.mpg -> gone.mpg"},
            {"C/c.mpg", "B/a.mpg"}},
        // A folder that cannot be read is reported once and skipped.
        {{"A/a.mpg", "U/u.mpg", "U/deep/d.mpg", "Z/z.mpg", "f.mpg"},
            {"Z/z.mpg", "A/a.mpg", "f.mpg"}, true, qt_error_string(EACCES) + "||U", ".", AllMovies,
            true},
        {{"a.mpg"}, {}, true, "デバイスが準備されていないみたいです。|ﾃﾞﾊﾞｲｽｴﾗｰ|gone", "gone"},
        {{"a.mpg"}, {}, true, "", nullptr},
    };
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tree.join(' ').constData());
        FileTree tree;
        tree.add(row.tree);
        tree.chmod("U", 0);
        start({});
        form1->Check1->setValue(row.subfolders ? 1 : 0);
        form1->Dir1->setPath(tree.path("."));
        form1->File1->setPattern(row.pattern);
        dialogs.paths = {row.chosen ? tree.path(row.chosen) : QString()};
        {
            AsUnprivileged user(row.unprivileged);
            handlers().folda_open();
        }
        tree.chmod("U", 0755);
        EXPECT_THAT(std::tuple(paths().replaceInStrings(tree.path(""), ""), selected(),
                        boxes().replace(tree.path(""), ""), QDir::cleanPath(form1->Dir1->Path()),
                        form1->File1->Pattern(), movieTopMost()),
            testing::FieldsAre(row.added, row.added.isEmpty() ? -1 : 0, row.messages,
                QDir::cleanPath(tree.path(".")), AllMovies, true));
    }
}

// The options dialog starts with the control window's subfolder choice and no type ticked; OK
// hands the choices on and the import follows.
TEST_F(PlaylistWindow, FolderOptionsDialogThenImport)
{
    FileTree tree;
    tree.add({"top.mpg", "top.dat", "A/a.avi", "A/a.mpg"});
    form1->Check1->setValue(1);
    setKeepInFront(true);
    dialogs.paths = {tree.path(".")};
    withDialog<folda_op>([this] { handlers().Command12_Click(); },
        [&](folda_op& dialog) {
            EXPECT_THAT(std::tuple(dialog.Check1->Value(), dialog.Check2->Value(),
                            dialog.Check3->Value(), dialog.Check4->Value(), movieTopMost()),
                testing::FieldsAre(1, 0, 0, 0, false));
            dialog.Check3->setValue(1);
            dialog.Check4->setValue(1);
            QTest::mouseClick(dialog.Label2, Qt::LeftButton);  // Check1's caption
            dialog.OKButton->click();
        });
    EXPECT_EQ(std::tuple(dialogs.fileDialogs.back().setup.title, names(), form1->Check1->Value(),
                  movieTopMost()),
        std::tuple("フォルダを指定して下さい。", QStringList({"top.dat"}), 0, true));
}

// A full playlist is reported once; the walk ends there and the first entry it added opens.
TEST_F(PlaylistWindow, FullPlaylistEndsTheFolderWalk)
{
    FileTree tree;
    tree.add({"A/a1.mpg", "A/a2.mpg", "B/b1.mpg", "B/b2.mpg", "f.mpg"});
    const QStringList filler(Playlist::MaxEntries - 3, "/x.mpg");
    playlist().append(filler, filler);
    form1->Check1->setValue(1);
    dialogs.paths = {tree.path(".")};
    handlers().folda_open();
    EXPECT_EQ(std::tuple(names().mid(filler.size()), selected(), form1->Dir1->Path(), boxes()),
        std::tuple(QStringList({"b1.mpg", "b2.mpg", "a1.mpg"}), filler.size(), tree.path("A"),
            "ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。|ﾘｽﾄｵｰﾊﾞｰ"));
}

const QStringList ABC = {"/m/A.mpg", "/m/B.mpg", "/m/C.mpg"};

// edit_entries.cpp (and rename_dialog.cpp): moving, removing, clearing and renaming entries.

// The editing buttons on an entry that is playing. A move keeps the movie as it is (nothing closed
// or opened); a removal opens the entry that takes the removed one's place, playing on; clearing
// all, or removing the last entry, resets the window.
TEST_F(PlaylistWindow, MovesRemovalsAndClearing)
{
    using H = PlaylistHandlers;
    const QString removeB =
        "選択されているリスト「B.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ|/m/B.mpg";
    const QString removeA =
        "選択されているリスト「A.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ|/m/A.mpg";
    const QString clearAll = "全リスト一覧をクリアしますか？|全ﾘｽﾄｸﾘｱ";
    const struct {
        QStringList entries;
        int selected;
        void (H::*button)();
        int answer;
        QString asked;
        QStringList after;
        int selectedAfter;
        QStringList opened;
    } rows[] = {
        {ABC, 1, &H::cmdUp_Click, 0, "", {"B.mpg", "A.mpg", "C.mpg"}, 0, {}},
        {ABC, 1, &H::cmdDown_Click, 0, "", {"A.mpg", "C.mpg", "B.mpg"}, 2, {}},
        {ABC, 1, &H::Command15_Click, msgbox::Yes, removeB, {"A.mpg", "C.mpg"}, 1, {"/m/C.mpg"}},
        {{"/m/A.mpg", "/m/B.mpg"}, 1, &H::Command15_Click, msgbox::Yes, removeB, {"A.mpg"}, 0,
            {"/m/A.mpg"}},
        {{"/m/A.mpg"}, 0, &H::Command15_Click, msgbox::Yes, removeA, {}, -1, {}},
        {ABC, 1, &H::Command15_Click, msgbox::No, removeB, {"A.mpg", "B.mpg", "C.mpg"}, 1, {}},
        {ABC, 1, &H::Command13_Click, msgbox::No, clearAll, {"A.mpg", "B.mpg", "C.mpg"}, 1, {}},
        {ABC, 1, &H::Command13_Click, msgbox::Yes, clearAll, {}, -1, {}},
    };
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << &row - rows);
        start(row.entries, row.selected);
        startPlaying();
        dialogs.answers = {row.answer};
        (handlers().*row.button)();
        const bool left = !row.after.isEmpty();  // Command19 is off after a reset
        EXPECT_THAT(std::tuple(boxes(), names(), selected(), form1->List1->ListIndex(), opened(),
                        engine.isPlaying(), form1->Command19->isEnabled(), form1->move_flg(),
                        movieTopMost()),
            testing::FieldsAre(row.asked, row.after, row.selectedAfter, row.selectedAfter,
                row.opened, left, left, 0, true));
    }
    for (const auto& box : dialogs.boxes)
        EXPECT_EQ(std::tuple(box.buttons, box.icon, box.movieTopMost),
            std::tuple(msgbox::YesNo, msgbox::Question, std::optional(false)));
}

// Names typed into the rename dialog, in order, until one is taken; the red line says what is
// wrong and the dialog stays open. The movie plays on.
TEST_F(PlaylistWindow, RenameTakesOnlyAUsableName)
{
    const QString badCharacters =
        "変更後の名前に半角で「,」か「=」か「＆」があります。「,」か「=」か「＆」は無くして下さい。";
    const QString blank = "変更後の名前がありません。空白のみは無視されます。";
    const std::pair<QString, QString> typed[] = {{"My, movie", badCharacters},
        {"a=b", badCharacters}, {"Tom & Jerry", badCharacters}, {"   ", blank}, {"  Trip  ", ""}};
    start(ABC, 1);
    startPlaying();
    setKeepInFront(true);
    withDialog<Dialog>([this] { handlers().Command21_Click(); },
        [&](Dialog& dialog) {
            EXPECT_EQ(std::tuple(dialog.Label3->text(), dialog.Label1->text(), dialog.Text1->text(),
                          movieTopMost()),
                std::tuple("/m/B.mpg", "B.mpg", "B.mpg", false));
            for (const auto& [text, message] : typed) {
                dialog.Text1->setText(text);
                dialog.OKButton->click();
                EXPECT_EQ(std::tuple(dialog.isVisible(), dialog.Label2->text()),
                    std::tuple(!message.isEmpty(), message.isEmpty() ? blank : message))
                    << text.toStdString();
            }
        });
    // No blank before 選択中 in the tool tip.
    EXPECT_THAT(std::tuple(names(), paths(), engine.calls(), movieTopMost(), form2().Label1->text(),
                    form2().windowTitle(), form1->List2->toolTip()),
        testing::FieldsAre(QStringList({"A.mpg", "  Trip  ", "C.mpg"}), ABC, QStringList(), true,
            "  Trip  　", "  Trip   - ReelBox", "再生ﾘｽﾄ一覧   Trip  選択中"));

    // Cancel and the close box change nothing and bring the movie window back in front.
    for (const bool cancel : {true, false}) {
        withDialog<Dialog>([this] { handlers().Command21_Click(); },
            [&](Dialog& dialog) {
                dialog.Text1->setText("Other");
                cancel ? dialog.CancelButton->click() : (void)dialog.close();
            });
        EXPECT_EQ(std::tuple(names()[1], movieTopMost()), std::tuple("  Trip  ", true));
    }
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
}

// list_files.cpp (and list_writer.cpp): saving and opening list files.

// Saves in a row, as an unprivileged user, then the first file opened again. Rows: the name
// chosen, modes given before, a file size limit, the file written, its bytes afterwards, the
// message. A failed save leaves the previous file as it was; a folder that may not change but
// whose file may gets the file rewritten in place, and keeps it when the rewrite cannot finish.
// How each kind of entry is written is the round trip's below.
TEST_F(PlaylistWindow, ListSaveWritesEveryEntryOrSaysWhyNot)
{
    FileTree tree;
    tree.add({"ro/"});
    for (const char* name : {"old.vep", "ro/old.vep", "ro/short.vep"})
        writeFile(tree.path(name), "old\r\n");
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
        EXPECT_THAT(std::tuple(shown.setup.title, shown.setup.folder, shown.setup.fileName,
                        shown.save, contents(tree.path(row.written)), boxes(), handlers().list_file,
                        movieTopMost(), selected()),
            testing::FieldsAre(QString("ﾘｽﾄに名前を付けてﾌｧｲﾙに保存"), folder, offered, true,
                row.after, row.message.isEmpty() ? "" : row.message + u'|' + tree.path(row.written),
                tree.path(row.written), true, 0));
        offered = handlers().list_file;
        folder = Playlist::folderOf(tree.path(row.chosen));
    }
}

// Save, then open into an empty playlist: every entry comes back as it was, whatever its path and
// name hold, or is named before the save, under the reason, and left out of the file, so that it
// cannot stop the load of the entries behind it. Names that are not UTF-8 (Latin-1, Shift-JIS
// bytes that are also CP932) come back byte for byte: the file begins with a byte-order mark.
// Rows: path, name, the line written (nullptr: left out; "!": for a reason other than separators).
TEST_F(PlaylistWindow, SavedListEntriesOpenAgainAsTheyWere)
{
    const struct {
        QString path, name;
        const char* line;
    } rows[] = {
        {fromNativeFileName("/m/\x93\xFA\x96\x7B.mpg"), fromNativeFileName("\x93\xFA\x96\x7B.mpg"),
            "/m/\x93\xFA\x96\x7B.mpg=\x93\xFA\x96\x7B.mpg"},
        {QStringLiteral("/m/") + QChar(0xD800) + QStringLiteral(".mpg"), "lone", "!"},
        {"/m/" + QString(70000, u'x'), "long", "!"},
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
    QByteArray bytes = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        playlist().append(row.path, row.name);
        const bool kept = row.line && *row.line != '!';
        if (kept) {
            keptPaths << row.path;
            keptNames << row.name;
            bytes += QByteArray(row.line) + "\r\n";
        } else if (!row.line) {
            leftOut << row.path;
        }
    }
    dialogs.paths = {tree.path("round.vep")};
    handlers().Command19_Click();
    EXPECT_EQ(std::tuple(contents(tree.path("round.vep")), boxes()),
        std::tuple(bytes,
            "次のリストは「,」と「\"」の両方や「=」、改行を含むため、リストファイルに保存できません。\n" +
                leftOut.join(u'\n') +
                "\n\n次のリストはファイルに書けない文字を含むため、リストファイルに保存できません。\n" +
                rows[1].path + "\n\n次のリストは長すぎるため、リストファイルに保存できません。\n" +
                rows[2].path + "|ﾘｽﾄ保存"));

    start({});
    dialogs.paths = {tree.path("round.vep")};
    handlers().Command20_Click();
    EXPECT_EQ(
        std::tuple(paths(), names(), selected(), boxes()), std::tuple(keptPaths, keptNames, 0, ""));

    // The UTF-8 entries kept, on their own: each line is written straight from its characters,
    // the same bytes, without a byte-order mark.
    start({});
    QByteArray utf8;
    for (const auto& row : rows)
        if (row.line && *row.line != '!' && QUtf8StringView(row.line).isValidUtf8()) {
            playlist().append(row.path, row.name);
            utf8 += QByteArray(row.line) + "\r\n";
        }
    dialogs.paths = {tree.path("utf8.vep")};
    handlers().Command19_Click();
    EXPECT_EQ(std::tuple(contents(tree.path("utf8.vep")), boxes()), std::tuple(utf8, ""));

    // A path that begins with U+FEFF comes back as the first entry of a file that has a mark.
    start({});
    const QStringList marked{QChar(0xFEFF) + QStringLiteral("/m/mark.mpg"), rows[0].path};
    playlist().append(marked, marked);
    dialogs.paths = {tree.path("mark.vep")};
    handlers().Command19_Click();
    const QString saidOnSave = boxes();
    start({});
    dialogs.paths = {tree.path("mark.vep")};
    handlers().Command20_Click();
    EXPECT_EQ(std::tuple(saidOnSave, paths(), names()), std::tuple("", marked, marked));
}

// Opening appends the file's entries and opens the first of them, unless the load stopped at a
// field without "=" (the field rules themselves are the list reader's). Rows: the file's bytes,
// paths and names added, whether the first opens.
TEST_F(PlaylistWindow, ListOpenAppendsAndOpensTheFirstLoaded)
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
        EXPECT_THAT(std::tuple(shown.title, shown.filters, paths().mid(5), names().mid(5),
                        selected(), opened(), handlers().list_dir, movieTopMost()),
            testing::FieldsAre("ﾘｽﾄﾌｧｲﾙを開く",
                decltype(shown.filters){{"LISTファイル (*.vep)", "*.vep"}}, row.paths, row.names,
                row.opens ? 5 : 2, row.paths.mid(0, row.opens ? 1 : 0), tree.path(""), true));
    }
}

}  // namespace
