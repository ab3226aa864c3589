#include "form_fixture.h"
#include "playlist/rename_dialog.h"

#include <QLineEdit>

namespace {
using EditEntries = StartedForm;
const QStringList ABC = {"/m/A.mpg", "/m/B.mpg", "/m/C.mpg"};
}  // namespace

// The editing buttons on an entry that is playing. A move keeps the movie as it is (nothing closed
// or opened); a removal opens the entry that takes the removed one's place, playing on; clearing
// all, or removing the last entry, resets the window.
TEST_F(EditEntries, MovesRemovalsAndClearing)
{
    using H = PlaylistHandlers;
    const QString removeB = "選択されているリスト「B.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ";
    const QString removeA = "選択されているリスト「A.mpg」を一覧からクリアしますか？|ﾘｽﾄｸﾘｱ";
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
        EXPECT_EQ(std::tuple(boxes(), names(), selected(), form1->List1->ListIndex(), opened(),
                      engine.isPlaying(), form1->Command19->isEnabled(), form1->move_flg(),
                      movieTopMost()),
            std::tuple(row.asked, row.after, row.selectedAfter, row.selectedAfter, row.opened, left,
                left, 0, true));
    }
    for (const auto& box : dialogs.boxes)
        EXPECT_EQ(std::tuple(box.buttons, box.icon, box.movieTopMost),
            std::tuple(msgbox::YesNo, msgbox::Question, std::optional(false)));
}

// Names typed into the rename dialog, in order, until one is taken; the red line says what is
// wrong and the dialog stays open. The movie plays on.
TEST_F(EditEntries, RenameTakesOnlyAUsableName)
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
    EXPECT_EQ(std::tuple(names(), paths(), engine.calls(), movieTopMost(), form2().Label1->text(),
                  form1->List2->toolTip()),
        std::tuple(QStringList({"A.mpg", "  Trip  ", "C.mpg"}), ABC, QStringList(), true,
            "  Trip  　", "再生ﾘｽﾄ一覧   Trip  選択中"));

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
