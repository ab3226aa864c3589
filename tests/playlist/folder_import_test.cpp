#include "controls/dir_list_box.h"
#include "controls/file_list_box.h"
#include "file_tree.h"
#include "playlist/folder_options_dialog.h"
#include "playlist_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
using FolderImport = PlaylistFixture;
const QString AllMovies = "*.dat;*.mpg;*.mpeg;*.avi";
}

TEST(FolderOptions, PatternKeepsTheTypesInOrder)
{
    const std::pair<std::array<bool, 3>, const char*> rows[] = {
        {{false, false, false}, "*.dat;*.mpg;*.mpeg;*.avi"},
        {{true, false, false}, "*.mpg;*.mpeg"},
        {{false, true, false}, "*.dat"},
        {{false, false, true}, "*.avi"},
        {{true, true, false}, "*.mpg;*.mpeg;*.dat"},
        {{true, false, true}, "*.mpg;*.mpeg;*.avi"},
        {{false, true, true}, "*.dat;*.avi"},
        {{true, true, true}, "*.mpg;*.mpeg;*.dat;*.avi"},
    };
    for (const auto& [ticked, pattern] : rows)
        EXPECT_EQ(folda_op::patternFor(ticked[0], ticked[1], ticked[2]), pattern) << pattern;
}

// The options dialog opens with the subfolder choice of the control window and every type
// cleared; OK hands its choices on and the import runs with them.
TEST_F(FolderImport, OptionsThenBrowserThenWalk)
{
    FileTree tree;
    tree.add({"top.mpg", "top.dat", "A/a.avi", "A/a.mpg", "B/b.dat"});
    form1->Check1->setValue(1);
    setKeepInFront(true);
    fill({"/m/old.mpg"}, 0);
    dialogs.paths = {tree.root()};
    withDialog<folda_op>([this] { handlers().Command12_Click(); }, [&](folda_op& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "ﾌｫﾙﾀﾞ 指定ｵﾌﾟｼｮﾝ");
        EXPECT_EQ(dialog.Frame1->title(), "ﾘｽﾄに加える動画ﾀｲﾌﾟを選択");
        EXPECT_EQ(dialog.Label1->text(), "どれも選択しない場合は全てが対象となります。");
        EXPECT_EQ(dialog.Label2->text(), "指定するﾌｫﾙﾀﾞのさらに下のｻﾌﾞﾌｫﾙﾀﾞも検索する場合にﾁｪｯｸ。");
        EXPECT_EQ(dialog.Check1->Value(), 1);
        for (CheckBox* type : {dialog.Check2, dialog.Check3, dialog.Check4})
            EXPECT_EQ(type->Value(), 0);
        EXPECT_FALSE(movieTopMost());
        dialog.Check3->setValue(1);
        dialog.Check4->setValue(1);
        dialog.OKButton->click();
    });
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].setup.title, "フォルダを指定して下さい。");
    EXPECT_EQ(dialogs.fileDialogs[0].movieTopMost, false);
    EXPECT_EQ(names(), QStringList({"old.mpg", "b.dat", "a.avi", "top.dat"}));
    EXPECT_EQ(paths()[1], tree.root() + "/B/b.dat");
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(opened(), QStringList{tree.root() + "/B/b.dat"});
    EXPECT_EQ(form1->Dir1->Path(), tree.root());
    EXPECT_EQ(form1->File1->Path(), tree.root());
    EXPECT_EQ(form1->File1->Pattern(), AllMovies);
    EXPECT_EQ(form1->File1->ListCount(), 2);  // top.dat, top.mpg
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(movieTopMost());

    // The next time the dialog offers the subfolder choice made now; its close box imports
    // nothing and brings the movie window back in front.
    withDialog<folda_op>([this] { handlers().Command12_Click(); }, [&](folda_op& dialog) {
        dialog.Check1->setValue(0);
        dialog.close();
    });
    EXPECT_EQ(form1->Check1->Value(), 1);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(movieTopMost());
}

// folda_open on its own. Rows: the folder chosen (relative to the tree; null: cancelled),
// subfolders, names added, the message shown, where the browser ends.
TEST_F(FolderImport, ChosenFolderOutcomes)
{
    FileTree tree;
    tree.add({"empty/notes.txt", "movies/x.MPG", "movies/sub/y.avi"});
    struct Row {
        const char* chosen;
        bool subfolders;
        QStringList added;
        QString message;
        const char* browserEndsIn;
    };
    const Row rows[] = {
        {nullptr, true, {}, "", "movies"},
        {"gone", true, {}, "デバイスが準備されていないみたいです。|ﾃﾞﾊﾞｲｽｴﾗｰ", "movies"},
        {"empty", true, {}, "", "empty"},
        {"movies", false, {"x.MPG"}, "", "movies"},
        {"movies", true, {"y.avi", "x.MPG"}, "", "movies"},
    };
    form1->Dir1->setPath(tree.path("movies"));
    setKeepInFront(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen ? row.chosen : "cancelled");
        form1->Check1->setValue(row.subfolders ? 1 : 0);
        form1->File1->setPattern("*.mpg;*.avi");  // as folda_op leaves it
        dialogs.paths = {row.chosen ? tree.path(row.chosen) : QString()};
        dialogs.boxes.clear();
        const int before = playlist().count();
        handlers().folda_open();
        EXPECT_EQ(names().mid(before), row.added);
        QStringList shown;
        for (const auto& box : dialogs.boxes)
            shown << box.text + u'|' + box.title;
        EXPECT_EQ(shown.join(u'\n'), row.message);
        EXPECT_EQ(form1->Dir1->Path(), tree.path(row.browserEndsIn));
        EXPECT_EQ(form1->File1->Pattern(), AllMovies);
        EXPECT_TRUE(movieTopMost());
    }
}
