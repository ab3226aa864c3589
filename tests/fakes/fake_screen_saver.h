#pragma once

#include "platform/screen_saver.h"

#include <vector>

// Screen saver for tests: a flag, and every change asked for.
class FakeScreenSaver : public ScreenSaver {
public:
    bool isActive() override { return active; }
    void setActive(bool on) override
    {
        active = on;
        changes.push_back(on);
    }

    bool active = true;
    std::vector<bool> changes;
};
