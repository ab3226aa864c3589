#pragma once

#include "platform/mixer.h"

#include <vector>

// A mixer for tests: answers with the codes it is given and records every value set.
class FakeMixer : public Mixer {
public:
    int mixerOpen() override { return (open = openResult == 0) ? 0 : openResult; }
    int GetVolumeControl(VolumeControl& control) override
    {
        control = {7, maximum};
        return open ? controlResult : mmsyserr::InvalHandle;
    }
    std::uint32_t GetVolume(std::uint32_t) override { return value; }
    int SetVolumeControl(std::uint32_t id, std::uint32_t v) override
    {
        sets.push_back(v);
        value = open && id == 7 ? v : value;
        return 0;
    }
    void mixerClose() override { open = false, ++closes; }

    int openResult = 0, controlResult = 0, closes = 0;
    std::uint32_t maximum = 65535, value = 30000;
    bool open = false;
    std::vector<std::uint32_t> sets;
};
