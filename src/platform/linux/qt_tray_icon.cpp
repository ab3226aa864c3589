#include "platform/linux/qt_tray_icon.h"

#include <QSystemTrayIcon>

namespace {

std::uint32_t messageOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger: return traymsg::LButtonDown;
    case QSystemTrayIcon::DoubleClick: return traymsg::LButtonDblClk;
    case QSystemTrayIcon::Context: return traymsg::RButtonDown;
    case QSystemTrayIcon::MiddleClick: return traymsg::MButtonDown;
    default: return traymsg::MouseMove;
    }
}

}  // namespace

QtTrayIcon::QtTrayIcon() : icon_(std::make_unique<QSystemTrayIcon>())
{
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (handler_)
                             handler_(messageOf(reason));
                     });
}

QtTrayIcon::~QtTrayIcon() = default;

void QtTrayIcon::add(const QIcon& icon, const QString& tip)
{
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    icon_->show();
}

void QtTrayIcon::remove()
{
    icon_->hide();
}

void QtTrayIcon::setHandler(Handler handler)
{
    handler_ = std::move(handler);
}
