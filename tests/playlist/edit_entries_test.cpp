#include "file_tree.h"
#include "movie/form2.h"
#include "playlist/rename_dialog.h"
#include "playlist_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
using EditEntries = PlaylistFixture;
const QStringList ABC = {"/m/A.mpg", "/m/B.mpg", "/m/C.mpg"};
}  // namespace

// The editing buttons on an entry that is open. A move keeps the movie as it is (nothing closed
// or opened); a removal opens the entry that takes the removed one's place, playing when the
// player played; clearing all, or removing the last entry, resets the window.
TEST_F(EditEntries, MovesRemovalsAndClearing)
{
    using H = PlaylistHandlers;
    const QString removeB = "選択されているリスト「B.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ";
    const QString removeA = "選択されているリスト「A.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ";
    const QString clearAll = "全リスト一覧をクリアしますか？|全ﾘｽﾄｸﾘｱ";
    const struct {
        QStringList entries;
        int selected;
        bool playing;
        void (H::*button)();
        int answer;
        QString asked;
        QStringList after;
        int selectedAfter;
        QStringList opened;
    } rows[] = {
        {ABC, 1, true, &H::cmdUp_Click, 0, "", {"B.mpg", "A.mpg", "C.mpg"}, 0, {}},
        {ABC, 1, true, &H::cmdDown_Click, 0, "", {"A.mpg", "C.mpg", "B.mpg"}, 2, {}},
        {ABC, 0, false, &H::cmdUp_Click, 0, "", {"A.mpg", "B.mpg", "C.mpg"}, 0, {}},
        {ABC, 2, false, &H::cmdDown_Click, 0, "", {"A.mpg", "B.mpg", "C.mpg"}, 2, {}},
        {ABC, 1, true, &H::Command15_Click, msgbox::Yes, removeB, {"A.mpg", "C.mpg"}, 1,
            {"/m/C.mpg"}},
        {{"/m/A.mpg", "/m/B.mpg"}, 1, true, &H::Command15_Click, msgbox::Yes, removeB, {"A.mpg"}, 0,
            {"/m/A.mpg"}},
        {ABC, 1, false, &H::Command15_Click, msgbox::Yes, removeB, {"A.mpg", "C.mpg"}, 1,
            {"/m/C.mpg"}},
        {{"/m/A.mpg"}, 0, true, &H::Command15_Click, msgbox::Yes, removeA, {}, -1, {}},
        {ABC, 1, true, &H::Command15_Click, msgbox::No, removeB, {"A.mpg", "B.mpg", "C.mpg"}, 1,
            {}},
        {ABC, 1, true, &H::Command13_Click, msgbox::No, clearAll, {"A.mpg", "B.mpg", "C.mpg"}, 1,
            {}},
        {ABC, 1, true, &H::Command13_Click, msgbox::Yes, clearAll, {}, -1, {}},
    };
    setKeepInFront(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(QString("%1 on %2, %3")
                         .arg(row.asked)
                         .arg(row.selected)
                         .arg(row.after.join(u' '))
                         .toStdString());
        start(row.entries, row.selected);
        if (row.playing)
            form1->Command2->click();
        engine.clearCalls();
        dialogs.answers = {row.answer};
        (handlers().*row.button)();
        EXPECT_EQ(boxes(), row.asked);
        EXPECT_EQ(names(), row.after);
        EXPECT_EQ(selected(), row.selectedAfter);
        EXPECT_EQ(form1->List1->ListIndex(), row.selectedAfter);
        EXPECT_EQ(opened(), row.opened);
        EXPECT_EQ(engine.isPlaying(), row.playing && !row.after.isEmpty());
        EXPECT_EQ(form1->Command19->isEnabled(), !row.after.isEmpty());  // off after a reset
        EXPECT_EQ(form1->move_flg(), 0);
        EXPECT_TRUE(movieTopMost());
    }
    for (const auto& box : dialogs.boxes) {
        EXPECT_EQ(box.buttons, msgbox::YesNo);
        EXPECT_EQ(box.icon, msgbox::Question);
        EXPECT_EQ(box.movieTopMost, false);
    }
}

