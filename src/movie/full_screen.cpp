// Full-screen mode, both ways.
#include "movie/full_screen.h"

#include "controls/check_box.h"
#include "mci/mci_channel.h"
#include "movie/control_window.h"
#include "movie/form2.h"
#include "movie/geometry.h"
#include "movie/geometry_helpers.h"
#include "movie/topmost.h"
#include "platform/window_layer.h"
#include "vbnum/vb_number.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// Sends "status avfile window handle" and places the video window it names.
void placeVideo(MciChannel& mci, WindowLayer& windows, QPoint at, std::int32_t w, std::int32_t h)
{
    QString reply;
    mci.MciSend(QStringLiteral("status avfile window handle"), reply);
    if (const auto handle = geometry::handleFromReply(reply))
        windows.MoveWindow(*handle, at.x(), at.y(), w, h, true);
}

}  // namespace

FullScreen::FullScreen(ControlWindow& form1_, QWidget& controlWindow_, QPushButton& Command22_,
    CheckBox& Check4_, Geometry& geometry_, MciChannel& mci_, WindowLayer& windows_)
    : form1(form1_),
      controlWindow(controlWindow_),
      Command22(Command22_),
      Check4(Check4_),
      geometry(geometry_),
      mci(mci_),
      windows(windows_)
{
}

void FullScreen::Command22_Click()
{
    form1.form2().hide();
    if (!on_)
        enter();
    else
        leave();
}

void FullScreen::requested()
{
    if (Command22.isEnabled())
        Command22_Click();
}

void FullScreen::enter()
{
    Form2& movie = form1.form2();
    movie.hide();
    fs_saved_visible = controlWindow.isVisible() ? -1 : 0;
    controlWindow.hide();
    on_ = true;
    Command22.setText(full_screen::On);

    QString reply;
    mci.MciSend(QStringLiteral("where avfile destination"), reply);
    std::int32_t x = 0, y = 0;
    Geometry::wind_xywh(reply, x, y, fs_saved_w, fs_saved_h);
    fs_saved_top = movie.Top();
    fs_saved_left = movie.Left();

    // The screen is the one the movie window stands on.
    const QRect screen = windows.screenOf(&movie);
    const geometry::FullScreenFit fit = geometry::fullScreenFit(screen.size());
    geometry.mov_w = fit.w;
    geometry.mov_h = fit.h;
    placeVideo(mci, windows, fit.video, fit.w, fit.h);
    movie.setGeometry(screen);
    movie.Label1->setGeometry(0, 0, movie.width(), movie.height());
    movie.Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // It lies under the picture: a native window among native siblings (the video window is
    // one), it would otherwise cover it.
    movie.Label1->lower();
    movie.setFullScreenMenu(true);

    fs_saved_back = movie.BackColor();
    movie.setBackColor(0);
    movie.setStripTextColor(Qt::white);
    movie.Label1->setToolTip(QString());

    // Over the desktop's panels too, where a window manager keeps them.
    windows.setFullScreen(&movie, true);
    movie.show();
    SetTopMost(windows, &movie, 1);
    movie.Timer1->start(1000);
}

void FullScreen::leave()
{
    Form2& movie = form1.form2();
    on_ = false;
    Command22.setText(full_screen::Off);
    windows.setFullScreen(&movie, false);
    movie.setTop(fs_saved_top);
    movie.setLeft(fs_saved_left);
    placeVideo(mci, windows, QPoint(10, 10), fs_saved_w, fs_saved_h);
    movie.setWidth(vbnum::toTwips(fs_saved_w) + 345);
    movie.setHeight(vbnum::toTwips(fs_saved_h) + 345);
    movie.placeStrip();
    movie.Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    movie.setFullScreenMenu(false);
    movie.setBackColor(fs_saved_back);
    movie.setStripTextColor(Form2::StripBlue);

    QString reply;
    mci.MciSend(QStringLiteral("where avfile source"), reply);
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    Geometry::wind_xywh(reply, x, y, w, h);
    movie.Label1->setToolTip(geometry::originalSizeTip(w, h));

    movie.show();
    if (fs_saved_visible == -1)
        controlWindow.show();
    switch (Check4.Value()) {
    case 1:
        SetTopMost(windows, &movie, 1);
        break;
    case 0:
        SetTopMost(windows, &movie, 0);
        break;
    default:
        break;
    }
    movie.endCursorWatch();
}
