#include "file_tree.h"
#include "form_fixture.h"
#include "playlist/folder_options_dialog.h"

namespace {
using FolderImport = StartedForm;
const QString AllMovies = "*.dat;*.mpg;*.mpeg;*.avi";
}  // namespace

// folda_open on a tree. Rows: the tree, the paths added (relative), subfolders, the messages,
// the folder chosen (nullptr: cancelled), the pattern folda_op left, whether the walk runs as an
// unprivileged user; the folder browser ends where it started.
TEST_F(FolderImport, WalkOrderTypesAndFailures)
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
            {"Z/z.mpg", "A/a.mpg", "f.mpg"}, true, qt_error_string(EACCES) + u'|', ".", AllMovies,
            true},
        {{"a.mpg"}, {}, true, "デバイスが準備されていないみたいです。|ﾃﾞﾊﾞｲｽｴﾗｰ", "gone"},
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
        EXPECT_EQ(
            std::tuple(paths().replaceInStrings(tree.path(""), ""), selected(), boxes(),
                QDir::cleanPath(form1->Dir1->Path()), form1->File1->Pattern(), movieTopMost()),
            std::tuple(row.added, row.added.isEmpty() ? -1 : 0, row.messages,
                QDir::cleanPath(tree.path(".")), AllMovies, true));
    }
}

// The options dialog starts with the control window's subfolder choice and no type ticked; OK
// hands the choices on and the import follows.
TEST_F(FolderImport, OptionsDialogThenImport)
{
    FileTree tree;
    tree.add({"top.mpg", "top.dat", "A/a.avi", "A/a.mpg"});
    form1->Check1->setValue(1);
    setKeepInFront(true);
    dialogs.paths = {tree.path(".")};
    withDialog<folda_op>([this] { handlers().Command12_Click(); },
        [&](folda_op& dialog) {
            EXPECT_EQ(std::tuple(dialog.Check1->Value(), dialog.Check2->Value(),
                          dialog.Check3->Value(), dialog.Check4->Value(), movieTopMost()),
                std::tuple(1, 0, 0, 0, false));
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
TEST_F(FolderImport, FullPlaylistEndsTheWalk)
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
