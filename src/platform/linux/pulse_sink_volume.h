#pragma once

#include <pulse/channelmap.h>
#include <pulse/volume.h>

// The default sink's volume as the sound server itself holds it (PulseAudio, or PipeWire's pulse
// server), over libpulse. ALSA's pulse plugin shows a volume above 100 % as its maximum, so the
// mixer keeps such a volume here to put it back exactly. Every call waits two seconds at most
// and fails quietly when no server answers.
class PulseSinkVolume {
public:
    // Takes the default sink's volume now; false without a server.
    bool save();
    // Whether the volume saved is above 100 % on some channel.
    bool aboveFull() const;
    // Puts the saved volume on the server's default sink now (the server may have been replaced
    // since; the channels are mapped onto the sink's own).
    bool restore() const;

private:
    pa_cvolume volume_ = {};
    pa_channel_map map_ = {};
    bool saved_ = false;
};
