#include "shell/background_color.h"

#include "movie/control_window.h"
#include "movie/form2.h"
#include "shell/color_chooser.h"

namespace {

std::int32_t stored(const QColor& c)
{
    return c.isValid() ? std::int32_t(c.red() | (c.green() << 8) | (c.blue() << 16)) : -1;
}

QColor fromStored(std::int32_t rgb)
{
    return rgb == -1 ? QColor() : QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

}  // namespace

void ch_col_Click(Form2& movie, ControlWindow& form1, Dialogs& dialogs)
{
    form1.beforeModal();
    cColor chooser;
    chooser.setColor(movie.BackColor());
    for (int i = 0; i <= 15; ++i)
        chooser.setCustomColor(i, stored(movie.custom_colors[std::size_t(i)]));
    if (chooser.ShowColor(dialogs, cColor::CC_RGBINIT)) {
        movie.setBackColor(chooser.Color());  // the strip Label1 shows the same colour
        for (int i = 0; i <= 15; ++i)
            movie.custom_colors[std::size_t(i)] = fromStored(chooser.CustomColor(i));
    }
    form1.afterModal();
}