// Names typed into the rename dialog, in order, until one is taken; the red line says what is
// wrong and the dialog stays open. The movie plays on.
TEST_F(EditEntries, RenameTakesOnlyAUsableName)
{
    const QString badCharacters =
        "変更後の名前に半角で「,」か「=」か「＆」があります。「,」か「=」か「＆」は無くして下さい。";
    const QString blank = "変更後の名前がありません。空白のみは無視されます。";
    const std::pair<QString, QString> typed[] = {
        {"My, movie", badCharacters},
        {"a=b", badCharacters},
        {"Tom & Jerry", badCharacters},
        {"   ", blank},
        {"  Trip  ", ""},
    };
    start(ABC, 1);
    form1->Command2->click();
    engine.clearCalls();
    setKeepInFront(true);
    withDialog<Dialog>([this] { handlers().Command21_Click(); },
        [&](Dialog& dialog) {
            EXPECT_EQ(
                QStringList({dialog.Label3->text(), dialog.Label1->text(), dialog.Text1->text()}),
                QStringList({"/m/B.mpg", "B.mpg", "B.mpg"}));
            EXPECT_FALSE(movieTopMost());
            for (const auto& [text, message] : typed) {
                dialog.Text1->setText(text);
                dialog.OKButton->click();
                EXPECT_EQ(dialog.isVisible(), !message.isEmpty()) << text.toStdString();
                EXPECT_EQ(dialog.Label2->text(), message.isEmpty() ? blank : message)
                    << text.toStdString();
            }
        });
    EXPECT_EQ(names(), QStringList({"A.mpg", "  Trip  ", "C.mpg"}));
    EXPECT_EQ(paths(), ABC);
    EXPECT_EQ(form2().Label1->text(), "  Trip  　");
    EXPECT_EQ(form1->List2->toolTip(), "再生ﾘｽﾄ一覧   Trip  選択中");  // no blank before 選択中
    EXPECT_EQ(engine.calls(), QStringList());
    EXPECT_TRUE(movieTopMost());

    // Cancel and the close box change nothing and bring the movie window back in front.
    for (const bool cancel : {true, false}) {
        withDialog<Dialog>([this] { handlers().Command21_Click(); },
            [&](Dialog& dialog) {
                dialog.Text1->setText("Other");
                cancel ? dialog.CancelButton->click() : (void)dialog.close();
            });
        EXPECT_EQ(names()[1], "  Trip  ");
        EXPECT_TRUE(movieTopMost());
    }
}

// Every way the playlist changes, one after another on one list, through the handlers a user
// runs: after each, both lists hold the same number of entries, the same one is selected in both,
// and every path still has its own name beside it (paths and names differ here only by folder).
TEST_F(EditEntries, EveryChangeKeepsPathsAndNamesInStep)
{
    FileTree tree;
    tree.add({"dir/f1.mpg", "dir/f2.avi"});
    QFile list(tree.path("l.vep"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("/m/l1.mpg=l1.mpg\r\n/m/l2.mpg=l2.mpg\r\n");
    list.close();
    const auto end = [this] {
        engine.setPosition(engine.lengthFrames());
        form1->playback->Timer1_Timer();
    };
    const struct {
        const char* change;
        std::function<void()> run;
        int count;
    } steps[] = {
        {"open dialog",
            [&] {
                dialogs.paths = {"/m/o.mpg"};
                handlers().Command1_Click();
            },
            1},
        {"drop",
            [&] {
                handlers().OLEDragDrop({"/m/d1.mpg", "/m/d2.avi"});
            },
            3},
        {"list file",
            [&] {
                dialogs.paths = {tree.path("l.vep")};
                handlers().Command20_Click();
            },
            5},
        {"folder import",
            [&] {
                dialogs.paths = {tree.path("dir")};
                handlers().folda_open();
            },
            7},
        {"up", [&] { handlers().cmdUp_Click(); }, 7},
        {"down", [&] { handlers().cmdDown_Click(); }, 7},
        {"previous", [&] { form1->Command10->click(); }, 7},
        {"next", [&] { form1->Command11->click(); }, 7},
        {"next to the last", [&] { form1->Command11->click(); }, 7},
        {"next after the last", [&] { form1->Command11->click(); }, 7},
        {"previous before the first", [&] { form1->Command10->click(); }, 7},
        {"end of a movie", end, 7},
        {"a failed open",
            [&] {
                engine.failNextOpen(MediaError::FileNotFound);
                form1->Command10->click();
            },
            6},
        {"a failed next at the end",
            [&] {
                engine.failNextOpen(MediaError::FileNotFound);
                end();
            },
            5},
        {"remove",
            [&] {
                dialogs.answers = {msgbox::Yes};
                handlers().Command15_Click();
            },
            4},
        {"click", [&] { form1->List2->setListIndex(2); }, 4},
        {"up again", [&] { handlers().cmdUp_Click(); }, 4},
        {"remove again",
            [&] {
                dialogs.answers = {msgbox::Yes};
                handlers().Command15_Click();
            },
            3},
        {"clear all",
            [&] {
                dialogs.answers = {msgbox::Yes};
                handlers().Command13_Click();
            },
            0},
    };
    start({});
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        step.run();
        EXPECT_EQ(form1->List1->ListCount(), step.count);
        EXPECT_EQ(form1->List2->ListCount(), step.count);
        EXPECT_EQ(form1->List1->ListIndex(), form1->List2->ListIndex());
        EXPECT_EQ(form1->List2->ListIndex() >= 0, step.count > 0);
        for (int i = 0; i < playlist().count(); ++i)
            EXPECT_EQ(Playlist::displayName(playlist().path(i)), playlist().name(i)) << i;
        if (step.count > 0) {
            EXPECT_EQ(engine.path(),
                playlist().path(selected()));  // the open movie is the selected entry
        }
    }
}
