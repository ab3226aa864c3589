#include "movie/form2.h"
#include "playlist/rename_dialog.h"
#include "playlist_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
using EditEntries = PlaylistFixture;
const QStringList ABC = {"/m/A.mpg", "/m/B.mpg", "/m/C.mpg"};
}

// A move exchanges the entry with its neighbour and keeps it selected without reopening it.
TEST_F(EditEntries, MovesKeepTheOpenMovie)
{
    struct Row {
        int selected;
        bool up;
        QStringList names;
        int selectedAfter;
    };
    const Row rows[] = {
        {1, true, {"B.mpg", "A.mpg", "C.mpg"}, 0},
        {1, false, {"A.mpg", "C.mpg", "B.mpg"}, 2},
        {0, true, {"A.mpg", "B.mpg", "C.mpg"}, 0},
        {2, false, {"A.mpg", "B.mpg", "C.mpg"}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.selected * 10 + row.up);
        form1->reset_all();
        fill(ABC, row.selected);
        row.up ? handlers().cmdUp_Click() : handlers().cmdDown_Click();
        EXPECT_EQ(names(), row.names);
        EXPECT_EQ(selected(), row.selectedAfter);
        EXPECT_EQ(form1->List1->ListIndex(), row.selectedAfter);
        EXPECT_EQ(engine.calls(), QStringList());  // nothing closed, nothing opened
        EXPECT_EQ(form1->move_flg(), 0);
    }
}

// Removing asks first; the entry that takes the removed one's place is opened, and plays when
// the player played. Rows: entries, selected, playing, answer, names after, opened.
TEST_F(EditEntries, RemoveAsksAndOpensTheNeighbour)
{
    struct Row {
        QStringList entries;
        int selected;
        bool playing;
        int answer;
        QStringList names;
        QStringList opened;
    };
    const Row rows[] = {
        {ABC, 1, true, msgbox::Yes, {"A.mpg", "C.mpg"}, {"/m/C.mpg"}},
        {{"/m/A.mpg", "/m/C.mpg"}, 1, true, msgbox::Yes, {"A.mpg"}, {"/m/A.mpg"}},
        {ABC, 0, false, msgbox::Yes, {"B.mpg", "C.mpg"}, {"/m/B.mpg"}},
        {{"/m/A.mpg"}, 0, false, msgbox::Yes, {}, {}},
        {ABC, 1, true, msgbox::No, {"A.mpg", "B.mpg", "C.mpg"}, {}},
    };
    setKeepInFront(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entries.size() * 10 + row.selected);
        form1->reset_all();
        fill(row.entries, row.selected);
        if (row.playing)
            form1->Command2->click();
        engine.clearCalls();
        dialogs.answers = {row.answer};
        handlers().Command15_Click();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "選択されているリスト「" + Playlist::displayName(row.entries[row.selected]) +
                                             "」を一覧からクリアしますか？");
        EXPECT_EQ(dialogs.boxes[0].title, "ﾘｽﾄｸﾘｱ");
        EXPECT_EQ(dialogs.boxes[0].buttons, msgbox::YesNo);
        EXPECT_EQ(dialogs.boxes[0].icon, msgbox::Question);
        EXPECT_EQ(dialogs.boxes[0].movieTopMost, false);
        EXPECT_EQ(names(), row.names);
        EXPECT_EQ(opened(), row.opened);
        EXPECT_EQ(engine.isPlaying(), row.playing && !row.names.isEmpty());
        EXPECT_EQ(form1->Command19->isEnabled(), !row.names.isEmpty());  // reset when emptied
        EXPECT_TRUE(movieTopMost());
    }
}

TEST_F(EditEntries, ClearAllAsksFirst)
{
    for (const int answer : {msgbox::No, msgbox::Yes}) {
        fill(ABC, 1);
        dialogs.answers = {answer};
        setKeepInFront(answer == msgbox::Yes);
        handlers().Command13_Click();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "全リスト一覧をクリアしますか？");
        EXPECT_EQ(dialogs.boxes[0].title, "全ﾘｽﾄｸﾘｱ");
        EXPECT_EQ(dialogs.boxes[0].buttons, msgbox::YesNo);
        EXPECT_EQ(dialogs.boxes[0].icon, msgbox::Question);
        EXPECT_EQ(playlist().count(), answer == msgbox::Yes ? 0 : 3);
        EXPECT_EQ(engine.calls().contains("close"), answer == msgbox::Yes);
        EXPECT_EQ(movieTopMost(), answer == msgbox::Yes);
    }
}

// Names typed into the rename dialog, in order, until one is taken. Rows: what is typed, the red
// line after OK (empty: taken, the dialog closes).
TEST_F(EditEntries, RenameTakesOnlyAUsableName)
{
    const QString badCharacters =
        "変更後の名前に半角で「,」か「=」か「＆」があります。「,」か「=」か「＆」は無くして下さい。";
    const QString blank = "変更後の名前がありません。空白のみは無視されます。";
    const std::pair<QString, QString> typed[] = {
        {"My, movie", badCharacters}, {"a=b", badCharacters}, {"Tom & Jerry", badCharacters},
        {"   ", blank}, {"", blank}, {"  Trip  ", ""},
    };
    fill(ABC, 1);
    form1->Command2->click();
    engine.clearCalls();
    setKeepInFront(true);
    withDialog<Dialog>([this] { handlers().Command21_Click(); }, [&](Dialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "選択ﾘｽﾄ表示名変更");
        EXPECT_EQ(dialog.Label3->text(), "/m/B.mpg");
        EXPECT_EQ(dialog.Label1->text(), "B.mpg");
        EXPECT_EQ(dialog.Text1->text(), "B.mpg");
        EXPECT_EQ(dialog.Label2->text(), "");
        EXPECT_FALSE(movieTopMost());
        for (const auto& [text, message] : typed) {
            SCOPED_TRACE(text.toStdString());
            dialog.Text1->setText(text);
            dialog.OKButton->click();
            EXPECT_EQ(dialog.isVisible(), !message.isEmpty());
            EXPECT_EQ(dialog.Label2->text(), message.isEmpty() ? blank : message);
        }
    });
    EXPECT_EQ(names(), QStringList({"A.mpg", "  Trip  ", "C.mpg"}));
    EXPECT_EQ(paths(), ABC);
    EXPECT_EQ(form2().Label1->text(), "  Trip  　");
    EXPECT_EQ(form1->List2->toolTip(), "再生ﾘｽﾄ一覧   Trip  選択中");
    EXPECT_EQ(engine.calls(), QStringList());  // the movie plays on
    EXPECT_TRUE(movieTopMost());

    // Cancel and the close box change nothing and bring the movie window back in front.
    for (const bool cancel : {true, false}) {
        setKeepInFront(true);
        withDialog<Dialog>([this] { handlers().Command21_Click(); }, [&](Dialog& dialog) {
            dialog.Text1->setText("Other");
            cancel ? dialog.CancelButton->click() : (void)dialog.close();
        });
        EXPECT_EQ(names()[1], "  Trip  ");
        EXPECT_TRUE(movieTopMost());
    }
}
