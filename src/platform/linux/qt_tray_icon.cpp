#include "platform/linux/qt_tray_icon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QStyleHints>
#include <QSystemTrayIcon>

namespace {

// A tray over D-Bus (KDE Plasma, GNOME's AppIndicator extension) hosts the icon as a
// StatusNotifierItem when this name is on the session bus, as Qt itself decides.
bool dbusTray()
{
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

// Such a tray knows no double click: its hosts offer an activation (the left button, Trigger)
// and a secondary one (mostly the middle button, MiddleClick), which stands for it there.
std::uint32_t messageOf(QSystemTrayIcon::ActivationReason reason, bool dbus)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return traymsg::LButtonDown;
    case QSystemTrayIcon::DoubleClick:
        return traymsg::LButtonDblClk;
    case QSystemTrayIcon::Context:
        return traymsg::RButtonDown;
    case QSystemTrayIcon::MiddleClick:
        return dbus ? traymsg::LButtonDblClk : traymsg::MButtonDown;
    default:
        return traymsg::MouseMove;
    }
}

}  // namespace

QtTrayIcon::QtTrayIcon() = default;

// Such a tray's hosts send one activation per left click and never a double click: a second
// activation within the desktop's double-click interval is one.
std::uint32_t QtTrayIcon::message(QSystemTrayIcon::ActivationReason reason)
{
    if (!dbus_ || reason != QSystemTrayIcon::Trigger)
        return messageOf(reason, dbus_);
    if (firstActivation_.isValid() &&
        firstActivation_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
        firstActivation_.invalidate();
        return traymsg::LButtonDblClk;
    }
    firstActivation_.start();
    return traymsg::LButtonDown;
}

QtTrayIcon::~QtTrayIcon() = default;

void QtTrayIcon::add(const QIcon& icon, const QString& tip)
{
    // Made when first shown: Qt asks the session bus for a tray host as it makes one, which
    // nothing before the control window is first hidden needs.
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (handler_)
                    handler_(message(reason));
            });
    }
    dbus_ = dbusTray();
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    icon_->show();
}

void QtTrayIcon::remove()
{
    if (icon_)
        icon_->hide();
}

void QtTrayIcon::setHandler(Handler handler) { handler_ = std::move(handler); }
