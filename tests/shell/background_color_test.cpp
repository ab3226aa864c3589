// The movie window's background colour through the colour dialog.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"

#include <QLabel>

namespace {

std::array<QColor, 16> row(int red, int step, int blue)
{
    std::array<QColor, 16> colors;
    for (int i = 0; i < 16; ++i)
        colors[std::size_t(i)] = QColor(red, step * i + 15, blue);
    return colors;
}

}  // namespace

// Each use starts at the window's colour (a system colour as the colour it stands for) and offers
// the custom colours kept from the last OK, the first time the pink row. OK takes the colour for
// the window and its strip, and the custom colours; Cancel or a colour that is none changes
// nothing. The movie window is let go while the dialog is up, and afterwards as Check4 says.
TEST_F(FormFixture, BackgroundColourDialog)
{
    const std::array<QColor, 16> pink = row(255, 16, 255), green = row(0, 8, 0);
    struct Case {
        int keep;
        FakeDialogs::ColorAnswer answer;
        std::int32_t backAfter;  // 0x00BBGGRR
    };
    const Case cases[] = {
        {1, {QColor(0x12, 0x34, 0x56), green}, 0x563412},
        {0, {std::nullopt, pink}, 0x563412},  // cancelled
        {1, {QColor(), pink}, 0x563412},  // no colour
        {0, {QColor(Qt::white), std::nullopt}, 0xFFFFFF},
    };
    load();
    form2().setBackColor(std::int32_t(0x8000000F));  // the system's button face
    QColor start = form2().palette().color(QPalette::Window);
    std::array<QColor, 16> offered = pink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.backAfter);
        form1->Check4->setValue(c.keep);
        dialogs.colorDialogs.clear();
        dialogs.colorAnswers = {c.answer};
        form2().ch_col->trigger();
        ASSERT_EQ(dialogs.colorDialogs.size(), 1u);
        EXPECT_EQ(dialogs.colorDialogs[0].start, start);
        EXPECT_EQ(dialogs.colorDialogs[0].custom, offered);
        EXPECT_EQ(dialogs.colorDialogs[0].movieTopMost, false);
        EXPECT_EQ(windows.isTopMost(&form2()), c.keep == 1);
        EXPECT_EQ(form2().BackColor(), c.backAfter);
        EXPECT_EQ(form2().custom_colors, green);
        EXPECT_EQ(form2().Label1->palette().color(QPalette::Window),
            form2().palette().color(QPalette::Window));
        start = form2().palette().color(QPalette::Window);
        offered = green;
    }
}
