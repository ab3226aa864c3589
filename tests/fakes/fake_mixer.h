#pragma once

#include "platform/mixer.h"

#include <vector>

// A mixer for tests: answers with the codes it is given and records every value set.
class FakeMixer : public Mixer {
public:
    int mixerOpen() override
    {
        open = openResult == 0;
        return openResult;
    }
    int GetVolumeControl(VolumeControl& control) override
    {
        if (!open)
            return mmsyserr::InvalHandle;
        if (controlResult == 0)
            control = {7, maximum};
        return controlResult;
    }
    std::uint32_t GetVolume(std::uint32_t) override { return open && !gone ? value : 0; }
    int SetVolumeControl(std::uint32_t id, std::uint32_t v) override
    {
        if (!open || gone || id != 7)
            return mmsyserr::InvalHandle;
        value = v;
        sets.push_back(v);
        return 0;
    }
    void mixerClose() override
    {
        open = false;
        ++closes;
    }

    int openResult = 0;
    int controlResult = 0;
    std::uint32_t maximum = 65535;
    std::uint32_t value = 30000;
    bool gone = false;  // the device went away: every call fails
    bool open = false;
    int closes = 0;
    std::vector<std::uint32_t> sets;
};
