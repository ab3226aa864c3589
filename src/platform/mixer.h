#pragma once

#include <cstdint>

// Result codes of the mixer, numbered as the volume code has always numbered them.
namespace mmsyserr {
constexpr int NoError = 0;
constexpr int BadDeviceId = 2;
constexpr int Allocated = 4;
constexpr int InvalHandle = 5;
constexpr int NoDriver = 6;
constexpr int NoMem = 7;
constexpr int InvalFlag = 10;
constexpr int InvalParam = 11;
constexpr int InvalControl = 1025;  // the line has no volume control
}  // namespace mmsyserr

// The master volume control: one value from 0 to `maximum`.
struct VolumeControl {
    std::uint32_t id = 0;
    std::uint32_t maximum = 0;
};

// The system's mixer, opened once for the whole run. Every call answers 0 or an mmsyserr code.
class Mixer {
public:
    virtual ~Mixer() = default;

    // Opens the default mixer device.
    virtual int mixerOpen() = 0;
    // Finds the master volume control of the open device.
    virtual int GetVolumeControl(VolumeControl& control) = 0;
    // The control's current value; 0 when it cannot be read.
    virtual std::uint32_t GetVolume(std::uint32_t controlId) = 0;
    virtual int SetVolumeControl(std::uint32_t controlId, std::uint32_t value) = 0;
    virtual void mixerClose() = 0;
};
