#pragma once

#include "platform/tray_icon.h"

// A tray for tests: whether the icon is there, and a way to click it.
class FakeTrayIcon : public TrayIcon {
public:
    bool isAvailable() override { return available; }
    void add(const QIcon& icon, const QString& t) override
    {
        shown = true;
        iconSet = !icon.isNull();
        tip = t;
    }
    void remove() override
    {
        shown = false;
        ++removes;
    }
    void setHandler(Handler h) override { handler = std::move(h); }
    void click(std::uint32_t message) { handler(message); }

    bool available = true;
    bool shown = false;
    bool iconSet = false;
    QString tip;
    int removes = 0;
    Handler handler;
};
