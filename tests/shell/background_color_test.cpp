// The movie window's background colour through the colour dialog.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"

#include <QLabel>

namespace {

std::array<QColor, 16> pinkRow()
{
    std::array<QColor, 16> row;
    for (int i = 0; i < 16; ++i)
        row[std::size_t(i)] = QColor(255, 16 * i + 15, 255);
    return row;
}

std::array<QColor, 16> greyRow()
{
    std::array<QColor, 16> row;
    for (int i = 0; i < 16; ++i)
        row[std::size_t(i)] = QColor(i * 16, i * 16, i * 16);
    return row;
}

}  // namespace

// OK takes the colour and the custom colours; Cancel or an unusable colour changes nothing. Each
// use starts at the window's colour and offers the custom colours kept from the last OK.
TEST_F(FormFixture, BackgroundColourDialog)
{
    struct Case {
        int keep;
        FakeDialogs::ColorAnswer answer;
        std::int32_t backAfter;  // 0x00BBGGRR
        std::array<QColor, 16> customAfter;
    };
    const Case cases[] = {
        {1, {QColor(0x12, 0x34, 0x56), greyRow()}, 0x563412, greyRow()},
        {0, {std::nullopt, pinkRow()}, 0x563412, greyRow()},                   // cancelled
        {1, {QColor(), pinkRow()}, 0x563412, greyRow()},                      // no colour
        {0, {QColor(Qt::white), std::nullopt}, 0xFFFFFF, greyRow()},
    };
    load();
    EXPECT_EQ(form2().custom_colors, pinkRow());  // what the first use offers
    std::int32_t back = form2().BackColor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.backAfter);
        form1->Check4->setValue(c.keep);
        const std::array<QColor, 16> offered = form2().custom_colors;
        dialogs.colorDialogs.clear();
        dialogs.colorAnswers = {c.answer};
        form2().ch_col->trigger();
        ASSERT_EQ(dialogs.colorDialogs.size(), 1u);
        EXPECT_EQ(dialogs.colorDialogs[0].start, QColor(back & 0xFF, (back >> 8) & 0xFF, back >> 16));
        EXPECT_EQ(dialogs.colorDialogs[0].custom, offered);
        EXPECT_EQ(dialogs.colorDialogs[0].movieTopMost, false);
        EXPECT_EQ(windows.isTopMost(&form2()), c.keep == 1);
        EXPECT_EQ(form2().BackColor(), c.backAfter);
        EXPECT_EQ(form2().custom_colors, c.customAfter);
        // The strip along the bottom shows the window's colour.
        EXPECT_EQ(form2().Label1->palette().color(QPalette::Window), form2().palette().color(QPalette::Window));
        back = form2().BackColor();
    }
}

// A system colour as the background is handed to the dialog as the colour it stands for.
TEST_F(FormFixture, SystemColourBackgroundStartsTheDialogAtItsColour)
{
    load();
    form2().setBackColor(std::int32_t(0x8000000F));  // button face
    form2().ch_col->trigger();
    ASSERT_EQ(dialogs.colorDialogs.size(), 1u);
    EXPECT_EQ(dialogs.colorDialogs[0].start, form2().palette().color(QPalette::Window));
    EXPECT_EQ(form2().BackColor(), std::int32_t(0x8000000F));
}
