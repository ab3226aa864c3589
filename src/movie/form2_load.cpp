// The movie window (Form2), part: loading it, with its place, size and colour from the
// settings file.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "platform/window_layer.h"
#include "settings/settings_file.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

void Form2::Form_Load()
{
    applySettings();
    placePlaceholder();
    placeStrip();
    me_loop_only->setEnabled(false);
    setMovieMenuEnabled(false);
    form1Controls.Check7->setEnabled(false);
    show();
    topw1->setChecked(false);
    topw1_Click();  // starts topmost, whatever the settings file says
    for (int i = 15; i >= 0; --i)
        custom_colors[i] = QColor(255, 16 * i + 15, 255);
    presses = 0;
    Label2->setText(QStringLiteral("0"));
}

namespace {

// The video output draws the picture through a GL texture as large as the window; 16384 pixels a
// side is what the common GL drivers take (Mesa's software driver crashed on larger windows).
constexpr int MaxVideoSide = 16384;

// A value in twips whose pixels lie within lo..hi; not a number is refused.
bool within(float twips, double lo, double hi)
{
    if (!std::isfinite(twips))
        return false;
    const double pixels = twips / 15.0;
    return pixels >= lo && pixels <= hi;
}

}  // namespace

// Each value is applied as soon as it is read; the first missing or refused one ends the reading
// and the place and size fall back to the defaults, keeping a colour already read. A place that
// shows no part of the window on any screen (a monitor since removed) counts as refused, so the
// window can never be lost off-screen; so does a size larger than all screens together or than
// the video output can draw.
void Form2::applySettings()
{
    const SettingsRead read = settings_file::read(settings_file::readPath(programDir));
    const QList<QRect> screens = windows.screenRects();
    QRect desktop;
    for (const QRect& screen : screens)
        desktop |= screen;
    const auto place = [](const std::optional<float>& v) { return v && within(*v, -32768, 32767); };
    const auto size = [](const std::optional<float>& v, int side) {
        return v && within(*v, 1, std::min(side, MaxVideoSide));
    };
    bool ok = false;
    if (place(read.top)) {
        setTop(int(*read.top));
        if (place(read.left)) {
            setLeft(int(*read.left));
            if (read.backColor) {
                setBackColor(*read.backColor);
                if (size(read.width, desktop.width())) {
                    setWidth(int(*read.width));
                    ok = size(read.height, desktop.height());
                    if (ok)
                        setHeight(int(*read.height));
                }
            }
        }
    }
    if (ok) {
        const QRect frame = frameGeometry();
        ok = false;
        for (const QRect& screen : screens)
            ok = ok || screen.intersects(frame);
    }
    if (!ok)
        applyDefaultPlace();
}

// Beside the control window, level with its top.
void Form2::applyDefaultPlace()
{
    setTop(form1.Top());
    setLeft(form1.Left() + form1.Width());
    setWidth(5145);
    setHeight(3945);
}
