#pragma once

#include "platform/tray_icon.h"

// A tray for tests: whether the icon is there, and a way to click it.
class FakeTrayIcon : public TrayIcon {
public:
    void add(const QIcon& icon, const QString& t) override { shown = !icon.isNull(), tip = t; }
    void remove() override { shown = false; }
    void setHandler(Handler h) override { handler = std::move(h); }
    void click(std::uint32_t message) { handler(message); }

    bool shown = false;
    QString tip;
    Handler handler;
};
