// The movie window's background colour through the colour dialog.
// Checks: background_color.cpp, color_chooser.cpp (src/shell); system_colors.cpp, form2.cpp
// (src/movie); modal_rule.cpp (src/app).
#include "form_fixture.h"

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
TEST_F(StartedForm, BackgroundColourDialog)
{
    const std::array<QColor, 16> pink = row(255, 16, 255), green = row(0, 8, 0);
    // Check4, the answer, the colour after it (0x00BBGGRR); the second cancelled, the third no
    // colour.
    const std::tuple<int, FakeDialogs::ColorAnswer, std::int32_t> cases[] = {
        {1, {QColor(0x12, 0x34, 0x56), green}, 0x563412}, {0, {std::nullopt, pink}, 0x563412},
        {1, {QColor(), pink}, 0x563412}, {0, {QColor(Qt::white), std::nullopt}, 0xFFFFFF}};
    form2().setBackColor(std::int32_t(0x8000000F));  // the system's button face
    QColor start = form2().palette().color(QPalette::Window);
    std::array<QColor, 16> offered = pink;
    for (const auto& [keep, answer, backAfter] : cases) {
        SCOPED_TRACE(backAfter);
        form1->Check4->setValue(keep);
        dialogs.colorDialogs.clear();
        dialogs.colorAnswers = {answer};
        form2().ch_col->trigger();
        ASSERT_EQ(dialogs.colorDialogs.size(), 1u);
        const auto& shown = dialogs.colorDialogs[0];
        EXPECT_EQ(std::tuple(shown.start, shown.custom, shown.movieTopMost),
            std::tuple(start, offered, std::optional(false)));
        EXPECT_EQ(std::tuple(movieTopMost(), form2().BackColor(), form2().custom_colors,
                      form2().Label1->palette().color(QPalette::Window)),
            std::tuple(keep == 1, backAfter, green, form2().palette().color(QPalette::Window)));
        start = form2().palette().color(QPalette::Window);
        offered = green;
    }
}
