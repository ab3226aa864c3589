#pragma once

#include "platform/mixer.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>

class ScrollBar;

// The volume slider HScroll2 over the system's master volume: opened at start-up, the value
// found then put back at shutdown. The slider stands for the control's range scaled by vol_div.
class MasterVolume {
public:
    // Shows a message box under the program's topmost rule.
    using MsgBoxFn = std::function<int(const QString& text, int buttons, int icon)>;

    MasterVolume(Mixer& mixer, ScrollBar& HScroll2, MsgBoxFn msgBox);

    // Start-up: opens the mixer and prepares the slider; a failure disables it (the program goes
    // on). Shutdown: puts the volume back as found and closes the mixer.
    void open();
    void close();
    // Puts the volume found at start-up back, once; nothing before it was found. Any thread may
    // call it (the one that finds the display gone): the slider moves the volume no more after.
    void putBack();

    void HScroll2_Change();
    void HScroll2_Scroll();

    // The message box for a failed mixer call.
    void ShowMixerError(int code);

    VolumeControl vol_ctrl;
    std::int16_t vol_off = 0;  // 1: no usable volume control; the slider does nothing
    std::uint32_t vol_start = 0;
    std::int32_t vol_div = 1;

private:
    void follow();

    Mixer& mixer_;
    ScrollBar& HScroll2_;
    MsgBoxFn msgBox_;
    std::mutex mixerUse_;  // the mixer's calls, from the window thread or one putting back
    bool found_ = false;  // vol_start holds the volume found
    bool putBack_ = false;
};
