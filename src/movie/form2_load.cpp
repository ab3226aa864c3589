#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "platform/window_layer.h"
#include "settings/settings_file.h"

#include <QLabel>
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
    Label2->setText(QStringLiteral("0"));
}

namespace {

// A place or size the window refuses: not a number, or beyond what a window can take.
bool acceptable(float twips, bool size)
{
    if (!std::isfinite(twips))
        return false;
    const double pixels = twips / 15.0;
    return size ? pixels >= 1 && pixels <= 32767 : pixels >= -32768 && pixels <= 32767;
}

}  // namespace

// Each value is applied as soon as it is read; the first missing or refused one ends the reading
// and the place and size fall back to the defaults, keeping a colour already read. A place that
// shows no part of the window on any screen (a monitor since removed) counts as refused, so the
// window can never be lost off-screen.
void Form2::applySettings()
{
    const SettingsRead read = settings_file::read(settings_file::path(programDir));
    bool ok = false;
    if (read.top && acceptable(*read.top, false)) {
        setTop(int(*read.top));
        if (read.left && acceptable(*read.left, false)) {
            setLeft(int(*read.left));
            if (read.backColor) {
                setBackColor(*read.backColor);
                if (read.width && acceptable(*read.width, true)) {
                    setWidth(int(*read.width));
                    ok = read.height && acceptable(*read.height, true);
                    if (ok)
                        setHeight(int(*read.height));
                }
            }
        }
    }
    if (ok) {
        const QRect place = frameGeometry();
        ok = false;
        for (const QRect& screen : windows.screenRects())
            ok = ok || screen.intersects(place);
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
