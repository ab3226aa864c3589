#include "shell/tray.h"

#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/control_window.h"
#include "movie/form2.h"
#include "movie/topmost.h"
#include "platform/tray_icon.h"

#include <QEvent>
#include <QLabel>

namespace {

const QString Tip = QStringLiteral("ReelBox");

}  // namespace

Tray::Tray(TrayIcon& icon, WindowLayer& windows, ControlWindow& form1, QWidget& form1Window,
    QLabel& Picture1, CheckBox& Check4)
    : icon_(icon),
      windows_(windows),
      form1_(form1),
      form1Window_(form1Window),
      Picture1_(Picture1),
      Check4_(Check4)
{
    icon_.setHandler([this](std::uint32_t message) { Picture1_MouseMove(message); });
}

void Tray::SysTrayIcon(QLabel& GetPic, const QString& GetTip, std::int32_t GetMode)
{
    switch (GetMode) {
    case 0:
        icon_.add(QIcon(GetPic.pixmap()), GetTip.left(63));
        break;
    case 2:
        icon_.remove();
        break;
    default:
        break;
    }
}

void Tray::hideControlWindow()
{
    Form2& movie = form1_.form2();
    form1Window_.hide();
    movie.c_hyouji->setChecked(true);
    SysTrayIcon(Picture1_, Tip, 0);
    // The movie window is the way back: it must be on the screen.
    if (!movie.isVisible() || movie.isMinimized())
        movie.showNormal();
    watch(&movie);
}

void Tray::unload()
{
    watch(nullptr);
    SysTrayIcon(Picture1_, Tip, 2);
}

void Tray::watch(QWidget* movie)
{
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = movie;
    if (watched_)
        watched_->installEventFilter(this);
}

void Tray::Command16_Click() { hideControlWindow(); }

void Tray::c_hyouji_Click()
{
    Form2& movie = form1_.form2();
    if (!movie.c_hyouji->Checked()) {
        hideControlWindow();
        return;
    }
    movie.c_hyouji->setChecked(false);
    watch(nullptr);
    // Minimized before it was hidden, it would come back as an icon on the task bar.
    form1Window_.setWindowState(form1Window_.windowState() & ~Qt::WindowMinimized);
    form1Window_.show();
    form1Window_.raise();
    form1Window_.activateWindow();
    SysTrayIcon(Picture1_, Tip, 2);
}

void Tray::Picture1_MouseMove(std::uint32_t message)
{
    switch (message) {
    case traymsg::LButtonDown:
        // Brings the movie window to the front without leaving it on top.
        if (Check4_.Value() == 0) {
            SetTopMost(windows_, &form1_.form2(), 1);
            SetTopMost(windows_, &form1_.form2(), 0);
        }
        break;
    case traymsg::LButtonDblClk:
        c_hyouji_Click();
        break;
    default:
        break;
    }
}

// Closing the movie window while the control window is hidden would leave no window: the
// control window comes back.
bool Tray::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watched_ && event->type() == QEvent::Close)
        c_hyouji_Click();
    return QObject::eventFilter(watched, event);
}
