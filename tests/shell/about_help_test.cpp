// The help page and the About box: its texts, the topmost rule around it from both places, the
// web address, and the system-information button.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "shell/aboutfrm.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs `inside` on the About box once it is up, then closes it with OK.
void whileAboutIsOpen(const std::function<void(Aboutfrm&)>& inside)
{
    QTimer::singleShot(0, [inside] {
        auto* box = qobject_cast<Aboutfrm*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inside(*box);
        box->cmdOK->click();
    });
}

}  // namespace

TEST_F(FormFixture, AboutBoxFromBothPlacesUnderTheTopmostRule)
{
    load();
    const std::function<void()> openers[] = {
        [this] { form1->Command17->click(); },
        [this] { form2().me_about->trigger(); },
    };
    for (const auto& open : openers) {
        for (int keep : {1, 0}) {
            SCOPED_TRACE(keep);
            form1->Check4->setValue(keep);
            std::optional<bool> topMostWhileOpen;
            whileAboutIsOpen([&](Aboutfrm& box) {
                topMostWhileOpen = windows.isTopMost(&form2());
                EXPECT_EQ(box.windowTitle(), "ReelBoxのﾊﾞｰｼﾞｮﾝ情報");
                EXPECT_EQ(box.lblTitle->text(), "ReelBox");
                EXPECT_EQ(box.lblVersion->text(), "ﾊﾞｰｼﾞｮﾝ 0.6.1");
                // The two lines of the description, without the carriage return between them.
                EXPECT_EQ(box.Label1->text(), "Video-CD等の動画を4:3の比率にして見る\n"
                                              "動画再生ソフト　By ReelBox Project");
                EXPECT_EQ(box.lblDescription->text(), "ｱﾌﾟﾘｹｰｼｮﾝの説明");
                EXPECT_EQ(box.cmdOK->text(), "OK");
                EXPECT_EQ(box.cmdSysInfo->text(), "ｼｽﾃﾑ情報(&S)...");
                EXPECT_FALSE(box.Image1->pixmap().isNull());
                EXPECT_TRUE(box.Line1[0]->isVisible() && box.Line1[1]->isVisible());
                // The web address opens when clicked.
                QTest::mouseClick(box.Label2, Qt::LeftButton);
                ASSERT_EQ(desktop.opened.size(), 1u);
                EXPECT_EQ(desktop.opened[0].toString(), box.Label2->text());
                EXPECT_TRUE(desktop.opened[0].scheme().startsWith("http"));
            });
            open();
            EXPECT_EQ(topMostWhileOpen, false);
            EXPECT_EQ(windows.isTopMost(&form2()), keep == 1);
            desktop.opened.clear();
        }
    }
}

// Closed by its window button or Escape instead of OK: the rule is kept all the same.
TEST_F(FormFixture, AboutBoxClosedOtherwise)
{
    load();
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    form1->Command17->click();
    EXPECT_TRUE(windows.isTopMost(&form2()));
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    form1->Command17->click();
    EXPECT_TRUE(windows.isTopMost(&form2()));
}

// A system-information program found and started; found but it will not start; none at all.
// The message comes with the box still up, and the movie window stays down under it.
TEST_F(FormFixture, SystemInformationButton)
{
    struct Case {
        const char* program;
        bool starts;
        std::size_t boxes;
    };
    const Case cases[] = {{"/usr/bin/hardinfo", true, 0}, {"/usr/bin/hardinfo", false, 1}, {"", true, 1}};
    load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        desktop.infoProgram = c.program;
        desktop.startWorks = c.starts;
        desktop.started.clear();
        dialogs.boxes.clear();
        whileAboutIsOpen([](Aboutfrm& box) { box.cmdSysInfo->click(); });
        form1->Command17->click();
        EXPECT_EQ(desktop.started, c.program[0] ? QStringList{c.program} : QStringList{});
        ASSERT_EQ(dialogs.boxes.size(), c.boxes);
        for (const FakeDialogs::Box& box : dialogs.boxes) {
            EXPECT_EQ(box.text, "ｼｽﾃﾑ情報ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。現時点ではｼｽﾃﾑ情報を使用できません。");
            EXPECT_EQ(box.title, "ｼｽﾃﾑ情報表示ｴﾗｰ");
            EXPECT_EQ(box.icon, msgbox::Information);
            EXPECT_EQ(box.movieTopMost, false);
        }
    }
}

// The page beside the program opens in the desktop's browser; without one nothing happens.
TEST_F(FormFixture, HelpPage)
{
    load();
    form1->Command18->click();
    EXPECT_TRUE(desktop.opened.empty());
    QFile page(programFile("reelbox.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    form1->Command18->click();
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(programFile("reelbox.htm")));
    EXPECT_TRUE(dialogs.boxes.empty());
}
