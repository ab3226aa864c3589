#pragma once

#include "platform/linux/pulse_sink_volume.h"
#include "platform/mixer.h"

#include <future>
#include <optional>
#include <vector>

struct _snd_mixer;
struct _snd_mixer_elem;

// The master volume over ALSA's simple mixer on the "default" device: the element "Master", else
// "PCM", else the first one with a playback volume. On a desktop with PulseAudio or PipeWire the
// default device is that server, so this is the desktop's master volume.
//
// The element's range min..max stands for 0..max-min. A value is the loudest channel; setting one
// keeps the balance the channels had when the control was found, so that setting the value read
// then puts every channel back exactly; a server volume above 100 %, which the element shows as
// its maximum, is kept from the server itself and put back the same way. A device that goes away
// while open (the sound server stops) is opened again at the next change, so the slider follows
// a server that replaced it; without one every call fails quietly.
//
// Opening the device and finding its control start on a thread of their own as this is made: a
// sound server's answers (two connections to it) then come while the windows are being made. The
// first mixerOpen() and GetVolumeControl() wait for that and answer with what it found.
class AlsaMixer : public Mixer {
public:
    AlsaMixer();
    ~AlsaMixer() override;

    int mixerOpen() override;
    int GetVolumeControl(VolumeControl& control) override;
    std::uint32_t GetVolume(std::uint32_t controlId) override;
    int SetVolumeControl(std::uint32_t controlId, std::uint32_t value) override;
    void mixerClose() override;

private:
    int openNow();
    void closeNow();
    int controlNow(VolumeControl& control);
    // Waits for the opening started at construction, once.
    void settle();
    std::vector<int> channels() const;
    bool findElement();
    int setAlsa(std::uint32_t value);

    _snd_mixer* handle_ = nullptr;
    _snd_mixer_elem* element_ = nullptr;
    long min_ = 0;
    long max_ = 0;
    std::vector<long> balance_;  // each channel's value above min_ when the control was found
    long found_ = 0;  // the loudest of them
    PulseSinkVolume server_;  // kept when the element showed its maximum for more
    bool serverKept_ = false;
    struct Early {
        int open;
        int control;
        VolumeControl found;
    };
    std::future<Early> opening_;
    std::optional<int> earlyOpen_;  // answers not yet given
    std::optional<std::pair<int, VolumeControl>> earlyControl_;
};
