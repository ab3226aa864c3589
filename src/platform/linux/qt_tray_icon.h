#pragma once

#include "platform/tray_icon.h"

#include <memory>

class QSystemTrayIcon;

// The tray icon over QSystemTrayIcon. Qt reports a left press as Trigger and a double click as
// Trigger, then DoubleClick; they arrive as LButtonDown and LButtonDblClk. A tray over D-Bus has
// no double click: there the secondary activation (middle button) arrives as LButtonDblClk.
class QtTrayIcon : public TrayIcon {
public:
    QtTrayIcon();
    ~QtTrayIcon() override;

    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;
    void setHandler(Handler handler) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    Handler handler_;
    bool dbus_ = false;  // hosted over D-Bus, as far as the bus said when the icon was added
};
