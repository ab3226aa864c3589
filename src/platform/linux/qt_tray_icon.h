#pragma once

#include "platform/tray_icon.h"

#include <memory>

class QSystemTrayIcon;

// The tray icon over QSystemTrayIcon. Qt reports a left press as Trigger and a double click as
// Trigger, then DoubleClick; they arrive as LButtonDown and LButtonDblClk.
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
};
