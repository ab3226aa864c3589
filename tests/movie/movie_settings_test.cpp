// The settings file applied when the movie window loads, and saved from its menu.
// Checks: form2_load.cpp, form2_menu.cpp, form2.cpp, system_colors.cpp (src/movie); modal_rule.cpp
// (src/app); settings_file.cpp (src/settings).
#include "form_fixture.h"
#include "settings/settings_file.h"

#include <gmock/gmock.h>

// A file that gives no usable place leaves the place beside the control window; the colour is
// applied whenever it was read. (No file at all: the program scenarios' default place.) Saving
// writes what the next start reads; a failed save is reported under the topmost rule.
TEST_F(FormFixture, SettingsFilePlaceSizeAndColourSavedAndRead)
{
    const struct {
        QStringList lines;
        bool defaultPlace;
        std::int32_t colour;
        QSize screen{1024, 768};
    } cases[] = {{{"", " 1200", " 6000", " 255", " 6000", " 4500"}, false, 255},
        // Saved while a second monitor stood to the right: the place is refused, not the colour.
        {{"", "1500", "30000", "255", "5145", "3945"}, true, 255},
        // A size no screen shows is refused like a place off every screen; the whole screen is not.
        {{"", "0", "0", "255", "491505", "491505"}, true, 255},
        {{"", "0", "0", "255", "15360", "11520"}, false, 255},
        // Wider than the video output can draw (16384 pixels), even where the desktop is wider.
        {{"", "0", "0", "0", "245775", "3945"}, true, 0, QSize(20000, 1200)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(u'|').toStdString());
        windows.screen = c.screen;
        writeSettings(c.lines);
        form1 = std::make_unique<Form1>(*services);
        load();
        Form2& m = form2();
        // Beside the control window, level with its top, 5145 x 3945 twips; or as the file says.
        const QRect beside(form1->Left() + form1->Width(), form1->Top(), 5145, 3945);
        const QRect fromFile(c.lines.value(2).toInt(), c.lines.value(1).toInt(),
            c.lines.value(4).toInt(), c.lines.value(5).toInt());
        // The placeholder follows the size: 150 twips in, 345 smaller; the window is kept in
        // front whatever the file says.
        EXPECT_THAT(
            std::tuple(QRect(m.Left(), m.Top(), m.Width(), m.Height()), m.Label2->geometry(),
                m.BackColor(), m.palette().color(QPalette::Window), windows.isTopMost(&m)),
            testing::FieldsAre(c.defaultPlace ? beside : fromFile,
                QRect(10, 10, m.Width() / 15 - 23, m.Height() / 15 - 23), c.colour,
                QColor(c.colour & 0xFF, c.colour >> 8 & 0xFF, c.colour >> 16), true));
    }

    form2().setTop(1800);
    form2().setLeft(7500);
    form2().setBackColor(std::int32_t(0x80000005));
    form2().ch_ho->trigger();
    EXPECT_TRUE(dialogs.boxes.empty());

    const QString file = settings_file::writePath(programDir.path());
    const SettingsRead read = settings_file::read(file);
    ASSERT_TRUE(read.complete());
    EXPECT_THAT(std::tuple(*read.top, *read.left, *read.backColor, *read.width, *read.height),
        testing::FieldsAre(1800.f, 7500.f, std::int32_t(0x80000005), 5145.f, 3945.f));

    // A folder where the file should be: nothing can be written there, even by root.
    ASSERT_TRUE(QFile::remove(file) && QDir(programDir.path()).mkdir("reelbox.ini"));
    form2().ch_ho->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    const auto& box = dialogs.boxes[0];
    EXPECT_EQ(box.text,
        "設定ファイルが保存できません。実行ディレクトリがライトプロテクトされている可能性があります。");
    EXPECT_THAT(std::tuple(box.title, box.informative, box.buttons, box.icon, box.movieTopMost,
                    windows.isTopMost(&form2())),
        testing::FieldsAre(QString("書込みｴﾗｰ"), file, msgbox::OkOnly, msgbox::Information,
            std::optional(false), true));

    form1->Check4->setValue(0);
    form2().ch_ho->trigger();
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_FALSE(windows.isTopMost(&form2()));
}
