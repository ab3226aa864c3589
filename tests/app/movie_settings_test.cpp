// The settings file applied when the movie window loads, and saved from its menu.
#include "app/controls/check_box.h"
#include "app/controls/menu_item.h"
#include "form_fixture.h"
#include "movie/system_colors.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>

namespace {

class MovieSettings : public FormFixture {
protected:
    // The place beside the control window at 32,32, 343 x 263 pixels.
    void expectDefaultPlace()
    {
        Form2& m = form2();
        EXPECT_EQ(m.Top(), form1->Top());
        EXPECT_EQ(m.Left(), form1->Left() + form1->Width());
        EXPECT_EQ(m.Width(), 5145);
        EXPECT_EQ(m.Height(), 3945);
        EXPECT_EQ(m.size(), QSize(343, 263));
        EXPECT_EQ(m.pos(), QPoint(32 + form1->frameGeometry().width(), 32));
    }
};

}  // namespace

TEST_F(MovieSettings, MissingFileGivesTheDefaultPlaceAndColour)
{
    load();
    expectDefaultPlace();
    EXPECT_EQ(form2().BackColor(), 0);
    EXPECT_EQ(form2().palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST_F(MovieSettings, SavedPlaceColourAndSizeAreApplied)
{
    writeSettings({"", " 1200", " 6000", " 255", " 6000", " 4500"});
    load();
    Form2& m = form2();
    EXPECT_EQ(m.Top(), 1200);
    EXPECT_EQ(m.Left(), 6000);
    EXPECT_EQ(m.Width(), 6000);
    EXPECT_EQ(m.Height(), 4500);
    EXPECT_EQ(m.BackColor(), 255);
    EXPECT_EQ(m.palette().color(QPalette::Window), QColor(255, 0, 0));
    // The labels follow the loaded size.
    EXPECT_EQ(m.Label2->geometry(), QRect(10, 10, 400 - 23, 300 - 23));
    // Kept in front whatever the file says.
    EXPECT_TRUE(windows.isTopMost(&m));
}

TEST_F(MovieSettings, ValueOnTheFirstLineIsDiscarded)
{
    writeSettings({"99", "1500", "3000", "0", "5145", "3945"});
    load();
    EXPECT_EQ(form2().Top(), 1500);
    EXPECT_EQ(form2().Left(), 3000);
}

TEST_F(MovieSettings, ShortFileFallsBackToTheDefaults)
{
    writeSettings({"", "1500", "3000"});
    load();
    expectDefaultPlace();
}

TEST_F(MovieSettings, ColourWithoutSizeKeepsTheColour)
{
    writeSettings({"", "1500", "3000", "65280"});
    load();
    expectDefaultPlace();
    EXPECT_EQ(form2().BackColor(), 65280);
    EXPECT_EQ(form2().palette().color(QPalette::Window), QColor(0, 255, 0));
}

TEST_F(MovieSettings, NonNumberEndsTheReading)
{
    writeSettings({"", "1500", "3000", "0", "wide", "3945"});
    load();
    expectDefaultPlace();
}

TEST_F(MovieSettings, SystemColourIsKeptAsTheSameReference)
{
    // 0x8000000F: the system's button face colour.
    writeSettings({"", "1500", "3000", "-2147483633", "5145", "3945"});
    load();
    EXPECT_EQ(form2().BackColor(), std::int32_t(0x8000000F));
    EXPECT_EQ(form2().palette().color(QPalette::Window),
              QGuiApplication::palette().color(QPalette::Active, QPalette::Button));
}

TEST_F(MovieSettings, PlaceOffEveryScreenFallsBackToTheDefaults)
{
    windows.screen = QSize(1024, 768);
    // Saved while a second monitor stood to the right.
    writeSettings({"", "1500", "30000", "255", "5145", "3945"});
    load();
    expectDefaultPlace();
    EXPECT_EQ(form2().BackColor(), 255);  // the colour was read before the place was refused
}

TEST_F(MovieSettings, PlacePartlyOnScreenIsKept)
{
    windows.screen = QSize(1024, 768);
    writeSettings({"", "-1500", "13500", "0", "5145", "3945"});
    load();
    EXPECT_EQ(form2().Top(), -1500);
    EXPECT_EQ(form2().Left(), 13500);
}

TEST_F(MovieSettings, SaveWritesWhatTheNextStartReads)
{
    load();
    form2().setTop(1800);
    form2().setLeft(7500);
    form2().setBackColor(std::int32_t(0x80000005));
    form2().ch_ho->trigger();
    EXPECT_TRUE(dialogs.boxes.empty());

    const QString file = settings_file::path(services.programDir);
    const SettingsRead read = settings_file::read(file);
    ASSERT_TRUE(read.complete());
    EXPECT_EQ(*read.top, 1800);
    EXPECT_EQ(*read.left, 7500);
    EXPECT_EQ(*read.backColor, std::int32_t(0x80000005));
    EXPECT_EQ(*read.width, 5145);
    EXPECT_EQ(*read.height, 3945);

    const qint64 size = QFileInfo(file).size();
    form2().ch_ho->trigger();
    EXPECT_EQ(QFileInfo(file).size(), size);  // replaced, never grown
}

TEST_F(MovieSettings, FailedSaveIsReportedUnderTheTopmostRule)
{
    load();
    // A folder where the file should be: nothing can be written there, even by root.
    ASSERT_TRUE(QDir(services.programDir).mkdir("reelbox.ini"));
    form2().ch_ho->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    const auto& box = dialogs.boxes[0];
    EXPECT_EQ(box.text, "設定ファイルが保存できません。実行ディレクトリがライトプロテクトされている可能性があります。");
    EXPECT_EQ(box.title, "書込みｴﾗｰ");
    EXPECT_EQ(box.buttons, msgbox::OkOnly);
    EXPECT_EQ(box.icon, msgbox::Information);
    EXPECT_EQ(box.movieTopMost, false);
    EXPECT_TRUE(windows.isTopMost(&form2()));

    form1->Check4->setValue(0);
    form2().ch_ho->trigger();
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_FALSE(windows.isTopMost(&form2()));
}
