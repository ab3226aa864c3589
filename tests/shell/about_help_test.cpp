// The help page and the About box: its texts, the topmost rule around it from both places, the
// web address, and the system-information button.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "shell/aboutfrm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Runs `inside` on the About box once it is up, then closes it with `close`.
void whileAboutIsOpen(const std::function<void(Aboutfrm&)>& inside,
                      const std::function<void(Aboutfrm&)>& close = [](Aboutfrm& b) { b.cmdOK->click(); })
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<Aboutfrm*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inside(*box);
        close(*box);
    });
}

}  // namespace

// From "A" and from the menu, closed by OK, by the window or by Escape: the same box, with the
// movie window let go while it is up and kept in front afterwards only as Check4 says.
TEST_F(FormFixture, AboutBoxFromBothPlacesUnderTheTopmostRule)
{
    load();
    const std::function<void()> openers[] = {[this] { form1->Command17->click(); },
                                             [this] { form2().me_about->trigger(); }};
    const std::function<void(Aboutfrm&)> closers[] = {
        [](Aboutfrm& b) { b.cmdOK->click(); }, [](Aboutfrm& b) { b.close(); },
        [](Aboutfrm& b) { QTest::keyClick(&b, Qt::Key_Escape); }};
    for (const auto& open : openers) {
        for (const auto& close : closers) {
            for (int keep : {1, 0}) {
                form1->Check4->setValue(keep);
                desktop.opened.clear();
                whileAboutIsOpen([&](Aboutfrm& box) {
                    EXPECT_FALSE(windows.isTopMost(&form2()));
                    EXPECT_EQ(QStringList({box.windowTitle(), box.lblTitle->text(), box.lblVersion->text(),
                                           box.Label1->text(), box.lblDescription->text(),
                                           box.cmdOK->text(), box.cmdSysInfo->text()}),
                              QStringList({"ReelBoxのﾊﾞｰｼﾞｮﾝ情報", "ReelBox", "ﾊﾞｰｼﾞｮﾝ 0.6.1",
                                           // two lines, no carriage return between them
                                           "Video-CD等の動画を4:3の比率にして見る\n動画再生ソフト　By ReelBox Project",
                                           "ｱﾌﾟﾘｹｰｼｮﾝの説明", "OK", "ｼｽﾃﾑ情報(&S)..."}));
                    QTest::mouseClick(box.Label2, Qt::LeftButton);
                    EXPECT_EQ(desktop.opened, std::vector<QUrl>{QUrl(box.Label2->text())});
                }, close);
                open();
                EXPECT_EQ(windows.isTopMost(&form2()), keep == 1);
            }
        }
    }
}

// A system-information program found and started; found but it will not start; none at all.
// The message comes over the About box, the movie window still let go.
TEST_F(FormFixture, SystemInformationButton)
{
    const std::tuple<QString, bool, int> cases[] = {
        {"/usr/bin/hardinfo", true, 0}, {"/usr/bin/hardinfo", false, 1}, {"", true, 1}};
    load();
    for (const auto& [program, starts, messages] : cases) {
        desktop.infoProgram = program;
        desktop.startWorks = starts;
        desktop.started.clear();
        dialogs.boxes.clear();
        whileAboutIsOpen([](Aboutfrm& box) { box.cmdSysInfo->click(); });
        form1->Command17->click();
        EXPECT_EQ(desktop.started, program.isEmpty() ? QStringList{} : QStringList{program});
        EXPECT_EQ(int(dialogs.boxes.size()), messages);
        for (const FakeDialogs::Box& box : dialogs.boxes)
            EXPECT_EQ(std::tuple(box.text, box.title, box.icon, box.movieTopMost),
                      std::tuple(QString("ｼｽﾃﾑ情報ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。現時点ではｼｽﾃﾑ情報を使用できません。"),
                                 QString("ｼｽﾃﾑ情報表示ｴﾗｰ"), int(msgbox::Information), std::optional(false)));
    }
}

// Without the page beside the program "H" shows nothing (the installed program's is opened in
// the install test).
TEST_F(FormFixture, MissingHelpPageShowsNothing)
{
    load();
    form1->Command18->click();
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(dialogs.boxes.empty());
}
