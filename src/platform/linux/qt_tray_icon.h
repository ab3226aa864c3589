#pragma once

#include "platform/tray_icon.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <memory>

// The tray icon over QSystemTrayIcon. Qt reports a left press as Trigger and a double click as
// Trigger, then DoubleClick; they arrive as LButtonDown and LButtonDblClk. A tray over D-Bus has
// no double click: there a second activation soon after the first arrives as LButtonDblClk, and
// so does the secondary activation (middle button).
class QtTrayIcon : public TrayIcon {
public:
    QtTrayIcon();
    ~QtTrayIcon() override;

    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;
    void setHandler(Handler handler) override;

private:
    std::uint32_t message(QSystemTrayIcon::ActivationReason reason);

    std::unique_ptr<QSystemTrayIcon> icon_;
    QElapsedTimer firstActivation_;  // over D-Bus: since the activation a second one would pair
    Handler handler_;
    bool dbus_ = false;  // hosted over D-Bus, as far as the bus said when the icon was added
};
